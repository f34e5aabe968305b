#include "dataaware/data/Wwstr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/strings.txt";

TEST(WwGetToken, TokensFollowEachOtherUntilThePositionIsMinusOne) {
    for (const test::TestCase& c : test::ReadCases(Cases, "token")) {
        SCOPED_TRACE(c.Where);
        int32_t pos = static_cast<int32_t>(c.Int(2));
        for (size_t i = 3; i + 1 < c.size(); i += 2) {
            std::string token = "stale";
            wwGetToken(c[0], c[1], pos, token);
            EXPECT_EQ(token, c[i]);
            EXPECT_EQ(pos, c.Int(i + 1));
        }
    }
}

TEST(WwSplit, PiecesBetweenDelimitersReplaceTheList) {
    TStringList list;
    for (const test::TestCase& c : test::ReadCases(Cases, "split")) {
        SCOPED_TRACE(c.Where);
        list.Add("left over");
        wwSplit(c[0], c[1], list);
        std::vector<std::string> pieces;
        for (int32_t i = 0; i < list.Count(); ++i)
            pieces.push_back(list[i]);
        EXPECT_EQ(pieces, std::vector<std::string>(c.Fields.begin() + 2, c.Fields.end()));
    }
}

TEST(WwStr, SmallRoutinesFollowTheirTables) {
    for (const test::TestCase& c : test::ReadCases(Cases)) {
        SCOPED_TRACE(c.Where);
        std::string result = "stale";
        if (c[0] == "strip") {
            TwwCharSet chars;
            for (char ch : c[2])
                chars.set(static_cast<unsigned char>(ch));
            result = c[1];
            wwStripTrailing(result, chars);
            EXPECT_EQ(result, c[3]);
        } else if (c[0] == "replace") {
            wwReplaceChar(c[1], c[2][0], c[3][0], result);
            EXPECT_EQ(result, c[4]);
        } else if (c[0] == "count") {
            EXPECT_EQ(wwCountChar(c[1], c[2][0]), c.Int(3));
            wwTextAfter(c[1], c[2][0], result);
            EXPECT_EQ(result, c[4]);
        }
    }
}

TEST(WwEqualText, OnlyAToZFoldCase) {
    EXPECT_TRUE(wwEqualText("Combo", "COMBO"));
    EXPECT_TRUE(wwEqualText("", ""));
    EXPECT_FALSE(wwEqualText("Combo", "Combos"));
    EXPECT_FALSE(wwEqualText("\xe9", "\xc9"));
}

}  // namespace
}  // namespace vex
