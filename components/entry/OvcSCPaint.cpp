// The spinner's face: two buttons in the framework's look, each with its arrow.

#include <algorithm>

#include "components/entry/OvcSC.h"
#include "platform/gfx/colors.h"
#include "platform/ui/buttonface.h"

namespace vex {

void TOvcSpinner::Paint() {
    PaintButton(FUpRect, FFirstButton);
    PaintButton(FDownRect, FSecondButton);
}

void TOvcSpinner::PaintButton(const TRect& R, TSpinState Button) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    TCanvas& canvas = Canvas();
    const bool pressed = FTracking && FCurrentState == Button;
    if (FStyle == bsWin31)
        DrawRoundedButtonFace(canvas, R, pressed);
    else
        DrawPushButtonFace(canvas, R, pressed, false);
    if (FShowArrows) PaintArrow(R, Button, pressed);
}

void TOvcSpinner::PaintArrow(TRect R, TSpinState Button, bool Pressed) {
    const int32_t w = R.Right - R.Left, h = R.Bottom - R.Top;
    // The base of the triangle is odd, so that its tip falls on one pixel in the middle.
    int32_t size = std::min(w, h) / 2;
    if (size % 2 == 0) ++size;
    const int32_t depth = (size + 1) / 2;
    const bool vertical = Button == stUpButton || Button == stDownButton;
    int32_t x = R.Left + (w - (vertical ? size : depth)) / 2;
    int32_t y = R.Top + (h - (vertical ? depth : size)) / 2;
    if (Pressed) ++x, ++y;
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Enabled() ? clBtnText : clBtnShadow);
    // One line across the arrow per step from its tip: 1, 3, 5 ... pixels long.
    const int32_t middle = (size - 1) / 2;
    for (int32_t i = 0; i < depth; ++i) {
        switch (Button) {
            case stUpButton:
                canvas.FillRect(Rect(x + middle - i, y + i, x + middle + i + 1, y + i + 1));
                break;
            case stDownButton:
                canvas.FillRect(
                    Rect(x + middle - i, y + depth - 1 - i, x + middle + i + 1, y + depth - i));
                break;
            case stLeftButton:
                canvas.FillRect(Rect(x + i, y + middle - i, x + i + 1, y + middle + i + 1));
                break;
            case stRightButton:
                canvas.FillRect(
                    Rect(x + depth - 1 - i, y + middle - i, x + depth - i, y + middle + i + 1));
                break;
            default:
                return;
        }
    }
}

}  // namespace vex
