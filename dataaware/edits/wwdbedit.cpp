#include "dataaware/edits/wwdbedit.h"

#include "dataaware/data/wwfieldlists.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/win/caret.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"

namespace vex {

TwwDBCustomEdit::TwwDBCustomEdit(TComponent* AOwner)
    : TwwCustomMaskEdit(AOwner), FDataLink(std::make_unique<TFieldDataLink>()) {
    // Read-only until a bound record is edited; Loaded frees an unbound edit again.
    TCustomEdit::SetReadOnly(true);
    FControlStyle.Include(csReplicatable);
    FDataLink->Control = this;
    FDataLink->OnDataChange = [this](TObject* Sender) { DataChange(Sender); };
    FDataLink->OnEditingChange = [this](TObject* Sender) { EditingChange(Sender); };
    FDataLink->OnUpdateData = [this](TObject* Sender) { UpdateData(Sender); };
    UpdateEditStyle();
}

TwwDBCustomEdit::~TwwDBCustomEdit() {
    FDataLink->OnDataChange = nullptr;
    FDataLink->OnEditingChange = nullptr;
    FDataLink->OnUpdateData = nullptr;
    FDataLink->SetDataSource(nullptr);
}

TDataSource* TwwDBCustomEdit::DataSource() const {
    return dynamic_cast<TwwDataSource*>(FDataLink->DataSource());
}

void TwwDBCustomEdit::SetDataSource(TDataSource* Value) {
    if (TDataSource* old = FDataLink->DataSource()) old->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    if (Value != nullptr) Value->FreeNotification(this);
    SyncReadOnly();
}

std::string TwwDBCustomEdit::DataField() const {
    return FDataLink->FieldName();
}

void TwwDBCustomEdit::SetDataField(const std::string& Value) {
    FDataLink->SetFieldName(Value);
}

TField* TwwDBCustomEdit::Field() const {
    return FDataLink->Field();
}

bool TwwDBCustomEdit::ReadOnly() const {
    return FDataLink->ReadOnly();
}

void TwwDBCustomEdit::SetReadOnly(bool Value) {
    FDataLink->SetReadOnly(Value);
    SyncReadOnly();
}

void TwwDBCustomEdit::SyncReadOnly() {
    TCustomEdit::SetReadOnly(ReadOnly() || (Bound() && !FDataLink->Editing()));
}

bool TwwDBCustomEdit::Bound() const {
    return FDataLink->DataSource() != nullptr;
}

bool TwwDBCustomEdit::LinkCanModify() const {
    const TField* field = FDataLink->Field();
    return !FDataLink->ReadOnly() && field != nullptr && field->CanModify();
}

bool TwwDBCustomEdit::FieldTakesTyping() const {
    const TField* field = Field();
    if (field == nullptr) return !FDataLink->ReadOnly();
    const TDataSet* dataSet = field->DataSet();
    return !FDataLink->ReadOnly() && !field->ReadOnly() && dataSet != nullptr &&
           dataSet->CanModify();
}

bool TwwDBCustomEdit::EditLink() {
    return FieldTakesTyping() && FDataLink->Edit();
}

bool TwwDBCustomEdit::EditCanModify() {
    if (!Bound()) return true;
    if (FDataLink->Field() != nullptr && EditLink()) return true;
    const TField* field = FDataLink->Field();
    if (ReadOnly() || field == nullptr || !wwIsCalcOrLookup(*field) || field->ReadOnly())
        return false;
    const TDataSet* dataSet = FDataLink->DataSet();
    return dataSet != nullptr && dataSet->CanModify();
}

void TwwDBCustomEdit::Reset() {
    if (Bound())
        FDataLink->Reset();
    else
        SetEditText(FUnboundText);
    SelectAll();
    SetChanged(false);
    if (OnCheckValue) IsValidPicture(EditText());
}

void TwwDBCustomEdit::SetChanged(bool Value) {
    if (Value && Bound()) {
        // A change the record cannot take is no change.
        if (FDataLink->ReadOnly() || (Field() != nullptr && Field()->ReadOnly())) return;
        FDataLink->SetModified();
    }
    TwwCustomMaskEdit::SetChanged(Value);
}

void TwwDBCustomEdit::Change() {
    // An undo or the menu's delete changes the text without a key that marks the record; the
    // user's change would be dropped on leaving.
    if (Modified() && Bound() && !FDataLink->Modified()) SetChanged(true);
    TwwCustomMaskEdit::Change();
}

void TwwDBCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TwwCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDataLink->DataSource()) SetDataSource(nullptr);
}

void TwwDBCustomEdit::Loaded() {
    TwwCustomMaskEdit::Loaded();
    SyncReadOnly();
}

DWORD TwwDBCustomEdit::WantedEditStyle() {
    DWORD style = TwwCustomMaskEdit::WantedEditStyle();
    if (!FitsOneLine()) return style;
    if (WordWrap()) style |= ES_AUTOHSCROLL;
    if (BorderStyle() != bsSingle && PasswordChar() != 0)
        style &= ~static_cast<DWORD>(ES_MULTILINE);
    return style;
}

void TwwDBCustomEdit::CMEnter(TMessage& Message) {
    FFocused = true;
    // The editing text (not the display text) is what the user changes, unless the focus comes
    // back to a change that could not be written; unbound, Escape brings back the text of now,
    // unless the focus comes back to a text that failed its picture.
    if (Field() != nullptr) {
        if (!FDataLink->Modified()) FDataLink->Reset();
    } else if (!Bound() && !InvalidExit()) {
        FUnboundText = EditText();
    }
    const bool selectAll = AutoSelect() && GetKeyState(VK_LBUTTON) >= 0;
    TwwCustomMaskEdit::CMEnter(Message);
    if (selectAll) SelectAll();
    if (!IsTextEditable()) {
        HideCaret(Handle());
        Invalidate();
    }
}

void TwwDBCustomEdit::CMExit(TMessage& Message) {
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        SelectAll();
        if (CanFocus()) SetFocus();
        throw;
    }
    TwwCustomMaskEdit::CMExit(Message);
    if (InvalidExit()) return;
    FFocused = false;
    if (Field() != nullptr) FDataLink->Reset();
    Invalidate();
}

void TwwDBCustomEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_VSCROLL && wwInGrid(this) && CanFocus()) SetFocus();
    TwwCustomMaskEdit::WndProc(Message);
}

}  // namespace vex
