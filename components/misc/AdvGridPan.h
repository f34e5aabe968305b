#pragma once

#include <cstdint>

namespace vex {

// Middle-button panning: the anchor shows where the button went down, and the grid scrolls
// while the pointer is off it, faster the farther away.
inline constexpr int32_t PanAnchorSize = 32;

// The rows (or columns) one tick of panning scrolls for the pointer Offset pixels from the
// anchor's centre: none over the anchor, then one more for every anchor's width farther.
int32_t PanStep(int32_t Offset);

}  // namespace vex
