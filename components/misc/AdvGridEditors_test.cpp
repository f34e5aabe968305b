#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/misc/AdvGridInplaceEdit.h"
#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/win/keyboard.h"

namespace vex {

class TAdvGridEditorsTester {
public:
    static void SetDatePickerAvailable(TAdvStringGrid& Grid, bool Value) {
        Grid.FDatePickerAvailable = Value;
    }
};

namespace {

using test::PressKey;
using test::TypeText;

// The scene's grid with editing on and cell (2, 3) current, its cells asking for Type.
struct TEditorScene : test::TAdvGridScene {
    explicit TEditorScene(TEditorType Type) {
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goTabs});
        Grid->OnGetEditorType = [this, Type](TObject*, int32_t ACol, int32_t ARow,
                                             TEditorType& AEditor) {
            Asked.push_back(std::to_string(ACol) + ":" + std::to_string(ARow));
            AEditor = Type;
        };
        Grid->SetCells(2, 3, "7");
        Click(2, 3);
    }
    // Opens the editor of the current cell as F2 does.
    void Open() { PressKey(VK_F2); }

    std::vector<std::string> Asked;
};

// Cell (2, 3) holding Cell is edited with Keys in an editor of Type, the cell set to Meanwhile
// by code (unless nullptr) once the editor is open; the cell's text after.
std::string EditedCell(TEditorType Type, const char* Cell, const char* Meanwhile,
                       const std::vector<int32_t>& Keys) {
    TEditorScene s(Type);
    s.Grid->SetCells(2, 3, Cell);
    s.Click(2, 3);
    s.Open();
    EXPECT_TRUE(s.Grid->SpecialEditorShown());
    if (Meanwhile != nullptr) s.Grid->SetCells(2, 3, Meanwhile);
    for (int32_t key : Keys)
        PressKey(key);
    EXPECT_FALSE(s.Grid->SpecialEditorShown());
    return s.Grid->Cells(2, 3);
}

TEST(AdvGridEditors, EachSpecialEditorWritesItsValueBackWhenItEnds) {
    const struct {
        const char* Name;
        TEditorType Type;
        std::function<void()> Edit;  // keys typed into the open editor
        int32_t EndKey;
        std::string Cell;
        std::string Current;  // the key that ended the editor moves on in the grid
    } cases[] = {
        {"spin: its arrow steps the number", etSpin, [] { PressKey(VK_UP); }, VK_RETURN, "8",
         "2:3"},
        {"spin: Tab moves on", etSpin, [] { PressKey(VK_UP); }, VK_TAB, "8", "3:3"},
        {"combo with an edit: typed text", etComboEdit,
         [] {
             PressKey(VK_END);
             TypeText("x");
         },
         VK_RETURN, "7x", "2:3"},
        {"combo list: the item chosen", etComboList, [] { PressKey(VK_DOWN); }, VK_TAB, "No",
         "3:3"},
        {"edit with a button: typed text", etEditButton,
         [] {
             PressKey(VK_END);
             TypeText("1");
         },
         VK_DOWN, "71", "2:4"},
        {"check box: writes nothing", etCheckBox, [] { PressKey(VK_SPACE); }, VK_UP, "7", "2:2"},
        {"button: writes nothing", etButton, [] {}, VK_TAB, "7", "3:3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditorScene s(c.Type);
        if (c.Type == etComboList) {
            auto* combo = dynamic_cast<TCustomComboBox*>(s.Grid->SpecialEditorOf(etComboList));
            ASSERT_NE(combo, nullptr);
            combo->Items().SetCommaText("7,No,Yes");
        }
        s.Open();
        TWinControl* editor = s.Grid->SpecialEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(s.Grid->EditorType(), c.Type);
        EXPECT_TRUE(editor->Visible());
        EXPECT_FALSE(s.Grid->EditorMode());
        EXPECT_EQ(s.Asked, std::vector<std::string>{"2:3"});
        c.Edit();
        PressKey(c.EndKey);
        EXPECT_FALSE(s.Grid->SpecialEditorShown());
        EXPECT_FALSE(editor->Visible());
        EXPECT_TRUE(s.Grid->Focused());
        EXPECT_EQ(s.Grid->Cells(2, 3), c.Cell);
        EXPECT_EQ(s.Current(), c.Current);
    }
}

TEST(AdvGridEditors, ACharacterTypedOnTheGridOpensTheEditorAndIsItsFirst) {
    const struct {
        TEditorType Type;
        const char* Typed;
        const char* Written;
    } cases[] = {
        {etSpin, "45", "45"},         {etComboEdit, "ab", "ab"}, {etEditButton, "ab", "ab"},
        {etDate, "1225", "12/25/24"}, {etCheckBox, "a", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Type));
        TEditorScene s(c.Type);
        if (c.Type == etDate) s.Grid->SetCells(2, 3, "3/4/24");
        TypeText(c.Typed);
        ASSERT_TRUE(s.Grid->SpecialEditorShown());
        PressKey(VK_RETURN);
        EXPECT_EQ(s.Grid->Cells(2, 3), c.Written);
    }
}

