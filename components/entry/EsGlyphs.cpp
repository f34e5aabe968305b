#include "components/entry/EsGlyphs.h"

#include <array>
#include <string_view>

#include "platform/gfx/canvas.h"
#include "platform/gfx/colors.h"

namespace vex {

namespace {

struct TGlyphArt {
    std::string_view Name;
    std::array<std::string_view, 7> Rows;  // "X" black, anything else the background
};

// Drawn here rather than kept as files: six glyphs of a few pixels each read better as art.
// The bottom-left pixel of each is background, which a button takes as transparent.
constexpr std::array<TGlyphArt, 6> kGlyphs{{
    {"ESLEFTARROW", {"...X", "..XX", ".XXX", "XXXX", ".XXX", "..XX", "...X"}},
    {"ESRIGHTARROW", {".X...", ".XX..", ".XXX.", ".XXXX", ".XXX.", ".XX..", ".X..."}},
    {"ESLEFTARROWS",
     {"...X...X", "..XX..XX", ".XXX.XXX", "XXXXXXXX", ".XXX.XXX", "..XX..XX", "...X...X"}},
    {"ESRIGHTARROWS",
     {".X...X...", ".XX..XX..", ".XXX.XXX.", ".XXXXXXXX", ".XXX.XXX.", ".XX..XX..", ".X...X..."}},
    {"ESTODAY", {"..XXX..", ".XXXXX.", "XXXXXXX", "XXXXXXX", "XXXXXXX", ".XXXXX.", "..XXX.."}},
    {"ESSMALLDOWNARROW", {"XXXXXXX.", ".XXXXX..", "..XXX...", "...X....", "........"}},
}};

}  // namespace

void LoadEsGlyph(TBitmap& Bitmap, const std::string& Name) {
    for (const TGlyphArt& glyph : kGlyphs) {
        if (glyph.Name != Name) continue;
        int32_t height = 0;
        while (height < 7 && !glyph.Rows[height].empty())
            ++height;
        const auto width = static_cast<int32_t>(glyph.Rows[0].size());
        Bitmap.SetSize(width, height);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                Bitmap.Canvas().SetPixels(x, y, glyph.Rows[y][x] == 'X' ? clBlack : clOlive);
        return;
    }
    throw EResNotFound("Resource " + Name + " not found");
}

}  // namespace vex
