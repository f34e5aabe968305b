#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/shell/urlopener.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/presenter.h"

namespace vex {
namespace {

using test::AdvCellPoint;
using test::TAdvGridScene;

// Notes what it is asked to open and refuses what the desktop's opener refuses.
class TNotingOpener : public TUrlOpener {
public:
    explicit TNotingOpener(std::vector<std::string>& Opened) : FOpened(Opened) {}
    void Open(const std::string& Url) override {
        CheckOpenableUrl(Url);
        FOpened.push_back(Url);
    }

private:
    std::vector<std::string>& FOpened;
};

class AdvGridMouse : public testing::Test {
protected:
    AdvGridMouse() { SetUrlOpener(std::make_unique<TNotingOpener>(Opened)); }
    ~AdvGridMouse() override {
        SetUrlOpener(nullptr);
        Application().OnException = nullptr;
    }
    std::vector<std::string> Opened;
};

TEST_F(AdvGridMouse, ALinkCellOpensOnlyThroughTheOpenerAndARefusalIsReported) {
    const struct {
        const char* Name;
        bool URLShow;
        const char* Text;
        std::vector<std::string> Opened;
        const char* Reported;
    } cases[] = {
        {"a web address", true, "http://example.org/", {"http://example.org/"}, ""},
        {"a mail address", true, "mailto:a@example.org", {"mailto:a@example.org"}, ""},
        {"a program's scheme", true, "file:///bin/sh", {}, "EUrlOpenError"},
        {"no link text", true, "example.org", {}, ""},
        {"URLShow off", false, "http://example.org/", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Opened.clear();
        std::string reported;
        Application().OnException = [&](TObject*, const std::exception& E) {
            reported = dynamic_cast<const EUrlOpenError*>(&E) ? "EUrlOpenError" : E.what();
        };
        TAdvGridScene s;
        s.Grid->SetURLShow(c.URLShow);
        s.Grid->SetCells(3, 2, c.Text);
        s.Click(3, 2);
        EXPECT_EQ(Opened, c.Opened);
        EXPECT_EQ(reported, c.Reported);
        EXPECT_EQ(s.Current(), "3:2");  // the press went on to select the cell
    }
}

TEST_F(AdvGridMouse, FixedCellsSelectWholeRowsColumnsOrTheGrid) {
    const struct {
        const char* Name;
        TMouseActions Actions;
        bool Range;
        int32_t Col, Row;
        TGridRect Selection;
    } cases[] = {
        {"all", {.AllSelect = true}, true, 0, 0, {1, 1, 8, 18}},
        {"row", {.RowSelect = true}, true, 0, 4, {1, 4, 8, 4}},
        {"column", {.ColSelect = true}, true, 3, 0, {3, 1, 3, 18}},
        {"row without range selection", {.RowSelect = true}, false, 0, 4, {1, 1, 1, 1}},
        {"the footer's fixed cell", {.RowSelect = true}, true, 0, 19, {1, 1, 1, 1}},
        {"no action", {}, true, 0, 4, {1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetFixedFooters(1);
        s.Grid->SetFixedRightCols(1);
        s.Grid->MouseActions() = c.Actions;
        TGridOptions options = s.Grid->Options();
        if (c.Range)
            options.Include(goRangeSelect);
        else
            options.Exclude(goRangeSelect);
        s.Grid->SetOptions(options);
        s.Click(c.Col, c.Row);
        EXPECT_EQ(s.Grid->Selection(), c.Selection);
    }
}

TEST_F(AdvGridMouse, CellEventsReportTheRealColumn) {
    TAdvGridScene s;
    s.LogEvents();
    s.Grid->HideColumn(2);
    s.Click(3, 4);
    s.Click(5, 6, mbRight);
    test::ClickAt(*s.Grid, AdvCellPoint(1, 2), {}, 2);
    EXPECT_EQ(s.Log, (test::TLog{"click 4,4", "right 6,6", "click 2,1", "dbl 2,1", "click 2,1"}));
}

TEST_F(AdvGridMouse, ARightPressOnALinkCellWithURLEditOpensItsEditor) {
    TAdvGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Grid->SetURLShow(true);
    s.Grid->SetURLEdit(true);
    s.Grid->SetCells(4, 4, "http://example.org/");
    InjectMouseMove(s.Grid->ClientToScreen(AdvCellPoint(4, 4)));
    InjectMouseButton(mbRight, true);
    Application().ProcessMessages();
    EXPECT_EQ(s.Current(), "4:4");
    EXPECT_TRUE(s.Grid->EditorMode());
    EXPECT_TRUE(Opened.empty());
    // Released over the editor, the button would bring up its menu.
    s.Grid->SetEditorMode(false);
    InjectMouseButton(mbRight, false);
    Application().ProcessMessages();
}

TEST_F(AdvGridMouse, AColumnDraggedWithEnhRowColMoveTakesTheSortColumnAlong) {
    const struct {
        const char* Name;
        TPoint To;
        int32_t Lands;
    } cases[] = {
        {"onto a column", AdvCellPoint(5, 0), 5},
        {"past the last one shown", Point(400, 7), 9},
        {"left of the grid", Point(-20, 7), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColMoving});
        s.Grid->SetEnhRowColMove(true);
        s.Grid->SetSortColumn(2);
        test::DragBetween(*s.Grid, AdvCellPoint(2, 0), c.To);
        EXPECT_EQ(s.Grid->Cells(c.Lands, 3), "2:3");
        EXPECT_EQ(s.Grid->SortColumn(), c.Lands);
    }
}

TEST_F(AdvGridMouse, AHeaderClickSortsButAReleaseThatEndsSizingOrAMoveDoesNot) {
    const struct {
        const char* Name;
        TGridOptions Options;
        TPoint From, To;
        int32_t Sorts;
    } cases[] = {
        {"a click", {}, AdvCellPoint(3, 0), AdvCellPoint(3, 0), 1},
        {"a click with column moving", {goColMoving}, AdvCellPoint(3, 0), AdvCellPoint(3, 0), 1},
        {"a column moved", {goColMoving}, AdvCellPoint(3, 0), AdvCellPoint(5, 0), 0},
        {"a border sized", {goColSizing}, Point(31 * 4 - 1, 7), Point(31 * 4 + 9, 7), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + c.Options);
        s.Grid->SetSortShow(true);
        int32_t sorts = 0;
        s.Grid->OnClickSort = [&](TObject*, int32_t) { ++sorts; };
        test::DragBetween(*s.Grid, c.From, c.To);
        EXPECT_EQ(sorts, c.Sorts);
    }
}

TEST_F(AdvGridMouse, AnEditIsValidatedBeforeAHeaderClickMovesItsRow) {
    TAdvGridScene s;
    s.LogEvents();
    s.Grid->SetSortShow(true);
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Grid->OnCellValidate = [&](TObject*, int32_t ACol, int32_t ARow, std::string& Value, bool&) {
        s.Log.push_back("validate " + std::to_string(ACol) + "," + std::to_string(ARow) + "=" +
                        Value);
    };
    s.Grid->OnClickSort = [&](TObject*, int32_t ACol) {
        s.Log.push_back("sort " + std::to_string(ACol));
    };
    s.Click(3, 5);
    s.Keys({VK_F2, 'A', VK_RETURN});
    s.Log.clear();
    s.Click(3, 0);
    EXPECT_EQ(s.Log, (test::TLog{"click 0,3", "validate 3,5=a", "sort 3"}));
}

// The pixels of one cell as the grid last painted them.
std::vector<uint32_t> CellPixels(TAdvStringGrid& Grid, int32_t Col, int32_t Row) {
    const TPixelRows rows = WindowPixels(Grid.Handle());
    std::vector<uint32_t> cell;
    for (int32_t y = 15 * Row; y < 15 * Row + 14; ++y)
        for (int32_t x = 31 * Col; x < 31 * Col + 30; ++x)
            cell.push_back(rows.Pixels[static_cast<size_t>(y) * rows.Stride + x]);
    return cell;
}

TEST_F(AdvGridMouse, EnhRowColMoveSuspendsPaintingOnlyWhileTheButtonIsDown) {
    for (const bool cancelled : {false, true}) {
        SCOPED_TRACE(cancelled ? "mouse taken away" : "released");
        TAdvGridScene s;
        s.Grid->SetEnhRowColMove(true);
        InjectMouseMove(s.Grid->ClientToScreen(AdvCellPoint(2, 2)));
        InjectMouseButton(mbLeft, true);
        Application().ProcessMessages();
        const std::vector<uint32_t> before = CellPixels(*s.Grid, 3, 3);
        s.Grid->SetCells(3, 3, "held");
        Application().ProcessMessages();
        EXPECT_EQ(CellPixels(*s.Grid, 3, 3), before);
        // A button whose release never comes here must not leave the grid unpainted.
        if (cancelled)
            s.Grid->Perform(WM_CANCELMODE, 0, 0);
        else
            InjectMouseButton(mbLeft, false);
        Application().ProcessMessages();
        EXPECT_NE(CellPixels(*s.Grid, 3, 3), before);
        if (cancelled) InjectMouseButton(mbLeft, false);
    }
}

}  // namespace
}  // namespace vex
