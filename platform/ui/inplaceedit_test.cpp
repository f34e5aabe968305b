#include "platform/ui/inplaceedit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/lists_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/stringgrid.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

// A 4 x 4 string grid with a fixed row and column, editing on and the focus, its data cells
// holding "c:r"; what reaches OnSetEditText is logged.
struct TEditScene : test::TListScene {
    explicit TEditScene(TGridOptions Extra = {}) {
        Grid = Add<TStringGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetDefaultColWidth(40);
        Grid->SetDefaultRowHeight(16);
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        TGridOptions options = Grid->Options();
        options.Include(goEditing);
        for (TGridOption o : {goTabs, goAlwaysShowEditor})
            if (Extra.Contains(o)) options.Include(o);
        Grid->SetOptions(options);
        for (int32_t r = 1; r < 4; ++r)
            for (int32_t c = 1; c < 4; ++c)
                Grid->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
        Grid->OnSetEditText = [this](TObject*, int32_t ACol, int32_t ARow, const std::string& V) {
            Log.push_back("set " + std::to_string(ACol) + ":" + std::to_string(ARow) + "=" + V);
        };
        Grid->SetFocus();
        Application().ProcessMessages();
    }
    // Where the grid stands: the current cell, and the editor's text when it shows.
    std::string State() {
        std::string out = std::to_string(Grid->Col()) + ":" + std::to_string(Grid->Row());
        TInplaceEdit* edit = Grid->InplaceEditor();
        if (Grid->EditorMode() && edit != nullptr && edit->Visible())
            out += " editing [" + edit->Text() + "]";
        return out;
    }
    TStringGrid* Grid = nullptr;
};

void Type(const std::string& Text) {
    for (char ch : Text)
        test::TypeKey(static_cast<WPARAM>(toupper(static_cast<unsigned char>(ch))), ch);
}

