#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "platform/win/messages.h"

namespace vex {

// What the caller knows of the key of a key event: its symbol in the first column of the keyboard
// map (only the caller has the display), and whether it was down already, which makes a press
// the keyboard's repeat.
struct TXKey {
    KeySym Sym = 0;
    bool WasDown = false;
};

// The window message that an X pointer or key event of the top-level window Wnd stands for, or
// none. Pointer positions are relative to the window's top-left pixel, wheel turns carry screen
// positions as the original's did, and the MK_ flags tell the buttons and keys held once the
// event has happened. Time stamps the message.
std::optional<MSG> TranslateXEvent(const XEvent& Event, HWND Wnd, const TXKey& Key, DWORD Time);

}  // namespace vex
