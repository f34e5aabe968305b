#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/gfx_testsupport.h"
#include "platform/ui/grid_testsupport.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/scrollbars.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::TGridScene;

// The scene's grid with its scroll bars: 184 x 84 of client area, four whole scrolling rows of
// the 19 and five whole columns of the 9.
struct TBarScene : TGridScene {
    TBarScene() {
        Grid->SetScrollBars(ssBoth);
        test::PumpUntilIdle();
        Log.clear();
    }
    std::string Bar(int Which) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        GetScrollInfo(Grid->Handle(), Which, info);
        return std::to_string(info.nMin) + ".." + std::to_string(info.nMax) + " page " +
               std::to_string(info.nPage) + " at " + std::to_string(info.nPos);
    }
};

TEST(GridScroll, ThumbsShowTheShareOfScrollingCellsInView) {
    TBarScene s;
    EXPECT_EQ(s.Bar(SB_VERT), "0..18 page 4 at 0");
    EXPECT_EQ(s.Bar(SB_HORZ), "0..8 page 4 at 0");
    s.Grid->SetTopRow(7);
    EXPECT_EQ(s.Bar(SB_VERT), "0..18 page 4 at 6");
    s.Grid->SetRowCount(3);  // everything fits: a range of one value, which hides the bar
    EXPECT_EQ(s.Bar(SB_VERT), "0..0 page 1 at 0");
}

TEST(GridScroll, TheThumbReachesEveryPartOfAMillionRows) {
    TBarScene s;
    s.Grid->SetRowCount(1'000'001);  // 1,000,000 scrolling rows: 16 to a step of the bar
    s.Grid->SetTopRow(500'001);
    EXPECT_EQ(s.Bar(SB_VERT), "0..62499 page 1 at 31250");
    s.Grid->Perform(WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 62499), 0);
    EXPECT_EQ(s.Grid->TopRow(), 999'985);
    s.Grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(s.Grid->TopRow(), 999'986);
}

TEST(GridScroll, ScrollBarRequestsMoveTheTopRow) {
    struct TCase {
        WPARAM Request;
        int32_t Top;
    };
    const std::vector<TCase> cases = {
        {SB_LINEDOWN, 6},
        {SB_LINEUP, 4},
        {SB_PAGEDOWN, 9},
        {SB_PAGEUP, 1},
        {SB_TOP, 1},
        {SB_BOTTOM, 16},
        {MAKELONG(SB_THUMBTRACK, 10), 11},
        {MAKELONG(SB_THUMBPOSITION, 100), 16},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Request);
        TBarScene s;
        s.Grid->SetTopRow(5);
        s.Grid->Perform(WM_VSCROLL, c.Request, 0);
        EXPECT_EQ(s.Grid->TopRow(), c.Top);
    }
}

TEST(GridScroll, TopLeftChangedFiresOncePerMoveAndNotForNothing) {
    TBarScene s;
    s.Grid->SetTopRow(3);
    s.Grid->SetTopRow(3);
    s.Grid->SetLeftCol(2);
    s.Grid->SetTopRow(1000 - 990);
    s.Grid->Perform(WM_HSCROLL, SB_LINEUP, 0);
    s.Grid->Perform(WM_HSCROLL, SB_LINEUP, 0);  // already at the first
    EXPECT_EQ(s.Log, (std::vector<std::string>{"topleft 1,3", "topleft 2,3", "topleft 2,10",
                                               "topleft 1,10"}));
}

TEST(GridScroll, ShrinkingTheGridPullsTheViewAndTheCurrentCellBack) {
    TBarScene s;
    s.Grid->SetFocus();
    s.Grid->SetRow(15);
    s.Grid->SetCol(8);
    s.Log.clear();
    s.Grid->SetRowCount(8);
    // The cells a descendant keeps are cut before the view moves onto them.
    EXPECT_EQ(s.Log, (std::vector<std::string>{"size 10x20->10x8", "topleft 5,4"}));
    s.Grid->SetColCount(4);
    EXPECT_EQ(s.Grid->Row(), 7);
    EXPECT_EQ(s.Grid->Col(), 3);
    // Without its horizontal bar the grid has room for five rows.
    EXPECT_EQ(s.Grid->TopRow(), 3);
    EXPECT_EQ(s.Grid->LeftCol(), 1);
}

TEST(GridScroll, ALiveLineOutlivesARepaintAndLeavesNothingBehind) {
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColSizing});
    s.Grid->SetFocus();
    test::PumpUntilIdle();
    TBitmap before, during, after;
    PictureOfControl(*s.Grid, before);
    InjectMouseMove(s.Grid->ClientToScreen(Point(61, 5)));
    InjectMouseButton(mbLeft, true);
    Application().ProcessMessages();
    InjectMouseMove(s.Grid->ClientToScreen(Point(90, 5)));
    Application().ProcessMessages();
    s.Grid->Invalidate();
    test::PumpUntilIdle();
    PictureOfControl(*s.Grid, during);
    EXPECT_NE(during.Canvas().Pixels(90, 50), before.Canvas().Pixels(90, 50));
    s.Grid->Perform(WM_CANCELMODE, 0, 0);
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    PictureOfControl(*s.Grid, after);
    EXPECT_EQ(PictureOf(after), PictureOf(before));
    EXPECT_EQ(s.Grid->ColWidths(1), 30);
}

}  // namespace
}  // namespace vex
