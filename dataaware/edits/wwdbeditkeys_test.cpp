#include <gtest/gtest.h>

#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdbedit_testsupport.h"
#include "dataaware/edits/wweditorgrid_testsupport.h"

namespace vex {
namespace {

// An edit as the in-place editor of the stand-in grid, focused, holding "abc" with the caret
// at its end.
struct TInGrid {
    test::TShownForm Shown{Rect(20, 20, 320, 200)};
    test::TwwDBGrid* Grid = Shown.Add<test::TwwDBGrid>(Shown.Form, Rect(10, 10, 280, 150));
    TwwDBEdit* Edit = Shown.Add<TwwDBEdit>(Grid, Rect(4, 4, 150, 28));

    explicit TInGrid(TwwDBGridOptions Options) {
        Grid->Options = Options;
        Edit->SetBorderStyle(bsNone);
        Edit->SetEditText("abc");
        Edit->SetFocus();
        test::PumpUntilIdle();
        Edit->SetSelStart(3);
    }
};

TEST(DBEditInGrid, HandsTheGridTheKeysThatMoveBetweenCells) {
    const TwwDBGridOptions tabs{dgEditing, dgTabs}, plain{dgEditing},
        always{dgEditing, dgAlwaysShowEditor};
    struct TCase {
        const char* Name;
        TwwDBGridOptions Options;
        int32_t Caret;  // -1: the whole text selected
        std::vector<int32_t> Keys;
        bool Handed;
    };
    const std::vector<TCase> cases = {
        {"Tab with dgTabs", tabs, 3, {VK_TAB}, true},
        {"Tab without dgTabs", plain, 3, {VK_TAB}, false},
        {"Enter", plain, 3, {VK_RETURN}, true},
        {"Up", plain, 3, {VK_UP}, true},
        {"Page Down", plain, 3, {VK_NEXT}, true},
        {"Alt+Down", plain, 3, {VK_MENU, VK_DOWN}, false},
        {"Escape unchanged", plain, 3, {VK_ESCAPE}, true},
        {"Left at the start, editor always shown", always, 0, {VK_LEFT}, true},
        {"Left inside the text", always, 2, {VK_LEFT}, false},
        {"Left at the start, editor not always shown", plain, 0, {VK_LEFT}, false},
        {"Home over the whole text", always, -1, {VK_HOME}, true},
        {"Right at the end", always, 3, {VK_RIGHT}, true},
        {"Ctrl+Right inside", always, 1, {VK_CONTROL, VK_RIGHT}, true},
        {"Right inside", always, 1, {VK_RIGHT}, false},
        {"Insert", plain, 3, {VK_INSERT}, true},
        {"Shift+Insert", plain, 3, {VK_SHIFT, VK_INSERT}, false},
        {"Ctrl+Delete", plain, 3, {VK_CONTROL, VK_DELETE}, true},
        {"Delete", plain, 3, {VK_DELETE}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TInGrid in(c.Options);
        if (c.Caret < 0)
            in.Edit->SelectAll();
        else
            in.Edit->SetSelStart(c.Caret);
        test::InjectKeys(c.Keys);
        test::TakeKeys();
        EXPECT_EQ(in.Grid->HandedKeys.size(), c.Handed ? 1u : 0u);
        if (c.Handed && !in.Grid->HandedKeys.empty()) {
            EXPECT_EQ(in.Grid->HandedKeys[0].Key, c.Keys.back());
            EXPECT_TRUE(in.Grid->Focused()) << "the grid takes the focus with the key";
        }
    }
}

TEST(DBEditInGrid, EscapeAfterAChangeUndoesItAndLeavesForTheGrid) {
    TInGrid in({dgEditing});
    test::Type("d");
    test::Press(VK_ESCAPE);
    EXPECT_TRUE(in.Grid->HandedKeys.empty());
    EXPECT_EQ(in.Edit->EditText(), "abc");
    EXPECT_TRUE(in.Grid->Focused());
}

TEST(DBEditInGrid, WantReturnsKeepsEnterInTheText) {
    TInGrid in({dgEditing});
    in.Edit->SetWantReturns(true);
    test::Press(VK_RETURN);
    EXPECT_TRUE(in.Grid->HandedKeys.empty());
    EXPECT_TRUE(in.Edit->Focused());
}

}  // namespace
}  // namespace vex
