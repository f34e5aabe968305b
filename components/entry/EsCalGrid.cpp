#include "components/entry/EsCalGrid.h"

#include <algorithm>
#include <cmath>

#include "platform/core/datetime.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

constexpr TDateTime kFirstDay = -693593;  // 1 January of the year 1
constexpr TDateTime kLastDay = 2958465;   // 31 December 9999

std::optional<TDateTime> DateOf(int32_t Year, int32_t Month, int32_t Day) {
    if (Year < 1 || Year > 9999) return std::nullopt;
    Day = std::min<int32_t>(Day,
                            MonthDays(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month)));
    return EncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month),
                      static_cast<uint16_t>(Day));
}

}  // namespace

TEsDayGrid BuildDayGrid(uint16_t Year, uint16_t Month, TEsDayType WeekStarts) {
    TEsDayGrid grid;
    const int32_t firstWeekday = DayOfWeek(EncodeDate(Year, Month, 1)) - 1;
    // A week start read from outside the enumeration still counts round the week.
    int32_t first = firstWeekday - WeekStarts % 7 + 1;
    if (first < 1) first += 7;
    grid.FirstIndex = static_cast<uint8_t>(first);
    grid.LastIndex = static_cast<uint8_t>(MonthDays(Year, Month) + first - 1);
    const int32_t before = Month == 1 ? 31 : MonthDays(Year, static_cast<uint16_t>(Month - 1));
    for (int32_t i = first - 1, day = before; i >= 1; --i, --day)
        grid.Days[i] = static_cast<uint8_t>(day);
    for (int32_t i = first, day = 1; i <= 42; ++i, ++day) {
        if (i == grid.LastIndex + 1) day = 1;
        grid.Days[i] = static_cast<uint8_t>(day);
    }
    return grid;
}

std::optional<TDateTime> StepMonths(TDateTime Date, int32_t Months) {
    uint16_t year, month, day;
    DecodeDate(Date, year, month, day);
    const int32_t index = year * 12 + (month - 1) + Months;
    return DateOf(index / 12, index % 12 + 1, day);
}

std::optional<TDateTime> StepDays(TDateTime Date, int32_t Days) {
    // The day moves and its time stays: before 30 December 1899 the time counts forward from a
    // negative day, so adding to the whole value would move it the wrong way there.
    const double day = std::trunc(Date) + Days;
    if (day < kFirstDay || day > kLastDay) return std::nullopt;
    return ComposeDateTime(day, Date);
}

std::array<uint8_t, 7> MonthMenuMonths(uint16_t Month) {
    std::array<uint8_t, 7> months{};
    for (int32_t position = 0; position < 7; ++position)
        months[position] = static_cast<uint8_t>((Month - 1 + position - 3 + 12) % 12 + 1);
    return months;
}

std::optional<TDateTime> MonthMenuDate(TDateTime Date, int32_t Position) {
    uint16_t year, month, day;
    DecodeDate(Date, year, month, day);
    const int32_t chosen = MonthMenuMonths(month)[Position];
    int32_t chosenYear = year;
    if (Position < 3 && chosen > month) --chosenYear;
    if (Position > 3 && chosen < month) ++chosenYear;
    return DateOf(chosenYear, chosen, day);
}

}  // namespace vex

namespace vex {

std::optional<TDateTime> CalendarKeyTarget(TDateTime Date, TDateTime Today, uint16_t Key,
                                           bool Shift, bool Ctrl, bool Alt) {
    const bool plain = !Shift && !Ctrl && !Alt;
    uint16_t year, month, day;
    DecodeDate(Date, year, month, day);
    switch (Key) {
        case VK_LEFT:
            return plain ? StepDays(Date, -1) : std::nullopt;
        case VK_RIGHT:
            return plain ? StepDays(Date, 1) : std::nullopt;
        case VK_UP:
            return plain ? StepDays(Date, -7) : std::nullopt;
        case VK_DOWN:
            return plain ? StepDays(Date, 7) : std::nullopt;
        case VK_HOME:
            return plain ? StepDays(Date, 1 - day) : std::nullopt;
        case VK_END:
            return plain ? StepDays(Date, MonthDays(year, month) - day) : std::nullopt;
        case VK_PRIOR:
            if (Ctrl) return StepMonths(Date, -12);
            return plain ? StepMonths(Date, -1) : std::nullopt;
        case VK_NEXT:
            if (Ctrl) return StepMonths(Date, 12);
            return plain ? StepMonths(Date, 1) : std::nullopt;
        case VK_BACK:
            return Alt ? std::optional<TDateTime>(Today) : std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace vex
