#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"
#include "platform/win/mousebutton.h"

namespace vex {

// Synthetic input: what a mouse and a keyboard would do, queued as device input that takes the
// path real input takes. Nothing is decided here about windows: a mouse message finds its window
// (capture, hit testing) and a key its focus when the loop takes it, and the key-state table
// changes then too. The device's own state (GetAsyncKeyState, GetCursorPos) changes at once.
// Each call answers false when the input queue is full and the event was dropped. Main thread
// only, as a display's events are.

bool InjectMouseMove(TPoint Screen);
bool InjectMouseButton(TMouseButton Button, bool Down);
// One notch is WHEEL_DELTA; positive turns away from the user.
bool InjectMouseWheel(int32_t Delta);
// A key by virtual key (keyboard.h). Alt held makes system keys of it, as do F10 and Alt itself,
// but not with Ctrl held, which makes Alt a shift (AltGr).
bool InjectKey(int32_t VirtualKey, bool Down);

// Input a display reported (presenter.h): Msg as the display's window saw it, at Screen. Mouse
// buttons and keys update the device's state, as injected ones do.
bool PostDeviceInput(const MSG& Msg, TPoint Screen);

// The pointer seen over something that is not one of our windows (an icon in the desktop's
// tray): the device's position changes so that what the click opens (a menu at GetCursorPos)
// opens there, and no message is made.
void SetDevicePointer(TPoint Screen);

// Where the pointer is on the screen.
bool GetCursorPos(TPoint& Point);
// Moves the pointer, which makes a mouse move as a person moving it would.
bool SetCursorPos(int32_t X, int32_t Y);

// Drops the mouse messages waiting for Wnd (0: for every window), as a control does that must
// not see clicks made while it was busy.
void DiscardMouseMessages(HWND Wnd);

}  // namespace vex
