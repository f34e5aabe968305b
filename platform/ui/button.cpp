#include "platform/ui/button.h"

#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/buttonface.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/inputevents.h"
#include "platform/win/keyboard.h"

namespace vex {

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    FControlStyle.Include(csOpaque);
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
}

void TButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    // The border follows the focus: it moves here only while no other button has it.
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form != nullptr ? form->ActiveControl() : nullptr;
    if (dynamic_cast<TButton*>(focused) == nullptr) SetActive(Value);
}

void TButton::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    Invalidate();
}

void TButton::Click() {
    const std::weak_ptr<const void> life = LifeToken();
    if (TCustomForm* form = GetParentForm(this); form != nullptr && FModalResult != mrNone)
        form->SetModalResult(FModalResult);
    if (!life.expired()) TButtonControl::Click();
}

void TButton::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TButtonControl::KeyDown(Key, Shift);
    if (!life.expired() && Key == VK_RETURN) Click();
}

void TButton::CMFocusChanged(TMessage& Message) {
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    SetActive(dynamic_cast<TButton*>(focused) != nullptr ? focused == this : FDefault);
    TButtonControl::CMFocusChanged(Message);
}

// Enter and Escape with a modifier held are other keys; a disabled or hidden button is not
// pressed from the keyboard either.
void TButton::CMDialogKey(TMessage& Message) {
    if (((Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel)) &&
        KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TButton::WndProc(TMessage& Message) {
    // The focused button takes Enter for itself: it, not the default one, is the button a
    // person tabbed to.
    if (Message.Msg == CM_WANTSPECIALKEY && Message.WParam == VK_RETURN) {
        Message.Result = 1;
        return;
    }
    TButtonControl::WndProc(Message);
}

void TButton::Paint() {
    TCanvas& canvas = Canvas();
    const TRect face = DrawPushButtonFace(canvas, ClientRect(), Pressed(), FActive);
    canvas.Font().Assign(&Font());
    PaintContent(canvas, face, Pressed());
    if (Focused()) {
        const TRect focus = Rect(face.Left + 1, face.Top + 1, face.Right - 1, face.Bottom - 1);
        DrawFocusRect(&canvas, focus);
    }
}

void TButton::PaintContent(TCanvas& Canvas, const TRect& Face, bool IsPressed) {
    TRect text = Face;
    if (IsPressed) OffsetRect(text, 1, 1);
    DrawButtonCaption(Canvas, Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
}

}  // namespace vex
