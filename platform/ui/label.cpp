#include "platform/ui/label.h"

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/paint.h"

namespace vex {

uint32_t AlignmentFlags(TAlignment Alignment) {
    switch (Alignment) {
        case taRightJustify:
            return DT_RIGHT;
        case taCenter:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

namespace {}  // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 65, 17);
    FAutoSize = true;  // sizes itself once it has a caption
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (AutoSize() == Value) return;
    TGraphicControl::SetAutoSize(Value);
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    FFocusControl = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Transparent() == Value) return;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::DoDrawText(TRect& Rect, uint32_t Flags) {
    std::string text = GetLabelText();
    // An empty caption still measures a line high.
    if ((Flags & DT_CALCRECT) != 0 && (text.empty() || (FShowAccelChar && text == "&")))
        text += ' ';
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    SetBkMode(&canvas, TRANSPARENT);
    if (Enabled()) {
        DrawText(&canvas, text, Rect, Flags);
        return;
    }
    // The etched look: a highlight copy down and right, the shadow over it.
    OffsetRect(Rect, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    DrawText(&canvas, text, Rect, Flags);
    OffsetRect(Rect, -1, -1);
    canvas.Font().SetColor(clBtnShadow);
    DrawText(&canvas, text, Rect, Flags);
}

void TCustomLabel::Paint() {
    TCanvas& canvas = Canvas();
    if (!Transparent()) {
        canvas.Brush().SetColor(Color());
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(ClientRect());
    }
    canvas.Brush().SetStyle(bsClear);
    TRect rect = ClientRect();
    const uint32_t style =
        DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlags(FAlignment);
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(calc, style | DT_CALCRECT);
        const int32_t room = Height() - calc.Bottom;
        OffsetRect(rect, 0, FLayout == tlBottom ? room : room / 2);
    }
    DoDrawText(rect, style);
}

void TCustomLabel::AdjustBounds() {
    if (ComponentState().Contains(csLoading) || !AutoSize()) return;
    TRect rect = ClientRect();
    // Measured on the screen's context, as the original did, whether or not the label shows.
    const TWindowContext screen(0);
    struct TMeasuring {
        TControlCanvas& Canvas;
        ~TMeasuring() { Canvas.SetHandle(nullptr); }
    } measuring{ControlCanvas()};
    measuring.Canvas.SetHandle(screen.DC());
    DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    // A right-justified label keeps its right edge, which stays within the 32-bit range.
    const int32_t left = FAlignment == taRightJustify
                             ? SaturateToInt32(int64_t{BoundsRect().Right} - rect.Right)
                             : Left();
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage&) {
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
    if (FFocusControl != nullptr && Enabled() && FShowAccelChar &&
        IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}

}  // namespace vex
