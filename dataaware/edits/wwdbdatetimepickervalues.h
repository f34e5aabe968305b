#pragma once

#include <cmath>
#include <string>

#include "platform/core/datetime.h"
#include "platform/core/types.h"

namespace vex {

// The two halves of a date-time as the picker keeps them apart: the day counted towards zero,
// and the time of day, which is positive on both sides of the base date.
inline double wwWholeDay(TDateTime Value) {
    return std::trunc(Value);
}

inline double wwTimeOfDay(TDateTime Value) {
    return std::fabs(Value - std::trunc(Value));
}

// The day of Day at the time of day of Time: the picker changes one half and keeps the other.
inline TDateTime wwDayAtTimeOf(TDateTime Day, TDateTime Time) {
    return ComposeDateTime(wwWholeDay(Day), wwTimeOfDay(Time));
}

// Where a date-time lies on a line that runs forward through every day: before the base date a
// later time of day is further from zero, so the values themselves do not compare as moments.
inline double wwMoment(TDateTime Value) {
    return wwWholeDay(Value) + wwTimeOfDay(Value);
}

// Whether a display format writes a day, a month or a year; whether it writes an hour, a
// minute, a second or AM/PM. The settings' shorthands count as the formats they stand for, and
// an empty format writes both.
bool wwFormatHasDate(const std::string& Format);
bool wwFormatHasTime(const std::string& Format);

// The same answers, read once for the format last asked about: a picker asks on every record
// it shows, and its format seldom changes.
class TwwFormatParts {
public:
    bool HasDate(const std::string& Format) {
        Read(Format);
        return FHasDate;
    }
    bool HasTime(const std::string& Format) {
        Read(Format);
        return FHasTime;
    }

private:
    void Read(const std::string& Format);

    bool FRead = false;
    std::string FFormat;
    bool FHasDate = true;
    bool FHasTime = true;
};

}  // namespace vex
