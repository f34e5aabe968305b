#include "platform/gfx/edges.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/gfx_testsupport.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

// 'W' highlight, 'L' light grey, 'S' shadow, 'K' black, 'r' red (untouched), '?' other.
Rows Picture(const TBitmap& Bitmap) {
    return PictureOf(
        Bitmap,
        {{'W', 0xFFFFFF}, {'L', 0xC0C0C0}, {'S', 0x808080}, {'K', 0x000000}, {'r', 0xFF0000}});
}

class EdgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bitmap.SetSize(6, 6);
        Bitmap.Canvas().Brush().SetColor(clRed);
        Bitmap.Canvas().FillRect(Rect(0, 0, 6, 6));
    }
    TBitmap Bitmap;
};

TEST_F(EdgeTest, EdgesPutTheClassicColoursWhereTheyBelong) {
    for (const TPictureCase& c : LoadPictureCases("edges.txt")) {
        SCOPED_TRACE(c.Name);
        SetUp();
        TRect r = Rect(0, 0, 6, 6);
        ASSERT_TRUE(DrawEdge(Bitmap.Canvas().Handle(), r, static_cast<uint32_t>(c.Fields.Int(0)),
                             static_cast<uint32_t>(c.Fields.Int(1))));
        EXPECT_EQ(Picture(Bitmap), c.Picture);
        EXPECT_EQ(r, CaseRect(c.Fields, 2));
    }
}

TEST_F(EdgeTest, DegenerateRectanglesDrawNothingAndStayPut) {
    for (TRect r : {Rect(3, 3, 3, 9), Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN),
                    Rect(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN)}) {
        const TRect before = r;
        DrawEdge(Bitmap.Canvas().Handle(), r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        EXPECT_EQ(r, before);
    }
    TRect huge = Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    DrawEdge(Bitmap.Canvas().Handle(), huge, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(Picture(Bitmap)[0], "LLLLLL");
    EXPECT_FALSE(DrawEdge(nullptr, huge, EDGE_RAISED, BF_RECT));
}

TEST_F(EdgeTest, FocusRectInvertsEveryOtherBorderPixelAndTwiceRestores) {
    const Rows before = Picture(Bitmap);
    DrawFocusRect(Bitmap.Canvas().Handle(), Rect(0, 0, 5, 4));
    EXPECT_EQ(Picture(Bitmap), (Rows{"?r?r?r", "rrrrrr", "?rrr?r", "r?r?rr", "rrrrrr", "rrrrrr"}));
    DrawFocusRect(Bitmap.Canvas().Handle(), Rect(0, 0, 5, 4));
    EXPECT_EQ(Picture(Bitmap), before);
    DrawFocusRect(Bitmap.Canvas().Handle(), Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    DrawFocusRect(Bitmap.Canvas().Handle(), Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    EXPECT_EQ(Picture(Bitmap), before);
}

TEST_F(EdgeTest, FrameControlsAtTheEndsOfTheCoordinateRangeDrawNothingOutside) {
    const Rows before = Picture(Bitmap);
    for (uint32_t state :
         {DFCS_BUTTONCHECK | DFCS_FLAT, DFCS_BUTTONCHECK | DFCS_MONO | DFCS_CHECKED,
          DFCS_BUTTONCHECK, DFCS_BUTTONRADIO | DFCS_FLAT, DFCS_BUTTONPUSH | DFCS_CHECKED}) {
        for (TRect r : {Rect(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX),
                        Rect(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN),
                        Rect(INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX),
                        Rect(INT32_MIN, INT32_MIN, INT32_MIN + 1, INT32_MIN + 1)}) {
            SCOPED_TRACE(testing::Message() << state << " at " << r.Left);
            const TRect given = r;
            EXPECT_TRUE(DrawFrameControl(Bitmap.Canvas().Handle(), r, DFC_BUTTON, state));
            EXPECT_EQ(r, given);
        }
    }
    EXPECT_EQ(Picture(Bitmap), before);
}

TEST_F(EdgeTest, FrameControlsInAnEmptyRectangleDrawNothing) {
    const Rows before = Picture(Bitmap);
    for (uint32_t state : {DFCS_SCROLLCOMBOBOX, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED | DFCS_FLAT,
                           DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE, DFCS_SCROLLUP})
        for (TRect r : {Rect(2, 2, 2, 5), Rect(2, 2, 5, 2), Rect(4, 4, 2, 2)}) {
            SCOPED_TRACE(testing::Message() << state << " at " << r.Left << "," << r.Right);
            DrawFrameControl(Bitmap.Canvas().Handle(), r, DFC_SCROLL, state);
        }
    for (TRect r : {Rect(2, 2, 2, 5), Rect(4, 4, 2, 2)})
        DrawFrameControl(Bitmap.Canvas().Handle(), r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(Picture(Bitmap), before);
}

TEST_F(EdgeTest, FrameControlsAnswerAlikeWhateverTheirRectangle) {
    const struct {
        uint32_t Type, State;
        bool Drawn;
    } cases[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH, true},
        {DFC_BUTTON, DFCS_BUTTONRADIO, true},
        {DFC_BUTTON, 0x7F, false},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX, true},
        {DFC_SCROLL, DFCS_SCROLLRIGHT, true},
        {DFC_SCROLL, 0x7F, false},
        {0, DFCS_BUTTONPUSH, false},
    };
    for (const auto& c : cases)
        for (TRect r : {Rect(2, 2, 6, 6), Rect(2, 2, 2, 5), Rect(4, 4, 2, 2)}) {
            SCOPED_TRACE(testing::Message()
                         << c.Type << "/" << c.State << " at " << r.Left << "," << r.Right);
            EXPECT_EQ(DrawFrameControl(Bitmap.Canvas().Handle(), r, c.Type, c.State), c.Drawn);
        }
}

TEST(FrameControl, ComboArrowAndRaisedButtonLookClassic) {
    TBitmap b;
    b.SetSize(16, 16);
    TRect r = Rect(0, 0, 16, 16);
    ASSERT_TRUE(DrawFrameControl(b.Canvas().Handle(), r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX));
    const Rows rows = Picture(b);
    EXPECT_EQ(rows[0], "WWWWWWWWWWWWWWWK");
    EXPECT_EQ(rows[15], "KKKKKKKKKKKKKKKK");
    // A 7-wide, 4-deep arrow pointing down in the middle.
    EXPECT_EQ(rows[6], "WLLLKKKKKKKLLLSK");
    EXPECT_EQ(rows[9], "WLLLLLLKLLLLLLSK");
    EXPECT_FALSE(DrawFrameControl(b.Canvas().Handle(), r, 99, 0));
}

}  // namespace
}  // namespace vex
