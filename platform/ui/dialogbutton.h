#pragma once

#include "platform/ui/formtypes.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

// The push button of the standard dialogs, until the standard controls bring theirs: a raised
// box with its caption that, clicked (pressed and released over it), pressed with Space while
// it has the focus, or by Enter when it is the default button or Escape when it is the cancel
// one, gives its form its ModalResult.
class TDialogButton : public TCustomControl {
    VEX_CLASS(TDialogButton, TCustomControl)

public:
    explicit TDialogButton(TComponent* AOwner);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }

    virtual void Click();
    TNotifyEvent OnClick;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;

private:
    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
    bool FPressed = false;
};

}  // namespace vex
