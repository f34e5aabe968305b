#include "platform/gfx/cursors.h"

#include <gtest/gtest.h>

#include "platform/core/stringutils.h"

namespace vex {
namespace {

TEST(CursorIdents, StandardCursorsMapBothWaysAndOthersDoNot) {
    const std::pair<int32_t, const char*> known[] = {{0, "crDefault"},     {-1, "crNone"},
                                                     {-2, "crArrow"},      {-4, "crIBeam"},
                                                     {-11, "crHourGlass"}, {-22, "crSizeAll"}};
    for (const auto& [cursor, name] : known) {
        SCOPED_TRACE(name);
        std::string ident;
        ASSERT_TRUE(CursorToIdent(cursor, ident));
        EXPECT_EQ(ident, name);
        int32_t back = 99;
        ASSERT_TRUE(IdentToCursor(UpperCase(name), back));
        EXPECT_EQ(back, cursor);
    }
    std::string ident = "unchanged";
    EXPECT_FALSE(CursorToIdent(-5, ident));
    EXPECT_FALSE(CursorToIdent(1, ident));
    EXPECT_EQ(ident, "unchanged");
    int32_t cursor = 99;
    EXPECT_FALSE(IdentToCursor("crSize", cursor));
    EXPECT_FALSE(IdentToCursor("", cursor));
    EXPECT_EQ(cursor, 99);
}

}  // namespace
}  // namespace vex
