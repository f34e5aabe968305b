#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/core/stringutils.h"
#include "platform/ui/lists_testsupport.h"

namespace vex {

// Clicks a header cell the way the grid's mouse handling does after a release.
class TAdvGridSortTester {
public:
    static void ClickCell(TAdvStringGrid& Grid, int32_t ADisplayCol, int32_t ARow) {
        const TRect cell = Grid.CellRect(ADisplayCol, ARow);
        Grid.HeaderClickSort(cell.Left + 2, cell.Top + 2);
    }
};

namespace {

std::string Join(const std::vector<std::string>& Items, const char* Separator) {
    std::string out;
    for (const std::string& item : Items)
        out += (out.empty() ? "" : Separator) + item;
    return out;
}

void ClickHeader(TAdvStringGrid& Grid, int32_t ADisplayCol) {
    TAdvGridSortTester::ClickCell(Grid, ADisplayCol, 0);
}

// A grid of one header row and no fixed column, sorting on clicks, filled row by row from
// "a,b,c" lines after the header.
struct TSortScene : test::TListScene {
    explicit TSortScene(const std::vector<std::string>& Rows) {
        Grid = Add<TAdvStringGrid>(Form, Rect(0, 0, 230, 180));
        Grid->SetDefaultColWidth(40);
        Grid->SetDefaultRowHeight(14);
        Grid->SetFixedCols(0);
        Grid->SetSortShow(true);
        // No column of the test's is the sort column yet, so a first click sorts ascending.
        Grid->SetSortColumn(MaxAdvGridColumns - 1);
        Fill(Rows);
        Application().ProcessMessages();
    }
    void Fill(const std::vector<std::string>& Rows) {
        TStringList cells;
        cells.SetCommaText(Rows.front());
        Grid->SetColCount(cells.Count());
        Grid->SetRowCount(static_cast<int32_t>(Rows.size()) + 1);
        for (int32_t c = 0; c < cells.Count(); ++c)
            Grid->SetCells(c, 0, "h" + std::to_string(c));
        for (size_t r = 0; r < Rows.size(); ++r) {
            cells.SetCommaText(Rows[r]);
            for (int32_t c = 0; c < cells.Count(); ++c)
                Grid->SetCells(c, static_cast<int32_t>(r) + 1, cells[c]);
        }
    }
    // The data rows: cells joined by ',', rows by '|'.
    std::string Texts() const {
        std::string out;
        for (int32_t r = Grid->FixedRows(); r < Grid->RowCount(); ++r) {
            if (r > Grid->FixedRows()) out += '|';
            out += Grid->Rows(r).CommaText();
        }
        return out;
    }
    TAdvStringGrid* Grid = nullptr;
};

TEST(AdvGridSort, AClickSortsOnlyOnTheHeaderOfASortingGridWithRowsToSort) {
    const std::vector<std::string> rows = {"b,2", "c,3", "a,1"};
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&)> Setup;
        int32_t ClickCol, ClickRow;
        const char* Expected;
        bool Asked;
    } cases[] = {
        {"a sorting grid", [](TAdvStringGrid&) {}, 0, 0, "a,1|b,2|c,3", true},
        {"a click on a data row", [](TAdvStringGrid&) {}, 0, 1, "b,2|c,3|a,1", false},
        {"sorting off", [](TAdvStringGrid& g) { g.SetSortShow(false); }, 0, 0, "b,2|c,3|a,1",
         false},
        {"no fixed row", [](TAdvStringGrid& g) { g.SetFixedRows(0); }, 0, 0, "h0,h1|b,2|c,3|a,1",
         false},
        {"two rows", [](TAdvStringGrid& g) { g.SetRowCount(2); }, 0, 0, "b,2", false},
        {"a fixed column", [](TAdvStringGrid& g) { g.SetFixedCols(1); }, 0, 0, "b,2|c,3|a,1",
         false},
        {"a fixed column that sorts",
         [](TAdvStringGrid& g) {
             g.SetFixedCols(1);
             g.SetSortFixedCols(true);
         },
         0, 0, "a,1|b,2|c,3", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s(rows);
        c.Setup(*s.Grid);
        bool asked = false;
        s.Grid->OnCanSort = [&](TObject*, int32_t, bool&) { asked = true; };
        TAdvGridSortTester::ClickCell(*s.Grid, c.ClickCol, c.ClickRow);
        EXPECT_EQ(s.Texts(), c.Expected);
        EXPECT_EQ(asked, c.Asked);
    }
}

TEST(AdvGridSort, ClicksOnOneColumnTurnTheOrderRoundAndAnotherColumnStartsAscending) {
    TSortScene s({"b,x,1", "c,y,2", "a,z,3"});
    std::vector<std::string> told;
    s.Grid->OnClickSort = [&](TObject* Sender, int32_t ACol) {
        EXPECT_EQ(Sender, s.Grid);
        told.push_back(std::to_string(ACol) + (s.Grid->SortDirection() == sdAscending ? "+" : "-"));
    };
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "a,z,3|b,x,1|c,y,2");
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "c,y,2|b,x,1|a,z,3");
    ClickHeader(*s.Grid, 1);
    EXPECT_EQ(s.Texts(), "b,x,1|c,y,2|a,z,3");
    EXPECT_EQ(s.Grid->SortColumn(), 1);
    // The column the grid was last sorted by turns round at once.
    s.Grid->SetSortColumn(2);
    ClickHeader(*s.Grid, 2);
    EXPECT_EQ(s.Texts(), "a,z,3|c,y,2|b,x,1");
    EXPECT_EQ(Join(told, ","), "0+,0-,1+,2-");
}

