#pragma once

#include <cstdint>

#include "platform/win/cursorshape.h"
#include "platform/win/messages.h"
#include "platform/win/modules.h"

namespace vex {

// The mouse cursor of the process: one at a time, shown over every window of ours.

// A cursor; 0 is none. The standard cursors' handles are their IDC_ numbers.
using HCURSOR = int32_t;

inline constexpr uint32_t IDC_ARROW = 32512;
inline constexpr uint32_t IDC_IBEAM = 32513;
inline constexpr uint32_t IDC_WAIT = 32514;
inline constexpr uint32_t IDC_CROSS = 32515;
inline constexpr uint32_t IDC_UPARROW = 32516;
inline constexpr uint32_t IDC_SIZENWSE = 32642;
inline constexpr uint32_t IDC_SIZENESW = 32643;
inline constexpr uint32_t IDC_SIZEWE = 32644;
inline constexpr uint32_t IDC_SIZENS = 32645;
inline constexpr uint32_t IDC_SIZEALL = 32646;
inline constexpr uint32_t IDC_NO = 32648;
inline constexpr uint32_t IDC_HAND = 32649;
inline constexpr uint32_t IDC_APPSTARTING = 32650;

// Instance 0: the standard cursor of that IDC_ number. Any other instance: the program's cursor
// resource of that number (type "CURSOR", the number as its name; cursorshape.h gives its
// form), the same handle each time. 0 for a number nothing has, or a resource that is no
// picture.
HCURSOR LoadCursor(HMODULE Instance, uint32_t Id);

// Makes Cursor the one shown (0: none) and returns the one before.
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();
// Counts shows against hides and returns the count; the cursor shows while it is 0 or more.
int32_t ShowCursor(bool Show);
// WM_SETCURSOR (wParam the window under the pointer, lParam its hit-test code and the mouse
// message) is answered by DefWindowProc as the original's: a child asks its parent first, except
// on its sizing borders, and stops when the parent answers non-zero; in the client area the
// class cursor is set (answer 1), or nothing when the class has none (answer 0); on a sizing
// border its size cursor, anywhere else the arrow (answer 1).

// What a loaded cursor looks like; null for 0 or a handle never given.
const TCursorShape* GetCursorShape(HCURSOR Cursor);

}  // namespace vex
