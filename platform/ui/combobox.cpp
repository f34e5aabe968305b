#include "platform/ui/combobox.h"

#include <algorithm>
#include <utility>

#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/comboboxedit.h"
#include "platform/ui/comboboxlist.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/screen.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/updateregion.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

// The face's frame (a client edge) and the space between it and the text, above and below.
constexpr int32_t kFrame = 2;
constexpr int32_t kMargin = 2;

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FList(std::make_unique<TComboBoxList>(*this)) {
    FCanvas.SetControl(this);
    FControlStyle = {csSetCaption, csDoubleClicks, csFixedHeight};
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 0);
    UpdateEdit();
}

TCustomComboBox::~TCustomComboBox() {
    FDestroying = true;
    // Quietly: no event reaches a combo box that is going, and the edit goes while the combo
    // box it tells of its focus is whole.
    FDroppedDown = false;
    FList->Close();
    delete FEdit;
    FEdit = nullptr;
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    if (Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

TStrings& TCustomComboBox::Items() {
    return FList->Items();
}

void TCustomComboBox::SetItems(const TStrings& Value) {
    Items().Assign(&Value);
    ShowItem(std::min(ItemIndex(), Items().Count() - 1));
}

void TCustomComboBox::Clear() {
    CloseList(false);
    Items().Clear();
    ShowItem(-1);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    CloseList(false);
    FStyle = Value;
    UpdateEdit();
    ShowItem(ItemIndex());
}

void TCustomComboBox::UpdateEdit() {
    if (FStyle != csDropDown) {
        // The keys the edit had stay with the combo box, not with a freed window.
        TComboBoxEdit* edit = std::exchange(FEdit, nullptr);
        if (edit != nullptr && edit->Focused() && CanFocus()) SetFocus();
        delete edit;
        Invalidate();
        return;
    }
    if (FEdit == nullptr) {
        const bool focused = HandleAllocated() && Focused();
        FEdit = new TComboBoxEdit(*this);
        FEdit->SetParent(this);
        if (focused && FEdit->CanFocus()) FEdit->SetFocus();
    }
    // A row and the edit's own margin above and below it: its text lies where the list
    // style's does.
    const TRect client = ClientRect();
    FEdit->SetBounds(1, 1, std::max(0, ButtonRect().Left - 2), std::max(0, client.Bottom - 2));
}

void TCustomComboBox::SetFocus() {
    if (FEdit != nullptr && FEdit->CanFocus())
        FEdit->SetFocus();
    else
        TWinControl::SetFocus();
}

void TCustomComboBox::WMSize(TMessage& Message) {
    TWinControl::WMSize(Message);
    UpdateEdit();
}

int32_t TCustomComboBox::ItemIndex() {
    if (!FDroppedDown) return FList->ItemIndex();
    // The items may have shrunk under the open list since the item was chosen.
    return FChosen < Items().Count() ? FChosen : -1;
}

void TCustomComboBox::SetItemIndex(int32_t Value) {
    if (Value < -1 || Value >= Items().Count()) Value = -1;
    ShowItem(Value);
}

void TCustomComboBox::ShowItem(int32_t Index) {
    FChosen = Index;
    FList->SetItemIndex(Index);
    const std::string text = Index >= 0 ? Items().Strings(Index) : std::string();
    if (FEdit != nullptr) {
        FShowingItem = true;
        FEdit->SetText(text);
        FEdit->SelectAll();
        FShowingItem = false;
        return;
    }
    // The base stores the text; this control's own WM_SETTEXT would look the item up again.
    TMessage set{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), 0};
    TWinControl::DefaultHandler(set);
    Invalidate();
}

void TCustomComboBox::SetDropDownCount(int32_t Value) {
    FDropDownCount = std::max(1, Value);
}

int32_t TCustomComboBox::ItemHeight() {
    FList->SetFont(Font());
    return FList->ItemHeight();
}

int32_t TCustomComboBox::FaceHeight() {
    return ItemHeight() + 2 * (kFrame + kMargin);
}

void TCustomComboBox::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    // The face is as high as its font needs, whatever is asked.
    TWinControl::SetBounds(ALeft, ATop, AWidth, FDestroying ? AHeight : FaceHeight());
}

void TCustomComboBox::CMFontChanged(TMessage& Message) {
    TWinControl::CMFontChanged(Message);
    SetBounds(Left(), Top(), Width(), Height());
}

