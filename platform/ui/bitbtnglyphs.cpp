#include <array>
#include <map>

#include "platform/gfx/colors.h"
#include "platform/ui/bitbtn.h"

namespace vex {

namespace {

constexpr int kSide = 12;
using TArt = std::array<const char*, kSide>;

// The glyphs as rows of colour letters; '.' is the transparent background, so every glyph ends
// in a row of it and its bottom-left pixel names that colour.
const std::map<TBitBtnKind, TArt>& Art() {
    static constexpr TArt kCheck = {"............", "..........g.", ".........gg.", "........ggg.",
                                    ".g.....ggg..", ".gg...ggg...", ".ggg.ggg....", "..ggggg.....",
                                    "...ggg......", "....g.......", "............", "............"};
    static const std::map<TBitBtnKind, TArt> art = {
        {bkOK, kCheck},
        {bkYes, kCheck},
        {bkAll,
         {"............", "...........g", "......g...gg", ".....gg..gg.", "g...gg..gg..",
          "gg.gg..gg...", "gggg..gg....", ".ggg.gg.....", "..ggggg.....", "...ggg......",
          "....g.......", "............"}},
        {bkCancel,
         {"............", ".rr......rr.", ".rrr....rrr.", "..rrr..rrr..", "...rrrrrr...",
          "....rrrr....", "....rrrr....", "...rrrrrr...", "..rrr..rrr..", ".rrr....rrr.",
          ".rr......rr.", "............"}},
        {bkNo,
         {"............", "...rrrrrr...", "..rr....rr..", ".rr....rrrr.", ".r....rr..r.",
          ".r...rr...r.", ".r..rr....r.", ".r.rr.....r.", ".rrrr....rr.", "..rr....rr..",
          "...rrrrrr...", "............"}},
        {bkAbort,
         {"............", "...rrrrrr...", "..rrrrrrrr..", ".rrrrrrrrrr.", ".rrrrrrrrrr.",
          ".rwwwwwwwwr.", ".rwwwwwwwwr.", ".rrrrrrrrrr.", ".rrrrrrrrrr.", "..rrrrrrrr..",
          "...rrrrrr...", "............"}},
        {bkHelp,
         {"............", "....bbbb....", "...bb..bb...", "...bb..bb...", ".......bb...",
          "......bb....", ".....bb.....", ".....bb.....", "............", ".....bb.....",
          ".....bb.....", "............"}},
        {bkRetry,
         {"............", "...gggg..g..", "..gg...gggg.", ".gg.....ggg.", ".g.....gggg.",
          ".g..........", ".g..........", ".gg.......g.", "..gg.....gg.", "...gggggg...",
          "............", "............"}},
        {bkIgnore,
         {"............", "...bbbbb....", "..b.....b...", ".b.......b..", ".b......bbb.",
          ".b.......b..", "............", "....kkkk....", "....kkkk....", "....kkkk....",
          "....kkkk....", "............"}},
        {bkClose,
         {"............", "..kkkkkkkk..", "..kyyyyyyk..", "..kyyyyyyk..", "..kyyyyyyk..",
          "..kyyyyyyk..", "..kyyyykyk..", "..kyyyyyyk..", "..kyyyyyyk..", "..kyyyyyyk..",
          "..kkkkkkkk..", "............"}},
    };
    return art;
}

TColor ColorOf(char Letter) {
    switch (Letter) {
        case 'g':
            return clGreen;
        case 'r':
            return clRed;
        case 'b':
            return clNavy;
        case 'k':
            return clBlack;
        case 'y':
            return clOlive;
        case 'w':
            return clWhite;
        default:
            return clFuchsia;
    }
}

}  // namespace

void LoadKindGlyph(TBitBtnKind Kind, TBitmap& Glyph) {
    const auto found = Art().find(Kind);
    if (found == Art().end()) {
        Glyph.SetSize(0, 0);
        return;
    }
    Glyph.SetSize(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            Glyph.ScanLine(y)[x] = ColorToPixel(ColorOf(found->second[y][x]));
}

}  // namespace vex
