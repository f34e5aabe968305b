#include "platform/gfx/colors.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "platform/core/stringutils.h"
#include "platform/gfx/cursors.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(Colors, SystemColoursResolveThroughTheClassicSchemeAndOthersPassUnchanged) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/colors.txt")) {
        TColor color;
        if (!IdentToColor(c[0], color)) color = static_cast<TColor>(c.Int(0));
        EXPECT_EQ(ColorToRGB(color), c.Int(1)) << c.Where;
    }
}

// Colours and cursors share one kind of identifier map, the one forms are written and read with:
// each known value maps to its identifier and back in any case, and anything else leaves the
// output alone.
void ExpectIdentMap(bool (*ToIdent)(int32_t, std::string&),
                    bool (*FromIdent)(const std::string&, int32_t&),
                    std::span<const std::pair<int32_t, std::string>> Known,
                    const std::vector<int32_t>& UnknownValues,
                    const std::vector<std::string>& UnknownIdents) {
    for (const auto& [value, name] : Known) {
        SCOPED_TRACE(name);
        std::string ident;
        int32_t back = 99;
        EXPECT_TRUE(ToIdent(value, ident));
        EXPECT_EQ(ident, name);
        EXPECT_TRUE(FromIdent(UpperCase(name), back));
        EXPECT_EQ(back, value);
    }
    std::string ident = "unchanged";
    int32_t value = 99;
    for (int32_t unknown : UnknownValues)
        EXPECT_FALSE(ToIdent(unknown, ident)) << unknown;
    for (const std::string& unknown : UnknownIdents)
        EXPECT_FALSE(FromIdent(unknown, value)) << unknown;
    EXPECT_EQ(ident, "unchanged");
    EXPECT_EQ(value, 99);
}

TEST(Idents, NamedColoursAndCursorsMapBothWaysAndOthersDoNot) {
    const std::pair<int32_t, std::string> colors[] = {
        {clBlack, "clBlack"}, {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"}};
    ExpectIdentMap(ColorToIdent, IdentToColor, colors, {0x123456, SystemColor(25)}, {"Black"});
    const std::pair<int32_t, std::string> cursors[] = {
        {0, "crDefault"}, {-1, "crNone"}, {-11, "crHourGlass"}, {-22, "crSizeAll"}};
    ExpectIdentMap(CursorToIdent, IdentToCursor, cursors, {-5, 1}, {"crSize", ""});
}

}  // namespace
}  // namespace vex
