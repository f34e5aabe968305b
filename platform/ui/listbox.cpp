#include "platform/ui/listbox.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/listboxstrings.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(*this)) {
    FCanvas.SetControl(this);
    FControlStyle = {csSetCaption, csDoubleClicks, csOpaque, csCaptureMouse};
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
    FDestroying = true;
}

TStrings& TCustomListBox::Items() {
    return *FItems;
}

void TCustomListBox::SetItems(const TStrings& Value) {
    FItems->Assign(&Value);
}

void TCustomListBox::Clear() {
    ResetContent();
}

DWORD TCustomListBox::ListStyle() {
    if (!FListStyleKnown) {
        TCreateParams params;
        CreateParams(params);
        FListStyle = params.Style;
        FListStyleKnown = true;
    }
    return FListStyle;
}

void TCustomListBox::StyleChanged() {
    FListStyleKnown = false;
    RecreateWnd();
    ContentChanged(0);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (FSorted) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    FListStyle = static_cast<DWORD>(GetWindowLong(Handle(), GWL_STYLE));
    FListStyleKnown = true;
    UpdateScrollBar();
}

void TCustomListBox::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND)
        CNCommand(Message);
    else
        TWinControl::WndProc(Message);
}

void TCustomListBox::CNCommand(TMessage& Message) {
    switch (HIWORD(Message.WParam)) {
        case LBN_SELCHANGE:
            Click();
            break;
        case LBN_DBLCLK:
            DblClick();
            break;
        default:
            break;
    }
}

void TCustomListBox::CMFontChanged(TMessage& Message) {
    TWinControl::CMFontChanged(Message);
    FStandardHeight = FAverageCharWidth = 0;
    ContentChanged(0);
}

int32_t TCustomListBox::ItemIndex() {
    return static_cast<int32_t>(Perform(IsMulti() ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int32_t Value) {
    if (ItemIndex() == Value) return;
    Perform(IsMulti() ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

bool TCustomListBox::Selected(int32_t Index) {
    const LRESULT r = Perform(LB_GETSEL, static_cast<WPARAM>(Index), 0);
    if (r == LB_ERR) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return r != 0;
}

void TCustomListBox::SetSelected(int32_t Index, bool Value) {
    LRESULT r = LB_ERR;
    if (IsMulti()) {
        r = Perform(LB_SETSEL, Value ? 1 : 0, Index);
    } else if (FContent.Valid(Index)) {
        // Letting go an item that is not the selected one leaves the selection as it is.
        if (Value || ItemIndex() == Index)
            Perform(LB_SETCURSEL, static_cast<WPARAM>(Value ? Index : -1), 0);
        r = LB_OKAY;
    }
    if (r == LB_ERR) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

int32_t TCustomListBox::SelCount() {
    return static_cast<int32_t>(Perform(LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetSorted(bool Value) {
    if (FSorted == Value) return;
    FSorted = Value;
    if (Value) FContent.Sort();
    StyleChanged();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    FContent.ClearSelection();
    FContent.SetCurrent(TListBoxContent::NoItem);
    StyleChanged();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
    if (FExtendedSelect == Value) return;
    FExtendedSelect = Value;
    StyleChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    StyleChanged();
}

int32_t TCustomListBox::ItemHeight() {
    return FStyle == lbStandard ? StandardHeight() : FItemHeight;
}

void TCustomListBox::SetItemHeight(int32_t Value) {
    Value = std::min(Value, MaxItemHeight);
    if (Value <= 0 || FItemHeight == Value) return;
    FItemHeight = Value;
    ContentChanged(0);
}

int32_t TCustomListBox::TopIndex() {
    return static_cast<int32_t>(Perform(LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int32_t Value) {
    Perform(LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetTabWidth(int32_t Value) {
    if (Value < 0) Value = 0;
    if (FTabWidth == Value) return;
    FTabWidth = Value;
    if (Value == 0)
        FTabStops.clear();
    else
        FTabStops = {Value};
    Invalidate();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
    if (FIntegralHeight == Value) return;
    FIntegralHeight = Value;
    StyleChanged();
    SetBounds(Left(), Top(), Width(), Height());
}

void TCustomListBox::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    if (FIntegralHeight && FStyle != lbOwnerDrawVariable && !FDestroying) {
        const int32_t frame = Height() - ClientHeight();
        const int32_t row = ItemHeight();
        const int32_t rows = (AHeight - frame) / row;
        if (rows > 0) AHeight = frame + rows * row;
    }
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

int32_t TCustomListBox::AddItem(const std::string& Text, TObject* Object) {
    const int32_t index = FContent.Add(Text, Object, (ListStyle() & LBS_SORT) != 0);
    MeasureNew(index);
    ContentChanged(index);
    return index;
}

int32_t TCustomListBox::InsertItem(int32_t Index, const std::string& Text, TObject* Object) {
    const int32_t index = FContent.Insert(Index, Text, Object);
    if (index == TListBoxContent::NoItem) return index;
    MeasureNew(index);
    ContentChanged(index);
    return index;
}

bool TCustomListBox::DeleteItem(int32_t Index) {
    if (!FContent.Delete(Index)) return false;
    ContentChanged(Index);
    return true;
}

void TCustomListBox::ResetContent() {
    FContent.Clear();
    FTopIndex = 0;
    ContentChanged(0);
}

void TCustomListBox::SetItemText(int32_t Index, const std::string& Text) {
    // The window has no message for it: the item goes and comes back, keeping its object and
    // its selection.
    TObject* object = FContent.Object(Index);
    const bool selected = FContent.Selected(Index);
    const bool current = FContent.Current() == Index;
    const bool caret = FContent.Caret() == Index;
    FContent.Delete(Index);
    FContent.Insert(Index, Text, object);
    FContent.SetSelected(Index, selected);
    if (current) FContent.SetCurrent(Index);
    if (caret) FContent.SetCaret(Index);
    MeasureNew(Index);
    ContentChanged(Index);
}

void TCustomListBox::SetRedraw(bool Value) {
    FRedraw = Value;
    if (Value) ContentChanged(0);
}

}  // namespace vex
