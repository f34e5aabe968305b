#pragma once

#include "platform/ui/graphiccontrol.h"

namespace vex {

// An etched frame with its caption on the top line, holding the controls inside it; the
// caption's accelerator gives the focus to the first of them.
class TCustomGroupBox : public TCustomControl {
    VEX_CLASS(TCustomGroupBox, TCustomControl)

public:
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void CMDialogChar(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    int32_t CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
    VEX_CLASS(TGroupBox, TCustomGroupBox)

public:
    using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace vex
