#pragma once

#include <X11/Xlib.h>

#include "platform/win/cursorshape.h"

namespace vex {

// A server cursor that looks like Shape: a cursor of the cursor font for the standard ones, one
// made of the picture's pixels for the others, and an empty picture for none (null). The caller
// frees it (XFreeCursor).
Cursor MakeX11Cursor(Display* Dpy, Window Root, const TCursorShape* Shape);

}  // namespace vex
