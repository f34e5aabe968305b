#pragma once

// What the part editor's routines share: a value taken apart into the units its parts change.

#include <algorithm>
#include <cstdint>

#include "dataaware/edits/wwpickerparts.h"
#include "dataaware/edits/wwpickersupport.h"
#include "platform/core/datetime.h"

namespace vex::pickerparts {

inline constexpr int32_t MSecsPerHour = 3600000;
inline constexpr int32_t MSecsPerMinute = 60000;
inline constexpr int32_t MSecsPerSecond = 1000;

struct TCivil {
    int32_t Year = 0, Month = 0, Day = 0, MSec = 0;

    explicit TCivil(TDateTime Value) {
        const TDateTimeParts parts = SplitDateTime(Value);
        uint16_t y, m, d;
        DecodeDate(parts.Day, y, m, d);
        Year = y;
        Month = m;
        Day = d;
        MSec = parts.MSec;
    }
    int32_t DaysInMonth() const { return wwDaysPerMonth(Year, Month); }
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

inline int32_t Wrap(int32_t Value, int32_t Low, int32_t High) {
    const int32_t span = High - Low + 1;
    return ((Value - Low) % span + span) % span + Low;
}

inline int32_t WholeDay(TDateTime Value) {
    return SplitDateTime(Value).Day;
}

// A day number of years 1 to 9999.
inline bool DayInRange(int64_t Day) {
    return Day >= -693593 && Day <= 2958465;
}

inline bool WithinLimits(TDateTime Value, const TwwPartRules& Rules) {
    const int32_t day = WholeDay(Value);
    return day >= WholeDay(Rules.MinDate) && day <= WholeDay(Rules.MaxDate);
}

// Where a day stands in the week that starts on FirstDay (0 Monday .. 6 Sunday).
inline int32_t WeekIndex(int32_t Day, int32_t FirstDay) {
    const int32_t monday = (DayOfWeek(Day) + 5) % 7;
    return Wrap(monday - FirstDay, 0, 6);
}

// Composes C when it lies within the limits.
inline bool ComposeWithinLimits(const TCivil& C, const TwwPartRules& Rules, TDateTime& Value) {
    TDateTime result;
    if (!C.Compose(result) || !WithinLimits(result, Rules)) return false;
    Value = result;
    return true;
}

}  // namespace vex::pickerparts
