#include "platform/ui/groupbox.h"

#include "platform/gfx/drawtext.h"
#include "platform/ui/buttonface.h"

namespace vex {

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(csAcceptsControls);
    FControlStyle.Include(csCaptureMouse);
    FControlStyle.Include(csClickEvents);
    FControlStyle.Include(csSetCaption);
    FControlStyle.Include(csDoubleClicks);
    FControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 185, 105);
}

int32_t TCustomGroupBox::CaptionHeight() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    return canvas.TextHeight("0");
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    const int32_t inset = Ctl3D() ? 2 : 1;
    Rect = vex::Rect(Rect.Left + inset, Rect.Top + CaptionHeight() + inset, Rect.Right - inset,
                     Rect.Bottom - inset);
}

void TCustomGroupBox::Paint() {
    TCanvas& canvas = Canvas();
    const int32_t h = CaptionHeight();
    TRect frame = Rect(0, h / 2 - 1, Width(), Height());
    canvas.Brush().SetStyle(bsSolid);
    if (Ctl3D()) {
        // Etched: a highlight frame a pixel down and right under the shadow one.
        ++frame.Left;
        ++frame.Top;
        canvas.Brush().SetColor(clBtnHighlight);
        canvas.FrameRect(frame);
        OffsetRect(frame, -1, -1);
        canvas.Brush().SetColor(clBtnShadow);
    } else {
        canvas.Brush().SetColor(clWindowFrame);
    }
    canvas.FrameRect(frame);
    const std::string caption = Caption();
    if (caption.empty()) return;
    TRect text = Rect(8, 0, 0, h);
    DrawText(&canvas, caption, text, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(text);
    DrawButtonCaption(canvas, caption, text, DT_LEFT | DT_SINGLELINE, Enabled());
}

void TCustomGroupBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

void TCustomGroupBox::CMFontChanged(TMessage& Message) {
    TCustomControl::CMFontChanged(Message);
    Realign();
}

}  // namespace vex
