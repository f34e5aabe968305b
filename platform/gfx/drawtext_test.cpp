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

TEST_F(FixedTextTest, MetricsFollowFromTheHeight) {
    struct Case {
        int32_t Height, Cell, Ascent, Descent, Width;
    };
    for (const Case& c : std::vector<Case>{{8, 8, 6, 2, 4},
                                           {-8, 8, 6, 2, 4},
                                           {13, 13, 10, 3, 7},
                                           {0, 16, 12, 4, 8},
                                           {1, 1, 1, 0, 1}}) {
        SCOPED_TRACE(c.Height);
        Canvas.Font().SetHeight(c.Height);
        TTextMetric tm;
        ASSERT_TRUE(GetTextMetrics(Canvas.Handle(), tm));
        EXPECT_EQ(tm.tmHeight, c.Cell);
        EXPECT_EQ(tm.tmAscent, c.Ascent);
        EXPECT_EQ(tm.tmDescent, c.Descent);
        EXPECT_EQ(tm.tmAveCharWidth, c.Width);
        EXPECT_EQ(tm.tmPitchAndFamily & (TMPF_FIXED_PITCH | TMPF_TRUETYPE), 0);
        EXPECT_EQ(Canvas.TextExtent("abc"), (TSize{3 * c.Width, c.Cell}));
    }
}

