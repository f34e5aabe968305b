#include "platform/ui/grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/grid_testsupport.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::TGridScene;

std::string Str(const TRect& R) {
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) +
           "," + std::to_string(R.Bottom);
}

TEST(GridGeometry, CellRectsFollowFixedCellsLinesAndScrolling) {
    struct TCase {
        int32_t LineWidth, LeftCol, TopRow, Col, Row;
        std::string Rect;
    };
    const std::vector<TCase> cases = {
        {1, 1, 1, 0, 0, "0,0,30,14"},   {1, 1, 1, 1, 1, "31,15,61,29"},
        {1, 1, 1, 2, 3, "62,45,92,59"}, {1, 1, 1, 6, 1, "186,15,216,29"},  // partly shown
        {1, 1, 1, 7, 1, "0,0,0,0"},     {1, 1, 1, 1, 7, "0,0,0,0"},
        {0, 1, 1, 2, 3, "60,42,90,56"}, {3, 1, 1, 2, 3, "66,51,96,65"},
        {1, 3, 5, 3, 5, "31,15,61,29"}, {1, 3, 5, 2, 5, "0,0,0,0"},  // scrolled out
        {1, 3, 5, 0, 5, "0,15,30,29"},  {1, 3, 5, 3, 0, "31,0,61,14"},
        {1, 3, 5, 4, 6, "62,30,92,44"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.LineWidth) + " " + std::to_string(c.Col) + ":" +
                     std::to_string(c.Row) + " from " + std::to_string(c.LeftCol) + ":" +
                     std::to_string(c.TopRow));
        TGridScene s;
        s.Grid->SetGridLineWidth(c.LineWidth);
        s.Grid->SetLeftCol(c.LeftCol);
        s.Grid->SetTopRow(c.TopRow);
        EXPECT_EQ(Str(s.Grid->CellRect(c.Col, c.Row)), c.Rect);
    }
}

TEST(GridGeometry, WithoutGridLineOptionsCellsTouch) {
    TGridScene s;
    s.Grid->SetOptions({});
    EXPECT_EQ(Str(s.Grid->CellRect(2, 3)), "60,42,90,56");
}

TEST(GridGeometry, PointsMapToTheCellTheyAreInOrToNone) {
    struct TCase {
        int32_t X, Y, Col, Row;
    };
    const std::vector<TCase> cases = {
        {0, 0, 0, 0},     {30, 14, 0, 0},   {31, 15, 1, 1},    {199, 99, 6, 6},
        {250, 50, -1, 3}, {-1, -1, -1, -1}, {100, 200, 3, -1},
    };
    TGridScene s;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        const TGridCoord cell = s.Grid->MouseCoord(c.X, c.Y);
        EXPECT_EQ(cell.X, c.Col);
        EXPECT_EQ(cell.Y, c.Row);
    }
}

TEST(GridGeometry, VisibleCountsAreTheWholeScrollingCellsThatFit) {
    TGridScene s;
    EXPECT_EQ(s.Grid->VisibleColCount(), 5);
    EXPECT_EQ(s.Grid->VisibleRowCount(), 5);
    s.Grid->SetColWidths(2, 200);  // wider than the screen: still one
    s.Grid->SetLeftCol(2);
    EXPECT_EQ(s.Grid->VisibleColCount(), 1);
    s.Grid->SetRowCount(1);
    s.Grid->SetFixedRows(0);
    EXPECT_EQ(s.Grid->VisibleRowCount(), 1);
}

TEST(GridGeometry, BoxRectClampsToTheGridAndSkipsWhatIsScrolledOut) {
    TGridScene s;
    EXPECT_EQ(Str(s.Grid->BoxRect(1, 1, 2, 2)), "31,15,92,44");
    EXPECT_EQ(Str(s.Grid->BoxRect(0, 1, 9, 1000)), "0,15,200,100");
    s.Grid->SetTopRow(5);
    EXPECT_EQ(Str(s.Grid->BoxRect(1, 2, 1, 4)), "0,0,0,0");
    EXPECT_EQ(Str(s.Grid->BoxRect(1, 0, 1, 6)), "31,0,61,44");
}

TEST(GridGeometry, ManyRowsCostNothingUntilHeightsAreSet) {
    TGridScene s;
    s.Grid->SetRowCount(10'000'000);
    s.Grid->SetRowHeights(9'999'999, 40);
    EXPECT_EQ(s.Grid->RowHeights(9'999'998), 14);
    EXPECT_EQ(s.Grid->RowHeights(9'999'999), 40);
    s.Grid->SetRowCount(1000);
    s.Grid->SetRowCount(10'000'000);
    EXPECT_EQ(s.Grid->RowHeights(9'999'999), 14);  // cut off with the rows, not revived
}

