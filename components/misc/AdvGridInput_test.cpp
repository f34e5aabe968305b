#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/ui/inplaceedit.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::TAdvGridScene;

TEST(AdvGridInput, FooterRowsAndRightFixedColumnsCannotBeSelected) {
    const struct {
        const char* Name;
        int32_t Col, Row;
        const char* Current;
    } cases[] = {
        {"a data cell", 3, 4, "3:4"},
        {"a footer row", 3, 19, "1:1"},
        {"a right fixed column", 9, 4, "1:1"},
        {"the last data cell", 8, 18, "8:18"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetFixedFooters(1);
        s.Grid->SetFixedRightCols(1);
        s.Click(c.Col, c.Row);
        EXPECT_EQ(s.Current(), c.Current);
    }
}

TEST(AdvGridInput, OnCanEditCellDecidesEditingForEachSelectedCellButCheckBoxes) {
    TAdvGridScene s;
    TCellGraphic box;
    box.Kind = TCellGraphic::ctCheckBox;
    s.Grid->SetObjects(4, 2, &box);
    std::vector<std::string> asked;
    s.Grid->OnCanEditCell = [&](TObject*, int32_t ARow, int32_t ACol, bool& CanEdit) {
        asked.push_back(std::to_string(ARow) + "," + std::to_string(ACol));
        CanEdit = ACol != 3;
    };
    s.Click(2, 2);
    EXPECT_TRUE(s.Grid->Options().Contains(goEditing));
    s.Click(3, 2);
    EXPECT_FALSE(s.Grid->Options().Contains(goEditing));
    s.Click(4, 2);  // the check box: the options stay as the last cell left them
    EXPECT_FALSE(s.Grid->Options().Contains(goEditing));
    // Asked once more, by the press that toggles the box, not by its selection.
    EXPECT_EQ(asked, (std::vector<std::string>{"2,2", "2,3", "2,4"}));
    EXPECT_TRUE(box.CheckState);
}

// Opens the editor on a cell, types Text over its content and takes the focus elsewhere.
struct TValidateCase {
    const char* Name;
    const char* Typed;
    std::function<void(std::string& Value, bool& Valid)> Handler;
    const char* Stored;
    int32_t Fired;
};

TEST(AdvGridInput, AnEditedCellIsValidatedWhenTheNextCellIsClicked) {
    const TValidateCase cases[] = {
        {"valid as typed", "new", [](std::string&, bool&) {}, "new", 1},
        {"valid, changed by the handler", "new", [](std::string& V, bool&) { V = "fixed"; },
         "fixed", 1},
        {"refused", "new", [](std::string&, bool& Valid) { Valid = false; }, "2:2", 1},
        {"refused, changed by the handler", "new",
         [](std::string& V, bool& Valid) {
             V = "other";
             Valid = false;
         },
         "other", 1},
        {"not changed", "2:2", [](std::string&, bool& Valid) { Valid = false; }, "2:2", 0},
    };
    for (const TValidateCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
        int32_t fired = 0;
        std::string seen;
        s.Grid->OnCellValidate = [&](TObject*, int32_t ACol, int32_t ARow, std::string& Value,
                                     bool& Valid) {
            ++fired;
            seen = std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Value;
            EXPECT_TRUE(Valid);
            c.Handler(Value, Valid);
        };
        s.Click(2, 2);
        s.Keys({VK_F2});
        ASSERT_NE(s.Grid->InplaceEditor(), nullptr);
        s.Grid->InplaceEditor()->SetText(c.Typed);
        s.Click(5, 5);
        EXPECT_EQ(s.Grid->Cells(2, 2), c.Stored);
        EXPECT_EQ(fired, c.Fired);
        if (c.Fired) {
            EXPECT_EQ(seen, "2,2=" + std::string(c.Typed));
        }
    }
}

TEST(AdvGridInput, AnEditedCellIsValidatedWhenTheGridLosesTheFocus) {
    TAdvGridScene s;
    auto* other = s.Add<TAdvStringGrid>(s.Form, Rect(0, 110, 100, 150));
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Grid->OnCellValidate = [](TObject*, int32_t, int32_t, std::string&, bool& Valid) {
        Valid = false;
    };
    s.Click(3, 1);
    s.Keys({VK_F2, 'X'});
    other->SetFocus();
    Application().ProcessMessages();
    EXPECT_EQ(s.Grid->Cells(3, 1), "3:1");
}

TEST(AdvGridInput, RowsRemovedAfterEditingBeganAreNotValidatedAsAnotherRowsText) {
    TAdvGridScene s;
    s.Grid->Navigation().AllowDeleteRow = true;
    int32_t fired = 0;
    s.Grid->OnCellValidate = [&](TObject*, int32_t, int32_t, std::string&, bool& Valid) {
        ++fired;
        Valid = false;
    };
    s.Click(2, 3);
    s.Keys({VK_DELETE});
    s.Click(2, 5);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(s.Grid->Cells(2, 3), "2:4");
}

// An edit not yet validated whose cell moves is validated where the text went, and refusing it
// puts the old text back there, not into the cell that took its place.
TEST(AdvGridInput, AnEditWhoseCellMovesIsValidatedWhereItsTextWent) {
    const struct {
        const char* Name;
        std::function<void(TAdvGridScene&)> Move;
        const char* Validated;
        int32_t Col, Row;   // where the refused text is back
        const char* Moved;  // what the edited cell holds afterwards
    } cases[] = {
        {"Insert above it",
         [](TAdvGridScene& S) {
             S.Grid->Navigation().AllowInsertRow = true;
             S.Keys({VK_INSERT});
         },
         "2,4=typed", 2, 4, ""},
        {"its column dragged",
         [](TAdvGridScene& S) {
             test::DragBetween(*S.Grid, test::AdvCellPoint(2, 0), test::AdvCellPoint(5, 0));
         },
         "2,3=typed", 5, 3, "3:3"},
        {"its column dragged with EnhRowColMove",
         [](TAdvGridScene& S) {
             S.Grid->SetEnhRowColMove(true);
             test::DragBetween(*S.Grid, test::AdvCellPoint(2, 0), test::AdvCellPoint(5, 0));
         },
         "2,3=typed", 5, 3, "3:3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColMoving});
        std::vector<std::string> validated;
        s.Grid->OnCellValidate = [&](TObject*, int32_t ACol, int32_t ARow, std::string& Value,
                                     bool& Valid) {
            validated.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Value);
            Valid = false;
        };
        s.Click(2, 3);
        s.Grid->SetCells(2, 3, "typed");
        c.Move(s);
        s.Click(7, 7);
        EXPECT_EQ(validated, std::vector<std::string>{c.Validated});
        EXPECT_EQ(s.Grid->Cells(c.Col, c.Row), "2:3");
        EXPECT_EQ(s.Grid->Cells(2, 3), c.Moved);
    }
}

struct TCheckBoxCase {
    const char* Name;
    bool Editing;
    std::function<void(TAdvGridScene&)> Toggle;
    int32_t RefusedCol;  // OnCanEditCell refuses editing there; 0: no handler
    bool Checked;
};

TEST(AdvGridInput, CheckBoxCellsToggleWithTheLeftButtonAndSpaceWhenEditingIsAllowed) {
    const auto click = [](TAdvGridScene& S) { S.Click(4, 2); };
    const auto space = [](TAdvGridScene& S) {
        S.Click(4, 2);
        S.Keys({VK_SPACE});
    };
    const auto clickAfterReadOnly = [](TAdvGridScene& S) {
        S.Click(3, 2);
        S.Click(4, 2);
    };
    const TCheckBoxCase cases[] = {
        {"click", true, click, 0, true},
        {"space after the click that toggled", true, space, 0, false},
        {"click without editing", false, click, 0, false},
        {"click refused by OnCanEditCell", true, click, 4, false},
        {"click after a cell OnCanEditCell refused", true, clickAfterReadOnly, 3, true},
    };
    for (const TCheckBoxCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvGridScene s;
        TCellGraphic box;
        box.Kind = TCellGraphic::ctCheckBox;
        s.Grid->SetObjects(4, 2, &box);
        if (c.Editing) s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
        if (c.RefusedCol != 0)
            s.Grid->OnCanEditCell = [&c](TObject*, int32_t, int32_t ACol, bool& CanEdit) {
                CanEdit = ACol != c.RefusedCol;
            };
        c.Toggle(s);
        EXPECT_EQ(box.CheckState, c.Checked);
    }
}

TEST(AdvGridInput, ACheckBoxCellIsNeverEditedAsText) {
    TAdvGridScene s;
    TCellGraphic box;
    box.Kind = TCellGraphic::ctCheckBox;
    s.Grid->SetObjects(4, 2, &box);
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Click(4, 2);
    s.Keys({VK_F2, 'A'});
    EXPECT_FALSE(s.Grid->EditorMode());
    EXPECT_EQ(s.Grid->Cells(4, 2), "4:2");
}

TEST(AdvGridInput, AGridFreedByOnCellValidateIsNotReadAfterwards) {
    TAdvGridScene s;
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Grid->OnCellValidate = [&s](TObject*, int32_t, int32_t, std::string&, bool&) {
        // Frees this handler too: nothing of it is read after.
        delete std::exchange(s.Grid, nullptr);
    };
    s.Click(2, 2);
    s.Keys({VK_F2, 'A'});
    s.Click(5, 5);
    EXPECT_EQ(s.Grid, nullptr);
}

}  // namespace
}  // namespace vex
