#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/win/updateregion.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kCases = VEX_TEST_DIR "/testdata/advgrid/model/operations.txt";

// A grid of Cols x 4 cells without fixed cells, each holding its column letter and row digit.
struct TOperationsScene : test::TListScene {
    explicit TOperationsScene(int32_t Cols = 4) {
        Grid = Add<TAdvStringGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetColCount(Cols);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
        Grid->SetDefaultColWidth(64);
        for (int32_t c = 0; c < Cols; ++c) {
            Grid->SetColWidths(c, 10 * (c + 1));
            for (int32_t r = 0; r < 4; ++r)
                Grid->SetCells(c, r,
                               std::string(1, static_cast<char>('a' + c)) + std::to_string(r));
        }
    }
    // Every stored cell by real index: cells joined by ',', rows by '|'.
    std::string Texts() const {
        std::string out;
        for (int32_t r = 0; r < Grid->RowCount(); ++r) {
            if (r > 0) out += '|';
            for (int32_t c = 0; c < Grid->StoredColCount(); ++c)
                out += (c > 0 ? "," : "") + Grid->Cells(c, r);
        }
        return out;
    }
    // Runs "Name arg arg; Name arg" as the grid's operations.
    void Run(const std::string& Operations) {
        std::istringstream list(Operations);
        std::string one;
        while (std::getline(list, one, ';')) {
            std::istringstream words(one);
            std::string name;
            std::vector<int32_t> a;
            words >> name;
            for (int32_t value = 0; words >> value;)
                a.push_back(value);
            const std::map<std::string, std::function<void()>> operations = {
                {"InsertRows", [&] { Grid->InsertRows(a.at(0), a.at(1)); }},
                {"RemoveRows", [&] { Grid->RemoveRows(a.at(0), a.at(1)); }},
                {"InsertCols", [&] { Grid->InsertCols(a.at(0), a.at(1)); }},
                {"RemoveCols", [&] { Grid->RemoveCols(a.at(0), a.at(1)); }},
                {"ClearRows", [&] { Grid->ClearRows(a.at(0), a.at(1)); }},
                {"ClearCols", [&] { Grid->ClearCols(a.at(0), a.at(1)); }},
                {"ClearRect", [&] { Grid->ClearRect(a.at(0), a.at(1), a.at(2), a.at(3)); }},
                {"MoveRow", [&] { Grid->MoveRow(a.at(0), a.at(1)); }},
                {"MoveColumn", [&] { Grid->MoveColumn(a.at(0), a.at(1)); }},
                {"HideColumn", [&] { Grid->HideColumn(a.at(0)); }},
                {"HideColumns", [&] { Grid->HideColumns(a.at(0), a.at(1)); }},
                {"UnHideColumn", [&] { Grid->UnHideColumn(a.at(0)); }},
                {"UnHideColumns", [&] { Grid->UnHideColumns(a.at(0), a.at(1)); }},
            };
            operations.at(name)();
        }
    }
    TAdvStringGrid* Grid = nullptr;
};

// Operations for TOperationsScene::Run, and what the case is called.
struct TNamedOperations {
    const char* Name;
    std::string Operations;
};

std::string Joined(const std::vector<int32_t>& Values) {
    std::string out;
    for (size_t i = 0; i < Values.size(); ++i)
        out += (i > 0 ? "," : "") + std::to_string(Values[i]);
    return out;
}

TEST(AdvGridColumns, OperationsMoveAndEmptyCellsHiddenColumnsIncluded) {
    for (const test::TestCase& c : test::ReadCases(kCases, "ops")) {
        SCOPED_TRACE(c.Where + " " + c[0]);
        TOperationsScene s;
        s.Run(c[1]);
        EXPECT_EQ(s.Texts(), c[2]);
    }
}

TEST(AdvGridColumns, HidingAndShowingKeepCountsRealIndexesAndWidthsInStep) {
    for (const test::TestCase& c : test::ReadCases(kCases, "shape")) {
        SCOPED_TRACE(c.Where + " " + c[0]);
        TOperationsScene s(static_cast<int32_t>(c.Int(1)));
        s.Run(c[2]);
        EXPECT_EQ(s.Grid->ColCount(), c.Int(3));
        EXPECT_EQ(s.Grid->HiddenColCount(), c.Int(4));
        EXPECT_EQ(s.Grid->StoredColCount(), s.Grid->ColCount() + s.Grid->HiddenColCount());
        std::vector<int32_t> real;
        std::vector<int32_t> widths;
        for (int32_t d = 0; d < s.Grid->ColCount(); ++d) {
            real.push_back(s.Grid->RealColIndex(d));
            widths.push_back(s.Grid->ColWidths(d));
        }
        EXPECT_EQ(Joined(real), c[5]);
        EXPECT_EQ(Joined(widths), c[6]);
    }
}

