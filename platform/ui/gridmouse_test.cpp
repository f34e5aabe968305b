#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/ui/grid_testsupport.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

using test::ClickAt;
using test::DragBetween;
using test::TGridScene;

// The cells of the grid: column c spans 31c .. 31c + 30, row r spans 15r .. 15r + 14.
TPoint CellPoint(int32_t Col, int32_t Row) {
    return Point(31 * Col + 15, 15 * Row + 7);
}

void Press(TControl& Control, TPoint At) {
    InjectMouseMove(Control.ClientToScreen(At));
    InjectMouseButton(mbLeft, true);
    Application().ProcessMessages();
}

void MoveTo(TControl& Control, TPoint At) {
    InjectMouseMove(Control.ClientToScreen(At));
    Application().ProcessMessages();
}

void Release() {
    InjectMouseButton(mbLeft, false);
    Application().ProcessMessages();
}

TEST(GridMouse, ClicksAndDragsSelect) {
    struct TCase {
        std::string Name;
        TGridOptions Options;
        std::vector<int32_t> Modifiers;
        TPoint From, To;
        TGridRect Selection;
    };
    const TGridOptions lines = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine};
    const std::vector<TCase> cases = {
        {"click", lines, {}, CellPoint(2, 3), CellPoint(2, 3), {2, 3, 2, 3}},
        {"click on a fixed cell", lines, {}, CellPoint(0, 3), CellPoint(0, 3), {1, 1, 1, 1}},
        {"drag",
         lines + TGridOptions{goRangeSelect},
         {},
         CellPoint(1, 1),
         CellPoint(3, 3),
         {1, 1, 3, 3}},
        {"drag backwards",
         lines + TGridOptions{goRangeSelect},
         {},
         CellPoint(4, 4),
         CellPoint(2, 3),
         {2, 3, 4, 4}},
        {"drag without range select", lines, {}, CellPoint(1, 1), CellPoint(3, 3), {3, 3, 3, 3}},
        {"shift click",
         lines + TGridOptions{goRangeSelect},
         {VK_SHIFT},
         CellPoint(3, 2),
         CellPoint(3, 2),
         {1, 1, 3, 2}},
        {"row select",
         lines + TGridOptions{goRowSelect, goRangeSelect},
         {},
         CellPoint(2, 2),
         CellPoint(3, 4),
         {1, 2, 9, 4}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridScene s;
        s.Grid->SetOptions(c.Options);
        if (c.From.X == c.To.X && c.From.Y == c.To.Y)
            ClickAt(*s.Grid, c.From, c.Modifiers);
        else
            DragBetween(*s.Grid, c.From, c.To);
        EXPECT_EQ(s.Grid->Selection(), c.Selection);
        EXPECT_EQ(s.Grid->GridState(), gsNormal);
    }
}

TEST(GridMouse, DraggingAColumnBorderShowsALineAndSizesAtTheRelease) {
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColSizing});
    Press(*s.Grid, Point(61, 5));  // the right border of column 1, in the fixed row
    MoveTo(*s.Grid, Point(81, 5));
    EXPECT_EQ(s.Grid->GridState(), gsColSizing);
    EXPECT_EQ(s.Grid->ColWidths(1), 30);
    EXPECT_TRUE(s.Log.empty());
    Release();
    EXPECT_EQ(s.Grid->ColWidths(1), 50);
    EXPECT_EQ(s.Log, std::vector<std::string>{"colwidths"});
    EXPECT_EQ(s.Grid->GridState(), gsNormal);
}

TEST(GridMouse, DraggingARowBorderSizesTheRow) {
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goRowSizing});
    DragBetween(*s.Grid, Point(5, 29), Point(5, 40));
    EXPECT_EQ(s.Grid->RowHeights(1), 25);
    EXPECT_EQ(s.Log, std::vector<std::string>{"rowheights"});
}

TEST(GridMouse, ASizeCannotGoBelowNothing) {
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColSizing});
    DragBetween(*s.Grid, Point(61, 5), Point(2, 5));
    EXPECT_EQ(s.Grid->ColWidths(1), 0);
}

TEST(GridMouse, BordersSizeOnlyInTheFixedCellsAndWithTheOption) {
    struct TCase {
        TGridOptions Options;
        TPoint At;
        TGridState State;
        int32_t Index;
    };
    const std::vector<TCase> cases = {
        {{goColSizing}, {61, 5}, gsColSizing, 1}, {{goColSizing}, {59, 5}, gsColSizing, 1},
        {{goColSizing}, {64, 5}, gsColSizing, 1}, {{goColSizing}, {50, 5}, gsNormal, -1},
        {{goColSizing}, {61, 40}, gsNormal, -1},  {{}, {61, 5}, gsNormal, -1},
        {{goRowSizing}, {5, 29}, gsRowSizing, 1}, {{goRowSizing}, {40, 29}, gsNormal, -1},
        {{goColSizing}, {30, 5}, gsColSizing, 0},
    };
    TGridScene s;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.At.X) + "," + std::to_string(c.At.Y));
        s.Grid->SetOptions(c.Options + TGridOptions{goVertLine, goHorzLine});
        TGridState state = gsNormal;
        int32_t index = -1, pos = 0, ofs = 0;
        s.Grid->CalcSizingState(c.At.X, c.At.Y, state, index, pos, ofs);
        EXPECT_EQ(state, c.State);
        EXPECT_EQ(index, c.Index);
    }
}

