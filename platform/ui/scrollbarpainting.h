#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/gfx/canvas.h"
#include "platform/win/scrollbars.h"

namespace vex {

// A window scroll bar in the classic look over R (DC's coordinates): an arrow button at each
// end, greyed when its arrow is disabled, a dotted track and a raised thumb.
void PaintScrollBar(HDC DC, const TRect& R, bool Vertical, const TScrollBarState& State);

}  // namespace vex
