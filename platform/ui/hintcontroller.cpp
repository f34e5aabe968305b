#include "platform/ui/hintcontroller.h"

#include "platform/ui/applicationevents.h"
#include "platform/ui/control.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/hintwindow.h"
#include "platform/ui/screen.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

// The control whose ShowHint and Hint make a hint: the control or the nearest parent with both.
TControl* HintSource(TControl* Control) {
    for (TControl* c = Control; c != nullptr; c = c->Parent())
        if (c->ShowHint() && !c->Hint().empty()) return c;
    return nullptr;
}

// The nearest hint up the chain, whether or not it is to be shown, for the status line.
std::string InheritedHint(TControl* Control) {
    for (TControl* c = Control; c != nullptr; c = c->Parent())
        if (!c->Hint().empty()) return c->Hint();
    return {};
}

bool EndsHint(UINT Msg) {
    switch (Msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
            return true;
        default:
            return IsKeyMessage(Msg);
    }
}

TPoint PointOf(LPARAM LParam) {
    return Point(static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(LParam))),
                 static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(LParam))));
}

bool Inside(const TRect& R, TPoint P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

}  // namespace

std::string GetShortHint(const std::string& Hint) {
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint) {
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

THintController::THintController(TApplicationEvents& Events)
    : FEvents(Events), FTimerWindow(AllocateHWnd([this](TMessage& M) {
          if (M.Msg == WM_TIMER) TimerFired(M.WParam);
      })) {}

THintController::~THintController() {
    DeallocateHWnd(FTimerWindow);
}

TControl* THintController::HintControl() const {
    return FControlLife.expired() ? nullptr : FControl;
}

THintWindow* THintController::ShownHint() const {
    return FWindow && FWindow->HintShowing() ? FWindow.get() : nullptr;
}

void THintController::MouseMessage(TControl* Control, const TMessage& Message) {
    // A control freed while its hint showed heard no leave: the hint goes with the next message.
    if (FControl != nullptr && FControlLife.expired()) Forget();
    if (Message.Msg == CM_MOUSELEAVE) {
        if (Control == HintControl()) Forget();
        FEvents.SetHint("");
        return;
    }
    if (EndsHint(Message.Msg)) {
        Cancel();
        return;
    }
    if (Message.Msg != WM_MOUSEMOVE || Control == nullptr) return;
    FEvents.SetHint(GetLongHint(InheritedHint(Control)));
    const TPoint pos = PointOf(Message.LParam);
    TControl* source = FEvents.ShowHint() ? HintSource(Control) : nullptr;
    if (source != HintControl()) {
        Forget();
        FControl = source;
        FControlLife = source != nullptr ? source->LifeToken() : std::weak_ptr<const void>();
    }
    if (source == nullptr) return;
    FCursorPos = source == Control ? pos : source->ScreenToClient(Control->ClientToScreen(pos));
    if (ShownHint() != nullptr) {
        if (Inside(FCursorRect, source->ClientToScreen(FCursorPos))) return;
        HideHint();
    }
    if (!FWaitForLeave) Restart();
}

void THintController::Cancel() {
    HideHint();
    KillTimer(FTimerWindow, kShowTimer);
    if (HintControl() != nullptr) FWaitForLeave = true;
}

void THintController::Forget() {
    HideHint();
    KillTimer(FTimerWindow, kShowTimer);
    FControl = nullptr;
    FControlLife.reset();
    FWaitForLeave = false;
}

void THintController::Restart() {
    SetTimer(FTimerWindow, kShowTimer, static_cast<UINT>(std::max(FEvents.HintPause(), 0)));
}

void THintController::HideHint() {
    KillTimer(FTimerWindow, kHideTimer);
    if (FWindow) FWindow->ReleaseHint();
}

void THintController::TimerFired(UINT_PTR Id) {
    KillTimer(FTimerWindow, Id);
    if (Id == kHideTimer) {
        Cancel();
        return;
    }
    if (HintControl() == nullptr || FWaitForLeave) return;
    ShowHint();
}

void THintController::ShowHint() {
    TControl* control = FControl;
    const std::weak_ptr<const void> life = FControlLife;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = FCursorPos;
    info.CursorRect = control->ClientRect();
    info.HintPos = control->ClientToScreen(FCursorPos);
    info.HintPos.Y += GetSystemMetrics(SM_CYCURSOR);
    info.HintMaxWidth = Screen().Width();
    info.HintColor = FEvents.HintColor();
    info.HideTimeout = FEvents.HintHidePause();
    info.HintStr = GetShortHint(control->Hint());
    std::string text = info.HintStr;
    bool canShow = true;
    FEvents.DoShowHint(text, canShow, info);
    // A handler may have freed the control or moved on to another.
    if (life.expired() || FControl != control || !canShow || text.empty()) return;
    if (!FWindow) FWindow = std::make_unique<THintWindow>(nullptr);
    FWindow->SetColor(info.HintColor);
    TRect box = FWindow->CalcHintRect(info.HintMaxWidth, text);
    box = Rect(info.HintPos.X, info.HintPos.Y, info.HintPos.X + box.Right,
               info.HintPos.Y + box.Bottom);
    FWindow->ActivateHint(box, text);
    const TPoint corner = control->ClientToScreen(Point(info.CursorRect.Left, info.CursorRect.Top));
    FCursorRect = Rect(corner.X, corner.Y, corner.X + info.CursorRect.Right - info.CursorRect.Left,
                       corner.Y + info.CursorRect.Bottom - info.CursorRect.Top);
    if (info.HideTimeout > 0)
        SetTimer(FTimerWindow, kHideTimer, static_cast<UINT>(info.HideTimeout));
}

}  // namespace vex
