#include "platform/core/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace vex {
namespace {

TEST(CodePage, Win1252BytesHaveTheirUnicodeCharactersAndBack) {
    EXPECT_EQ(Win1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Win1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Win1252ToUnicode(0x81), U'\u0081');
    EXPECT_EQ(Win1252ToUnicode(0xE9), U'\u00E9');
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(static_cast<uint8_t>(UnicodeToWin1252(Win1252ToUnicode(static_cast<uint8_t>(b)))),
                  b);
    // U+0080 is a C1 control whose byte holds the euro sign.
    for (char32_t outside : {U'\u0080', U'\u0100', U'\U0001F600', char32_t{0x110000}})
        EXPECT_EQ(UnicodeToWin1252(outside), '?') << static_cast<uint32_t>(outside);
    // UTF-16 text becomes one byte a character.
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
