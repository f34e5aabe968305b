#include "platform/core/codepage.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vex
