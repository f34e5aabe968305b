#include "platform/core/datetime.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "platform/core/clock.h"
#include "platform/core/datetimetokens.h"
#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// Wide, so that sums of day numbers near either end cannot overflow.
constexpr int64_t MinDay = FirstEncodableDay;
constexpr int64_t MaxDay = LastEncodableDay;

constexpr uint16_t DaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                         {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

int64_t FloorDiv(int64_t A, int64_t B) {
    int64_t q = A / B;
    return (A % B != 0 && (A < 0) != (B < 0)) ? q - 1 : q;
}

TDateTimeParts Split(TDateTime Value) {
    TDateTimeParts result;
    if (!TrySplitDateTime(Value, result)) throw EConvertError("Invalid argument to date decode");
    return result;
}

// For days this file computed itself, which are in range by construction.
TDateTime Join(int64_t Day, int32_t MSec) {
    double time = static_cast<double>(MSec) / MSecsPerDay;
    return Day < 0 ? static_cast<double>(Day) - time : static_cast<double>(Day) + time;
}

int64_t DayNumber(int64_t Year, int64_t Month, int64_t Day) {
    int64_t y = Year - 1;
    int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    const uint16_t* table = DaysInMonth[IsLeapYear(static_cast<uint16_t>(Year))];
    for (int64_t m = 1; m < Month; ++m)
        days += table[m - 1];
    // days now counts from 1 January 0001; that day is MinDay.
    return days + Day - 1 + MinDay;
}

struct TCivilDate {
    uint16_t Year, Month, Day;
};

TCivilDate CivilDate(int64_t DayNum) {
    int64_t n = DayNum - MinDay;  // days since 1 January 0001
    int64_t year = 1;
    int64_t q = n / 146097;
    n -= q * 146097;
    year += q * 400;
    q = std::min<int64_t>(n / 36524, 3);  // the last day of a 400-year cycle is a leap day
    n -= q * 36524;
    year += q * 100;
    q = n / 1461;
    n -= q * 1461;
    year += q * 4;
    q = std::min<int64_t>(n / 365, 3);
    n -= q * 365;
    year += q;
    const uint16_t* table = DaysInMonth[IsLeapYear(static_cast<uint16_t>(year))];
    int month = 0;
    while (n >= table[month])
        n -= table[month++];
    return {static_cast<uint16_t>(year), static_cast<uint16_t>(month + 1),
            static_cast<uint16_t>(n + 1)};
}

int32_t WeekDay(int64_t DayNum) {
    // 1 January 0001 was a Monday; 1 = Sunday.
    return static_cast<int32_t>((DayNum - MinDay + 1) % 7) + 1;
}

bool StartsWithText(std::string_view S, size_t At, std::string_view Prefix) {
    return S.size() - At >= Prefix.size() && SameText(S.substr(At, Prefix.size()), Prefix);
}

// --- Parsing -----------------------------------------------------------------------------

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrder(std::string_view Format) {
    TDateTimeTokenizer tokens(Format);
    for (TDateTimeToken token; tokens.Next(token);) {
        switch (token.Kind) {
            case TDateTimeTokenKind::Year:
                return TDateOrder::YMD;
            case TDateTimeTokenKind::Day:
                return TDateOrder::DMY;
            case TDateTimeTokenKind::Month:
            case TDateTimeTokenKind::MonthName:
                return TDateOrder::MDY;
            default:
                break;
        }
    }
    return TDateOrder::MDY;
}

uint16_t CurrentYear() {
    uint16_t year, month, day;
    DecodeDate(Now(), year, month, day);
    return year;
}

// A number as written: its length tells a two-digit year from a four-digit one.
struct TNumber {
    int32_t Value = 0;
    size_t Length = 0;
};

class TDateTimeScanner {
public:
    explicit TDateTimeScanner(std::string_view S) : FText(S) {}

    bool AtEnd() {
        SkipBlanks();
        return FPos == FText.size();
    }
    bool ScanDate(TDateTime& Date);
    bool ScanTime(TDateTime& Time);

private:
    void SkipBlanks() {
        while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ')
            ++FPos;
    }
    bool ScanChar(char C) {
        SkipBlanks();
        if (FPos == FText.size() || FText[FPos] != C) return false;
        ++FPos;
        return true;
    }
    bool ScanText(std::string_view Text) {
        SkipBlanks();
        if (Text.empty() || !StartsWithText(FText, FPos, Text)) return false;
        FPos += Text.size();
        return true;
    }
    // One to MaxDigits decimal digits; a longer number is not a date or time part.
    bool ScanDigits(size_t MaxDigits, TNumber& Number) {
        Number = {0, 0};
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') {
            if (++Number.Length > MaxDigits) return false;
            Number.Value = Number.Value * 10 + (FText[FPos++] - '0');
        }
        return Number.Length > 0;
    }
    bool ScanNumber(TNumber& Number) {
        SkipBlanks();
        return ScanDigits(4, Number);
    }

    std::string_view FText;
    size_t FPos = 0;
};

