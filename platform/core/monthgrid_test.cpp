#include "platform/core/monthgrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"

namespace vex {
namespace {

int32_t DayOf(uint16_t Year, uint16_t Month, uint16_t Day) {
    return static_cast<int32_t>(EncodeDate(Year, Month, Day));
}

TEST(MonthGrid, StartsOnTheWeekThatHoldsTheFirstOfTheMonth) {
    struct TCase {
        uint16_t Year, Month;
        int32_t FirstDayOfWeek;  // 0 Monday .. 6 Sunday
        int32_t Leading, Days, Trailing;
    };
    const std::vector<TCase> cases = {
        {2024, 3, 6, 5, 31, 6},                         // a Friday: Sunday to Thursday lead
        {2024, 3, 0, 4, 31, 7},                         // Monday to Thursday
        {2024, 9, 6, 0, 30, 12},                        // a Sunday on the first column
        {2024, 9, 0, 6, 30, 6},                         // ... and on the last
        {2015, 2, 6, 0, 28, 14},                        // 28 days from a Sunday: two weeks trail
        {2024, 2, 6, 4, 29, 9},  {1, 1, 0, 0, 31, 11},  // 1 January 0001 was a Monday
        {9999, 12, 4, 5, 31, 6},                        // a Wednesday, weeks from Friday
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Year) + "-" + std::to_string(c.Month) + " from " +
                     std::to_string(c.FirstDayOfWeek));
        const TMonthGrid grid = MonthGridOf(c.Year, c.Month, c.FirstDayOfWeek);
        EXPECT_EQ(grid.Leading, c.Leading);
        EXPECT_EQ(grid.Days, c.Days);
        EXPECT_EQ(grid.Trailing(), c.Trailing);
        EXPECT_EQ(grid.DayAt(grid.Leading), DayOf(c.Year, c.Month, 1));
        EXPECT_EQ(MondayBasedWeekday(grid.FirstCell()), c.FirstDayOfWeek);
        EXPECT_EQ(grid.PartOf(grid.Leading - 1), -1);
        EXPECT_EQ(grid.PartOf(grid.Leading + grid.Days - 1), 0);
        EXPECT_EQ(grid.PartOf(grid.Leading + grid.Days), 1);
    }
}

TEST(MonthGrid, RefusesMonthsAndWeekStartsThatDoNotExist) {
    EXPECT_THROW(MonthGridOf(2024, 13, 0), ERangeError);
    EXPECT_THROW(MonthGridOf(0, 12, 0), ERangeError);
    EXPECT_THROW(MonthGridOf(10000, 1, 0), ERangeError);
    EXPECT_THROW(MonthGridOf(2024, 1, 7), ERangeError);
    EXPECT_THROW(MonthGridOf(2024, 1, -1), ERangeError);
}

TEST(MonthGrid, NumbersWeeksByTheYearOfTheirThursday) {
    struct TCase {
        uint16_t Year, Month, Day;
        int32_t Week;
    };
    const std::vector<TCase> cases = {
        {2021, 1, 3, 53}, {2021, 1, 4, 1},    {2020, 12, 31, 53}, {2018, 12, 31, 1},
        {2026, 1, 1, 1},  {2027, 1, 1, 53},   {2024, 3, 10, 10},  {2024, 12, 30, 1},
        {1, 1, 1, 1},     {9999, 12, 31, 52}, {1900, 1, 1, 1},    {2100, 12, 31, 52},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
                     std::to_string(c.Day));
        EXPECT_EQ(IsoWeekNumber(DayOf(c.Year, c.Month, c.Day)), c.Week);
    }
}

TEST(MonthGrid, NumbersARowByTheYearOfItsFourthDay) {
    EXPECT_EQ(RowWeekNumber(DayOf(2021, 1, 3)), 1) << "Sunday 3 January: Wednesday the 6th";
    EXPECT_EQ(RowWeekNumber(DayOf(2020, 12, 27)), 53);
    EXPECT_EQ(RowWeekNumber(DayOf(1902, 12, 28)), 53)
        << "from Sunday in 1902, though the Monday after begins 1903's first ISO week";
    EXPECT_EQ(RowWeekNumber(DayOf(1902, 12, 29)), 1);
    EXPECT_EQ(RowWeekNumber(DayOf(1, 1, 1) - 1), 1);
    EXPECT_EQ(RowWeekNumber(DayOf(1, 1, 1) - 7), 0) << "the week before year 1";
    EXPECT_EQ(RowWeekNumber(DayOf(9999, 12, 27)), 52);
    EXPECT_EQ(RowWeekNumber(LastEncodableDay - 2), 0) << "its fourth day is in year 10000";
}

}  // namespace
}  // namespace vex
