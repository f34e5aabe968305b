#include "components/entry/OvcStr.h"

#include <gtest/gtest.h>

#include <random>

namespace vex {
namespace {

TEST(OvcStrNumbers, DigitStringsHaveFixedWidthsMostSignificantFirst) {
    EXPECT_EQ(HexLPChar(255), "000000FF");
    EXPECT_EQ(HexLPChar(0xDEADBEEF), "DEADBEEF");
    EXPECT_EQ(HexWPChar(0xABC), "0ABC");
    EXPECT_EQ(OctalLPChar(8), "000000000010");
    EXPECT_EQ(OctalLPChar(0xFFFFFFFF), "037777777777");
    EXPECT_EQ(BinaryLPChar(5), std::string(29, '0') + "101");
    EXPECT_EQ(BinaryLPChar(0x80000000), "1" + std::string(31, '0'));
    EXPECT_EQ(CharStrPChar('x', 3), "xxx");
    EXPECT_EQ(CharStrPChar('x', 0), "");
}

TEST(OvcStrNumbers, StrToLongReadsDecimalAndHexAndPointsAtTheFault) {
    const struct {
        const char* Text;
        bool Ok;
        int32_t Value;
    } cases[] = {{"0x1F", true, 31}, {"$ff", true, 255}, {"42 \t\r\n", true, 42},
                 {"-7", true, -7},   {"12a", false, 2},  {"", false, 0},
                 {"1 2", false, 1},  {"x", false, 0},    {"99999999999", false, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        int32_t value = 12345;
        EXPECT_EQ(StrToLongPChar(c.Text, value), c.Ok);
        EXPECT_EQ(value, c.Value);
    }
    int32_t value = 0;
    EXPECT_TRUE(StrToLongPChar(std::string(254, ' ') + "1", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(StrToLongPChar(std::string(255, ' ') + "1", value));
    EXPECT_EQ(value, -1);
}

TEST(OvcStrText, DetabFillsToTheNextTabStop) {
    EXPECT_EQ(DetabPChar("a\tb", 4), "a   b");
    EXPECT_EQ(DetabPChar("abcd\tb", 4), "abcd    b");
    EXPECT_EQ(DetabPChar("\t\t", 3), "      ");
    EXPECT_EQ(DetabPChar("a\tb", 1), "a b");
    EXPECT_EQ(DetabPChar("a\tb", 0), "");
    EXPECT_EQ(DetabPChar(std::string("a\0\tb", 4), 8), std::string("a\0      b", 9));
}

TEST(OvcStrText, CaseFollowsTheWindows1252Letters) {
    EXPECT_EQ(UpCaseChar('a'), 'A');
    EXPECT_EQ(UpCaseChar('\xe9'), '\xc9');
    EXPECT_EQ(LoCaseChar('\x8a'), '\x9a');
    EXPECT_EQ(LoCaseChar('1'), '1');
}

TEST(OvcStrText, SearchesReportFirstPositionsAndLeavePosAloneWhenAbsent) {
    size_t pos = 99;
    EXPECT_TRUE(StrChPos("abcb", 'b', pos));
    EXPECT_EQ(pos, 1u);
    EXPECT_TRUE(StrChPos("abcz", 'z', pos));
    EXPECT_EQ(pos, 3u);
    pos = 99;
    EXPECT_FALSE(StrChPos("abc", 'd', pos));
    EXPECT_FALSE(StrChPos("", 'a', pos));
    EXPECT_EQ(pos, 99u);

    EXPECT_TRUE(StrStPos("abcabc", "ca", pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_TRUE(StrStPos("abc", "abc", pos));
    EXPECT_EQ(pos, 0u);
    EXPECT_TRUE(StrStPos("abc", "bc", pos));
    EXPECT_EQ(pos, 1u);
    pos = 99;
    EXPECT_FALSE(StrStPos("abc", "", pos));
    EXPECT_FALSE(StrStPos("abc", "abcd", pos));
    EXPECT_FALSE(StrStPos("abc", "ABC", pos));
    EXPECT_EQ(pos, 99u);
}

// Every position routine at the first position, the last, the end and beyond it.
TEST(OvcStrText, EditsByPositionClampAtBothEnds) {
    const struct {
        size_t Pos;
        const char *ChDelete, *ChInsert, *StDelete2, *StInsert, *Chars, *Copy2;
    } cases[] = {
        {0, "bcd", "_abcd", "cd", "XYabcd", "--abcd", "ab"},
        {3, "abc", "abc_d", "abc", "abcXYd", "abc--d", "d"},
        {4, "abcd", "abcd_", "abcd", "abcdXY", "abcd--", ""},
        {9, "abcd", "abcd_", "abcd", "abcdXY", "abcd--", ""},
        {SIZE_MAX, "abcd", "abcd_", "abcd", "abcdXY", "abcd--", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pos);
        std::string s = "abcd";
        StrChDeletePrim(s, c.Pos);
        EXPECT_EQ(s, c.ChDelete);
        s = "abcd";
        StrChInsertPrim(s, '_', c.Pos);
        EXPECT_EQ(s, c.ChInsert);
        s = "abcd";
        StrStDeletePrim(s, c.Pos, 2);
        EXPECT_EQ(s, c.StDelete2);
        s = "abcd";
        StrStInsertPrim(s, "XY", c.Pos);
        EXPECT_EQ(s, c.StInsert);
        s = "abcd";
        StrInsertChars(s, '-', c.Pos, 2);
        EXPECT_EQ(s, c.Chars);
        EXPECT_EQ(StrStCopy("abcd", c.Pos, 2), c.Copy2);
    }
    std::string s = "abcd";
    StrStDeletePrim(s, 1, SIZE_MAX);
    EXPECT_EQ(s, "a");
    EXPECT_EQ(StrStCopy("abcd", 1, SIZE_MAX), "bcd");
    EXPECT_EQ(StrStCopy("abcd", 1, 0), "");
}

TEST(OvcStrText, TrimsRemoveOnlyTheirOwnCharacters) {
    const struct {
        const char* Text;
        const char *TrailPrim, *Spaces, *TrailingZeros;
    } cases[] = {
        {"  a b \t\r\n", "  a b", "a b \t\r\n", "a b \t\r\n"},
        {"  12.500  ", "  12.500", "12.500", "12.500"},
        {"12.500", "12.500", "12.500", "12.5"},
        {" 12.000", " 12.000", "12.000", "12"},
        {"100", "100", "100", "1"},
        {"0.0", "0.0", "0.0", "0"},
        {"   ", "", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        std::string s = c.Text;
        TrimTrailPrimPChar(s);
        EXPECT_EQ(s, c.TrailPrim);
        s = c.Text;
        TrimSpacesPChar(s);
        EXPECT_EQ(s, c.Spaces);
        s = c.Text;
        TrimTrailingZerosPChar(s);
        EXPECT_EQ(s, c.TrailingZeros);
    }
}

TEST(OvcStrReal, EmbeddedZerosLeaveTheFractionAndExponentShort) {
    const struct {
        const char *Text, *Result;
    } cases[] = {
        {"1.2300E+002", "1.23E+2"},
        {"1.2300E+000", "1.23"},
        {"-1.0000E-010", "-1E-10"},
        {"1.5E", "1.5"},
        {"1.5E+", "1.5"},
        {"12.5", "12.5"},
        // Integer zeros are part of the value; an unsigned exponent keeps its digits.
        {"100E+002", "100E+2"},
        {"1.5E05", "1.5E5"},
        {"1.5E5", "1.5E5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        std::string s = c.Text;
        TrimEmbeddedZerosPChar(s);
        EXPECT_EQ(s, c.Result);
    }
}

TEST(OvcStrReal, FixRealMakesTextThatValReads) {
    const struct {
        const char* Text;
        char DC;
        const char* Result;
    } cases[] = {
        {" .5", '.', "0.5"},
        {"-.5", '.', "-0.5"},
        {"12,", ',', "12"},
        {"12.", '.', "12"},
        {"1,5", ',', "1.5"},
        {",5", ',', "0.5"},
        {"12.", ',', "12.0"},
        {"", '.', "0"},
        {"   ", '.', "0"},
        {" , ", ',', "0"},
        {"1 . 5", '.', "1.5"},
        {"1E5", '.', "1.00000E5"},
        {"1.5E5", '.', "1.500000E5"},
        {"1.12345678901E5", '.', "1.12345678901E5"},
        {"E5", '.', "E5"},
        {"-7", '.', "-7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.Text << "\" " << c.DC);
        std::string s = c.Text;
        FixRealPrim(s, c.DC);
        EXPECT_EQ(s, c.Result);
    }
}

TEST(OvcStrSearch, TableShiftsByTheLastEarlierOccurrence) {
    const TBMTable table = BMMakeTable("abcab");
    EXPECT_EQ(table['a'], 1);
    EXPECT_EQ(table['b'], 3);
    EXPECT_EQ(table['c'], 2);
    for (int c = 0; c < 256; ++c)
        if (c != 'a' && c != 'b' && c != 'c') {
            ASSERT_EQ(table[c], 5) << c;
        }

    EXPECT_EQ(BMMakeTable("")['x'], 0);
    EXPECT_EQ(BMMakeTable(std::string(300, 'z'))['y'], 255);
    EXPECT_EQ(BMMakeTable(std::string(300, 'z'))['z'], 1);
}

TEST(OvcStrSearch, FindsFirstMatchesExactlyOrIgnoringCase) {
    size_t pos = 99;
    EXPECT_TRUE(BMSearch("abcabcab", BMMakeTable("cab"), "cab", pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_TRUE(BMSearchUC("xxcAb", BMMakeTable("CAB"), "CAB", pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_FALSE(BMSearch("xxcAb", BMMakeTable("CAB"), "CAB", pos));
    EXPECT_TRUE(BMSearchUC("\xe9t\xe9", BMMakeTable("\xc9T\xc9"), "\xc9T\xc9", pos));
    EXPECT_EQ(pos, 0u);
    EXPECT_TRUE(BMSearch("abc", BMMakeTable("c"), "c", pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_TRUE(BMSearchUC("abc", BMMakeTable("C"), "C", pos));
    EXPECT_EQ(pos, 2u);
    pos = 99;
    EXPECT_FALSE(BMSearch("abc", BMMakeTable(""), "", pos));
    EXPECT_FALSE(BMSearch("", BMMakeTable("a"), "a", pos));
    EXPECT_FALSE(BMSearch("ab", BMMakeTable("abc"), "abc", pos));
    EXPECT_EQ(pos, 99u);
}

TEST(OvcStrSearch, AnEmptyTableNeitherHangsNorMissesAMatch) {
    const TBMTable zeros{};
    size_t pos = 99;
    EXPECT_TRUE(BMSearch("xxxxabab", zeros, "bab", pos));
    EXPECT_EQ(pos, 5u);
    EXPECT_FALSE(BMSearchUC("xxxxxxxx", zeros, "AB", pos));
}

// Boyer-Moore against a plain search on random text: alphabets from 2 to 256 letters, patterns
// from empty to longer than the table's 255, cut from the buffer or made up.
TEST(OvcStrSearch, AgreesWithAPlainSearchOnRandomText) {
    std::mt19937 rng(20240611);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
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
        std::string pattern;
        const size_t length = uniform(0, 300);
        if (uniform(0, 1) == 0 && buffer.size() >= length)
            pattern = buffer.substr(uniform(0, buffer.size() - length), length);
        else
            pattern = randomText(length);
        SCOPED_TRACE(testing::Message()
                     << "round " << round << ", alphabet " << letters << ", buffer "
                     << buffer.size() << ", pattern " << pattern.size());

        const size_t expected = pattern.empty() ? std::string::npos : buffer.find(pattern);
        size_t pos = SIZE_MAX;
        const bool found = BMSearch(buffer, BMMakeTable(pattern), pattern, pos);
        ASSERT_EQ(found, expected != std::string::npos);
        if (found) {
            ASSERT_EQ(pos, expected);
        }

        std::string upperBuffer = buffer, upperPattern = pattern;
        for (char& c : upperBuffer)
            c = UpCaseChar(c);
        for (char& c : upperPattern)
            c = UpCaseChar(c);
        const size_t expectedUC =
            pattern.empty() ? std::string::npos : upperBuffer.find(upperPattern);
        const bool foundUC = BMSearchUC(buffer, BMMakeTable(upperPattern), upperPattern, pos);
        ASSERT_EQ(foundUC, expectedUC != std::string::npos);
        if (foundUC) {
            ASSERT_EQ(pos, expectedUC);
        }
    }
}

}  // namespace
}  // namespace vex
