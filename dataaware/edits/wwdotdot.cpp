#include "dataaware/edits/wwdotdot.h"

#include <algorithm>
#include <utility>

#include "dataaware/data/Wwcommon.h"
#include "dataaware/edits/wwbuttonfaces.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/editmessages.h"
#include "platform/win/capture.h"
#include "platform/win/caret.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

int32_t DefaultButtonWidth() {
    return std::max(GetSystemMetrics(SM_CXVSCROLL), 15);
}

}  // namespace

TwwComboDlgButton::TwwComboDlgButton(TComponent* AOwner, TwwDBCustomCombo* ACombo)
    : TSpeedButton(AOwner), FCombo(ACombo) {}

void TwwComboDlgButton::Paint() {
    bool defaultDrawing = true;
    FCombo->PaintButton(Canvas(), ClientRect(), defaultDrawing, FCombo->Enabled(), State());
    if (defaultDrawing) TSpeedButton::Paint();
}

TwwDBCustomCombo::TwwDBCustomCombo(TComponent* AOwner) : TwwDBCustomEdit(AOwner) {
    FButtonPanel = new TWinControl(this);
    FButtonPanel->SetBounds(0, 0, std::max(GetSystemMetrics(SM_CXVSCROLL) + 4, 17), 17);
    FButtonPanel->SetParent(this);
    FButton = new TwwComboDlgButton(this, this);
    FButton->SetBounds(0, 0, DefaultButtonWidth(), FButtonPanel->Height());
    if (const TBitmap* glyph = ButtonGlyph()) FButton->SetGlyph(*glyph);
    FButton->SetParent(FButtonPanel);
    FButton->OnClick = [this](TObject*) { ButtonClick(); };
}

void TwwDBCustomCombo::SetButtonStyle(TwwComboButtonStyle Value) {
    FButtonStyle = Value;
    if (const TBitmap* glyph = ButtonGlyph()) FButton->SetGlyph(*glyph);
    FButton->Invalidate();
}

bool TwwDBCustomCombo::ShowButton() const {
    return FButton != nullptr && FButtonPanel->Visible();
}

void TwwDBCustomCombo::SetShowButton(bool Value) {
    FButtonPanel->SetVisible(Value);
    if (!ComponentState().Contains(csLoading)) SetEditRect();
    Invalidate();
}

bool TwwDBCustomCombo::HasButton() const {
    return ShowButton();
}

int32_t TwwDBCustomCombo::ButtonWidth() const {
    return ShowButton() ? FButton->Width() : 0;
}

int32_t TwwDBCustomCombo::ButtonLeft() const {
    return ShowButton() ? FButtonPanel->Left() : ClientWidth();
}

