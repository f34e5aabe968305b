#include "components/entry/EsEdPopupPlace.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vex {
namespace {

TEST(EsEdPopupPlace, TheDropDownOpensBelowOrAboveAndStaysOnTheWorkArea) {
    // A drop-down 200 by 140 for an edit 24 high.
    struct TCase {
        const char* What;
        TRect WorkArea;
        TPoint Below;
        TPoint At;
    };
    const TCase cases[] = {
        {"room below", Rect(0, 0, 1000, 1000), Point(100, 100), Point(100, 100)},
        {"near the bottom", Rect(0, 0, 1000, 300), Point(100, 250), Point(100, 84)},
        {"near the right edge", Rect(0, 0, 250, 1000), Point(100, 100), Point(49, 100)},
        {"at the left edge", Rect(0, 0, 1000, 1000), Point(-2, 100), Point(0, 100)},
        {"no room below or above", Rect(0, 0, 1000, 200), Point(10, 60), Point(10, 0)},
        {"a work area under a top bar", Rect(0, 50, 1000, 250), Point(10, 110), Point(10, 50)},
        {"a work area smaller than the drop-down", Rect(0, 0, 150, 100), Point(20, 50),
         Point(0, 0)},
        {"a work area to the right of another screen", Rect(1000, 0, 1300, 1000), Point(1250, 100),
         Point(1099, 100)}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const TPoint at = PlacePopup(c.Below, 24, 200, 140, c.WorkArea);
        EXPECT_EQ(at.X, c.At.X);
        EXPECT_EQ(at.Y, c.At.Y);
    }
    // A drop-down as large as the numbers go opens at the work area's corner.
    const TPoint huge =
        PlacePopup(Point(100, 100), 24, INT32_MAX, INT32_MAX, Rect(5, 5, 1000, 1000));
    EXPECT_EQ(huge.X, 5);
    EXPECT_EQ(huge.Y, 5);
}

}  // namespace
}  // namespace vex
