#include "platform/ui/buttonglyph.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/gfx/colors.h"
#include "platform/gfx/gfx_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TButtonLayout LayoutOf(const std::string& Name) {
    static const std::map<std::string, TButtonLayout> names = {{"blGlyphLeft", blGlyphLeft},
                                                               {"blGlyphRight", blGlyphRight},
                                                               {"blGlyphTop", blGlyphTop},
                                                               {"blGlyphBottom", blGlyphBottom}};
    return names.at(Name);
}

TEST(ButtonLayout, PlacesGlyphAndCaptionAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/buttonlayout.txt")) {
        SCOPED_TRACE(c.Where);
        const auto at = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        const TButtonLayoutResult r =
            CalcButtonLayout(Rect(at(0), at(1), at(2), at(3)), TSize{at(4), at(5)},
                             TSize{at(6), at(7)}, LayoutOf(c[8]), at(9), at(10));
        EXPECT_EQ(r.GlyphPos, Point(at(11), at(12)));
        EXPECT_EQ(r.TextBounds, Rect(at(13), at(14), at(13) + at(6), at(14) + at(7)));
    }
}

// A strip of Looks squares of Side, each filled with its own colour but for a background
// pixel at its bottom left.
void Strip(TBitmap& Glyph, int32_t Side, int32_t Looks) {
    Glyph.SetSize(Side * Looks, Side);
    const TColor colours[] = {clRed, clGreen, clBlue, clYellow};
    for (int32_t i = 0; i < Looks; ++i) {
        Glyph.Canvas().Brush().SetColor(colours[i]);
        Glyph.Canvas().FillRect(Rect(i * Side, 0, (i + 1) * Side, Side));
        Glyph.Canvas().SetPixels(i * Side, Side - 1, clFuchsia);
    }
}

TEST(ButtonGlyph, TakesTheNumberOfLooksFromASquareStrip) {
    const struct {
        int32_t Width, Height;
        TNumGlyphs Expected;
    } cases[] = {{16, 16, 1}, {32, 16, 2}, {64, 16, 4}, {80, 16, 1}, {20, 16, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        TBitmap bitmap;
        bitmap.SetSize(c.Width, c.Height);
        TButtonGlyph glyph;
        glyph.SetGlyph(bitmap);
        EXPECT_EQ(glyph.NumGlyphs(), c.Expected);
        EXPECT_EQ(glyph.GlyphSize().cx, c.Width / c.Expected);
    }
    TButtonGlyph glyph;
    for (TNumGlyphs wrong : {0, 5, -1}) {
        glyph.SetNumGlyphs(wrong);
        EXPECT_EQ(glyph.NumGlyphs(), 1) << wrong;
    }
}

// Each state draws its own look, a missing one falls back to the first, the bottom-left
// colour never reaches the canvas, and the made-up disabled look is etched.
TEST(ButtonGlyph, DrawsTheLookOfEachStateWithoutItsTransparentColour) {
    const struct {
        TNumGlyphs Looks;
        TButtonState State;
        TColor Expected;
    } cases[] = {{4, bsUp, clRed},
                 {4, bsDisabled, clGreen},
                 {4, bsDown, clBlue},
                 {4, bsExclusive, clYellow},
                 {2, bsDown, clRed},
                 {1, bsExclusive, clRed},
                 {1, bsDisabled, clBtnShadow}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Looks) + " looks, state " + std::to_string(c.State));
        TBitmap strip;
        Strip(strip, 4, c.Looks);
        TButtonGlyph glyph;
        glyph.SetGlyph(strip);
        glyph.SetMargin(1);
        glyph.SetSpacing(0);
        TBitmap target;
        target.SetSize(6, 6);
        target.Canvas().Brush().SetColor(clWhite);
        target.Canvas().FillRect(Rect(0, 0, 6, 6));
        glyph.Draw(target.Canvas(), Rect(0, 0, 6, 6), Point(0, 0), "", c.State);
        EXPECT_EQ(ColorToRGB(target.Canvas().Pixels(2, 2)), ColorToRGB(c.Expected));
        EXPECT_EQ(target.Canvas().Pixels(1, 4), clWhite);  // the transparent corner
    }
}

}  // namespace
}  // namespace vex
