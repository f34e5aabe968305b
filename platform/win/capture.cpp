#include "platform/win/capture.h"

#include "platform/win/presenter.h"
#include "platform/win/window.h"
#include "platform/win/windowstore.h"

namespace vex {

namespace {

TWindowStore& Store() {
    return TWindowStore::Instance();
}

// The display sends the pointer's events to the capture's top-level window, wherever it is.
void TellPresenter(HWND Capture) {
    TWnd* w = Store().Find(Capture);
    const TWnd* top = w == nullptr ? nullptr : &wintree::TopLevelOf(*w);
    Presenter().CapturePointer(top != nullptr && top->Presented ? top->Handle : 0);
}

// A window on its way out, or inside one, would keep the capture, and the display the pointer,
// after it has gone.
bool GoingAway(const TWnd& W) {
    for (const TWnd* w = &W; w != nullptr; w = w->Parent)
        if (w->Destroying) return true;
    return false;
}

}  // namespace

HWND SetCapture(HWND Wnd) {
    const HWND previous = Store().Capture;
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr || GoingAway(*w)) return 0;
    if (Wnd == previous) return previous;
    Store().Capture = Wnd;
    TellPresenter(Wnd);
    if (previous != 0) SendMessage(previous, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(Wnd));
    return previous;
}

HWND GetCapture() {
    return Store().Capture;
}

bool ReleaseCapture() {
    const HWND previous = Store().Capture;
    if (previous == 0) return true;
    Store().Capture = 0;
    TellPresenter(0);
    SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

namespace wintree {

void CancelCaptureWithin(HWND Wnd) {
    const HWND holder = Store().Capture;
    const TWnd* within = Store().Find(Wnd);
    const TWnd* held = Store().Find(holder);
    if (within == nullptr || held == nullptr) return;
    if (held != within && !IsAncestor(*within, *held)) return;
    SendMessage(holder, WM_CANCELMODE, 0, 0);
    if (Store().Capture == holder) ReleaseCapture();
}

}  // namespace wintree

}  // namespace vex
