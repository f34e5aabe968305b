#include "platform/ui/stringgrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/lists_testsupport.h"

namespace vex {
namespace {

// A string grid that exposes what a descendant may do.
class TOpenStringGrid : public TStringGrid {
public:
    using TStringGrid::ExchangeRowCells;
    using TStringGrid::MoveColumn;
    using TStringGrid::MoveRow;
    using TStringGrid::SetStoredHiddenCols;
    using TStringGrid::TStringGrid;
};

// A 3 x 3 grid holding "a".."i" row by row.
struct TStringGridScene : test::TListScene {
    TStringGridScene() {
        Grid = Add<TOpenStringGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetColCount(3);
        Grid->SetRowCount(3);
        char ch = 'a';
        for (int32_t r = 0; r < 3; ++r)
            for (int32_t c = 0; c < 3; ++c)
                Grid->SetCells(c, r, std::string(1, ch++));
    }
    // The texts row by row: cells joined by ',', rows by '|'.
    std::string Texts() const {
        std::string out;
        for (int32_t r = 0; r < Grid->RowCount(); ++r) {
            if (r) out += '|';
            out += Grid->Rows(r).CommaText();
        }
        return out;
    }
    TOpenStringGrid* Grid = nullptr;
};

TEST(StringGrid, CellsFollowMovesAndCountChanges) {
    const struct {
        const char* Name;
        std::function<void(TOpenStringGrid&)> Change;
        const char* Expected;
    } cases[] = {
        {"row moved", [](TOpenStringGrid& g) { g.MoveRow(0, 2); }, "d,e,f|g,h,i|a,b,c"},
        {"column moved", [](TOpenStringGrid& g) { g.MoveColumn(2, 0); }, "c,a,b|f,d,e|i,g,h"},
        {"shrunk then grown",
         [](TOpenStringGrid& g) {
             g.SetColCount(2);
             g.SetRowCount(2);
             g.SetColCount(3);
             g.SetRowCount(3);
         },
         "a,b,|d,e,|,,"},
        {"hidden column kept past the count",
         [](TOpenStringGrid& g) {
             g.SetStoredHiddenCols(1);
             g.MoveColumn(0, 2);
             g.SetColCount(2);  // column 2 ("a d g") now sits hidden at real index 2
             g.MoveRow(2, 0);
             g.SetColCount(3);
         },
         "h,i,g|b,c,a|e,f,d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringGridScene s;
        c.Change(*s.Grid);
        EXPECT_EQ(s.Texts(), c.Expected);
    }
}

TEST(StringGrid, ExchangedRowsTakeTheirCellsAlongButLeaveTheirHeights) {
    TStringGridScene s;
    TObject marker;
    s.Grid->SetStoredHiddenCols(1);
    s.Grid->SetCells(3, 0, "hidden a");
    s.Grid->SetObjects(1, 2, &marker);
    s.Grid->SetRowHeights(0, 40);
    s.Grid->ExchangeRowCells(0, 2);
    EXPECT_EQ(s.Texts(), "g,h,i|d,e,f|a,b,c");
    EXPECT_EQ(s.Grid->Cells(3, 2), "hidden a");
    EXPECT_EQ(s.Grid->Cells(3, 0), "");
    EXPECT_EQ(s.Grid->Objects(1, 0), &marker);
    EXPECT_EQ(s.Grid->Objects(1, 2), nullptr);
    EXPECT_EQ(s.Grid->RowHeights(0), 40);
    EXPECT_EQ(s.Grid->RowHeights(2), s.Grid->DefaultRowHeight());
    EXPECT_THROW(s.Grid->ExchangeRowCells(0, 3), EInvalidGridOperation);
}

TEST(StringGrid, RowAndColumnViewsReadAndEditTheCells) {
    TStringGridScene s;
    TObject tag;
    s.Grid->Cols(1).SetObjects(2, &tag);
    EXPECT_EQ(s.Grid->Objects(1, 2), &tag);
    EXPECT_EQ(s.Grid->Cols(1).Text(), "b\r\ne\r\nh\r\n");

    s.Grid->Rows(0).Exchange(0, 2);
    s.Grid->Cols(0).Move(0, 2);
    EXPECT_EQ(s.Texts(), "d,b,a|g,e,f|c,h,i");

    TStringList list;
    list.SetCommaText("x,y");
    s.Grid->SetRows(1, list);
    EXPECT_EQ(s.Texts(), "d,b,a|x,y,|c,h,i");
    s.Grid->Rows(1).Clear();
    EXPECT_EQ(s.Grid->Rows(1).Add("z"), 0);
    EXPECT_EQ(s.Grid->Rows(1).Add("w"), 1);
    EXPECT_EQ(s.Texts(), "d,b,a|z,w,|c,h,i");

    // A view copied onto another line of the same grid.
    s.Grid->SetCols(2, s.Grid->Cols(0));
    EXPECT_EQ(s.Texts(), "d,b,d|z,w,z|c,h,c");
    EXPECT_EQ(s.Grid->Objects(1, 2), &tag);
}

TEST(StringGrid, ViewsRefuseWhatWouldChangeTheGridsShape) {
    TStringGridScene s;
    TStringList tooLong;
    tooLong.SetCommaText("1,2,3,4");
    const std::function<void()> misuses[] = {
        [&] { s.Grid->SetRows(0, tooLong); },
        [&] { s.Grid->Rows(0).Insert(0, "x"); },
        [&] { s.Grid->Cols(0).Delete(0); },
        [&] { s.Grid->Rows(0).SetStrings(3, "x"); },
        [&] { (void)s.Grid->Cols(0).Strings(-1); },
        [&] { s.Grid->Rows(0).Add("full"); },
        [&] { (void)s.Grid->Rows(3); },
        [&] { (void)s.Grid->Cols(-1); },
        [&] { s.Grid->SetCells(3, 0, "x"); },
        [&] { (void)s.Grid->Objects(0, 3); },
    };
    for (size_t i = 0; i < std::size(misuses); ++i) {
        SCOPED_TRACE(i);
        EXPECT_THROW(misuses[i](), EInvalidGridOperation);
    }
    EXPECT_EQ(s.Texts(), "a,b,c|d,e,f|g,h,i");
}

TEST(StringGrid, AViewKeptWhileItsLineIsCutOffRefusesUntilTheLineIsBack) {
    TStringGridScene s;
    TStrings& row = s.Grid->Rows(2);
    TStrings& col = s.Grid->Cols(2);
    s.Grid->SetRowCount(2);
    s.Grid->SetColCount(2);
    EXPECT_THROW((void)row.Strings(0), EInvalidGridOperation);
    EXPECT_THROW(col.SetStrings(0, "x"), EInvalidGridOperation);
    EXPECT_EQ(s.Texts(), "a,b|d,e");
    s.Grid->SetRowCount(3);
    s.Grid->SetColCount(3);
    row.SetStrings(1, "y");
    EXPECT_EQ(s.Texts(), "a,b,|d,e,|,y,");
    EXPECT_EQ(col.Count(), 3);
}

TEST(StringGrid, MoveEventsComeAfterTheCellsFollowed) {
    TStringGridScene s;
    std::vector<std::string> heard;
    s.Grid->OnRowMoved = [&](TObject*, int32_t From, int32_t To) {
        heard.push_back("row " + std::to_string(From) + ">" + std::to_string(To) + " " +
                        s.Grid->Cells(0, To));
    };
    s.Grid->OnColumnMoved = [&](TObject*, int32_t From, int32_t To) {
        heard.push_back("col " + std::to_string(From) + ">" + std::to_string(To) + " " +
                        s.Grid->Cells(To, 0));
    };
    s.Grid->MoveRow(2, 1);
    s.Grid->MoveColumn(1, 2);
    EXPECT_EQ(heard, (std::vector<std::string>{"row 2>1 g", "col 1>2 b"}));
}

}  // namespace
}  // namespace vex
