#include "components/misc/EditBtn.h"

#include <algorithm>
#include <memory>

#include "platform/gfx/fontengine.h"
#include "platform/ui/editmessages.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

// Below this the push button's frame would leave its face no room.
constexpr int32_t kMinButtonHeight = 15;

}  // namespace

TEditButton::TEditButton(TComponent* AOwner) : TWinControl(AOwner), FButton(new TBitBtn(this)) {
    FControlStyle = {csFramed, csOpaque};
    SetTabStop(false);
    SetBounds(0, 0, 20, 25);
    FButton->SetCaption("...");
    FButton->SetTabStop(false);
    FButton->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int32_t, int32_t) {
        ButtonMouseDown(Button);
    };
    FButton->SetParent(this);
    FillWithButton();
}

void TEditButton::SetGlyph(const TBitmap* Value) {
    if (Value != nullptr) FButton->SetGlyph(*Value);
}

void TEditButton::SetFocusControl(TWinControl* Value) {
    FFocusControl = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TEditButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TEditButton::ButtonMouseDown(TMouseButton Button) {
    if (Button != mbLeft) return;
    // OnClick may free this control, or the one to focus.
    const std::weak_ptr<const void> life = LifeToken();
    if (OnClick) OnClick(this);
    if (life.expired()) return;
    if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus() &&
        !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

void TEditButton::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, kMinButtonHeight));
    FillWithButton();
}

void TEditButton::Resize() {
    if (Height() < kMinButtonHeight) SetHeight(kMinButtonHeight);
    FillWithButton();
    TWinControl::Resize();
}

void TEditButton::Loaded() {
    TWinControl::Loaded();
    if (Height() < kMinButtonHeight) SetHeight(kMinButtonHeight);
    FillWithButton();
}

void TEditButton::FillWithButton() {
    // The base constructor sizes the control before the button exists.
    if (FButton != nullptr) FButton->SetBounds(0, 0, Width(), Height());
}

TEditBtn::TEditBtn(TComponent* AOwner) : TCustomEdit(AOwner), FButton(new TEditButton(this)) {
    // Only a multi-line edit keeps a formatting rectangle of its own; without ES_WANTRETURN
    // Enter still types nothing.
    SetEditStyle(EditStyle() | ES_MULTILINE);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    FButton->SetParent(this);
    TCustomEdit::SetText("0");
}

void TEditBtn::BtnClick(TObject* Sender) {
    if (OnClickBtn) OnClickBtn(Sender);
}

int32_t TEditBtn::MinHeight() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    const int32_t fontHeight = canvas.RealizedFont()->Metrics().tmHeight;
    return fontHeight + std::min(GetSystemFontHeight(), fontHeight) / 4 +
           GetSystemMetrics(SM_CYBORDER) * 4;
}

void TEditBtn::CreateWnd() {
    TCustomEdit::CreateWnd();
    SetEditRect();
}

void TEditBtn::Resize() {
    TCustomEdit::Resize();
    const int32_t minHeight = MinHeight();
    if (Height() < minHeight) {
        // Resized again at once, and placed then.
        SetHeight(minHeight);
        return;
    }
    PlaceButton();
}

void TEditBtn::PlaceButton() {
    const int32_t width = FButton->Width();
    if (Ctl3D())
        FButton->SetBounds(Width() - width - 5, 0, width, Height() - 5);
    else
        FButton->SetBounds(Width() - width, 1, width, Height() - 3);
    SetEditRect();
}

void TEditBtn::SetEditRect() {
    TRect rect{2, 2, ClientWidth() - FButton->Width() - 2, ClientHeight() + 1};
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}

void TEditBtn::DoEnter() {
    // The edit is multi-line for its rectangle's sake, which the framework's own selecting on
    // entry passes over.
    const bool leftHeld = GetKeyState(VK_LBUTTON) < 0 || FControlState.Contains(csLButtonDown);
    if (AutoSelect() && !leftHeld) SelectAll();
    TCustomEdit::DoEnter();
}

void TEditBtn::CutToClipboard() {
    if (FEditorEnabled) TCustomEdit::CutToClipboard();
}

void TEditBtn::PasteFromClipboard() {
    if (FEditorEnabled) TCustomEdit::PasteFromClipboard();
}

void TEditBtn::MouseUp(TMouseButton, TShiftState, int32_t, int32_t) {}

}  // namespace vex
