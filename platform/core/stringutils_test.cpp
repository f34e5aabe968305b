#include "platform/core/stringutils.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/exceptions.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"

namespace vex {
namespace {

std::string Sign(int Compared) {
    return std::to_string((Compared > 0) - (Compared < 0));
}

TEST(StringRoutines, FollowTheirTable) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/stringutils.txt")) {
        SCOPED_TRACE(c.Where);
        const std::string& f = c[0];
        int32_t value = 0, code = 0;
        double real = 0;
        if (f == "ValInt") Val(c[1], value, code);
        if (f == "ValFloat") Val(c[1], real, code);
        if (f == "ValFloat") value = static_cast<int32_t>(real);
        const auto got = [&]() -> std::string {
            if (f == "StrToInt") return std::to_string(StrToInt(c[1]));
            if (f.starts_with("Val"))
                return std::to_string(code) + (code ? "" : " " + std::to_string(value));
            if (f == "AnsiUpperCase") return AnsiUpperCase(c[1]);
            if (f == "AnsiLowerCase") return AnsiLowerCase(c[1]);
            if (f == "UpperCase") return UpperCase(c[1]);
            if (f == "AnsiCompareText") return Sign(AnsiCompareText(c[1], c[2]));
            if (f == "AnsiCompareStr") return Sign(AnsiCompareStr(c[1], c[2]));
            if (f == "CompareText") return Sign(CompareText(c[1], c[2]));
            if (f == "CompareStr") return Sign(CompareStr(c[1], c[2]));
            if (f == "Pos") return std::to_string(Pos(c[1], c[2]));
            if (f == "Copy") return Copy(c[1], c.Int(2), c.Int(3));
            if (f == "IntToHex") return IntToHex(c.Int(1), c.Int(2));
            TReplaceFlags flags;
            if (c[4].find("all") != std::string::npos) flags.Include(rfReplaceAll);
            if (c[4].find("case") != std::string::npos) flags.Include(rfIgnoreCase);
            return StringReplace(c[1], c[2], c[3], flags);
        };
        if (c.Fields.back() == "(error)") {
            EXPECT_THROW(got(), EConvertError);
        } else {
            EXPECT_EQ(got(), c.Fields.back());
        }
    }
    EXPECT_EQ(test::ErrorText<EConvertError>([&] { StrToInt("abc"); }),
              "'abc' is not a valid integer value");
    EXPECT_EQ(StrToIntDef("x", 42), 42);
    EXPECT_TRUE(AnsiSameText("\xc9T\xc9", "\xe9t\xe9"));
    EXPECT_FALSE(SameText("\xc9", "\xe9"));
}

TEST(Substrings, AreCutAndInsertedFromPositionOneAndQuotesAreDoubledAndExtracted) {
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
