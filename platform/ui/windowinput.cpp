#include "platform/ui/windowinput.h"

#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex::windowinput {

namespace {

HWND FocusWnd = 0;
HWND CaptureWnd = 0;

HWND Existing(HWND& Wnd) {
    if (Wnd != 0 && !IsWindow(Wnd)) Wnd = 0;
    return Wnd;
}

}  // namespace

HWND SetFocus(HWND Wnd) {
    if (!IsWindow(Wnd) || !IsWindowVisible(Wnd) || !IsWindowEnabled(Wnd)) return 0;
    const HWND old = Existing(FocusWnd);
    if (old == Wnd) return old;
    FocusWnd = Wnd;
    if (old != 0) SendMessage(old, WM_KILLFOCUS, Wnd, 0);
    // The old window's handler may have moved the focus on already.
    if (FocusWnd == Wnd) SendMessage(Wnd, WM_SETFOCUS, old, 0);
    return old;
}

HWND GetFocus() {
    return Existing(FocusWnd);
}

HWND SetCapture(HWND Wnd) {
    const HWND old = Existing(CaptureWnd);
    CaptureWnd = IsWindow(Wnd) ? Wnd : 0;
    return old;
}

HWND GetCapture() {
    return Existing(CaptureWnd);
}

bool ReleaseCapture() {
    CaptureWnd = 0;
    return true;
}

}  // namespace vex::windowinput
