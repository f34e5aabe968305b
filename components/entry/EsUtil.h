#pragma once

#include <cstdint>

#include "platform/core/exceptions.h"
#include "platform/gfx/colors.h"

namespace vex {

// The failures of the TEs controls; the message comes from their string table
// (ExtrasStringResource in SRMgr.h).
VEX_EXCEPTION(EEsError, Exception);

// The days of Month in Year: 0 for a month outside 1 to 12. A year below 100 is taken in the
// current century. Note the order, year first, unlike the three-argument DaysInMonth of OvcDate.h;
// leap years are those of IsLeapYear there.
int32_t DaysInMonth(int32_t Year, int32_t Month);
// The current year less its last two digits: 2000 in the years 2000 to 2099.
int32_t CurrentCentury();

// The red, green and blue parts of a colour value: its low three bytes.
void SplitColor(TColor Color, uint8_t& Red, uint8_t& Green, uint8_t& Blue);

}  // namespace vex
