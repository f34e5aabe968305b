#pragma once

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// Milliseconds of the injectable clock between the presses of a double click; 500 until set.
UINT GetDoubleClickTime();
// 0 puts back the default.
bool SetDoubleClickTime(UINT Milliseconds);

namespace wintree {

// A second press of the same button, on the same window and part of it, within the double-click
// time and no further from the first than half the double-click rectangle (SM_CXDOUBLECLK by
// SM_CYDOUBLECLK, centred on the first press), is a double click; the press after a double click
// starts again. Client presses count only for windows whose class has CS_DBLCLKS.
class TDoubleClicks {
public:
    // The message the press Msg (a client or non-client WM_xBUTTONDOWN) is taken as.
    UINT Promote(HWND Wnd, UINT Msg, TPoint Screen, DWORD Time) const;
    // Remembers a taken press, Msg as Promote answered it; any other mouse message is ignored.
    void Take(HWND Wnd, UINT Msg, TPoint Screen, DWORD Time);

private:
    bool FArmed = false;
    HWND FWnd = 0;
    UINT FMsg = 0;
    TPoint FPoint;
    DWORD FTime = 0;
};

TDoubleClicks& DoubleClicks();

}  // namespace wintree

}  // namespace vex
