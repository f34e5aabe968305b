#include "platform/gfx/drawtext.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/fixedfont.h"

namespace vex {
namespace {

// The built-in font at height 8: cells 4 wide, blocks 6 tall above the baseline, 2 rows of
// descent, the underline on the cell's last row.
class FixedTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bitmap.SetSize(40, 30);
        Canvas().Font().SetName(FixedFontName);
        Canvas().Font().SetHeight(8);
        Canvas().Brush().SetColor(clBlue);
    }
    TCanvas& Canvas() { return Bitmap.Canvas(); }
    // The bitmap's own pixel, whatever the canvas's origin and clip.
    TColor PixelAt(int32_t X, int32_t Y) {
        const uint32_t p = Bitmap.ScanLine(Y)[X];
        return PixelToColor(p);
    }
    void Clear() {
        Canvas().ResetClip();
        Canvas().SetOrigin(Point(0, 0));
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(clWhite);
        Canvas().FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
    }

    // The smallest rectangle holding every pixel of the colour; empty when there is none.
    TRect Bounds(TColor Color) {
        TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < Bitmap.Height(); ++y)
            for (int32_t x = 0; x < Bitmap.Width(); ++x)
                if (PixelAt(x, y) == Color) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r.Left == INT32_MAX ? TRect{} : r;
    }
    // Row Y from X0 to X1 as characters: '#' black, 'b' blue, '.' white.
    std::string Row(int32_t Y, int32_t X0, int32_t X1) {
        std::string row;
        for (int32_t x = X0; x < X1; ++x) {
            const TColor c = PixelAt(x, Y);
            row += c == clBlack ? '#' : c == clBlue ? 'b' : c == clWhite ? '.' : '?';
        }
        return row;
    }

    TBitmap Bitmap;
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
        Canvas().Font().SetHeight(c.Height);
        TTextMetric tm;
        ASSERT_TRUE(GetTextMetrics(Canvas().Handle(), tm));
        EXPECT_EQ(tm.tmHeight, c.Cell);
        EXPECT_EQ(tm.tmAscent, c.Ascent);
        EXPECT_EQ(tm.tmDescent, c.Descent);
        EXPECT_EQ(tm.tmAveCharWidth, c.Width);
        EXPECT_EQ(tm.tmPitchAndFamily & (TMPF_FIXED_PITCH | TMPF_TRUETYPE), 0);
        EXPECT_EQ(Canvas().TextExtent("abc"), (TSize{3 * c.Width, c.Cell}));
    }
}

TEST_F(FixedTextTest, TextOutPlacesTheBoxByTheAlignment) {
    struct Case {
        uint32_t Align;
        TRect Ink;
    };
    for (const Case& c : std::vector<Case>{
             {TA_LEFT | TA_TOP, Rect(10, 10, 18, 16)},
             {TA_RIGHT | TA_TOP, Rect(2, 10, 10, 16)},
             {TA_CENTER | TA_TOP, Rect(6, 10, 14, 16)},
             {TA_LEFT | TA_BOTTOM, Rect(10, 2, 18, 8)},
             {TA_LEFT | TA_BASELINE, Rect(10, 4, 18, 10)},
             {TA_RIGHT | TA_BASELINE, Rect(2, 4, 10, 10)},
         }) {
        SCOPED_TRACE(c.Align);
        Clear();
        Canvas().Brush().SetStyle(bsClear);
        SetTextAlign(Canvas().Handle(), c.Align);
        Canvas().TextOut(10, 10, "ab");
        EXPECT_EQ(Bounds(clBlack), c.Ink);
    }
}

