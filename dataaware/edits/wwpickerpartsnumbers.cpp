#include "dataaware/data/wwSystem.h"
#include "dataaware/edits/wwpickerparts.h"
#include "dataaware/edits/wwpickerpartscivil.h"
#include "dataaware/edits/wwpickersupport.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"

namespace vex {

using namespace pickerparts;

namespace {

using K = TDateTimeTokenKind;

// No date or time a user pastes is longer; reading more would only cost time.
constexpr size_t MaxPastedLength = 256;

// The next leap year after Year; 0 past 9999.
int32_t NextLeapYear(int32_t Year) {
    for (int32_t year = Year + 1; year <= 9999; ++year)
        if (IsLeapYear(static_cast<uint16_t>(year))) return year;
    return 0;
}

bool TypedDay(TCivilDateTime& C, int32_t Number, const TwwPartRules& Rules) {
    if (Number == 0) return true;
    if (Number > 31) return false;
    C.Day = Number;
    if (Number <= C.DaysInMonth()) return true;
    if (C.Month == 2 && Number == 29 && Rules.YearAfterDay) {
        C.Year = NextLeapYear(C.Year);
        return C.Year != 0;
    }
    if (!Rules.DayBeforeMonth) return false;
    while (C.Month < 12 && Number > C.DaysInMonth())
        ++C.Month;
    return Number <= C.DaysInMonth();
}

bool TypedYear(TCivilDateTime& C, const TDateTimeSpan& Part, int32_t Number,
               const TwwPartRules& Rules) {
    if (Part.Width == 2) {
        if (Number > 99) return false;
        C.Year = wwExpandTwoDigitYear(Number, Rules.Epoch);
    } else if (Number != 0) {
        C.Year = Number;
    } else if (Rules.EntryYear != 0) {
        C.Year = Rules.EntryYear;
    }
    if (C.Year < 1 || C.Year > 9999) return false;
    C.ClampDay();
    return true;
}

bool TypedTime(TCivilDateTime& C, const TDateTimeSpan& Part, int32_t Number) {
    switch (Part.Kind) {
        case K::Hour:
            if (Number > (Part.TwelveHour ? 12 : 23)) return false;
            // On the 12-hour clock the half of the day stays; 12 is its first hour.
            C.SetTimeUnit(MSecsPerHour, 24,
                          Part.TwelveHour ? Number % 12 + (C.Hour() >= 12 ? 12 : 0) : Number);
            return true;
        case K::Minute:
            if (Number > 59) return false;
            C.SetTimeUnit(MSecsPerMinute, 60, Number);
            return true;
        case K::Second:
            if (Number > 59) return false;
            C.SetTimeUnit(MSecsPerSecond, 60, Number);
            return true;
        default:
            return false;
    }
}

// The first name from From on (round the list) that Letters begin; -1 when none does.
template <size_t N>
int32_t MatchName(const std::array<std::string, N>& Names, std::string_view Letters, int32_t From) {
    for (size_t i = 0; i < N; ++i) {
        const size_t at = (static_cast<size_t>(From) + i) % N;
        const std::string& name = Names[at];
        if (name.size() >= Letters.size() && AnsiSameText(name.substr(0, Letters.size()), Letters))
            return static_cast<int32_t>(at);
    }
    return -1;
}

}  // namespace

bool wwSetPartNumber(TDateTime& Value, const TDateTimeSpan& Part, int32_t Number,
                     const TwwPartRules& Rules) {
    if (Number < 0) return false;
    TCivilDateTime c(Value);
    switch (Part.Kind) {
        case K::Day:
            if (!TypedDay(c, Number, Rules)) return false;
            break;
        case K::Month:
            if (Number > 12) return false;
            if (Number != 0) c.Month = Number;
            c.ClampDay();
            break;
        case K::Year:
            if (!TypedYear(c, Part, Number, Rules)) return false;
            break;
        default:
            if (!TypedTime(c, Part, Number)) return false;
            return c.Compose(Value);
    }
    return ComposeWithinLimits(c, Rules, Value);
}

bool wwSetPartName(TDateTime& Value, const TDateTimeSpan& Part, std::string_view Letters,
                   const TwwPartRules& Rules) {
    if (Letters.empty()) return false;
    const TFormatSettings& fs = FormatSettings();
    const bool longNames = Part.Width >= 4;
    // One letter looks from the next name on, so pressing it again goes round its names.
    const int32_t skip = Letters.size() == 1 ? 1 : 0;
    const TCivilDateTime c(Value);
    if (Part.Kind == K::MonthName) {
        const int32_t found = longNames
                                  ? MatchName(fs.LongMonthNames, Letters, c.Month - 1 + skip)
                                  : MatchName(fs.ShortMonthNames, Letters, c.Month - 1 + skip);
        return found >= 0 && wwStepDatePart(Value, K::MonthName, found + 1 - c.Month, false, Rules);
    }
    if (Part.Kind == K::DayName) {
        // The names count from Sunday, as DayOfWeek does.
        const int32_t today = DayOfWeek(WholeDay(Value)) - 1;
        const int32_t found = longNames ? MatchName(fs.LongDayNames, Letters, today + skip)
                                        : MatchName(fs.ShortDayNames, Letters, today + skip);
        if (found < 0) return false;
        const int32_t from = WeekIndex(WholeDay(Value), Rules.FirstDay);
        const int32_t to = WrapIntoRange((found + 6) % 7 - Rules.FirstDay, 0, 6);
        return wwStepDatePart(Value, K::DayName, to - from, false, Rules);
    }
    return false;
}

TDateTime wwPastedValue(std::string_view Text, bool TimeOnly) {
    if (Text.size() > MaxPastedLength) return 0;
    if (TimeOnly) return wwStrToTime(Text);
    const TDateTime value = wwStrToDateTime(Text);
    return value != 0 ? value : wwStrToDate(Text);
}

}  // namespace vex
