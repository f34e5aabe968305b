#include "components/entry/EsEdPopup.h"

#include <algorithm>

#include "platform/win/windowstyles.h"

namespace vex {

void TEsEdButton::Click() {
    if (auto* edit = dynamic_cast<TEsEdPopup*>(Parent())) edit->PopupOpen();
}

TEsEdPopup::TEsEdPopup(TComponent* AOwner) : TCustomEdit(AOwner), FButton(new TEsEdButton(this)) {
    // The component's name never becomes the text.
    FControlStyle.Exclude(csSetCaption);
    FButton->SetTabStop(false);
    FButton->SetParent(this);
}

void TEsEdPopup::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!HandleAllocated()) return;
    FAttachment.HostMoved();
    PlaceButton();
}

void TEsEdPopup::PlaceButton() {
    if (!FShowButton) {
        FButton->SetBounds(FButton->Left(), FButton->Top(), 0, 0);
        return;
    }
    const int32_t client = ClientHeight();
    int32_t height = client, top = 0, inset = 0;
    if (BorderStyle() != bsNone) {
        if (Ctl3D()) {
            inset = 4;
        } else {
            height = client - 2;
            top = 1;
            inset = 1;
        }
    }
    const int32_t width = std::max(height / 4 * 3, FButton->Glyph().Width() + 4);
    FButton->SetBounds(Width() - width - inset, top, width, height);
}

void TEsEdPopup::SetShowButton(bool Value) {
    FShowButton = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TEsEdPopup::SetReadOnly(bool Value) {
    TCustomEdit::SetReadOnly(Value);
    FButton->SetEnabled(GetButtonEnabled());
}

void TEsEdPopup::CreateWnd() {
    TCustomEdit::CreateWnd();
    if (!HandleAllocated()) return;
    SetBounds(Left(), Top(), Width(), Height());
    FButton->SetEnabled(GetButtonEnabled());
}

void TEsEdPopup::WndProc(TMessage& Message) {
    if (FAttachment.Dispatch(Message)) return;
    TCustomEdit::WndProc(Message);
}

void TEsEdPopup::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TEsEdPopup::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    FAttachment.Notification(AComponent, Operation);
}

}  // namespace vex
