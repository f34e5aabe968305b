#pragma once

#include "platform/win/messages.h"

namespace vex::wintree {

// Makes the top-level window holding Wnd the active one, with the original's messages:
// WM_NCACTIVATE and WM_ACTIVATE (WA_INACTIVE) to the window losing activation, WM_ACTIVATEAPP
// to every top-level window when the application gains activation, then WM_NCACTIVATE and
// WM_ACTIVATE (WA_ACTIVE) to the new one, which goes to the top of the stacking order.
void Activate(HWND Wnd);
// When Leaving holds the active window and stops showing (hidden, minimised, moved under
// another window, destroyed), the next window takes over: its owner when that shows and is
// enabled, else the topmost such window; with none, the application loses activation.
void ActivateNext(HWND Leaving);

}  // namespace vex::wintree
