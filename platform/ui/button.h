#pragma once

#include <cstdint>

#include "platform/ui/buttoncontrol.h"
#include "platform/ui/formtypes.h"

namespace vex {

// A push button. It is clicked by a left press and release over it (dragging out lets it up,
// back in presses it again), by Space while it has the focus, by Enter while it has the focus or
// is the form's active default button, by Escape when it is a cancel button, and by the
// accelerator of its "&" caption. A click gives its form the button's ModalResult, which ends a
// modal run. The default button wears a thick border; while another button has the focus, that
// one wears it instead, since Enter presses the focused button.
class TButton : public TButtonControl {
    VEX_CLASS(TButton, TButtonControl)

public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    // Wears the thick border: Enter presses this button.
    bool Active() const { return FActive; }

    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    // Draws what goes on the face (Face is inside the edges): the caption, centred, a pixel
    // down and right while pressed.
    virtual void PaintContent(TCanvas& Canvas, const TRect& Face, bool IsPressed);

    void UserClick() override { Click(); }
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

private:
    void SetActive(bool Value);

    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
};

}  // namespace vex
