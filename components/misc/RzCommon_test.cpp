#include "components/misc/RzCommon.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

// 'W' highlight, 'L' 3-D light, 'S' shadow, 'K' black (button text, dark shadow, window frame),
// 'r' the red square drawn on.
const TPictureLegend& BorderLegend() {
    static const TPictureLegend legend = {
        {'W', 0xFFFFFF}, {'L', 0xC0C0C0}, {'S', 0x808080}, {'K', 0x000000}, {'r', 0xFF0000}};
    return legend;
}

TSides SidesOf(int64_t Bits) {
    TSides sides;
    for (TSide side : {sdLeft, sdTop, sdRight, sdBottom})
        if (Bits & (int64_t{1} << side)) sides.Include(side);
    return sides;
}

// Each recorded line or pixel with the colour it was drawn in, by the system colour's name.
Rows LinesOf(const TCanvasRecorder& Recorder) {
    Rows lines;
    for (const TCanvasCall& call : Recorder.Calls()) {
        std::string name;
        ColorToIdent(call.Name == "SetPixels" ? call.Color : call.PenColor, name);
        lines.push_back(GeometryOf(call) + " " + name);
    }
    return lines;
}

TEST(RzBorder, EachStyleDrawsItsLinesInItsColours) {
    const std::map<std::string, TFrameStyle> styles = {
        {"fsNone", fsNone},     {"fsFlat", fsFlat},         {"fsGroove", fsGroove},
        {"fsBump", fsBump},     {"fsLowered", fsLowered},   {"fsButtonDown", fsButtonDown},
        {"fsRaised", fsRaised}, {"fsButtonUp", fsButtonUp}, {"fsStatus", fsStatus},
        {"fsPopup", fsPopup}};
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/borders.txt")) {
        SCOPED_TRACE(b.Name);
        const Rows& expected = b.Parts.at(0);
        const test::TestCase how = test::CaseOf(b.Parts.at(1).at(0), b.Where);
        TBitmap bitmap;
        PaintPicture(bitmap, Rows(expected.size(), std::string(expected[0].size(), 'r')),
                     BorderLegend());
        const TRect bounds = Rect(0, 0, bitmap.Width(), bitmap.Height());
        TCanvasRecorder recorder;
        EXPECT_EQ(DrawBorder(bitmap.Canvas(), bounds, styles.at(how[0]), SidesOf(how.Int(1))),
                  CaseRect(how, 2));
        EXPECT_EQ(PictureOf(bitmap, BorderLegend()), expected);
        EXPECT_EQ(LinesOf(recorder), b.Parts.size() > 2 ? b.Parts[2] : Rows{});
    }
}

TEST(RzBorder, SidesAndBevelsShrinkTheRectangleByTheLinesTheyDraw) {
    TBitmap bitmap;
    bitmap.SetSize(8, 6);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetWidth(3);
    {
        TCanvasRecorder recorder;
        EXPECT_EQ(DrawSides(canvas, Rect(1, 1, 7, 5), clRed, TSides(), clBlue), Rect(1, 1, 7, 5));
        EXPECT_EQ(DrawBevel(canvas, Rect(1, 1, 7, 5), clRed, clBlue, 0, SidesOf(15)),
                  Rect(1, 1, 7, 5));
        EXPECT_EQ(DrawBevel(canvas, Rect(1, 1, 7, 5), clRed, clBlue, -4, SidesOf(15)),
                  Rect(1, 1, 7, 5));
        EXPECT_TRUE(recorder.Calls().empty());
    }
    EXPECT_EQ(DrawSides(canvas, Rect(1, 1, 7, 5), clRed, SidesOf(15), clBlue), Rect(2, 2, 6, 4));
    EXPECT_EQ(DrawBevel(canvas, Rect(0, 0, 8, 6), clLime, clBlue, 2, SidesOf(1 | 8)),
              Rect(2, 0, 8, 4));
    EXPECT_EQ(canvas.Pen().Width(), 1);
    EXPECT_EQ(PictureOf(bitmap),
              (Rows{"gg......", "ggrrrrb.", "gg....b.", "gg....b.", "gbbbbbbb", "bbbbbbbb"}));
}

// A bevel or border far larger than anything a bitmap holds draws what shows, at once, and
// answers its rectangle without wrapping.
TEST(RzBorder, HugeRectanglesAndWidthsCostOnlyWhatShows) {
    TBitmap bitmap;
    bitmap.SetSize(6, 4);
    TCanvas& canvas = bitmap.Canvas();
    const TRect huge = Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(DrawBevel(canvas, huge, clRed, clBlue, INT32_MAX, SidesOf(15)), Rect(-1, -1, 0, 0));
    // Its middle is all lower-right lines, the innermost ones.
    EXPECT_EQ(PictureOf(bitmap), Rows(4, "bbbbbb"));
    EXPECT_EQ(DrawBevel(canvas, Rect(2, 0, 4, 4), clLime, clRed, INT32_MAX, SidesOf(1)),
              Rect(INT32_MAX, 0, 4, 4));
    EXPECT_EQ(PictureOf(bitmap), Rows(4, "bbggbb"));
    for (TFrameStyle style : {fsFlat, fsGroove, fsBump, fsRaised, fsButtonUp})
        EXPECT_EQ(DrawBorder(canvas, huge, style, SidesOf(15)).Left,
                  INT32_MIN + 1 + (style >= fsGroove));
    EXPECT_EQ(DrawBorder(canvas, Rect(3, 3, 3, 9), fsGroove, SidesOf(15)), Rect(5, 5, 1, 7));
    EXPECT_EQ(DrawBorder(canvas, Rect(0, 0, 6, 4), static_cast<TFrameStyle>(99), SidesOf(15)),
              Rect(0, 0, 6, 4));
}

TEST(RzRotatedFont, TakesTheFontsLooksAndTheAngleInTenths) {
    TFont font;
    font.SetName("Times New Roman");
    font.SetHeight(-17);
    font.SetCharset(SYMBOL_CHARSET);
    for (const auto& [style, pitch, angle, escapement, weight, pitchBits] :
         std::vector<std::tuple<TFontStyles, TFontPitch, int32_t, int32_t, int32_t, uint8_t>>{
             {{}, fpDefault, 90, 900, FW_NORMAL, DEFAULT_PITCH},
             {{fsBold, fsItalic}, fpVariable, 0, 0, FW_BOLD, VARIABLE_PITCH},
             {{fsUnderline, fsStrikeOut}, fpFixed, -45, -450, FW_NORMAL, FIXED_PITCH},
             {{}, fpDefault, 450, 900, FW_NORMAL, DEFAULT_PITCH},
             {{}, fpDefault, INT32_MIN, -1280, FW_NORMAL, DEFAULT_PITCH}}) {
        SCOPED_TRACE(angle);
        font.SetStyle(style);
        font.SetPitch(pitch);
        const HFONT handle = CreateRotatedFont(font, angle);
        TLogFont lf;
        GetObject(handle, lf);
        DeleteObject(handle);
        TLogFont want;
        want.lfHeight = -17;
        want.lfEscapement = escapement;
        want.lfWeight = weight;
        want.lfItalic = style.Contains(fsItalic);
        want.lfUnderline = style.Contains(fsUnderline);
        want.lfStrikeOut = style.Contains(fsStrikeOut);
        want.lfCharSet = DEFAULT_CHARSET;
        want.lfPitchAndFamily = pitchBits;
        want.lfFaceName = "Times New Roman";
        EXPECT_TRUE(lf == want);
    }
}

}  // namespace
}  // namespace vex