TEST_F(FixedTextTest, SolidBrushPaintsTheCellBoxClearBrushNothing) {
    Canvas().TextOut(2, 3, "a b");
    EXPECT_EQ(Bounds(clBlue), Rect(2, 3, 14, 11));
    EXPECT_EQ(Row(4, 0, 16), "..####bbbb####..");
    EXPECT_EQ(Row(9, 0, 16), "..bbbbbbbbbbbb..");

    Canvas().Brush().SetStyle(bsClear);
    Canvas().TextOut(2, 20, "a b");
    EXPECT_EQ(Row(21, 0, 16), "..####....####..");
    EXPECT_EQ(Row(26, 0, 16), "................");
}

TEST_F(FixedTextTest, TextRectClipsToTheRectangleAndFillsIt) {
    Canvas().TextRect(Rect(12, 10, 16, 20), 10, 10, "ab");
    EXPECT_EQ(Bounds(clBlack), Rect(12, 10, 16, 16));
    EXPECT_EQ(Bounds(clBlue), Rect(12, 16, 16, 20));
    EXPECT_EQ(Row(12, 8, 20), "....####....");
}

TEST_F(FixedTextTest, TextFollowsTheOriginAndTheClip) {
    Canvas().SetOrigin(Point(5, 5));
    Canvas().IntersectClipRect(Rect(0, 0, 6, 30));
    Canvas().Brush().SetStyle(bsClear);
    Canvas().TextOut(0, 0, "abc");
    EXPECT_EQ(Bounds(clBlack), Rect(5, 5, 11, 11));
}

TEST_F(FixedTextTest, UpdateCpStartsAtThePenAndMovesIt) {
    SetTextAlign(Canvas().Handle(), TA_UPDATECP);
    Canvas().MoveTo(3, 4);
    Canvas().TextOut(99, 99, "ab");
    EXPECT_EQ(Canvas().PenPos(), Point(11, 4));
    Canvas().TextOut(99, 99, "c");
    EXPECT_EQ(Canvas().PenPos(), Point(15, 4));
    EXPECT_EQ(Bounds(clBlack), Rect(3, 4, 15, 10));

    SetTextAlign(Canvas().Handle(), TA_UPDATECP | TA_RIGHT);
    Canvas().TextOut(0, 0, "a");
    EXPECT_EQ(Canvas().PenPos(), Point(11, 4));
}

TEST_F(FixedTextTest, UnderlineAndStrikeOutRunUnderTheWholeText) {
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetStyle({fsUnderline});
    Canvas().TextOut(10, 10, "a b");
    EXPECT_EQ(Row(17, 8, 24), "..############..");
    EXPECT_EQ(Row(16, 8, 24), "................");
    Canvas().Font().SetStyle({fsStrikeOut});
    Canvas().TextOut(10, 20, "  ");
    EXPECT_EQ(Row(23, 8, 20), "..########..");
}

TEST_F(FixedTextTest, EscapementTurnsTheTextAboutItsReferencePoint) {
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetOrientation(900);
    Canvas().TextOut(20, 20, "ab");
    // Upwards from the reference point, the blocks' tops facing left.
    EXPECT_EQ(Bounds(clBlack), Rect(20, 12, 26, 20));

    Clear();
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetOrientation(1800);
    Canvas().TextOut(20, 20, "ab");
    // Upside down, leftwards.
    EXPECT_EQ(Bounds(clBlack), Rect(12, 14, 20, 20));
    EXPECT_EQ(Row(14, 10, 22), "..########..");
    EXPECT_EQ(Row(13, 10, 22), "............");
}

TEST_F(FixedTextTest, FontChangesSetTheContextTextColour) {
    Canvas().Font().SetColor(clRed);
    EXPECT_EQ(GetTextColor(Canvas().Handle()), clRed);
    TRect r = Rect(0, 0, 40, 30);
    SetBkMode(Canvas().Handle(), TRANSPARENT);
    DrawText(Canvas().Handle(), "a", r, DT_NOPREFIX);
    EXPECT_EQ(Canvas().Pixels(0, 0), clRed);
    EXPECT_EQ(Canvas().Pixels(0, 7), clWhite);
}

