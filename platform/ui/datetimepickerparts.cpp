#include "platform/ui/datetimepickerparts.h"

#include <algorithm>

#include "platform/core/datetime.h"
#include "platform/ui/datetimepickercivil.h"

namespace vex {

namespace {

using K = TDateTimeTokenKind;

// The day pulled in to the end of a shorter month; false when the year leaves the calendar.
bool ComposeInMonth(TCivilDateTime C, TDateTime& Value) {
    C.ClampDay();
    return C.Compose(Value);
}

}  // namespace

void TDateTimePickerParts::Layout(std::string_view Format, TDateTime Value) {
    std::vector<TDateTimeSpan> fields;
    FText = FormatDateTimeSpans(Format, Value, fields);
    FParts.clear();
    // A part that writes nothing (an empty am/pm string) has no place a caret could stand.
    for (const TDateTimeSpan& field : fields)
        if (field.Length > 0) FParts.push_back(field);
}

void TDateTimePickerParts::ReplacePart(size_t Index, std::string_view Text) {
    TDateTimeSpan& part = FParts.at(Index);
    FText.replace(part.Start, part.Length, Text);
    const ptrdiff_t shift =
        static_cast<ptrdiff_t>(Text.size()) - static_cast<ptrdiff_t>(part.Length);
    part.Length = Text.size();
    for (size_t i = Index + 1; i < FParts.size(); ++i)
        FParts[i].Start = static_cast<size_t>(static_cast<ptrdiff_t>(FParts[i].Start) + shift);
}

int32_t TDateTimePickerParts::PartAt(size_t Offset) const {
    if (FParts.empty()) return -1;
    int32_t found = 0;
    for (size_t i = 0; i < FParts.size() && FParts[i].Start <= Offset; ++i)
        found = static_cast<int32_t>(i);
    return found;
}

TDateTime StepPart(TDateTime Value, const TDateTimeSpan& Part, int32_t Delta) {
    TCivilDateTime c(Value);
    switch (Part.Kind) {
        case K::Year:
            c.Year = std::clamp(c.Year + Delta, 1, 9999);
            break;
        case K::Month:
        case K::MonthName:
            c.Month = WrapIntoRange(c.Month + Delta, 1, 12);
            break;
        case K::Day:
        case K::DayName:
            c.Day = WrapIntoRange(c.Day + Delta, 1, c.DaysInMonth());
            break;
        case K::Hour:
            c.SetTimeUnit(MSecsPerHour, 24, WrapIntoRange(c.Hour() + Delta, 0, 23));
            break;
        case K::AmPm:
            c.SetTimeUnit(MSecsPerHour, 24, (c.Hour() + 12) % 24);
            break;
        case K::Minute:
            c.SetTimeUnit(MSecsPerMinute, 60,
                          WrapIntoRange(c.MSec / MSecsPerMinute % 60 + Delta, 0, 59));
            break;
        case K::Second:
            c.SetTimeUnit(MSecsPerSecond, 60,
                          WrapIntoRange(c.MSec / MSecsPerSecond % 60 + Delta, 0, 59));
            break;
        case K::MSec:
            c.SetTimeUnit(1, 1000, WrapIntoRange(c.MSec % 1000 + Delta, 0, 999));
            break;
        default:
            return Value;
    }
    TDateTime result;
    return ComposeInMonth(c, result) ? result : Value;
}

int32_t TTypedNumber::MaxDigits(const TDateTimeSpan& Part) {
    switch (Part.Kind) {
        case K::Year:
            return Part.Width == 2 ? 2 : 4;
        case K::MSec:
            return 3;
        case K::Month:
        case K::MonthName:
        case K::Day:
        case K::Hour:
        case K::Minute:
        case K::Second:
            return 2;
        default:
            return 0;
    }
}

int32_t TTypedNumber::Maximum(const TDateTimeSpan& Part, TDateTime Value) {
    switch (Part.Kind) {
        case K::Year:
            return Part.Width == 2 ? 99 : 9999;
        case K::Month:
        case K::MonthName:
            return 12;
        case K::Day:
            return TCivilDateTime(Value).DaysInMonth();
        case K::Hour:
            return Part.TwelveHour ? 12 : 23;
        case K::Minute:
        case K::Second:
            return 59;
        case K::MSec:
            return 999;
        default:
            return 0;
    }
}

bool TTypedNumber::Add(int32_t Digit, const TDateTimeSpan& Part, TDateTime Value) {
    FValue = FValue * 10 + Digit;
    ++FDigits;
    return FDigits >= MaxDigits(Part) || FValue * 10 > Maximum(Part, Value);
}

bool SetPart(TDateTime Value, const TDateTimeSpan& Part, int32_t Number, TDateTime& Result) {
    TCivilDateTime c(Value);
    const int32_t maximum = TTypedNumber::Maximum(Part, Value);
    const bool fromZero = Part.Kind == K::Minute || Part.Kind == K::Second ||
                          Part.Kind == K::MSec || (Part.Kind == K::Hour && !Part.TwelveHour) ||
                          (Part.Kind == K::Year && Part.Width == 2);
    if (Number < (fromZero ? 0 : 1) || Number > maximum) return false;
    switch (Part.Kind) {
        case K::Year:
            c.Year = Part.Width == 2 ? c.Year / 100 * 100 + Number : Number;
            break;
        case K::Month:
        case K::MonthName:
            c.Month = Number;
            break;
        case K::Day:
            c.Day = Number;
            break;
        case K::Hour:
            c.SetTimeUnit(MSecsPerHour, 24,
                          Part.TwelveHour ? Number % 12 + (c.Hour() >= 12 ? 12 : 0) : Number);
            break;
        case K::Minute:
            c.SetTimeUnit(MSecsPerMinute, 60, Number);
            break;
        case K::Second:
            c.SetTimeUnit(MSecsPerSecond, 60, Number);
            break;
        case K::MSec:
            c.SetTimeUnit(1, 1000, Number);
            break;
        default:
            return false;
    }
    return ComposeInMonth(c, Result);
}

}  // namespace vex
