#include "dataaware/edits/wwbuttonfaces.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/gfx/gfx_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const TPictureLegend& FaceLegend() {
    static const TPictureLegend legend = {
        {'f', ColorToPixel(clBtnFace)},      {'s', ColorToPixel(clBtnShadow)},
        {'h', ColorToPixel(clBtnHighlight)}, {'k', ColorToPixel(clBlack)},
        {'m', ColorToPixel(clHighlight)},    {'g', 0x00FF00}};
    return legend;
}

// Draws a case on a green bitmap: the face's name, the bitmap's size and its arguments.
void DrawCase(TBitmap& Bitmap, const test::TestCase& Case) {
    Bitmap.SetSize(static_cast<int32_t>(Case.Int(1)), static_cast<int32_t>(Case.Int(2)));
    TCanvas canvas(Bitmap);
    canvas.Brush().SetColor(static_cast<TColor>(0x00FF00));
    canvas.FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
    const TRect whole = Rect(0, 0, Bitmap.Width(), Bitmap.Height());
    const auto flags = [&] { return static_cast<uint8_t>(Case.Int(4)); };
    if (Case[0] == "ellipsis")
        wwDrawEllipsisButton(canvas, whole, static_cast<TButtonState>(Case.Int(3)), flags());
    else if (Case[0] == "combo")
        wwDrawComboButton(canvas, whole, Case.Int(3) != 0, flags(), Case.Int(5) != 0);
    else if (Case[0] == "highlight")
        wwDrawHighlightFrame(canvas, whole);
    else
        FAIL() << "no face " << Case[0];
}

TEST(ButtonFaces, DrawAsPictured) {
    for (const TPictureCase& c : LoadPictureCases("buttonfaces.txt")) {
        SCOPED_TRACE(c.Name + " " + c.Fields.Where);
        TBitmap bitmap;
        DrawCase(bitmap, c.Fields);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            bitmap.SaveToFile(std::string(dir) + "/face-" + c.Name + ".png");
        EXPECT_EQ(PictureOf(bitmap, FaceLegend()), c.Picture);
    }
}

TEST(ButtonFaces, TheHighlightFrameKeepsTheBrushStyleAndPenColour) {
    TBitmap bitmap;
    bitmap.SetSize(8, 8);
    TCanvas canvas(bitmap);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetColor(clRed);
    wwDrawHighlightFrame(canvas, Rect(0, 0, 8, 8));
    EXPECT_EQ(canvas.Brush().Style(), bsSolid);
    EXPECT_EQ(canvas.Pen().Color(), clRed);
    EXPECT_EQ(canvas.Font().Color(), clHighlight);
}

}  // namespace
}  // namespace vex
