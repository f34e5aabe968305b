#include "platform/ui/spinbutton.h"

#include "platform/gfx/edges.h"
#include "platform/win/keyboard.h"
#include "platform/win/timer.h"

namespace vex {

TSpinButton::TSpinButton(TComponent* AOwner)
    : TCustomControl(AOwner), FRepeatTimer(std::make_unique<TTimer>(nullptr)) {
    // A double click is two presses, each a step.
    FControlStyle = {csCaptureMouse, csOpaque};
    SetBounds(0, 0, 20, 25);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
}

TSpinButton::~TSpinButton() {
    FDestroying = true;
}

void TSpinButton::SetFocusControl(TWinControl* Value) {
    FFocusControl = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

TRect TSpinButton::PartRect(TSpinButtonPart Part) const {
    const int32_t middle = Height() / 2;
    if (Part == sbUp) return Rect(0, 0, Width(), middle);
    if (Part == sbDown) return Rect(0, middle, Width(), Height());
    return TRect{};
}

TSpinButtonPart TSpinButton::PartAt(int32_t X, int32_t Y) const {
    for (const TSpinButtonPart part : {sbUp, sbDown})
        if (PtInRect(PartRect(part), Point(X, Y))) return part;
    return sbNone;
}

void TSpinButton::DoClick(TSpinButtonPart Part) {
    const TNotifyEvent& event = Part == sbUp ? OnUpClick : OnDownClick;
    if (event) event(this);
}

void TSpinButton::Paint() {
    TCanvas& canvas = Canvas();
    for (const TSpinButtonPart part : {sbUp, sbDown}) {
        TRect r = PartRect(part);
        uint32_t state = part == sbUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
        if (Pressed() == part) state |= DFCS_PUSHED;
        if (!Enabled()) state |= DFCS_INACTIVE;
        DrawFrameControl(canvas.Handle(), r, DFC_SCROLL, state);
    }
    if (Focused()) {
        const TRect r = PartRect(FFocusedPart);
        DrawFocusRect(canvas.Handle(), Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3));
    }
}

void TSpinButton::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key != VK_UP && Key != VK_DOWN) return;
    FFocusedPart = Key == VK_UP ? sbUp : sbDown;
    Key = 0;
    Invalidate();
    DoClick(FFocusedPart);
}

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const TControlWatch watch(*this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const TSpinButtonPart part = PartAt(X, Y);
    if (watch.Expired() || Button != mbLeft || part == sbNone) return;
    if (FFocusControl != nullptr && FFocusControl->CanFocus())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus())
        SetFocus();
    if (watch.Expired() || !MouseCapture()) return;  // a focus handler took the mouse away
    FHeld = FPointerOver = FFocusedPart = part;
    Invalidate();
    FRepeatTimer->SetInterval(InitRepeatPause);
    FRepeatTimer->SetEnabled(true);
    DoClick(part);
}

void TSpinButton::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (FHeld != sbNone) {
        const TSpinButtonPart over = PartAt(X, Y);
        if (over != FPointerOver) {
            FPointerOver = over;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) Release();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TSpinButton::Release() {
    FRepeatTimer->SetEnabled(false);
    if (FHeld == sbNone) return;
    FHeld = FPointerOver = sbNone;
    Invalidate();
}

void TSpinButton::TimerExpired(TObject*) {
    FRepeatTimer->SetInterval(RepeatPause);
    // The pointer off the button pauses the repeat until it comes back.
    if (Pressed() != sbNone) DoClick(FHeld);
}

void TSpinButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS;
            return;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            Release();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            break;
        default:
            break;
    }
    TCustomControl::WndProc(Message);
}

}  // namespace vex
