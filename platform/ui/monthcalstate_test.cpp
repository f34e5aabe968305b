#include "platform/ui/monthcalstate.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/datetime.h"

namespace vex {
namespace {

int32_t DayOf(uint16_t Year, uint16_t Month, uint16_t Day) {
    return static_cast<int32_t>(EncodeDate(Year, Month, Day));
}

// Fourteen masks from December 2024, as MCN_GETDAYSTATE answers them for twelve months from
// January 2025: the mask of the i-th month makes day i + 1 bold.
TEST(MonthCalState, ReadsTheBoldDaysOfEachMonthFromItsOwnMask) {
    TMonthCalState state;
    state.Style = MCS_DAYSTATE;
    state.DayStateFirst = MonthIndexOf(2024, 12);
    for (uint32_t i = 0; i < 14; ++i)
        state.DayState.push_back(MONTHDAYSTATE{1} << i);
    struct TCase {
        uint16_t Year, Month, Day;
        bool Bold;
    };
    const std::vector<TCase> cases = {
        {2024, 12, 1, true},  {2024, 12, 2, false}, {2025, 1, 2, true},   {2025, 1, 1, false},
        {2025, 12, 13, true}, {2026, 1, 14, true},  {2026, 1, 13, false}, {2026, 2, 15, false},
        {2024, 11, 1, false}, {2025, 2, 3, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
                     std::to_string(c.Day));
        EXPECT_EQ(state.Bold(DayOf(c.Year, c.Month, c.Day)), c.Bold);
    }
    state.Style = 0;
    EXPECT_FALSE(state.Bold(DayOf(2024, 12, 1))) << "bold days need MCS_DAYSTATE";
}

}  // namespace
}  // namespace vex
