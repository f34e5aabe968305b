#pragma once

#include "components/entry/EsBase.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/customedit.h"

namespace vex {

class TEsEdPopup;

// The drop-down button inside an edit's right edge: a click opens the edit's drop-down.
class TEsEdButton : public TBitBtn {
    VEX_CLASS(TEsEdButton, TBitBtn)

public:
    using TBitBtn::TBitBtn;
    void Click() override;
};

// A one-line edit that drops something down, with an attached label as the TEs controls have.
// The drop-down opens with PopupOpen and closes with PopupClose, which a descendant fills in.
class TEsEdPopup : public TCustomEdit {
    VEX_CLASS(TEsEdPopup, TCustomEdit)

public:
    explicit TEsEdPopup(TComponent* AOwner);

    TEsLabelInfo& EsLabelInfo() { return FAttachment.Info(); }
    // True from the start of PopupOpen until PopupClose.
    bool PopupActive() const { return FPopupActive; }
    TEsEdButton& Button() { return *FButton; }
    bool ShowButton() const { return FShowButton; }
    void SetShowButton(bool Value);
    // Also enables the button exactly when the edit can be changed.
    void SetReadOnly(bool Value);

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void WndProc(TMessage& Message) override;

    virtual void PopupOpen() { FPopupActive = true; }
    virtual void PopupClose(TObject* /*Sender*/) { FPopupActive = false; }

protected:
    virtual bool GetButtonEnabled() { return !ReadOnly(); }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    bool FPopupActive = false;

private:
    void PlaceButton();

    TEsEdButton* FButton;
    TEsLabelAttachment FAttachment{*this};
    bool FShowButton = true;
};

}  // namespace vex
