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

    std::optional<TBitmap> Bitmap;
};

using Rows = std::vector<std::string>;

TEST_F(CanvasTest, ShapesPaintTheirPictures) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/canvas.txt")) {
        SCOPED_TRACE(b.Name);
        const Rows& expected = b.Parts.at(0);
        Use(static_cast<int32_t>(expected[0].size()), static_cast<int32_t>(expected.size()));
        for (const std::string& line : b.Parts.at(1))
            DrawCaseLine(Canvas(), test::CaseOf(line, b.Where));
        EXPECT_EQ(Picture(), expected);
    }
}

TEST_F(CanvasTest, DrawingTwiceInXorOrNotModeRestoresThePicture) {
    Use(40, 30);
    Canvas().Brush().SetColor(clYellow);
    Canvas().FillRect(Rect(5, 5, 30, 20));
    const std::vector<uint32_t> before = PixelsOf(*Bitmap);
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
        EXPECT_EQ(PixelsOf(*Bitmap), before);
    }
}

// A filled shape combines its brush, solid or patterned, with what lies under it as the pen's
// mode says, even where no outline is drawn: each pixel the shape covers is worked out from the
// picture beneath and from the same shape filled in copy mode.
TEST_F(CanvasTest, ShapesFillWithTheirBrushInThePensMode) {
    const std::vector<std::pair<std::string, std::function<void(TCanvas&)>>> shapes = {
        {"rectangle", [](TCanvas& C) { C.Rectangle(2, 1, 13, 9); }},
        {"ellipse", [](TCanvas& C) { C.Ellipse(1, 1, 15, 10); }},
        {"polygon",
         [](TCanvas& C) {
             C.Polygon({{1, 1}, {14, 3}, {6, 10}});
         }},
        {"round rectangle", [](TCanvas& C) { C.RoundRect(1, 0, 15, 10, 6, 4); }},
    };
    TBitmap stripes;
    PaintPicture(stripes, {"rb..", "gg.b"});
    const auto beneath = [](TCanvas& C) {
        for (int32_t y = 0; y < 11; ++y)
            for (int32_t x = 0; x < 16; ++x)
                C.SetPixels(x, y, static_cast<TColor>((x * 0x1F3D5B + y * 0x0A6E13) & 0xFFFFFF));
    };
    for (const auto& [name, draw] : shapes)
        for (const bool patterned : {false, true})
            for (const TPenMode mode : {pmCopy, pmXor, pmNot}) {
                SCOPED_TRACE(name + (patterned ? " patterned " : " solid ") + std::to_string(mode));
                const auto paint = [&](TPenMode Mode, bool Beneath) {
                    Use(16, 11);
                    if (Beneath) beneath(Canvas());
                    Canvas().Pen().SetStyle(psClear);
                    Canvas().Pen().SetMode(Mode);
                    Canvas().Brush().SetColor(TColor(0x3C96E1));
                    if (patterned) Canvas().Brush().SetBitmap(&stripes);
                    draw(Canvas());
                    return PixelsOf(*Bitmap);
                };
                const std::vector<uint32_t> copied = paint(pmCopy, false);
                const std::vector<uint32_t> white = paint(pmXor, false);  // changed where covered
                Use(16, 11);
                beneath(Canvas());
                const std::vector<uint32_t> under = PixelsOf(*Bitmap);
                std::vector<uint32_t> expected = under;
                for (size_t i = 1; i < under.size(); ++i) {
                    if (white[i] == 0xFFFFFF && copied[i] == 0xFFFFFF) continue;  // not covered
                    expected[i] = mode == pmCopy  ? copied[i]
                                  : mode == pmXor ? under[i] ^ copied[i]
                                                  : ~under[i] & 0xFFFFFF;
                }
                EXPECT_EQ(paint(mode, true), expected);
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

    for (const test::TestCase& line : test::ReadCases(VEX_TEST_DIR "/testdata/hugedrawing.txt"))
        DrawCaseLine(Canvas(), line);
    SUCCEED();
}

// Rows owned by someone else, with a wider stride: every drawing lands as on an owned bitmap
// and nothing outside the view changes.
TEST(CanvasOnAView, DrawsAsOnAnOwnedBitmapAndNothingOutside) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/canvas.txt")) {
        SCOPED_TRACE(b.Name);
        const Rows& expected = b.Parts.at(0);
        const auto width = static_cast<int32_t>(expected[0].size());
        TForeignRows rows(width, static_cast<int32_t>(expected.size()), width + 3);
        TCanvas& canvas = rows.View.Canvas();
        canvas.Pen().SetColor(clRed);
        canvas.Brush().SetColor(clBlue);
        for (const std::string& line : b.Parts.at(1))
            DrawCaseLine(canvas, test::CaseOf(line, b.Where));
        EXPECT_EQ(PictureOf(rows.View), expected);
        EXPECT_TRUE(rows.OutsideUntouched());
    }

    TBitmap picture;
    PaintPicture(picture, {"rb.", "gkr"});
    const auto paint = [&](TCanvas& C) {
        C.Font().SetName("DejaVu Sans");
        C.TextOut(-3, 2, "Wide text past both edges");
        C.Draw(10, 14, picture);
        C.StretchDraw(Rect(14, 10, 26, 22), picture);
        C.BrushCopy(Rect(0, 17, 6, 23), picture, Rect(0, 0, 3, 2), clBlack);
        C.CopyRect(Rect(20, 0, 40, 8), C, Rect(0, 0, 20, 8));
        C.SetPixels(25, 0, clRed);
        C.SetPixels(0, 22, clLime);
    };
    TBitmap owned;
    owned.SetSize(26, 23);
    paint(owned.Canvas());
    TForeignRows rows(26, 23, 31);
    paint(rows.View.Canvas());
    EXPECT_EQ(PixelsOf(rows.View), PixelsOf(owned));
    EXPECT_TRUE(rows.OutsideUntouched());
}

}  // namespace
}  // namespace vex
