#include "platform/gfx/colors.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

TEST(Colors, SystemColoursResolveThroughTheClassicScheme) {
    const struct {
        TColor System;
        TColor Expected;
    } cases[] = {
        {clBtnFace, 0xC0C0C0}, {clBtnShadow, 0x808080},    {clBtnHighlight, 0xFFFFFF},
        {clBtnText, clBlack},  {clWindow, clWhite},        {clWindowText, clBlack},
        {clHighlight, clNavy}, {clHighlightText, clWhite}, {clGrayText, clGray},
        {cl3DLight, clSilver}, {cl3DDkShadow, clBlack},    {clInfoText, clBlack},
        {clInfoBk, 0xE1FFFF},  {clActiveCaption, clNavy},  {clScrollBar, clSilver},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.System & 0xFF);
        EXPECT_EQ(ColorToRGB(c.System), c.Expected);
    }
}

TEST(Colors, PlainColoursAndMarkersPassUnchanged) {
    EXPECT_EQ(ColorToRGB(clTeal), 0x808000);
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), 0x030201);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
}

TEST(Colors, ComponentsComeBackOut) {
    const TColor c = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(GetRValue(c), 0x12);
    EXPECT_EQ(GetGValue(c), 0x34);
    EXPECT_EQ(GetBValue(c), 0x56);
    EXPECT_EQ(RGB(255, 0, 0), clRed);
    EXPECT_EQ(RGB(0, 0, 255), clBlue);
}

}  // namespace
}  // namespace vex
