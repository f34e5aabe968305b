#include "components/entry/OvcStr.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/casefile.h"

namespace vex {
namespace {

// Text after Change.
template <class F>
std::string After(std::string Text, F Change) {
    Change(Text);
    return Text;
}

TEST(OvcStr, RoutinesFollowTheirTables) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/str.txt")) {
        SCOPED_TRACE(c.Where);
        const std::string& table = c[0];
        size_t found = 99;
        int32_t value = 12345;
        if (table == "long") {
            EXPECT_EQ(StrToLongPChar(c[1], value), c.Int(2) != 0);
            EXPECT_EQ(value, c.Int(3));
        } else if (table == "trim") {
            EXPECT_EQ(After(c[1], TrimTrailPrimPChar) + "|" + After(c[1], TrimSpacesPChar) + "|" +
                          After(c[1], TrimTrailingZerosPChar),
                      c[2] + "|" + c[3] + "|" + c[4]);
        } else if (table == "zeros") {
            EXPECT_EQ(After(c[1], TrimEmbeddedZerosPChar), c[2]);
        } else if (table == "real") {
            EXPECT_EQ(After(c[1], [&](std::string& s) { FixRealPrim(s, c[2][0]); }), c[3]);
        } else if (table == "edit") {
            const size_t pos = c.Int(1) < 0 ? SIZE_MAX : static_cast<size_t>(c.Int(1));
            EXPECT_EQ(After("abcd", [&](std::string& s) { StrChDeletePrim(s, pos); }), c[2]);
            EXPECT_EQ(After("abcd", [&](std::string& s) { StrChInsertPrim(s, '_', pos); }), c[3]);
            EXPECT_EQ(After("abcd", [&](std::string& s) { StrStDeletePrim(s, pos, 2); }), c[4]);
            EXPECT_EQ(After("abcd", [&](std::string& s) { StrStInsertPrim(s, "XY", pos); }), c[5]);
            EXPECT_EQ(After("abcd", [&](std::string& s) { StrInsertChars(s, '-', pos, 2); }), c[6]);
            EXPECT_EQ(StrStCopy("abcd", pos, 2), c[7]);
        } else if (table == "shift") {
            EXPECT_EQ(BMMakeTable(c[1])[static_cast<uint8_t>(c[2][0])], c.Int(3));
        } else if (table == "detab") {
            EXPECT_EQ(DetabPChar(c[1], static_cast<int32_t>(c.Int(2))), c[3]);
        } else {
            ASSERT_EQ(table, "pos");
            const auto at = [&](bool Found) { return Found ? static_cast<int64_t>(found) : -1; };
            EXPECT_EQ(at(StrStPos(c[1], c[2], found)), c.Int(3));
            EXPECT_EQ(c[2].size() == 1 ? at(StrChPos(c[1], c[2][0], found)) : c.Int(3), c.Int(3));
        }
    }
}

TEST(OvcStr, FixedWidthDigitsCaseAndOverlongNumbers) {
    EXPECT_EQ(HexLPChar(0xDEADBEEF) + HexWPChar(0xABC) + OctalLPChar(8),
              "DEADBEEF0ABC000000000010");
    EXPECT_EQ(BinaryLPChar(5), std::string(29, '0') + "101");
    EXPECT_EQ(CharStrPChar('x', 3) + CharStrPChar('x', 0), "xxx");
    EXPECT_EQ(std::string({UpCaseChar('\xe9'), LoCaseChar('\x8a'), LoCaseChar('1')}),
              "\xc9\x9a"
              "1");
    EXPECT_EQ(After("abcd", [](std::string& s) { StrStDeletePrim(s, 1, SIZE_MAX); }) +
                  StrStCopy("abcd", 1, SIZE_MAX),
              "abcd");
    int32_t value = 0;
    EXPECT_TRUE(StrToLongPChar(std::string(254, ' ') + "1", value));
    EXPECT_FALSE(StrToLongPChar(std::string(255, ' ') + "1", value));
    EXPECT_EQ(value, -1);
}

// A pattern longer than the table's 255 counts as 255; an empty table neither hangs nor misses
// a match.
TEST(OvcStrSearch, LongPatternsAndEmptyTables) {
    EXPECT_EQ(BMMakeTable(std::string(300, 'z'))['y'], 255);
    size_t pos = 99;
    EXPECT_TRUE(BMSearch("xxxxabab", TBMTable{}, "bab", pos));
    EXPECT_EQ(pos, 5u);
    EXPECT_FALSE(BMSearchUC("xxxxxxxx", TBMTable{}, "AB", pos));
}

// Boyer-Moore, plain and ignoring case, against a plain search on random text: alphabets from 2
// to 256 letters, patterns from empty to longer than the table's 255, cut from the buffer or made
// up.
TEST(OvcStrSearch, AgreesWithAPlainSearchOnRandomText) {
    std::mt19937 rng(20240611);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto upper = [](std::string s) {
        for (char& c : s)
            c = UpCaseChar(c);
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const int letters = uniform(2, 256);
        const int base = letters == 256 ? 0 : uniform(0, 256 - letters);
        auto randomText = [&](size_t n) {
            std::string s(n, '\0');
            for (char& c : s)
                c = static_cast<char>(base + uniform(0, letters - 1));
            return s;
        };
        const std::string buffer = randomText(uniform(0, 2000));
        const size_t length = uniform(0, 300);
        const std::string pattern = uniform(0, 1) == 0 && buffer.size() >= length
                                        ? buffer.substr(uniform(0, buffer.size() - length), length)
                                        : randomText(length);
        SCOPED_TRACE(testing::Message() << "round " << round << ", alphabet " << letters);
        for (const bool ignoreCase : {false, true}) {
            const std::string p = ignoreCase ? upper(pattern) : pattern;
            const size_t expected =
                p.empty() ? std::string::npos : (ignoreCase ? upper(buffer) : buffer).find(p);
            size_t pos = SIZE_MAX;
            const bool found = ignoreCase ? BMSearchUC(buffer, BMMakeTable(p), p, pos)
                                          : BMSearch(buffer, BMMakeTable(p), p, pos);
            ASSERT_EQ(found ? pos : std::string::npos, expected) << "ignoring case " << ignoreCase;
        }
    }
}

}  // namespace
}  // namespace vex