TEST_F(FixedTextTest, ExtTextOutOpaqueFillsTheRectangleInTheBackgroundColour) {
    SetBkColor(Canvas().Handle(), clBlue);
    SetBkMode(Canvas().Handle(), TRANSPARENT);
    const TRect r = Rect(0, 0, 10, 10);
    ExtTextOut(Canvas().Handle(), 2, 2, ETO_OPAQUE | ETO_CLIPPED, &r, "abc");
    EXPECT_EQ(Bounds(clBlue), Rect(0, 0, 10, 10));
    EXPECT_EQ(Bounds(clBlack), Rect(2, 2, 10, 8));
}

class FixedDrawTextTest : public FixedTextTest {
protected:
    void SetUp() override {
        FixedTextTest::SetUp();
        SetBkMode(Canvas().Handle(), TRANSPARENT);
    }
    // Draws into R and returns the ink's bounds.
    TRect Draw(const std::string& Text, TRect R, uint32_t Format, int32_t* Height = nullptr) {
        const int32_t h = DrawText(Canvas().Handle(), Text, R, Format);
        if (Height) *Height = h;
        return Bounds(clBlack);
    }
};

TEST_F(FixedDrawTextTest, AlignsWithinTheRectangle) {
    struct Case {
        uint32_t Format;
        TRect Ink;
    };
    for (const Case& c : std::vector<Case>{
             {DT_LEFT, Rect(0, 0, 8, 6)},
             {DT_CENTER, Rect(16, 0, 24, 6)},
             {DT_RIGHT, Rect(32, 0, 40, 6)},
             {DT_SINGLELINE | DT_VCENTER, Rect(0, 11, 8, 17)},
             {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, Rect(32, 22, 40, 28)},
             // Vertical placement needs a single line, as on the original.
             {DT_VCENTER, Rect(0, 0, 8, 6)},
         }) {
        SCOPED_TRACE(c.Format);
        Clear();
        int32_t height = 0;
        EXPECT_EQ(Draw("ab", Rect(0, 0, 40, 30), c.Format, &height), c.Ink);
        EXPECT_EQ(height, 8);
    }
}

TEST_F(FixedDrawTextTest, CalcRectMeasuresWithoutDrawing) {
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
        const int32_t h = DrawText(Canvas().Handle(), c.Text, r, c.Format | DT_CALCRECT);
        EXPECT_EQ(r, c.Result);
        EXPECT_EQ(h, c.Result.Bottom - c.Result.Top);
    }
    EXPECT_EQ(Bounds(clBlack), TRect{});
}

TEST_F(FixedDrawTextTest, WordBreakPutsWordsOnTheirOwnLines) {
    int32_t height = 0;
    Draw("aa bb cc", Rect(0, 0, 24, 30), DT_WORDBREAK, &height);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(Row(0, 0, 24), "########....########....");
    EXPECT_EQ(Row(8, 0, 24), "########................");
}

