#include "components/entry/OvcDate.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/core/clock.h"

namespace vex {
namespace {

TEST(OvcDate, CalendarEdgesLeapDaysAndTwoDigitYears) {
    for (int32_t year : {1600, 1996, 2000})
        EXPECT_TRUE(IsLeapYear(year)) << year;
    for (int32_t year : {1700, 1999, 2100, 4000, 8000})
        EXPECT_FALSE(IsLeapYear(year)) << year;
    EXPECT_EQ(ResolveEpoch(99, 1950), 1999);
    EXPECT_EQ(ResolveEpoch(49, 1950), 2049);
    EXPECT_EQ(ResolveEpoch(1996, 1950), 1996);
    EXPECT_EQ(ResolveEpoch(100, 1950), 100);
    // An epoch at the top of the integer range gives no date rather than overflowing.
    EXPECT_EQ(ResolveEpoch(5, INT32_MAX), INT32_MAX);
    EXPECT_EQ(DMYtoStDate(1, 1, 99, INT32_MAX), BadDate);
    EXPECT_EQ(ResolveEpoch(5, INT32_MIN), INT32_MIN / 100 * 100 + 5);
    EXPECT_EQ(DaysInMonth(2, 96, 1950), 29);
    EXPECT_EQ(DaysInMonth(2, 1900, 0), 28);
    for (int32_t bad : {0, 13, -1})
        EXPECT_EQ(DaysInMonth(bad, 2000, 0), 0);
    EXPECT_EQ(DaysInMonth(1, 1599, 0) + DaysInMonth(1, 4000, 0), 0);
    EXPECT_FALSE(ValidDate(29, 2, 2100, 0));
    EXPECT_FALSE(ValidDate(1, 1, -5, 1950));
    EXPECT_EQ(DMYtoStDate(29, 2, 1600, 0), 59);
    EXPECT_EQ(DMYtoStDate(1, 1, 2000, 0), 146097);
    EXPECT_EQ(DMYtoStDate(31, 12, 3999, 0), 876581);
    for (int32_t year : {1599, 4000})
        EXPECT_EQ(DMYtoStDate(1, 1, year, 0), BadDate) << year;
    EXPECT_EQ(DMYtoStDate(29, 2, 1700, 0), BadDate);
}

TEST(OvcDate, EveryDayNumberRoundTripsAndOthersGiveNoDate) {
    int32_t prevDay = 0, prevMonth = 12, prevYear = 1599;
    for (TStDate julian = MinDate; julian <= MaxDate; ++julian) {
        int32_t d, m, y;
        StDateToDMY(julian, d, m, y);
        ASSERT_EQ(DMYtoStDate(d, m, y, 0), julian) << d << "/" << m << "/" << y;
        // Consecutive numbers are consecutive days: nothing skipped or repeated.
        const bool nextDay = d == prevDay + 1 && m == prevMonth && y == prevYear;
        const bool nextMonth =
            d == 1 && (m == prevMonth + 1 ? y == prevYear : m == 1 && y == prevYear + 1);
        ASSERT_TRUE(nextDay || nextMonth) << julian;
        prevDay = d, prevMonth = m, prevYear = y;
    }
    EXPECT_EQ(prevYear, MaxYear);
    for (TStDate bad : {BadDate, -100, MaxDate + 1}) {
        int32_t d = 9, m = 9, y = 9;
        StDateToDMY(bad, d, m, y);
        EXPECT_EQ(d + m + y, 0) << bad;
        EXPECT_EQ(DayOfWeek(bad), 7) << bad;
    }
    EXPECT_EQ(DayOfWeek(0), 6);  // 1 January 1600 was a Saturday
    EXPECT_EQ(DayOfWeekDMY(5, 1, 1996, 0), 5);
    EXPECT_EQ(DayOfWeekDMY(30, 2, 2000, 0), 7);
}

TEST(OvcDate, TimesWrapIntoOneDay) {
    EXPECT_EQ(HMStoStTime(25, 0, 0), 3600);
    EXPECT_EQ(HMStoStTime(0, 0, -1), 86399);
    EXPECT_EQ(HMStoStTime(0, INT32_MAX, INT32_MAX), (int64_t(INT32_MAX) * 61) % 86400);
    int32_t h, m, s;
    StTimeToHMS(86399, h, m, s);
    EXPECT_EQ(h * 10000 + m * 100 + s, 235959);
    StTimeToHMS(86400, h, m, s);
    EXPECT_EQ(h + m + s, 0);
    EXPECT_TRUE(ValidTime(23, 59, 59));
    EXPECT_FALSE(ValidTime(24, 0, 0));
    EXPECT_FALSE(ValidTime(0, 60, 0));
    EXPECT_FALSE(ValidTime(0, 0, -1));
}

TEST(OvcDate, DefaultYearAndMonthComeFromTheClockAndCanBeSet) {
    TFixedClock clock(1710504000000, 0);  // 15 March 2024 12:00 UTC
    TClockOverride use(clock);
    const int32_t year = DefaultYear(), month = DefaultMonth();
    EXPECT_GE(year, 2024);  // fixed when first asked, which may have been before this test
    SetDefaultYear(1999);
    SetDefaultMonth(7);
    EXPECT_EQ(DefaultYear() * 100 + DefaultMonth(), 199907);
    SetDefaultYear(year);
    SetDefaultMonth(month);
}

}  // namespace
}  // namespace vex
