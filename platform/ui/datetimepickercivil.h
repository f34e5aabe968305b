#pragma once

// A date-time taken apart into the units a picker's parts change, and put back together.

#include <algorithm>
#include <cstdint>

#include "platform/core/datetime.h"

namespace vex {

inline constexpr int32_t MSecsPerHour = 3600000;
inline constexpr int32_t MSecsPerMinute = 60000;
inline constexpr int32_t MSecsPerSecond = 1000;

struct TCivilDateTime {
    int32_t Year = 0, Month = 0, Day = 0, MSec = 0;

    explicit TCivilDateTime(TDateTime Value) {
        const TDateTimeParts parts = SplitDateTime(Value);
        uint16_t y, m, d;
        DecodeDate(parts.Day, y, m, d);
        Year = y;
        Month = m;
        Day = d;
        MSec = parts.MSec;
    }
    // A step may leave the year outside the calendar before Compose refuses it; such a year
    // counts as a common one, as year 1 is, so the month still has a length.
    static int32_t DaysIn(int32_t Year, int32_t Month) {
        if (Month < 1 || Month > 12) return 0;
        const int32_t year = Year >= 1 && Year <= 9999 ? Year : 1;
        return MonthDays(static_cast<uint16_t>(year), static_cast<uint16_t>(Month));
    }
    int32_t DaysInMonth() const { return DaysIn(Year, Month); }
    // The day pulled in to the end of a shorter month.
    void ClampDay() { Day = std::min(Day, DaysInMonth()); }
    int32_t Hour() const { return MSec / MSecsPerHour; }
    // Sets a unit of the time of day (Unit milliseconds, counted Round times a round).
    void SetTimeUnit(int32_t Unit, int32_t Round, int32_t Value) {
        MSec += (Value - MSec / Unit % Round) * Unit;
    }
    // False when the date lies outside years 1 to 9999.
    bool Compose(TDateTime& Value) const {
        TDateTime date;
        if (Year < 1 || Year > 9999 || !TryEncodeDate(Year, Month, Day, date)) return false;
        Value = ComposeDateTime(TDateTimeParts{static_cast<int32_t>(date), MSec});
        return true;
    }
};

// Value brought into Low..High by whole turns of the range, as a part rolls over.
inline int32_t WrapIntoRange(int32_t Value, int32_t Low, int32_t High) {
    const int32_t span = High - Low + 1;
    return ((Value - Low) % span + span) % span + Low;
}

}  // namespace vex
