#include "components/entry/OvcColor.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/typinfo.h"

namespace vex {
namespace {

struct TColorsUnderTest {
    TOvcColors Colors{clWindow, clWindowText};
    int Changes = 0;
    TColorsUnderTest() {
        Colors.OnColorChange = [this](TObject*) { ++Changes; };
    }
};

TEST(OvcColors, StartWithTheirDefaults) {
    TOvcColors error(clRed, clBlack);
    EXPECT_EQ(error.BackColor(), clRed);
    EXPECT_EQ(error.TextColor(), clBlack);
    EXPECT_TRUE(error.UseDefault());
}

TEST(OvcColors, KeepUseDefaultOnlyWhileEachColourIsItsDefault) {
    TColorsUnderTest t;
    t.Colors.SetBackColor(clWindow);
    EXPECT_TRUE(t.Colors.UseDefault());
    EXPECT_EQ(t.Changes, 0);
    t.Colors.SetTextColor(clGrayText);
    EXPECT_FALSE(t.Colors.UseDefault());
    // Putting the default back by hand does not make UseDefault True again.
    t.Colors.SetTextColor(clWindowText);
    EXPECT_FALSE(t.Colors.UseDefault());
    EXPECT_EQ(t.Changes, 2);
}

TEST(OvcColors, RestoreBothDefaultsWhenUseDefaultIsSet) {
    TColorsUnderTest t;
    t.Colors.SetBackColor(clHighlight);
    t.Colors.SetTextColor(clHighlightText);
    t.Colors.SetUseDefault(true);
    EXPECT_EQ(t.Colors.BackColor(), clWindow);
    EXPECT_EQ(t.Colors.TextColor(), clWindowText);
    EXPECT_TRUE(t.Colors.UseDefault());
    EXPECT_EQ(t.Changes, 3);
    t.Colors.SetUseDefault(false);
    EXPECT_EQ(t.Changes, 3);
}

TEST(OvcColors, AssignTheColoursOfAnotherPairOnly) {
    TColorsUnderTest t;
    TOvcColors disabled(clWindow, clGrayText);
    t.Colors.Assign(&disabled);
    EXPECT_EQ(t.Colors.BackColor(), clWindow);
    EXPECT_EQ(t.Colors.TextColor(), clGrayText);
    EXPECT_EQ(t.Colors.DefTextColor(), clWindowText);
    EXPECT_FALSE(t.Colors.UseDefault());
    EXPECT_THROW(t.Colors.Assign(nullptr), EConvertError);
}

TEST(OvcColors, PublishTheTwoColoursAndUseDefault) {
    TColorsUnderTest t;
    const TPropInfo* back = GetPropInfo(t.Colors, "BackColor");
    ASSERT_NE(back, nullptr);
    SetOrdProp(t.Colors, *back, clYellow);
    EXPECT_EQ(t.Colors.BackColor(), clYellow);
    EXPECT_NE(GetPropInfo(t.Colors, "TextColor"), nullptr);
    EXPECT_NE(GetPropInfo(t.Colors, "UseDefault"), nullptr);
}

}  // namespace
}  // namespace vex
