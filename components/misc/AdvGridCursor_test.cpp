#include <gtest/gtest.h>

#include <string>

#include "components/misc/AdvGrid.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"

namespace vex {

bool ShowsProgramCursor(uint32_t Id) {
    return GetCursor() == LoadCursor(1, Id);
}

namespace {

// A grid of 4 x 5 cells of 40 x 16 pixels with a fixed row and column, on screen at the
// form's top left; the cell (2, 3) holds a link.
struct TCursorScene : test::TListScene {
    TCursorScene() {
        Grid = Add<TAdvStringGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        Grid->SetDefaultColWidth(40);
        Grid->SetDefaultRowHeight(16);
        Grid->SetCursor(crCross);
        Grid->SetCells(2, 3, "mailto:ann@example.test");
        Application().ProcessMessages();
    }
    void MoveTo(int32_t Col, int32_t Row) {
        InjectMouseMove(Grid->ClientToScreen(Point(41 * Col + 20, 17 * Row + 8)));
        Application().ProcessMessages();
    }
    TAdvStringGrid* Grid = nullptr;
};

TEST(AdvGridCursor, TheGridsCursorsShowOverLinkCellsAndSelectingFixedCells) {
    const struct {
        const char* Name;
        TPoint Cell;
        bool URLShow;
        TMouseActions Actions;
        uint32_t Cursor;  // 0: the owner's
    } cases[] = {
        {"a link cell", {2, 3}, true, {}, 8009},
        {"a link cell without URLShow", {2, 3}, false, {}, 0},
        {"a plain cell", {3, 3}, true, {}, 0},
        {"a fixed column with RowSelect", {0, 3}, false, {.RowSelect = true}, 8010},
        {"a fixed column without it", {0, 3}, false, {.ColSelect = true}, 0},
        {"a fixed row with ColSelect", {3, 0}, false, {.ColSelect = true}, 8011},
        {"the corner with AllSelect", {0, 0}, false, {.AllSelect = true}, 8012},
        {"the corner without it", {0, 0}, false, {.ColSelect = true, .RowSelect = true}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TCursorScene s;
        s.Grid->SetURLShow(c.URLShow);
        s.Grid->MouseActions() = c.Actions;
        s.MoveTo(c.Cell.X, c.Cell.Y);
        if (c.Cursor != 0) {
            EXPECT_EQ(GetCursor(), LoadCursor(1, c.Cursor));
            EXPECT_EQ(s.Grid->Cursor(), static_cast<TCursor>(c.Cursor));
        } else {
            EXPECT_EQ(s.Grid->Cursor(), crCross);
        }
        // Off the special cells the owner's cursor is back.
        s.MoveTo(3, 4);
        EXPECT_EQ(s.Grid->Cursor(), crCross);
        EXPECT_NE(GetCursor(), LoadCursor(1, 8009));
    }
}

}  // namespace
}  // namespace vex
