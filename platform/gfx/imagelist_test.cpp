#include "platform/gfx/imagelist.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

// A strip of two 2 x 2 images on lime: red top-left in the first, blue bottom-right in the
// second.
void Strip(TBitmap& B) {
    B.SetSize(4, 2);
    B.Canvas().Brush().SetColor(clLime);
    B.Canvas().FillRect(Rect(0, 0, 4, 2));
    B.Canvas().SetPixels(0, 0, clRed);
    B.Canvas().SetPixels(3, 1, clBlue);
}

class ImageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        List.SetWidth(2);
        List.SetHeight(2);
        TBitmap strip;
        Strip(strip);
        ASSERT_EQ(List.AddMasked(strip, clLime), 0);
        Target.SetSize(3, 3);
    }
    TImageList List{nullptr};
    TBitmap Target;
};

TEST_F(ImageListTest, AStripSplitsIntoImagesDrawnMaskedEmbossedOrByAnExplicitMask) {
    List.Draw(Target.Canvas(), 1, 1, 1);
    EXPECT_EQ(PictureOf(Target), (TPictureRows{"...", "...", "..b"}));
    TBitmap image, mask;
    List.GetBitmap(0, image);
    EXPECT_EQ(PictureOf(image), (TPictureRows{"r.", ".."}));

    // Disabled: embossed from the ink, the canvas's colours and brush as they were.
    List.Draw(Target.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(Target.Canvas().Pixels(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Target.Canvas().Pixels(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Target.Canvas().Pixels(1, 0), clWhite);
    EXPECT_EQ(Target.Canvas().TextColor(), clBlack);
    EXPECT_EQ(Target.Canvas().Brush().Color(), clWhite);

    // An explicit mask hides its white pixels.
    PaintPicture(image, {"rr", "rr"});
    PaintPicture(mask, {"k.", ".."});
    EXPECT_EQ(List.Add(image, &mask), 2);
    List.Draw(Target.Canvas(), 1, 0, 2);
    EXPECT_EQ(PictureOf(Target)[0].substr(1), "r.");
}

TEST_F(ImageListTest, BadIndexesAndSizesRaiseTheOriginalsErrors) {
    TBitmap image;
    for (int32_t index : {-1, 2, INT32_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(List.Delete(index), EInvalidOperation);
        EXPECT_THROW(List.GetBitmap(index, image), EInvalidOperation);
        List.Draw(Target.Canvas(), 0, 0, index);  // draws nothing, as on the original
    }
    EXPECT_EQ(Target.Canvas().Pixels(0, 0), clWhite);
    TBitmap narrow;
    narrow.SetSize(1, 2);
    EXPECT_THROW(List.AddMasked(narrow, clDefault), EInvalidOperation);
    EXPECT_THROW(List.SetWidth(0), EInvalidOperation);
    EXPECT_EQ(List.Count(), 2);
    List.Delete(0);
    EXPECT_EQ(List.Count(), 1);
    List.SetWidth(3);
    EXPECT_EQ(List.Count(), 0);
}

}  // namespace
}  // namespace vex
