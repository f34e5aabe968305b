#include "components/entry/OvcDate.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "platform/core/clock.h"

namespace vex {
namespace {

TEST(OvcDate, LeapYearsSkipCenturiesButEveryFourHundredthAndTheFourThousandth) {
    const struct {
        int32_t Year;
        bool Leap;
    } cases[] = {{1600, true}, {1700, false}, {1996, true},  {1999, false},
                 {2000, true}, {2100, false}, {4000, false}, {8000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Year);
        EXPECT_EQ(IsLeapYear(c.Year), c.Leap);
    }
}

TEST(OvcDate, TwoDigitYearsFallIntoTheHundredYearsFromTheEpoch) {
    EXPECT_EQ(ResolveEpoch(5, 1900), 1905);
    EXPECT_EQ(ResolveEpoch(99, 1950), 1999);
    EXPECT_EQ(ResolveEpoch(50, 1950), 1950);
    EXPECT_EQ(ResolveEpoch(49, 1950), 2049);
    EXPECT_EQ(ResolveEpoch(0, 1950), 2000);
    EXPECT_EQ(ResolveEpoch(1996, 1950), 1996);
    EXPECT_EQ(ResolveEpoch(100, 1950), 100);
}

TEST(OvcDate, AnEpochAtTheTopOfTheIntegerRangeGivesNoDate) {
    for (int32_t year : {0, 5, 47, 48, 99}) {
        SCOPED_TRACE(year);
        EXPECT_EQ(ResolveEpoch(year, INT32_MAX), INT32_MAX);
        EXPECT_EQ(DaysInMonth(1, year, INT32_MAX), 0);
        EXPECT_EQ(DMYtoStDate(1, 1, year, INT32_MAX), BadDate);
    }
    EXPECT_EQ(ResolveEpoch(5, INT32_MIN), INT32_MIN / 100 * 100 + 5);
}

TEST(OvcDate, MonthLengthsAndValidityStayWithinTheCalendar) {
    EXPECT_EQ(DaysInMonth(2, 1600, 0), 29);
    EXPECT_EQ(DaysInMonth(2, 1900, 0), 28);
    EXPECT_EQ(DaysInMonth(2, 96, 1950), 29);
    EXPECT_EQ(DaysInMonth(4, 2000, 0), 30);
    EXPECT_EQ(DaysInMonth(12, 3999, 0), 31);
    for (int32_t bad : {0, 13, -1}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(DaysInMonth(bad, 2000, 0), 0);
    }
    EXPECT_EQ(DaysInMonth(1, 1599, 0), 0);
    EXPECT_EQ(DaysInMonth(1, 4000, 0), 0);

    EXPECT_TRUE(ValidDate(29, 2, 2000, 0));
    EXPECT_FALSE(ValidDate(29, 2, 2100, 0));
    EXPECT_FALSE(ValidDate(0, 1, 2000, 0));
    EXPECT_FALSE(ValidDate(32, 1, 2000, 0));
    EXPECT_FALSE(ValidDate(1, 1, -5, 1950));
}

TEST(OvcDate, DayNumbersAtTheCalendarsEdgesAndTheLeapDays) {
    const struct {
        int32_t Day, Month, Year;
        TStDate Julian;
    } cases[] = {{1, 1, 1600, 0},         {31, 1, 1600, 30},      {29, 2, 1600, 59},
                 {1, 3, 1600, 60},        {1, 1, 1601, 366},      {1, 3, 1700, 36584},
                 {1, 1, 2000, 146097},    {31, 12, 3999, 876581}, {1, 1, 4000, BadDate},
                 {31, 12, 1599, BadDate}, {29, 2, 1700, BadDate}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Day << "/" << c.Month << "/" << c.Year);
        EXPECT_EQ(DMYtoStDate(c.Day, c.Month, c.Year, 0), c.Julian);
    }
    EXPECT_EQ(DMYtoStDate(1, 1, 0, 1950), 146097);
}

TEST(OvcDate, EveryDayNumberRoundTripsThroughDayMonthYear) {
    int32_t prevDay = 0, prevMonth = 12, prevYear = 1599;
    for (TStDate julian = MinDate; julian <= MaxDate; ++julian) {
        int32_t d, m, y;
        StDateToDMY(julian, d, m, y);
        ASSERT_TRUE(ValidDate(d, m, y, 0)) << julian;
        ASSERT_EQ(DMYtoStDate(d, m, y, 0), julian) << d << "/" << m << "/" << y;
        // Consecutive numbers are consecutive days: nothing skipped or repeated.
        const bool nextDay = d == prevDay + 1 && m == prevMonth && y == prevYear;
        const bool nextMonth =
            d == 1 && (m == prevMonth + 1 ? y == prevYear : m == 1 && y == prevYear + 1);
        ASSERT_TRUE(nextDay || nextMonth) << julian;
        prevDay = d, prevMonth = m, prevYear = y;
    }
    EXPECT_EQ(prevYear, MaxYear);
}

TEST(OvcDate, DayNumbersOutsideTheCalendarGiveZerosAndNoWeekday) {
    for (TStDate bad : {BadDate, -100, MaxDate + 1}) {
        SCOPED_TRACE(bad);
        int32_t d = 9, m = 9, y = 9;
        StDateToDMY(bad, d, m, y);
        EXPECT_EQ(d, 0);
        EXPECT_EQ(m, 0);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(DayOfWeek(bad), 7);
    }
}

TEST(OvcDate, WeekdaysCountFromSundayAndFirstOfJanuary1600WasASaturday) {
    EXPECT_EQ(DayOfWeek(0), 6);
    EXPECT_EQ(DayOfWeek(1), 0);
    EXPECT_EQ(DayOfWeekDMY(1, 1, 2000, 0), 6);
    EXPECT_EQ(DayOfWeekDMY(5, 1, 1996, 0), 5);
    EXPECT_EQ(DayOfWeekDMY(31, 12, 3999, 0), 5);
    EXPECT_EQ(DayOfWeekDMY(30, 2, 2000, 0), 7);
}

TEST(OvcDate, TimesWrapIntoOneDay) {
    EXPECT_EQ(HMStoStTime(0, 0, 0), 0);
    EXPECT_EQ(HMStoStTime(23, 59, 59), 86399);
    EXPECT_EQ(HMStoStTime(25, 0, 0), 3600);
    EXPECT_EQ(HMStoStTime(0, 1440, 0), 0);
    EXPECT_EQ(HMStoStTime(0, 0, -1), 86399);
    EXPECT_EQ(HMStoStTime(0, INT32_MAX, INT32_MAX), (int64_t(INT32_MAX) * 61) % 86400);

    int32_t h, m, s;
    StTimeToHMS(86399, h, m, s);
    EXPECT_EQ(h * 10000 + m * 100 + s, 235959);
    for (TStTime bad : {BadTime, 86400}) {
        SCOPED_TRACE(bad);
        h = m = s = 9;
        StTimeToHMS(bad, h, m, s);
        EXPECT_EQ(h + m + s, 0);
    }

    EXPECT_TRUE(ValidTime(0, 0, 0));
    EXPECT_TRUE(ValidTime(23, 59, 59));
    EXPECT_FALSE(ValidTime(24, 0, 0));
    EXPECT_FALSE(ValidTime(0, 60, 0));
    EXPECT_FALSE(ValidTime(0, 0, -1));
}

TEST(OvcDate, DefaultYearAndMonthComeFromTheClockAndCanBeSet) {
    // 15 March 2024 12:00 UTC.
    TFixedClock clock(1710504000000, 0);
    TClockOverride use(clock);
    const int32_t year = DefaultYear();
    const int32_t month = DefaultMonth();
    EXPECT_GE(year, 2024);  // fixed when first asked, which may have been before this test
    EXPECT_TRUE(month >= 1 && month <= 12);
    SetDefaultYear(1999);
    SetDefaultMonth(7);
    EXPECT_EQ(DefaultYear(), 1999);
    EXPECT_EQ(DefaultMonth(), 7);
    SetDefaultYear(year);
    SetDefaultMonth(month);
}

}  // namespace
}  // namespace vex
