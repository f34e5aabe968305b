#include "components/entry/OvcErrors.h"

#include <cstdint>
#include <limits>

#include "components/entry/OvcIntl.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/format.h"

namespace vex {

namespace {

template <class T>
std::string IntegerRange() {
    return Format(GetOvcString(scInvalidRange),
                  {int32_t{std::numeric_limits<T>::min()}, int32_t{std::numeric_limits<T>::max()}});
}

std::string RangeMessage(uint8_t DataType, const std::string& DateTimeMask) {
    switch (DataType) {
        case 4:
            return IntegerRange<int32_t>();
        case 5:
            return IntegerRange<uint16_t>();
        case 6:
            return IntegerRange<int16_t>();
        case 7:
            return IntegerRange<uint8_t>();
        case 8:
            return IntegerRange<int8_t>();
        case 9:
            return GetOvcString(scInvalidRealRange);
        case 10:
            return GetOvcString(scInvalidExtendedRange);
        case 11:
            return GetOvcString(scInvalidDoubleRange);
        case 12:
            return GetOvcString(scInvalidSingleRange);
        case 13:
            return GetOvcString(scInvalidCompRange);
        case 14:
            return Format(GetOvcString(scInvalidDateRange), {DateTimeMask});
        case 15:
            return Format(GetOvcString(scInvalidTimeRange), {DateTimeMask});
        default:
            return GetOvcString(scInvalidRangeValue);
    }
}

}  // namespace

EEditorError::EEditorError(std::string Msg, int32_t Code, int32_t /*Unused*/)
    : EOvcException(std::move(Msg)) {
    ErrorCode = Code;
}

ENoTimersAvailable::ENoTimersAvailable() : EOvcException(GetOvcString(scNoTimersAvailable)) {}
ENoControllerAssigned::ENoControllerAssigned()
    : EControllerError(GetOvcString(scNoControllerAssigned)) {}
EDuplicateCommand::EDuplicateCommand() : ECmdProcessorError(GetOvcString(scDuplicateCommand)) {}
ETableNotFound::ETableNotFound() : ECmdProcessorError(GetOvcString(scTableNotFound)) {}
EInvalidDataType::EInvalidDataType() : EEntryFieldError(GetOvcString(scInvalidDataType)) {}
EInvalidLineOrCol::EInvalidLineOrCol() : EEditorError(GetOvcString(scInvalidLineOrColumn), 0, 0) {}
EInvalidLineOrPara::EInvalidLineOrPara()
    : EEditorError(GetOvcString(scInvalidLineOrParaIndex), 0, 0) {}
EInvalidTriggerHandle::EInvalidTriggerHandle()
    : ETimerPoolError(GetOvcString(scBadTriggerHandle)) {}
EInvalidFixedFont::EInvalidFixedFont() : EFixedFontError(GetOvcString(scNonFixedFont)) {}
EInvalidFontParam::EInvalidFontParam() : EFixedFontError(GetOvcString(scInvalidFontParam)) {}

EInvalidPictureMask::EInvalidPictureMask(const std::string& Mask)
    : EEntryFieldError(Format(GetOvcString(scInvalidPictureMask), {Mask})) {}

EInvalidRangeValue::EInvalidRangeValue(uint8_t DataType, const TOvcIntlSup& Intl)
    : EEntryFieldError(RangeMessage(DataType, DataType == 14   ? Intl.InternationalDate(true)
                                              : DataType == 15 ? Intl.InternationalTime(false)
                                                               : std::string())) {}

}  // namespace vex
