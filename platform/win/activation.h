#pragma once

#include "platform/win/messages.h"

namespace vex::wintree {

// Makes the top-level window holding Wnd the active one, with the original's messages:
// WM_NCACTIVATE and WM_ACTIVATE (WA_INACTIVE) to the window losing activation, WM_ACTIVATEAPP
// to every top-level window when the application gains activation, then WM_NCACTIVATE and
// WM_ACTIVATE (How: WA_ACTIVE, or WA_CLICKACTIVE for a click) to the new one, which goes to the
// top of the stacking order. A capture inside the window losing activation is cancelled.
void Activate(HWND Wnd, WPARAM How = WA_ACTIVE);
// When Leaving holds the active window and stops showing (hidden, minimised, moved under
// another window, destroyed), the next window takes over: its owner when that shows and is
// enabled, else the topmost such window; with none, the application loses activation and the
// focus.
void ActivateNext(HWND Leaving);
// The application loses activation while Leaving is active, as when the display gives the
// keyboard to another program.
void Deactivate(HWND Leaving);

}  // namespace vex::wintree
