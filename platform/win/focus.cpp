#include "platform/win/focus.h"

#include <utility>

#include "platform/win/activation.h"
#include "platform/win/capture.h"
#include "platform/win/window.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

TWindowStore& Store() {
    return TWindowStore::Instance();
}

bool CanHoldFocus(const TWnd& W) {
    if (W.Destroying) return false;
    for (const TWnd* w = &W; w->Parent != nullptr; w = w->Parent)
        if (!(w->Style & WS_VISIBLE) || (w->Style & WS_DISABLED)) return false;
    return true;
}

// Only a window that was told it has the focus is told it lost it, so a handler that moves the
// focus while a change is being told leaves nobody told twice or never.
// The window being told it lost the focus: the one a handler's new focus learns it came from.
HWND& Losing() {
    static HWND losing = 0;
    return losing;
}

void ChangeFocus(HWND New) {
    TWindowStore& store = Store();
    store.Focus = New;
    const uint64_t change = ++store.FocusChanges;
    const HWND holder = store.FocusHolder;
    const HWND previous = holder != 0 ? holder : Losing();
    if (holder != 0 && holder != New) {
        store.FocusHolder = 0;
        const HWND saved = std::exchange(Losing(), holder);
        SendMessage(holder, WM_KILLFOCUS, New, 0);
        Losing() = saved;
        if (store.FocusChanges != change) return;
    }
    if (New == 0 || holder == New) return;
    const TWnd* w = store.Find(New);
    if (w == nullptr || !CanHoldFocus(*w)) {
        store.Focus = 0;
        return;
    }
    store.FocusHolder = New;
    SendMessage(New, WM_SETFOCUS, previous, 0);
}

}  // namespace

HWND SetFocus(HWND Wnd) {
    const HWND previous = Store().Focus;
    if (Wnd == 0) {
        ChangeFocus(0);
        return previous;
    }
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->Parent == nullptr || !CanHoldFocus(*w)) return 0;
    const HWND top = wintree::TopLevelOf(*w).Handle;
    if (top != Store().Active) {
        wintree::Activate(top);
        if ((w = Store().Find(Wnd)) == nullptr || Store().Active != top || !CanHoldFocus(*w))
            return 0;
    }
    if (Store().Focus != Wnd || Store().FocusHolder != Wnd) ChangeFocus(Wnd);
    return previous;
}

HWND GetFocus() {
    return Store().Focus;
}

namespace wintree {

void InputLeaves(HWND Wnd) {
    CancelCaptureWithin(Wnd);
    TWnd* leaving = Store().Find(Wnd);
    TWnd* focus = Store().Find(Store().Focus);
    if (leaving == nullptr || focus == nullptr) return;
    if (focus != leaving && !IsAncestor(*leaving, *focus)) return;
    TWnd& top = TopLevelOf(*focus);
    const bool topStays = &top != leaving && !IsAncestor(*leaving, top) && CanHoldFocus(top);
    ChangeFocus(topStays ? top.Handle : 0);
}

void DropFocus() {
    ChangeFocus(0);
}

}  // namespace wintree

}  // namespace vex
