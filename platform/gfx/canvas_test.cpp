#include "platform/gfx/canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override { Use(12, 8); }

    void Use(int32_t W, int32_t H) {
        Bitmap.emplace();  // a fresh pen and brush too
        Bitmap->SetSize(W, H);
        Canvas().Pen().SetColor(clRed);
        Canvas().Brush().SetColor(clBlue);
    }
    TCanvas& Canvas() { return Bitmap->Canvas(); }

    std::vector<std::string> Picture() { return PictureOf(*Bitmap); }

    std::vector<uint32_t> Snapshot() {
        std::vector<uint32_t> all;
        for (int32_t y = 0; y < Bitmap->Height(); ++y)
            all.insert(all.end(), Bitmap->ScanLine(y), Bitmap->ScanLine(y) + Bitmap->Width());
        return all;
    }

    std::optional<TBitmap> Bitmap;
};

using Rows = std::vector<std::string>;

// Each case draws, with a red pen and a blue brush, the picture of its name in testdata/canvas.txt.
TEST_F(CanvasTest, ShapesPaintTheirPictures) {
    const auto pictures = LoadPictures("canvas.txt");
    const struct {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
    } cases[] = {
        {"lines leave out their end point",
         [](TCanvas& C) {
             C.MoveTo(0, 0);
             C.LineTo(5, 0);
             C.MoveTo(6, 3);
             C.LineTo(6, 0);
             C.MoveTo(0, 1);
             C.LineTo(2, 3);
         }},
        {"rectangles outline with the pen and fill with the brush, edges exclusive",
         [](TCanvas& C) {
             C.Rectangle(0, 0, 4, 3);
             C.Rectangle(5, 4, 3, 2);  // corners in either order
             C.Pen().SetStyle(psClear);
             C.Rectangle(6, 0, 10, 3);  // without a pen: one pixel short
             C.FillRect(Rect(6, 3, 8, 5));
             C.Brush().SetColor(clLime);
             C.FrameRect(Rect(10, 0, 14, 4));
             C.Brush().SetStyle(bsClear);
             C.FillRect(Rect(0, 0, 14, 5));
         }},
        {"pen styles follow their dash patterns",
         [](TCanvas& C) {
             int32_t y = 0;
             for (TPenStyle style : {psDash, psDot, psDashDot, psDashDotDot, psClear}) {
                 C.Pen().SetStyle(style);
                 C.MoveTo(0, y);
                 C.LineTo(48, y++);
             }
         }},
        {"a wide pen covers its width across the line",
         [](TCanvas& C) {
             C.Pen().SetWidth(3);
             C.MoveTo(2, 2);
             C.LineTo(5, 2);
         }},
        {"an ellipse outline is closed around the brush",
         [](TCanvas& C) { C.Ellipse(0, 0, 11, 9); }},
        {"a round rectangle cuts its corners", [](TCanvas& C) { C.RoundRect(0, 0, 12, 8, 6, 6); }},
        {"a polygon is filled with the brush and outlined with the pen",
         [](TCanvas& C) {
             C.Polygon({{0, 0}, {8, 0}, {8, 6}, {0, 6}});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const Rows& expected = pictures.at(c.Name);
        Use(static_cast<int32_t>(expected[0].size()), static_cast<int32_t>(expected.size()));
        c.Draw(Canvas());
        EXPECT_EQ(Picture(), expected);
    }
}

TEST_F(CanvasTest, DrawingTwiceInXorOrNotModeRestoresThePicture) {
    Use(40, 30);
    Canvas().Brush().SetColor(clYellow);
    Canvas().FillRect(Rect(5, 5, 30, 20));
    const std::vector<uint32_t> before = Snapshot();
    for (TPenMode mode : {pmXor, pmNot}) {
        SCOPED_TRACE(mode);
        Canvas().Pen().SetMode(mode);
        Canvas().Brush().SetColor(clTeal);
        for (int pass = 0; pass < 2; ++pass) {
            Canvas().MoveTo(0, 0);
            Canvas().LineTo(39, 17);
            Canvas().Rectangle(2, 3, 20, 25);
            Canvas().Ellipse(10, 1, 38, 28);
            Canvas().RoundRect(3, 3, 30, 20, 8, 6);
            Canvas().Polyline({{1, 28}, {20, 2}, {38, 28}});
        }
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(CanvasTest, EllipsesAreSymmetricAndTouchEachSideOfTheirBoxOnly) {
    for (int32_t w = 1; w <= 14; ++w) {
        for (int32_t h = 1; h <= 11; ++h) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            Use(20, 16);
            Canvas().Ellipse(3, 2, 3 + w, 2 + h);
            EXPECT_EQ(InkBounds(*Bitmap, clRed), Rect(3, 2, 3 + w, 2 + h));
            EXPECT_EQ(InkBounds(*Bitmap, [](uint32_t P) { return P != 0xFFFFFF; }),
                      Rect(3, 2, 3 + w, 2 + h));
            const Rows rows = Picture();
            for (int32_t y = 2; y < 2 + h; ++y)
                for (int32_t x = 3; x < 3 + w; ++x) {
                    ASSERT_EQ(rows[y][x], rows[y][2 * 3 + w - 1 - x]) << x << "," << y;
                    ASSERT_EQ(rows[y][x], rows[2 * 2 + h - 1 - y][x]) << x << "," << y;
                }
        }
    }
}

TEST_F(CanvasTest, OriginAndClipPaintAChildWindowsAreaOnly) {
    Use(8, 4);
    Canvas().SetOrigin(Point(2, 1));
    Canvas().IntersectClipRect(Rect(0, 0, 4, 2));
    EXPECT_EQ(Canvas().ClipRect(), Rect(0, 0, 4, 2));
    Canvas().FillRect(Rect(-10, -10, 10, 10));
    Canvas().MoveTo(-5, 0);
    Canvas().LineTo(50, 0);
    EXPECT_EQ(Picture(), (Rows{"........", "..rrrr..", "..bbbb..", "........"}));
    EXPECT_EQ(Canvas().Pixels(0, 1), clBlue);
    EXPECT_EQ(Canvas().Pixels(4, 0), -1);
    Canvas().SetPixels(1, 0, clBtnShadow);  // a system colour is stored as what it shows
    EXPECT_EQ(Canvas().Pixels(1, 0), clGray);

    // The clip stays on the bitmap when the origin moves; it only ever narrows until reset.
    Canvas().SetOrigin(Point(0, 0));
    EXPECT_EQ(Canvas().ClipRect(), Rect(2, 1, 6, 3));
    Canvas().IntersectClipRect(Rect(7, 0, 8, 4));
    EXPECT_EQ(Canvas().ClipRect(), Rect(0, 0, 0, 0));
    Canvas().SetPixels(7, 0, clRed);
    EXPECT_EQ(Canvas().Pixels(7, 0), -1);
    Canvas().ResetClip();
    EXPECT_EQ(Canvas().ClipRect(), Rect(0, 0, 8, 4));

    Canvas().SetOrigin(Point(INT_MIN, INT_MAX));
    Canvas().Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    Canvas().MoveTo(INT_MAX, INT_MIN);
    Canvas().LineTo(INT_MIN, INT_MAX);
    Canvas().SetPixels(INT_MIN, INT_MAX, clRed);
    EXPECT_EQ(Picture()[0], "........");
}

TEST_F(CanvasTest, HugeCoordinatesAreClippedToTheBitmap) {
    Use(10, 6);
    Canvas().MoveTo(INT_MIN, 3);
    Canvas().LineTo(INT_MAX, 3);
    EXPECT_EQ(Picture()[3], "rrrrrrrrrr");
    Canvas().MoveTo(-1000000000, -1000000000);
    Canvas().LineTo(1000000000, 1000000000);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(Canvas().Pixels(i, i), clRed) << i;

    // Nothing here may touch memory outside the bitmap (the sanitizers watch) or take long.
    Canvas().MoveTo(INT_MAX, INT_MIN);
    Canvas().LineTo(INT_MIN, INT_MAX);
    Canvas().Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    Canvas().Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    Canvas().RoundRect(INT_MIN, -5, INT_MAX, 20, INT_MAX, INT_MIN);
    Canvas().Polygon({{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}});
    Canvas().FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    Canvas().FrameRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    Canvas().Pen().SetWidth(INT_MAX);
    Canvas().LineTo(INT_MAX, INT_MIN);
    Canvas().Ellipse(-3, -3, 30, 30);
    Canvas().Pen().SetStyle(psDot);
    Canvas().Pen().SetWidth(1);
    Canvas().Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    Canvas().Rectangle(-5, -5, 5, 5);
    SUCCEED();
}

}  // namespace
}  // namespace vex
