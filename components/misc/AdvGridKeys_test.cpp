#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::TAdvGridScene;

struct TEnterCase {
    const char* Name;
    TAdvanceDirection Direction;
    bool Insert;
    int32_t Footers, RightCols;
    int32_t Col, Row;
    const char* Current;
    int32_t ColCount, RowCount;
    std::vector<std::string> Events;
};

TEST(AdvGridKeys, EnterMovesOnWrapsAndAppends) {
    const std::vector<TEnterCase> cases = {
        {"next column", adLeftRight, false, 0, 0, 3, 4, "4:4", 10, 20, {}},
        {"last column: next row", adLeftRight, false, 0, 0, 9, 4, "1:5", 10, 20, {}},
        {"last cell wraps to the top", adLeftRight, false, 0, 0, 9, 19, "1:1", 10, 20, {}},
        {"last cell appends a row",
         adLeftRight,
         true,
         0,
         0,
         9,
         19,
         "1:20",
         10,
         21,
         {"insertrow 20"}},
        {"before the right fixed column", adLeftRight, false, 0, 1, 8, 4, "1:5", 10, 20, {}},
        {"the new row goes above the footer",
         adLeftRight,
         true,
         1,
         0,
         9,
         18,
         "1:19",
         10,
         21,
         {"insertrow 19"}},
        {"next row", adTopBottom, false, 0, 0, 3, 4, "3:5", 10, 20, {}},
        {"last row: next column", adTopBottom, false, 0, 0, 3, 19, "4:1", 10, 20, {}},
        {"last cell appends a column",
         adTopBottom,
         true,
         0,
         0,
         9,
         19,
         "10:1",
         11,
         20,
         {"insertcol 10"}},
        {"the new column goes left of the right fixed one",
         adTopBottom,
         true,
         0,
         1,
         8,
         19,
         "9:1",
         11,
         20,
         {"insertcol 9"}},
    };
    for (const TEnterCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.LogEvents();
        s.Grid->Navigation().AdvanceOnEnter = true;
        s.Grid->Navigation().AdvanceInsert = c.Insert;
        s.Grid->Navigation().AdvanceDirection = c.Direction;
        s.Grid->SetFixedFooters(c.Footers);
        s.Grid->SetFixedRightCols(c.RightCols);
        s.Grid->SetCol(c.Col);
        s.Grid->SetRow(c.Row);
        s.Log.clear();
        s.Keys({VK_RETURN});
        EXPECT_EQ(s.Current(), c.Current);
        EXPECT_EQ(s.Grid->ColCount(), c.ColCount);
        EXPECT_EQ(s.Grid->RowCount(), c.RowCount);
        EXPECT_EQ(s.Log, c.Events);
    }
}

TEST(AdvGridKeys, TheFooterMovesDownWithAnAppendedRow) {
    TAdvGridScene s;
    s.Grid->Navigation().AdvanceOnEnter = true;
    s.Grid->Navigation().AdvanceInsert = true;
    s.Grid->SetFixedFooters(1);
    s.Grid->SetCells(1, 19, "total");
    s.Grid->SetCol(9);
    s.Grid->SetRow(18);
    s.Keys({VK_RETURN});
    EXPECT_EQ(s.Grid->Cells(1, 20), "total");
    EXPECT_EQ(s.Grid->Cells(1, 19), "");
}

