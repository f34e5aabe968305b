#include "platform/core/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace vex {
namespace {

TEST(CodePage, Win1252BytesHaveTheirUnicodeCharacters) {
    EXPECT_EQ(Win1252ToUnicode('A'), U'A');
    EXPECT_EQ(Win1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Win1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Win1252ToUnicode(0x81), U'\u0081');
    EXPECT_EQ(Win1252ToUnicode(0xA0), U'\u00A0');
    EXPECT_EQ(Win1252ToUnicode(0xE9), U'\u00E9');
    EXPECT_EQ(Win1252ToUnicode(0xFF), U'\u00FF');
}

TEST(CodePage, UnicodeToWin1252InvertsEveryByte) {
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(static_cast<uint8_t>(UnicodeToWin1252(Win1252ToUnicode(static_cast<uint8_t>(b)))),
                  b);
    }
}

TEST(CodePage, CharactersOutsideWin1252BecomeQuestionMarks) {
    EXPECT_EQ(UnicodeToWin1252(U'\u0080'), '?');  // a C1 control whose byte holds the euro sign
    EXPECT_EQ(UnicodeToWin1252(U'\u0100'), '?');
    EXPECT_EQ(UnicodeToWin1252(U'\u4E2D'), '?');
    EXPECT_EQ(UnicodeToWin1252(U'\U0001F600'), '?');
    EXPECT_EQ(UnicodeToWin1252(0x110000), '?');
}

TEST(CodePage, Utf16TextBecomesOneByteACharacter) {
    EXPECT_EQ(Utf16ToWin1252(u""), "");
    EXPECT_EQ(Utf16ToWin1252(u"caf\u00E9 \u20AC5 \u201Cq\u201D"),
              "caf\xE9 \x80"
              "5 \x93q\x94");
    EXPECT_EQ(Utf16ToWin1252(u"a\U0001F600b"), "a?b");  // one pair, one character
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(Utf16ToWin1252(std::u16string_view(lone, 4)), "a?b?");
    const char16_t cutOff[] = {u'x', 0xD83D};
    EXPECT_EQ(Utf16ToWin1252(std::u16string_view(cutOff, 2)), "x?");
}

}  // namespace
}  // namespace vex
