#include "components/misc/AdvGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/lists_testsupport.h"

namespace vex {
namespace {

// The protected hooks a form's loading and the in-place editor call.
class TOpenAdvGrid : public TAdvStringGrid {
public:
    using TAdvStringGrid::GetEditText;
    using TAdvStringGrid::Loaded;
    using TAdvStringGrid::SetEditText;
    using TAdvStringGrid::TAdvStringGrid;
};

// A grid of 4 x 4 cells 30 x 14 with one fixed row and column, unframed at (10, 10) on the form,
// so its client area is its 200 x 100 bounds.
struct TGridScene : test::TListScene {
    TGridScene() {
        Grid = Add<TOpenAdvGrid>(Form, Rect(10, 10, 210, 110));
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetDefaultColWidth(30);
        Grid->SetDefaultRowHeight(14);
    }
    // What the application's hint logic asks of the grid with the pointer at the client point.
    std::string Hint(TControl* Over, TPoint At, THintInfo& Info) {
        Info.HintControl = Over;
        Info.CursorPos = At;
        Info.CursorRect = Over->ClientRect();
        Info.HintStr = "the grid";
        std::string text = Info.HintStr;
        bool canShow = true;
        ApplicationEvents().DoShowHint(text, canShow, Info);
        return text;
    }
    TOpenAdvGrid* Grid = nullptr;
};

TEST(AdvGrid, GridsFreedInAnyOrderAreNoLongerCalledByTheirFormOrTheHints) {
    const std::vector<std::vector<size_t>> orders = {{0, 1, 2, 3}, {3, 2, 1, 0}, {2, 0, 3, 1}};
    for (const auto& order : orders) {
        SCOPED_TRACE(::testing::PrintToString(order));
        TGridScene s;
        std::vector<TAdvStringGrid*> grids = {s.Grid};
        for (int32_t i = 1; i < 4; ++i)
            grids.push_back(s.Add<TAdvStringGrid>(s.Form, Rect(10, 120 + i, 110, 140 + i)));
        for (TAdvStringGrid* grid : grids) {
            grid->SetSizeWithForm(true);
            grid->SetHintColor(clLime);
        }
        auto resizeAndHint = [&](std::vector<TAdvStringGrid*> Living) {
            std::vector<int32_t> before;
            for (TAdvStringGrid* grid : Living)
                before.push_back(grid->Width());
            s.Form->SetWidth(s.Form->Width() + 10);
            Application().ProcessMessages();
            for (size_t i = 0; i < Living.size(); ++i)
                EXPECT_EQ(Living[i]->Width(), before[i] + 10);
            THintInfo info;
            s.Hint(Living.empty() ? static_cast<TControl*>(s.Form) : Living.back(), Point(1, 1),
                   info);
            EXPECT_EQ(info.HintColor, Living.empty() ? clInfoBk : clLime);
        };
        delete grids[order[0]];
        delete grids[order[1]];
        resizeAndHint({grids[order[2]], grids[order[3]]});
        delete grids[order[2]];
        delete grids[order[3]];
        resizeAndHint({});
    }
}

TEST(AdvGrid, SizeWithFormFollowsTheFormsChangesWhileTheGridStaysPositive) {
    const struct {
        const char* Name;
        bool SizeWithForm;
        std::function<void(TForm&)> Change;
        TRect Bounds;
    } cases[] = {
        {"grown", true,
         [](TForm& f) { f.SetBounds(f.Left(), f.Top(), f.Width() + 30, f.Height() + 20); },
         Rect(10, 10, 240, 130)},
        {"shrunk", true,
         [](TForm& f) { f.SetBounds(f.Left(), f.Top(), f.Width() - 30, f.Height() - 20); },
         Rect(10, 10, 180, 90)},
        {"not following", false, [](TForm& f) { f.SetWidth(f.Width() + 30); },
         Rect(10, 10, 210, 110)},
        {"shrunk below nothing", true, [](TForm& f) { f.SetHeight(f.Height() - 150); },
         Rect(10, 10, 210, 110)},
        {"followed from the size it had when turned on", false,
         [](TForm& f) {
             f.SetWidth(f.Width() + 50);
             Application().ProcessMessages();
             dynamic_cast<TAdvStringGrid&>(*f.Components(0)).SetSizeWithForm(true);
             f.SetWidth(f.Width() + 5);
         },
         Rect(10, 10, 215, 110)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridScene s;
        s.Grid->SetSizeWithForm(c.SizeWithForm);
        c.Change(*s.Form);
        Application().ProcessMessages();
        EXPECT_EQ(s.Grid->BoundsRect(), c.Bounds);
    }
}

TEST(AdvGrid, HeaderTextsFillTheFixedRowAndColumnAsFarAsTheyReach) {
    const struct {
        const char* Name;
        int32_t FixedRows;
        int32_t FixedCols;
        bool ByLoading;
        const char* Row0;
        const char* Col0;
    } cases[] = {
        {"set", 1, 1, false, "Rule,Text,Case,Hits", "Rule,2nd,3rd,"},
        {"after loading", 1, 1, true, "Rule,Text,Case,Hits", "Rule,2nd,3rd,"},
        {"no fixed row", 0, 1, false, "Rule,,,", "Rule,2nd,3rd,"},
        {"no fixed column", 1, 0, false, "Rule,Text,Case,Hits", "Rule,,,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridScene s;
        s.Grid->SetFixedRows(c.FixedRows);
        s.Grid->SetFixedCols(c.FixedCols);
        TStringList columns;
        columns.SetCommaText("Rule,Text,Case,Hits,Delete");
        TStringList rows;
        rows.SetCommaText("Rule,2nd,3rd");
        if (c.ByLoading) {
            s.Grid->ColumnHeaders().Assign(&columns);
            s.Grid->RowHeaders().Assign(&rows);
            s.Grid->Loaded();
        } else {
            s.Grid->SetRowHeaders(rows);
            s.Grid->SetColumnHeaders(columns);
        }
        EXPECT_EQ(s.Grid->Rows(0).CommaText(), c.Row0);
        EXPECT_EQ(s.Grid->Cols(0).CommaText(), c.Col0);
    }
}

TEST(AdvGrid, TheEditorReadsAndWritesTheRealColumn) {
    TGridScene s;
    s.Grid->SetCells(1, 1, "shown");
    s.Grid->SetCells(2, 1, "right of it");
    s.Grid->HideColumn(1);
    std::vector<int32_t> setColumns;
    s.Grid->OnSetEditText = [&](TObject*, int32_t ACol, int32_t, const std::string&) {
        setColumns.push_back(ACol);
    };
    EXPECT_EQ(s.Grid->GetEditText(1, 1), "right of it");
    s.Grid->SetEditText(1, 1, "typed");
    EXPECT_EQ(s.Grid->Cells(2, 1), "typed");
    EXPECT_EQ(s.Grid->Cells(1, 1), "shown");
    EXPECT_EQ(setColumns, std::vector<int32_t>{2});
}

TEST(AdvGrid, CellHintsShowTheTextOfTheDataCellUnderThePointer) {
    // Cells are 30 x 14 with a line after each: column 1 starts at x 31, row 2 at y 30.
    const struct {
        const char* Name;
        bool ShowCells;
        TPoint At;
        const char* Text;
        TPoint HintPos;  // client coordinates; (-1, -1) where the hint logic's own stays
        const char* Asked;
    } cases[] = {
        {"a data cell", true, Point(40, 35), "b2", Point(31, 30), "2,2"},
        {"a data cell without cell hints", false, Point(40, 35), "from the owner", Point(-1, -1),
         "2,2"},
        {"a fixed cell", true, Point(5, 35), "from the owner", Point(-1, -1), "2,0"},
        {"a footer cell", true, Point(40, 50), "from the owner", Point(-1, -1), "3,2"},
        {"no cell", true, Point(190, 35), "from the owner", Point(-1, -1), "2,-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridScene s;
        s.Grid->SetCells(1, 2, "a2");
        s.Grid->SetCells(2, 2, "b2");
        s.Grid->HideColumn(1);
        s.Grid->SetFixedFooters(1);
        s.Grid->SetHintShowCells(c.ShowCells);
        std::string asked;
        s.Grid->OnGridHint = [&](TObject*, int32_t ARow, int32_t ACol, std::string& HintStr) {
            asked = std::to_string(ARow) + "," + std::to_string(ACol);
            HintStr = "from the owner";
        };
        THintInfo info;
        const TPoint ownPos = Point(-7, -7);
        info.HintPos = ownPos;
        EXPECT_EQ(s.Hint(s.Grid, c.At, info), c.Text);
        EXPECT_EQ(asked, c.Asked);
        EXPECT_EQ(info.HintColor, clYellow);
        const TPoint expected = c.HintPos.X < 0 ? ownPos : s.Grid->ClientToScreen(c.HintPos);
        EXPECT_EQ(info.HintPos.X, expected.X);
        EXPECT_EQ(info.HintPos.Y, expected.Y);
    }
}

TEST(AdvGrid, AGridFreedByItsHintEventIsLeftAlone) {
    TGridScene s;
    s.Grid->SetHintShowCells(true);
    TAdvStringGrid* grid = s.Grid;
    s.Grid->OnGridHint = [&](TObject*, int32_t, int32_t, std::string& HintStr) {
        HintStr = "gone";
        // The handler dies with the grid: nothing of it is touched after the delete.
        delete std::exchange(grid, nullptr);
    };
    THintInfo info;
    EXPECT_EQ(s.Hint(s.Grid, Point(40, 35), info), "gone");
    EXPECT_EQ(grid, nullptr);
    EXPECT_EQ(s.Form->ControlCount(), 0);
}

TEST(AdvGrid, HintsOfOtherControlsAreLeftAlone) {
    TGridScene s;
    s.Grid->SetHintShowCells(true);
    bool asked = false;
    s.Grid->OnGridHint = [&](TObject*, int32_t, int32_t, std::string&) { asked = true; };
    THintInfo info;
    EXPECT_EQ(s.Hint(s.Form, Point(40, 35), info), "the grid");
    EXPECT_FALSE(asked);
    EXPECT_EQ(info.HintColor, clInfoBk);
}

}  // namespace
}  // namespace vex
