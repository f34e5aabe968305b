#include "components/entry/OvcDate.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "platform/core/datetime.h"

namespace vex {
namespace {

constexpr int32_t DaysIn400Years = 146097;
constexpr int32_t DaysIn4Years = 1461;
// Days from 1 January to 1 March 1600 (a leap year): the shifted calendar starts in March.
constexpr TStDate FirstMarch1600 = 60;

// 0 until first asked, then the system date's year and month.
std::atomic<int32_t> GDefaultYear{0};
std::atomic<int32_t> GDefaultMonth{0};

void LoadDefaults() {
    if (GDefaultYear.load() != 0 && GDefaultMonth.load() != 0) return;
    uint16_t y, m, d;
    DecodeDate(Date(), y, m, d);
    int32_t expected = 0;
    GDefaultYear.compare_exchange_strong(expected, y);
    expected = 0;
    GDefaultMonth.compare_exchange_strong(expected, m);
}

}  // namespace

bool IsLeapYear(int32_t Year) {
    if (Year % 4 != 0 || Year % 4000 == 0) return false;
    if (Year % 100 != 0) return true;
    return Year % 400 == 0;
}

int32_t ResolveEpoch(int32_t Year, int32_t Epoch) {
    if (Year >= 100 || Year < 0) return Year;
    // Epochs in the last hundred of the integer range would place the year past it; such a year
    // lies outside the calendar anyway, so it is held at the largest value.
    const int64_t century = Epoch / 100 * 100;
    const int64_t year = Year < Epoch % 100 ? century + 100 + Year : century + Year;
    return static_cast<int32_t>(std::min<int64_t>(year, INT32_MAX));
}

int32_t DaysInMonth(int32_t Month, int32_t Year, int32_t Epoch) {
    Year = ResolveEpoch(Year, Epoch);
    if (Year < MinYear || Year > MaxYear) return 0;
    switch (Month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return IsLeapYear(Year) ? 29 : 28;
        default:
            return 0;
    }
}

bool ValidDate(int32_t Day, int32_t Month, int32_t Year, int32_t Epoch) {
    return Day >= 1 && Day <= DaysInMonth(Month, Year, Epoch);
}

TStDate DMYtoStDate(int32_t Day, int32_t Month, int32_t Year, int32_t Epoch) {
    if (!ValidDate(Day, Month, Year, Epoch)) return BadDate;
    Year = ResolveEpoch(Year, Epoch);
    if (Year == MinYear && Month < 3) return Month == 1 ? Day - 1 : Day + 30;
    if (Month > 2) {
        Month -= 3;
    } else {
        Month += 9;
        --Year;
    }
    const int32_t y = Year - MinYear;
    return y / 100 * DaysIn400Years / 4 + y % 100 * DaysIn4Years / 4 + (153 * Month + 2) / 5 + Day +
           59;
}

void StDateToDMY(TStDate Julian, int32_t& Day, int32_t& Month, int32_t& Year) {
    if (Julian < MinDate || Julian > MaxDate) {
        Day = Month = Year = 0;
        return;
    }
    if (Julian < FirstMarch1600) {
        Year = MinYear;
        Month = Julian < 31 ? 1 : 2;
        Day = Julian < 31 ? Julian + 1 : Julian - 30;
        return;
    }
    // Day 0 of the shifted calendar is 1 March 1600.
    int32_t t = 4 * (Julian - FirstMarch1600) + 3;
    const int32_t centuries = t / DaysIn400Years;
    t = t % DaysIn400Years / 4 * 4 + 3;
    const int32_t years = t / DaysIn4Years;
    const int32_t dayOfYear = t % DaysIn4Years / 4;
    const int32_t m = (5 * dayOfYear + 2) / 153;
    Day = dayOfYear - (153 * m + 2) / 5 + 1;
    Year = MinYear + centuries * 100 + years;
    if (m < 10) {
        Month = m + 3;
    } else {
        Month = m - 9;
        ++Year;
    }
}

TDayType DayOfWeek(TStDate Julian) {
    if (Julian < MinDate || Julian > MaxDate) return 7;
    return (Julian + 6) % 7;
}

TDayType DayOfWeekDMY(int32_t Day, int32_t Month, int32_t Year, int32_t Epoch) {
    return DayOfWeek(DMYtoStDate(Day, Month, Year, Epoch));
}

TStTime HMStoStTime(int32_t Hours, int32_t Minutes, int32_t Seconds) {
    // Wide arithmetic: the parts are not range-checked, and their sum must not overflow. A
    // negative sum wraps back into the day instead of becoming a time that is neither valid
    // nor BadTime.
    const int64_t total = int64_t(Hours % 24) * 3600 + int64_t(Minutes) * 60 + Seconds;
    const int64_t time = total % SecondsInDay;
    return static_cast<TStTime>(time < 0 ? time + SecondsInDay : time);
}

void StTimeToHMS(TStTime T, int32_t& Hours, int32_t& Minutes, int32_t& Seconds) {
    if (T < 0 || T >= SecondsInDay) {
        Hours = Minutes = Seconds = 0;
        return;
    }
    Hours = T / 3600;
    Minutes = T % 3600 / 60;
    Seconds = T % 60;
}

bool ValidTime(int32_t Hours, int32_t Minutes, int32_t Seconds) {
    return Hours >= 0 && Hours <= 23 && Minutes >= 0 && Minutes <= 59 && Seconds >= 0 &&
           Seconds <= 59;
}

int32_t DefaultYear() {
    LoadDefaults();
    return GDefaultYear.load();
}

void SetDefaultYear(int32_t Value) {
    LoadDefaults();
    GDefaultYear.store(Value);
}

int32_t DefaultMonth() {
    LoadDefaults();
    return GDefaultMonth.load();
}

void SetDefaultMonth(int32_t Value) {
    LoadDefaults();
    GDefaultMonth.store(Value);
}

}  // namespace vex
