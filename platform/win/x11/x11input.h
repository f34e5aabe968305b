#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "platform/win/messages.h"

namespace vex {

// The window message that an X pointer or key event of the top-level window Wnd stands for, or
// none. Pointer positions are relative to the window's top-left pixel, wheel turns carry screen
// positions as the original's did, and the MK_ flags tell the buttons and keys held once the
// event has happened. Sym is the key's symbol in the first column of the keyboard map, which the
// caller looks up (only it has the display); Time stamps the message.
std::optional<MSG> TranslateXEvent(const XEvent& Event, HWND Wnd, KeySym Sym, DWORD Time);

}  // namespace vex
