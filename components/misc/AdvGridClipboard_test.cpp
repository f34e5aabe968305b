#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/ui/inplaceedit.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::TAdvGridScene;

TEST(AdvGridClipboard, CopyJoinsCellsByTabAndRowsByCrLfWithNoBreakAtTheEnd) {
    const struct {
        const char* Name;
        TGridRect Selection;
        const char* Text;
    } cases[] = {
        {"two by two", {2, 3, 3, 4}, "2:3\t3:3\r\n2:4\t3:4"},
        {"one column", {1, 1, 1, 3}, "1:1\r\n1:2\r\n1:3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetSelection(c.Selection);
        s.Grid->CopyToClipboard();
        EXPECT_EQ(test::ClipboardText(), c.Text);
    }
}

TEST(AdvGridClipboard, CopyAndCutSkipHiddenColumns) {
    TAdvGridScene s;
    s.Grid->HideColumn(3);
    s.Grid->SetSelection({2, 2, 3, 2});  // display columns 2 and 3: real 2 and 4
    s.Grid->CutToClipboard();
    EXPECT_EQ(test::ClipboardText(), "2:2\t4:2");
    EXPECT_EQ(s.RowText(2), ",1:2,,3:2,,5:2,6:2,7:2,8:2,9:2");
}

TEST(AdvGridClipboard, CutCopiesTheWholeSelectionButEmptiesOnlyItsDataCells) {
    const struct {
        const char* Name;
        TGridOptions Options;
        TGridRect Selection;
        const char* Text;
        int32_t Row;
        const char* RowText;  // of Row after the cut
    } cases[] = {
        {"a selected row beside a right fixed column",
         {goRowSelect},
         {1, 3, 1, 3},
         "1:3\t2:3\t3:3\t4:3\t5:3\t6:3\t7:3\t8:3\t9:3",
         3,
         ",,,,,,,,,9:3"},
        {"a block reaching into a footer row",
         {goRangeSelect},
         {7, 18, 8, 19},
         "7:18\t8:18\r\n7:19\t8:19",
         19,
         ",1:19,2:19,3:19,4:19,5:19,6:19,7:19,8:19,9:19"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + c.Options);
        s.Grid->SetFixedFooters(1);
        s.Grid->SetFixedRightCols(1);
        s.Grid->SetSelection(c.Selection);
        s.Grid->CutToClipboard();
        EXPECT_EQ(test::ClipboardText(), c.Text);
        EXPECT_EQ(s.RowText(c.Row), c.RowText);
        EXPECT_EQ(s.Grid->Cells(7, 18), c.Row == 19 ? "" : "7:18");
    }
}

TEST(AdvGridClipboard, CutTakesTheEditorsTextAlongAndLeavesTheCellEmpty) {
    TAdvGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Click(2, 2);
    s.Keys({VK_F2});
    s.Grid->InplaceEditor()->SetText("typed");
    s.Grid->CutToClipboard();
    Application().ProcessMessages();
    EXPECT_EQ(test::ClipboardText(), "typed");
    EXPECT_EQ(s.Grid->Cells(2, 2), "");
}

// Pastes Text at the cell and checks the counts the grid grew to.
void PasteAt(TAdvGridScene& S, int32_t Col, int32_t Row, const std::string& Text, int32_t ColCount,
             int32_t RowCount) {
    S.Grid->SetCol(Col);
    S.Grid->SetRow(Row);
    test::PutOnClipboard(Text);
    S.Grid->PasteFromClipboard();
    EXPECT_EQ(S.Grid->ColCount(), ColCount);
    EXPECT_EQ(S.Grid->RowCount(), RowCount);
}

struct TPasteCase {
    const char* Name;
    std::string Text;
    int32_t Col, Row;
    int32_t ColCount, RowCount;
    std::vector<std::string> Rows;  // the rows from Row on, as RowText gives them
};

TEST(AdvGridClipboard, PasteFillsCellsFromTheCurrentOneAndGrowsTheGrid) {
    const std::vector<TPasteCase> cases = {
        {"tabs and CR LF",
         "a\tb\r\nc\td",
         8,
         18,
         10,
         20,
         {",1:18,2:18,3:18,4:18,5:18,6:18,7:18,a,b", ",1:19,2:19,3:19,4:19,5:19,6:19,7:19,c,d"}},
        {"LF and a final break",
         "a\nb\n",
         9,
         1,
         10,
         20,
         {",1:1,2:1,3:1,4:1,5:1,6:1,7:1,8:1,a", ",1:2,2:2,3:2,4:2,5:2,6:2,7:2,8:2,b",
          ",1:3,2:3,3:3,4:3,5:3,6:3,7:3,8:3,9:3"}},
        {"CR alone, an empty line kept",
         "a\r\rb",
         9,
         1,
         10,
         20,
         {",1:1,2:1,3:1,4:1,5:1,6:1,7:1,8:1,a", ",1:2,2:2,3:2,4:2,5:2,6:2,7:2,8:2,",
          ",1:3,2:3,3:3,4:3,5:3,6:3,7:3,8:3,b"}},
        {"grows past the last column and row",
         "a\tb\tc\r\nd",
         8,
         19,
         11,
         21,
         {",1:19,2:19,3:19,4:19,5:19,6:19,7:19,a,b,c", ",,,,,,,,d,,"}},
        {"a trailing tab empties the next cell",
         "a\t",
         8,
         1,
         10,
         20,
         {",1:1,2:1,3:1,4:1,5:1,6:1,7:1,a,"}},
        {"text ends at its first NUL",
         std::string("a\0b", 3),
         9,
         1,
         10,
         20,
         {",1:1,2:1,3:1,4:1,5:1,6:1,7:1,8:1,a"}},
    };
    for (const TPasteCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        PasteAt(s, c.Col, c.Row, c.Text, c.ColCount, c.RowCount);
        for (size_t i = 0; i < c.Rows.size(); ++i)
            EXPECT_EQ(s.RowText(c.Row + static_cast<int32_t>(i)), c.Rows[i]) << "row " << i;
    }
}

TEST(AdvGridClipboard, PasteKeepsTheTextsOfAHiddenColumnAndWritesAroundIt) {
    TAdvGridScene s;
    s.Grid->HideColumn(9);  // 9 display columns; real 9 holds its texts out of sight
    s.Grid->SetCol(7);
    s.Grid->SetRow(1);
    test::PutOnClipboard("a\tb\tc");
    s.Grid->PasteFromClipboard();
    EXPECT_EQ(s.Grid->ColCount(), 10);
    EXPECT_EQ(s.Grid->HiddenColCount(), 1);
    EXPECT_EQ(s.RowText(1), ",1:1,2:1,3:1,4:1,5:1,6:1,a,b,9:1,c");
    EXPECT_EQ(s.RowText(2), ",1:2,2:2,3:2,4:2,5:2,6:2,7:2,8:2,9:2,");
    s.Grid->UnHideColumn(9);
    EXPECT_EQ(s.Grid->Cells(9, 1), "9:1");
}

struct TDataPasteCase {
    const char* Name;
    int32_t Footers, RightCols, Hidden;  // Hidden: a real column hidden first, or 0
    std::string Text;
    int32_t Col, Row;
    int32_t ColCount, RowCount;
    std::vector<std::pair<TGridCoord, const char*>> Cells;  // real columns
};

TEST(AdvGridClipboard, PasteWritesDataCellsOnlyAndGrowsTheGridBeforeFootersAndRightColumns) {
    const std::vector<TDataPasteCase> cases = {
        {"a footer within reach",
         1,
         0,
         0,
         "a\nb",
         1,
         18,
         10,
         21,
         {{{1, 18}, "a"}, {{1, 19}, "b"}, {{1, 20}, "1:19"}}},
        {"past the footer", 1, 0, 0, "a\nb\nc", 1, 18, 10, 22, {{{1, 20}, "c"}, {{1, 21}, "1:19"}}},
        {"a right fixed column within reach",
         0,
         1,
         0,
         "a\tb",
         8,
         1,
         11,
         20,
         {{{8, 1}, "a"}, {{9, 1}, "b"}, {{10, 1}, "9:1"}, {{10, 2}, "9:2"}, {{9, 2}, ""}}},
        {"a right fixed column past a hidden one",
         0,
         1,
         5,
         "a\tb",
         7,
         1,
         10,
         20,
         {{{8, 1}, "a"}, {{9, 1}, "b"}, {{10, 1}, "9:1"}, {{10, 2}, "9:2"}, {{5, 1}, "5:1"}}},
        {"both",
         2,
         2,
         0,
         "a\tb\tc\nd",
         6,
         17,
         11,
         21,
         {{{8, 17}, "c"},
          {{9, 17}, "8:17"},
          {{10, 17}, "9:17"},
          {{6, 18}, "d"},
          {{7, 18}, ""},
          {{9, 19}, "8:18"},
          {{1, 20}, "1:19"}}},
    };
    for (const TDataPasteCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        if (c.Hidden) s.Grid->HideColumn(c.Hidden);
        s.Grid->SetFixedFooters(c.Footers);
        s.Grid->SetFixedRightCols(c.RightCols);
        PasteAt(s, c.Col, c.Row, c.Text, c.ColCount, c.RowCount);
        for (const auto& [cell, text] : c.Cells)
            EXPECT_EQ(s.Grid->Cells(cell.X, cell.Y), text) << cell.X << "," << cell.Y;
    }
}

TEST(AdvGridClipboard, PasteRefusesWholeTextThatWouldGrowTheGridTooFar) {
    const struct {
        const char* Name;
        std::string Text;
        int32_t Hidden;
        const char* Error;
    } cases[] = {
        {"257 columns with a hidden one", std::string(255, '\t'), 1, "257"},
        {"a million rows", std::string(999999, '\n') + "x", 0, "1000000 rows"},
        {"more than 16 MB", std::string(16 * 1024 * 1024 + 1, 'x'), 0, "16777216"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        if (c.Hidden) s.Grid->HideColumn(9);
        s.Grid->SetCol(1);
        s.Grid->SetRow(1);
        const int32_t cols = s.Grid->ColCount();
        test::PutOnClipboard(c.Text);
        try {
            s.Grid->PasteFromClipboard();
            ADD_FAILURE() << "pasted";
        } catch (const EAdvGridError& e) {
            EXPECT_NE(e.Message().find(c.Error), std::string::npos) << e.Message();
        }
        EXPECT_EQ(s.Grid->ColCount(), cols);
        EXPECT_EQ(s.Grid->RowCount(), 20);
        EXPECT_EQ(s.Grid->Cells(1, 1), "1:1");
    }
}

TEST(AdvGridClipboard, PasteUpToTheLimitsIsTaken) {
    TAdvGridScene s;
    s.Grid->HideColumn(9);
    s.Grid->SetCol(1);
    test::PutOnClipboard(std::string(254, '\t') + "last");
    s.Grid->PasteFromClipboard();
    EXPECT_EQ(s.Grid->ColCount() + s.Grid->HiddenColCount(), MaxAdvGridColumns);
    EXPECT_EQ(s.Grid->Cells(256, 1), "last");
}

}  // namespace
}  // namespace vex
