#pragma once

#include "platform/win/messages.h"

namespace vex {

// The keyboard focus: the one window that key messages go to. Main thread only.

// Moves the focus to Wnd (0: nowhere), activating its top-level window first when another is
// active: WM_KILLFOCUS to the window losing it (wParam the new one), then WM_SETFOCUS to the new
// one (wParam the old). A handler that moves the focus again wins; the rest of this change is
// then not told. Returns the window that had the focus; 0, changing nothing, when Wnd is no
// window, is being destroyed, or it or an ancestor is hidden or disabled.
HWND SetFocus(HWND Wnd);
HWND GetFocus();

namespace wintree {

// Wnd is hidden, disabled or on its way out: a focus inside it goes to its top-level window,
// or nowhere when that is Wnd or cannot take it, and a capture inside it is cancelled.
void InputLeaves(HWND Wnd);
// The application lost activation: nothing of it holds the focus.
void DropFocus();

}  // namespace wintree

}  // namespace vex
