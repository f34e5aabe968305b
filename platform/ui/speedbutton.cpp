#include "platform/ui/speedbutton.h"

#include "platform/ui/buttonface.h"
#include "platform/ui/controlmessages.h"

namespace vex {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    // It clicks on its own release, after the group has changed.
    FControlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
}

void TSpeedButton::SetState(TButtonState Value) {
    if (FState == Value) return;
    FState = Value;
    Invalidate();
}

TButtonState TSpeedButton::RestingState() const {
    if (!Enabled()) return bsDisabled;
    return FDown ? bsExclusive : bsUp;
}

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || Parent() == nullptr) return;
    for (int32_t i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other == nullptr || other == this || other->FGroupIndex != FGroupIndex) continue;
        if (FDown && other->FDown) {
            other->FDown = false;
            other->SetState(other->RestingState());
        }
        other->FAllowAllUp = FAllowAllUp;
    }
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int32_t Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (Value == 0 && FDown) {
        FDown = false;
        SetState(RestingState());
    }
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (FDown == Value || (FDown && !FAllowAllUp)) return;
    FDown = Value;
    if (!FDragging) SetState(RestingState());
    Invalidate();
    if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap& Value) {
    FGlyph.SetGlyph(Value);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
    FGlyph.SetNumGlyphs(Value);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (FGlyph.SetLayout(Value)) Invalidate();
}

void TSpeedButton::SetMargin(int32_t Value) {
    if (FGlyph.SetMargin(Value)) Invalidate();
}

void TSpeedButton::SetSpacing(int32_t Value) {
    if (FGlyph.SetSpacing(Value)) Invalidate();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    FState = RestingState();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft && Enabled()) {
        if (!FDown) SetState(bsDown);
        FDragging = true;
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (FDragging) SetState(FDown ? bsExclusive : Inside(X, Y) ? bsDown : bsUp);
    TGraphicControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    if (FDragging && Button == mbLeft) {
        FDragging = false;
        const bool clicked = Inside(X, Y);
        if (clicked && FGroupIndex != 0) SetDown(!FDown);
        SetState(RestingState());
        if (clicked) Click();
        if (life.expired()) return;
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
    FDragging = false;
    FState = RestingState();
    TGraphicControl::CMEnabledChanged(Message);
}

void TSpeedButton::WMCancelMode(TMessage& Message) {
    FDragging = false;
    SetState(RestingState());
    TGraphicControl::WMCancelMode(Message);
}

void TSpeedButton::WndProc(TMessage& Message) {
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        FMouseInControl = Message.Msg == CM_MOUSEENTER;
        if (FFlat && Enabled()) Invalidate();
    }
    TGraphicControl::WndProc(Message);
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    const bool down = FState == bsDown || FState == bsExclusive;
    const bool hot = FMouseInControl && Enabled();
    TRect face = FFlat ? DrawFlatButtonFace(canvas, ClientRect(), down, hot)
                       : DrawRoundedButtonFace(canvas, ClientRect(), down);
    // A latched button shows a checkered face, unless a flat one is hot.
    if (FState == bsExclusive && (!FFlat || !hot)) DrawLatchedFace(canvas, face);
    canvas.Font().Assign(&Font());
    FGlyph.Draw(canvas, face, down ? Point(1, 1) : Point(0, 0), Caption(), FState);
}

}  // namespace vex