TEST(AdvGridSort, AVetoLeavesRowsColumnAndDirectionAndNoSortIsTold) {
    TSortScene s({"b,2", "a,1", "c,3"});
    s.Grid->SetSortColumn(1);
    s.Grid->SetSortDirection(sdDescending);
    std::vector<int32_t> asked;
    s.Grid->OnCanSort = [&](TObject*, int32_t ACol, bool& DoSort) {
        EXPECT_TRUE(DoSort);
        asked.push_back(ACol);
        DoSort = false;
    };
    bool told = false;
    s.Grid->OnClickSort = [&](TObject*, int32_t) { told = true; };
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "b,2|a,1|c,3");
    EXPECT_EQ(s.Grid->SortColumn(), 1);
    EXPECT_EQ(s.Grid->SortDirection(), sdDescending);
    EXPECT_EQ(asked, std::vector<int32_t>{0});
    EXPECT_FALSE(told);
}

TEST(AdvGridSort, AHandlerOfOnCanSortThatTakesAwayWhatASortNeedsStopsIt) {
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&)> Change;
        const char* Expected;
    } cases[] = {
        {"the header row made data", [](TAdvStringGrid& g) { g.SetFixedRows(0); },
         "h0,h1,h2|c,1,C|a,2,B|b,3,A"},
        {"sorting turned off", [](TAdvStringGrid& g) { g.SetSortShow(false); },
         "c,1,C|a,2,B|b,3,A"},
        {"rows cut to two", [](TAdvStringGrid& g) { g.SetRowCount(2); }, "c,1,C"},
        {"the clicked column cut", [](TAdvStringGrid& g) { g.SetColCount(2); }, "c,1|a,2|b,3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s({"c,1,C", "a,2,B", "b,3,A"});
        s.Grid->SetSortColumn(0);
        s.Grid->OnCanSort = [&](TObject*, int32_t, bool&) { c.Change(*s.Grid); };
        bool told = false;
        s.Grid->OnClickSort = [&](TObject*, int32_t) { told = true; };
        ClickHeader(*s.Grid, 2);
        EXPECT_EQ(s.Texts(), c.Expected);
        EXPECT_EQ(s.Grid->SortColumn(), 0);
        EXPECT_EQ(s.Grid->SortDirection(), sdAscending);
        EXPECT_FALSE(told);
    }
}

