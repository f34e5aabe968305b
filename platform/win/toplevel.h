#pragma once

#include "platform/win/messages.h"

namespace vex {

// Top-level windows: which one is active, and how each stands towards a desktop's taskbar.
// One application runs here, so its active window is also the foreground window.

// Activates the top-level window holding Wnd; returns the window active before (0 also when
// Wnd is no window or is disabled, which leaves activation as it was).
HWND SetActiveWindow(HWND Wnd);
HWND GetActiveWindow();
bool SetForegroundWindow(HWND Wnd);
HWND GetForegroundWindow();

struct TTopLevelState {
    bool Visible = false;  // WS_VISIBLE
    bool Iconic = false;
    // Moved under another window that is not a top-level one's parent: it shows only as part
    // of that window, as a hidden owner window parks an application's window.
    bool Parked = false;
    bool TopMost = false;
    // A desktop would give it a taskbar button: visible, not parked, not a tool window, and
    // unowned or marked WS_EX_APPWINDOW.
    bool Taskbar = false;
};
// The state of a window made as a top-level one (not WS_CHILD); false for any other.
bool GetTopLevelState(HWND Wnd, TTopLevelState& State);

}  // namespace vex
