#include "dataaware/edits/wwdbdatetimepickervalues.h"

#include "platform/core/datetimetokens.h"

namespace vex {

namespace {

template <typename TWanted>
bool FormatHas(const std::string& Format, TWanted Wanted) {
    if (Format.empty()) return true;
    TDateTimeTokenizer tokens(Format);
    for (TDateTimeToken token; tokens.Next(token);)
        if (Wanted(token.Kind)) return true;
    return false;
}

}  // namespace

bool wwFormatHasDate(const std::string& Format) {
    return FormatHas(Format, [](TDateTimeTokenKind Kind) {
        using enum TDateTimeTokenKind;
        return Kind == Year || Kind == Month || Kind == MonthName || Kind == Day ||
               Kind == DayName || Kind == ShortDate || Kind == LongDate || Kind == DateAndTime;
    });
}

bool wwFormatHasTime(const std::string& Format) {
    return FormatHas(Format, [](TDateTimeTokenKind Kind) {
        using enum TDateTimeTokenKind;
        return Kind == Hour || Kind == Minute || Kind == Second || Kind == MSec || Kind == AmPm ||
               Kind == ShortTime || Kind == LongTime || Kind == DateAndTime;
    });
}

void TwwFormatParts::Read(const std::string& Format) {
    if (FRead && Format == FFormat) return;
    FFormat = Format;
    FHasDate = wwFormatHasDate(Format);
    FHasTime = wwFormatHasTime(Format);
    FRead = true;
}

}  // namespace vex
