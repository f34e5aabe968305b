#include "platform/core/stringutils.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "tests/support/errortext.h"

namespace vex {
namespace {

TEST(NumberParsing, AcceptsWhatFitsAndReportsTheFirstBadCharacter) {
    EXPECT_EQ(StrToInt("  -2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("0x1f") + StrToInt("+7"), 38);
    for (const char* bad : {"2147483648", "12 ", "", "-", "$", "1x", "$100000000"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(test::ErrorText<EConvertError>([&] { StrToInt("abc"); }),
              "'abc' is not a valid integer value");
    EXPECT_EQ(StrToIntDef("x", 42), 42);
    // Val reports the position of the first bad character.
    int32_t v, code;
    for (auto [text, expected] : {std::pair{"12a4", 3}, {"", 1}, {"-", 2}, {" 99", 0}}) {
        Val(text, v, code);
        EXPECT_EQ(code, expected) << text;
    }
    EXPECT_EQ(v, 99);
    double d;
    for (auto [text, expected] : {std::pair{"1.5e3", 0}, {"1,5", 2}, {"1e", 3}, {"1e-999", 0}}) {
        Val(text, d, code);
        EXPECT_EQ(code, expected) << text;
    }
    EXPECT_EQ(d, 0);
    Val("1e999", d, code);
    EXPECT_NE(code, 0);
}

TEST(CaseMapping, AnsiFormsMapAndSortEvery1252LetterAndPlainFormsOnlyAscii) {
    EXPECT_EQ(AnsiUpperCase("\xe9t\xe9 \x9a\x9c\x9e\xff \xdf\xb5"),
              "\xc9T\xc9 \x8a\x8c\x8e\x9f \xdf\xb5");
    EXPECT_EQ(AnsiLowerCase("\xc0\xd7\xde\x8a"), "\xe0\xd7\xfe\x9a");
    EXPECT_EQ(UpperCase("\xe9t\xe9"), "\xe9T\xe9");
    EXPECT_TRUE(AnsiSameText("\xc9T\xc9", "\xe9t\xe9"));
    EXPECT_FALSE(SameText("\xc9", "\xe9"));
    // Accented letters sort with their base letter.
    EXPECT_LT(AnsiCompareText("\xe9t\xe9", "etz"), 0);  // e-acute before z, not after all ASCII
    EXPECT_LT(AnsiCompareText("etz", "f"), 0);
    EXPECT_EQ(AnsiCompareText("ABC", "abc"), 0);
    EXPECT_LT(AnsiCompareStr("abc", "ABC"), 0);  // lower case first when case counts
    EXPECT_LT(AnsiCompareText("-", "0"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareStr("B", "a"), 0);
}

TEST(Substrings, PositionsCountFromOneAndQuotesAreDoubledAndExtracted) {
    EXPECT_EQ(Pos("lo", "hello"), 4);
    EXPECT_EQ(Pos("", "hello"), 0);
    EXPECT_EQ(Copy("hello", 0, 2), "he");
    EXPECT_EQ(Copy("hello", 5, 10), "o");
    EXPECT_EQ(Copy("hello", 6, 1), "");
    EXPECT_EQ(Copy("hello", 2, -1), "");
    std::string s = "hello";
    Delete(s, 2, 100);
    EXPECT_EQ(s, "h");
    Insert("ey", s, 99);
    EXPECT_EQ(s, "hey");
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    std::string_view src = "\"a\"\"b\",rest";
    EXPECT_EQ(AnsiExtractQuotedStr(src, '"'), "a\"b");
    EXPECT_EQ(src, ",rest");
    std::string_view open = "\"unterminated";
    EXPECT_EQ(AnsiExtractQuotedStr(open, '"'), "unterminated");
    EXPECT_TRUE(open.empty());
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {rfReplaceAll}), "aXb-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {rfReplaceAll, rfIgnoreCase}), "a-b-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {rfIgnoreCase}), "a-bxc");
    EXPECT_EQ(IntToHex(255, 4) + IntToHex(-1, 2), "00FFFFFFFFFFFFFFFFFF");
}

}  // namespace
}  // namespace vex
