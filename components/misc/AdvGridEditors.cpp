// The grid's editors: its own in-place editor, and the special editors a cell may ask for
// through OnGetEditorType, laid over the cell, filled from it and written back when they close.

#include "components/misc/AdvGridEditors.h"

#include <algorithm>
#include <utility>

#include "components/misc/AdvGridInplaceEdit.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"
#include "platform/ui/commctrl.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// The combo boxes' rectangles reach this far below the cell, for their lists.
constexpr int32_t kComboListRoom = 200;

}  // namespace

// --- The editors ---

bool TGridEditorLink::IsEndKey(uint16_t Key) const {
    return std::find(FEndKeys.begin(), FEndKeys.end(), Key) != FEndKeys.end();
}

bool TGridEditorLink::EditorKey(uint16_t& Key, TShiftState Shift) {
    if (!IsEndKey(Key)) return false;
    const uint16_t key = std::exchange(Key, 0);
    FGrid.SpecialEditorKey(key, Shift);
    return true;
}

void TGridEditorLink::EditorExited() {
    FGrid.SpecialEditorDone(false, false);
}

void TGridEditorLink::EllipsisClick(TWinControl& Editor) {
    FGrid.EditorEllipsisClick(Editor);
}

tGridSpin::tGridSpin(TAdvStringGrid& Grid) : TGridSpinBase(Grid, {VK_TAB, VK_RETURN, VK_ESCAPE}) {}

tGridCombo::tGridCombo(TAdvStringGrid& Grid)
    : TGridComboBase(Grid, {VK_TAB, VK_RETURN, VK_ESCAPE}) {}

void tGridCombo::SetEditStyle(TComboBoxStyle Value) {
    SetStyle(Value);
    for (int32_t i = 0; i < ControlCount(); ++i)
        if (auto* edit = dynamic_cast<TWinControl*>(Controls(i)))
            edit->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) {
                if (!DroppedDown()) FLink.EditorKey(Key, Shift);
            };
}

void tGridCombo::KeyDown(uint16_t& Key, TShiftState Shift) {
    // The open list has Enter and Escape for itself.
    if (DroppedDown())
        TComboBox::KeyDown(Key, Shift);
    else
        TGridComboBase::KeyDown(Key, Shift);
}

tGridEditBtn::tGridEditBtn(TAdvStringGrid& Grid)
    : TGridEditBtnBase(Grid, {VK_UP, VK_DOWN, VK_TAB, VK_RETURN, VK_ESCAPE}) {
    OnClickBtn = [this](TObject*) { FLink.EllipsisClick(*this); };
}

tGridCheckBox::tGridCheckBox(TAdvStringGrid& Grid)
    : TGridCheckBoxBase(Grid, {VK_UP, VK_DOWN, VK_TAB, VK_RETURN, VK_ESCAPE}) {}

tGridDatePicker::tGridDatePicker(TAdvStringGrid& Grid)
    : TGridDatePickerBase(Grid, {VK_TAB, VK_RETURN, VK_ESCAPE}) {}

void tGridDatePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (DroppedDown())
        TDateTimePicker::KeyDown(Key, Shift);
    else
        TGridDatePickerBase::KeyDown(Key, Shift);
}

tEditButton::tEditButton(TAdvStringGrid& Grid)
    : TGridButtonBase(Grid, {VK_UP, VK_DOWN, VK_TAB, VK_ESCAPE}) {
    OnClick = [this](TObject*) { FLink.EllipsisClick(*this); };
}

// --- The grid's side ---

TInplaceEdit* TAdvStringGrid::CreateEditor() {
    return new TAdvInplaceEdit(*this);  // owned by the grid as its component
}

void TAdvStringGrid::SetWordWrap(bool Value) {
    FWordWrap = Value;
    if (auto* editor = dynamic_cast<TAdvInplaceEdit*>(InplaceEditor())) editor->Setwordwrap(Value);
    Invalidate();
}

