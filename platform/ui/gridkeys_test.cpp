#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/grid_testsupport.h"

namespace vex {
namespace {

using test::PressKey;
using test::TGridScene;

struct TKeyStroke {
    int32_t Key;
    std::vector<int32_t> Modifiers = {};
};

std::string Where(test::TTestGrid& Grid) {
    return std::to_string(Grid.Col()) + ":" + std::to_string(Grid.Row()) + " top " +
           std::to_string(Grid.TopRow()) + " left " + std::to_string(Grid.LeftCol());
}

// Each case starts at the first scrolling cell of a focused 10 x 20 grid with five whole
// scrolling columns and rows on screen.
TEST(GridKeys, EachKeyTakesTheCurrentCellWhereItShould) {
    struct TCase {
        std::string Name;
        std::vector<TKeyStroke> Keys;
        std::string Expected;
        TGridOptions Extra = {};
    };
    const int32_t shift = VK_SHIFT, ctrl = VK_CONTROL;
    const std::vector<TCase> cases = {
        {"down", {{VK_DOWN}}, "1:2 top 1 left 1"},
        {"up at the top stays", {{VK_UP}}, "1:1 top 1 left 1"},
        {"right", {{VK_RIGHT}}, "2:1 top 1 left 1"},
        {"left at the first stays", {{VK_LEFT}}, "1:1 top 1 left 1"},
        {"down past the screen scrolls",
         {{VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}},
         "1:6 top 2 left 1"},
        {"end", {{VK_END}}, "9:1 top 1 left 5"},
        {"ctrl end", {{VK_END, {ctrl}}}, "9:19 top 15 left 5"},
        {"home keeps the row", {{VK_END, {ctrl}}, {VK_HOME}}, "1:19 top 15 left 1"},
        {"ctrl home", {{VK_END, {ctrl}}, {VK_HOME, {ctrl}}}, "1:1 top 1 left 1"},
        {"page down", {{VK_NEXT}}, "1:6 top 6 left 1"},
        {"page down twice", {{VK_NEXT}, {VK_NEXT}}, "1:11 top 11 left 1"},
        {"page down at the end",
         {{VK_NEXT}, {VK_NEXT}, {VK_NEXT}, {VK_NEXT}},
         "1:19 top 15 left 1"},
        {"page up back", {{VK_NEXT}, {VK_PRIOR}}, "1:1 top 1 left 1"},
        {"tab with tabs", {{VK_TAB}}, "2:1 top 1 left 1", {goTabs}},
        {"shift tab at the first stays", {{VK_TAB, {shift}}}, "1:1 top 1 left 1", {goTabs}},
        {"tab wraps to the next row", {{VK_END}, {VK_TAB}}, "1:2 top 1 left 1", {goTabs}},
        {"shift tab wraps back", {{VK_DOWN}, {VK_TAB, {shift}}}, "9:1 top 1 left 5", {goTabs}},
        {"row select: right scrolls", {{VK_RIGHT}}, "1:1 top 1 left 2", {goRowSelect}},
        {"row select: home goes to the top",
         {{VK_NEXT}, {VK_HOME}},
         "1:1 top 1 left 1",
         {goRowSelect}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + c.Extra);
        s.Grid->SetFocus();
        for (const TKeyStroke& k : c.Keys)
            PressKey(k.Key, k.Modifiers);
        EXPECT_EQ(Where(*s.Grid), c.Expected);
    }
}

TEST(GridKeys, AGridFreedByItsOwnKeyHandlerIsLeftAlone) {
    for (bool inKeyDown : {true, false}) {
        SCOPED_TRACE(inKeyDown ? "OnKeyDown" : "OnKeyPress");
        TGridScene s;
        s.Grid->SetFocus();
        if (inKeyDown)
            s.Grid->OnKeyDown = [&s](TObject*, uint16_t&, TShiftState) { delete s.Grid; };
        else
            s.Grid->OnKeyPress = [&s](TObject*, char&) { delete s.Grid; };
        PressKey(inKeyDown ? VK_DOWN : VK_RETURN);
        EXPECT_EQ(s.Form->ControlCount(), 0);
    }
}

TEST(GridKeys, AGridWithoutColumnsOrRowsTakesTheKeysAndTheWheelQuietly) {
    struct TCase {
        int32_t ColCount, RowCount;
    };
    const std::vector<TCase> cases = {{0, 20}, {10, 0}, {0, 0}, {1, 1}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.ColCount) + " x " + std::to_string(c.RowCount));
        TGridScene s;
        s.Grid->SetColCount(c.ColCount);
        s.Grid->SetRowCount(c.RowCount);
        s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goTabs});
        s.Grid->SetFocus();
        for (int32_t key : {VK_DOWN, VK_RIGHT, VK_NEXT, VK_END, VK_TAB, VK_UP, VK_HOME})
            EXPECT_NO_THROW(PressKey(key)) << key;
        InjectMouseMove(s.Grid->ClientToScreen(Point(50, 50)));
        for (int32_t delta : {-120, 120}) {
            InjectMouseWheel(delta);
            EXPECT_NO_THROW(Application().ProcessMessages()) << delta;
        }
    }
}

