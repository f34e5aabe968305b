#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/EditBtn.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/datetimepicker.h"
#include "platform/ui/spinedit.h"

namespace vex {

// The grid's side of its special editors, which are its children: a key that ends editing,
// and the editor losing the focus.
class TGridEditorLink {
public:
    TGridEditorLink(TAdvStringGrid& Grid, std::initializer_list<uint16_t> EndKeys)
        : FGrid(Grid), FEndKeys(EndKeys) {}

    bool IsEndKey(uint16_t Key) const;
    // True (and Key taken) when Key ended the editing and went on to the grid.
    bool EditorKey(uint16_t& Key, TShiftState Shift);
    void EditorExited();
    void EllipsisClick(TWinControl& Editor);

private:
    TAdvStringGrid& FGrid;
    std::vector<uint16_t> FEndKeys;
};

// A control of the framework made into a cell editor: hidden until a cell asks for it, handing
// the grid the keys that end the editing (which it keeps from the form's navigation) and its
// losing the focus.
template <class TBase>
class TGridEditor : public TBase {
public:
    TGridEditor(TAdvStringGrid& Grid, std::initializer_list<uint16_t> EndKeys)
        : TBase(&Grid), FLink(Grid, EndKeys) {
        this->SetVisible(false);
        this->SetParent(&Grid);
    }

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_WANTSPECIALKEY &&
            FLink.IsEndKey(static_cast<uint16_t>(Message.WParam))) {
            Message.Result = 1;
            return;
        }
        TBase::WndProc(Message);
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        if (!FLink.EditorKey(Key, Shift)) TBase::KeyDown(Key, Shift);
    }
    void DoExit() override {
        const TControlWatch watch(*this);
        TBase::DoExit();
        if (!watch.Expired()) FLink.EditorExited();
    }

    TGridEditorLink FLink;
};

using TGridSpinBase = TGridEditor<TSpinEdit>;
using TGridComboBase = TGridEditor<TComboBox>;
using TGridEditBtnBase = TGridEditor<TEditBtn>;
using TGridCheckBoxBase = TGridEditor<TCheckBox>;
using TGridButtonBase = TGridEditor<TButton>;
using TGridDatePickerBase = TGridEditor<TDateTimePicker>;

// The spin edit of etSpin: its arrows step the value, so only Tab, Enter and Escape leave it.
class tGridSpin : public TGridSpinBase {
    VEX_CLASS(tGridSpin, TGridSpinBase)

public:
    explicit tGridSpin(TAdvStringGrid& Grid);
};

// The combo box of etComboEdit and etComboList; its arrows choose, and while its list is down
// Enter and Escape close the list.
class tGridCombo : public TGridComboBase {
    VEX_CLASS(tGridCombo, TGridComboBase)

public:
    explicit tGridCombo(TAdvStringGrid& Grid);
    // The edit of the edit style takes the keys: they come here too.
    void SetEditStyle(TComboBoxStyle Value);

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
};

// The edit with a button of etEditButton; the button runs the grid's EllipsisClick.
class tGridEditBtn : public TGridEditBtnBase {
    VEX_CLASS(tGridEditBtn, TGridEditBtnBase)

public:
    explicit tGridEditBtn(TAdvStringGrid& Grid);
};

class tGridCheckBox : public TGridCheckBoxBase {
    VEX_CLASS(tGridCheckBox, TGridCheckBoxBase)

public:
    explicit tGridCheckBox(TAdvStringGrid& Grid);
};

// The picker of etDate and etTime: its arrows step the part they stand in, and while its
// calendar is down Enter and Escape belong to the calendar.
class tGridDatePicker : public TGridDatePickerBase {
    VEX_CLASS(tGridDatePicker, TGridDatePickerBase)

public:
    explicit tGridDatePicker(TAdvStringGrid& Grid);

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
};

// The push button of etButton, which runs the grid's EllipsisClick.
class tEditButton : public TGridButtonBase {
    VEX_CLASS(tEditButton, TGridButtonBase)

public:
    explicit tEditButton(TAdvStringGrid& Grid);
};

}  // namespace vex
