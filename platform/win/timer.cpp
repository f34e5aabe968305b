#include "platform/win/timer.h"

#include "platform/win/application.h"
#include "platform/win/window.h"

namespace vex {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FWindowHandle(AllocateHWnd([this](TMessage& M) { WndProc(M); })) {
    UpdateTimer();
}

TTimer::~TTimer() {
    KillTimer(FWindowHandle, kTimerId);
    DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(FWindowHandle, kTimerId);
    if (FEnabled && FInterval != 0) SetTimer(FWindowHandle, kTimerId, FInterval);
}

void TTimer::WndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        Application().HandleException(this);
    }
}

void TTimer::Timer() {
    // The handler may free this timer, and with it OnTimer: call a copy.
    if (TNotifyEvent handler = OnTimer) handler(this);
}

}  // namespace vex
