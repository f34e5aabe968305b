#include "components/entry/EsEdPopup.h"

#include "platform/win/windowstyles.h"

namespace vex {

TEsEdPopup::TEsEdPopup(TComponent* AOwner) : TCustomEdit(AOwner) {
    // The component's name never becomes the text.
    FControlStyle.Exclude(csSetCaption);
}

void TEsEdPopup::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    FAttachment.HostMoved();
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
