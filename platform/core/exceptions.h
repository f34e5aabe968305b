#pragma once

#include <exception>
#include <string>

namespace vex {

// Root of every failure the libraries report. The message is the text a user sees.
class Exception : public std::exception {
public:
    explicit Exception(std::string Msg) : FMessage(std::move(Msg)) {}

    const std::string& Message() const { return FMessage; }
    void SetMessage(std::string Value) { FMessage = std::move(Value); }
    const char* what() const noexcept override { return FMessage.c_str(); }

    // The exception's class name, as the original reported it ("EConvertError").
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string FMessage;
};

#define VEX_EXCEPTION(Name, Base)                                \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    }

VEX_EXCEPTION(EConvertError, Exception);
VEX_EXCEPTION(ERangeError, Exception);
VEX_EXCEPTION(EListError, Exception);
VEX_EXCEPTION(EStringListError, Exception);
VEX_EXCEPTION(EInvalidOperation, Exception);
VEX_EXCEPTION(EOutOfMemory, Exception);
VEX_EXCEPTION(EIntOverflow, Exception);
VEX_EXCEPTION(EComponentError, Exception);
// An object taken as a class it is not ("Invalid class typecast").
VEX_EXCEPTION(EInvalidCast, Exception);
VEX_EXCEPTION(EStreamError, Exception);
VEX_EXCEPTION(EFCreateError, EStreamError);
VEX_EXCEPTION(EFOpenError, EStreamError);
VEX_EXCEPTION(EReadError, EStreamError);
VEX_EXCEPTION(EWriteError, EStreamError);

// An operating-system input/output failure; ErrorCode is the errno-style code behind it.
class EInOutError : public Exception {
public:
    EInOutError(std::string Msg, int Code) : Exception(std::move(Msg)), ErrorCode(Code) {}
    const char* ClassName() const override { return "EInOutError"; }

    int ErrorCode;
};

// The silent exception: the message loop drops it without showing anything.
VEX_EXCEPTION(EAbort, Exception);

// Raises EAbort, the way handlers leave an operation without an error message.
[[noreturn]] void Abort();

}  // namespace vex
