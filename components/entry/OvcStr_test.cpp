#include "components/entry/OvcStr.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/casefile.h"

namespace vex {
namespace {

// The cases of one table of testdata/str.txt.
std::vector<test::TestCase> Cases(const std::string& Table) {
    return test::ReadCases(VEX_TEST_DIR "/testdata/str.txt", Table);
}

TEST(OvcStr, DigitStringsHaveFixedWidthsAndNumbersReadPointAtTheFault) {
    EXPECT_EQ(HexLPChar(0xDEADBEEF) + HexWPChar(0xABC) + OctalLPChar(8),
              "DEADBEEF0ABC000000000010");
    EXPECT_EQ(BinaryLPChar(5), std::string(29, '0') + "101");
    EXPECT_EQ(CharStrPChar('x', 3) + CharStrPChar('x', 0), "xxx");
    for (const test::TestCase& c : Cases("long")) {
        SCOPED_TRACE(c.Where);
        int32_t value = 12345;
        EXPECT_EQ(StrToLongPChar(c[0], value), c.Int(1) != 0);
        EXPECT_EQ(value, c.Int(2));
    }
    int32_t value = 0;
    EXPECT_TRUE(StrToLongPChar(std::string(254, ' ') + "1", value));
    EXPECT_FALSE(StrToLongPChar(std::string(255, ' ') + "1", value));
    EXPECT_EQ(value, -1);
}

TEST(OvcStr, TextRoutinesFollowTheirTables) {
    for (const test::TestCase& c : Cases("trim")) {
        SCOPED_TRACE(c.Where);
        std::string a = c[0], b = c[0], z = c[0];
        TrimTrailPrimPChar(a);
        TrimSpacesPChar(b);
        TrimTrailingZerosPChar(z);
        EXPECT_EQ(a + "|" + b + "|" + z, c[1] + "|" + c[2] + "|" + c[3]);
    }
    for (const test::TestCase& c : Cases("zeros")) {
        SCOPED_TRACE(c.Where);
        std::string s = c[0];
        TrimEmbeddedZerosPChar(s);
        EXPECT_EQ(s, c[1]);
    }
    for (const test::TestCase& c : Cases("real")) {
        SCOPED_TRACE(c.Where);
        std::string s = c[0];
        FixRealPrim(s, c[1][0]);
        EXPECT_EQ(s, c[2]);
    }
    // Every position routine at the first position, the last, the end and beyond it.
    for (const test::TestCase& c : Cases("edit")) {
        SCOPED_TRACE(c.Where);
        const size_t pos = c.Int(0) < 0 ? SIZE_MAX : static_cast<size_t>(c.Int(0));
        std::string a = "abcd", b = "abcd", d = "abcd", e = "abcd", f = "abcd";
        StrChDeletePrim(a, pos);
        StrChInsertPrim(b, '_', pos);
        StrStDeletePrim(d, pos, 2);
        StrStInsertPrim(e, "XY", pos);
        StrInsertChars(f, '-', pos, 2);
        EXPECT_EQ(a + "|" + b + "|" + d + "|" + e + "|" + f + "|" + StrStCopy("abcd", pos, 2),
                  c[1] + "|" + c[2] + "|" + c[3] + "|" + c[4] + "|" + c[5] + "|" + c[6]);
    }
    std::string s = "abcd";
    StrStDeletePrim(s, 1, SIZE_MAX);
    EXPECT_EQ(s + StrStCopy("abcd", 1, SIZE_MAX), "abcd");
    for (const test::TestCase& c : Cases("detab")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(DetabPChar(c[0], static_cast<int32_t>(c.Int(1))), c[2]);
    }
    for (const test::TestCase& c : Cases("pos")) {
        SCOPED_TRACE(c.Where);
        size_t pos = 99;
        const auto found = [&](bool Found) { return Found ? static_cast<int64_t>(pos) : -1; };
        EXPECT_EQ(found(StrStPos(c[0], c[1], pos)), c.Int(2));
        EXPECT_EQ(c[1].size() == 1 ? found(StrChPos(c[0], c[1][0], pos)) : c.Int(2), c.Int(2));
    }
    EXPECT_EQ(std::string({UpCaseChar('\xe9'), LoCaseChar('\x8a'), LoCaseChar('1')}),
              "\xc9\x9a"
              "1");
}

TEST(OvcStrSearch, TableShiftsByTheLastEarlierOccurrence) {
    const TBMTable table = BMMakeTable("abcab");
    EXPECT_EQ(std::to_string(table['a']) + std::to_string(table['b']) + std::to_string(table['c']) +
                  std::to_string(table['x']),
              "1325");
    EXPECT_EQ(BMMakeTable("")['x'], 0);
    EXPECT_EQ(BMMakeTable(std::string(300, 'z'))['y'], 255);
    // An empty table neither hangs nor misses a match.
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
