#pragma once

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

struct TWnd;

namespace wintree {

// What DefWindowProc answers to WM_NCHITTEST: the part of W's frame or client area at the
// screen point, from the areas its styles give it (nonclient.h): HTCLIENT, HTCAPTION, HTVSCROLL,
// HTHSCROLL, HTBORDER for the rest of the frame, HTNOWHERE outside the window.
LRESULT NonClientHitTest(const TWnd& W, TPoint Screen);

// Where the window's scroll bars lie, in its own window coordinates; empty without the style.
TRect VerticalBarArea(const TWnd& W);
TRect HorizontalBarArea(const TWnd& W);

// A point as mouse messages carry it, each coordinate cut to 16 signed bits.
LPARAM PointToLParam(TPoint Point);

}  // namespace wintree

}  // namespace vex
