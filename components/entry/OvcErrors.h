#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"

namespace vex {

class TOvcIntlSup;
TOvcIntlSup& OvcIntlSup();

// The exceptions of the TOvc controls for programming errors (bad handles, indexes, table
// names). Those with a fixed message take it from the component table when constructed.
class EOvcException : public Exception {
public:
    explicit EOvcException(std::string Msg) : Exception(std::move(Msg)) {}
    const char* ClassName() const override { return "EOvcException"; }

    int32_t ErrorCode = 0;
};

// The groups carry the caller's message.
VEX_EXCEPTION(EControllerError, EOvcException);
VEX_EXCEPTION(ECmdProcessorError, EOvcException);
VEX_EXCEPTION(EEntryFieldError, EOvcException);
VEX_EXCEPTION(ETimerPoolError, EOvcException);
VEX_EXCEPTION(EFixedFontError, EOvcException);

class EEditorError : public EOvcException {
public:
    // Code goes to ErrorCode; the second number is accepted as the original's constructor
    // took it, and not kept.
    EEditorError(std::string Msg, int32_t Code, int32_t Unused);
    const char* ClassName() const override { return "EEditorError"; }
};

#define VEX_OVC_EXCEPTION(Name, Base)                            \
    class Name : public Base {                                   \
    public:                                                      \
        Name();                                                  \
        const char* ClassName() const override { return #Name; } \
    }

VEX_OVC_EXCEPTION(ENoTimersAvailable, EOvcException);
VEX_OVC_EXCEPTION(ENoControllerAssigned, EControllerError);
VEX_OVC_EXCEPTION(EDuplicateCommand, ECmdProcessorError);
VEX_OVC_EXCEPTION(ETableNotFound, ECmdProcessorError);
VEX_OVC_EXCEPTION(EInvalidDataType, EEntryFieldError);
VEX_OVC_EXCEPTION(EInvalidLineOrCol, EEditorError);
VEX_OVC_EXCEPTION(EInvalidLineOrPara, EEditorError);
VEX_OVC_EXCEPTION(EInvalidTriggerHandle, ETimerPoolError);
VEX_OVC_EXCEPTION(EInvalidFixedFont, EFixedFontError);
VEX_OVC_EXCEPTION(EInvalidFontParam, EFixedFontError);

#undef VEX_OVC_EXCEPTION

class EInvalidPictureMask : public EEntryFieldError {
public:
    explicit EInvalidPictureMask(const std::string& Mask);
    const char* ClassName() const override { return "EInvalidPictureMask"; }
};

// The range a field of this data-type code can hold, in words. The date (14) and time (15)
// messages show the format to use: the caller passes the international date mask with
// four-digit years or the time mask without seconds as DateTimeMask, which other codes ignore.
class EInvalidRangeValue : public EEntryFieldError {
public:
    // A date names InternationalDate(True) of the international support, a time
    // InternationalTime(False): the shared instance unless another is given.
    explicit EInvalidRangeValue(uint8_t DataType, const TOvcIntlSup& Intl = OvcIntlSup());
    const char* ClassName() const override { return "EInvalidRangeValue"; }
};

}  // namespace vex
