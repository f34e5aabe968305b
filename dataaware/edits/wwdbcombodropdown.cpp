#include "dataaware/edits/wwdbcombodropdown.h"

#include <algorithm>

#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbcombolist.h"
#include "dataaware/edits/wwdbcombomaplist.h"
#include "platform/data/datalinks.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"
#include "platform/win/caret.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {

int32_t wwDropDownHeight(int32_t Count, int32_t DropDownCount, int32_t ItemHeight) {
    const int64_t rows = std::max(0, std::min(Count, DropDownCount));
    return SaturateToInt32(rows * std::max(0, ItemHeight) + 4);
}

namespace {

// A list that fits on the screen is moved onto it; one larger starts at its top or left edge.
int64_t OntoScreen(int64_t Start, int32_t Length, int32_t ScreenLength) {
    return std::max<int64_t>(0, std::min<int64_t>(Start, int64_t{ScreenLength} - Length));
}

}  // namespace

TRect wwDropDownBounds(const TRect& Combo, int32_t Width, int32_t Height, TSize Screen) {
    int64_t top = int64_t{Combo.Bottom} - 1;
    if (top + Height > Screen.cy) top = int64_t{Combo.Top} - Height;
    top = OntoScreen(top, Height, Screen.cy);
    int64_t left = Combo.Left;
    if (left + Width > Screen.cx) left = int64_t{Combo.Right} - 1 - Width;
    left = OntoScreen(left, Width, Screen.cx);
    return Rect(SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(left + Width),
                SaturateToInt32(top + Height));
}

void TwwDBComboBox::FillList() {
    // A list of many items is filled once, not at every drop-down. The rows keep the order of
    // Items, sorted or not: a list sorting its display texts its own way would let its rows
    // and the items they stand for part.
    if (FListFilled) return;
    TStrings& rows = FPopupList->Items();
    rows.BeginUpdate();
    rows.Clear();
    for (int32_t i = 0; i < FItems->Count(); ++i)
        rows.Add(wwDisplayPart(FItems->Strings(i), FMapList));
    rows.EndUpdate();
    FListFilled = true;
}

int32_t TwwDBComboBox::ChosenItemShowing(const std::string& Text) {
    for (const int32_t index : {FItemIndex, ItemIndex()})
        if (index >= 0 && index < FItems->Count() &&
            wwDisplayPart(FItems->Strings(index), FMapList) == Text)
            return index;
    return -1;
}

int32_t TwwDBComboBox::IndexOfText(const std::string& Text) {
    // The item last chosen is most often the one shown: no walk through a long list for it.
    const int32_t chosen = ChosenItemShowing(Text);
    return chosen >= 0 ? chosen : wwIndexOfDisplay(*FItems, FMapList, Text);
}

