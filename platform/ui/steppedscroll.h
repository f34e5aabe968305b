#pragma once

#include <cstdint>
#include <optional>

#include "platform/win/messages.h"
#include "platform/win/scrollbars.h"

namespace vex {

// Scroll bars of views that scroll by rows or pixels. A scroll message carries the thumb's place
// in 16 bits, so a longer range goes to the bar in steps of several rows or pixels, and every
// place the thumb takes fits in them.
int32_t BarStep(int32_t Max);

// The row or pixel the thumb's place in a scroll message stands for, on a bar that reaches Max.
int32_t ThumbPlace(WPARAM WParam, int32_t Max);

// The range 0 to Max, the page and the position as the bar takes them: in steps.
SCROLLINFO SteppedScrollInfo(int32_t Max, int32_t Page, int32_t Pos, bool DisableNoScroll);

// Where a WM_HSCROLL request (WParam) takes a view scrolled X pixels: Line pixels for an arrow,
// Page for a page, the thumb on a bar that reaches ThumbMax, and never so far that less than a
// page of the Widest line is left; none for a request that does not scroll.
std::optional<int32_t> HorizontalScrollTarget(WPARAM WParam, int32_t X, int32_t Line, int32_t Page,
                                              int32_t Widest, int32_t ThumbMax);

}  // namespace vex