TEST(FixedText, TextOutPaintsByAlignmentBrushStyleAndEscapement) {
    const auto pictures = LoadPictures("textout.txt");
    const struct {
        const char* Name;
        uint32_t Align;
        TBrushStyle Brush;
        TFontStyles Style;
        int32_t Orientation, X, Y;
        const char* Text;
    } cases[] = {
        {"left top", TA_LEFT | TA_TOP, bsClear, {}, 0, 10, 8, "ab"},
        {"right top", TA_RIGHT | TA_TOP, bsClear, {}, 0, 10, 8, "ab"},
        {"centre top", TA_CENTER | TA_TOP, bsClear, {}, 0, 10, 8, "ab"},
        {"left bottom", TA_LEFT | TA_BOTTOM, bsClear, {}, 0, 10, 8, "ab"},
        {"left baseline", TA_LEFT | TA_BASELINE, bsClear, {}, 0, 10, 8, "ab"},
        {"right baseline", TA_RIGHT | TA_BASELINE, bsClear, {}, 0, 10, 8, "ab"},
        {"a solid brush paints the cells", TA_TOP, bsSolid, {}, 0, 2, 3, "a b"},
        {"a clear brush paints the ink alone", TA_TOP, bsClear, {}, 0, 2, 3, "a b"},
        {"underline runs under the whole text", TA_TOP, bsClear, {fsUnderline}, 0, 10, 2, "a b"},
        {"strike out runs through blanks too", TA_TOP, bsClear, {fsStrikeOut}, 0, 10, 2, "  "},
        {"a quarter turn runs upwards", TA_TOP, bsClear, {}, 900, 20, 10, "ab"},
        {"a half turn runs leftwards upside down", TA_TOP, bsClear, {}, 1800, 20, 10, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap bitmap;
        TCanvas& canvas = FixedCanvas(bitmap, 32, 16);
        SetTextAlign(canvas.Handle(), c.Align);
        canvas.Brush().SetStyle(c.Brush);
        canvas.Font().SetStyle(c.Style);
        canvas.Font().SetOrientation(c.Orientation);
        canvas.TextOut(c.X, c.Y, c.Text);
        EXPECT_EQ(PictureOf(bitmap), pictures.at(c.Name));
    }
}

TEST(FixedText, DrawTextBreaksCutsPrefixesExpandsAndClips) {
    const auto pictures = LoadPictures("drawtext.txt");
    const struct {
        const char* Name;
        const char* Text;
        TRect Rect;
        uint32_t Format;
    } cases[] = {
        {"word break", "aa bb cc", Rect(0, 0, 24, 16), DT_WORDBREAK},
        {"end ellipsis", "ab cdefgh", Rect(0, 0, 20, 16), DT_SINGLELINE | DT_END_ELLIPSIS},
        {"cut without ellipsis", "ab cdefgh", Rect(0, 0, 20, 16), DT_SINGLELINE},
        {"prefix", "a&bc", Rect(0, 0, 40, 16), 0},
        {"doubled prefix", "a&&b", Rect(0, 0, 40, 16), 0},
        {"no prefix", "a&b", Rect(0, 0, 40, 16), DT_NOPREFIX},
        {"expanded tabs", "a\tb", Rect(0, 0, 40, 16), DT_EXPANDTABS},
        {"plain tabs", "a\tb", Rect(0, 0, 40, 16), 0},
        {"clipped", "ab", Rect(0, 0, 6, 16), 0},
        {"no clip", "ab", Rect(0, 8, 6, 16), DT_NOCLIP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap bitmap;
        TCanvas& canvas = FixedCanvas(bitmap, 40, 16);
        SetBkMode(canvas.Handle(), TRANSPARENT);
        TRect r = c.Rect;
        DrawText(canvas.Handle(), c.Text, r, c.Format);
        EXPECT_EQ(PictureOf(bitmap), pictures.at(c.Name));
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

    // A font change sets the context's text colour, which DrawText uses.
    TBitmap red;
    FixedCanvas(red, 40, 30).Font().SetColor(clRed);
    TRect all = Rect(0, 0, 40, 30);
    SetBkMode(red.Canvas().Handle(), TRANSPARENT);
    DrawText(red.Canvas().Handle(), "a", all, DT_NOPREFIX);
    EXPECT_EQ(InkBounds(red, clRed), Rect(0, 0, 4, 6));
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
    for (const auto& [format, ink] : std::vector<std::pair<uint32_t, TRect>>{
             {DT_LEFT, Rect(0, 0, 8, 6)},
             {DT_CENTER, Rect(16, 0, 24, 6)},
             {DT_RIGHT, Rect(32, 0, 40, 6)},
             {DT_SINGLELINE | DT_VCENTER, Rect(0, 11, 8, 17)},
             {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, Rect(32, 22, 40, 28)},
             // Vertical placement needs a single line, as on the original.
             {DT_VCENTER, Rect(0, 0, 8, 6)},
         }) {
        SCOPED_TRACE(format);
        TBitmap bitmap;
        TRect r = Rect(0, 0, 40, 30);
        EXPECT_EQ(DrawText(FixedCanvas(bitmap, 40, 30).Handle(), "ab", r, format), 8);
        EXPECT_EQ(InkBounds(bitmap, clBlack), ink);
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
    struct Case {
        std::string Text;
        uint32_t Format;
        TRect Result;
    };
    for (const Case& c : std::vector<Case>{
             {"ab", DT_SINGLELINE, Rect(2, 3, 10, 11)},
             {"a\r\nbbb\nc", 0, Rect(2, 3, 14, 27)},
             {"a\r\nbbb\nc", DT_SINGLELINE, Rect(2, 3, 34, 11)},
             {"aa bb cc", DT_WORDBREAK, Rect(2, 3, 22, 19)},
             {"aaaaaaaa bb", DT_WORDBREAK, Rect(2, 3, 34, 19)},
             // A blank line is one line, wrapped or not.
             {"a\n\nb", 0, Rect(2, 3, 6, 27)},
             {"a\n\nb", DT_WORDBREAK, Rect(2, 3, 6, 27)},
             {"a\r\n\r\n\r\nb", DT_WORDBREAK, Rect(2, 3, 6, 35)},
             {"", 0, Rect(2, 3, 2, 3)},
             {"a\tb", DT_EXPANDTABS, Rect(2, 3, 38, 11)},
         }) {
        SCOPED_TRACE(c.Text);
        TRect r = Rect(2, 3, 26, 20);
        const int32_t h = DrawText(Canvas.Handle(), c.Text, r, c.Format | DT_CALCRECT);
        EXPECT_EQ(r, c.Result);
        EXPECT_EQ(h, c.Result.Bottom - c.Result.Top);
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