bool TDateTimeScanner::ScanDate(TDateTime& Date) {
    const TFormatSettings& fs = FormatSettings();
    TDateOrder order = DateOrder(fs.ShortDateFormat);
    TNumber first, second, third;
    if (!ScanNumber(first) || !ScanChar(fs.DateSeparator) || !ScanNumber(second)) return false;
    // Two parts are a month and a day of the current year, in the order the format implies.
    TNumber year{CurrentYear(), 4}, month = first, day = second;
    if (order == TDateOrder::DMY) std::swap(month, day);
    if (ScanChar(fs.DateSeparator)) {
        if (!ScanNumber(third)) return false;
        if (order == TDateOrder::YMD) {
            year = first;
            month = second;
            day = third;
        } else {
            year = third;
        }
        if (year.Length <= 2) {
            int32_t century = CurrentYear() - fs.TwoDigitYearCenturyWindow;
            year.Value += century / 100 * 100;
            if (fs.TwoDigitYearCenturyWindow > 0 && year.Value < century) year.Value += 100;
        }
    }
    ScanChar(fs.DateSeparator);
    // A window reaching back past the year 1 makes the year negative: refused, not wrapped.
    return TryEncodeDate(year.Value, month.Value, day.Value, Date);
}

bool TDateTimeScanner::ScanTime(TDateTime& Time) {
    const TFormatSettings& fs = FormatSettings();
    TNumber hour, minute, second, fraction;
    if (!ScanNumber(hour)) return false;
    if (ScanChar(fs.TimeSeparator)) {
        if (!ScanNumber(minute)) return false;
        if (ScanChar(fs.TimeSeparator)) {
            if (!ScanNumber(second)) return false;
            // A fraction of the second: ".5" is half a second, ".005" five milliseconds.
            if (ScanChar(fs.DecimalSeparator) && !ScanDigits(3, fraction)) return false;
        }
    }
    int32_t msec = fraction.Value;
    for (size_t digits = fraction.Length; digits > 0 && digits < 3; ++digits)
        msec *= 10;
    int32_t baseHour = -1;
    if (ScanText(fs.TimeAMString) || ScanText("AM"))
        baseHour = 0;
    else if (ScanText(fs.TimePMString) || ScanText("PM"))
        baseHour = 12;
    if (baseHour >= 0) {
        if (hour.Value == 0 || hour.Value > 12) return false;
        hour.Value = hour.Value % 12 + baseHour;
    }
    return TryEncodeTime(hour.Value, minute.Value, second.Value, msec, Time);
}

[[noreturn]] void RaiseNotValid(const std::string& S, const char* What) {
    throw EConvertError("'" + S + "' is not a valid " + What);
}

}  // namespace

bool IsLeapYear(uint16_t Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

uint16_t MonthDays(uint16_t Year, uint16_t Month) {
    if (Month < 1 || Month > 12) throw ERangeError("Month out of range");
    return DaysInMonth[IsLeapYear(Year)][Month - 1];
}

bool TryEncodeDate(int32_t Year, int32_t Month, int32_t Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > MonthDays(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month)))
        return false;
    Date = static_cast<double>(DayNumber(Year, Month, Day));
    return true;
}

bool TryEncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec, TDateTime& Time) {
    if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 ||
        MSec >= 1000)
        return false;
    int32_t ms = ((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec;
    Time = static_cast<double>(ms) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int32_t Year, int32_t Month, int32_t Day) {
    TDateTime result;
    if (!TryEncodeDate(Year, Month, Day, result))
        throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec) {
    TDateTime result;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, result))
        throw EConvertError("Invalid argument to time encode");
    return result;
}

// Rounding comes before the day is fixed, so n.99999999 is the next day at 00:00, never
// 24:00:00 of day n.
bool TrySplitDateTime(TDateTime Value, TDateTimeParts& Parts) {
    if (!std::isfinite(Value)) return false;
    double whole = std::trunc(Value);
    if (whole < MinDay || whole > MaxDay) return false;
    int64_t day = static_cast<int64_t>(whole);
    int64_t ms = std::llround(std::fabs(Value - whole) * MSecsPerDay);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        ++day;  // 24:00 of any day is 00:00 of the day after, before 1899 too
    }
    if (day > MaxDay) return false;
    Parts = {static_cast<int32_t>(day), static_cast<int32_t>(ms)};
    return true;
}

TDateTimeParts SplitDateTime(TDateTime Value) {
    return Split(Value);
}

TDateTime ComposeDateTime(const TDateTimeParts& Parts) {
    if (Parts.Day < MinDay || Parts.Day > MaxDay || Parts.MSec < 0 || Parts.MSec >= MSecsPerDay)
        throw EConvertError("Invalid argument to date encode");
    return Join(Parts.Day, Parts.MSec);
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) {
    if (!std::isfinite(Date) || !std::isfinite(Time) || std::trunc(Date) < MinDay ||
        std::trunc(Date) > MaxDay)
        throw EConvertError("Invalid argument to date encode");
    int64_t day = static_cast<int64_t>(std::trunc(Date));
    int64_t ms = std::llround(std::fabs(Time - std::trunc(Time)) * MSecsPerDay);
    if (ms == MSecsPerDay) {
        ms = 0;
        ++day;
    }
    return ComposeDateTime(TDateTimeParts{static_cast<int32_t>(day), static_cast<int32_t>(ms)});
}

