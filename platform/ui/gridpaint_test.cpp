#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/grid_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::PumpUntilIdle;
using test::TTestGrid;

const std::string Pictures = VEX_TEST_DIR "/testdata/pictures";

// A 6 x 8 grid of 40 x 16 cells, one fixed row and column, framed and with both scroll bars,
// on a form with the fixed font.
struct TPaintScene : test::TListScene {
    TPaintScene() {
        Grid = Add<TTestGrid>(Form, Rect(4, 4, 204, 104));
        Grid->SetDefaultColWidth(40);
        Grid->SetDefaultRowHeight(16);
        Grid->SetColCount(6);
        Grid->SetRowCount(8);
        PumpUntilIdle();
        Grid->Drawn.clear();
    }
    // The cells painted by the next painting pass, as "col:row".
    std::vector<std::string> Painted() {
        Grid->Drawn.clear();
        PumpUntilIdle();
        std::vector<std::string> cells;
        for (const auto& d : Grid->Drawn)
            cells.push_back(std::to_string(d.Col) + ":" + std::to_string(d.Row));
        return cells;
    }
    ::testing::AssertionResult Matches(const std::string& Name) {
        PumpUntilIdle();
        return test::ControlMatchesReferencePicture(*Grid, Pictures, Name);
    }
    TTestGrid* Grid = nullptr;
};

TEST(GridPaint, OnlyTheCellsMeetingTheUpdateAreaAreDrawn) {
    TPaintScene t;
    t.Grid->InvalidateCell(2, 3);
    EXPECT_EQ(t.Painted(), std::vector<std::string>{"2:3"});
    t.Grid->InvalidateRow(0);
    EXPECT_EQ(t.Painted(), (std::vector<std::string>{"0:0", "1:0", "2:0", "3:0", "4:0"}));
    t.Grid->InvalidateCol(1);
    EXPECT_EQ(t.Painted(), (std::vector<std::string>{"1:0", "1:1", "1:2", "1:3", "1:4"}));
    EXPECT_TRUE(t.Painted().empty());
}

// A size of 0 hides a cell: none is drawn, however many of them lie at one place.
TEST(GridPaint, HiddenCellsAreNotDrawn) {
    TPaintScene t;
    t.Grid->SetOptions({});
    t.Grid->SetDefaultRowHeight(0);
    t.Grid->SetRowCount(1000);
    t.Grid->SetRowHeights(0, 16);
    t.Grid->SetColWidths(2, 0);
    t.Grid->Invalidate();
    EXPECT_EQ(t.Painted(), (std::vector<std::string>{"0:0", "1:0", "3:0", "4:0", "5:0"}));
}

TEST(GridPaint, EachCellIsDrawnWithItsState) {
    TPaintScene t;
    t.Grid->SetOptions(t.Grid->Options() + TGridOptions{goRangeSelect});
    t.Grid->SetSelection({2, 2, 3, 3});
    t.Grid->SetFocus();
    t.Grid->Invalidate();
    t.Painted();
    auto stateOf = [&](int32_t Col, int32_t Row) {
        for (const auto& d : t.Grid->Drawn)
            if (d.Col == Col && d.Row == Row) return d.State;
        ADD_FAILURE() << "not drawn: " << Col << ":" << Row;
        return TGridDrawState();
    };
    EXPECT_EQ(stateOf(0, 0), TGridDrawState{gdFixed});
    EXPECT_EQ(stateOf(0, 2), TGridDrawState{gdFixed});
    EXPECT_EQ(stateOf(3, 3), TGridDrawState{gdFocused});  // the current cell: bottom right
    EXPECT_EQ(stateOf(2, 2), TGridDrawState{gdSelected});
    EXPECT_EQ(stateOf(1, 1), TGridDrawState());
    t.Grid->SetOptions(t.Grid->Options() + TGridOptions{goRowSelect});
    t.Painted();
    EXPECT_EQ(stateOf(4, 3), (TGridDrawState{gdSelected, gdFocused}));
    EXPECT_EQ(stateOf(1, 2), TGridDrawState{gdSelected});
    EXPECT_EQ(stateOf(1, 4), TGridDrawState());
}

TEST(GridPaint, ScrollingByOneRowPaintsOnlyTheStripScrolledIn) {
    TPaintScene t;
    t.Grid->SetRowCount(50);
    PumpUntilIdle();
    const int32_t top = t.Grid->TopRow();
    t.Grid->SetTopRow(top + 1);
    const std::vector<std::string> cells = t.Painted();
    ASSERT_FALSE(cells.empty());
    int32_t lowest = 1000, highest = 0;
    for (const auto& d : t.Grid->Drawn) {
        lowest = std::min(lowest, d.Row);
        highest = std::max(highest, d.Row);
    }
    // The strip is one row high at the bottom: the last rows shown, none of the rows above.
    const int32_t last = top + 1 + t.Grid->VisibleRowCount();
    EXPECT_GE(lowest, last - 1);
    EXPECT_LE(highest, last);
}

TEST(GridPaint, ScrollingFarRepaintsTheScrollingAreaButNotTheFixedRow) {
    TPaintScene t;
    t.Grid->SetRowCount(50);
    PumpUntilIdle();
    t.Grid->SetTopRow(30);
    for (const auto& d : (t.Painted(), t.Grid->Drawn))
        EXPECT_NE(d.Row, 0) << d.Col;
}

TEST(GridPicture, FixedCellsSelectionFocusAndLines) {
    TPaintScene t;
    t.Grid->SetOptions(t.Grid->Options() + TGridOptions{goRangeSelect});
    t.Grid->SetSelection({2, 2, 3, 4});
    t.Grid->SetFocus();
    EXPECT_TRUE(t.Matches("grid_focused_selection"));
    t.Grid->SetOptions({goFixedVertLine, goFixedHorzLine});
    EXPECT_TRUE(t.Matches("grid_fixed_lines_only"));
    t.Grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect});
    EXPECT_TRUE(t.Matches("grid_row_select"));
}

TEST(GridPicture, ScrolledToTheEnd) {
    TPaintScene t;
    t.Grid->SetColCount(12);
    t.Grid->SetRowCount(30);
    t.Grid->SetTopRow(t.Grid->RowCount() - 1);
    t.Grid->SetLeftCol(t.Grid->ColCount() - 1);
    EXPECT_TRUE(t.Matches("grid_scrolled_to_end"));
}

}  // namespace
}  // namespace vex
