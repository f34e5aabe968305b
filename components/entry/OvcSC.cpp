#include "components/entry/OvcSC.h"

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcTexts.h"
#include "components/entry/raisedflag.h"
#include "platform/core/format.h"
#include "platform/win/window.h"

namespace vex {

TOvcBaseSpinner::TOvcBaseSpinner(TComponent* AOwner) : TOvcBase(AOwner) {
    // A quick second press is one more press, and so one more step.
    FControlStyle = {csCaptureMouse, csOpaque};
    SetBounds(Left(), Top(), 16, 25);
}

void TOvcBaseSpinner::SetAcceleration(uint8_t Value) {
    if (Value <= 10) FAcceleration = Value;
}

void TOvcBaseSpinner::SetAttachedControl(TWinControl* Value) {
    if (Value == FAttachedControl) return;
    const bool loading = ComponentState().Contains(csLoading);
    if (Value != nullptr && !loading && Value->HandleAllocated()) {
        // The answer is the follower's window; anything else that answers is no spinner.
        const auto answer = static_cast<HWND>(SendMessage(Value->Handle(), OVCM_ISATTACHED, 0, 0));
        if (auto* other = dynamic_cast<TOvcBaseSpinner*>(FindControl(answer));
            other != nullptr && other != this)
            throw EOvcException(Format(GetOvcString(scControlAttached), {other->Name()}));
    }
    FAttachedControl = Value;
    if (Value != nullptr) {
        Value->FreeNotification(this);
        if (FFocusedControl == nullptr && !loading) SetFocusedControl(Value);
    }
    FForceOddSize = false;
    if (!ComponentState().Contains(csDestroying)) RecreateWnd();
}

void TOvcBaseSpinner::SetFocusedControl(TWinControl* Value) {
    FFocusedControl = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TOvcBaseSpinner::SetForceOddSize(bool Value) {
    FForceOddSize = Value;
    if (Value) SetBounds(Left(), Top(), Width(), Height());
}

void TOvcBaseSpinner::SetPosition(TPosition Value) {
    FPosition = Value;
    if (!ComponentState().Contains(csLoading)) PositionSpinner();
}

void TOvcBaseSpinner::SetSeparation(int32_t Value) {
    FSeparation = Value;
    if (!ComponentState().Contains(csLoading)) PositionSpinner();
}

void TOvcBaseSpinner::Notification(TComponent* AComponent, TOperation Operation) {
    TOvcBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFocusedControl) FFocusedControl = nullptr;
    if (AComponent == FAttachedControl) SetAttachedControl(nullptr);
}

void TOvcBaseSpinner::CreateWnd() {
    TOvcBase::CreateWnd();
    CalcButtonRects();
    if (FAttachedControl != nullptr && FAttachedControl->HandleAllocated()) PositionSpinner();
}

void TOvcBaseSpinner::PositionSpinner() {
    if (FAttachedControl == nullptr || FPositioning) return;
    const TRaisedFlag guard(FPositioning);
    const TRect c = FAttachedControl->BoundsRect();
    switch (FPosition) {
        case scRight:
            SetBounds(c.Right + FSeparation, c.Top, Width(), c.Bottom - c.Top);
            break;
        case scLeft:
            SetBounds(c.Left - Width() - FSeparation, c.Top, Width(), c.Bottom - c.Top);
            break;
        case scTop:
            SetBounds(c.Left, c.Top - Height() - FSeparation, c.Right - c.Left, Height());
            break;
        case scBottom:
            SetBounds(c.Left, c.Bottom + FSeparation, c.Right - c.Left, Height());
            break;
    }
}

void TOvcBaseSpinner::FollowWithAttached() {
    if (!FAttachTwoWay || FAttachedControl == nullptr || FPositioning) return;
    const TRaisedFlag guard(FPositioning);
    const int32_t w = FAttachedControl->Width(), h = FAttachedControl->Height();
    switch (FPosition) {
        case scRight:
            FAttachedControl->SetBounds(Left() - FSeparation - w, Top(), w, Height());
            break;
        case scLeft:
            FAttachedControl->SetBounds(Left() + Width() + FSeparation, Top(), w, Height());
            break;
        case scTop:
            FAttachedControl->SetBounds(Left(), Top() + Height() + FSeparation, Width(), h);
            break;
        case scBottom:
            FAttachedControl->SetBounds(Left(), Top() - FSeparation - h, Width(), h);
            break;
    }
}

void TOvcBaseSpinner::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    if (FForceOddSize && AHeight % 2 == 0) ++AHeight;
    const TRect before = BoundsRect();
    TOvcBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated()) CalcButtonRects();
    if (BoundsRect() != before && !ComponentState().Contains(csLoading)) FollowWithAttached();
}

void TOvcBaseSpinner::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_STATIC;
        return;
    }
    TOvcBase::WndProc(Message);
}

TOvcSpinner::TOvcSpinner(TComponent* AOwner) : TOvcBaseSpinner(AOwner) {}

void TOvcSpinner::SetOrientation(TSpinOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    if (ComponentState().Contains(csLoading)) return;
    SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TOvcSpinner::SetShowArrows(bool Value) {
    FShowArrows = Value;
    Invalidate();
}

void TOvcSpinner::SetStyle(TButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TOvcSpinner::CalcButtonRects() {
    const int32_t w = Width(), h = Height();
    if (FOrientation == soVertical) {
        FUpRect = Rect(0, 0, w, h / 2);
        FDownRect = Rect(0, h / 2, w, h);
        FFirstButton = stUpButton;
        FSecondButton = stDownButton;
    } else {
        FUpRect = Rect(0, 0, w / 2, h);
        FDownRect = Rect(w / 2, 0, w, h);
        FFirstButton = stLeftButton;
        FSecondButton = stRightButton;
    }
}

}  // namespace vex