TEST(InplaceEdit, OpensCommitsAndRestoresAsTheKeysSay) {
    const struct {
        const char* Name;
        std::function<void()> Keys;
        const char* State;
        const char* Cell11;
        std::vector<std::string> Set;
    } cases[] = {
        {"F2 shows the cell's text", [] { test::TypeKey(VK_F2); }, "1:1 editing [1:1]", "1:1", {}},
        {"a typed character replaces the text", [] { Type("q"); }, "1:1 editing [q]", "1:1", {}},
        {"Enter stores the text",
         [] {
             Type("qr");
             test::TypeKey(VK_RETURN, '\r');
         },
         "1:1",
         "qr",
         {"set 1:1=qr"}},
        {"Escape keeps the cell's text",
         [] {
             Type("qr");
             test::TypeKey(VK_ESCAPE, '\x1B');
         },
         "1:1",
         "1:1",
         {}},
        {"Down stores and moves on",
         [] {
             Type("z");
             test::TypeKey(VK_DOWN);
         },
         "1:2",
         "z",
         {"set 1:1=z"}},
        {"Right at the text's end moves on",
         [] {
             test::TypeKey(VK_F2);
             test::TypeKey(VK_END);
             test::TypeKey(VK_RIGHT);
         },
         "2:1",
         "1:1",
         {"set 1:1=1:1"}},
        {"Left inside the text stays in the editor",
         [] {
             test::TypeKey(VK_F2);
             test::TypeKey(VK_END);
             test::TypeKey(VK_LEFT);
             Type("x");
         },
         "1:1 editing [1:x1]",
         "1:1",
         {}},
        {"Left at the text's start leaves a whole selection alone",
         [] {
             test::TypeKey(VK_F2);
             test::TypeKey(VK_LEFT);
             test::TypeKey(VK_LEFT);
         },
         "1:1 editing [1:1]",
         "1:1",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditScene s;
        s.Grid->SetCol(1);
        s.Grid->SetRow(1);
        c.Keys();
        EXPECT_EQ(s.State(), c.State);
        EXPECT_EQ(s.Grid->Cells(1, 1), c.Cell11);
        EXPECT_EQ(s.Log, c.Set);
    }
}

TEST(InplaceEdit, AnEditorAlwaysShownFollowsTheCurrentCell) {
    TEditScene s({goAlwaysShowEditor, goTabs});
    EXPECT_EQ(s.State(), "1:1 editing [1:1]");
    test::TypeKey(VK_RIGHT);  // the whole text is selected: the edge is reached
    EXPECT_EQ(s.State(), "2:1 editing [2:1]");
    Type("ab");
    test::TypeKey(VK_TAB, '\t');
    EXPECT_EQ(s.State(), "3:1 editing [3:1]");
    test::TypeKey(VK_RETURN, '\r');
    EXPECT_EQ(s.State(), "3:1 editing [3:1]");
    EXPECT_EQ(s.Grid->Cells(2, 1), "ab");
    EXPECT_EQ(s.Log, (std::vector<std::string>{"set 1:1=1:1", "set 2:1=ab", "set 3:1=3:1"}));
}

TEST(InplaceEdit, AnEditorAlwaysShownClosedWhileFocusedStaysClosedUntilTheCellMoves) {
    TEditScene s({goAlwaysShowEditor});
    ASSERT_EQ(s.State(), "1:1 editing [1:1]");
    ASSERT_TRUE(s.Grid->InplaceEditor()->Focused());
    // Closing hands the focus back to the grid, which must not open the editor again on the
    // cell: an editor tied to it would write its old text over what the cell takes next.
    s.Grid->SetEditorMode(false);
    EXPECT_FALSE(s.Grid->InplaceEditor()->Visible());
    s.Grid->SetCells(1, 1, "changed");
    test::TypeKey(VK_RIGHT);
    EXPECT_EQ(s.Grid->Cells(1, 1), "changed");
    EXPECT_EQ(s.State(), "2:1 editing [2:1]");
}

TEST(InplaceEdit, TheGridOutlivesItsEditorFreedWhileTyping) {
    TEditScene s;
    test::TypeKey(VK_F2);
    Type("x");
    ASSERT_NE(s.Grid->InplaceEditor(), nullptr);
    delete s.Grid->InplaceEditor();
    Application().ProcessMessages();
    EXPECT_EQ(s.Grid->InplaceEditor(), nullptr);
    EXPECT_FALSE(s.Grid->EditorMode());
    // Its text went with it, and the next edit makes a new editor.
    s.Grid->SetFocus();
    test::TypeKey(VK_F2);
    EXPECT_EQ(s.State(), "1:1 editing [1:1]");
    EXPECT_TRUE(s.Log.empty());
}

TEST(InplaceEdit, CountsCutBelowTheEditedCellTakeTheEditorToTheNewCurrentCell) {
    struct TCase {
        std::string Name;
        int32_t ColCount, RowCount;
        std::string Cell;
    };
    const std::vector<TCase> cases = {{"columns", 3, 4, "2:3"}, {"rows", 4, 3, "3:2"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditScene s;
        s.Grid->SetCol(3);
        s.Grid->SetRow(3);
        test::TypeKey(VK_F2);
        Type("x");
        s.Grid->SetColCount(c.ColCount);
        s.Grid->SetRowCount(c.RowCount);
        EXPECT_EQ(s.State(), c.Cell + " editing [" + c.Cell + "]");
        // The cell typed into is gone: leaving the new one stores only what belongs there.
        EXPECT_NO_THROW(test::TypeKey(VK_UP));
        EXPECT_EQ(s.Log, (std::vector<std::string>{"set " + c.Cell + "=" + c.Cell}));
    }
}

TEST(InplaceEdit, WaitsHiddenWhileTheGridHasNoCells) {
    for (bool alwaysShown : {false, true}) {
        SCOPED_TRACE(alwaysShown ? "always shown" : "opened with F2");
        TEditScene s(alwaysShown ? TGridOptions{goAlwaysShowEditor} : TGridOptions{});
        test::TypeKey(VK_F2);
        EXPECT_NO_THROW(s.Grid->SetColCount(0));
        EXPECT_NO_THROW(test::TypeKey(VK_F2));
        EXPECT_EQ(s.State(), "0:1");
        s.Grid->SetColCount(2);
        EXPECT_EQ(s.State(), "0:1 editing []");
    }
}

TEST(InplaceEdit, ShowsItsTextAndSelectionOverTheCurrentCell) {
    TEditScene s;
    s.Grid->SetCol(2);
    s.Grid->SetRow(2);
    test::TypeKey(VK_F2);
    Type("new");
    // The last two characters selected, so the picture shows the editor's own highlight.
    test::TypeKey(VK_LEFT);
    {
        test::TKeysHeld shift({VK_SHIFT});
        test::TypeKey(VK_LEFT);
    }
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*s.Grid, VEX_TEST_DIR "/testdata",
                                                     "stringgrid_editing"));
}