// The lookup as the visibility flags alone give it, to hold the grid's shortcuts against.
int32_t RealColIndexByWalk(const TAdvStringGrid& Grid, int32_t ADisplayCol) {
    if (ADisplayCol >= MaxAdvGridColumns - 1) return ADisplayCol;
    int32_t seen = 0;
    for (int32_t real = 0; real < std::min(Grid.StoredColCount(), MaxAdvGridColumns); ++real) {
        if (Grid.IsHiddenColumn(real)) continue;
        if (seen == ADisplayCol) return real;
        ++seen;
    }
    return 0;
}

TEST(AdvGridColumns, RealColIndexAgreesWithTheWalkOverTheFlagsInEveryState) {
    const struct {
        const char* Name;
        int32_t Cols;
        std::string Operations;
    } cases[] = {
        {"nothing hidden", 6, ""},
        {"one hidden", 6, "HideColumn 2"},
        {"hidden and shown again", 6, "HideColumns 1 3; UnHideColumns 1 3"},
        {"shown again in part", 6, "HideColumns 1 3; UnHideColumn 2"},
        {"a hidden column moved past", 6, "HideColumn 1; MoveColumn 0 3"},
        {"a column moved, nothing hidden", 6, "MoveColumn 4 1"},
        {"columns removed past a hidden one", 6, "HideColumn 5; RemoveCols 0 2"},
        {"columns inserted before a hidden one", 6, "HideColumn 4; InsertCols 0 2"},
        {"count cut after hiding", 6, "HideColumn 0; HideColumn 3"},
        {"a full grid", MaxAdvGridColumns, ""},
        {"a full grid, one hidden", MaxAdvGridColumns, "HideColumn 3"},
        {"a full grid, hidden and shown", MaxAdvGridColumns, "HideColumn 256; UnHideColumn 256"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TOperationsScene s(c.Cols);
        s.Run(c.Operations);
        int32_t hiddenFlags = 0;
        for (int32_t slot = 0; slot < MaxAdvGridColumns; ++slot)
            hiddenFlags += s.Grid->IsHiddenColumn(slot) ? 1 : 0;
        EXPECT_EQ(s.Grid->HiddenColCount(), hiddenFlags);
        const int32_t count = s.Grid->ColCount();
        const int32_t stored = s.Grid->StoredColCount();
        for (int32_t display :
             {-300, -1, 0, 1, count - 1, count, stored - 1, stored, 255, 256, 257, 300}) {
            SCOPED_TRACE(display);
            EXPECT_EQ(s.Grid->RealColIndex(display), RealColIndexByWalk(*s.Grid, display));
        }
    }
}

TEST(AdvGridColumns, RealColIndexPastTheVisibleColumnsIsZeroAndFromTheLastSlotItself) {
    TOperationsScene s(6);
    s.Grid->HideColumn(2);
    EXPECT_TRUE(s.Grid->IsHiddenColumn(2));
    EXPECT_FALSE(s.Grid->IsHiddenColumn(3));
    const struct {
        int32_t Display;
        int32_t Real;
    } cases[] = {{1, 1}, {2, 3}, {255, 0}, {-1, 0}, {256, 256}, {300, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Display);
        EXPECT_EQ(s.Grid->RealColIndex(c.Display), c.Real);
    }
}

TEST(AdvGridColumns, AFullGridWithAHiddenColumnShowsTheLastSlotInItsLastColumn) {
    TOperationsScene s(MaxAdvGridColumns);
    s.Grid->SetCells(256, 1, "last slot");
    s.Grid->HideColumn(3);
    ASSERT_EQ(s.Grid->ColCount(), 256);
    for (int32_t d = 0; d < s.Grid->ColCount(); ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(s.Grid->RealColIndex(d), d < 3 ? d : d + 1);
    }
    // The last slot is visible: a change to it repaints the last column on screen.
    s.Grid->SetColWidths(255, 20);
    s.Grid->SetLeftCol(s.Grid->ColCount() - 1);
    Application().ProcessMessages();
    s.Grid->SetCells(256, 1, "changed");
    TRect update;
    ASSERT_TRUE(GetUpdateRect(s.Grid->Handle(), update));
    EXPECT_EQ(update, s.Grid->CellRect(255, 1));
}

TEST(AdvGridColumns, AChangedCellIsRepaintedWhereItShows) {
    TOperationsScene s(4);
    s.Grid->HideColumn(0);
    const struct {
        int32_t Real;
        int32_t OnScreen;  // -1: nothing to repaint
    } cases[] = {{0, -1}, {1, 0}, {3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Real);
        Application().ProcessMessages();
        s.Grid->SetCells(c.Real, 1, "changed");
        TRect update;
        const bool pending = GetUpdateRect(s.Grid->Handle(), update);
        EXPECT_EQ(pending, c.OnScreen >= 0);
        if (pending) {
            EXPECT_EQ(update, s.Grid->CellRect(c.OnScreen, 1));
        }
    }
}

// An owner may hide or show a column from a drawing event: a call that changes nothing must
// not ask for the painting again, or the grid would repaint without end.
TEST(AdvGridColumns, HidingOrShowingThatChangesNothingRepaintsNothing) {
    const TNamedOperations cases[] = {
        {"a hidden column hidden again", "HideColumn 1"},
        {"a visible column shown", "UnHideColumn 2"},
        {"a column the grid lacks hidden", "HideColumns 9 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TOperationsScene s;
        s.Grid->HideColumn(1);
        Application().ProcessMessages();
        s.Run(c.Operations);
        TRect update;
        EXPECT_FALSE(GetUpdateRect(s.Grid->Handle(), update));
    }
}

TEST(AdvGridColumns, IndexesOutsideTheGridRaiseAndChangeNothing) {
    const struct {
        const char* Name;
        std::function<void(TAdvStringGrid&)> Call;
    } cases[] = {
        {"hide past the 257 slots", [](TAdvStringGrid& g) { g.HideColumn(300); }},
        {"hide below 0", [](TAdvStringGrid& g) { g.HideColumns(-1, 1); }},
        {"show past the slots", [](TAdvStringGrid& g) { g.UnHideColumn(257); }},
        {"ask past the slots", [](TAdvStringGrid& g) { g.IsHiddenColumn(257); }},
        {"clear past the last column", [](TAdvStringGrid& g) { g.ClearRect(0, 0, 4, 0); }},
        {"clear rows past the end", [](TAdvStringGrid& g) { g.ClearRows(3, 2); }},
        {"clear a column below 0", [](TAdvStringGrid& g) { g.ClearCols(-1, 1); }},
        {"remove a row past the end", [](TAdvStringGrid& g) { g.RemoveRows(4, 1); }},
        {"remove more rows than there are", [](TAdvStringGrid& g) { g.RemoveRows(1, 4); }},
        {"remove a huge count", [](TAdvStringGrid& g) { g.RemoveRows(1, INT32_MAX); }},
        {"remove a negative count", [](TAdvStringGrid& g) { g.RemoveRows(0, -1); }},
        {"insert rows past the end", [](TAdvStringGrid& g) { g.InsertRows(5, 1); }},
        {"insert a negative count", [](TAdvStringGrid& g) { g.InsertRows(0, -1); }},
        {"insert rows without end", [](TAdvStringGrid& g) { g.InsertRows(0, INT32_MAX); }},
        {"remove columns past the end", [](TAdvStringGrid& g) { g.RemoveCols(3, 2); }},
        {"insert a column past the end", [](TAdvStringGrid& g) { g.InsertCols(5, 1); }},
        {"insert past the 257 slots", [](TAdvStringGrid& g) { g.InsertCols(0, 254); }},
        {"move a row past the end", [](TAdvStringGrid& g) { g.MoveRow(0, 4); }},
        {"move a column past the end", [](TAdvStringGrid& g) { g.MoveColumn(4, 0); }},
        {"an image past the last column", [](TAdvStringGrid& g) { g.AddCellImage(4, 0, 0, 0, 0); }},
        {"an image placed by 5", [](TAdvStringGrid& g) { g.AddCellImage(0, 0, 0, 5, 0); }},
        {"the graphic of a row past the end", [](TAdvStringGrid& g) { g.CellGraphic(0, 4); }},
        {"sort by a column past the slots", [](TAdvStringGrid& g) { g.SetSortColumn(257); }},
        {"negative footer rows", [](TAdvStringGrid& g) { g.SetFixedFooters(-1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TOperationsScene s;
        TImageList images(nullptr);
        s.Grid->SetGridImages(&images);
        const std::string before = s.Texts();
        EXPECT_THROW(c.Call(*s.Grid), Exception);
        EXPECT_EQ(s.Texts(), before);
        EXPECT_EQ(s.Grid->ColCount(), 4);
        EXPECT_EQ(s.Grid->RowCount(), 4);
        EXPECT_EQ(s.Grid->HiddenColCount(), 0);
    }
}

TEST(AdvGridColumns, SortColumnFollowsOnlyTheColumnItNames) {
    const struct {
        int32_t From;
        int32_t To;
        int32_t SortColumn;
    } cases[] = {{2, 0, 0}, {2, 3, 3}, {1, 3, 2}, {0, 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + "->" + std::to_string(c.To));
        TOperationsScene s;
        s.Grid->SetSortColumn(2);
        s.Grid->MoveColumn(c.From, c.To);
        EXPECT_EQ(s.Grid->SortColumn(), c.SortColumn);
    }
}

TEST(AdvGridColumns, SortColumnFollowsItsColumnPastAHiddenOne) {
    TOperationsScene s;
    s.Grid->HideColumn(1);
    s.Grid->SetSortColumn(3);
    s.Grid->MoveColumn(2, 0);
    EXPECT_EQ(s.Grid->SortColumn(), 0);
    EXPECT_EQ(s.Grid->Cells(s.Grid->SortColumn(), 0), "d0");
}

TEST(AdvGridColumns, AGridFreedByItsColumnMovedEventIsLeftAlone) {
    TOperationsScene s;
    s.Grid->SetSortColumn(2);
    TAdvStringGrid* grid = s.Grid;
    s.Grid->OnColumnMoved = [&grid](TObject*, int32_t, int32_t) {
        // The handler dies with the grid: nothing of it is touched after the delete.
        delete std::exchange(grid, nullptr);
    };
    s.Grid->MoveColumn(2, 0);
    EXPECT_EQ(grid, nullptr);
}

// --- Cell images ---

struct TImageScene : TOperationsScene {
    TImageScene() { Grid->SetGridImages(&Images); }
    // Still readable: ImageIndex of a freed graphic is a use after free under the sanitizers.
    int32_t ImageAt(int32_t ACol, int32_t ARow) const {
        const TCellGraphic* graphic = Grid->CellGraphic(ACol, ARow);
        return graphic != nullptr ? graphic->ImageIndex : -1;
    }
    TImageList Images{nullptr};
};

TEST(AdvGridColumns, AddCellImageReplacesAnImageAndLeavesAnyOtherObject) {
    TImageScene s;
    TObject foreign;
    s.Grid->SetObjects(1, 1, &foreign);
    s.Grid->AddCellImage(1, 1, 7, 3, 2);
    EXPECT_EQ(s.Grid->Objects(1, 1), &foreign);

    s.Grid->AddCellImage(0, 0, 7, 3, 2);
    s.Grid->AddCellImage(0, 0, 8, 1, 0);
    const TCellGraphic* graphic = s.Grid->CellGraphic(0, 0);
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->Kind, TCellGraphic::ctImageList);
    EXPECT_EQ(graphic->ImageIndex, 8);
    EXPECT_EQ(graphic->HAlign, 1);
    EXPECT_EQ(graphic->VAlign, 0);

    s.Grid->SetGridImages(nullptr);
    s.Grid->AddCellImage(2, 2, 1, 0, 0);
    EXPECT_EQ(s.Grid->CellGraphic(2, 2), nullptr);
}

TEST(AdvGridColumns, ImagesTravelWithTheirCellsAndStayValidAfterEveryOperation) {
    const struct {
        const char* Name;
        std::string Operations;
        bool EnableGraphics;
        // The image index in each row of column 0 afterwards, -1 for none.
        std::vector<int32_t> Column0;
    } cases[] = {
        {"rows inserted above an image", "InsertRows 1 1", false, {0, -1, 1, 2, 3}},
        {"rows removed above images", "RemoveRows 0 2", false, {2, 3}},
        {"the last rows cut by the count", "RemoveRows 2 2", false, {0, 1}},
        {"emptied without EnableGraphics", "ClearRect 0 0 0 1", false, {0, 1, 2, 3}},
        {"emptied with EnableGraphics", "ClearRect 0 0 0 1", true, {-1, -1, 2, 3}},
        {"rows emptied with EnableGraphics", "ClearRows 3 1", true, {0, 1, 2, -1}},
        {"a row moved", "MoveRow 0 3", false, {1, 2, 3, 0}},
        {"a column inserted before them", "InsertCols 0 1", false, {-1, -1, -1, -1}},
        {"their column removed", "RemoveCols 0 1", false, {-1, -1, -1, -1}},
        {"their column moved away and back", "MoveColumn 0 2; MoveColumn 2 0", false, {0, 1, 2, 3}},
        {"their column hidden, rows cut",
         "MoveColumn 0 3; HideColumn 3; RemoveRows 2 2",
         true,
         {-1, -1}},
        {"set and emptied past them, rows cut",
         "ClearRect 1 0 3 3; RemoveRows 3 1",
         true,
         {0, 1, 2}},
        {"rows moved, rows cut", "MoveRow 3 0; MoveRow 1 2; RemoveRows 3 1", false, {3, 1, 0}},
        {"their column hidden and inserted over",
         "MoveColumn 0 3; HideColumn 3; InsertCols 0 1",
         false,
         {-1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TImageScene s;
        s.Grid->SetEnableGraphics(c.EnableGraphics);
        for (int32_t r = 0; r < 4; ++r)
            s.Grid->AddCellImage(0, r, r, 3, 2);
        s.Run(c.Operations);
        std::vector<int32_t> column0;
        for (int32_t r = 0; r < s.Grid->RowCount(); ++r)
            column0.push_back(s.ImageAt(0, r));
        EXPECT_EQ(column0, c.Column0);
        // Whatever moved elsewhere is still a live image too.
        for (int32_t r = 0; r < s.Grid->RowCount(); ++r)
            for (int32_t col = 1; col < s.Grid->StoredColCount(); ++col)
                s.ImageAt(col, r);
    }
}

TEST(AdvGridColumns, AnImageCopiedToAnotherCellLivesWhileACellHoldsIt) {
    const TNamedOperations cases[] = {
        {"replaced in the first cell", ""},
        {"cleared from the first cell", "ClearRect 0 0 0 0"},
        {"its first row removed", "RemoveRows 0 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TImageScene s;
        s.Grid->SetEnableGraphics(true);
        s.Grid->AddCellImage(0, 0, 7, 3, 2);
        // A row copied whole, as a caller moving rules about does: both cells hold the image.
        s.Grid->Rows(3).Assign(&s.Grid->Rows(0));
        s.Run(c.Operations);
        if (c.Operations.empty()) s.Grid->AddCellImage(0, 0, 8, 3, 2);
        EXPECT_EQ(s.ImageAt(0, s.Grid->RowCount() - 1), 7);
    }
}

TEST(AdvGridColumns, ObjectsTheCallerPutInCellsAreNeverFreed) {
    // Owned here: the grid freeing one would be a double free under the sanitizers.
    std::vector<std::unique_ptr<TObject>> objects;
    objects.push_back(std::make_unique<TObject>());
    objects.push_back(std::make_unique<TCellGraphic>());
    objects.push_back(std::make_unique<TCellGraphic>());
    {
        TImageScene s;
        s.Grid->SetEnableGraphics(true);
        for (int32_t r = 0; r < 3; ++r)
            s.Grid->SetObjects(1, r, objects[static_cast<size_t>(r)].get());
        s.Grid->ClearRect(1, 1, 1, 1);
        EXPECT_EQ(s.Grid->Objects(1, 1), nullptr);
        s.Grid->AddCellImage(1, 2, 5, 0, 0);  // replaces the caller's graphic, frees nothing
        EXPECT_EQ(s.ImageAt(1, 2), 5);
        s.Grid->SetObjects(1, 1, objects[1].get());
        s.Grid->RemoveRows(0, 1);
        s.Grid->SetRowCount(1);
    }
}

}  // namespace
}  // namespace vex