TWinControl* TAdvStringGrid::SpecialEditorOf(TEditorType Type) {
    // The two combo kinds share one combo box, and dates and times one picker.
    const auto slot = static_cast<size_t>(Type == etComboList ? etComboEdit
                                          : Type == etTime    ? etDate
                                                              : Type);
    if (Type == etInplace || slot >= FSpecialEditors.size()) return nullptr;
    TWinControl*& editor = FSpecialEditors[slot];
    if (editor != nullptr) return editor;
    switch (Type) {
        case etSpin:
            editor = new tGridSpin(*this);
            break;
        case etComboEdit:
        case etComboList:
            editor = new tGridCombo(*this);
            break;
        case etEditButton:
            editor = new tGridEditBtn(*this);
            break;
        case etCheckBox:
            editor = new tGridCheckBox(*this);
            break;
        case etButton:
            editor = new tEditButton(*this);
            break;
        case etDate:
        case etTime:
            // Only a library that has the picker makes one.
            if (FDatePickerAvailable) editor = new tGridDatePicker(*this);
            break;
        case etInplace:
            break;
    }
    return editor;
}

bool TAdvStringGrid::CanEditShow() {
    if (!TStringGrid::CanEditShow() || IsCheckBoxCell(Col(), Row())) return false;
    // A special editor lies over the cell already, or is on its way out.
    if (FSpecialEditor != nullptr || FClosingSpecialEditor) return false;
    return !ShowSpecialEditor();
}

bool TAdvStringGrid::ShowSpecialEditor() {
    NoteSelectedText(Col(), Row());
    FEditorType = etInplace;
    const TControlWatch watch(*this);
    if (OnGetEditorType) OnGetEditorType(this, FSelectedCol, Row(), FEditorType);
    if (watch.Expired()) return true;
    if (FEditorType == etInplace) return false;
    TWinControl* editor = SpecialEditorOf(FEditorType);
    TRect cell = CellRect(Col(), Row());
    // A type without its editor opens none, and neither does a cell off the screen.
    if (editor == nullptr || IsRectEmpty(cell)) return true;
    if (FEditorType == etComboEdit || FEditorType == etComboList) cell.Bottom += kComboListRoom;
    FSpecialCol = FSelectedCol;
    FSpecialRow = Row();
    FillSpecialEditor(*editor, Cells(FSpecialCol, FSpecialRow));
    if (watch.Expired()) return true;
    FSpecialShownValue.clear();
    SpecialEditorValue(*editor, FSpecialShownValue);
    editor->SetBounds(cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top);
    FSpecialEditor = editor;
    editor->Show();
    if (editor->CanFocus()) editor->SetFocus();
    return true;
}

void TAdvStringGrid::FillSpecialEditor(TWinControl& Editor, const std::string& Text) {
    switch (FEditorType) {
        case etSpin:
            static_cast<tGridSpin&>(Editor).SetValue(StrToIntDef(Text, 0));
            break;
        case etComboEdit:
        case etComboList: {
            auto& combo = static_cast<tGridCombo&>(Editor);
            combo.SetEditStyle(FEditorType == etComboEdit ? csDropDown : csDropDownList);
            if (FEditorType == etComboList)
                combo.SetItemIndex(combo.Items().IndexOf(Text));
            else
                combo.SetText(Text);
            break;
        }
        case etEditButton:
            Editor.SetText(Text);
            break;
        case etCheckBox:
            static_cast<tGridCheckBox&>(Editor).SetChecked(false);
            break;
        case etButton:
            Editor.SetCaption(Text);
            break;
        case etDate:
        case etTime: {
            auto& picker = static_cast<tGridDatePicker&>(Editor);
            const bool date = FEditorType == etDate;
            picker.SetKind(date ? dtkDate : dtkTime);
            // A cell that holds no date or time starts the picker at now.
            TDateTime value = 0;
            if (date ? TryStrToDate(Text, value) : TryStrToTime(Text, value))
                picker.SetDateTime(date ? value : ComposeDateTime(vex::Date(), value));
            else
                picker.SetDateTime(Now());
            break;
        }
        case etInplace:
            break;
    }
}

bool TAdvStringGrid::SpecialEditorValue(TWinControl& Editor, std::string& Value) {
    switch (FEditorType) {
        case etSpin:
            Value = IntToStr(static_cast<tGridSpin&>(Editor).Value());
            return true;
        case etComboEdit:
        case etComboList:
        case etEditButton:
            Value = Editor.Text();
            return true;
        case etDate:
            Value = DateToStr(static_cast<tGridDatePicker&>(Editor).Date());
            return true;
        case etTime:
            Value = FormatDateTime(FormatSettings().ShortTimeFormat,
                                   static_cast<tGridDatePicker&>(Editor).Time());
            return true;
        case etCheckBox:
        case etButton:
        case etInplace:
            break;
    }
    return false;
}

