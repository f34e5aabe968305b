#include "dataaware/edits/wwdbcombodropdown.h"

#include <gtest/gtest.h>

#include <vector>

namespace vex {
namespace {

TEST(ComboDropDown, ShowsDropDownCountRowsAtMost) {
    struct TCase {
        int32_t Count, DropDownCount, ItemHeight, Height;
    };
    for (const TCase& c : std::vector<TCase>{{20, 8, 13, 8 * 13 + 4},
                                             {3, 3, 13, 3 * 13 + 4},
                                             {3, 8, 13, 3 * 13 + 4},
                                             {0, 8, 13, 4},
                                             {20, 0, 13, 4},
                                             {20, -5, 13, 4},
                                             {INT32_MAX, INT32_MAX, 255, INT32_MAX}}) {
        SCOPED_TRACE(testing::Message() << c.Count << " items, " << c.DropDownCount);
        EXPECT_EQ(wwDropDownHeight(c.Count, c.DropDownCount, c.ItemHeight), c.Height);
    }
}

TEST(ComboDropDown, OpensBelowOrAboveAndLeftOrRightAligned) {
    const TSize screen{800, 600};
    struct TCase {
        const char* Name;
        TRect Combo;
        int32_t Width, Height;
        TRect List;
    };
    const std::vector<TCase> cases = {
        {"below, left-aligned", Rect(100, 100, 221, 121), 121, 108, Rect(100, 120, 221, 228)},
        {"just fits below", Rect(100, 493, 221, 514), 121, 87, Rect(100, 513, 221, 600)},
        {"above at the bottom", Rect(100, 560, 221, 581), 121, 108, Rect(100, 452, 221, 560)},
        {"right-aligned at the edge", Rect(700, 100, 780, 121), 150, 40, Rect(629, 120, 779, 160)},
        {"both in the corner", Rect(700, 570, 780, 591), 150, 40, Rect(629, 530, 779, 570)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(wwDropDownBounds(c.Combo, c.Width, c.Height, screen), c.List);
    }
}

}  // namespace
}  // namespace vex
