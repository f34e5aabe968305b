#include "platform/gfx/drawtext.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

// The built-in font at height 8: cells 4 wide, blocks 6 tall above the baseline, 2 rows of
// descent, the underline on the cell's last row. In pictures 'k' is ink and 'b' the brush.
TCanvas& FixedCanvas(TBitmap& Bitmap, int32_t W, int32_t H) {
    Bitmap.SetSize(W, H);
    Bitmap.Canvas().Font().SetName(FixedFontName);
    Bitmap.Canvas().Font().SetHeight(8);
    Bitmap.Canvas().Brush().SetColor(clBlue);
    return Bitmap.Canvas();
}

class FixedTextTest : public ::testing::Test {
protected:
    TBitmap Bitmap;
    TCanvas& Canvas = FixedCanvas(Bitmap, 40, 30);
};

const std::string Cases = VEX_TEST_DIR "/testdata/fixedtext.txt";

TEST_F(FixedTextTest, MetricsFollowFromTheHeight) {
    for (const test::TestCase& c : test::ReadCases(Cases, "metrics")) {
        SCOPED_TRACE(c.Where);
        Canvas.Font().SetHeight(static_cast<int32_t>(c.Int(0)));
        TTextMetric tm;
        ASSERT_TRUE(GetTextMetrics(Canvas.Handle(), tm));
        EXPECT_EQ((std::vector<int64_t>{tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmAveCharWidth}),
                  (std::vector<int64_t>{c.Int(1), c.Int(2), c.Int(3), c.Int(4)}));
        EXPECT_EQ(tm.tmPitchAndFamily & (TMPF_FIXED_PITCH | TMPF_TRUETYPE), 0);
        EXPECT_EQ(Canvas.TextExtent("abc"), (TSize{3 * tm.tmAveCharWidth, tm.tmHeight}));
    }
}

TEST(FixedText, TextOutPaintsByAlignmentBrushStyleAndEscapement) {
    for (const TPictureCase& c : LoadPictureCases("textout.txt")) {
        SCOPED_TRACE(c.Name);
        TBitmap bitmap;
        TCanvas& canvas = FixedCanvas(bitmap, 32, 16);
        SetTextAlign(canvas.Handle(), static_cast<uint32_t>(c.Fields.Int(0)));
        canvas.Brush().SetStyle(c.Fields[1] == "solid" ? bsSolid : bsClear);
        if (c.Fields[2] != "-")
            canvas.Font().SetStyle({c.Fields[2] == "underline" ? fsUnderline : fsStrikeOut});
        canvas.Font().SetOrientation(static_cast<int32_t>(c.Fields.Int(3)));
        canvas.TextOut(static_cast<int32_t>(c.Fields.Int(4)), static_cast<int32_t>(c.Fields.Int(5)),
                       c.Fields[6]);
        EXPECT_EQ(PictureOf(bitmap), c.Picture);
    }
}

TEST(FixedText, DrawTextBreaksCutsPrefixesExpandsAndClips) {
    for (const TPictureCase& c : LoadPictureCases("drawtext.txt")) {
        SCOPED_TRACE(c.Name);
        TBitmap bitmap;
        TCanvas& canvas = FixedCanvas(bitmap, 40, 16);
        SetBkMode(canvas.Handle(), TRANSPARENT);
        TRect r = CaseRect(c.Fields, 1);
        DrawText(canvas.Handle(), c.Fields[0], r, static_cast<uint32_t>(c.Fields.Int(5)));
        EXPECT_EQ(PictureOf(bitmap), c.Picture);
    }
}

TEST_F(FixedTextTest, RectanglesOriginClipAndFontColourBoundTheText) {
    Canvas.TextRect(Rect(12, 10, 16, 20), 10, 10, "ab");
    EXPECT_EQ(InkBounds(Bitmap, clBlack), Rect(12, 10, 16, 16));
    EXPECT_EQ(InkBounds(Bitmap, clBlue), Rect(12, 16, 16, 20));

    TBitmap clipped;
    TCanvas& canvas = FixedCanvas(clipped, 40, 30);
    canvas.SetOrigin(Point(5, 5));
    canvas.IntersectClipRect(Rect(0, 0, 6, 30));
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(0, 0, "abc");
    EXPECT_EQ(InkBounds(clipped, clBlack), Rect(5, 5, 11, 11));

    TBitmap opaque;
    const HDC dc = FixedCanvas(opaque, 40, 30).Handle();
    SetBkColor(dc, clBlue);
    SetBkMode(dc, TRANSPARENT);
    const TRect r = Rect(0, 0, 10, 10);
    ExtTextOut(dc, 2, 2, ETO_OPAQUE | ETO_CLIPPED, &r, "abc");
    EXPECT_EQ(InkBounds(opaque, clBlue), Rect(0, 0, 10, 10));
    EXPECT_EQ(InkBounds(opaque, clBlack), Rect(2, 2, 10, 8));
}

