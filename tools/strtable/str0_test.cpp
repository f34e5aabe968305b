#include "tools/strtable/str0.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/rescomp/resourceerror.h"

namespace vex::strtable {
namespace {

uint32_t Uint32At(const std::string& Data, size_t Offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(Data.at(Offset + i))) << (8 * i);
    return value;
}

TEST(BuildStr0, LaysOutSortedEntriesFollowedByTheirTexts) {
    const std::string table = BuildStr0({{5, u"xy", 1}, {-1, u"\u20AC", 2}, {3, u"", 3}}, "t.txt");
    ASSERT_EQ(table.size(), 8u + 3 * 12 + 2 * 3);
    EXPECT_EQ(table.substr(0, 4), "STR0");
    EXPECT_EQ(Uint32At(table, 4), 3u);
    // -1 sorts first: ids compare as signed.
    EXPECT_EQ(Uint32At(table, 8), 0xFFFFFFFFu);
    EXPECT_EQ(Uint32At(table, 12), 44u);
    EXPECT_EQ(Uint32At(table, 16), 1u);
    EXPECT_EQ(Uint32At(table, 20), 3u);
    EXPECT_EQ(Uint32At(table, 24), 46u);
    EXPECT_EQ(Uint32At(table, 28), 0u);
    EXPECT_EQ(Uint32At(table, 32), 5u);
    EXPECT_EQ(Uint32At(table, 36), 46u);
    EXPECT_EQ(Uint32At(table, 40), 2u);
    EXPECT_EQ(table.substr(44), std::string("\xAC\x20x\0y\0", 6));
}

TEST(BuildStr0, AnEmptyTableIsJustTheHeader) {
    EXPECT_EQ(BuildStr0({}, "t.txt"), std::string("STR0\0\0\0\0", 8));
}

TEST(BuildStr0, RefusesAnIdGivenTwice) {
    try {
        BuildStr0({{2, u"a", 4}, {2, u"b", 9}}, "t.txt");
        ADD_FAILURE() << "no error";
    } catch (const rescomp::ResourceError& e) {
        EXPECT_EQ(std::string(e.what()), "t.txt:9: string number 2 is given twice");
    }
}

}  // namespace
}  // namespace vex::strtable
