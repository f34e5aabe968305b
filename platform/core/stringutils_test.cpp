#include "platform/core/stringutils.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
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
    EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
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

TEST(CodePage, Win1252BytesHaveTheirUnicodeCharactersAndBack) {
    EXPECT_EQ(Win1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Win1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Win1252ToUnicode(0x81), U'\u0081');
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(static_cast<uint8_t>(UnicodeToWin1252(Win1252ToUnicode(static_cast<uint8_t>(b)))),
                  b);
    // U+0080 is a C1 control whose byte holds the euro sign.
    for (char32_t outside : {U'\u0080', U'\u0100', U'\U0001F600', char32_t{0x110000}})
        EXPECT_EQ(UnicodeToWin1252(outside), '?') << static_cast<uint32_t>(outside);
    // UTF-16 text becomes one byte a character; a pair is one character, a lone half a '?'.
    EXPECT_EQ(Utf16ToWin1252(u"caf\u00E9 \u20AC5 \u201Cq\u201D a\U0001F600b"),
              "caf\xE9 \x80"
              "5 \x93q\x94 a?b");
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, u'x', 0xD83D};
    EXPECT_EQ(Utf16ToWin1252(std::u16string_view(lone, 6)), "a?b?x?");
}

}  // namespace
}  // namespace vex
