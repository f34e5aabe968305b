#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "dataaware/edits/wwdotdot.h"
#include "dataaware/edits/wwmaplist.h"
#include "platform/core/stringlist.h"
#include "platform/ui/combobox.h"
#include "platform/ui/ownerdraw.h"

namespace vex {

class TwwPopupListbox;
class TwwDBComboBox;

using TwwComboCloseUpEvent = std::function<void(TwwDBComboBox* Sender, bool Select)>;

// The combo edit with a list of items that drops down in a TwwPopupListbox. Items are texts, or
// with MapList a display text and the value the field stores, apart by a TAB. Closed, Up and Down
// step through the items and, in a csDropDownList combo, a letter picks the next item starting
// with it; ShowMatchText completes typed text from the items; AutoDropDown opens the list on
// typing; AllowClearKey lets Delete and Backspace clear a csDropDownList combo. The owner-draw
// styles draw the items, in the list and in the edit, through OnDrawItem. The chosen item is
// written to the field once, when the list closes up.
class TwwDBComboBox : public TwwDBCustomCombo {
    VEX_CLASS(TwwDBComboBox, TwwDBCustomCombo)

public:
    explicit TwwDBComboBox(TComponent* AOwner);

    TStrings& Items() { return *FItems; }
    // Takes the items and shows the field's value among them again.
    void SetItems(const TStrings& Value);
    bool MapList() const { return FMapList; }
    void SetMapList(bool Value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool Value) { FItems->SetSorted(Value); }
    TComboBoxStyle Style() const { return FStyle; }
    // csSimple has no button and never drops down.
    void SetStyle(TComboBoxStyle Value);
    bool IsOwnerDraw() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

    int32_t DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int32_t Value) { FDropDownCount = Value; }
    // The rows' height given to the list; 0 takes the font's.
    int32_t ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int32_t Value) { FItemHeight = Value; }
    // 0 (or less, which no list could be): the combo's width.
    int32_t DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int32_t Value) { FDropDownWidth = Value; }
    bool AllowClearKey() const { return FAllowClearKey; }
    void SetAllowClearKey(bool Value) { FAllowClearKey = Value; }
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
    bool ShowMatchText() const { return FShowMatchText; }
    void SetShowMatchText(bool Value) { FShowMatchText = Value; }

    // The list's selection once it exists; -1 for none.
    int32_t ItemIndex();
    // Shows the item's display text; -1 clears the text.
    void SetItemIndex(int32_t Value);

    // The list, made at the first drop-down; nil before.
    TwwPopupListbox* PopupList() const { return FPopupList; }

    // The value the field takes for a text: with MapList the stored value of the chosen item
    // when it shows the text, else of the first item that does.
    std::string StoredValueOf(const std::string& Display);

    bool IsDroppedDown() override { return FListVisible; }
    void DropDown() override;
    void CloseUp(bool Accept) override;

    TNotifyEvent OnDropDown;
    TwwComboCloseUpEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    bool IsEditable() override { return !IsOwnerDraw() && FStyle != csDropDownList; }
    bool IsTextEditable() override;
    void DrawDisplayText(TCanvas& Canvas, const TRect& Rect) override;

    void WndProc(TMessage& Message) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void CNKeyDown(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    using TLinkEvent = std::function<void(TObject* Sender)>;

    // Shows the field's Value (a stored value with MapList).
    void SetComboValue(const std::string& Value);
    // The data link's events, around the edit's own handling of them.
    void DataChange(const TLinkEvent& EditDataChange);
    void UpdateData(const TLinkEvent& EditUpdateData);
    // Whether the closed combo may move to another item: a bound one asks to edit its record.
    bool MayChangeItem();
    // Selects the item as the user's choice, marking the combo changed.
    void ChooseItem(int32_t Index);
    void FillList();
    // The chosen item when it shows Text; -1 otherwise.
    int32_t ChosenItemShowing(const std::string& Text);
    // The first item showing Text, the chosen one first; -1 when none does.
    int32_t IndexOfText(const std::string& Text);
    // A close-up's choice into the text and the field.
    void WriteChoice(const std::string& Chosen, int32_t Index);
    // Keys of the closed list; true when used.
    bool StepClosed(uint16_t Key, TShiftState Shift);
    bool MatchText(char Key);
    void ItemsChanged();
    // Items changed, by the combo or its user.
    void ItemsEdited();
    void StoreItemIndex(int32_t Index) {
        FItemIndex = Index;
        FItemIndexStale = false;
    }

    std::unique_ptr<TStringList> FItems;
    TwwMapLookup FLookup;
    TwwPopupListbox* FPopupList = nullptr;  // owned as a component
    TComboBoxStyle FStyle = csDropDown;
    int32_t FDropDownCount = 8;
    int32_t FItemHeight = 0;
    int32_t FItemIndex = -1;
    int32_t FDropDownWidth = 0;
    bool FMapList = false;
    bool FListVisible = false;
    bool FJustDropped = false;
    bool FAllowClearKey = false;
    bool FAutoDropDown = false;
    bool FShowMatchText = false;
    bool FAutoDropping = false;
    bool FSavedShowHint = false;
    // What the combo showed when the list opened, for a close-up that drops the choice.
    std::string FTextAtDropDown;
    bool FModifiedAtDropDown = false;
    // The list holds the display texts of Items as they are now.
    bool FListFilled = false;
    // Items changed since the stored index was set.
    bool FItemIndexStale = false;
    bool FCaretHidden = false;
};

}  // namespace vex
