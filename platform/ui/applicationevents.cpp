#include "platform/ui/applicationevents.h"

#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/hintcontroller.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/application.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// The application's top-level windows that show, topmost first, but the application window.
template <class Keep>
std::vector<HWND> ShownTopLevelWindows(Keep Wanted) {
    std::vector<HWND> shown;
    const HWND app = Application().Handle();
    EnumWindows(
        [&](HWND Wnd, LPARAM) {
            if (Wnd != app && IsWindowVisible(Wnd) && Wanted(Wnd)) shown.push_back(Wnd);
            return true;
        },
        0);
    return shown;
}

// The framework's step in every loop before a message is translated: a key or a click ends
// the hint shown, and a key goes to the controls first, which use dialog keys up there.
bool PreDispatch(MSG& Msg) {
    if (IsKeyMessage(Msg.message) || IsMouseMessage(Msg.message))
        ApplicationEvents().HintMouseMessage(nullptr,
                                             TMessage{Msg.message, Msg.wParam, Msg.lParam, 0});
    return IsKeyMsg(Msg);
}

// Installed with the first static of this file, which every program with a control links, so
// that no loop runs without it whatever a program or a test makes first.
[[maybe_unused]] const bool PreDispatchInstalled =
    (Application().SetPreDispatchFilter(&PreDispatch), true);

}  // namespace

TApplicationEvents::TApplicationEvents() : FHints(std::make_unique<THintController>(*this)) {}

TApplicationEvents::~TApplicationEvents() = default;

HWND TApplicationEvents::Handle() {
    return Application().Handle();
}

void TApplicationEvents::Run() {
    if (FShowMainForm && FMainForm != nullptr) FMainForm->Show();
    Application().Run();
}

void TApplicationEvents::Minimize() {
    if (FMinimized) return;
    FActiveBeforeMinimize = GetActiveWindow();
    FMinimizedWindows = ShownTopLevelWindows([](HWND Wnd) { return !IsIconic(Wnd); });
    FMinimized = true;
    NormalizeTopMosts();
    for (HWND wnd : FMinimizedWindows)
        ShowWindow(wnd, SW_MINIMIZE);
    Minimized();
}

void TApplicationEvents::Restore() {
    if (!FMinimized) return;
    FMinimized = false;
    // Bottom first, so that the stacking order comes back as it was; a window hidden meanwhile
    // (a modal run that ended) stays hidden.
    for (auto it = FMinimizedWindows.rbegin(); it != FMinimizedWindows.rend(); ++it)
        if (IsWindow(*it) && IsWindowVisible(*it)) ShowWindow(*it, SW_RESTORE);
    FMinimizedWindows.clear();
    RestoreTopMosts();
    if (IsWindow(FActiveBeforeMinimize) && IsWindowVisible(FActiveBeforeMinimize))
        SetActiveWindow(FActiveBeforeMinimize);
    Restored();
}

void TApplicationEvents::BringToFront() {
    HWND target = GetActiveWindow();
    if (target == 0 && FMainForm != nullptr && FMainForm->HandleAllocated())
        target = FMainForm->Handle();
    if (target != 0) BringWindowToTop(target);
}

void TApplicationEvents::NormalizeTopMosts() {
    if (FTopMostLevel++ != 0) return;
    FNormalizedTopMosts = ShownTopLevelWindows(
        [](HWND Wnd) { return (GetWindowLong(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; });
    for (HWND wnd : FNormalizedTopMosts)
        SetWindowPos(wnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TApplicationEvents::RestoreTopMosts() {
    if (FTopMostLevel == 0 || --FTopMostLevel != 0) return;
    for (auto it = FNormalizedTopMosts.rbegin(); it != FNormalizedTopMosts.rend(); ++it)
        if (IsWindow(*it))
            SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FNormalizedTopMosts.clear();
}

void TApplicationEvents::SetShowHint(bool Value) {
    FShowHint = Value;
    if (!Value) FHints->Cancel();
}

void TApplicationEvents::CancelHint() {
    FHints->Cancel();
}

void TApplicationEvents::HintMouseMessage(TControl* Control, const TMessage& Message) {
    FHints->MouseMessage(Control, Message);
}

void TApplicationEvents::Fire(const TNotifyEvent& Handler,
                              const TSubscribers<TObject*>& Subscribers) {
    if (Handler) Handler(&Application());
    Subscribers.Notify(&Application());
}

void TApplicationEvents::SetHint(const std::string& Value) {
    if (FHint == Value) return;
    FHint = Value;
    Fire(OnHint, HintSubscribers);
}

void TApplicationEvents::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
    ShowHintSubscribers.Notify(HintStr, CanShow, HintInfo);
}

void TApplicationEvents::Minimized() {
    Fire(OnMinimize, MinimizeSubscribers);
}

void TApplicationEvents::Restored() {
    Fire(OnRestore, RestoreSubscribers);
}

void TApplicationEvents::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    if (Value)
        Fire(OnActivate, ActivateSubscribers);
    else
        Fire(OnDeactivate, DeactivateSubscribers);
}

TApplicationEvents& ApplicationEvents() {
    // Never freed: its hint windows live in the window tree, which static destruction may
    // already have taken down by the time this object would go.
    static TApplicationEvents* const events = new TApplicationEvents;
    return *events;
}

}  // namespace vex
