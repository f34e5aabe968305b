#include "dataaware/edits/wwbuttonfaces.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

namespace vex {
namespace {

TEST(ButtonFaces, NothingIsDrawnOutsideTheirRectangle) {
    // Sizes a grid's narrowest cells give, and a rectangle turned inside out.
    const std::vector<TRect> rects = {Rect(8, 8, 8, 18),  Rect(8, 8, 9, 18), Rect(8, 8, 10, 10),
                                      Rect(8, 8, 11, 11), Rect(8, 8, 18, 8), Rect(8, 8, 18, 9),
                                      Rect(12, 12, 8, 8)};
    const std::vector<std::pair<const char*, std::function<void(TCanvas&, const TRect&)>>> faces = {
        {"ellipsis up", [](TCanvas& c, const TRect& r) { wwDrawEllipsisButton(c, r, bsUp, 0); }},
        {"ellipsis down",
         [](TCanvas& c, const TRect& r) { wwDrawEllipsisButton(c, r, bsDown, 0); }},
        {"combo up", [](TCanvas& c, const TRect& r) { wwDrawComboButton(c, r, false, 0, true); }},
        {"combo down", [](TCanvas& c, const TRect& r) { wwDrawComboButton(c, r, true, 0, true); }},
        {"combo disabled",
         [](TCanvas& c, const TRect& r) { wwDrawComboButton(c, r, false, 0, false); }},
    };
    const auto green = static_cast<TColor>(0x00FF00);
    for (const auto& [name, draw] : faces) {
        for (const TRect& r : rects) {
            SCOPED_TRACE(testing::Message() << name << " in " << r.Left << "," << r.Top << ","
                                            << r.Right << "," << r.Bottom);
            TBitmap bitmap;
            bitmap.SetSize(24, 24);
            TCanvas canvas(bitmap);
            canvas.Brush().SetColor(green);
            canvas.FillRect(Rect(0, 0, 24, 24));
            draw(canvas, r);
            int32_t outside = 0;
            for (int32_t y = 0; y < 24; ++y)
                for (int32_t x = 0; x < 24; ++x)
                    if (!PtInRect(r, Point(x, y)) && canvas.Pixels(x, y) != green) ++outside;
            EXPECT_EQ(outside, 0);
        }
    }
}

}  // namespace
}  // namespace vex
