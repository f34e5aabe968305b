#pragma once

#include "platform/win/messages.h"

namespace vex::wintree {

// Asks the window for its client area (WM_NCCALCSIZE) and keeps the answer, cut to the window.
void RecalculateClient(HWND Wnd);
// WM_SIZE with the client area's size (SIZE_MINIMIZED for a minimised window) and WM_MOVE with
// its top-left corner in the parent's client coordinates, as asked.
void SendSizeAndMove(HWND Wnd, bool Size = true, bool Move = true);

}  // namespace vex::wintree
