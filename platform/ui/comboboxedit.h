#pragma once

#include "platform/ui/customedit.h"

namespace vex {

class TCustomComboBox;

// The edit of a drop-down combo box, over its face left of the button. It edits as any edit
// does, but hands its combo box the keys that work the list (Up, Down, Page Up/Down, Alt+Down,
// F4, and Enter and Escape while the list is open), tells it of every change typed, and closes
// the list when the focus leaves.
class TComboBoxEdit : public TCustomEdit {
    VEX_CLASS(TComboBoxEdit, TCustomEdit)

public:
    TComboBoxEdit(TCustomComboBox& ComboBox);

protected:
    LRESULT DialogCode() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void Change() override;
    void WMKillFocus(TMessage& Message) override;

private:
    TCustomComboBox& FComboBox;
};

}  // namespace vex
