#pragma once

#include "platform/ui/buttoncontrol.h"

namespace vex {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A box that is ticked or not (or, with AllowGrayed, greyed: neither) with its caption beside
// it: on its right with taRightJustify, on its left with taLeftJustify. A press released over
// it, Space, or its caption's accelerator steps it on: unchecked, (greyed,) checked, unchecked.
// OnClick follows every change of State, whether a person or the program made it.
class TCustomCheckBox : public TButtonControl {
    VEX_CLASS(TCustomCheckBox, TButtonControl)

public:
    explicit TCustomCheckBox(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    // taCenter is taken as taRightJustify.
    void SetAlignment(TAlignment Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);

protected:
    // Steps the state on, as a person's click does.
    virtual void Toggle();
    void UserClick() override { Toggle(); }
    void Paint() override;
    void CMDialogChar(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

private:
    TAlignment FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    VEX_CLASS(TCheckBox, TCustomCheckBox)

public:
    using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace vex