// An editor as a descendant sets it up: right-aligned or wrapping.
class TShapedEdit : public TInplaceEdit {
public:
    TShapedEdit(TComponent* AOwner, TAlignment AAlignment, bool AWordWrap) : TInplaceEdit(AOwner) {
        SetAlignment(AAlignment);
        SetWordWrap(AWordWrap);
    }
};

class TShapedGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    TAlignment Alignment = taLeftJustify;
    bool WordWrap = false;

protected:
    TInplaceEdit* CreateEditor() override { return new TShapedEdit(this, Alignment, WordWrap); }
};

TEST(InplaceEdit, ARightAlignedTextEndsAtTheCellsRightWhileItFits) {
    const struct {
        TAlignment Alignment;
        bool WordWrap;
        std::string Text;
        bool Shifted;  // the text area starts right of the cell's inset
    } cases[] = {
        {taLeftJustify, false, "ab", false},
        {taRightJustify, false, "ab", true},
        {taRightJustify, false, std::string(40, 'w'), false},
        {taRightJustify, true, "ab", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.size());
        test::TListScene s;
        auto* grid = s.Add<TShapedGrid>(s.Form, Rect(0, 0, 200, 100));
        grid->Alignment = c.Alignment;
        grid->WordWrap = c.WordWrap;
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        grid->SetCells(1, 1, c.Text);
        grid->SetFocus();
        test::TypeKey(VK_F2);
        TInplaceEdit* edit = grid->InplaceEditor();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->Text(), c.Text);
        EXPECT_EQ(edit->FormattingRect().Right, edit->ClientWidth() - 2);
        EXPECT_EQ(edit->FormattingRect().Left > 2, c.Shifted);
    }
}

// Takes letters only, at most three, and no change at all in row 2.
class TPickyGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    bool CanEditAcceptKey(char Key) override { return !isdigit(static_cast<unsigned char>(Key)); }
    bool CanEditModify() override { return Row() != 2; }
    int32_t GetEditLimit() override { return 3; }
};

TEST(InplaceEdit, AsksTheGridBeforeATypedKeyChangesTheText) {
    const struct {
        int32_t Row;
        const char* Typed;
        const char* Shown;
    } cases[] = {
        {1, "ab1cd", "abc"},  // the digit is refused, the fourth letter is past the limit
        {2, "ab", "old"},     // the row takes no change
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        test::TListScene s;
        auto* grid = s.Add<TPickyGrid>(s.Form, Rect(0, 0, 200, 100));
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        grid->SetCells(1, c.Row, "old");
        grid->SetRow(c.Row);
        grid->SetFocus();
        test::TypeKey(VK_F2);
        Type(c.Typed);
        ASSERT_NE(grid->InplaceEditor(), nullptr);
        EXPECT_EQ(grid->InplaceEditor()->Text(), c.Shown);
    }
}

}  // namespace
}  // namespace vex
