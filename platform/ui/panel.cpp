#include "platform/ui/panel.h"

#include <algorithm>

#include "platform/gfx/colors.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/buttonface.h"
#include "platform/ui/label.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

void DrawBevel(TCanvas& Canvas, TRect& R, TPanelBevel Bevel, int32_t Width, TColor Color) {
    switch (Bevel) {
        case bvNone:
            break;
        case bvLowered:
            R = DrawBevelLines(Canvas, R, clBtnShadow, clBtnHighlight, Width);
            break;
        case bvRaised:
            R = DrawBevelLines(Canvas, R, clBtnHighlight, clBtnShadow, Width);
            break;
        case bvSpace:
            R = DrawBevelLines(Canvas, R, Color, Color, Width);
            break;
    }
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(csAcceptsControls);
    FControlStyle.Include(csCaptureMouse);
    FControlStyle.Include(csClickEvents);
    FControlStyle.Include(csSetCaption);
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csDoubleClicks);
    FControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(int32_t Value) {
    Value = std::max(Value, 1);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(int32_t Value) {
    Value = std::max(Value, 0);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (FBorderStyle != bsSingle) return;
    if (Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

int64_t TCustomPanel::FrameWidth() const {
    return int64_t{FBorderWidth} + (FBevelOuter != bvNone ? FBevelWidth : 0) +
           (FBevelInner != bvNone ? FBevelWidth : 0);
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    // A frame as wide as the panel or wider leaves no room, however wide it is.
    const int64_t inset = FrameWidth();
    const auto narrow = [inset](int32_t& Low, int32_t& High) {
        const int64_t room = int64_t{High} - Low;
        if (2 * inset < room) {
            Low += static_cast<int32_t>(inset);
            High -= static_cast<int32_t>(inset);
        } else {
            Low = High = static_cast<int32_t>(Low + std::max<int64_t>(room, 0) / 2);
        }
    };
    narrow(Rect.Left, Rect.Right);
    narrow(Rect.Top, Rect.Bottom);
}

void TCustomPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    DrawBevel(canvas, r, FBevelOuter, FBevelWidth, Color());
    r = DrawBevelLines(canvas, r, Color(), Color(), FBorderWidth);
    DrawBevel(canvas, r, FBevelInner, FBevelWidth, Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    canvas.Font().Assign(&Font());
    DrawButtonCaption(canvas, Caption(), r,
                      DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | AlignmentFlags(FAlignment),
                      true);
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

}  // namespace vex
