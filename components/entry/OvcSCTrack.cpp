// The press on a spinner: the focus hand-over, the tracking loop and the steps.

#include <algorithm>

#include "components/entry/OvcCmd.h"
#include "components/entry/OvcSC.h"
#include "components/entry/OvcSpinTarget.h"
#include "platform/core/clock.h"
#include "platform/ui/inputevents.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"
#include "platform/win/window.h"

namespace vex {

namespace {

constexpr UINT_PTR kStepTimer = 1;

bool IsButtonState(TSpinState State) {
    return State == stUpButton || State == stDownButton || State == stLeftButton ||
           State == stRightButton;
}

// The wait after a step, in milliseconds, when StepCount steps came before it: shorter by
// Acceleration units of 10 ms each time, but never below 10 ms, so that a button held long
// steps a hundred times a second rather than on every pass of the loop.
int64_t StepDelay(uint8_t Acceleration, int32_t StepCount) {
    const int64_t schedule = 500 - int64_t{Acceleration} * 10 * StepCount;
    return std::max<int64_t>(schedule, 10);
}

}  // namespace

TRect TOvcBaseSpinner::ButtonRect(TSpinState Button) const {
    if (Button == FFirstButton) return FUpRect;
    if (Button == FSecondButton) return FDownRect;
    return TRect{};
}

TSpinState TOvcBaseSpinner::StateAt(int32_t X, int32_t Y) const {
    const TPoint p = Point(X, Y);
    if (!PtInRect(ClientRect(), p)) return stNone;
    if (!FTracking) return stNormal;
    if (PtInRect(FUpRect, p)) return FFirstButton;
    if (PtInRect(FDownRect, p)) return FSecondButton;
    return stNormal;
}

void TOvcBaseSpinner::SetTrackedState(TSpinState State) {
    if (State == FCurrentState) return;
    FCurrentState = State;
    FRepeating = IsButtonState(State);
    Invalidate();
}

void TOvcBaseSpinner::WMLButtonDown(TMessage& Message) {
    const TControlWatch watch(*this);
    TOvcBase::WMLButtonDown(Message);
    if (watch.Expired() || FTracking) return;
    if (FFocusedControl != nullptr && !FFocusedControl->Focused()) {
        // The field being left validates as it loses the focus, and one that finds an error
        // takes the focus back: then the press must not step anything.
        if (CanFocus()) SetFocus();
        Application().ProcessMessages();
        if (watch.Expired() || !Focused()) return;
    }
    if (FFocusedControl != nullptr && FFocusedControl->CanFocus()) FFocusedControl->SetFocus();
    if (watch.Expired()) return;
    const TPoint p = MessagePoint(Message.LParam);
    DoMouseDown(p.X, p.Y);
}

void TOvcBaseSpinner::WMLButtonUp(TMessage& Message) {
    const TControlWatch watch(*this);
    TOvcBase::WMLButtonUp(Message);
    if (!watch.Expired()) DoMouseUp();
}

bool TOvcBaseSpinner::ButtonStillDown() const {
    // The device's own left button, whatever SM_SWAPBUTTON says: it is the one whose press
    // came as WM_LBUTTONDOWN, as the input layer maps no button to another.
    return GetAsyncKeyState(VK_LBUTTON) < 0 && MouseCapture();
}

void TOvcBaseSpinner::StartTracking(TSpinState State) {
    const TControlWatch watch(*this);
    FRepeating = true;
    FStepCount = 0;
    FNextStepTime = Clock().TickMilliseconds();
    FTracking = true;
    // However the loop ends (the release, a lost capture, an exception from a handler, the
    // loop told to quit), no step timer and no pressed look outlive it.
    struct TEnd {
        TOvcBaseSpinner& Spinner;
        const TControlWatch& Watch;
        ~TEnd() {
            if (Watch.Expired()) return;
            Spinner.FTracking = false;
            if (Spinner.HandleAllocated()) KillTimer(Spinner.Handle(), kStepTimer);
            if (Spinner.FCurrentState != stNormal) Spinner.DoMouseUp();
        }
    } end{*this, watch};

    Spin(State);
    for (;;) {
        if (watch.Expired()) return;
        if (FAutoRepeat) Spin(FCurrentState);
        if (watch.Expired() || !ButtonStillDown() || !WaitForNextPass()) return;
        // The release may have come in this pass: the pointer is no longer pressing anything.
        if (watch.Expired() || !ButtonStillDown()) return;
        TPoint cursor;
        if (GetCursorPos(cursor)) {
            const TPoint p = ScreenToClient(cursor);
            SetTrackedState(StateAt(p.X, p.Y));
        }
    }
}

bool TOvcBaseSpinner::WaitForNextPass() {
    const HWND wnd = Handle();
    if (FRepeating && FAutoRepeat) {
        const int64_t wait = FNextStepTime - Clock().TickMilliseconds();
        SetTimer(wnd, kStepTimer, static_cast<UINT>(std::max<int64_t>(wait, 0)));
    } else {
        // Nothing is due until the pointer comes back onto a button: only input wakes the loop.
        KillTimer(wnd, kStepTimer);
    }
    MSG msg;
    if (!ReadModalMessage(msg)) return false;
    if (msg.message == WM_TIMER && msg.hwnd == wnd && msg.wParam == kStepTimer) return true;
    Application().HandleTakenMessage(msg);
    return true;
}

void TOvcBaseSpinner::Spin(TSpinState State) {
    if (!OnClick && dynamic_cast<TOvcSpinTarget*>(FFocusedControl) == nullptr) return;
    if (!FRepeating || Clock().TickMilliseconds() < FNextStepTime) return;
    const TControlWatch watch(*this);
    if (OnClick) {
        // The handler may free the spinner, and with it the handler itself.
        const TSpinClickEvent handler = OnClick;
        handler(this, State, FDelta, FWrapMode);
        if (watch.Expired()) return;
    }
    if (auto* field = dynamic_cast<TOvcSpinTarget*>(FFocusedControl)) StepField(*field, State);
    if (watch.Expired()) return;
    FNextStepTime = Clock().TickMilliseconds() + StepDelay(FAcceleration, FStepCount);
    ++FStepCount;
}

void TOvcBaseSpinner::StepField(TOvcSpinTarget& Field, TSpinState State) {
    switch (State) {
        case stUpButton:
        case stDownButton: {
            TWinControl& control = *FFocusedControl;
            const TControlWatch watch(control);
            const bool windowed = control.HandleAllocated();
            if (windowed) SendMessage(control.Handle(), WM_SETREDRAW, 0, 0);
            Field.SetSelection(0, 0);
            if (State == stUpButton)
                Field.IncreaseValue(FWrapMode, FDelta);
            else
                Field.DecreaseValue(FWrapMode, FDelta);
            if (watch.Expired()) return;
            if (windowed && control.HandleAllocated())
                SendMessage(control.Handle(), WM_SETREDRAW, 1, 0);
            control.Repaint();
            break;
        }
        case stLeftButton:
            Field.PerformSpinCommand(ccLeft);
            break;
        case stRightButton:
            Field.PerformSpinCommand(ccRight);
            break;
        default:
            break;
    }
}

void TOvcSpinner::DoMouseDown(int32_t X, int32_t Y) {
    TSpinState state;
    if (FOrientation == soVertical)
        state = Y < Height() / 2 ? stUpButton : stDownButton;
    else
        state = X < Width() / 2 ? stLeftButton : stRightButton;
    FCurrentState = state;
    FTracking = true;
    Repaint();
    StartTracking(state);
}

void TOvcSpinner::DoMouseUp() {
    FCurrentState = stNormal;
    FRepeating = false;
    Invalidate();
}

}  // namespace vex
