#pragma once

#include "platform/gfx/canvas.h"
#include "platform/win/messages.h"

namespace vex {

// The window procedure the framework's windows fall back on: DefWindowProc, and the painting it
// leaves to the layer that can draw. WM_PAINT paints what waits with BeginPaint and EndPaint;
// WM_NCPAINT draws the frame the window's styles ask for; WM_ERASEBKGND fills the client area
// with the class's background colour and answers 1, or answers 0 for a class without one.
LRESULT DefPaintProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// The frame of the window in the classic look, on DC, a context over the whole window: the
// thin border, the dialog frame or the sizing frame, a caption with the window's text (in the
// active colours while its top-level window is the active one, with a close box when it has a
// system menu), the sunken client edge and the window's scroll bars. The client area is left
// untouched.
void PaintWindowFrame(HWND Wnd, HDC DC);

}  // namespace vex
