#include "components/misc/ExplBtnBitmaps.h"

#include <gtest/gtest.h>

#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

// Face (grey), highlight (white), shadow (grey 128) and black, as the legend of the dimmed and
// disabled pictures; the source pictures use their own colours.
const TPictureLegend& FaceLegend() {
    static const TPictureLegend legend = {{'f', ColorToPixel(clBtnFace)},
                                          {'h', ColorToPixel(clBtnHighlight)},
                                          {'s', ColorToPixel(clBtnShadow)},
                                          {'k', 0x000000},
                                          {'g', 0x00FF00}};
    return legend;
}

// A pixel whose red, green and blue sum to Sum, spread over the three.
uint32_t PixelOfSum(int Sum) {
    const int r = std::min(Sum, 255), g = std::min(Sum - r, 255), b = Sum - r - g;
    return static_cast<uint32_t>(r << 16 | g << 8 | b);
}

// The colour each sum of red, green and blue becomes, just above and at each threshold.
TEST(ExplorerButtonBitmaps, DimmingSortsEachPixelByItsBrightness) {
    const struct {
        TExplorerButtonShadingType Shading;
        int Sum;
        uint32_t Dimmed;
    } cases[] = {
        {stLight, 206, 0xFFFFFF},
        {stLight, 205, ColorToPixel(clBtnHighlight)},
        {stLight, 128, ColorToPixel(clBtnHighlight)},
        {stLight, 127, ColorToPixel(clBtnShadow)},
        {stLight, 69, ColorToPixel(clBtnShadow)},
        {stLight, 68, 0},
        {stMedium, 554, 0xFFFFFF},
        {stMedium, 553, ColorToPixel(clBtnHighlight)},
        {stMedium, 231, ColorToPixel(clBtnShadow)},
        {stMedium, 58, ColorToPixel(clBtnShadow)},
        {stMedium, 57, 0},
        {stDark, 336, 0xFFFFFF},
        {stDark, 335, ColorToPixel(clBtnHighlight)},
        {stDark, 274, ColorToPixel(clBtnShadow)},
        {stDark, 175, 0},
        {stDark, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Shading << " sum " << c.Sum);
        TBitmap source, dimmed;
        source.SetSize(2, 1);
        source.ScanLine(0)[0] = 0x00FF00;  // the background, left as it is
        source.ScanLine(0)[1] = PixelOfSum(c.Sum);
        MakeDimmedBitmap(source, c.Shading, dimmed);
        EXPECT_EQ(dimmed.ScanLine(0)[0] & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(dimmed.ScanLine(0)[1] & 0xFFFFFF, c.Dimmed);
    }
    TBitmap empty, dimmed;
    MakeDimmedBitmap(empty, stDark, dimmed);
    EXPECT_TRUE(dimmed.Empty());
}

TEST(ExplorerButtonBitmaps, SizeClassesShowTheTopLeftCornerOrItDoubled) {
    TBitmap bitmap;
    bitmap.SetSize(20, 18);
    for (int32_t y = 0; y < 18; ++y)
        for (int32_t x = 0; x < 20; ++x)
            bitmap.ScanLine(y)[x] = x >= 16 || y >= 16 ? 0x0000FF : (x + y) % 2 ? 0 : 0xFF0000;
    bitmap.ScanLine(0)[0] = 0x00FF00;  // the background
    const struct {
        TExplorerButtonButtonSize Size;
        TSize Shown;
        int32_t Scale;
    } cases[] = {{bsCustom, {20, 18}, 1}, {bsSmall, {16, 16}, 1}, {bsLarge, {32, 32}, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Size);
        EXPECT_EQ(ShownBitmapSize(bitmap, c.Size), c.Shown);
        TBitmap face;
        face.SetSize(40, 40);
        face.Canvas().Brush().SetColor(clWhite);
        face.Canvas().FillRect(Rect(0, 0, 40, 40));
        DrawFaceBitmap(face.Canvas(), 2, 3, bitmap, c.Size);
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 40; ++x) {
                const int32_t bx = (x - 2) / c.Scale, by = (y - 3) / c.Scale;
                const bool inside = x >= 2 && y >= 3 && x - 2 < c.Shown.cx && y - 3 < c.Shown.cy;
                uint32_t want = 0xFFFFFF;
                if (inside && !(bx == 0 && by == 0)) want = bitmap.ScanLine(by)[bx] & 0xFFFFFF;
                ASSERT_EQ(face.ScanLine(y)[x] & 0xFFFFFF, want) << x << "," << y;
            }
    }
    EXPECT_EQ(ShownBitmapSize(TBitmap(), bsLarge), (TSize{0, 0}));
}

TEST(ExplorerButtonBitmaps, ADisabledBitmapIsAnEmbossedSilhouette) {
    TBitmap bitmap, face;
    PaintPicture(bitmap, {"gggg",  //
                          "gkrg", "g..g", "gggg"});
    face.SetSize(6, 6);
    face.Canvas().Brush().SetColor(clBtnFace);
    face.Canvas().FillRect(Rect(0, 0, 6, 6));
    DrawDisabledBitmap(face.Canvas(), 1, 1, bitmap, bsCustom);
    EXPECT_EQ(PictureOf(face, FaceLegend()),
              (TPictureRows{"ffffff",  //
                            "ffffff", "ffssff", "fffhhf", "ffffff", "ffffff"}));
}

}  // namespace
}  // namespace vex
