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
        FLookup.ItemsChanged();
        ItemsEdited();
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
    ItemsEdited();
    // The same value may show as another item now; an unbound combo keeps its text.
    if (Field() != nullptr && DataLink().OnDataChange) DataLink().OnDataChange(this);
}

void TwwDBComboBox::ItemsEdited() {
    FListFilled = false;
    FItemIndexStale = true;
    // The open list shows the items as they are, or a row picked would stand for another item.
    if (FListVisible) {
        const int32_t row = FPopupList->ItemIndex();
        // A row shown before MapList was turned on still holds its value.
        const std::string marked =
            row >= 0 ? wwDisplayPart(FPopupList->Items().Strings(row), FMapList) : std::string();
        FillList();
        FPopupList->SetItemIndex(row < 0 ? -1 : wwIndexOfDisplay(*FItems, FMapList, marked));
    }
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
    if (FPopupList != nullptr && FListFilled) return FPopupList->ItemIndex();
    if (FItemIndexStale) {
        // The items moved under the index: it follows the item the text shows, if any is left.
        FItemIndexStale = false;
        if (FItemIndex >= 0) FItemIndex = IndexOfText(Text());
    }
    return FItemIndex;
}

void TwwDBComboBox::SetItemIndex(int32_t Value) {
    StoreItemIndex(Value >= 0 && Value < FItems->Count() ? Value : -1);
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
    // Of items showing the same text, the one chosen is the one meant.
    int32_t index = ChosenItemShowing(Display);
    if (index < 0) index = FLookup.IndexOfDisplay(*FItems, true, Display);
    return index < 0 ? std::string() : std::string(wwSplitMapItem(FItems->Strings(index)).Stored);
}

void TwwDBComboBox::SetComboValue(const std::string& Value) {
    if (FMapList) {
        // Only the chosen item stands for the value: the text may show no item, several, or
        // (empty) one that shows nothing.
        const int32_t chosen = ChosenItemShowing(Text());
        if (!Value.empty() && chosen >= 0 &&
            wwSplitMapItem(FItems->Strings(chosen)).Stored == Value)
            return;
    } else if (StoredValueOf(Text()) == Value) {
        return;
    }
    if (FStyle == csDropDown && !FMapList) {
        const std::weak_ptr<const void> life = LifeToken();
        SetText(Value);
        // The new text's change handlers may free the combo.
        if (life.expired()) return;
        StoreItemIndex(FItems->IndexOf(Value));
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
    const std::weak_ptr<const void> life = LifeToken();
    SetComboValue(field != nullptr ? field->AsString() : std::string());
    if (life.expired()) return;
    if (IsOwnerDraw() && field != nullptr) StoreItemIndex(FItems->IndexOf(field->Text()));
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