TEST_F(FixedDrawTextTest, EndEllipsisCutsTheLineToFit) {
    Draw("ab cdefgh", Rect(0, 0, 20, 30), DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(Row(0, 0, 24), "####################....");
    Draw("ab cdefgh", Rect(0, 10, 20, 30), DT_SINGLELINE);
    EXPECT_EQ(Row(10, 0, 24), "########....########....");
}

TEST_F(FixedDrawTextTest, PrefixUnderlinesTheNextCharacter) {
    Draw("a&bc", Rect(0, 0, 40, 10), 0);
    EXPECT_EQ(Row(7, 0, 16), "....####........");
    EXPECT_EQ(Row(0, 0, 16), "############....");

    Draw("a&&b", Rect(0, 10, 40, 20), 0);
    EXPECT_EQ(Row(10, 0, 16), "############....");
    EXPECT_EQ(Row(17, 0, 16), "................");

    Draw("a&b", Rect(0, 20, 40, 30), DT_NOPREFIX);
    EXPECT_EQ(Row(20, 0, 16), "############....");
    EXPECT_EQ(Row(27, 0, 16), "................");
}

TEST_F(FixedDrawTextTest, ExpandedTabsJumpToEightAverageWidths) {
    Draw("a\tb", Rect(0, 0, 40, 10), DT_EXPANDTABS);
    EXPECT_EQ(Row(0, 0, 40), "####............................####....");
    Draw("a\tb", Rect(0, 10, 40, 20), 0);
    EXPECT_EQ(Row(10, 0, 16), "####....####....");
}

TEST_F(FixedDrawTextTest, ClipsToTheRectangleUnlessNoClip) {
    EXPECT_EQ(Draw("ab", Rect(0, 0, 6, 30), 0), Rect(0, 0, 6, 6));
    EXPECT_EQ(Draw("ab", Rect(0, 10, 6, 30), DT_NOCLIP), Rect(0, 0, 8, 16));
}

TEST_F(FixedDrawTextTest, MarginsAndLengthComeBackThroughTheParameters) {
    TDrawTextParams params;
    params.iLeftMargin = 4;
    params.iRightMargin = 8;
    TRect r = Rect(0, 0, 40, 30);
    DrawTextEx(Canvas().Handle(), "ab", r, DT_RIGHT, &params);
    EXPECT_EQ(Bounds(clBlack), Rect(24, 0, 32, 6));
    EXPECT_EQ(params.uiLengthDrawn, 2u);
}

TEST_F(FixedTextTest, ExtremeAndHugeInputsDrawWhatFitsInLinearTimeAndNeverFail) {
    Canvas().Brush().SetStyle(bsClear);
    for (int32_t v : {INT32_MIN, INT32_MIN + 1, -100000, 100000, INT32_MAX - 1, INT32_MAX}) {
        SCOPED_TRACE(v);
        Canvas().TextOut(v, 5, "abc");
        Canvas().TextOut(5, v, "abc");
        TRect r = Rect(v, v, INT32_MAX, INT32_MAX);
        DrawText(Canvas().Handle(), "a b c", r, DT_WORDBREAK | DT_END_ELLIPSIS);
    }
    Canvas().TextOut(0, 0, "");
    TRect empty{};
    // One word cannot be broken: one line.
    EXPECT_EQ(DrawText(Canvas().Handle(), "abc", empty, DT_WORDBREAK), 8);
    EXPECT_EQ(DrawText(Canvas().Handle(), "a b c", empty, DT_WORDBREAK), 24);
    Canvas().Font().SetHeight(INT32_MIN);
    EXPECT_EQ(Canvas().Font().Height(), -MaxFontHeight);
    Canvas().Font().SetOrientation(450);
    Canvas().TextOut(0, 30, std::string(3000, 'x'));
    EXPECT_NE(Bounds(clBlack), TRect{});
}

TEST_F(FixedTextTest, AMegabyteOfTextTakesLinearTime) {
    const std::string text(1 << 20, 'w');
    std::string words, tabs, prefixed;
    for (int i = 0; i < (1 << 18); ++i) {
        words += "abc ";
        tabs += "a\tb\t";
        prefixed += "&ab ";
    }
    const auto start = std::chrono::steady_clock::now();
    Canvas().TextOut(-1000, 0, text);
    EXPECT_EQ(Canvas().TextWidth(text), 4 << 20);
    TRect r = Rect(0, 0, 40, 30);
    DrawText(Canvas().Handle(), words, r, DT_WORDBREAK);
    DrawText(Canvas().Handle(), text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawText(Canvas().Handle(), tabs, r, DT_SINGLELINE | DT_EXPANDTABS);
    DrawText(Canvas().Handle(), prefixed, r, DT_WORDBREAK);
    TRect calc = Rect(0, 0, 40, 30);
    EXPECT_EQ(DrawText(Canvas().Handle(), words, calc, DT_WORDBREAK | DT_CALCRECT), 8 << 17);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace vex
