#include "dataaware/edits/wwdbcomb.h"

#include "dataaware/data/Wwcommon.h"
#include "dataaware/edits/wwdbcombolist.h"
#include "dataaware/edits/wwdbcombomaplist.h"
#include "dataaware/edits/wwmaplist.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"

namespace vex {

TwwDBComboBox::TwwDBComboBox(TComponent* AOwner)
    : TwwDBCustomCombo(AOwner), FItems(std::make_unique<TStringList>()) {
    SetButtonStyle(cbsDownArrow);
    FItems->OnChanging = [this](TObject*) { FLookup.ItemsChanging(); };
    FItems->OnChange = [this](TObject*) {
        FListFilled = false;
        FLookup.ItemsChanged();
    };
    TFieldDataLink& link = DataLink();
    link.OnDataChange = [this, edit = link.OnDataChange](TObject*) { DataChange(edit); };
    link.OnUpdateData = [this, edit = link.OnUpdateData](TObject*) { UpdateData(edit); };
}

void TwwDBComboBox::SetItems(const TStrings& Value) {
    FItems->Assign(&Value);
    ItemsChanged();
}

void TwwDBComboBox::SetMapList(bool Value) {
    if (FMapList == Value) return;
    FMapList = Value;
    ItemsChanged();
}

void TwwDBComboBox::ItemsChanged() {
    FListFilled = false;
    // The same value may show as another item now; an unbound combo keeps its text.
    if (Field() != nullptr && DataLink().OnDataChange) DataLink().OnDataChange(this);
}

void TwwDBComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    if (Value == csSimple) CloseUp(false);
    const bool wasSimple = FStyle == csSimple;
    FStyle = Value;
    if (Value == csSimple)
        SetShowButton(false);
    else if (wasSimple)
        SetShowButton(true);
    Invalidate();
}

int32_t TwwDBComboBox::ItemIndex() {
    return FPopupList != nullptr && FListFilled ? FPopupList->ItemIndex() : FItemIndex;
}

void TwwDBComboBox::SetItemIndex(int32_t Value) {
    FItemIndex = Value >= 0 && Value < FItems->Count() ? Value : -1;
    if (FPopupList != nullptr && FListFilled) FPopupList->SetItemIndex(FItemIndex);
    SetText(FItemIndex < 0 ? std::string() : wwDisplayPart(FItems->Strings(FItemIndex), FMapList));
}

bool TwwDBComboBox::IsTextEditable() {
    if (IsOwnerDraw()) return false;
    if (FStyle != csDropDownList) return true;
    return FListVisible || FShowMatchText;
}

std::string TwwDBComboBox::StoredValueOf(const std::string& Display) {
    if (FStyle == csDropDown && Display.empty()) return std::string();
    if (!FMapList) return Display;
    const int32_t index = FLookup.IndexOfDisplay(*FItems, true, Display);
    return index < 0 ? std::string() : std::string(wwSplitMapItem(FItems->Strings(index)).Stored);
}

void TwwDBComboBox::SetComboValue(const std::string& Value) {
    if (StoredValueOf(Text()) == Value && !(Value.empty() && FMapList)) return;
    if (FStyle == csDropDown && !FMapList) {
        SetText(Value);
        FItemIndex = FItems->IndexOf(Value);
        if (FPopupList != nullptr && FListFilled) FPopupList->SetItemIndex(FItemIndex);
        return;
    }
    SetItemIndex(FMapList ? FLookup.IndexOfValue(*FItems, true, Value) : FItems->IndexOf(Value));
}

void TwwDBComboBox::DataChange(const TLinkEvent& EditDataChange) {
    // A close-up writing the field hears its own change.
    if (CloseUpInProgress()) return;
    TField* field = Field();
    if (FMapList) {
        const bool designing = ComponentState().Contains(csDesigning);
        SetComboValue(designing ? Name() : field != nullptr ? field->Text() : std::string());
        return;
    }
    SetComboValue(field != nullptr ? field->AsString() : std::string());
    if (IsOwnerDraw() && field != nullptr) FItemIndex = FItems->IndexOf(field->Text());
    if (EditDataChange) EditDataChange(this);
}

void TwwDBComboBox::UpdateData(const TLinkEvent& EditUpdateData) {
    TField* field = Field();
    if (!FMapList || field == nullptr) {
        if (EditUpdateData) EditUpdateData(this);
        return;
    }
    // The field stores the chosen item's value, not the text shown for it.
    if (TCustomEdit::ReadOnly()) return;
    if (!DataLink().Editing() && !wwIsCalcOrLookup(*field)) return;
    field->SetText(StoredValueOf(Text()));
}

void TwwDBComboBox::DrawDisplayText(TCanvas& Canvas, const TRect& Rect) {
    if (!IsOwnerDraw() || !OnDrawItem) {
        TwwDBCustomCombo::DrawDisplayText(Canvas, Rect);
        return;
    }
    // The chosen item shows selected while the list is closed, as a closed list box's would.
    const bool marked = Focused() && !FListVisible;
    Canvas.Brush().SetColor(marked ? clHighlight : Color());
    Canvas.Font().SetColor(marked ? clHighlightText : Font().Color());
    Canvas.FillRect(Rect);
    TOwnerDrawState state;
    state.Include(odFocused);
    OnDrawItem(this, ItemIndex(), Rect, state);
}

}  // namespace vex
