#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/ui/lists_testsupport.h"

namespace vex {
namespace {

// A grid of 4 x 4 cells with one fixed row and column, in the fixed font (every character 6
// wide), unframed so its client area is its 200 x 100 bounds.
struct TSizingScene : test::TListScene {
    TSizingScene() {
        Grid = Add<TAdvStringGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetDefaultColWidth(64);
        Grid->SetDefaultRowHeight(16);
    }
    std::vector<int32_t> Widths() const {
        std::vector<int32_t> widths;
        for (int32_t c = 0; c < Grid->ColCount(); ++c)
            widths.push_back(Grid->ColWidths(c));
        return widths;
    }
    void SetWidths(const std::vector<int32_t>& Widths) {
        Grid->SetColCount(static_cast<int32_t>(Widths.size()));
        for (size_t c = 0; c < Widths.size(); ++c)
            Grid->SetColWidths(static_cast<int32_t>(c), Widths[c]);
    }
    TAdvStringGrid* Grid = nullptr;
};

TEST(AdvGridSizing, ColumnsFitTheirWidestLineInEachCellsOwnFont) {
    // Column 0 is fixed; column 2 is empty; a cell's lines end at CR, a LF behind it included.
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&)> Setup;
        bool DoFixedCols;
        std::vector<int32_t> Widths;
    } cases[] = {
        {"widest lines plus the extra", [](TAdvStringGrid&) {}, false, {64, 41, 5, 11}},
        {"fixed columns too", [](TAdvStringGrid&) {}, true, {53, 41, 5, 11}},
        {"a cell drawn in a font twice the size",
         [](TAdvStringGrid& g) {
             g.OnGetCellColor = [](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush&,
                                   TFont& AFont) {
                 if (ARow == 2 && ACol == 1) AFont.SetHeight(-24);
             };
         },
         false,
         {64, 77, 5, 11}},
        {"zoomed by 2 points", [](TAdvStringGrid& g) { g.Zoom(2); }, false, {66, 53, 5, 13}},
        {"a hidden column skipped", [](TAdvStringGrid& g) { g.HideColumn(1); }, false, {64, 5, 11}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSizingScene s;
        s.Grid->SetCells(0, 1, "abcdefgh");
        s.Grid->SetCells(1, 1, "ab");
        s.Grid->SetCells(1, 2, "abc\r\nabcdef");
        s.Grid->SetCells(3, 3, "a\rb");
        c.Setup(*s.Grid);
        s.Grid->AutoSizeColumns(c.DoFixedCols, 5);
        EXPECT_EQ(s.Widths(), c.Widths);
    }
}

TEST(AdvGridSizing, AutoSizeFitsTheDataColumnsWithTenPixelsToSpare) {
    TSizingScene s;
    s.Grid->SetCells(1, 1, "abc");
    s.Grid->SetAutoSize(true);
    EXPECT_EQ(s.Widths(), (std::vector<int32_t>{64, 28, 10, 10}));
}

TEST(AdvGridSizing, TheLastColumnStretchesToTheClientWidthWhileStretchIsOn) {
    const struct {
        const char* Name;
        std::vector<int32_t> Widths;
        std::function<void(TSizingScene&)> Then;
        std::vector<int32_t> Expected;
    } cases[] = {
        {"the last fills what is left", {30, 40, 50, 60}, nullptr, {30, 40, 50, 77}},
        {"too wide already", {100, 50, 60, 60}, nullptr, {100, 50, 60, 60}},
        {"a single column", {30}, nullptr, {200}},
        {"another width changed",
         {30, 40, 50, 60},
         [](TSizingScene& s) { s.Grid->SetColWidths(0, 20); },
         {20, 40, 50, 87}},
        {"the grid resized with its form",
         {30, 40, 50, 60},
         [](TSizingScene& s) {
             s.Grid->SetSizeWithForm(true);
             s.Form->SetWidth(s.Form->Width() + 40);
             Application().ProcessMessages();
         },
         {30, 40, 50, 117}},
        {"the grid itself widened",
         {30, 40, 50, 60},
         [](TSizingScene& s) { s.Grid->SetWidth(240); },
         {30, 40, 50, 117}},
        {"stretch turned off",
         {30, 40, 50, 60},
         [](TSizingScene& s) {
             s.Grid->ColumnSize().SetStretch(false);
             s.Grid->SetColWidths(0, 20);
         },
         {20, 40, 50, 77}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSizingScene s;
        s.SetWidths(c.Widths);
        s.Grid->ColumnSize().SetStretch(true);
        if (c.Then) c.Then(s);
        EXPECT_EQ(s.Widths(), c.Expected);
    }
}

TEST(AdvGridSizing, ZoomGrowsEverySizeThatStaysPositiveWithinTenSteps) {
    const struct {
        const char* Name;
        std::vector<int32_t> Steps;
        int32_t Factor;
        std::vector<int32_t> Widths;  // column 0 starts 2 wide, the others 30
        int32_t Height;               // of every row, 16 at first
    } cases[] = {
        {"one step", {3}, 3, {5, 33, 33}, 19},
        {"a step past 10 does nothing", {8, 3}, 8, {10, 38, 38}, 24},
        {"a step past -10 does nothing", {-11}, 0, {2, 30, 30}, 16},
        {"a width that would not stay positive stays", {-3}, -3, {2, 27, 27}, 13},
        {"down to the limit", {10, -20}, -10, {12, 20, 20}, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSizingScene s;
        s.SetWidths({2, 30, 30});
        for (int32_t step : c.Steps)
            s.Grid->Zoom(step);
        EXPECT_EQ(s.Grid->ZoomFactor(), c.Factor);
        EXPECT_EQ(s.Widths(), c.Widths);
        for (int32_t r = 0; r < s.Grid->RowCount(); ++r)
            EXPECT_EQ(s.Grid->RowHeights(r), c.Height) << "row " << r;
    }
}

TEST(AdvGridSizing, SizesNearTheLimitOfAnIntegerNeitherOverflowNorWrap) {
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&)> Act;
        std::vector<int32_t> Widths;
    } cases[] = {
        {"a zoom step past the widest width",
         [](TAdvStringGrid& g) { g.Zoom(5); },
         {INT32_MAX, 35, 35}},
        {"the largest extra",
         [](TAdvStringGrid& g) { g.AutoSizeColumns(true, INT32_MAX); },
         {INT32_MAX, INT32_MAX, INT32_MAX}},
        {"the smallest extra",
         [](TAdvStringGrid& g) { g.AutoSizeColumns(true, INT32_MIN); },
         {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSizingScene s;
        s.SetWidths({INT32_MAX, 30, 30});
        s.Grid->SetCells(1, 1, "abc");
        c.Act(*s.Grid);
        EXPECT_EQ(s.Widths(), c.Widths);
    }
}

}  // namespace
}  // namespace vex
