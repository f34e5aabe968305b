#include "platform/win/toplevel.h"

#include <utility>

#include "platform/win/activation.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/presenter.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

TWindowStore& Store() {
    return TWindowStore::Instance();
}

bool CanTakeActivation(const TWnd& W) {
    return (W.Style & WS_VISIBLE) && !W.Iconic && !(W.Style & WS_DISABLED) && !W.Destroying;
}

bool OnTopOfItsBand(const TWnd& W) {
    const bool topMost = (W.ExStyle & WS_EX_TOPMOST) != 0;
    for (const TWnd* top : Store().Desktop().Children)
        if (((top->ExStyle & WS_EX_TOPMOST) != 0) == topMost) return top == &W;
    return false;
}

void SendToAllTopLevel(UINT Msg, WPARAM WParam) {
    for (HWND top : wintree::ChildHandles(Store().Desktop()))
        SendMessage(top, Msg, WParam, 0);
}

// Who is being told of a change of activation, while its handlers run. A handler may activate
// another window itself; that nested activation does not tell the same news again, which would
// run the handler again without end.
struct TTelling {
    HWND Deactivating = 0;
    HWND Incoming = 0;  // the window that activation is going to
    bool AppActivating = false;
};

TTelling& Telling() {
    static TTelling telling;
    return telling;
}

// Sets what is being told for a scope, and puts back what was, also when a handler throws.
class TTellingScope {
public:
    explicit TTellingScope(const TTelling& Now) : FSaved(std::exchange(Telling(), Now)) {}
    ~TTellingScope() { Telling() = FSaved; }
    TTellingScope(const TTellingScope&) = delete;
    TTellingScope& operator=(const TTellingScope&) = delete;

private:
    TTelling FSaved;
};

}  // namespace

namespace wintree {

void Activate(HWND Wnd, WPARAM How) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->Parent == nullptr) return;
    const TWnd& top = TopLevelOf(*w);
    const HWND target = top.Handle;
    const HWND previous = Store().Active;
    if (target == previous || (top.Style & WS_DISABLED) || top.Destroying) return;
    const TTelling telling = Telling();
    if (previous != 0) CancelCaptureWithin(previous);
    if (Store().Active != previous) return;  // a handler activated another window meanwhile
    if (previous != 0 && previous != telling.Deactivating) {
        TTellingScope scope(TTelling{previous, target, telling.AppActivating});
        SendMessage(previous, WM_NCACTIVATE, 0, 0);
        SendMessage(previous, WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(target));
    } else if (previous == 0 && !telling.AppActivating) {
        TTellingScope scope(TTelling{telling.Deactivating, telling.Incoming, true});
        SendToAllTopLevel(WM_ACTIVATEAPP, 1);
    }
    if (Store().Active != previous) return;  // a handler activated another window meanwhile
    TWnd* t = Store().Find(target);
    if (t == nullptr || t->Destroying) return;
    Store().Active = target;
    if (IsShowing(*t) && !OnTopOfItsBand(*t))
        SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (Store().Active != target) return;  // a handler activated another window meanwhile
    SendMessage(target, WM_NCACTIVATE, 1, 0);
    SendMessage(target, WM_ACTIVATE, How, static_cast<LPARAM>(previous));
    // Keys go to the active window's focus: one left behind in the window that lost
    // activation (a procedure that keeps WM_ACTIVATE from DefWindowProc) is dropped.
    TWnd* focus = Store().Find(Store().Focus);
    if (focus != nullptr && Store().Active == target && TopLevelOf(*focus).Handle != target)
        DropFocus();
    t = Store().Find(target);
    if (t != nullptr && t->Presented && Store().Active == target) Presenter().Activate(target);
}

void ActivateNext(HWND Leaving) {
    TWnd* leaving = Store().Find(Leaving);
    if (leaving == nullptr || Store().Active != Leaving) return;
    TWnd* next = nullptr;
    // Leaving while it is told it loses activation: the window that was to get it still does.
    if (TWnd* incoming = Store().Find(Telling().Incoming);
        Leaving == Telling().Deactivating && incoming != nullptr && CanTakeActivation(*incoming))
        next = incoming;
    if (TWnd* owner = Store().Find(leaving->Owner);
        next == nullptr && owner != nullptr && IsTopLevel(*owner) && CanTakeActivation(*owner))
        next = owner;
    for (TWnd* top : Store().Desktop().Children) {
        if (next != nullptr) break;
        if (top != leaving && CanTakeActivation(*top)) next = top;
    }
    if (next != nullptr) {
        Activate(next->Handle);
        return;
    }
    Deactivate(Leaving);
}

void Deactivate(HWND Leaving) {
    if (Store().Active != Leaving || Leaving == 0) return;
    CancelCaptureWithin(Leaving);
    if (Store().Active != Leaving) return;  // a handler activated another window meanwhile
    Store().Active = 0;
    DropFocus();
    if (Leaving != Telling().Deactivating) {
        SendMessage(Leaving, WM_NCACTIVATE, 0, 0);
        SendMessage(Leaving, WM_ACTIVATE, WA_INACTIVE, 0);
    }
    SendToAllTopLevel(WM_ACTIVATEAPP, 0);
}

}  // namespace wintree

HWND SetActiveWindow(HWND Wnd) {
    const HWND previous = Store().Active;
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->Parent == nullptr) return 0;
    const TWnd& top = wintree::TopLevelOf(const_cast<TWnd&>(*w));
    if ((top.Style & WS_DISABLED) || top.Destroying) return 0;
    wintree::Activate(Wnd);
    return previous;
}

HWND GetActiveWindow() {
    return Store().Active;
}

bool SetForegroundWindow(HWND Wnd) {
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->Parent == nullptr) return false;
    wintree::Activate(Wnd);
    return Store().Active == wintree::TopLevelOf(const_cast<TWnd&>(*w)).Handle;
}

HWND GetForegroundWindow() {
    return Store().Active;
}

bool GetTopLevelState(HWND Wnd, TTopLevelState& State) {
    const TWnd* w = Store().Find(Wnd);
    State = TTopLevelState();
    if (w == nullptr || w->Parent == nullptr || (w->Style & WS_CHILD)) return false;
    State.Visible = (w->Style & WS_VISIBLE) != 0;
    State.Iconic = w->Iconic;
    State.Parked = !wintree::IsTopLevel(*w);
    State.TopMost = (w->ExStyle & WS_EX_TOPMOST) != 0;
    State.Taskbar = State.Visible && !State.Parked && !(w->ExStyle & WS_EX_TOOLWINDOW) &&
                    (w->Owner == 0 || (w->ExStyle & WS_EX_APPWINDOW));
    return true;
}

}  // namespace vex
