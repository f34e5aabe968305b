#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// The height of a combo box's list of Count rows of ItemHeight: DropDownCount rows at most, and
// its border.
int32_t wwDropDownHeight(int32_t Count, int32_t DropDownCount, int32_t ItemHeight);

// Where the list of a combo at Combo (screen coordinates) shows: below it, overlapping its last
// row, or above it when that would run past the screen's bottom; left-aligned with it, or
// right-aligned when that would run past the screen's right edge. Either way the list is kept on
// the screen as far as its size allows.
TRect wwDropDownBounds(const TRect& Combo, int32_t Width, int32_t Height, TSize Screen);

}  // namespace vex
