#pragma once

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// The frame a window's styles put around its client area: the border or the dialog or sizing
// frame, a caption, a client edge, and the scroll bars WS_VSCROLL and WS_HSCROLL show. This is
// what DefWindowProc answers to WM_NCCALCSIZE, whose lParam points at the window's rectangle
// and receives the client rectangle (wParam is always FALSE here).

// How far the client area lies inside the window on each side.
TRect NonClientMargins(DWORD Style, DWORD ExStyle);
// The window rectangle a client rectangle of Rect needs; Menu adds a menu bar's height.
bool AdjustWindowRectEx(TRect& Rect, DWORD Style, bool Menu, DWORD ExStyle);
// The client rectangle inside the window rectangle Rect; never wider or taller than Rect, never
// of a negative size.
TRect ClientInside(const TRect& Rect, DWORD Style, DWORD ExStyle);

}  // namespace vex