TEST(GridMouse, DraggingAFixedCellMovesItsColumnOrRow) {
    struct TCase {
        TGridOptions Options;
        TPoint From, To;
        std::string Moved;
    };
    const std::vector<TCase> cases = {
        {{goColMoving}, CellPoint(1, 0), CellPoint(3, 0), "colmoved 1->3"},
        {{goColMoving}, CellPoint(4, 0), CellPoint(2, 0), "colmoved 4->2"},
        {{goColMoving}, CellPoint(2, 0), Point(-20, 5), "colmoved 2->1"},  // never a fixed one
        {{goRowMoving}, CellPoint(0, 1), CellPoint(0, 3), "rowmoved 1->3"},
        {{}, CellPoint(1, 0), CellPoint(3, 0), ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Moved);
        TGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + c.Options);
        DragBetween(*s.Grid, c.From, c.To);
        EXPECT_EQ(s.Log,
                  c.Moved.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Moved});
    }
}

TEST(GridMouse, MovingAColumnTakesItsWidthAndTabStopAlong) {
    TGridScene s;
    s.Grid->SetColWidths(1, 44);
    s.Grid->SetTabStops(1, false);
    s.Grid->MoveColumn(1, 3);
    EXPECT_EQ(s.Grid->ColWidths(3), 44);
    EXPECT_EQ(s.Grid->ColWidths(1), 30);
    EXPECT_FALSE(s.Grid->TabStops(3));
    EXPECT_TRUE(s.Grid->TabStops(1));
    s.Grid->MoveRow(5, 2);
    EXPECT_EQ(s.Log, (std::vector<std::string>{"colwidths", "colmoved 1->3", "rowmoved 5->2"}));
}

TEST(GridMouse, HoldingTheButtonBelowTheCellsScrollsOnTheTimer) {
    TVirtualClock clock;
    TClockOverride use{clock};
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() - TGridOptions{goRangeSelect});
    Press(*s.Grid, CellPoint(1, 4));
    MoveTo(*s.Grid, Point(40, 130));
    ProcessMessagesUntil([] { return false; }, clock.TickMilliseconds() + 300);
    const int32_t row = s.Grid->Row();
    EXPECT_GT(row, 6);
    EXPECT_GT(s.Grid->TopRow(), 1);
    Release();
    ProcessMessagesUntil([] { return false; }, clock.TickMilliseconds() + 300);
    EXPECT_EQ(s.Grid->Row(), row);  // the timer stopped with the release
}

// The counts may shrink under a held button (a timer, a data change): the release then sizes or
// moves nothing that is gone, and raises nothing.
TEST(GridMouse, ShrinkingTheCountsUnderAHeldButtonEndsTheDragQuietly) {
    struct TCase {
        std::string Name;
        TGridOptions Extra;
        TPoint From, To;
        int32_t ColCount, RowCount;
    };
    const std::vector<TCase> cases = {
        {"moving a column", {goColMoving}, CellPoint(5, 0), CellPoint(2, 0), 4, 20},
        {"moving a row", {goRowMoving}, CellPoint(0, 5), CellPoint(0, 2), 10, 4},
        {"sizing a column", {goColSizing}, Point(5 * 31 + 30, 5), Point(5 * 31 + 10, 5), 4, 20},
        {"sizing a row", {goRowSizing}, Point(5, 5 * 15 + 14), Point(5, 5 * 15 + 4), 10, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + c.Extra);
        Press(*s.Grid, c.From);
        MoveTo(*s.Grid, c.To);
        s.Grid->SetColCount(c.ColCount);
        s.Grid->SetRowCount(c.RowCount);
        EXPECT_NO_THROW(Release());
        EXPECT_EQ(s.Grid->GridState(), gsNormal);
        EXPECT_TRUE(std::none_of(s.Log.begin(), s.Log.end(), [](const std::string& Note) {
            return Note.starts_with("colmoved") || Note.starts_with("rowmoved");
        }));
    }
}

// OnClick fires on each cell the drag makes current, and may free the grid there.
TEST(GridMouse, AGridFreedByOnClickWhileDraggingIsLeftAlone) {
    for (bool byTimer : {false, true}) {
        SCOPED_TRACE(byTimer ? "on the timer" : "on a move");
        TVirtualClock clock;
        TClockOverride use{clock};
        TGridScene s;
        Press(*s.Grid, CellPoint(1, 1));
        s.Grid->OnClick = [&s](TObject*) {
            TGridScene& scene = s;  // the closure goes with the grid
            delete scene.Grid;
            scene.Grid = nullptr;
        };
        MoveTo(*s.Grid, byTimer ? Point(40, 130) : CellPoint(2, 2));
        ProcessMessagesUntil([] { return false; }, clock.TickMilliseconds() + 300);
        Release();
        EXPECT_EQ(s.Grid, nullptr);
    }
}

// A column wider than any screen: its borders lie far outside, and the live line and the move
// mark drawn there stay in range.
TEST(GridMouse, DragsOverACellWiderThanTheScreenStayInRange) {
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColMoving, goColSizing});
    s.Grid->SetColWidths(2, INT32_MAX);
    Press(*s.Grid, CellPoint(1, 0));
    MoveTo(*s.Grid, CellPoint(2, 0));
    Release();
    EXPECT_EQ(s.Grid->ColWidths(1), INT32_MAX);  // column 2 moved onto 1
    Press(*s.Grid, Point(30, 5));                // the border of the fixed column
    MoveTo(*s.Grid, Point(190, 5));
    Release();
    EXPECT_EQ(s.Grid->ColWidths(0), 190);
}

}  // namespace
}  // namespace vex
