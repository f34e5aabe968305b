#pragma once

#include <cstdint>

#include "platform/core/types.h"

namespace vex {

// A calendar date and time of day in parts, as the month calendar window exchanges them.
// wDayOfWeek counts 0 = Sunday to 6 = Saturday.
struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

// The parts of a date-time of 1 January 0001 to 31 December 9999; else EConvertError.
SYSTEMTIME DateTimeToSystemTime(TDateTime DateTime);
// False (and Value untouched) for parts that name no date or time of day; wDayOfWeek is ignored.
bool TrySystemTimeToDateTime(const SYSTEMTIME& Time, TDateTime& Value);
// The same, raising EConvertError "Invalid argument to date encode" or "... time encode".
TDateTime SystemTimeToDateTime(const SYSTEMTIME& Time);

}  // namespace vex
