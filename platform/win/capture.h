#pragma once

#include "platform/win/messages.h"

namespace vex {

// Mouse capture: while a window holds it, every mouse message goes to it, in its client
// coordinates, wherever the pointer is. Main thread only.

// Returns the window that held the capture before (0: none). The loser gets WM_CAPTURECHANGED
// (lParam the new holder). A Wnd that is no window changes nothing and answers 0.
HWND SetCapture(HWND Wnd);
HWND GetCapture();
// The holder gets WM_CAPTURECHANGED (lParam 0); true also when none held it.
bool ReleaseCapture();

namespace wintree {

// The system takes the mouse from the capture when it lies in Wnd or below: WM_CANCELMODE to the
// holder, whose DefWindowProc releases it; the capture ends whatever the holder answered.
void CancelCaptureWithin(HWND Wnd);

}  // namespace wintree

}  // namespace vex