void TAdvStringGrid::SpecialEditorDone(bool Escaped, bool FocusGrid) {
    if (FSpecialEditor == nullptr || FClosingSpecialEditor) return;
    FClosingSpecialEditor = true;
    TWinControl* editor = std::exchange(FSpecialEditor, nullptr);
    const TControlWatch watch(*this);
    // The focus leaves the editor before its value is read: an editor may keep what is typed
    // half-way until it loses the focus. Hiding the editor that has the focus (or whose edit
    // has it) hands the focus on; the grid takes it.
    const HWND focus = GetFocus();
    const bool hadFocus =
        FocusGrid || (editor->HandleAllocated() && focus != 0 &&
                      (focus == editor->Handle() || IsChild(editor->Handle(), focus)));
    editor->Hide();
    if (hadFocus && CanFocus()) SetFocus();
    if (watch.Expired()) return;
    std::string value;
    if (Escaped) {
        RestoreSelectedText();
    } else if (FSpecialCol < StoredColCount() && FSpecialRow < RowCount() &&
               SpecialEditorValue(*editor, value) && value != FSpecialShownValue &&
               Cells(FSpecialCol, FSpecialRow) != value) {
        SetCells(FSpecialCol, FSpecialRow, value);
    }
    FClosingSpecialEditor = false;
    InvalidateCell(Col(), Row());
}

void TAdvStringGrid::SpecialEditorKey(uint16_t Key, TShiftState /*Shift*/) {
    SpecialEditorDone(Key == VK_ESCAPE, true);
    // The key goes on to the grid, to move on from the cell as it would there. Sent, not
    // posted: a posted key would be translated again, and its Enter reopen the editor.
    if (Key != VK_ESCAPE && HandleAllocated()) Perform(WM_KEYDOWN, Key, 0);
}

void TAdvStringGrid::WMChar(TMessage& Message) {
    const bool wasShown = FSpecialEditor != nullptr;
    const TControlWatch watch(*this);
    TStringGrid::WMChar(Message);
    if (watch.Expired() || wasShown || FSpecialEditor == nullptr || Message.WParam < ' ') return;
    // The character that opened an editor of text is its first; a list, a check box or a
    // button would take it as a choice or a click instead.
    const bool takesText = FEditorType == etSpin || FEditorType == etComboEdit ||
                           FEditorType == etEditButton || FEditorType == etDate ||
                           FEditorType == etTime;
    if (!takesText) return;
    if (TWinControl* focused = FindControl(GetFocus()))
        if (focused == FSpecialEditor || FSpecialEditor->ContainsControl(focused))
            focused->Perform(WM_CHAR, Message.WParam, Message.LParam);
}

void TAdvStringGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    // The cell moved from under the editor: what it holds is kept.
    if (FSpecialEditor != nullptr) SpecialEditorDone(false, false);
}

void TAdvStringGrid::EditorEllipsisClick(TWinControl& Editor) {
    const TControlWatch watch(*this);
    // What was typed so far is the text the handler gets; its answer shows in the editor.
    std::string typed;
    if (&Editor == FSpecialEditor && SpecialEditorValue(Editor, typed) &&
        FSpecialCol < StoredColCount() && FSpecialRow < RowCount())
        SetCells(FSpecialCol, FSpecialRow, typed);
    EllipsisClick();
    if (watch.Expired() || &Editor != FSpecialEditor) return;
    if (FSpecialCol < StoredColCount() && FSpecialRow < RowCount() && FEditorType == etEditButton)
        Editor.SetText(Cells(FSpecialCol, FSpecialRow));
}

void TAdvStringGrid::EllipsisClick() {
    if (!OnEllipsClick || ColCount() == 0 || RowCount() == 0) return;
    const int32_t col = RealColIndex(Col()), row = Row();
    std::string text = Cells(col, row);
    const TControlWatch watch(*this);
    OnEllipsClick(this, col, row, text);
    if (!watch.Expired() && col < StoredColCount() && row < RowCount()) SetCells(col, row, text);
}

}  // namespace vex