void TwwDBCustomCombo::SetEditRect() {
    if (!HandleAllocated()) return;
    const int32_t margin = BorderStyle() == bsSingle ? 0 : 2;
    TRect r = Rect(margin, margin, (ShowButton() ? FButtonPanel->Left() : ClientWidth()) - 2,
                   ClientHeight() + 1);
    SendMessage(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TwwDBCustomCombo::LayoutButton() {
    if (FButton == nullptr) return;
    const bool border = BorderStyle() == bsSingle;
    const int32_t width = FButton->Width();
    const int32_t left = border && Ctl3D() ? Width() - width - 4 : Width() - width;
    FButtonPanel->SetBounds(left, 0, FButtonPanel->Width(), ClientHeight());
    if (border)
        FButton->SetBounds(0, 0, width, FButtonPanel->Height());
    else
        FButton->SetBounds(0, -1, width, FButtonPanel->Height() + 1);
    SetEditRect();
}

void TwwDBCustomCombo::CreateParams(TCreateParams& Params) {
    TwwDBCustomEdit::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(ES_AUTOVSCROLL | ES_WANTRETURN);
    Params.Style |= WS_CLIPCHILDREN;
}

void TwwDBCustomCombo::Loaded() {
    TwwDBCustomEdit::Loaded();
    FButton->SetWidth(DefaultButtonWidth());
    if (Parent() != nullptr || Owner() != nullptr) LayoutButton();
}

void TwwDBCustomCombo::WMSize(TMessage& Message) {
    TwwDBCustomEdit::WMSize(Message);
    LayoutButton();
}

void TwwDBCustomCombo::WMSetFocus(TMessage& Message) {
    TwwDBCustomEdit::WMSetFocus(Message);
    Invalidate();
}

void TwwDBCustomCombo::CMEnabledChanged(TMessage& Message) {
    TwwDBCustomEdit::CMEnabledChanged(Message);
    if (FButton != nullptr) FButton->SetEnabled(Enabled());
}

void TwwDBCustomCombo::ButtonClick() {
    if (!ButtonEnabled()) return;
    if (IsDroppedDown()) {
        CloseUp(true);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (CanFocus()) SetFocus();
    if (!life.expired() && Focused()) DropDown();
}

void TwwDBCustomCombo::DropDown() {
    if (!OnButtonClick) return;
    const std::weak_ptr<const void> life = LifeToken();
    FDroppedDown = true;
    try {
        Invalidate();
        if (DataSource() != nullptr && DataSource()->DataSet() != nullptr) DataLink().Edit();
        OnButtonClick(this);
    } catch (...) {
        // A record that cannot be edited or a failing event: the combo is closed again, or
        // it would take every later Enter and Escape as closing a drop-down.
        if (!life.expired()) {
            FDroppedDown = false;
            Invalidate();
        }
        throw;
    }
    if (life.expired()) return;
    if (!IsTextEditable()) HideCaret(Handle());
    Invalidate();
    FDroppedDown = false;
}

void TwwDBCustomCombo::CloseUp(bool Accept) {
    if (Accept) SetChanged(true);
}

void TwwDBCustomCombo::PaintButton(TCanvas& Canvas, const TRect& Rect, bool& DefaultDrawing,
                                   bool Enabled, TButtonState State) {
    if (FButtonStyle == cbsEllipsis)
        wwDrawEllipsisButton(Canvas, Rect, State, 0);
    else
        wwDrawComboButton(Canvas, Rect, State == bsDown, 0, Enabled);
    DefaultDrawing = false;
}

bool TwwDBCustomCombo::ComboKey(uint16_t Key, TShiftState Shift) {
    FClosingChar = 0;
    const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt && IsDroppedDown()) {
        FClosingChar = Key == VK_RETURN ? '\r' : '\x1b';
        CloseUp(Key == VK_RETURN);
        return true;
    }
    if (alt && (Key == VK_UP || Key == VK_DOWN)) {
        if (IsDroppedDown())
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    return false;
}

void TwwDBCustomCombo::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    if (ComboKey(Key, Shift)) {
        Key = 0;
        return;
    }
    if (life.expired()) return;
    TwwDBCustomEdit::KeyDown(Key, Shift);
    if (!life.expired() && Key != 0 && wwIsEditKey(Key) && !IsTextEditable()) Key = 0;
}

void TwwDBCustomCombo::KeyPress(char& Key) {
    if (Key != 0 && Key == std::exchange(FClosingChar, 0)) {
        Key = 0;
        return;
    }
    if (Key == '\t' && IsMasked()) {
        Key = 0;
        return;
    }
    TwwDBCustomEdit::KeyPress(Key);
}

bool TwwDBCustomCombo::ToggleByMouse(TMessage& Message) {
    if (IsEditable()) return false;
    const std::weak_ptr<const void> life = LifeToken();
    if (!wwInGrid(this) && CanFocus()) SetFocus();
    if (life.expired()) return true;
    if (IsDroppedDown())
        CloseUp(true);
    else
        DropDown();
    if (life.expired()) return true;
    if (ControlStyle().Contains(csClickEvents)) {
        TControlState state = ControlState();
        state.Include(csClicked);
        SetControlState(state);
    }
    const TPoint at = MessagePoint(Message.LParam);
    MouseDown(mbLeft, KeysToShiftState(Message.WParam), at.X, at.Y);
    return true;
}

void TwwDBCustomCombo::WMLButtonDown(TMessage& Message) {
    if (!ToggleByMouse(Message)) TwwDBCustomEdit::WMLButtonDown(Message);
}

void TwwDBCustomCombo::WMLButtonDblClk(TMessage& Message) {
    if (!ToggleByMouse(Message)) TwwDBCustomEdit::WMLButtonDblClk(Message);
}

void TwwDBCustomCombo::WMLButtonUp(TMessage& Message) {
    if (!IsEditable()) ReleaseCapture();
    TwwDBCustomEdit::WMLButtonUp(Message);
}

}  // namespace vex