// The rows as the rule-list window's handlers order them: hits (column 1) as numbers, the
// rest without regard to case.
TEST(AdvGridSort, StylesFromOnGetFormatOrderTheColumnAndTiesGoToTheNextButNotTheLast) {
    const struct {
        const char* Name;
        std::vector<std::string> Rows;
        int32_t Col;
        const char* Expected;
    } cases[] = {
        {"numbers, not texts", {"x,12,a", "y,9,b", "z,,c"}, 1, "z,,c|y,9,b|x,12,a"},
        {"words among numbers: the next column decides",
         {"b,5,1", "a,none,2", "c,1,3"},
         1,
         // "none" equals every number, so only its neighbours' numbers and letters order it
         "c,1,3|a,none,2|b,5,1"},
        {"ties to the next column",
         {"same,2,z", "same,1,y", "other,3,x"},
         0,
         "other,3,x|same,1,y|same,2,z"},
        // Rows equal but for the last column trade places as equal rows do, out of its order.
        {"never to the last column", {"a,1,x", "A,1,y", "a,1,z"}, 0, "a,1,z|A,1,y|a,1,x"},
        {"the last column when it is the sort column", {"a,1,z", "b,1,y"}, 2, "b,1,y|a,1,z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s(c.Rows);
        s.Grid->OnGetFormat = [](TObject*, int32_t ACol, TSortStyle& AStyle, std::string&,
                                 std::string&) { AStyle = ACol == 1 ? ssNumber : ssTextNoCase; };
        ClickHeader(*s.Grid, c.Col);
        EXPECT_EQ(s.Texts(), c.Expected);
    }
}

TEST(AdvGridSort, HiddenColumnsTravelWithTheirRowsAndBreakTiesBeforeTheLastColumn) {
    const struct {
        const char* Name;
        std::vector<std::string> Rows;
        int32_t Hidden, ClickDisplayCol, SortColumn;
        const char* Expected;  // every real column, hidden ones included
    } cases[] = {
        {"a click beside a hidden column sorts the real column",
         {"b,h2,x", "a,h1,z", "c,h3,y"},
         1,
         1,
         2,
         "b,h2,x|c,h3,y|a,h1,z"},
        // A hidden column breaks ties like a shown one; the last stored column still never does.
        {"ties go on past the shown columns",
         {"a,1,x,7", "a,1,y,8", "a,1,z,9"},
         2,
         0,
         0,
         "a,1,x,7|a,1,y,8|a,1,z,9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s(c.Rows);
        const int32_t stored = s.Grid->ColCount();
        s.Grid->HideColumn(c.Hidden);
        ClickHeader(*s.Grid, c.ClickDisplayCol);
        EXPECT_EQ(s.Grid->SortColumn(), c.SortColumn);
        std::vector<std::string> rows;
        for (int32_t r = 1; r < s.Grid->RowCount(); ++r) {
            std::vector<std::string> cells;
            for (int32_t col = 0; col < stored; ++col)
                cells.push_back(s.Grid->Cells(col, r));
            rows.push_back(Join(cells, ","));
        }
        EXPECT_EQ(Join(rows, "|"), c.Expected);
    }
}

TEST(AdvGridSort, EveryCellComparisonAsksForItsFormatFirst) {
    TSortScene s({"d,1,p", "b,2,p", "a,3,p", "c,4,p", "a,0,p"});
    std::vector<std::string> calls;
    s.Grid->OnGetFormat = [&](TObject*, int32_t ACol, TSortStyle& AStyle, std::string& Prefix,
                              std::string& Suffix) {
        EXPECT_EQ(AStyle, ssText);
        EXPECT_EQ(Prefix, "");
        EXPECT_EQ(Suffix, "");
        calls.push_back("format " + std::to_string(ACol));
        AStyle = ssByEvent;
        Prefix = "changed";  // is not handed to the next comparison
    };
    s.Grid->OnCustomCompare = [&](TObject*, const std::string& A, const std::string& B,
                                  int32_t& Res) {
        EXPECT_EQ(Res, 0);
        calls.push_back("compare");
        Res = A < B ? -7 : A > B ? 7 : 0;  // only the sign counts
    };
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "a,0,p|a,3,p|b,2,p|c,4,p|d,1,p");
    ASSERT_FALSE(calls.empty());
    for (size_t i = 0; i < calls.size(); i += 2) {
        EXPECT_EQ(calls[i].rfind("format ", 0), 0u) << i;
        EXPECT_EQ(calls[i + 1], "compare") << i;
    }
}

TEST(AdvGridSort, TheCurrentRecordStaysCurrentAndNothingOfTheMoveIsLeftBehind) {
    TImageList images(nullptr);
    TSortScene s({"c,1", "a,2", "d,3", "b,4"});
    TObject image;
    s.Grid->SetObjects(1, 3, &image);
    s.Grid->SetGridImages(&images);
    s.Grid->AddCellImage(0, 1, 7, 3, 2);  // the grid's own, freed when no cell holds it

    s.Grid->SetRow(3);  // "d,3"
    s.Grid->SetCol(1);
    std::vector<int32_t> currentWhileSorting;
    s.Grid->OnGetFormat = [&](TObject*, int32_t, TSortStyle&, std::string&, std::string&) {
        currentWhileSorting.push_back(s.Grid->Row());
    };
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "a,2|b,4|c,1|d,3");
    EXPECT_EQ(s.Grid->Row(), 4);
    EXPECT_EQ(s.Grid->Col(), 1);
    EXPECT_EQ(s.Grid->Objects(1, 4), &image);
    ASSERT_NE(s.Grid->CellGraphic(0, 3), nullptr);
    EXPECT_EQ(s.Grid->CellGraphic(0, 3)->ImageIndex, 7);
    EXPECT_EQ(s.Grid->RowCount(), 5);
    for (const int32_t row : currentWhileSorting)
        EXPECT_GT(row, 4) << "a data row was current while rows moved";
    // Rows that come back hold nothing of the sort's.
    s.Grid->SetRowCount(8);
    for (int32_t r = 5; r < 8; ++r)
        for (int32_t c = 0; c < 2; ++c) {
            EXPECT_EQ(s.Grid->Cells(c, r), "");
            EXPECT_EQ(s.Grid->Objects(c, r), nullptr);
        }
}

