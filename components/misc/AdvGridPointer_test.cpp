#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/keyboard.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using test::AdvCellPoint;
using test::TAdvGridScene;

TEST(AdvGridPointer, TheWheelMovesTheRowByTheSystemsLinesAndZoomsWithCtrl) {
    const struct {
        const char* Name;
        bool Ctrl;
        int32_t Delta;
        int32_t StartRow;
        int32_t Footers;
        int32_t Row;
        int32_t Zoom;
    } cases[] = {
        {"towards the user: down", false, -120, 5, 0, 8, 0},
        {"away: up", false, 120, 5, 0, 2, 0},
        {"not above the first data row", false, 120, 2, 0, 1, 0},
        {"to the last row at the end", false, -120, 18, 0, 19, 0},
        {"never into the footers", false, -120, 16, 2, 17, 0},
        {"two notches", false, -240, 5, 0, 11, 0},
        {"Ctrl towards the user: larger", true, -120, 5, 0, 5, 3},
        {"Ctrl away: smaller", true, 120, 5, 0, 5, -3},
        {"Ctrl past the largest zoom: no step", true, -480, 5, 0, 5, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetFixedFooters(c.Footers);
        s.Click(2, c.StartRow);
        ASSERT_EQ(s.Grid->WheelScrollLines(), 3);
        InjectMouseMove(s.Grid->ClientToScreen(AdvCellPoint(2, 2)));
        if (c.Ctrl) InjectKey(VK_CONTROL, true);
        InjectMouseWheel(c.Delta);
        if (c.Ctrl) InjectKey(VK_CONTROL, false);
        Application().ProcessMessages();
        EXPECT_EQ(s.Grid->Row(), c.Row);
        EXPECT_EQ(s.Grid->ZoomFactor(), c.Zoom);
    }
}

// A grid smaller than its cells, so panning has room to scroll.
struct TPanScene : TAdvGridScene {
    TPanScene() {
        Grid->SetBoundsRect(Rect(0, 0, 200, 100));
        Application().ProcessMessages();
    }
    void Middle(bool Down, TPoint At) {
        InjectMouseMove(Grid->ClientToScreen(At));
        InjectMouseButton(mbMiddle, Down);
        Application().ProcessMessages();
    }
    uint32_t Pixel(TPoint At) {
        test::PumpUntilIdle();
        PictureOfControl(*Grid, Picture);
        return Picture.ScanLine(At.Y)[At.X];
    }
    TBitmap Picture;
};

TEST(AdvGridPointer, TheMiddleButtonPansTowardsThePointerInTheAllowedDirections) {
    const struct {
        const char* Name;
        TIntelliPan Pan;
        TPoint To;  // where the pointer goes from the anchor at (100, 50)
        bool Down, Right;
    } cases[] = {
        {"vertical: down", ipVertical, {100, 95}, true, false},
        {"vertical: not across", ipVertical, {195, 50}, false, false},
        {"horizontal: across", ipHorizontal, {195, 95}, false, true},
        {"both", ipBoth, {195, 95}, true, true},
        {"over the anchor: still", ipBoth, {110, 60}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanScene s;
        s.Grid->SetIntelliPan(c.Pan);
        s.Middle(true, Point(100, 50));
        ASSERT_TRUE(s.Grid->Panning());
        // The anchor's black centre shows at the press point.
        EXPECT_EQ(s.Pixel(Point(100, 50)), ColorToPixel(clBlack));
        InjectMouseMove(s.Grid->ClientToScreen(c.To));
        test::PumpFor(std::chrono::milliseconds(200));
        EXPECT_EQ(s.Grid->TopRow() > 1, c.Down);
        EXPECT_EQ(s.Grid->LeftCol() > 1, c.Right);
        s.Middle(false, c.To);
        EXPECT_FALSE(s.Grid->Panning());
        const int32_t top = s.Grid->TopRow(), left = s.Grid->LeftCol();
        test::PumpFor(std::chrono::milliseconds(100));
        EXPECT_EQ(s.Grid->TopRow(), top);
        EXPECT_EQ(s.Grid->LeftCol(), left);
    }
}

TEST(AdvGridPointer, TheAnchorGoesWhenPanningEnds) {
    TPanScene s;
    s.Grid->SetCells(3, 3, "");
    const uint32_t before = s.Pixel(Point(100, 50));
    s.Middle(true, Point(100, 50));
    EXPECT_NE(s.Pixel(Point(100, 50)), before);
    s.Middle(false, Point(100, 50));
    EXPECT_EQ(s.Pixel(Point(100, 50)), before);
}

TEST(AdvGridPointer, PanningEndsWhenTheGridLosesTheMouse) {
    // The button may come up over another window, which then has the release.
    const struct {
        const char* Name;
        std::function<void(TPanScene&)> TakeMouse;
    } cases[] = {
        {"another window captures it",
         [](TPanScene& s) {
             auto* other = s.Add<test::TPlainPanel>(s.Form, Rect(0, 320, 40, 340));
             other->SetMouseCapture(true);
         }},
        {"the capture is released", [](TPanScene&) { ReleaseCapture(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanScene s;
        s.Middle(true, Point(100, 50));
        ASSERT_TRUE(s.Grid->Panning());
        c.TakeMouse(s);
        EXPECT_FALSE(s.Grid->Panning());
        InjectMouseMove(s.Grid->ClientToScreen(Point(100, 95)));
        test::PumpFor(std::chrono::milliseconds(150));
        EXPECT_EQ(s.Grid->TopRow(), 1);
    }
}

TEST(AdvGridPointer, TheWheelDoesNothingWhilePanning) {
    TPanScene s;
    s.Click(2, 2);
    s.Middle(true, Point(100, 50));
    InjectMouseWheel(-120);
    Application().ProcessMessages();
    EXPECT_EQ(s.Grid->Row(), 2);
    s.Middle(false, Point(100, 50));
}

}  // namespace
}  // namespace vex
