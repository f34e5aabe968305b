#include "platform/gfx/rasterops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/icon.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

TEST(RasterOps, EveryNamedOperationFollowsItsTruthTable) {
    // Column k holds P = bit 2, S = bit 1, D = bit 0 of k, white for 1; the result in column k is
    // bit k of the table, which is the third byte of the operation's code.
    TBitmap pattern, source, dest;
    PaintPicture(pattern, {"kkkk...."});
    PaintPicture(source, {"kk..kk.."});
    for (TCopyMode rop :
         {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE, MERGECOPY,
          MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, ROP_DSPDxax}) {
        SCOPED_TRACE(rop);
        PaintPicture(dest, {"k.k.k.k."});
        dest.Canvas().Brush().SetBitmap(&pattern);
        ASSERT_TRUE(
            BitBlt(dest.Canvas().Handle(), 0, 0, 8, 1, source.Canvas().Handle(), 0, 0, rop));
        std::string expected;
        for (int k = 0; k < 8; ++k)
            expected += (rop >> 16) & (1 << k) ? '.' : 'k';
        EXPECT_EQ(PictureOf(dest), Rows{expected});
    }
}

TEST(RasterOps, OperationsWithoutASourceNeedNone) {
    TBitmap dest;
    PaintPicture(dest, {"k.r"});
    dest.Canvas().Brush().SetColor(clBlue);
    EXPECT_TRUE(PatBlt(dest.Canvas().Handle(), 0, 0, 1, 1, PATCOPY));
    EXPECT_TRUE(PatBlt(dest.Canvas().Handle(), 1, 0, 2, 1, DSTINVERT));
    EXPECT_EQ(PictureOf(dest), Rows{"bk?"});
    EXPECT_FALSE(PatBlt(dest.Canvas().Handle(), 0, 0, 1, 1, SRCCOPY));
    EXPECT_FALSE(BitBlt(dest.Canvas().Handle(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 1, 1, PATCOPY));
}

TEST(RasterOps, StretchScalesByTheNearestPixelAndOppositeSignsMirror) {
    const struct {
        TRect To, From;  // as origin and signed extent
        Rows Expected;
    } cases[] = {
        {{0, 0, 4, 2}, {0, 0, 2, 2}, {"rrbb", "ggkk", "...."}},
        {{0, 2, 1, 1}, {0, 0, 2, 2}, {"....", "....", "k..."}},
        {{3, 0, -4, 1}, {0, 0, 2, 1}, {"bbrr", "....", "...."}},
        {{0, 1, 2, 2}, {0, 1, 2, -2}, {"....", "gk..", "rb.."}},
        {{1, 0, -2, 1}, {1, 0, -2, 1}, {"rb..", "....", "...."}},  // both negative: not mirrored
        {{0, 0, 4, 1}, {-1, 0, 4, 1}, {".rb.", "....", "...."}},   // outside the source: left be
    };
    TBitmap source, dest;
    PaintPicture(source, {"rb", "gk"});
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.To.Left << "," << c.To.Top);
        PaintPicture(dest, {"....", "....", "...."});
        EXPECT_TRUE(StretchBlt(dest.Canvas().Handle(), c.To.Left, c.To.Top, c.To.Right, c.To.Bottom,
                               source.Canvas().Handle(), c.From.Left, c.From.Top, c.From.Right,
                               c.From.Bottom, SRCCOPY));
        EXPECT_EQ(PictureOf(dest), c.Expected);
    }

    // Extreme coordinates write only inside (the sanitizers watch).
    const HDC to = dest.Canvas().Handle(), from = source.Canvas().Handle();
    EXPECT_TRUE(
        StretchBlt(to, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, from, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(to, INT32_MAX, 0, INT32_MIN, 3, from, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(
        StretchBlt(to, 0, 0, 4, 3, from, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, SRCCOPY));
    EXPECT_TRUE(StretchBlt(to, 0, 0, 0, 3, from, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(to, 0, 0, 4, 3, from, 0, 0, 0, 2, SRCCOPY));
    TBitmap empty;
    EXPECT_TRUE(BitBlt(to, 0, 0, 4, 3, empty.Canvas().Handle(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(empty.Canvas().Handle(), 0, 0, 4, 3, to, 0, 0, SRCCOPY));
}

TEST(RasterOps, OverlappingCopyOnOneCanvasReadsBeforeWriting) {
    TBitmap b;
    PaintPicture(b, {"rbgk."});
    BitBlt(b.Canvas().Handle(), 1, 0, 4, 1, b.Canvas().Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(PictureOf(b), Rows{"rrbgk"});
    BitBlt(b.Canvas().Handle(), 0, 0, 4, 1, b.Canvas().Handle(), 1, 0, SRCCOPY);
    EXPECT_EQ(PictureOf(b), Rows{"rbgkk"});
}

TEST(Monochrome, ColourBecomesWhiteForTheBackgroundAndBlackOtherwise) {
    TBitmap b;
    PaintPicture(b, {"r.g", "b.k"});
    b.Canvas().SetBkColor(clRed);
    b.SetMonochrome(true);
    EXPECT_EQ(PictureOf(b), (Rows{".kk", "kkk"}));

    TBitmap colour, mono;
    PaintPicture(colour, {"rgr"});
    PaintPicture(mono, {"kkk"});
    mono.SetMonochrome(true);
    SetBkColor(colour.Canvas().Handle(), clLime);
    BitBlt(mono.Canvas().Handle(), 0, 0, 3, 1, colour.Canvas().Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(PictureOf(mono), Rows{"k.k"});

    // And back: black takes the destination's text colour, white its background colour.
    PaintPicture(colour, {"..."});
    SetTextColor(colour.Canvas().Handle(), clBlue);
    SetBkColor(colour.Canvas().Handle(), clRed);
    BitBlt(colour.Canvas().Handle(), 0, 0, 3, 1, mono.Canvas().Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(PictureOf(colour), Rows{"brb"});
}

TEST(BrushPattern, TilesFromTheBitmapOriginNotTheShape) {
    TBitmap pattern, b;
    PaintPicture(pattern, {"rb", "br"});
    PaintPicture(b, {".....", ".....", "....."});
    b.Canvas().Brush().SetBitmap(&pattern);
    b.Canvas().SetOrigin(Point(1, 0));
    b.Canvas().FillRect(Rect(0, 1, 3, 3));
    EXPECT_EQ(PictureOf(b), (Rows{".....", ".rbr.", ".brb."}));
    b.Canvas().Brush().SetBitmap(nullptr);
    b.Canvas().Brush().SetColor(clLime);
    b.Canvas().FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(PictureOf(b)[0], ".g...");
}

TEST(CanvasDraw, TransparentBitmapLeavesItsTransparentColourOut) {
    TBitmap picture, b;
    PaintPicture(picture, {"rg", "gb"});
    PaintPicture(b, {"kkk", "kkk"});
    picture.SetTransparent(true);
    picture.SetTransparentColor(clLime);
    b.Canvas().SetCopyMode(SRCINVERT);  // ignored for a transparent bitmap
    b.Canvas().Draw(1, 0, picture);
    EXPECT_EQ(PictureOf(b), (Rows{"krk", "kkb"}));
    picture.SetTransparent(false);
    b.Canvas().SetCopyMode(SRCCOPY);
    b.Canvas().StretchDraw(Rect(0, 0, 1, 2), picture);
    EXPECT_EQ(PictureOf(b), (Rows{"grk", "bkb"}));  // column 1 lies under the centre
}

TEST(CanvasDraw, CopyRectUsesTheCopyModeAndBrushCopyGivesTheKeyColourTheBrush) {
    TBitmap src, b;
    PaintPicture(src, {"k.r"});
    PaintPicture(b, {"rrk"});
    b.Canvas().SetCopyMode(SRCPAINT);
    b.Canvas().CopyRect(Rect(0, 0, 2, 1), src.Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(PictureOf(b), Rows{"r.k"});
    b.Canvas().Brush().SetColor(clBlue);
    b.Canvas().BrushCopy(Rect(0, 0, 3, 1), src, Rect(0, 0, 3, 1), clRed);
    EXPECT_EQ(PictureOf(b), Rows{"k.b"});
}

TEST(Icon, AlphaBelowHalfIsLeftOutWhenDrawn) {
    // Opaque red, green at alpha 0x7F, blue at alpha 0x80, transparent black.
    TIcon icon;
    icon.LoadFromFile(VEX_TEST_DIR "/testdata/alpha_2x2.png");
    EXPECT_EQ(icon.Width(), 2);
    EXPECT_EQ(icon.Height(), 2);
    TBitmap b;
    PaintPicture(b, {"kk", "kk"});
    b.Canvas().Draw(0, 0, icon);
    EXPECT_EQ(PictureOf(b), (Rows{"rk", "bk"}));

    EXPECT_THROW(icon.LoadFromFile(VEX_TEST_DIR "/testdata/edges.txt"), EInvalidGraphic);  // text
    EXPECT_EQ(icon.Width(), 2);
}

TEST(ResourceBitmap, LoadsByNameAndRefusesAnUnknownOne) {
    TBitmap b;
    b.LoadFromResourceName("testarrow");
    EXPECT_EQ(b.Width(), 8);
    EXPECT_EQ(b.Height(), 8);
    EXPECT_EQ(b.Canvas().Pixels(1, 3), clBlack);
    EXPECT_EQ(b.Canvas().Pixels(0, 0), clWhite);
    EXPECT_THROW(b.LoadFromResourceName("NoSuchGlyph"), EResNotFound);
    EXPECT_EQ(b.Width(), 8);
}

}  // namespace
}  // namespace vex