TEST(AdvGridEditors, EscapePutsBackTheTextTheCellHadWhenSelected) {
    for (TEditorType type : {etSpin, etComboEdit, etEditButton}) {
        SCOPED_TRACE(static_cast<int>(type));
        TEditorScene s(type);
        s.Open();
        PressKey(VK_END);
        TypeText("5");
        PressKey(VK_ESCAPE);
        EXPECT_FALSE(s.Grid->SpecialEditorShown());
        EXPECT_EQ(s.Grid->Cells(2, 3), "7");
        EXPECT_EQ(s.Current(), "2:3");
    }
}

TEST(AdvGridEditors, ScrollingWritesTheValueBackAndHidesTheEditor) {
    // The combo box's focus is in its edit, which goes with it.
    for (TEditorType type : {etEditButton, etComboEdit}) {
        SCOPED_TRACE(static_cast<int>(type));
        TEditorScene s(type);
        s.Grid->SetBoundsRect(Rect(0, 0, 200, 100));
        s.Open();
        PressKey(VK_END);
        TypeText("9");
        s.Grid->SetTopRow(6);
        Application().ProcessMessages();
        EXPECT_FALSE(s.Grid->SpecialEditorShown());
        EXPECT_EQ(s.Grid->Cells(2, 3), "79");
        EXPECT_TRUE(s.Grid->Focused());
    }
}

TEST(AdvGridEditors, LeavingTheGridWritesTheValueBackBeforeItIsValidated) {
    TEditorScene s(etSpin);
    auto* other = new TEdit(s.Form);
    other->SetBoundsRect(Rect(0, 320, 60, 340));
    other->SetParent(s.Form);
    std::vector<std::string> validated;
    s.Grid->OnCellValidate = [&](TObject*, int32_t ACol, int32_t ARow, std::string& Value, bool&) {
        validated.push_back(std::to_string(ACol) + ":" + std::to_string(ARow) + "=" + Value);
    };
    s.Open();
    PressKey(VK_UP);
    other->SetFocus();
    Application().ProcessMessages();
    EXPECT_FALSE(s.Grid->SpecialEditorShown());
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(s.Grid->Cells(2, 3), "8");
    EXPECT_EQ(validated, std::vector<std::string>{"2:3=8"});
}

TEST(AdvGridEditors, DateAndTimeCellsOpenNoEditorWithoutThePickersLibrary) {
    for (TEditorType type : {etDate, etTime}) {
        for (bool available : {true, false}) {
            SCOPED_TRACE(std::to_string(type) + (available ? " with" : " without"));
            TEditorScene s(type);
            TAdvGridEditorsTester::SetDatePickerAvailable(*s.Grid, available);
            s.Open();
            EXPECT_EQ(s.Grid->SpecialEditorShown(), available);
            EXPECT_TRUE(s.Grid->InplaceEditor() == nullptr || !s.Grid->InplaceEditor()->Visible());
            EXPECT_EQ(s.Grid->Focused(), !available);
        }
    }
}

TEST(AdvGridEditors, ThePickerTakesATypedDateOrTimeInTheShortFormats) {
    const struct {
        const char* Name;
        TEditorType Type;
        const char* Cell;
        std::vector<int32_t> Keys;
        const char* Written;
    } cases[] = {
        {"digits part by part", etDate, "3/4/24", {'1', '2', '2', '5', VK_RETURN}, "12/25/24"},
        {"an arrow steps the month", etDate, "3/4/24", {VK_DOWN, VK_TAB}, "2/4/24"},
        {"half-typed digits count", etDate, "3/4/24", {VK_RIGHT, '9', VK_RETURN}, "3/9/24"},
        {"Escape keeps the cell", etDate, "3/4/24", {'1', '2', VK_ESCAPE}, "3/4/24"},
        {"a cell without a date keeps it on Escape", etDate, "soon", {VK_ESCAPE}, "soon"},
        {"a time's hour stepped", etTime, "9:30 AM", {VK_UP, VK_RETURN}, "10:30 AM"},
        {"a time's minutes typed", etTime, "9:30 AM", {VK_RIGHT, '4', '5', VK_RETURN}, "9:45 AM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(EditedCell(c.Type, c.Cell, nullptr, c.Keys), c.Written);
    }
}

TEST(AdvGridEditors, AnEditorLeftUnchangedLeavesTheCellAsItWas) {
    // What the editor would write for a value it was merely shown would lose what the cell
    // said: a text that is no number, an item not in the list, a century, the seconds.
    const struct {
        TEditorType Type;
        const char* Cell;
        int32_t EndKey;
    } cases[] = {
        {etSpin, "abc", VK_RETURN},     {etSpin, "007", VK_TAB},
        {etComboList, "Maybe", VK_TAB}, {etDate, "12/25/1850", VK_RETURN},
        {etDate, "soon", VK_TAB},       {etTime, "9:30:15 AM", VK_RETURN},
        {etComboEdit, "7", VK_RETURN},  {etEditButton, "7", VK_DOWN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Cell) + " in editor " + std::to_string(c.Type));
        TEditorScene s(c.Type);
        if (auto* combo = dynamic_cast<TCustomComboBox*>(s.Grid->SpecialEditorOf(etComboList)))
            combo->Items().SetCommaText("7,No,Yes");
        s.Grid->SetCells(2, 3, c.Cell);
        s.Click(2, 3);
        s.Open();
        ASSERT_TRUE(s.Grid->SpecialEditorShown());
        PressKey(c.EndKey);
        EXPECT_FALSE(s.Grid->SpecialEditorShown());
        EXPECT_EQ(s.Grid->Cells(2, 3), c.Cell);
    }
}