TEST(AdvGridKeys, EscapePutsBackOnlyTheTextOfTheCellThatWasSelected) {
    const struct {
        const char* Name;
        std::function<void(TAdvGridScene&)> Before;
        const char* Cell;
        const char* Text;
    } cases[] = {
        {"the selected cell changed", [](TAdvGridScene& S) { S.Grid->SetCells(2, 3, "new"); },
         "2:3", "2:3"},
        {"a footer cell refused the click",
         [](TAdvGridScene& S) {
             S.Grid->SetFixedFooters(1);
             S.Click(2, 19);
         },
         "2:3", "2:3"},
        {"the count moved the current cell",
         [](TAdvGridScene& S) { S.Grid->SetRowCount(3); },  // to 2:2, never selected
         "2:2", "2:2"},
        {"Insert put an empty row in its place",
         [](TAdvGridScene& S) {
             S.Grid->Navigation().AllowInsertRow = true;
             S.Keys({VK_INSERT});
         },
         "2:3", ""},
        {"Delete brought the next row up",
         [](TAdvGridScene& S) {
             S.Grid->Navigation().AllowDeleteRow = true;
             S.Keys({VK_DELETE});
         },
         "2:3", "2:4"},
        {"a dragged column moved the next one under it",
         [](TAdvGridScene& S) {
             S.Grid->SetOptions(S.Grid->Options() + TGridOptions{goColMoving});
             test::DragBetween(*S.Grid, test::AdvCellPoint(2, 0), test::AdvCellPoint(5, 0));
         },
         "2:3", "3:3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Click(2, 3);
        c.Before(s);
        s.Keys({VK_ESCAPE});
        EXPECT_EQ(s.Current(), c.Cell);
        EXPECT_EQ(s.Grid->Cells(s.Grid->Col(), s.Grid->Row()), c.Text);
    }
}

TEST(AdvGridKeys, ATypedLetterFindsTheFirstRowStartingWithItInTheSortColumn) {
    const struct {
        const char* Name;
        bool Editing, SortShow;
        int32_t SortColumn;
        int32_t Key;
        int32_t Row;
    } cases[] = {
        {"column 1 without SortShow", false, false, 3, 'B', 5},
        {"the sort column", false, true, 3, 'B', 7},
        {"nothing starts with it", false, true, 3, 'Z', 1},
        {"editing on", true, true, 3, 'B', 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->Navigation().AutoGotoWhenSorted = true;
        s.Grid->SetSortShow(c.SortShow);
        s.Grid->SetSortColumn(c.SortColumn);
        if (c.Editing) s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
        s.Grid->SetCells(1, 4, "bravo");  // lower case: the comparison keeps case
        s.Grid->SetCells(1, 5, "Bravo");
        s.Grid->SetCells(3, 7, "Beta");
        s.Keys({c.Key});
        EXPECT_EQ(s.Grid->Row(), c.Row);
    }
}

TEST(AdvGridKeys, DeleteRemovesTheCurrentRowWhileAnotherDataRowIsLeft) {
    const struct {
        const char* Name;
        int32_t Rows, Footers, Row;
        int32_t RowCount, Current;
        std::vector<std::string> Events;
    } cases[] = {
        {"a middle row", 20, 0, 5, 19, 5, {"deleterow 5"}},
        {"the last row", 20, 0, 19, 19, 18, {"deleterow 19"}},
        {"the last row above a footer", 20, 1, 18, 19, 17, {"deleterow 18"}},
        {"the only data row", 2, 0, 1, 2, 1, {}},
        {"the only data row above a footer", 3, 1, 1, 3, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.LogEvents();
        s.Grid->Navigation().AllowDeleteRow = true;
        s.Grid->SetRowCount(c.Rows);
        s.Grid->SetFixedFooters(c.Footers);
        s.Grid->SetRow(c.Row);
        s.Log.clear();
        s.Keys({VK_DELETE});
        EXPECT_EQ(s.Grid->RowCount(), c.RowCount);
        EXPECT_EQ(s.Grid->Row(), c.Current);
        EXPECT_EQ(s.Log, c.Events);
    }
}

TEST(AdvGridKeys, InsertAddsAnEmptyRowAtTheCurrentRowUnlessAModifierIsHeld) {
    const struct {
        const char* Name;
        std::vector<int32_t> Keys;
        int32_t RowCount;
        std::vector<std::string> Events;
    } cases[] = {
        {"Insert", {VK_INSERT}, 21, {"insertrow 4"}},
        {"Ctrl+Insert", {VK_CONTROL, VK_INSERT}, 20, {}},
        {"Shift+Insert", {VK_SHIFT, VK_INSERT}, 20, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.LogEvents();
        s.Grid->Navigation().AllowInsertRow = true;
        s.Grid->SetRow(4);
        s.Log.clear();
        s.Keys(c.Keys);
        EXPECT_EQ(s.Grid->RowCount(), c.RowCount);
        EXPECT_EQ(s.Log, c.Events);
        if (c.RowCount == 21) {
            EXPECT_EQ(s.RowText(4), ",,,,,,,,,");
            EXPECT_EQ(s.Grid->Cells(1, 5), "1:4");
        }
    }
}

TEST(AdvGridKeys, ClipboardShortCutsCopyCutAndPaste) {
    const struct {
        const char* Name;
        std::vector<int32_t> Keys;
        const char* Clipboard;
        const char* Cell;
    } cases[] = {
        {"Ctrl+C", {VK_CONTROL, 'C'}, "2:3", "2:3"},
        {"Ctrl+Insert", {VK_CONTROL, VK_INSERT}, "2:3", "2:3"},
        {"Ctrl+X", {VK_CONTROL, 'X'}, "2:3", ""},
        {"Shift+Delete", {VK_SHIFT, VK_DELETE}, "2:3", ""},
        {"Ctrl+V", {VK_CONTROL, 'V'}, "before", "before"},
        {"Shift+Insert", {VK_SHIFT, VK_INSERT}, "before", "before"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->Navigation().AllowClipboardShortCuts = true;
        s.Grid->Navigation().AllowInsertRow = true;
        s.Grid->Navigation().AllowDeleteRow = true;
        s.Click(2, 3);
        test::PutOnClipboard("before");
        s.Keys(c.Keys);
        EXPECT_EQ(test::ClipboardText(), c.Clipboard);
        EXPECT_EQ(s.Grid->Cells(2, 3), c.Cell);
        EXPECT_EQ(s.Grid->RowCount(), 20);
    }
}

}  // namespace
}  // namespace vex
