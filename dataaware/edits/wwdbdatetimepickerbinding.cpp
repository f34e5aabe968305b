#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepickervalues.h"
#include "platform/core/datetime.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"

namespace vex {

TDataSource* TwwDBCustomDateTimePicker::DataSource() const {
    return FDataLink->DataSource();
}

void TwwDBCustomDateTimePicker::SetDataSource(TDataSource* Value) {
    FDataLink->SetDataSource(Value);
    FBoundSource = Value;
    if (Value == nullptr)
        FUnboundDataType = wwDTEdtDateTime;
    else
        Value->FreeNotification(this);
}

std::string TwwDBCustomDateTimePicker::DataField() const {
    return FDataLink->FieldName();
}

void TwwDBCustomDateTimePicker::SetDataField(const std::string& Value) {
    FDataLink->SetFieldName(Value);
    if (Value.empty()) FUnboundDataType = wwDTEdtDateTime;
}

TField* TwwDBCustomDateTimePicker::Field() const {
    return FDataLink->Field();
}

bool TwwDBCustomDateTimePicker::Bound() const {
    return Field() != nullptr;
}

bool TwwDBCustomDateTimePicker::BindingInactive() const {
    return Field() == nullptr && (DataSource() != nullptr || !DataField().empty());
}

void TwwDBCustomDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    // A source being freed has let its links go before its removal is told.
    if (Operation == opRemove && AComponent != nullptr && AComponent == FBoundSource)
        SetDataSource(nullptr);
}

bool TwwDBCustomDateTimePicker::ReadOnly() const {
    return FDataLink->ReadOnly();
}

void TwwDBCustomDateTimePicker::SetReadOnly(bool Value) {
    FDataLink->SetReadOnly(Value);
    TCustomEdit::SetReadOnly(Value);
}

bool TwwDBCustomDateTimePicker::MayModify() const {
    if (ReadOnly()) return false;
    if (const TField* field = Field()) {
        if (field->ReadOnly() || field->DataSet() == nullptr || !field->DataSet()->CanModify())
            return false;
    }
    if (const TDataSource* source = DataSource()) {
        const TDataSetState state = source->State();
        if (!source->AutoEdit() && state != dsEdit && state != dsInsert) return false;
    }
    return true;
}

bool TwwDBCustomDateTimePicker::MayEditField() const {
    const TField* field = Field();
    if (field == nullptr) return true;
    const TDataSetState state = field->DataSet()->State();
    if (state == dsEdit || state == dsInsert) return true;
    return !ReadOnly() && field->Calculated() && !field->ReadOnly() &&
           field->DataSet()->CanModify();
}

bool TwwDBCustomDateTimePicker::EditCanModify() {
    return MayModify();
}

bool TwwDBCustomDateTimePicker::EditPermission() {
    return FDataLink->Edit();
}

void TwwDBCustomDateTimePicker::SetModified(bool Value) {
    if (Value && Field() != nullptr && Field()->ReadOnly()) return;
    if (Value) FDataLink->SetModified();
    TCustomEdit::SetModified(Value);
}

bool TwwDBCustomDateTimePicker::UserMayEdit() const {
    return !TCustomEdit::ReadOnly() && MayModify();
}

void TwwDBCustomDateTimePicker::Change() {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::Change();
    if (life.expired()) return;
    FDataLink->SetModified();
    if (!TextEmpty()) return;
    // The value keeps only what the text no longer shows a part of.
    FValue = IsTimeOnlyKind() ? wwWholeDay(FValue) : wwTimeOfDay(FValue);
}

// Each text set below runs the change handlers, which may free the picker.
void TwwDBCustomDateTimePicker::DataChange(TObject*) {
    TField* field = Field();
    if (field == nullptr) {
        FAlignment = taLeftJustify;
        if (DataSource() == nullptr && DataField().empty()) return;
        if (!Refresh()) return;
        if (FFocused) ShowEditCaret(true);
        return;
    }
    if (field->Alignment() != FAlignment) {
        if (!ReplaceText("")) return;
        FAlignment = field->Alignment();
    }
    const std::weak_ptr<const void> life = LifeToken();
    const TDataSetState state = field->DataSet()->State();
    // Entering selects the whole text anyway: an unfocused picker spares every record of a walk
    // through the dataset the selecting.
    const bool focused = Focused();
    if (field->IsNull()) {
        SetValue(0);
        if (life.expired() || !ReplaceText("")) return;
        ShowEditCaret(true);
        if (state == dsBrowse || state == dsInsert) {
            FirstPart();
            if (focused) SelectAll();
        }
    } else {
        // A new text repaints the whole control, and the same text needs no painting.
        FValue = field->AsDateTime();
        if (!ReplaceText(DisplayTextOf(FValue))) return;
        if (state == dsBrowse) {
            FirstPart();
            if (focused) SelectAll();
        }
    }
    if (TextEmpty()) {
        if (!ReplaceText(DisplayTextOf(field->AsDateTime()))) return;
        ShowEditCaret(true);
    }
    TCustomEdit::SetModified(false);
}

void TwwDBCustomDateTimePicker::UpdateData(TObject*) {
    TField* field = Field();
    if (field == nullptr || TCustomEdit::ReadOnly() || !Modified()) return;
    if (!FDataLink->Editing() && !field->Calculated()) return;
    if (IsTimeOnlyKind()) {
        // The field's own day stays; only the time of day is the picker's.
        FValue = wwDayAtTimeOf(field->AsDateTime(), FValue);
        if (FValue == 0 && TextEmpty())
            field->Clear();
        else
            field->SetAsDateTime(FValue);
        return;
    }
    if (IsDateOnlyKind()) {
        // No day is no value: the field's time of day alone would be stored as 30 December 1899.
        FValue = wwWholeDay(FValue) == 0 ? 0 : wwDayAtTimeOf(FValue, field->AsDateTime());
        if (FValue == 0) FEmpty = true;
    }
    if (FValue != 0)
        field->SetAsDateTime(FValue);
    else if (FEmpty)
        field->Clear();
}

bool TwwDBCustomDateTimePicker::Refresh() {
    std::string text;
    if (Modified())
        text = TextOfValue(FValue);
    else if (Bound())
        text = DisplayTextOf(FValue);
    else if (FValue != 0 && DataSource() == nullptr && DataField().empty())
        text = DisplayTextOf(FValue);
    if (!ReplaceText(text)) return false;
    Invalidate();
    return true;
}

}  // namespace vex
