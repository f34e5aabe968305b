#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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
      << C.Font().Style().Contains(fsBold) << "/" << C.Font().Pitch() << "/"
      << int{C.Font().Charset()} << "/" << C.Font().Orientation() << " pattern "
      << (C.Brush().Pattern().Empty() ? -1 : static_cast<int64_t>(C.Brush().Pattern().At(0, 0)))
      << " text " << C.TextColor() << " back " << C.BkColor() << "/" << C.BkTransparent()
      << " align " << C.TextAlign() << " rop " << C.CopyMode() << " origin " << C.Origin().X << ","
      << C.Origin().Y << " pen at " << C.PenPos().X << "," << C.PenPos().Y;
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

// Each part of the state changed alone comes back, and a depth saved again after a restore
// holds the new value, not what the depth held before.
TEST_F(CanvasState, EachPartAloneComesBackFromEverySave) {
    TBitmap tileA, tileB;
    tileA.SetSize(2, 2);
    tileB.SetSize(2, 2);
    tileA.Canvas().Brush().SetColor(clRed);
    tileA.Canvas().FillRect(Rect(0, 0, 2, 2));
    const std::vector<std::pair<std::string, std::function<void(TCanvas&, int)>>> changes = {
        {"pen colour", [](TCanvas& C, int V) { C.Pen().SetColor(clRed + V); }},
        {"pen width", [](TCanvas& C, int V) { C.Pen().SetWidth(2 + V); }},
        {"pen style", [](TCanvas& C, int V) { C.Pen().SetStyle(V == 1 ? psDot : psDash); }},
        {"pen mode", [](TCanvas& C, int V) { C.Pen().SetMode(V == 1 ? pmXor : pmNot); }},
        {"brush colour", [](TCanvas& C, int V) { C.Brush().SetColor(clLime + V); }},
        {"brush style", [](TCanvas& C, int V) { C.Brush().SetStyle(V == 1 ? bsClear : bsSolid); }},
        {"brush pattern from one bitmap",
         [&](TCanvas& C, int V) {
             tileB.Canvas().Brush().SetColor(V == 1 ? clBlue : clYellow);
             tileB.Canvas().FillRect(Rect(0, 0, 2, 2));
             C.Brush().SetBitmap(&tileB);
         }},
        {"brush pattern",
         [&](TCanvas& C, int V) { C.Brush().SetBitmap(V == 1 ? &tileA : &tileB); }},
        {"font name",
         [](TCanvas& C, int V) { C.Font().SetName(V == 1 ? "Courier New" : "Arial"); }},
        {"font height", [](TCanvas& C, int V) { C.Font().SetHeight(-20 - V); }},
        {"font colour", [](TCanvas& C, int V) { C.Font().SetColor(clNavy + V); }},
        {"font style",
         [](TCanvas& C, int V) {
             C.Font().SetStyle(V == 1 ? TFontStyles{fsBold} : TFontStyles{});
         }},
        {"font pitch", [](TCanvas& C, int V) { C.Font().SetPitch(V == 1 ? fpFixed : fpVariable); }},
        {"font charset",
         [](TCanvas& C, int V) { C.Font().SetCharset(static_cast<uint8_t>(V + 2)); }},
        {"font orientation", [](TCanvas& C, int V) { C.Font().SetOrientation(450 * V); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        TBitmap bitmap;
        bitmap.SetSize(4, 4);
        TCanvas& c = bitmap.Canvas();
        const std::string initial = StateOf(c);
        ASSERT_EQ(SaveDC(c.Handle()), 1);
        change(c, 1);
        const std::string once = StateOf(c);
        EXPECT_NE(once, initial);
        ASSERT_TRUE(RestoreDC(c.Handle(), -1));
        EXPECT_EQ(StateOf(c), initial);
        change(c, 1);
        ASSERT_EQ(SaveDC(c.Handle()), 1);
        change(c, 2);
        EXPECT_NE(StateOf(c), once);
        ASSERT_TRUE(RestoreDC(c.Handle(), -1));
        EXPECT_EQ(StateOf(c), once);
    }
}

TEST_F(CanvasState, AResetCanvasIsAsNew) {
    const std::string initial = StateOf(C());
    C().SetBaseClip(TRegion(Rect(2, 2, 9, 9)));
    ChangeEverything(C(), 1);
    SaveDC(C().Handle());
    ChangeEverything(C(), 2);
    C().ResetState();
    EXPECT_EQ(StateOf(C()), initial);
    EXPECT_FALSE(C().BaseClip().has_value());
    EXPECT_FALSE(RestoreDC(C().Handle(), -1));
    EXPECT_EQ(SaveDC(C().Handle()), 1);
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
