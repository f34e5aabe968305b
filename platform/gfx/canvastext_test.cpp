#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

std::string PixelDigest(const TBitmap& Bitmap) {
    uint64_t digest = 0xCBF29CE484222325u;
    for (const uint32_t word : PixelsOf(Bitmap))
        for (int shift = 0; shift < 32; shift += 8) {
            digest ^= (word >> shift) & 0xFF;
            digest *= 0x100000001B3u;
        }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(digest));
    return hex;
}

TRect RectField(const std::string& Field) {
    TRect r{};
    char comma;
    std::istringstream(Field) >> r.Left >> comma >> r.Top >> comma >> r.Right >> comma >> r.Bottom;
    return r;
}

// Rectangles apart by ";", "-" for none.
std::vector<TRect> RectsField(const std::string& Field) {
    std::vector<TRect> rects;
    std::istringstream in(Field);
    for (std::string one; Field != "-" && std::getline(in, one, ';');)
        rects.push_back(RectField(one));
    return rects;
}

// Styles apart by "+", "-" for none.
TFontStyles StylesField(const std::string& Field) {
    constexpr std::pair<std::string_view, TFontStyle> kNames[] = {{"bold", fsBold},
                                                                  {"italic", fsItalic},
                                                                  {"underline", fsUnderline},
                                                                  {"strikeout", fsStrikeOut}};
    TFontStyles styles;
    std::istringstream in(Field);
    for (std::string name; Field != "-" && std::getline(in, name, '+');) {
        const auto* named = std::find_if(std::begin(kNames), std::end(kNames),
                                         [&](const auto& Known) { return Known.first == name; });
        if (named == std::end(kNames)) throw std::runtime_error("no font style " + name);
        styles.Include(named->second);
    }
    return styles;
}

// Antialiased glyphs blended over pixels of every colour, cut by the surface's edges, clips and
// origins: how text is drawn may be made faster, but not one byte of what it draws may change.
TEST(CanvasText, AntialiasedTextKeepsEveryPixel) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/textpixels.txt")) {
        SCOPED_TRACE(c.Where);
        TBitmap bitmap;
        bitmap.SetSize(40, 24);
        FillDistinct(bitmap);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Font().SetName("Arial");
        canvas.Font().SetHeight(-static_cast<int32_t>(c.Int(3)));
        canvas.Font().SetColor(static_cast<TColor>(c.Int(4)));
        if (c[5] == "clear") {
            canvas.Brush().SetStyle(bsClear);
        } else {
            canvas.Brush().SetColor(static_cast<TColor>(c.Int(5)));
        }
        canvas.Font().SetStyle(StylesField(c[6]));
        canvas.Font().SetOrientation(static_cast<int32_t>(c.Int(7)));
        canvas.SetTextAlign(static_cast<uint32_t>(c.Int(8)));
        const TRect origin = RectField(c[9] + ",0,0");
        canvas.SetOrigin(Point(origin.Left, origin.Top));
        for (const TRect& r : RectsField(c[11])) {
            if (c[10] == "rect") canvas.IntersectClipRect(r);
            if (c[10] == "hole") canvas.ExcludeClipRect(r);
        }
        canvas.TextOut(static_cast<int32_t>(c.Int(0)), static_cast<int32_t>(c.Int(1)), c[2]);
        EXPECT_EQ(PixelDigest(bitmap), c[12]);
    }
}

}  // namespace
}  // namespace vex