TEST(GridAxis, SizesFollowTheirCellsWhenOneMoves) {
    struct TCase {
        int32_t From, To;
        std::vector<int32_t> Sizes;
    };
    // Before each move the sizes of cells 0..5 are 10, 11, 12, 13, 14, 15.
    const std::vector<TCase> cases = {
        {1, 4, {10, 12, 13, 14, 11, 15}}, {4, 1, {10, 14, 11, 12, 13, 15}},
        {0, 5, {11, 12, 13, 14, 15, 10}}, {5, 0, {15, 10, 11, 12, 13, 14}},
        {2, 2, {10, 11, 12, 13, 14, 15}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + "->" + std::to_string(c.To));
        TGridAxis axis;
        axis.SetDefaultSize(12);  // cell 2 keeps the default: nothing of its own is stored
        axis.SetCount(6);
        for (int32_t i = 0; i < 6; ++i)
            axis.SetSize(i, 10 + i);
        axis.Move(c.From, c.To);
        std::vector<int32_t> sizes;
        for (int32_t i = 0; i < 6; ++i)
            sizes.push_back(axis.Size(i));
        EXPECT_EQ(sizes, c.Sizes);
    }
}

TEST(GridGeometry, EveryOutOfRangeIndexIsRefused) {
    TGridScene s;
    auto* g = s.Grid;
    EXPECT_THROW(g->ColWidths(10), EInvalidGridOperation);
    EXPECT_THROW(g->SetColWidths(-1, 5), EInvalidGridOperation);
    EXPECT_THROW(g->SetColWidths(1, -5), EInvalidGridOperation);
    EXPECT_THROW(g->RowHeights(20), EInvalidGridOperation);
    EXPECT_THROW(g->SetRowHeights(20, 5), EInvalidGridOperation);
    EXPECT_THROW(g->TabStops(10), EInvalidGridOperation);
    EXPECT_THROW(g->SetTabStops(-1, false), EInvalidGridOperation);
    EXPECT_THROW(g->CellRect(10, 0), EInvalidGridOperation);
    EXPECT_THROW(g->CellRect(0, -1), EInvalidGridOperation);
    EXPECT_THROW(g->SetCol(10), EInvalidGridOperation);
    EXPECT_THROW(g->SetCol(0), EInvalidGridOperation);  // fixed
    EXPECT_THROW(g->SetRow(20), EInvalidGridOperation);
    EXPECT_THROW(g->SetTopRow(20), EInvalidGridOperation);
    EXPECT_THROW(g->SetLeftCol(-3), EInvalidGridOperation);
    EXPECT_THROW(g->SetSelection({1, 1, 10, 2}), EInvalidGridOperation);
    EXPECT_THROW(g->MoveColumn(1, 10), EInvalidGridOperation);
    EXPECT_THROW(g->MoveRow(-1, 2), EInvalidGridOperation);
    EXPECT_THROW(g->SetColCount(-1), EInvalidGridOperation);
    EXPECT_THROW(g->SetFixedCols(10), EInvalidGridOperation);
    EXPECT_THROW(g->SetFixedRows(-1), EInvalidGridOperation);
    EXPECT_EQ(g->ColCount(), 10);
    EXPECT_EQ(g->RowCount(), 20);
    EXPECT_EQ(g->FixedCols(), 1);
}

// A grid emptied (as a stored one with no columns or rows is) takes again what it is.
TEST(GridGeometry, AnEmptyGridTakesTheStateItIsIn) {
    TGridScene s;
    auto* g = s.Grid;
    g->SetColCount(0);
    g->SetRowCount(0);
    EXPECT_EQ(g->FixedCols(), 0);
    EXPECT_NO_THROW(g->SetFixedCols(0));
    EXPECT_NO_THROW(g->SetFixedRows(0));
    EXPECT_THROW(g->SetFixedCols(1), EInvalidGridOperation);
    g->Repaint();
    EXPECT_NO_THROW(Application().ProcessMessages());
}

// Sizes that add up past 2^31 pixels: every position stays in range and on screen.
TEST(GridGeometry, SizesSummedPastTheIntegerRangeStayOnScreen) {
    TGridScene s;
    auto* g = s.Grid;
    g->SetGridLineWidth(100);
    for (int32_t c = 0; c < 10; ++c)
        g->SetColWidths(c, INT32_MAX);
    g->SetFocus();
    test::PressKey(VK_END);
    EXPECT_EQ(g->Col(), 9);
    EXPECT_EQ(g->LeftCol(), 9);
    EXPECT_EQ(Str(g->CellRect(0, 0)), "0,0,2147483647,14");
    EXPECT_EQ(Str(g->CellRect(9, 1)), "0,0,0,0");  // starts past the screen, behind column 0
    EXPECT_EQ(g->MouseCoord(150, 10), (TGridCoord{0, 0}));
    g->Repaint();
    EXPECT_NO_THROW(Application().ProcessMessages());
}

}  // namespace
}  // namespace vex
