#include "dataaware/edits/wwpickersupport.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/datetime.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const char* const kTable = VEX_TEST_DIR "/testdata/pickersupport.txt";

// "yyyy-mm-dd" and "hh:nn" as one date-time.
TDateTime At(const std::string& Day, const std::string& Clock) {
    const auto part = [](const std::string& S, size_t At, size_t Length) {
        return static_cast<uint16_t>(std::stoi(S.substr(At, Length)));
    };
    return ComposeDateTime(EncodeDate(part(Day, 0, 4), part(Day, 5, 2), part(Day, 8, 2)),
                           EncodeTime(part(Clock, 0, 2), part(Clock, 3, 2), 0, 0));
}

TEST(PickerSupport, DaysPerMonthFollowsTheLeapYears) {
    for (const test::TestCase& c : test::ReadCases(kTable, "days")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(wwDaysPerMonth(static_cast<int32_t>(c.Int(0)), static_cast<int32_t>(c.Int(1))),
                  c.Int(2));
    }
}

TEST(PickerSupport, AddMonthsClampsTheDayKeepsTheTimeAndStopsAtTheEnds) {
    for (const test::TestCase& c : test::ReadCases(kTable, "addmonths")) {
        SCOPED_TRACE(c.Where);
        const TDateTime result = wwAddMonths(At(c[0], c[1]), static_cast<int32_t>(c.Int(2)));
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", result), c[3] + " " + c[4]);
    }
}

TEST(PickerSupport, TwoDigitYearsFallAroundThePivot) {
    for (const test::TestCase& c : test::ReadCases(kTable, "expand")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(
            wwExpandTwoDigitYear(static_cast<int32_t>(c.Int(0)), static_cast<int32_t>(c.Int(1))),
            c.Int(2));
    }
}

TEST(PickerSupport, ReplaceAllGoesOnAfterEachReplacement) {
    for (const test::TestCase& c : test::ReadCases(kTable, "replace")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(wwReplaceAll(c[0], c[1], c[2]), c[3]);
    }
}

TEST(PickerSupport, SameOrEarlierDayIgnoresTheTimeOfDay) {
    const TDateTime morning = At("2024-03-05", "06:00");
    EXPECT_TRUE(wwIsSameOrEarlierDay(At("2024-03-05", "23:00"), morning));
    EXPECT_TRUE(wwIsSameOrEarlierDay(At("2024-03-04", "23:00"), morning));
    EXPECT_FALSE(wwIsSameOrEarlierDay(At("2024-03-06", "00:00"), morning));
    // Before 1899 the time is counted backwards from the day, and must not move it.
    EXPECT_TRUE(wwIsSameOrEarlierDay(At("1899-12-28", "18:00"), At("1899-12-28", "01:00")));
    EXPECT_FALSE(wwIsSameOrEarlierDay(At("1899-12-29", "00:00"), At("1899-12-28", "23:00")));
}

}  // namespace
}  // namespace vex
