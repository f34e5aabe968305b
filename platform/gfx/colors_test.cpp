#include "platform/gfx/colors.h"

#include <gtest/gtest.h>

#include "platform/core/stringutils.h"

namespace vex {
namespace {

TEST(Colors, SystemColoursResolveThroughTheClassicSchemeAndOthersPassUnchanged) {
    const struct {
        TColor Color;
        TColor Expected;
    } cases[] = {
        {clBtnFace, 0xC0C0C0},       {clBtnShadow, 0x808080},    {clBtnHighlight, 0xFFFFFF},
        {clBtnText, clBlack},        {clWindow, clWhite},        {clWindowText, clBlack},
        {clHighlight, clNavy},       {clHighlightText, clWhite}, {clGrayText, clGray},
        {cl3DLight, clSilver},       {cl3DDkShadow, clBlack},    {clInfoText, clBlack},
        {clInfoBk, 0xE1FFFF},        {clActiveCaption, clNavy},  {clScrollBar, clSilver},
        {clTeal, 0x808000},          {RGB(1, 2, 3), 0x030201},   {clNone, clNone},
        {SystemColor(200), clBlack},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Color);
        EXPECT_EQ(ColorToRGB(c.Color), c.Expected);
    }
}

TEST(ColorIdents, NamedAndSystemColoursMapBothWaysAndOthersDoNot) {
    const std::pair<TColor, const char*> known[] = {
        {clBlack, "clBlack"},    {clWhite, "clWhite"},   {clBtnFace, "clBtnFace"},
        {clWindow, "clWindow"},  {clInfoBk, "clInfoBk"}, {clNone, "clNone"},
        {clDefault, "clDefault"}};
    for (const auto& [color, name] : known) {
        SCOPED_TRACE(name);
        std::string ident;
        ASSERT_TRUE(ColorToIdent(color, ident));
        EXPECT_EQ(ident, name);
        TColor back = 1;
        ASSERT_TRUE(IdentToColor(UpperCase(name), back));
        EXPECT_EQ(back, color);
    }
    std::string ident = "unchanged";
    EXPECT_FALSE(ColorToIdent(0x123456, ident));
    EXPECT_FALSE(ColorToIdent(SystemColor(25), ident));
    EXPECT_EQ(ident, "unchanged");
    TColor color = 1;
    EXPECT_FALSE(IdentToColor("Black", color));
    EXPECT_EQ(color, 1);
}

}  // namespace
}  // namespace vex
