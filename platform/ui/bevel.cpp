#include "platform/ui/bevel.h"

#include "platform/gfx/colors.h"

namespace vex {

namespace {

// Lines along the top and left of R in TopLeft, along the bottom and right in BottomRight,
// each a pixel wide; the corners at the top right and bottom left go to BottomRight.
void BevelRect(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
    Canvas.Pen().SetColor(TopLeft);
    Canvas.Polyline({Point(R.Left, R.Bottom), Point(R.Left, R.Top), Point(R.Right, R.Top)});
    Canvas.Pen().SetColor(BottomRight);
    Canvas.Polyline({Point(R.Right, R.Top), Point(R.Right, R.Bottom), Point(R.Left, R.Bottom)});
}

void BevelLine(TCanvas& Canvas, TColor Color, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Canvas.Pen().SetColor(Color);
    Canvas.MoveTo(X1, Y1);
    Canvas.LineTo(X2, Y2);
}

}  // namespace

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    const TColor dark = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int32_t w = Width(), h = Height();
    switch (FShape) {
        case bsBox:
            BevelRect(canvas, Rect(0, 0, w - 1, h - 1), dark, light);
            break;
        // Two boxes a pixel apart: the lit one inside the dark one for a groove, and the other
        // way round for a ridge.
        case bsFrame:
            BevelRect(canvas, Rect(1, 1, w - 1, h - 1), light, light);
            BevelRect(canvas, Rect(0, 0, w - 2, h - 2), dark, dark);
            break;
        case bsTopLine:
            BevelLine(canvas, dark, 0, 0, w, 0);
            BevelLine(canvas, light, 0, 1, w, 1);
            break;
        case bsBottomLine:
            BevelLine(canvas, dark, 0, h - 2, w, h - 2);
            BevelLine(canvas, light, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            BevelLine(canvas, dark, 0, 0, 0, h);
            BevelLine(canvas, light, 1, 0, 1, h);
            break;
        case bsRightLine:
            BevelLine(canvas, dark, w - 2, 0, w - 2, h);
            BevelLine(canvas, light, w - 1, 0, w - 1, h);
            break;
        case bsSpacer:
            break;
    }
}

}  // namespace vex
