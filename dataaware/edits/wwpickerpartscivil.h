#pragma once

// What the part editor's routines share: days held to the limits and placed in the week.

#include <cstdint>

#include "dataaware/edits/wwpickerparts.h"
#include "platform/core/datetime.h"
#include "platform/ui/datetimepickercivil.h"

namespace vex::pickerparts {

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
    return WrapIntoRange(monday - FirstDay, 0, 6);
}

// Composes C when it lies within the limits.
inline bool ComposeWithinLimits(const TCivilDateTime& C, const TwwPartRules& Rules,
                                TDateTime& Value) {
    TDateTime result;
    if (!C.Compose(result) || !WithinLimits(result, Rules)) return false;
    Value = result;
    return true;
}

}  // namespace vex::pickerparts
