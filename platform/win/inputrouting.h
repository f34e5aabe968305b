#pragma once

#include "platform/win/messagequeue.h"

namespace vex::wintree {

// How the loop gives device input its window as it takes it: a mouse message goes to the
// capture, else to the deepest shown, enabled window at its point, whose WM_NCHITTEST answer
// makes it a client message (client coordinates) or a non-client one (the answer in wParam,
// screen coordinates); a press may become a double click (doubleclick.h), and a press on an
// inactive top-level window activates it as WM_MOUSEACTIVATE allows. The wheel goes to the focus.
// Keys go to the focus, or as system keys to the active window when nothing has the focus, and
// update the key-state table when taken. Mouse hooks see every mouse message as it is taken.
TInputRouter InputRouter();

}  // namespace vex::wintree
