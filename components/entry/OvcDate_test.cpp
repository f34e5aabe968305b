#include "components/entry/OvcDate.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(OvcDate, CalendarEdgesLeapDaysTwoDigitYearsAndWrappedTimes) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/dates.txt")) {
        SCOPED_TRACE(c.Where);
        const auto n = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        if (c[0] == "leap") {
            EXPECT_EQ(IsLeapYear(n(1)), n(2) != 0);
        } else if (c[0] == "epoch") {
            EXPECT_EQ(ResolveEpoch(n(1), n(2)), n(3));
        } else if (c[0] == "days") {
            EXPECT_EQ(DaysInMonth(n(1), n(2), n(3)), n(4));
        } else if (c[0] == "dow") {
            int32_t d = 9, m = 9, y = 9;
            StDateToDMY(n(1), d, m, y);
            EXPECT_EQ(DayOfWeek(n(1)), n(2));
            EXPECT_EQ(DayOfWeekDMY(d, m, y, 0), n(2));
            EXPECT_TRUE(n(2) < 7 || d + m + y == 0);
        } else if (c[0] == "dmy") {
            EXPECT_EQ(DMYtoStDate(n(1), n(2), n(3), n(4)), n(5));
            EXPECT_EQ(ValidDate(n(1), n(2), n(3), n(4)), n(5) != BadDate);
        } else {
            EXPECT_EQ(HMStoStTime(n(1), n(2), n(3)), n(4));
            EXPECT_EQ(ValidTime(n(1), n(2), n(3)), n(5) != 0);
            if (n(5) == 0) continue;
            int32_t h, m, s;
            StTimeToHMS(n(4), h, m, s);
            EXPECT_EQ(h * 10000 + m * 100 + s, n(1) * 10000 + n(2) * 100 + n(3));
        }
    }
    int32_t h = 9, m = 9, s = 9;
    StTimeToHMS(SecondsInDay, h, m, s);
    EXPECT_EQ(h + m + s, 0);
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
}

}  // namespace
}  // namespace vex
