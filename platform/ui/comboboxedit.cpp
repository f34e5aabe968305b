#include "platform/ui/comboboxedit.h"

#include "platform/ui/combobox.h"

namespace vex {

TComboBoxEdit::TComboBoxEdit(TCustomComboBox& ComboBox)
    : TCustomEdit(&ComboBox), FComboBox(ComboBox) {
    SetBorderStyle(bsNone);
    SetParentColor(true);
    SetTabStop(false);
}

LRESULT TComboBoxEdit::DialogCode() {
    const LRESULT code = TCustomEdit::DialogCode();
    return FComboBox.DroppedDown() ? code | DLGC_WANTALLKEYS : code;
}

void TComboBoxEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::KeyDown(Key, Shift);
    if (life.expired() || Key == 0) return;
    if (FComboBox.HandleKey(Key, Shift.Contains(ssAlt))) Key = 0;
}

void TComboBoxEdit::Change() {
    TCustomEdit::Change();
    FComboBox.EditChanged();
}

void TComboBoxEdit::WMKillFocus(TMessage& Message) {
    FComboBox.CloseList(false);
    TCustomEdit::WMKillFocus(Message);
}

}  // namespace vex
