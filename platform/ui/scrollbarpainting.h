#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/gfx/canvas.h"
#include "platform/win/scrollbars.h"

namespace vex {

// Where the thumb of a bar lies along its track: pixels from the track's start and its length.
// False when the bar shows no thumb: disabled, nothing to scroll, or a track too short.
bool ScrollThumb(int32_t TrackLength, const TScrollBarState& State, int32_t& Offset,
                 int32_t& Length);

// A window scroll bar in the classic look over R (DC's coordinates): an arrow button at each
// end, greyed when its arrow is disabled, a dotted track and a raised thumb.
void PaintScrollBar(HDC DC, const TRect& R, bool Vertical, const TScrollBarState& State);

}  // namespace vex