TEST(AdvGridEditors, WhatTheEditorEndsWithIsComparedWithWhatItWasShown) {
    // An edit undone is no edit; a cell changed by code meanwhile keeps that text unless the
    // editor's value was changed, which is then written.
    const struct {
        const char* Name;
        TEditorType Type;
        const char* Cell;
        const char* SetMeanwhile;  // by code while the editor is open, or nullptr
        std::vector<int32_t> Keys;
        const char* Written;
    } cases[] = {
        {"a date stepped and back",
         etDate,
         "12/25/1850",
         nullptr,
         {VK_UP, VK_DOWN, VK_RETURN},
         "12/25/1850"},
        {"a spin stepped and back", etSpin, "007", nullptr, {VK_UP, VK_DOWN, VK_RETURN}, "007"},
        {"a spin left alone", etSpin, "5", "9", {VK_RETURN}, "9"},
        {"a spin stepped", etSpin, "5", "9", {VK_UP, VK_RETURN}, "6"},
        {"a date stepped", etDate, "3/4/24", "x", {VK_DOWN, VK_TAB}, "2/4/24"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(EditedCell(c.Type, c.Cell, c.SetMeanwhile, c.Keys), c.Written);
    }
}

TEST(AdvGridEditors, AGridFreedByAnEventOfOpeningAnEditorIsLeftAlone) {
    const struct {
        const char* Name;
        bool InAlignment;  // else in OnGetEditorType
        std::function<void()> Open;
    } cases[] = {
        {"OnGetEditorType, F2", false, [] { PressKey(VK_F2); }},
        {"OnGetEditorType, Enter", false, [] { PressKey(VK_RETURN); }},
        {"OnGetEditorType, a typed character", false, [] { TypeText("5"); }},
        {"OnGetAlignment of the in-place editor, F2", true, [] { PressKey(VK_F2); }},
        {"OnGetAlignment of the in-place editor, a typed character", true, [] { TypeText("5"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditorScene s(etInplace);
        auto freeGrid = [&s] {
            delete s.Grid;
            s.Grid = nullptr;
        };
        if (c.InAlignment)
            s.Grid->OnGetAlignment = [&](TObject*, int32_t, int32_t, TAlignment&) { freeGrid(); };
        else
            s.Grid->OnGetEditorType = [&](TObject*, int32_t, int32_t, TEditorType&) { freeGrid(); };
        c.Open();
        Application().ProcessMessages();
        EXPECT_EQ(s.Grid, nullptr);
    }
}

TEST(AdvGridEditors, TheButtonsRunEllipsisClickAndTheCellTakesTheAnswer) {
    for (TEditorType type : {etEditButton, etButton}) {
        SCOPED_TRACE(static_cast<int>(type));
        TEditorScene s(type);
        std::vector<std::string> given;
        s.Grid->OnEllipsClick = [&](TObject*, int32_t ACol, int32_t ARow, std::string& S) {
            given.push_back(std::to_string(ACol) + ":" + std::to_string(ARow) + "=" + S);
            S = "chosen";
        };
        s.Open();
        TWinControl* editor = s.Grid->SpecialEditor();
        ASSERT_NE(editor, nullptr);
        if (type == etEditButton) {
            PressKey(VK_END);
            TypeText("3");
            // The embedded button at the editor's right.
            test::ClickAt(*editor, Point(editor->Width() - 8, editor->Height() / 2));
            EXPECT_EQ(editor->Text(), "chosen");
            PressKey(VK_RETURN);
        } else {
            PressKey(VK_SPACE);
            PressKey(VK_UP);
        }
        EXPECT_EQ(given, std::vector<std::string>{type == etEditButton ? "2:3=73" : "2:3=7"});
        EXPECT_EQ(s.Grid->Cells(2, 3), "chosen");
    }
}

TEST(AdvGridEditors, ThePlainEditorIsTheGridsOwnRightAlignedForRightAlignedCells) {
    TEditorScene s(etInplace);
    s.Grid->OnGetAlignment = [](TObject*, int32_t ARow, int32_t ACol, TAlignment& A) {
        if (ACol == 2 && ARow == 3) A = taRightJustify;
    };
    s.Open();
    EXPECT_FALSE(s.Grid->SpecialEditorShown());
    auto* editor = dynamic_cast<TAdvInplaceEdit*>(s.Grid->InplaceEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_TRUE(editor->valign());
    PressKey(VK_DOWN);
    s.Open();
    EXPECT_FALSE(editor->valign());
}

}  // namespace
}  // namespace vex
