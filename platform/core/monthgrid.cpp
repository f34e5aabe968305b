#include "platform/core/monthgrid.h"

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"

namespace vex {

int32_t MondayBasedWeekday(int32_t Day) {
    // 30 December 1899, day 0, was a Saturday.
    return ((Day % 7) + 7 + 5) % 7;
}

TMonthGrid MonthGridOf(uint16_t Year, uint16_t Month, int32_t FirstDayOfWeek) {
    if (FirstDayOfWeek < 0 || FirstDayOfWeek > 6)
        throw ERangeError("First day of week out of range");
    TDateTime first = 0;
    if (!TryEncodeDate(Year, Month, 1, first)) throw ERangeError("Month out of range");
    TMonthGrid grid;
    grid.Year = Year;
    grid.Month = Month;
    grid.FirstOfMonth = static_cast<int32_t>(first);
    grid.Leading = (MondayBasedWeekday(grid.FirstOfMonth) - FirstDayOfWeek + 7) % 7;
    grid.Days = MonthDays(Year, Month);
    return grid;
}

int32_t IsoWeekNumber(int32_t Day) {
    return RowWeekNumber(Day - MondayBasedWeekday(Day));
}

int32_t RowWeekNumber(int32_t FirstDay) {
    // The week belongs to the year of its fourth day, and counts from that year's first week.
    const int32_t middle = FirstDay + 3;
    if (middle < FirstEncodableDay || middle > LastEncodableDay) return 0;
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(middle, year, month, day);
    return (middle - static_cast<int32_t>(EncodeDate(year, 1, 1))) / 7 + 1;
}

}  // namespace vex
