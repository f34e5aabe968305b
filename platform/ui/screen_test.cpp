#include "platform/ui/screen.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/systemparameters.h"
#include "platform/win/win_testsupport.h"

namespace vex {
namespace {

TEST(Screen, MeasuresThePresentersScreenAndItsWorkArea) {
    test::PresenterOverride presenter(std::make_unique<THeadlessPresenter>(Rect(0, 0, 1280, 1024)));
    EXPECT_EQ(Screen().Width(), 1280);
    EXPECT_EQ(Screen().Height(), 1024);
    TRect saved;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &saved, 0));
    TRect bars = Rect(0, 24, 1280, 1000);
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &bars, 0));
    EXPECT_EQ(Screen().WorkAreaRect(), bars);
    EXPECT_EQ(Screen().WorkAreaTop(), 24);
    EXPECT_EQ(Screen().WorkAreaHeight(), 976);
    SystemParametersInfo(SPI_SETWORKAREA, 0, &saved, 0);
}

TEST(Screen, KeepsItsDensityAboveZero) {
    EXPECT_EQ(Screen().PixelsPerInch(), 96);
    Screen().SetPixelsPerInch(120);
    EXPECT_EQ(Screen().PixelsPerInch(), 120);
    EXPECT_THROW(Screen().SetPixelsPerInch(0), ERangeError);
    EXPECT_EQ(Screen().PixelsPerInch(), 120);
    Screen().SetPixelsPerInch(96);
}

TEST(Screen, ListsTheInstalledFontFamiliesInOrder) {
    TStrings& fonts = Screen().Fonts();
    EXPECT_GE(fonts.IndexOf("DejaVu Sans"), 0);
    EXPECT_GE(fonts.IndexOf("Vex Fixed"), 0);
    for (int32_t i = 1; i < fonts.Count(); ++i)
        EXPECT_LE(AnsiCompareText(fonts[i - 1], fonts[i]), 0) << fonts[i];
}

}  // namespace
}  // namespace vex
