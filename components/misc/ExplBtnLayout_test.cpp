#include "components/misc/ExplBtnLayout.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

// A face of 50 by 40 with a bitmap of 16 by 16 and a caption of 20 by 10 (or none).
TEST(ExplorerButtonLayout, PlacesBitmapAndCaptionByLayoutAndAlignment) {
    const struct {
        TExplorerButtonLayout Layout;
        TAlignment Alignment;
        bool Caption;
        TPoint Bitmap;
        TRect Text;
    } cases[] = {
        // Stacked: 16 + 2 + 10 = 28 high, from (40 - 28) / 2 = 6.
        {blBitmapTop, taCenter, true, {17, 6}, {15, 24, 35, 34}},
        {blBitmapTop, taLeftJustify, true, {3, 6}, {3, 24, 23, 34}},
        {blBitmapTop, taRightJustify, true, {31, 6}, {27, 24, 47, 34}},
        {blBitmapBottom, taCenter, true, {17, 18}, {15, 6, 35, 16}},
        // Without a caption no gap: the bitmap alone is centred.
        {blBitmapTop, taCenter, false, {17, 12}, {25, 28, 25, 28}},
        // Side by side: 16 + 2 + 20 = 38 wide, from (50 - 38) / 2 = 6.
        {blBitmapLeft, taCenter, true, {6, 12}, {24, 15, 44, 25}},
        {blBitmapLeft, taLeftJustify, true, {3, 12}, {21, 15, 41, 25}},
        {blBitmapLeft, taRightJustify, true, {9, 12}, {27, 15, 47, 25}},
        {blBitmapRight, taCenter, true, {28, 12}, {6, 15, 26, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Layout << " " << c.Alignment << " " << c.Caption);
        const TExplorerFace face = LayOutFace(50, 40, {16, 16}, c.Caption ? TSize{20, 10} : TSize{},
                                              c.Layout, c.Alignment);
        EXPECT_EQ(face.BitmapPos, c.Bitmap);
        EXPECT_EQ(face.CaptionRect, c.Text);
    }
}

TEST(ExplorerButtonLayout, ACaptionMayTakeWhatTheBitmapLeaves) {
    EXPECT_EQ(CaptionWidthLimit(50, {16, 16}, blBitmapTop), 46);
    EXPECT_EQ(CaptionWidthLimit(50, {16, 16}, blBitmapLeft), 28);
    EXPECT_EQ(CaptionWidthLimit(50, {}, blBitmapRight), 46);
    EXPECT_EQ(CaptionWidthLimit(10, {16, 16}, blBitmapRight), 0);
}

}  // namespace
}  // namespace vex
