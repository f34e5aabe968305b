#include "platform/gfx/colors.h"

#include <gtest/gtest.h>

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

TEST(Idents, NamedColoursAndCursorsMapBothWaysAndOthersDoNot) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/idents.txt")) {
        SCOPED_TRACE(c.Where);
        const bool color = c[0] == "color", known = c[1] != "-" && c[2] != "-";
        std::string ident = "unchanged";
        int32_t value = 99;
        const auto given = static_cast<int32_t>(c[1] == "-" ? 0 : c.Int(1));
        EXPECT_EQ(c[1] != "-" && (color ? ColorToIdent : CursorToIdent)(given, ident), known);
        EXPECT_EQ(c[2] != "-" && (color ? IdentToColor : IdentToCursor)(UpperCase(c[2]), value),
                  known);
        EXPECT_EQ(ident, known ? c[2] : "unchanged");
        EXPECT_EQ(value, known ? given : 99);
    }
}

}  // namespace
}  // namespace vex
