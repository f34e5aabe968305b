#include "dataaware/data/Wwcommon.h"
#include "dataaware/data/wwSystem.h"
#include "dataaware/edits/wwdbedit.h"
#include "platform/core/exceptions.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"

namespace vex {

namespace {
bool IsMemo(const TField& Field) {
    return Field.DataType() == ftMemo || Field.DataType() == ftFmtMemo;
}
}  // namespace

void TwwDBCustomEdit::TakeFieldLimit(const TField* Field) {
    if (ComponentState().Contains(csDesigning)) return;
    // A limit set by the user stays; one taken from a field goes with it, or an editor moved to
    // another field (as the grid's is) would refuse text that field takes.
    if (MaxLength() != 0 && MaxLength() != FFieldMaxLength) return;
    const int32_t limit = Field != nullptr && Field->DataType() == ftString ? Field->Size() : 0;
    if (MaxLength() != limit) SetMaxLength(limit);
    FFieldMaxLength = limit;
}

void TwwDBCustomEdit::DataChange(TObject* /*Sender*/) {
    TField* field = Field();
    TakeFieldLimit(field);
    if (field == nullptr) {
        FAlignment = taLeftJustify;
        if (!EditMask().empty()) SetEditMask("");
        SetEditText(ComponentState().Contains(csDesigning) ? Name() : "");
        return;
    }
    if (field->Alignment() != FAlignment) {
        SetEditText("");
        FAlignment = field->Alignment();
    }
    // The picture is looked up only when the mask would change: every record comes here.
    if (EditMask() != field->EditMask() && !HasPicture()) SetEditMask(field->EditMask());
    if ((FFocused || IsMemo(*field)) && LinkCanModify())
        SetEditText(IsMemo(*field) ? field->AsString() : field->Text());
    else
        SetEditText(field->DisplayText());
}

void TwwDBCustomEdit::EditingChange(TObject* /*Sender*/) {
    SyncReadOnly();
}

void TwwDBCustomEdit::UpdateData(TObject* /*Sender*/) {
    TField* field = Field();
    if (TCustomEdit::ReadOnly() || field == nullptr) return;
    TDataSet* dataSet = FDataLink->DataSet();
    if (HasPicture() && wwGetValidateWithMask(dataSet)) {
        if (!IsValidPicture(EditText())) {
            const TwwInvalidValueEvent onInvalid = wwGetOnInvalidValue(dataSet);
            if (!onInvalid) ValidateError();
            // The handler has told the user; the record is not written either way.
            if (onInvalid) onInvalid(dataSet, field);
            Abort();
        }
    } else {
        ValidateEdit();
    }
    if (IsMemo(*field)) {
        field->SetAsString(EditText());
        return;
    }
    if (!FDataLink->Editing() && !wwIsCalcOrLookup(*field)) return;
    WriteField(*field, Text());
}

void TwwDBCustomEdit::WriteField(TField& Field, const std::string& Text) {
    // A date the library reads more forgivingly than the field does ("3 APR 2005") is written
    // as a value; anything else goes to the field's own conversion, which raises on a text it
    // cannot read rather than dropping the user's edit.
    TDateTime date = 0;
    const bool dateField = dynamic_cast<TDateTimeField*>(&Field) != nullptr &&
                           dynamic_cast<TTimeField*>(&Field) == nullptr;
    if (dateField && wwIsValidDate(Text) && wwStrIsDate(Text, date))
        Field.SetAsDateTime(date);
    else
        Field.SetText(Text);
}

}  // namespace vex
