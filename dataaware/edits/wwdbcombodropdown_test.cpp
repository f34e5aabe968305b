#include "dataaware/edits/wwdbcombodropdown.h"

#include <gtest/gtest.h>

#include <vector>

namespace vex {
namespace {

TEST(ComboDropDownBounds, BelowAboveOrRightAlignedAndAlwaysOnTheScreen) {
    struct TCase {
        const char* Name;
        TRect Combo;
        int32_t Width, Height;
        TRect List;
    };
    const TSize screen{800, 600};
    const std::vector<TCase> cases = {
        {"below", Rect(100, 100, 220, 120), 120, 100, Rect(100, 119, 220, 219)},
        {"above at the bottom", Rect(100, 560, 220, 580), 120, 100, Rect(100, 460, 220, 560)},
        {"right-aligned at the right", Rect(700, 100, 790, 120), 200, 100,
         Rect(589, 119, 789, 219)},
        {"right-aligned would leave the left", Rect(300, 100, 420, 120), 600, 100,
         Rect(0, 119, 600, 219)},
        {"wider than the screen", Rect(300, 100, 420, 120), 1000, 100, Rect(0, 119, 1000, 219)},
        {"combo partly off the left", Rect(-50, 100, 70, 120), 100, 100, Rect(0, 119, 100, 219)},
        {"fits neither below nor above", Rect(0, 0, 120, 20), 120, 700, Rect(0, 0, 120, 700)},
        {"combo partly off the top", Rect(100, -30, 220, -10), 120, 100, Rect(100, 0, 220, 100)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(wwDropDownBounds(c.Combo, c.Width, c.Height, screen), c.List);
    }
}

}  // namespace
}  // namespace vex