TEST(GridKeys, TabSkipsColumnsWithoutATabStop) {
    TGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goTabs});
    s.Grid->SetTabStops(2, false);
    s.Grid->SetFocus();
    PressKey(VK_TAB);
    EXPECT_EQ(s.Grid->Col(), 3);
}

TEST(GridKeys, TabLeavesTheGridUnlessItTakesTabs) {
    TGridScene s;
    auto* other = s.Add<test::TTestGrid>(s.Form, Rect(0, 120, 50, 150));
    s.Grid->SetFocus();
    PressKey(VK_TAB);
    EXPECT_EQ(s.Form->ActiveControl(), other);
    EXPECT_EQ(s.Grid->Col(), 1);
}

TEST(GridKeys, ShiftExtendsTheSelectionOnlyWithRangeSelect) {
    TGridScene s;
    s.Grid->SetFocus();
    PressKey(VK_DOWN, {VK_SHIFT});
    PressKey(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(s.Grid->Selection(), (TGridRect{1, 1, 2, 2}));
    s.Grid->SetOptions(s.Grid->Options() - TGridOptions{goRangeSelect});
    PressKey(VK_DOWN, {VK_SHIFT});
    EXPECT_EQ(s.Grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST(GridKeys, AKeyTheGridDoesNotAcceptDoesNothing) {
    struct TPickyGrid : test::TTestGrid {
        using TTestGrid::TTestGrid;
        bool CanGridAcceptKey(uint16_t Key, TShiftState) override { return Key != VK_DOWN; }
    };
    TGridScene s;
    auto* grid = s.Add<TPickyGrid>(s.Form, Rect(0, 0, 200, 100));
    grid->SetFocus();
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
    EXPECT_EQ(Where(*grid), "2:1 top 1 left 2");  // its 64-pixel columns scroll
}

TEST(GridKeys, SelectCellCanRefuseAMove) {
    TGridScene s;
    s.Grid->Refused = {{1, 2}};
    s.Grid->SetFocus();
    PressKey(VK_DOWN);
    EXPECT_EQ(s.Grid->Row(), 1);
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    EXPECT_EQ(Where(*s.Grid), "2:2 top 1 left 1");
}

TEST(GridKeys, TheGridAsksTheDialogForArrowsCharactersAndTabsWithGoTabs) {
    TGridScene s;
    EXPECT_EQ(s.Grid->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goTabs});
    EXPECT_EQ(s.Grid->Perform(WM_GETDLGCODE, 0, 0),
              DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
}

TEST(GridKeys, TheWheelMovesTheCurrentRow) {
    TGridScene s;
    s.Grid->SetFocus();
    auto wheel = [&](int16_t Delta) {
        SendMessage(s.Form->Handle(), WM_MOUSEWHEEL,
                    static_cast<WPARAM>(MAKELONG(0, static_cast<uint16_t>(Delta))),
                    PointToLParam(s.Grid->ClientToScreen(Point(50, 50))));
    };
    wheel(-WHEEL_DELTA);
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(s.Grid->Row(), 3);
    wheel(WHEEL_DELTA);
    EXPECT_EQ(s.Grid->Row(), 2);
}

TEST(GridKeys, EditorKeysOpenTheEditorOnlyWithGoEditing) {
    TGridScene s;
    s.Grid->SetFocus();
    PressKey(VK_F2);
    EXPECT_FALSE(s.Grid->EditorMode());
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    PressKey(VK_F2);
    EXPECT_TRUE(s.Grid->EditorMode());
    PressKey(VK_RETURN);
    EXPECT_FALSE(s.Grid->EditorMode());
    PressKey(VK_RETURN);
    EXPECT_TRUE(s.Grid->EditorMode());
}

}  // namespace
}  // namespace vex
