#include <algorithm>

#include "dataaware/data/wwfieldlists.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/ui/inputevents.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {
constexpr char CtrlV = 0x16, CtrlX = 0x18, Escape = 0x1B;

bool ChangesText(char Key) {
    return static_cast<unsigned char>(Key) >= 32 || Key == '\b';
}

bool ControlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}
}  // namespace

bool TwwDBCustomEdit::UserMayEdit() const {
    // The edit is writable while its record is edited, yet the field itself may not be.
    return Bound() ? TwwCustomMaskEdit::UserMayEdit() && FieldTakesTyping() : !ReadOnly();
}

bool TwwDBCustomEdit::MayType() {
    const TDataSource* source = FDataLink->DataSource();
    if (TCustomEdit::ReadOnly() && source != nullptr && !source->AutoEdit() &&
        source->State() != dsEdit && source->State() != dsInsert)
        return false;
    if (!Bound()) {
        if (ReadOnly()) return false;
        TCustomEdit::SetReadOnly(false);
        return true;
    }
    // Otherwise the key would go into the text, to be dropped on leaving, or ask a dataset that
    // cannot be modified for edit mode, which raises at every key.
    if (!FieldTakesTyping()) return false;
    TField* field = Field();
    if (field == nullptr || !wwIsCalcOrLookup(*field)) return true;
    FDataLink->DataSet()->Edit();
    TCustomEdit::SetReadOnly(false);
    return true;
}

void TwwDBCustomEdit::KeyPress(char& Key) {
    if (ChangesText(Key)) {
        if (!MayType()) {
            Key = 0;
            return;
        }
        // Before the picture sees the key: a record still being browsed keeps its edit
        // read-only, and the picture would swallow the key without typing it.
        if (Bound()) EditLink();
    }
    const bool pictureFills = HasPicture() && Picture().AutoFill();
    if (Key == ' ' && !ControlDown() && FAutoFillDate && !pictureFills && CompleteDateTime()) {
        IsValidPicture(EditText());
        Key = 0;
        return;
    }
    if (!PictureKeyPress(Key) || Key == 0) return;
    TField* field = Field();
    if (IsPrintable(Key) && field != nullptr && !HasButton() && !field->IsValidChar(Key)) {
        MessageBeep(0);
        Key = 0;
        return;
    }
    if (Key == Escape) {
        Reset();
        Invalidate();
        Key = 0;
        if (TWinControl* grid = wwInGrid(this) ? Parent() : nullptr; grid && grid->CanFocus())
            grid->SetFocus();
        return;
    }
    if (Key == '\r') {
        if (WantReturns())
            BeginChange();
        else if (wwInGrid(this))
            Key = 0;
    } else if (Key == '\t') {
        if (wwInGrid(this)) Key = 0;
    } else if (ChangesText(Key) || Key == CtrlV || Key == CtrlX) {
        BeginChange();
        if (!IsTextEditable()) Key = 0;
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TwwDBCustomEdit::BeginChange() {
    if (Bound() && !EditLink()) return;
    SetChanged(true);
}

void TwwDBCustomEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    // A grid that cannot take the focus leaves the key with the edit.
    if (InGridEditor() && GridTakesKey(Key, Shift) && wwHandKeyToGrid(this, Key, Shift)) {
        Key = 0;
        return;
    }
    if (Key == VK_F2 && InGridEditor()) {
        wwEditorGrid(this)->GridKeyDown(Key, Shift);
        if (Key == VK_F2 && IsTextEditable()) SetSelStart(static_cast<int32_t>(EditText().size()));
    }
    if (Bound() && (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))) EditLink();
    TwwCustomMaskEdit::KeyDown(Key, Shift);
}

bool TwwDBCustomEdit::InGridEditor() const {
    if (wwEditorGrid(this) == nullptr) return false;
    const TField* field = Field();
    const bool memo = field != nullptr && field->DataType() == ftMemo;
    return !memo || SelLength() == TextBuffer().TextLength();
}

bool TwwDBCustomEdit::GridTakesKey(uint16_t Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    const int32_t length = static_cast<int32_t>(EditText().size());
    const bool alwaysEditor = wwGetGridOptions(this).Contains(dgAlwaysShowEditor);
    switch (Key) {
        case VK_ESCAPE:
            return !Modified();
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            return !Shift.Contains(ssAlt);
        case VK_LEFT:
        case VK_HOME:
            return alwaysEditor &&
                   (ctrl || (SelStart() == 0 && (SelLength() == 0 || SelLength() == length ||
                                                 (IsMasked() && SelLength() == 1))));
        case VK_RIGHT:
        case VK_END:
            return alwaysEditor && (ctrl || (SelStart() + SelLength() == length &&
                                             (SelLength() == 0 || SelStart() == 0)));
        case VK_INSERT:
            return !Shift.Contains(ssShift);
        case VK_DELETE:
            return ctrl;
        default:
            return false;
    }
}

void TwwDBCustomEdit::CNKeyDown(TMessage& Message) {
    if (!ComponentState().Contains(csDesigning) && wwInGrid(this)) {
        const auto key = static_cast<uint16_t>(Message.WParam);
        const TShiftState shift = KeyDataToShiftState(Message.LParam);
        const bool returnStays = WantReturns() && key == VK_RETURN && !shift.Contains(ssCtrl);
        const bool toGrid =
            key == VK_RETURN || (key == VK_TAB && wwGetGridOptions(this).Contains(dgTabs));
        if (!returnStays && toGrid && wwHandKeyToGrid(this, key, shift)) {
            Message.Result = 1;
            return;
        }
    }
    TwwCustomMaskEdit::CNKeyDown(Message);
}

void TwwDBCustomEdit::CutToClipboard() {
    if (Bound()) EditLink();
    TwwCustomMaskEdit::CutToClipboard();
    SetChanged(true);
    if (OnCheckValue) IsValidPicture(EditText());
}

void TwwDBCustomEdit::PasteFromClipboard() {
    if (!Bound() && ReadOnly()) return;
    if (Bound()) EditLink();
    // The caret belongs before what followed the selection, however many literals the picture
    // lays into the pasted text.
    const auto following = static_cast<int32_t>(EditText().size()) - SelStart() - SelLength();
    TwwCustomMaskEdit::PasteFromClipboard();
    if (HasPicture()) {
        ApplyPicture();
        const auto length = static_cast<int32_t>(EditText().size());
        if (SelStart() == 0) SetSelStart(std::max(length - following, 0));
    }
    SetChanged(true);
    if (OnCheckValue) IsValidPicture(EditText());
}

}  // namespace vex
