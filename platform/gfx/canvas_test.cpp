#include "platform/gfx/canvas.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override { Use(12, 8); }

    void Use(int32_t W, int32_t H) {
        Bitmap.SetSize(0, 0);
        Bitmap.SetSize(W, H);
        Canvas().Pen().SetColor(clRed);
        Canvas().Brush().SetColor(clBlue);
    }
    TCanvas& Canvas() { return Bitmap.Canvas(); }

    std::vector<std::string> Picture() { return PictureOf(Bitmap); }

    std::vector<uint32_t> Snapshot() {
        std::vector<uint32_t> all;
        for (int32_t y = 0; y < Bitmap.Height(); ++y)
            all.insert(all.end(), Bitmap.ScanLine(y), Bitmap.ScanLine(y) + Bitmap.Width());
        return all;
    }

    TBitmap Bitmap;
};

using Rows = std::vector<std::string>;

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint) {
    Use(7, 4);
    Canvas().MoveTo(0, 0);
    Canvas().LineTo(5, 0);
    EXPECT_EQ(Canvas().PenPos(), Point(5, 0));
    Canvas().MoveTo(6, 3);
    Canvas().LineTo(6, 0);
    Canvas().MoveTo(0, 1);
    Canvas().LineTo(2, 3);
    EXPECT_EQ(Picture(), (Rows{"rrrrr..", "r.....r", ".r....r", "......r"}));
}

TEST_F(CanvasTest, RectanglesOutlineWithThePenAndFillWithTheBrushEdgesExclusive) {
    Use(14, 5);
    Canvas().Rectangle(0, 0, 4, 3);
    Canvas().Rectangle(5, 4, 3, 2);  // corners in either order
    Canvas().Pen().SetStyle(psClear);
    Canvas().Rectangle(6, 0, 10, 3);  // without a pen: one pixel short
    Canvas().FillRect(Rect(6, 3, 8, 5));
    Canvas().Brush().SetColor(clLime);
    Canvas().FrameRect(Rect(10, 0, 14, 4));
    Canvas().Brush().SetStyle(bsClear);
    Canvas().FillRect(Rect(0, 0, 14, 5));
    EXPECT_EQ(Picture(), (Rows{"rrrr..bbb.gggg", "rbbr..bbb.g..g", "rrrrr.....g..g",
                               "...rr.bb..gggg", "......bb......"}));
}

TEST_F(CanvasTest, PenStylesFollowTheirDashPatterns) {
    Use(48, 1);
    const struct {
        TPenStyle Style;
        std::string Row;
    } cases[] = {
        {psDash, std::string(18, 'r') + std::string(6, '.') + std::string(18, 'r') + "......"},
        {psDot, "rrr...rrr...rrr...rrr...rrr...rrr...rrr...rrr..."},
        {psDashDot, "rrrrrrrrr......rrr......rrrrrrrrr......rrr......"},
        {psClear, std::string(48, '.')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Style);
        Use(48, 1);
        Canvas().Pen().SetStyle(c.Style);
        Canvas().MoveTo(0, 0);
        Canvas().LineTo(48, 0);
        EXPECT_EQ(Picture(), Rows{c.Row});
    }
}

TEST_F(CanvasTest, AWidePenCoversItsWidthAcrossTheLine) {
    Use(8, 5);
    Canvas().Pen().SetWidth(3);
    Canvas().MoveTo(2, 2);
    Canvas().LineTo(5, 2);
    EXPECT_EQ(Picture(), (Rows{"........", ".rrrrrr.", ".rrrrrr.", ".rrrrrr.", "........"}));
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

TEST_F(CanvasTest, EllipsesAreSymmetricInsideTheirBoxAndTouchEachSide) {
    for (int32_t w = 1; w <= 14; ++w) {
        for (int32_t h = 1; h <= 11; ++h) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            Use(20, 16);
            Canvas().Ellipse(3, 2, 3 + w, 2 + h);
            const Rows rows = Picture();
            for (int32_t y = 0; y < 16; ++y) {
                for (int32_t x = 0; x < 20; ++x) {
                    const bool inBox = x >= 3 && x < 3 + w && y >= 2 && y < 2 + h;
                    if (!inBox) {
                        ASSERT_EQ(rows[y][x], '.') << x << "," << y;
                        continue;
                    }
                    ASSERT_EQ(rows[y][x], rows[y][2 * 3 + w - 1 - x]) << x << "," << y;
                    ASSERT_EQ(rows[y][x], rows[2 * 2 + h - 1 - y][x]) << x << "," << y;
                }
            }
            EXPECT_NE(rows[2].find('r'), std::string::npos);
            EXPECT_NE(rows[1 + h].find('r'), std::string::npos);
            bool left = false, right = false;
            for (const std::string& row : rows) {
                left = left || row[3] == 'r';
                right = right || row[2 + w] == 'r';
            }
            EXPECT_TRUE(left && right);
        }
    }
}

TEST_F(CanvasTest, EllipseOutlineIsClosedAroundTheBrush) {
    Use(11, 9);
    Canvas().Ellipse(0, 0, 11, 9);
    const Rows rows = Picture();
    // Every brush pixel is surrounded by brush or pen, never by background.
    for (int32_t y = 1; y < 8; ++y)
        for (int32_t x = 1; x < 10; ++x)
            if (rows[y][x] == 'b') {
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    EXPECT_NE(rows[y + dy][x + dx], '.') << x << "," << y;
            }
    EXPECT_EQ(rows[4][5], 'b');
    EXPECT_EQ(rows[0][0], '.');
}

TEST_F(CanvasTest, RoundRectCutsItsCorners) {
    Use(12, 8);
    Canvas().RoundRect(0, 0, 12, 8, 6, 6);
    const Rows rows = Picture();
    EXPECT_EQ(rows[0][0], '.');
    EXPECT_EQ(rows[7][11], '.');
    EXPECT_EQ(rows[0][6], 'r');
    EXPECT_EQ(rows[4][0], 'r');
    EXPECT_EQ(rows[4][6], 'b');
}

TEST_F(CanvasTest, PolygonIsFilledWithTheBrushAndOutlinedWithThePen) {
    Use(9, 7);
    Canvas().Polygon({{0, 0}, {8, 0}, {8, 6}, {0, 6}});
    EXPECT_EQ(Picture(), (Rows{"rrrrrrrrr", "rbbbbbbbr", "rbbbbbbbr", "rbbbbbbbr", "rbbbbbbbr",
                               "rbbbbbbbr", "rrrrrrrrr"}));
    Use(9, 7);
    Canvas().Polygon({{0, 6}, {4, 0}, {8, 6}});
    const Rows rows = Picture();
    EXPECT_EQ(rows[0][4], 'r');
    EXPECT_EQ(rows[4][4], 'b');
    EXPECT_EQ(rows[6], "rrrrrrrrr");
    EXPECT_EQ(rows[1][0], '.');
}

TEST_F(CanvasTest, PixelsOutsideTheBitmapReadNothingAndTakeNothing) {
    Use(3, 3);
    EXPECT_EQ(Canvas().Pixels(-1, 0), -1);
    EXPECT_EQ(Canvas().Pixels(0, 3), -1);
    Canvas().SetPixels(3, 0, clRed);
    Canvas().SetPixels(INT_MIN, INT_MAX, clRed);
    Canvas().SetPixels(1, 1, clBtnShadow);
    EXPECT_EQ(Canvas().Pixels(1, 1), clGray);
    EXPECT_EQ(Picture(), (Rows{"...", ".?.", "..."}));
    EXPECT_EQ(Canvas().ClipRect(), Rect(0, 0, 3, 3));
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
