#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/region.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/dcstate.h"

namespace vex {
namespace {

// An A4 sheet at 600 dpi with a 5 mm border the device cannot print on.
const TCanvas::TDeviceSheet A4 = {{4961, 7016}, {118, 118}, {4725, 6780}};

TEST(CanvasDeviceSheet, GetDeviceCapsAnswersTheSheetOrWhatAScreenHas) {
    struct TCase {
        int32_t Index;
        int32_t OnScreen;
        int32_t OnSheet;
    };
    const std::vector<TCase> cases = {
        {HORZRES, 40, 4725},       {VERTRES, 30, 6780},
        {PHYSICALWIDTH, 0, 4961},  {PHYSICALHEIGHT, 0, 7016},
        {PHYSICALOFFSETX, 0, 118}, {PHYSICALOFFSETY, 0, 118},
        {LOGPIXELSX, 96, 96},      {12345, 0, 0},
    };
    TBitmap bitmap;
    bitmap.SetSize(40, 30);
    TCanvas& canvas = bitmap.Canvas();
    for (const TCase& c : cases)
        EXPECT_EQ(GetDeviceCaps(canvas.Handle(), c.Index), c.OnScreen) << c.Index;
    canvas.SetDeviceSheet(A4);
    for (const TCase& c : cases)
        EXPECT_EQ(GetDeviceCaps(canvas.Handle(), c.Index), c.OnSheet) << c.Index;
    canvas.ResetState();
    EXPECT_EQ(GetDeviceCaps(canvas.Handle(), PHYSICALWIDTH), 4961) << "the sheet is the device's";
    canvas.SetDeviceSheet(std::nullopt);
    EXPECT_EQ(GetDeviceCaps(canvas.Handle(), PHYSICALWIDTH), 0);
}

// A printer's canvas has no pixels; asked what is visible it answers for the printable area.
TEST(CanvasDeviceSheet, ClipQueriesAnswerForThePrintableArea) {
    struct TCase {
        const char* Name;
        std::function<int(TCanvas&)> Clip;
        int Kind;
        TRect Box;
        std::vector<std::pair<TPoint, bool>> Visible;
    };
    const std::vector<TCase> cases = {
        {"none",
         [](TCanvas& C) {
             TRect box;
             return C.GetClipBox(box);
         },
         SIMPLEREGION,
         Rect(0, 0, 4725, 6780),
         {{Point(0, 0), true},
          {Point(4724, 6779), true},
          {Point(4725, 0), false},
          {Point(-1, 5), false}}},
        {"intersected",
         [](TCanvas& C) { return C.IntersectClipRect(Rect(100, 200, 300, 400)); },
         SIMPLEREGION,
         Rect(100, 200, 300, 400),
         {{Point(100, 200), true}, {Point(299, 399), true}, {Point(300, 300), false}}},
        {"beyond the page",
         [](TCanvas& C) { return C.IntersectClipRect(Rect(4000, 0, 9000, 10)); },
         SIMPLEREGION,
         Rect(4000, 0, 4725, 10),
         {{Point(4800, 5), false}}},
        {"off the page",
         [](TCanvas& C) { return C.IntersectClipRect(Rect(5000, 0, 9000, 10)); },
         NULLREGION,
         Rect(0, 0, 0, 0),
         {{Point(5000, 5), false}}},
        {"a hole",
         [](TCanvas& C) { return C.ExcludeClipRect(Rect(10, 10, 20, 20)); },
         COMPLEXREGION,
         Rect(0, 0, 4725, 6780),
         {{Point(15, 15), false}, {Point(25, 15), true}}},
        {"metric",
         [](TCanvas& C) {
             C.SetMapMode(MM_LOMETRIC);
             C.SetPixelsPerInch(254, 254);
             return C.IntersectClipRect(Rect(0, 0, 100, -50));
         },
         SIMPLEREGION,
         Rect(0, 0, 100, -50),
         {{Point(50, -25), true}, {Point(50, 25), false}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap nothing;
        TCanvas canvas(nothing);
        canvas.SetDeviceSheet(A4);
        EXPECT_EQ(c.Clip(canvas), c.Kind);
        TRect box;
        EXPECT_EQ(canvas.GetClipBox(box), c.Kind);
        EXPECT_EQ(box, c.Box);
        EXPECT_EQ(canvas.ClipRect(), c.Box);
        for (const auto& [point, visible] : c.Visible)
            EXPECT_EQ(canvas.PtVisible(point.X, point.Y), visible) << point.X << "," << point.Y;
        EXPECT_TRUE(canvas.Reach().Empty()) << "drawing still reaches no pixels";
    }
}

// A printer at a high resolution has pages larger than any bitmap; a hole cut into the clip
// leaves all the rest of such a page visible, to the queries and to a replay of the calls.
TEST(CanvasDeviceSheet, AHoleLeavesAllOfAPageLargerThanAnyBitmap) {
    const TCanvas::TDeviceSheet legalAt2400 = {{20400, 33600}, {0, 0}, {20400, 33600}};
    TBitmap nothing;
    TCanvas canvas(nothing);
    canvas.SetDeviceSheet(legalAt2400);
    EXPECT_EQ(canvas.ExcludeClipRect(Rect(10, 10, 20, 20)), COMPLEXREGION);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 20400, 33600));
    EXPECT_TRUE(canvas.PtVisible(20399, 33599));
    EXPECT_TRUE(canvas.PtVisible(100, 20000));
    EXPECT_FALSE(canvas.PtVisible(15, 15));

    TCanvasRecorder recorder(canvas, TRecordLevel::Primitives);
    canvas.FillRect(Rect(0, 0, 20400, 33600));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    ASSERT_TRUE(recorder.Calls()[0].UserClip.has_value());
    EXPECT_TRUE(recorder.Calls()[0].UserClip->Contains(Point(20399, 33599)));
}

// Where a unit is wider than a pixel (a metric page at 600 dpi), the clip box read back and
// given to IntersectClipRect leaves every logical point as visible as it was.
TEST(CanvasDeviceSheet, AMetricClipBoxGivenBackKeepsWhatWasVisible) {
    const std::vector<TRect> deviceClips = {Rect(0, 0, 4725, 6780), Rect(6, 6, 4000, 3000),
                                            Rect(7, 13, 101, 203), Rect(1, 2, 3, 5)};
    for (const TRect& device : deviceClips) {
        SCOPED_TRACE(testing::PrintToString(device));
        TBitmap nothing;
        TCanvas canvas(nothing);
        canvas.SetDeviceSheet(A4);
        canvas.SetPixelsPerInch(600, 600);
        canvas.SetMapMode(MM_LOMETRIC);
        const TRegion region(device);
        canvas.SelectClipRgn(&region);
        const TRect box = canvas.ClipRect();
        const auto visible = [&] {
            std::vector<bool> row, column;
            const int32_t midX = (box.Left + box.Right) / 2, midY = (box.Top + box.Bottom) / 2;
            for (int32_t x = box.Left - 3; x <= box.Right + 3; ++x)
                row.push_back(canvas.PtVisible(x, midY));
            for (int32_t y = box.Bottom - 3; y <= box.Top + 3; ++y)
                column.push_back(canvas.PtVisible(midX, y));
            return std::make_pair(row, column);
        };
        const auto before = visible();
        EXPECT_NE(canvas.IntersectClipRect(box), NULLREGION);
        EXPECT_EQ(visible(), before);
        EXPECT_EQ(canvas.ClipRect(), box);
    }
}

// The sheet answers queries only: drawing stays on the bitmap's pixels, and a sheet given to a
// canvas that has some leaves its picture as it was.
TEST(CanvasDeviceSheet, DrawingStillReachesOnlyTheBitmap) {
    TBitmap bitmap;
    bitmap.SetSize(8, 4);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetDeviceSheet(A4);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 4725, 6780));
    EXPECT_EQ(canvas.Pixels(7, 3), clRed);
    EXPECT_EQ(canvas.Pixels(8, 3), -1);
    EXPECT_EQ(canvas.Reach().Bounds(), Rect(0, 0, 8, 4));
    EXPECT_TRUE(canvas.PtVisible(100, 100));
}

}  // namespace
}  // namespace vex
