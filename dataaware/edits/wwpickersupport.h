#pragma once

#include <cstdint>
#include <string>

#include "dataaware/data/Wwcommonclasses.h"
#include "platform/core/types.h"

namespace vex {

// Small date, string and class routines shared by the month calendar and the date/time picker.

// Month 1 to 12 of Year; 0 for any other month.
int32_t wwDaysPerMonth(int32_t Year, int32_t Month);

// Whether the day of A is the day of B or one before it; the times of day do not count.
bool wwIsSameOrEarlierDay(TDateTime A, TDateTime B);

// The hundreds of the current year (20 in 2026).
int32_t wwCurrentCentury();

// Moves Date by Months whole months (back when negative): the day is pulled in to the end of a
// shorter month and the time of day is kept. A result before year 1 or after 9999 leaves Date
// as it is, so a caller stepping at either end of the calendar stays there.
TDateTime wwAddMonths(TDateTime Date, int32_t Months);

// The four-digit year of a two-digit one: the century of Pivot, or the next one for digits below
// Pivot's last two, so that with Pivot 1950, 49 is 2049 and 50 is 1950.
int32_t wwExpandTwoDigitYear(int32_t TwoDigits, int32_t Pivot);

// Source with every occurrence of From (case counts) replaced by To, scanning left to right and
// going on after each replacement, so a To holding From is not replaced again. An empty From
// changes nothing.
std::string wwReplaceAll(const std::string& Source, const std::string& From, const std::string& To);

// The shared class-name test, by the name the calendar and the picker know it.
inline bool wwIsClass(const TObject* Object, const std::string& ClassName) {
    return wwIsClassNamed(Object, ClassName);
}

}  // namespace vex
