#include "components/entry/OvcMisc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/font.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(OvcMisc, ShiftFlagsAddUpTheModifiersDownAndTheLeftButtonFollowsTheSwap) {
    SetKeyState(VK_SHIFT, true);
    EXPECT_EQ(GetShiftFlags(), 2);
    SetKeyState(VK_CONTROL, true);
    SetKeyState(VK_MENU, true);
    EXPECT_EQ(GetShiftFlags(), 14);
    SetKeyState(VK_SHIFT, false);
    EXPECT_EQ(GetShiftFlags(), 12);
    EXPECT_EQ(GetLeftButton(), VK_LBUTTON);
    SetSystemMetrics(SM_SWAPBUTTON, 1);
    EXPECT_EQ(GetLeftButton(), VK_RBUTTON);
    SetSystemMetrics(SM_SWAPBUTTON, 0);
    SetKeyboardState(TKeyboardState{});
}

int32_t SystemFontHeight() {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas().Font().SetName("System");
    bitmap.Canvas().Font().SetHeight(0);
    TTextMetric metric;
    GetTextMetrics(bitmap.Canvas().Handle(), metric);
    return metric.tmHeight;
}

TEST(OvcMisc, TopTextMarginForEachBorderAroundTheSmallerOfTheFontAndTheSystemFont) {
    const int32_t system = SystemFontHeight();
    ASSERT_TRUE(system > 8 && system < 60) << system;
    TFont font;
    font.SetName(FixedFontName);
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/margins.txt")) {
        SCOPED_TRACE(c.Where);
        font.SetHeight(static_cast<int32_t>(c.Int(0)));
        const int32_t height = std::min<int32_t>(system, c.Int(0)) + c.Int(3);
        EXPECT_EQ(GetTopTextMargin(font, c[1] == "none" ? bsNone : bsSingle, height, c.Int(2) != 0),
                  c.Int(4));
    }
}

TEST(OvcMisc, LoadBaseBitmapLoadsACompiledInPictureAndRefusesUnknownNames) {
    EXPECT_FALSE(LoadBaseBitmap("testarrow")->Empty());
    EXPECT_THROW(LoadBaseBitmap("NoSuchGlyph"), EResNotFound);
}

TEST(OvcMisc, AlphaCharSetHoldsLettersThePunctuationOfNamesAndUpperHalfLetters) {
    const TCharSet& set = AlphaCharSet();
    for (char c : std::string("AZaz ,-.\xc0\xe9\xff\x8a\x9a"))
        EXPECT_TRUE(CharInSet(c, set)) << int(static_cast<uint8_t>(c));
    for (char c : std::string("09@[`{\t\x7f\x80\xa0\xd7\xf7\0", 13))
        EXPECT_FALSE(CharInSet(c, set)) << int(static_cast<uint8_t>(c));
}

// Defaults accept every character but 0 and substitute codes for themselves; only the user
// characters "1" to "8" and the substitution codes 241 to 248 are looked up.
TEST(OvcMisc, UserDataLooksUpOnlyTheUserCharactersAndSubstitutionCodes) {
    TCharSet set;
    DefaultUserData().UserCharSet('1', set);
    EXPECT_TRUE(set.count() == 255 && !set.test(0));
    EXPECT_EQ(
        std::string({DefaultUserData().SubstCharOf('\xf1'), DefaultUserData().SubstCharOf('\xf8')}),
        "\xf1\xf8");
    TOvcUserData data;
    const TCharSet onlyX = TCharSet().set('x');
    data.UserCharSets[7] = onlyX;
    data.ForceCase[0] = mcUpperCase;
    data.ForceCase[7] = mcLowerCase;
    data.SubstChars[7] = '*';
    data.UserCharSet('8', set);
    EXPECT_EQ(set, onlyX);
    for (char other : {'0', '9', 'a'}) {
        data.UserCharSet(other, set);
        EXPECT_TRUE(set == onlyX && data.ForceCaseOf(other) == mcNoChange) << other;
    }
    EXPECT_TRUE(data.ForceCaseOf('1') == mcUpperCase && data.ForceCaseOf('8') == mcLowerCase);
    EXPECT_EQ(std::string({data.SubstCharOf('\xf8'), data.SubstCharOf('\xf0'),
                           data.SubstCharOf('\xf9'), data.SubstCharOf('a')}),
              std::string("*\0\0\0", 4));
}

}  // namespace
}  // namespace vex
