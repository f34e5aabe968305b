#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/core/types.h"

namespace vex {

// The first day of a week, as DayOfWeek counts less one.
enum TEsDayType : uint8_t {
    dtSunday,
    dtMonday,
    dtTuesday,
    dtWednesday,
    dtThursday,
    dtFriday,
    dtSaturday
};

// The 42 day numbers a calendar shows for one month, six weeks from WeekStarts: the last days of
// the month before, the month's own, then the first days of the month after. Cells count from 1,
// as the calendar's keys and clicks do.
struct TEsDayGrid {
    std::array<uint8_t, 43> Days{};  // Days[0] is unused
    uint8_t FirstIndex = 1;          // the cell of day 1
    uint8_t LastIndex = 1;           // the cell of the month's last day
};

TEsDayGrid BuildDayGrid(uint16_t Year, uint16_t Month, TEsDayType WeekStarts);

// Date moved by whole months (back when negative), its day lowered to the length of the month it
// reaches; nothing when that month lies outside the years 1 to 9999.
std::optional<TDateTime> StepMonths(TDateTime Date, int32_t Months);
// Date moved by Days; nothing outside the years 1 to 9999.
std::optional<TDateTime> StepDays(TDateTime Date, int32_t Days);

// The month menu lists the months from three before Month to three after it, wrapping through
// the year: the month of each of its seven positions.
std::array<uint8_t, 7> MonthMenuMonths(uint16_t Month);
// The date the month menu's item at Position (0 to 6) stands for: its month, in the year before
// when it lies before the current month but has a larger number, in the year after when it lies
// after but has a smaller one, with the day lowered to the month's length.
std::optional<TDateTime> MonthMenuDate(TDateTime Date, int32_t Position);

}  // namespace vex

namespace vex {

// Where a calendar key moves Date: Left and Right a day, Up and Down a week, Home and End to the
// month's first and last day, Page Up and Page Down a month (a year with Ctrl held), Alt+Backspace
// to Today. Nothing for other keys, and for a move beyond the years 1 to 9999.
std::optional<TDateTime> CalendarKeyTarget(TDateTime Date, TDateTime Today, uint16_t Key,
                                           bool Shift, bool Ctrl, bool Alt);

}  // namespace vex