void TCustomComboBox::CMEnabledChanged(TMessage& Message) {
    if (!Enabled()) CloseList(false);
    TWinControl::CMEnabledChanged(Message);
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value == FDroppedDown) return;
    if (Value)
        OpenList();
    else
        CloseList(false);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::OpenList() {
    if (FDroppedDown || FOpening || !HandleAllocated() || !Showing()) return;
    const std::weak_ptr<const void> life = LifeToken();
    FOpening = true;
    try {
        DropDown();
    } catch (...) {
        if (!life.expired()) FOpening = false;
        throw;
    }
    if (life.expired()) return;
    FOpening = false;
    // The handler may have hidden what the list opens from.
    if (!HandleAllocated() || !Showing()) return;
    FChosen = FList->ItemIndex();
    FList->SetFont(Font());
    // The face's whole window, frame and all, on the screen.
    const TPoint face =
        Parent() != nullptr ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
    // The list opens below the face, or above it where there is more room; it never has more
    // rows than that room holds, nor reaches past the screen's sides.
    const int32_t below = Screen().Height() - (face.Y + Height());
    const int32_t above = face.Y;
    const int32_t rowHeight = std::max(1, FList->ItemHeight());
    const int32_t fit = (std::max(below, above) - 2) / rowHeight;
    const int32_t rows = std::max(1, std::min({Items().Count(), FDropDownCount, fit}));
    const int32_t height = rows * rowHeight + 2;
    TPoint at =
        Point(std::clamp(face.X, 0, std::max(0, Screen().Width() - Width())), face.Y + Height());
    if (height > below && above > below) at.Y = face.Y - height;
    FDroppedDown = true;
    FList->Open(Rect(at.X, at.Y, at.X + Width(), at.Y + height));
    FList->SetTopIndex(std::max(0, FChosen - rows + 1));
    Invalidate();
}

void TCustomComboBox::CloseList(bool Accept) {
    if (!FDroppedDown) return;
    const int32_t chosen = ItemIndex();
    FDroppedDown = false;
    const int32_t shown = FList->ItemIndex();
    FList->Close();
    FList->SetItemIndex(chosen);
    Invalidate();
    const std::weak_ptr<const void> life = LifeToken();
    if (Accept) ChooseByUser(shown);
    if (!life.expired()) CloseUp();
}

void TCustomComboBox::EditChanged() {
    if (FShowingItem) return;
    const std::string text = FEdit->Text();
    const int32_t named = Items().IndexOf(text);
    FChosen = named;
    if (FDroppedDown) {
        // With no item to show, none is marked, so that Enter keeps the text typed.
        const LRESULT found = text.empty() ? LB_ERR
                                           : FList->Perform(LB_SELECTSTRING, WPARAM(-1),
                                                            reinterpret_cast<LPARAM>(text.c_str()));
        if (found == LB_ERR) FList->SetItemIndex(-1);
    } else {
        FList->SetItemIndex(named);
    }
    Change();
}

void TCustomComboBox::ChooseByUser(int32_t Index) {
    if (Index == ItemIndex() || Index < 0) return;
    ShowItem(Index);
    const std::weak_ptr<const void> life = LifeToken();
    Click();
    if (!life.expired()) Change();
}

TRect TCustomComboBox::ButtonRect() {
    const TRect client = ClientRect();
    const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
    return Rect(std::max(0, client.Right - width), 0, client.Right, client.Bottom);
}

void TCustomComboBox::PaintWindow(HDC DC) {
    const TControlWatch watch(*this);
    FCanvas.SetHandle(DC);
    const TRect client = ClientRect();
    TRect button = ButtonRect();
    FCanvas.Brush().SetColor(Color());
    FCanvas.FillRect(Rect(0, 0, button.Left, client.Bottom));
    if (FEdit == nullptr) PaintFace(DC, Rect(0, 0, button.Left, client.Bottom));
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (FDroppedDown) state |= DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(DC, button, DFC_SCROLL, state);
    if (!watch.Expired()) FCanvas.SetHandle(nullptr);
}

void TCustomComboBox::PaintFace(HDC DC, const TRect& Face) {
    // The chosen item, in the selection's colours while the face has the focus.
    TRect text = Rect(kMargin - 1, kMargin - 1, Face.Right - 1, Face.Bottom - kMargin + 1);
    const bool marked = Focused() && !FDroppedDown;
    FCanvas.Font().Assign(&Font());
    if (!Enabled()) FCanvas.Font().SetColor(clGrayText);
    if (marked) {
        FCanvas.Brush().SetColor(clHighlight);
        FCanvas.Font().SetColor(clHighlightText);
    }
    FCanvas.FillRect(text);
    const int32_t index = ItemIndex();
    if (index >= 0)
        FCanvas.TextRect(text, text.Left + 2, (Face.Bottom - ItemHeight()) / 2,
                         Items().Strings(index));
    if (Focused()) DrawFocusRect(DC, text);
}

}  // namespace vex
