#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/rasterops.h"

namespace vex {
namespace {

// Everything SaveDC keeps, as text that shows what differs.
std::string StateOf(TCanvas& C) {
    std::ostringstream s;
    s << "pen " << C.Pen().Color() << "/" << C.Pen().Width() << "/" << C.Pen().Style() << "/"
      << C.Pen().Mode() << " brush " << C.Brush().Color() << "/" << C.Brush().Style() << " font "
      << C.Font().Name() << "/" << C.Font().Height() << "/" << C.Font().Color() << "/"
      << C.Font().Style().Contains(fsBold) << " text " << C.TextColor() << " back " << C.BkColor()
      << "/" << C.BkTransparent() << " align " << C.TextAlign() << " rop " << C.CopyMode()
      << " origin " << C.Origin().X << "," << C.Origin().Y << " pen at " << C.PenPos().X << ","
      << C.PenPos().Y;
    const TRect clip = C.ClipRect();
    s << " clip " << clip.Left << "," << clip.Top << "," << clip.Right << "," << clip.Bottom;
    return s.str();
}

void ChangeEverything(TCanvas& C, int Seed) {
    C.Pen().SetColor(clRed + Seed);
    C.Pen().SetWidth(2 + Seed);
    C.Pen().SetStyle(psDot);
    C.Pen().SetMode(pmXor);
    C.Brush().SetColor(clLime + Seed);
    C.Brush().SetStyle(bsClear);
    C.Font().SetName("Courier New");
    C.Font().SetHeight(-20 - Seed);
    C.Font().SetColor(clNavy);
    C.Font().SetStyle({fsBold});
    C.SetTextColor(clMaroon + Seed);
    C.SetBkColor(clTeal);
    C.SetBkTransparent(true);
    C.SetTextAlign(TA_BASELINE | TA_CENTER);
    C.SetCopyMode(SRCINVERT);
    C.SetOrigin(Point(3 + Seed, 4));
    C.MoveTo(7, 8 + Seed);
    C.IntersectClipRect(Rect(Seed, 1, 20, 15));
}

class CanvasState : public ::testing::Test {
protected:
    void SetUp() override { Bitmap.SetSize(30, 20); }
    TCanvas& C() { return Bitmap.Canvas(); }
    TBitmap Bitmap;
};

TEST_F(CanvasState, SavedStatesComeBackWholeAndInOrder) {
    const std::string initial = StateOf(C());
    EXPECT_EQ(SaveDC(C().Handle()), 1);
    ChangeEverything(C(), 1);
    const std::string first = StateOf(C());
    EXPECT_NE(first, initial);
    EXPECT_EQ(SaveDC(C().Handle()), 2);
    ChangeEverything(C(), 2);
    EXPECT_EQ(SaveDC(C().Handle()), 3);
    ChangeEverything(C(), 3);
    EXPECT_TRUE(RestoreDC(C().Handle(), -2));
    EXPECT_EQ(StateOf(C()), first);
    // A depth saved again holds what was saved the second time, not the first.
    EXPECT_EQ(SaveDC(C().Handle()), 2);
    ChangeEverything(C(), 4);
    EXPECT_TRUE(RestoreDC(C().Handle(), -1));
    EXPECT_EQ(StateOf(C()), first);
    EXPECT_EQ(SaveDC(C().Handle()), 2);
    EXPECT_TRUE(RestoreDC(C().Handle(), 1));
    EXPECT_EQ(StateOf(C()), initial);
    EXPECT_FALSE(RestoreDC(C().Handle(), -1));
}

TEST_F(CanvasState, IndexesThatNameNoSavedStateChangeNothing) {
    EXPECT_FALSE(RestoreDC(C().Handle(), -1));
    SaveDC(C().Handle());
    ChangeEverything(C(), 1);
    SaveDC(C().Handle());
    ChangeEverything(C(), 2);
    const std::string now = StateOf(C());
    for (int32_t index : {0, 3, -3, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(RestoreDC(C().Handle(), index));
        EXPECT_EQ(StateOf(C()), now);
    }
    EXPECT_TRUE(RestoreDC(C().Handle(), 2));
    EXPECT_TRUE(RestoreDC(C().Handle(), 1));
    EXPECT_EQ(SaveDC(nullptr), 0);
    EXPECT_FALSE(RestoreDC(nullptr, -1));
}

TEST_F(CanvasState, AGuardRestoresWhateverTheCodeInsideLeft) {
    const std::string initial = StateOf(C());
    EXPECT_THROW(
        {
            const TSavedDC saved(C().Handle());
            ChangeEverything(C(), 1);
            SaveDC(C().Handle());  // never restored
            ChangeEverything(C(), 2);
            throw std::runtime_error("painting failed");
        },
        std::runtime_error);
    EXPECT_EQ(StateOf(C()), initial);
    EXPECT_FALSE(RestoreDC(C().Handle(), -1));
    {
        const TSavedDC saved(C().Handle());
        ChangeEverything(C(), 1);
        RestoreDC(C().Handle(), 1);  // restores past the guard
        ChangeEverything(C(), 2);
    }
    EXPECT_NE(StateOf(C()), initial);
}

TEST_F(CanvasState, TheStackStopsAtItsLimitAndStillUnwinds) {
    for (int32_t i = 1; i <= TCanvas::MaxSavedStates; ++i)
        ASSERT_EQ(SaveDC(C().Handle()), i);
    EXPECT_EQ(SaveDC(C().Handle()), 0);
    EXPECT_TRUE(RestoreDC(C().Handle(), 1));
    EXPECT_EQ(SaveDC(C().Handle()), 1);
}

}  // namespace
}  // namespace vex