void DecodeDate(TDateTime DateTime, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
    TCivilDate civil = CivilDate(Split(DateTime).Day);
    Year = civil.Year;
    Month = civil.Month;
    Day = civil.Day;
}

bool DecodeDateFully(TDateTime DateTime, uint16_t& Year, uint16_t& Month, uint16_t& Day,
                     uint16_t& DOW) {
    int64_t day = Split(DateTime).Day;
    TCivilDate civil = CivilDate(day);
    Year = civil.Year;
    Month = civil.Month;
    Day = civil.Day;
    DOW = static_cast<uint16_t>(WeekDay(day));
    return IsLeapYear(Year);
}

void DecodeTime(TDateTime DateTime, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
    int32_t ms = Split(DateTime).MSec;
    Hour = static_cast<uint16_t>(ms / 3600000);
    Min = static_cast<uint16_t>(ms / 60000 % 60);
    Sec = static_cast<uint16_t>(ms / 1000 % 60);
    MSec = static_cast<uint16_t>(ms % 1000);
}

TDateTime Now() {
    const TClock& clock = Clock();
    int64_t utc = clock.UtcMilliseconds();
    int64_t local = utc + static_cast<int64_t>(clock.LocalOffsetMinutes(utc)) * 60000;
    int64_t day = FloorDiv(local, MSecsPerDay);
    return Join(day + UnixDateDelta, static_cast<int32_t>(local - day * MSecsPerDay));
}

TDateTime Date() {
    return static_cast<double>(Split(Now()).Day);
}

TDateTime Time() {
    return static_cast<double>(Split(Now()).MSec) / MSecsPerDay;
}

int32_t DayOfWeek(TDateTime DateTime) {
    return WeekDay(Split(DateTime).Day);
}

TDateTime IncMonth(TDateTime DateTime, int32_t NumberOfMonths) {
    TDateTimeParts split = Split(DateTime);
    TCivilDate civil = CivilDate(split.Day);
    int64_t months = static_cast<int64_t>(civil.Year) * 12 + (civil.Month - 1) + NumberOfMonths;
    int64_t year = FloorDiv(months, 12);
    int64_t month = months - year * 12 + 1;
    if (year < 1 || year > 9999) throw EConvertError("Invalid argument to date encode");
    uint16_t lastDay = MonthDays(static_cast<uint16_t>(year), static_cast<uint16_t>(month));
    uint16_t day = std::min(civil.Day, lastDay);
    return Join(DayNumber(year, month, day), split.MSec);
}

int64_t DateTimeToUnix(TDateTime Value) {
    TDateTimeParts split = Split(Value);
    int64_t ms = (int64_t{split.Day} - UnixDateDelta) * MSecsPerDay + split.MSec;
    return FloorDiv(ms + 500, 1000);
}

TDateTime UnixToDateTime(int64_t Value) {
    // The day is checked before it is multiplied back: the seconds of the farthest days do
    // not fit the integer.
    int64_t day = FloorDiv(Value, SecsPerDay) + UnixDateDelta;
    if (day < MinDay || day > MaxDay) throw EConvertError("Invalid argument to date encode");
    int64_t second = Value - (day - UnixDateDelta) * SecsPerDay;
    return Join(day, static_cast<int32_t>(second * 1000));
}

bool TryStrToDate(const std::string& S, TDateTime& Value) {
    TDateTimeScanner scanner(S);
    return scanner.ScanDate(Value) && scanner.AtEnd();
}

bool TryStrToTime(const std::string& S, TDateTime& Value) {
    TDateTimeScanner scanner(S);
    return scanner.ScanTime(Value) && scanner.AtEnd();
}

bool TryStrToDateTime(const std::string& S, TDateTime& Value) {
    TDateTimeScanner scanner(S);
    TDateTime date, time = 0;
    if (scanner.ScanDate(date) &&
        (scanner.AtEnd() || (scanner.ScanTime(time) && scanner.AtEnd()))) {
        Value = ComposeDateTime(date, time);
        return true;
    }
    return TryStrToTime(S, Value);
}

TDateTime StrToDate(const std::string& S) {
    TDateTime result;
    if (!TryStrToDate(S, result)) RaiseNotValid(S, "date");
    return result;
}

TDateTime StrToTime(const std::string& S) {
    TDateTime result;
    if (!TryStrToTime(S, result)) RaiseNotValid(S, "time");
    return result;
}

TDateTime StrToDateTime(const std::string& S) {
    TDateTime result;
    if (!TryStrToDateTime(S, result)) RaiseNotValid(S, "date and time");
    return result;
}

}  // namespace vex