TEST(AdvGridSort, FixedRowsAndFooterRowsStayWhereTheyAre) {
    TSortScene s({"sub,9", "d,4", "b,2", "c,3", "a,1", "total,10"});
    s.Grid->SetFixedRows(2);  // "sub,9" joins the header
    s.Grid->SetFixedFooters(1);
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "a,1|b,2|c,3|d,4|total,10");
    EXPECT_EQ(s.Grid->Cells(0, 1), "sub");
    ClickHeader(*s.Grid, 0);
    EXPECT_EQ(s.Texts(), "d,4|c,3|b,2|a,1|total,10");
}

TEST(AdvGridSort, ComparisonsThatContradictThemselvesStillEndAndLoseNoRow) {
    const struct {
        const char* Name;
        TSortStyle Style;
        std::function<int32_t(const std::string&, const std::string&)> Compare;
    } cases[] = {
        {"no comparison at all", ssNoCompare, nullptr},
        {"always greater", ssByEvent, [](const std::string&, const std::string&) { return 1; }},
        {"always smaller", ssByEvent, [](const std::string&, const std::string&) { return -1; }},
        {"at random", ssByEvent,
         [rng = std::mt19937(7)](const std::string&, const std::string&) mutable {
             return static_cast<int32_t>(rng() % 3) - 1;
         }},
    };
    std::vector<std::string> rows;
    for (int32_t i = 0; i < 300; ++i)
        rows.push_back(std::to_string(i * 7919 % 300) + "," + std::to_string(i));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s(rows);
        s.Grid->OnGetFormat = [&](TObject*, int32_t, TSortStyle& AStyle, std::string&,
                                  std::string&) { AStyle = c.Style; };
        auto compare = c.Compare;
        s.Grid->OnCustomCompare = [&](TObject*, const std::string& A, const std::string& B,
                                      int32_t& Res) { Res = compare(A, B); };
        ClickHeader(*s.Grid, 1);
        std::vector<std::string> after;
        for (int32_t r = 1; r < s.Grid->RowCount(); ++r)
            after.push_back(s.Grid->Rows(r).CommaText());
        std::vector<std::string> before = rows;
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, before);
    }
}

