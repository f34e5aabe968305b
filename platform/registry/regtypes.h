#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/exceptions.h"

namespace vex {

// A root key of the registry. Only the predefined roots exist here; subkeys are addressed by
// path through TRegistry.
using HKEY = uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

// The kinds of value this registry keeps, by their original codes.
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_DWORD = 4;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

VEX_EXCEPTION(ERegistryException, Exception);

// The bounds every key, value and hive file is held to, so that neither a caller nor a damaged
// file can make the registry grow without limit.
inline constexpr size_t MaxRegKeyNameLength = 255;
inline constexpr size_t MaxRegKeyDepth = 512;
inline constexpr size_t MaxRegValueNameLength = 16383;
inline constexpr size_t MaxRegValueDataLength = 1024 * 1024;
inline constexpr size_t MaxRegHiveFileSize = 64 * 1024 * 1024;

// The file-name form of a root ("HKEY_CURRENT_USER"); null for a value that is no root.
const char* RootKeyName(HKEY Root);

}  // namespace vex