void TwwDBComboBox::DropDown() {
    if (FListVisible || FStyle == csSimple) return;
    // A combo that cannot have a window says so before its list shows.
    HandleNeeded();
    const std::weak_ptr<const void> life = LifeToken();
    Invalidate();
    if (FPopupList == nullptr) FPopupList = new TwwPopupListbox(this);
    const TListBoxStyle style = FStyle == csOwnerDrawFixed      ? lbOwnerDrawFixed
                                : FStyle == csOwnerDrawVariable ? lbOwnerDrawVariable
                                                                : lbStandard;
    if (FPopupList->Style() != style) {
        FPopupList->SetStyle(style);
        FListFilled = false;
    }
    FPopupList->SetColor(Color());
    FPopupList->Font().Assign(&Font());
    if (FItemHeight > 0) FPopupList->SetItemHeight(FItemHeight);
    FillList();
    if (OnDropDown) {
        OnDropDown(this);
        if (life.expired() || FListVisible) return;
        FillList();
    }

    const int32_t rows = FPopupList->Items().Count();
    const int32_t height = wwDropDownHeight(rows, FDropDownCount, FPopupList->ItemHeight());
    const int32_t width = FDropDownWidth > 0 ? FDropDownWidth : Width();
    TField* field = Field();
    int32_t selected = -1;
    if (IsOwnerDraw() && field != nullptr)
        selected = FItems->IndexOf(field->Text());
    else if (!Text().empty())
        selected = IndexOfText(Text());
    FPopupList->SetItemIndex(selected);
    FPopupList->ClearSearch();

    const TPoint origin = ClientToScreen(Point(0, 0));
    const TRect bounds =
        wwDropDownBounds(Rect(origin.X, origin.Y, origin.X + Width(), origin.Y + Height()), width,
                         height, TSize{Screen().Width(), Screen().Height()});
    FPopupList->SetBoundsRect(bounds);
    SetWindowPos(FPopupList->Handle(), HWND_TOPMOST, bounds.Left, bounds.Top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FListVisible = true;
    FJustDropped = true;
    FTextAtDropDown = Text();
    FModifiedAtDropDown = Field() != nullptr ? DataLink().Modified() : Modified();
    if (!FAutoDropping && IsTextEditable()) SelectAll();
    if (IsTextEditable()) ShowCaret(Handle());
    FSavedShowHint = ShowHint();
    SetShowHint(false);
    Invalidate();
}

void TwwDBComboBox::CloseUp(bool Accept) {
    if (!FListVisible) return;
    const std::weak_ptr<const void> life = LifeToken();
    if (const HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
    if (life.expired()) return;
    const int32_t index = FPopupList->ItemIndex();
    std::string chosen;
    if (Accept && index >= 0)
        chosen = FPopupList->Items().Strings(index);
    else if (FStyle == csDropDown)
        chosen = Text();
    SetWindowPos(FPopupList->Handle(), 0, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_HIDEWINDOW);
    FListVisible = false;
    // Rows may show the same text for different values: another row is another choice.
    const bool otherRow = Accept && index >= 0 && index != FItemIndex;
    if (Accept && (chosen != Text() || otherRow) && MayChangeItem()) {
        SetCloseUpInProgress(true);
        try {
            WriteChoice(chosen, index);
        } catch (...) {
            // The field refused the choice: the combo keeps it to be mended, and is closed.
            if (!life.expired()) {
                SetCloseUpInProgress(false);
                SetShowHint(FSavedShowHint);
            }
            throw;
        }
        if (life.expired()) return;
        SetCloseUpInProgress(false);
    }
    // Typed into the open list of a combo that holds only its items, the text was a search:
    // dropping the choice shows, and later stores, what was there before.
    if (!Accept && FStyle != csDropDown && Text() != FTextAtDropDown) {
        if (Field() != nullptr && !FModifiedAtDropDown) {
            DataLink().Reset();
        } else {
            SetText(FTextAtDropDown);
            SetModified(FModifiedAtDropDown);
        }
        if (life.expired()) return;
    }
    if (!IsTextEditable()) HideCaret(Handle());
    Invalidate();
    if (IsTextEditable()) SelectAll();
    if (OnCloseUp) OnCloseUp(this, Accept);
    if (life.expired()) return;
    SetShowHint(FSavedShowHint);
}

void TwwDBComboBox::WriteChoice(const std::string& Chosen, int32_t Index) {
    if (!Chosen.empty() || FStyle == csDropDownList || FMapList) SetText(Chosen);
    StoreItemIndex(Index);
    SetChanged(true);
    // The field takes the choice now, once; the change it tells is this combo's own.
    DataLink().UpdateRecord();
}

void TwwDBComboBox::CMCancelMode(TMessage& Message) {
    TwwDBCustomCombo::CMCancelMode(Message);
    const auto* sender = reinterpret_cast<const TControl*>(Message.LParam);
    if (sender != this && sender != FPopupList && sender != &Button()) CloseUp(true);
}

void TwwDBComboBox::WMKillFocus(TMessage& Message) {
    TwwDBCustomCombo::WMKillFocus(Message);
    const auto to = static_cast<HWND>(Message.WParam);
    if (FPopupList == nullptr || !FPopupList->HandleAllocated() || to != FPopupList->Handle())
        CloseUp(true);
}

}  // namespace vex
