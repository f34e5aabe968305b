#include "tools/strtable/str0.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rescomp/resourceerror.h"

namespace vex::strtable {
namespace {

uint32_t Uint32At(const std::string& Data, size_t Offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(Data.at(Offset + i))) << (8 * i);
    return value;
}

TEST(BuildStr0, LaysOutSortedEntriesFollowedByTheirTextsAndRefusesARepeatedId) {
    EXPECT_EQ(BuildStr0({}, "t.txt"), std::string("STR0\0\0\0\0", 8));
    const std::string table = BuildStr0({{5, u"xy", 1}, {-1, u"\u20AC", 2}, {3, u"", 3}}, "t.txt");
    ASSERT_EQ(table.size(), 8u + 3 * 12 + 2 * 3);
    EXPECT_EQ(table.substr(0, 4), "STR0");
    std::vector<uint32_t> words;  // the count, then id, offset and length of each entry
    for (size_t offset = 4; offset < 44; offset += 4)
        words.push_back(Uint32At(table, offset));
    // -1 sorts first: ids compare as signed.
    EXPECT_EQ(words, (std::vector<uint32_t>{3, 0xFFFFFFFF, 44, 1, 3, 46, 0, 5, 46, 2}));
    EXPECT_EQ(table.substr(44), std::string("\xAC\x20x\0y\0", 6));
    try {
        BuildStr0({{2, u"a", 4}, {2, u"b", 9}}, "t.txt");
        ADD_FAILURE() << "no error";
    } catch (const rescomp::ResourceError& e) {
        EXPECT_EQ(std::string(e.what()), "t.txt:9: string number 2 is given twice");
    }
}

}  // namespace
}  // namespace vex::strtable
