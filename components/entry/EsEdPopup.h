#pragma once

#include "components/entry/EsBase.h"
#include "platform/ui/customedit.h"

namespace vex {

// A one-line edit that drops something down, with an attached label as the TEs controls have.
// The drop-down opens with PopupOpen and closes with PopupClose, which a descendant fills in.
class TEsEdPopup : public TCustomEdit {
    VEX_CLASS(TEsEdPopup, TCustomEdit)

public:
    explicit TEsEdPopup(TComponent* AOwner);

    TEsLabelInfo& EsLabelInfo() { return FAttachment.Info(); }
    // True from the start of PopupOpen until PopupClose.
    bool PopupActive() const { return FPopupActive; }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void WndProc(TMessage& Message) override;

    virtual void PopupOpen() { FPopupActive = true; }
    virtual void PopupClose(TObject* /*Sender*/) { FPopupActive = false; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    bool FPopupActive = false;

private:
    TEsLabelAttachment FAttachment{*this};
};

}  // namespace vex
