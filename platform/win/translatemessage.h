#pragma once

#include "platform/win/messages.h"

namespace vex {

// Posts the character a key types, to the key's window, right after the key message: WM_CHAR for
// WM_KEYDOWN, WM_SYSCHAR for WM_SYSKEYDOWN (Alt held), with the key's data in lParam. Characters
// are Windows-1252 from a US keyboard and the key-state table as it stands when the key message
// was taken: Shift, Caps Lock for letters, Ctrl for the control characters (Ctrl+A is 1, Ctrl+[
// Escape, Ctrl+Enter a line feed, Ctrl+Backspace 127). Digits typed on the numeric pad while Alt
// is held type nothing themselves: the number they make is the character, typed as WM_CHAR when
// Alt is released. True when the message was a key message that did something.
bool TranslateMessage(const MSG& Msg);

}  // namespace vex
