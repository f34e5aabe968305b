#include "platform/shell/trayiconscaling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

// A 2 x 2 icon: opaque red, half-opaque green, nearly clear blue, clear white.
const TTrayIconImage kQuarters{2, 2, {0xFFFF0000, 0x8000FF00, 0x7F0000FF, 0x00FFFFFF}};

// Rows of the fitted icon, one character a pixel: R G B W by colour, "." where it does not show.
std::vector<std::string> Picture(const TFittedTrayIcon& Icon) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < Icon.Height; ++y) {
        std::string row;
        for (int32_t x = 0; x < Icon.Width; ++x) {
            const size_t at = static_cast<size_t>(y * Icon.Width + x);
            const uint32_t pixel = Icon.Pixels[at];
            row += !Icon.Opaque[at]    ? '.'
                   : pixel == 0xFF0000 ? 'R'
                   : pixel == 0x00FF00 ? 'G'
                   : pixel == 0x0000FF ? 'B'
                                       : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(FitTrayIcon, ScalesToTheLargestCentredSquareAndShowsOnlyTheOpaquePixels) {
    struct Case {
        int32_t Width, Height;
        std::vector<std::string> Rows;
    };
    const std::vector<Case> cases = {
        {2, 2, {"RG", ".."}},
        {4, 4, {"RRGG", "RRGG", "....", "...."}},
        {5, 3, {".RRG.", ".RRG.", "....."}},  // 3 x 3 of the nearest pixels, centred
        {2, 4, {"..", "RG", "..", ".."}},
        {1, 1, {"R"}},
        {0, 5, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        EXPECT_EQ(Picture(FitTrayIcon(kQuarters, c.Width, c.Height)), c.Rows);
    }
}

// Any client may resize the icon's window; however large, what is painted stays bounded.
TEST(FitTrayIcon, ARoomLargerThanAnyTrayGivesIsFittedOnlyInPart) {
    const struct {
        int32_t Width, Height, FittedWidth, FittedHeight;
    } cases[] = {
        {kLargestFittedSide, kLargestFittedSide, kLargestFittedSide, kLargestFittedSide},
        {kLargestFittedSide + 1, 3, kLargestFittedSide, 3},
        {2000, 2000, kLargestFittedSide, kLargestFittedSide},
        {5, 3000, 5, kLargestFittedSide},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        const TFittedTrayIcon fitted = FitTrayIcon(kQuarters, c.Width, c.Height);
        EXPECT_EQ(fitted.Width, c.FittedWidth);
        EXPECT_EQ(fitted.Height, c.FittedHeight);
        EXPECT_EQ(fitted.Pixels.size(), size_t(c.FittedWidth) * size_t(c.FittedHeight));
    }
}

TEST(FitTrayIcon, AnEmptyIconShowsNothing) {
    EXPECT_EQ(Picture(FitTrayIcon(TTrayIconImage{}, 3, 2)),
              (std::vector<std::string>{"...", "..."}));
}

}  // namespace
}  // namespace vex
