#pragma once

#include <cstdint>

#include "platform/core/datetime.h"

namespace vex {

// Days here are whole days counted from 30 December 1899, as a TDateTime's whole part counts
// them, so that date arithmetic on a calendar page is integer arithmetic.

// The page a month calendar shows for one month: six weeks of seven days from the week that
// holds the first of the month, which starts on FirstDayOfWeek (0 Monday .. 6 Sunday, the
// locale's digit). The cells before the first belong to the month before, the ones after the
// last to the month after; six weeks always hold a 31-day month that starts on the last day
// of a week.
struct TMonthGrid {
    static constexpr int32_t Rows = 6;
    static constexpr int32_t Cols = 7;
    static constexpr int32_t Cells = Rows * Cols;

    uint16_t Year = 0;
    uint16_t Month = 0;
    int32_t FirstOfMonth = 0;  // the day of the 1st
    int32_t Leading = 0;       // cells of the month before, 0 to 6
    int32_t Days = 0;          // days of the month itself

    int32_t FirstCell() const { return FirstOfMonth - Leading; }
    int32_t DayAt(int32_t Cell) const { return FirstCell() + Cell; }
    // -1 for a cell of the month before, 0 for one of this month, 1 for one of the month after.
    int32_t PartOf(int32_t Cell) const {
        return Cell < Leading ? -1 : Cell < Leading + Days ? 0 : 1;
    }
    int32_t Trailing() const { return Cells - Leading - Days; }
};

// Month 1 to 12 of year 1 to 9999, FirstDayOfWeek 0 to 6; else ERangeError.
TMonthGrid MonthGridOf(uint16_t Year, uint16_t Month, int32_t FirstDayOfWeek);

// The day's place in a week that starts on Monday: 0 Monday .. 6 Sunday.
int32_t MondayBasedWeekday(int32_t Day);

// The ISO 8601 week of the day: weeks start on Monday, and a week belongs to the year that holds
// four of its days (its Thursday). 0 for a week that years 1 to 9999 cannot number.
int32_t IsoWeekNumber(int32_t Day);

// The week number a calendar writes beside a row of seven days from FirstDay, by the same rule
// for weeks that start on any day: the row belongs to the year of its fourth day and counts from
// that year's first such row. For rows from Monday it is the ISO week; rows from Sunday are
// numbered as the common calendar programs number them.
int32_t RowWeekNumber(int32_t FirstDay);

}  // namespace vex
