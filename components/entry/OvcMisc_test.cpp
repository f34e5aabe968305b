#include "components/entry/OvcMisc.h"

#include <gtest/gtest.h>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/font.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

class KeyStateTest : public ::testing::Test {
protected:
    void SetUp() override { SetKeyboardState(TKeyboardState{}); }
    void TearDown() override {
        SetKeyboardState(TKeyboardState{});
        SetSystemMetrics(SM_SWAPBUTTON, 0);
    }
};

TEST_F(KeyStateTest, ShiftFlagsAddUpTheModifiersThatAreDown) {
    EXPECT_EQ(GetShiftFlags(), 0);
    SetKeyState(VK_SHIFT, true);
    EXPECT_EQ(GetShiftFlags(), 2);
    SetKeyState(VK_CONTROL, true);
    EXPECT_EQ(GetShiftFlags(), 6);
    SetKeyState(VK_MENU, true);
    EXPECT_EQ(GetShiftFlags(), 14);
    SetKeyState(VK_SHIFT, false);
    EXPECT_EQ(GetShiftFlags(), 12);
    // Toggled but released keys are not down.
    SetKeyState(VK_CONTROL, false);
    SetKeyState(VK_MENU, false);
    EXPECT_EQ(GetShiftFlags(), 0);
}

TEST_F(KeyStateTest, LeftButtonFollowsTheSwapSetting) {
    EXPECT_EQ(GetLeftButton(), VK_LBUTTON);
    SetSystemMetrics(SM_SWAPBUTTON, 1);
    EXPECT_EQ(GetLeftButton(), VK_RBUTTON);
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

TEST(TopTextMargin, EachBorderCaseAroundTheFontHeight) {
    TFont font;
    font.SetName(FixedFontName);
    font.SetHeight(8);  // cells 8 high, smaller than the system font
    ASSERT_GT(SystemFontHeight(), 8);
    const struct {
        TBorderStyle Border;
        bool Ctl3D;
        int32_t Height, Margin;
    } cases[] = {
        {bsNone, false, 20, 0},    {bsNone, false, 11, 0},   {bsNone, false, 10, 0},
        {bsNone, false, 9, -1},    {bsNone, false, 5, -3},   {bsNone, true, 9, -1},
        {bsSingle, true, 13, 1},   {bsSingle, true, 12, -1}, {bsSingle, true, 11, -1},
        {bsSingle, true, 6, -4},   {bsSingle, false, 13, 1}, {bsSingle, false, 12, 0},
        {bsSingle, false, 11, -1}, {bsSingle, false, 6, -3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "border " << c.Border << ", 3D " << c.Ctl3D << ", height " << c.Height);
        EXPECT_EQ(GetTopTextMargin(font, c.Border, c.Height, c.Ctl3D), c.Margin);
    }
}

TEST(TopTextMargin, TheSystemFontLimitsALargerFont) {
    TFont font;
    font.SetName(FixedFontName);
    font.SetHeight(60);
    const int32_t s = SystemFontHeight();
    ASSERT_LT(s, 60);
    EXPECT_EQ(GetTopTextMargin(font, bsSingle, s + 5, true), 1);
    EXPECT_EQ(GetTopTextMargin(font, bsSingle, s + 4, true), -1);
    EXPECT_EQ(GetTopTextMargin(font, bsNone, s + 3, false), 0);
}

TEST(LoadBaseBitmap, LoadsACompiledInPictureAndRefusesUnknownNames) {
    const auto bitmap = LoadBaseBitmap("testarrow");
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(bitmap->Empty());
    EXPECT_THROW(LoadBaseBitmap("NoSuchGlyph"), EResNotFound);
}

TEST(AlphaCharSet, HoldsLettersThePunctuationOfNamesAndUpperHalfLetters) {
    const TCharSet& set = AlphaCharSet();
    for (char c : std::string("AZaz ,-.\xc0\xe9\xff\x8a\x9a"))
        EXPECT_TRUE(CharInSet(c, set)) << int(static_cast<uint8_t>(c));
    for (char c : std::string("09@[`{\t\x7f\x80\xa0\xd7\xf7"))
        EXPECT_FALSE(CharInSet(c, set)) << int(static_cast<uint8_t>(c));
    EXPECT_FALSE(CharInSet('\0', set));
}

TEST(OvcUserData, DefaultsAcceptEverythingAndSubstituteCodesForThemselves) {
    TOvcUserData& data = DefaultUserData();
    EXPECT_EQ(&data, &DefaultUserData());
    TCharSet set;
    data.UserCharSet('1', set);
    EXPECT_EQ(set.count(), 255u);
    EXPECT_FALSE(set.test(0));
    EXPECT_EQ(data.ForceCaseOf('8'), mcNoChange);
    EXPECT_EQ(data.SubstCharOf('\xf1'), '\xf1');
    EXPECT_EQ(data.SubstCharOf('\xf8'), '\xf8');
}

TEST(OvcUserData, OnlyTheUserCharactersAndSubstitutionCodesAreLookedUp) {
    TOvcUserData data;
    data.UserCharSets[7].reset();
    data.UserCharSets[7].set('x');
    data.ForceCase[0] = mcUpperCase;
    data.ForceCase[7] = mcLowerCase;
    data.SubstChars[7] = '*';

    TCharSet set;
    data.UserCharSet('8', set);
    EXPECT_EQ(set.count(), 1u);
    EXPECT_TRUE(CharInSet('x', set));
    for (char other : {'0', '9', 'a'}) {
        SCOPED_TRACE(other);
        TCharSet untouched;
        untouched.set('q');
        data.UserCharSet(other, untouched);
        EXPECT_EQ(untouched.count(), 1u);
        EXPECT_EQ(data.ForceCaseOf(other), mcNoChange);
    }
    EXPECT_EQ(data.ForceCaseOf('1'), mcUpperCase);
    EXPECT_EQ(data.ForceCaseOf('8'), mcLowerCase);
    EXPECT_EQ(data.SubstCharOf('\xf8'), '*');
    EXPECT_EQ(data.SubstCharOf('\xf0'), '\0');
    EXPECT_EQ(data.SubstCharOf('\xf9'), '\0');
    EXPECT_EQ(data.SubstCharOf('a'), '\0');
}

}  // namespace
}  // namespace vex
