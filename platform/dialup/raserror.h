#pragma once

#include "platform/win/messages.h"

namespace vex {

// The result codes of the dial-up functions, numbered as the original service numbered them so
// that callers may show, store or compare them. 0 is success.
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;

inline constexpr DWORD RASBASE = 600;
inline constexpr DWORD ERROR_BUFFER_TOO_SMALL = 603;
inline constexpr DWORD ERROR_BUFFER_INVALID = 610;
inline constexpr DWORD ERROR_CANNOT_FIND_PHONEBOOK_ENTRY = 623;
inline constexpr DWORD ERROR_INVALID_SIZE = 632;
inline constexpr DWORD ERROR_LINE_BUSY = 676;
inline constexpr DWORD ERROR_NO_ANSWER = 678;
inline constexpr DWORD ERROR_NO_DIALTONE = 680;
inline constexpr DWORD ERROR_AUTHENTICATION_FAILURE = 691;
inline constexpr DWORD ERROR_RASMAN_CANNOT_INITIALIZE = 711;
inline constexpr DWORD ERROR_PROJECTION_NOT_COMPLETE = 730;
inline constexpr DWORD ERROR_PROTOCOL_NOT_CONFIGURED = 731;

}  // namespace vex