TEST(AdvGridSort, ManyRowsComeOutInOrderWithEveryRowKept) {
    std::mt19937 rng(2024);
    std::vector<std::string> rows;
    for (int32_t i = 0; i < 3000; ++i)
        rows.push_back(std::to_string(rng() % 50) + "," + std::string(1, 'a' + rng() % 5) + "," +
                       std::to_string(i));
    TSortScene s(rows);
    s.Grid->OnGetFormat = [](TObject*, int32_t ACol, TSortStyle& AStyle, std::string&,
                             std::string&) { AStyle = ACol == 0 ? ssNumber : ssText; };
    ClickHeader(*s.Grid, 0);
    ClickHeader(*s.Grid, 0);  // and descending
    std::vector<std::string> seen;
    for (int32_t r = 1; r < s.Grid->RowCount(); ++r) {
        seen.push_back(s.Grid->Rows(r).CommaText());
        if (r == 1) continue;
        const int32_t above = StrToInt(s.Grid->Cells(0, r - 1));
        const int32_t here = StrToInt(s.Grid->Cells(0, r));
        ASSERT_GE(above, here) << r;
        if (above == here) {
            ASSERT_GE(s.Grid->Cells(1, r - 1), s.Grid->Cells(1, r)) << r;
        }
    }
    std::sort(seen.begin(), seen.end());
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(seen, rows);
}

TEST(AdvGridSort, AHandlerThatFailsLeavesTheGridWholeAndTheFailureReachesTheCaller) {
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&)> Arm;
    } cases[] = {
        {"while asked for a format",
         [](TAdvStringGrid& g) {
             g.OnGetFormat = [calls = 0](TObject*, int32_t, TSortStyle&, std::string&,
                                         std::string&) mutable {
                 if (++calls == 3) throw std::runtime_error("no format");
             };
         }},
        {"while the current record is selected again",
         [](TAdvStringGrid& g) {
             g.OnSelectCell = [](TObject*, int32_t, int32_t, bool&) {
                 throw std::runtime_error("no selection");
             };
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s({"c,1", "a,2", "b,3"});
        s.Grid->SetRow(2);  // "a,2"
        c.Arm(*s.Grid);
        bool told = false;
        s.Grid->OnClickSort = [&](TObject*, int32_t) { told = true; };
        EXPECT_THROW(ClickHeader(*s.Grid, 0), std::runtime_error);
        EXPECT_FALSE(told);
        EXPECT_EQ(s.Grid->RowCount(), 4);
        EXPECT_EQ(s.Grid->Cells(1, s.Grid->Row()), "2");
        std::vector<std::string> after;
        for (int32_t r = 1; r < s.Grid->RowCount(); ++r)
            after.push_back(s.Grid->Rows(r).CommaText());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(Join(after, "|"), "a,2|b,3|c,1");
    }
}

TEST(AdvGridSort, AHandlerThatChangesTheCountsLosesNoRecordAndLeavesNoSpareRow) {
    // Each handler changes the counts once; "fails" is whether the sort stops with an error.
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&, std::function<void()>)> Arm;
        std::function<void(TAdvStringGrid&)> Change;
        bool Fails;
        const char* Rows;  // sorted, as a set
    } cases[] = {
        {"a row appended while comparing",
         [](TAdvStringGrid& g, std::function<void()> once) {
             g.OnGetFormat = [once](TObject*, int32_t, TSortStyle&, std::string&, std::string&) {
                 once();
             };
         },
         [](TAdvStringGrid& g) { g.SetRowCount(g.RowCount() + 1); }, true, ",|a,2|b,3|c,1"},
        {"a row inserted while comparing",
         [](TAdvStringGrid& g, std::function<void()> once) {
             g.OnGetFormat = [once](TObject*, int32_t, TSortStyle&, std::string&, std::string&) {
                 once();
             };
         },
         [](TAdvStringGrid& g) { g.InsertRows(1, 1); }, true, ",|a,2|b,3|c,1"},
        {"a row removed while comparing",
         [](TAdvStringGrid& g, std::function<void()> once) {
             g.OnGetFormat = [once](TObject*, int32_t, TSortStyle&, std::string&, std::string&) {
                 once();
             };
         },
         [](TAdvStringGrid& g) { g.RemoveRows(3, 1); }, true, "a,2|c,1"},
        {"the first column removed while comparing",
         [](TAdvStringGrid& g, std::function<void()> once) {
             g.OnGetFormat = [once](TObject*, int32_t, TSortStyle&, std::string&, std::string&) {
                 once();
             };
         },
         [](TAdvStringGrid& g) { g.RemoveCols(0, 1); }, true, "1|2|3"},
        {"a row inserted as the current record is selected again",
         [](TAdvStringGrid& g, std::function<void()> once) {
             g.OnSelectCell = [once](TObject*, int32_t, int32_t, bool&) { once(); };
         },
         [](TAdvStringGrid& g) { g.InsertRows(1, 1); }, false, ",|a,2|b,3|c,1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s({"c,1", "a,2", "b,3"});
        bool changed = false;
        c.Arm(*s.Grid, [&] {
            if (!std::exchange(changed, true)) c.Change(*s.Grid);
        });
        bool told = false;
        s.Grid->OnClickSort = [&](TObject*, int32_t) { told = true; };
        if (c.Fails)
            EXPECT_THROW(ClickHeader(*s.Grid, 0), EAdvGridError);
        else
            EXPECT_NO_THROW(ClickHeader(*s.Grid, 0));
        EXPECT_EQ(told, !c.Fails);
        std::vector<std::string> after;
        for (int32_t r = 1; r < s.Grid->RowCount(); ++r)
            after.push_back(s.Grid->Rows(r).CommaText());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(Join(after, "|"), c.Rows);
    }
}

