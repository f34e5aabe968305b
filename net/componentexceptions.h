#pragma once

#include <string>

#include "platform/core/exceptions.h"

namespace vex {

// The failures the Internet and mail components raise. A time-out and a cancel always carry
// their resource texts, whatever an error handler did to the text it was shown.
VEX_EXCEPTION(ESocketError, Exception);
VEX_EXCEPTION(EServerError, Exception);  // the message is the server's reply line
VEX_EXCEPTION(EMessageParserError, Exception);

inline constexpr int32_t sTimedOut = 57000;
inline constexpr int32_t sCanceled = 57001;

class ETimedOutError : public Exception {
public:
    ETimedOutError();
    const char* ClassName() const override { return "ETimedOutError"; }
};

class ECanceledError : public Exception {
public:
    ECanceledError();
    const char* ClassName() const override { return "ECanceledError"; }
};

}  // namespace vex