TEST_F(FixedTextTest, UpdateCpStartsAtThePenAndMovesIt) {
    SetTextAlign(Canvas.Handle(), TA_UPDATECP);
    Canvas.MoveTo(3, 4);
    Canvas.TextOut(99, 99, "ab");
    EXPECT_EQ(Canvas.PenPos(), Point(11, 4));
    Canvas.TextOut(99, 99, "c");
    EXPECT_EQ(Canvas.PenPos(), Point(15, 4));
    EXPECT_EQ(InkBounds(Bitmap, clBlack), Rect(3, 4, 15, 10));

    SetTextAlign(Canvas.Handle(), TA_UPDATECP | TA_RIGHT);
    Canvas.TextOut(0, 0, "a");
    EXPECT_EQ(Canvas.PenPos(), Point(11, 4));
}

TEST(FixedText, DrawTextAlignsWithinTheRectangleAndItsMargins) {
    for (const test::TestCase& c : test::ReadCases(Cases, "align")) {
        SCOPED_TRACE(c.Where);
        TBitmap bitmap;
        TRect r = Rect(0, 0, 40, 30);
        const uint32_t format = static_cast<uint32_t>(c.Int(0));
        TCanvas& canvas = FixedCanvas(bitmap, 40, 30);
        canvas.Font().SetColor(clRed);  // sets the context's text colour, which DrawText uses
        EXPECT_EQ(DrawText(canvas.Handle(), "ab", r, format), 8);
        EXPECT_EQ(InkBounds(bitmap, clRed), CaseRect(c, 1));
    }
    TBitmap bitmap;
    TDrawTextParams params;
    params.iLeftMargin = 4;
    params.iRightMargin = 8;
    TRect r = Rect(0, 0, 40, 30);
    DrawTextEx(FixedCanvas(bitmap, 40, 30).Handle(), "ab", r, DT_RIGHT, &params);
    EXPECT_EQ(InkBounds(bitmap, clBlack), Rect(24, 0, 32, 6));
    EXPECT_EQ(params.uiLengthDrawn, 2u);
}

TEST_F(FixedTextTest, CalcRectMeasuresWithoutDrawing) {
    for (const test::TestCase& c : test::ReadCases(Cases, "calc")) {
        SCOPED_TRACE(c.Where);
        TRect r = Rect(2, 3, 26, 20);
        const uint32_t format = static_cast<uint32_t>(c.Int(1)) | DT_CALCRECT;
        const int32_t h = DrawText(Canvas.Handle(), c[0], r, format);
        EXPECT_EQ(r, CaseRect(c, 2));
        EXPECT_EQ(h, r.Bottom - r.Top);
    }
    EXPECT_EQ(InkBounds(Bitmap, clBlack), TRect{});
}

TEST_F(FixedTextTest, ExtremeAndHugeInputsDrawWhatFitsInLinearTimeAndNeverFail) {
    Canvas.Brush().SetStyle(bsClear);
    for (int32_t v : {INT32_MIN, INT32_MIN + 1, -100000, 100000, INT32_MAX - 1, INT32_MAX}) {
        SCOPED_TRACE(v);
        Canvas.TextOut(v, 5, "abc");
        Canvas.TextOut(5, v, "abc");
        TRect r = Rect(v, v, INT32_MAX, INT32_MAX);
        DrawText(Canvas.Handle(), "a b c", r, DT_WORDBREAK | DT_END_ELLIPSIS);
    }
    Canvas.TextOut(0, 0, "");
    TRect empty{};
    // One word cannot be broken: one line.
    EXPECT_EQ(DrawText(Canvas.Handle(), "abc", empty, DT_WORDBREAK), 8);
    EXPECT_EQ(DrawText(Canvas.Handle(), "a b c", empty, DT_WORDBREAK), 24);
    Canvas.Font().SetHeight(INT32_MIN);
    EXPECT_EQ(Canvas.Font().Height(), -MaxFontHeight);
    Canvas.Font().SetOrientation(450);
    Canvas.TextOut(0, 30, std::string(3000, 'x'));
    EXPECT_NE(InkBounds(Bitmap, clBlack), TRect{});

    // A megabyte of text takes linear time.
    Canvas.Font().SetHeight(8);
    Canvas.Font().SetOrientation(0);
    const std::string text(1 << 20, 'w');
    std::string words, tabs, prefixed;
    for (int i = 0; i < (1 << 18); ++i) {
        words += "abc ";
        tabs += "a\tb\t";
        prefixed += "&ab ";
    }
    const auto start = std::chrono::steady_clock::now();
    Canvas.TextOut(-1000, 0, text);
    EXPECT_EQ(Canvas.TextWidth(text), 4 << 20);
    TRect r = Rect(0, 0, 40, 30);
    DrawText(Canvas.Handle(), words, r, DT_WORDBREAK);
    DrawText(Canvas.Handle(), text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawText(Canvas.Handle(), tabs, r, DT_SINGLELINE | DT_EXPANDTABS);
    DrawText(Canvas.Handle(), prefixed, r, DT_WORDBREAK);
    TRect calc = Rect(0, 0, 40, 30);
    EXPECT_EQ(DrawText(Canvas.Handle(), words, calc, DT_WORDBREAK | DT_CALCRECT), 8 << 17);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace vex