// Frees the grid from inside one of its own handlers: the handler's closure goes with the grid,
// so nothing of it is read after the delete.
void Free(TAdvStringGrid*& Grid) {
    TAdvStringGrid* victim = Grid;
    Grid = nullptr;
    delete victim;
}

TEST(AdvGridSort, AGridFreedByItsHandlersIsNotTouchedAgain) {
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid*&)> Arm;
    } cases[] = {
        {"while asked whether to sort",
         [](TAdvStringGrid*& g) { g->OnCanSort = [&g](TObject*, int32_t, bool&) { Free(g); }; }},
        {"while asked for a format",
         [](TAdvStringGrid*& g) {
             g->OnGetFormat = [&g](TObject*, int32_t, TSortStyle&, std::string&, std::string&) {
                 Free(g);
             };
         }},
        {"while comparing",
         [](TAdvStringGrid*& g) {
             g->OnGetFormat = [](TObject*, int32_t, TSortStyle& AStyle, std::string&,
                                 std::string&) { AStyle = ssByEvent; };
             g->OnCustomCompare = [&g](TObject*, const std::string&, const std::string&, int32_t&) {
                 Free(g);
             };
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSortScene s({"b", "a", "c"});
        TAdvStringGrid* grid = s.Grid;
        c.Arm(grid);
        bool told = false;
        grid->OnClickSort = [&](TObject*, int32_t) { told = true; };
        ClickHeader(*grid, 0);
        EXPECT_EQ(grid, nullptr);
        EXPECT_FALSE(told);
    }
}

// Each row's cells still belong together: column 3 holds "3:" and the number in column 2.
std::vector<std::string> TornRows(const TAdvStringGrid& Grid) {
    std::vector<std::string> torn;
    for (int32_t r = Grid.FixedRows(); r < Grid.RowCount(); ++r) {
        const std::string& key = Grid.Cells(2, r);
        const std::string expected = "3:" + key.substr(key.find(':') + 1);
        if (Grid.Cells(3, r) != expected) torn.push_back(key + " " + Grid.Cells(3, r));
    }
    return torn;
}

TEST(AdvGridSort, AnOpenEditorKeepsItsTextWithItsRecordThroughAHeaderClick) {
    const struct {
        const char* Name;
        TGridOptions Options;
        std::vector<int32_t> Keys;
        const char* Edited;
    } cases[] = {
        {"opened with F2", {goEditing}, {VK_F2, VK_END, '9'}, "2:5 3:59"},
        {"always shown", {goEditing, goAlwaysShowEditor}, {'9'}, "2:5 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + c.Options);
        s.Grid->SetSortShow(true);
        s.Grid->SetCol(3);
        s.Grid->SetRow(5);
        s.Keys(c.Keys);
        s.Click(3, 0);
        EXPECT_EQ(TornRows(*s.Grid), std::vector<std::string>{c.Edited});
        s.Click(3, 0);  // and back, with the editor where the current record went
        EXPECT_EQ(TornRows(*s.Grid), std::vector<std::string>{c.Edited});
    }
}

}  // namespace
}  // namespace vex
