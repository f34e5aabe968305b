#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/misc/AdvGridInplaceEdit.h"
#include "components/misc/AdvGridInput_testsupport.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::PressKey;
using test::TypeText;

// The scene's grid with editing on, completion from the rule conditions, and cell (2, 3)
// current and empty.
struct TLookupScene : test::TAdvGridScene {
    TLookupScene() {
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goTabs});
        Grid->LookupItems().SetCommaText("Contains,\"Contains (whole word)\",\"Ends with\",Equals");
        Grid->SetLookup(true);
        Grid->SetCells(2, 3, "");
        Click(2, 3);
        PressKey(VK_F2);
    }
    TAdvInplaceEdit* Editor() const {
        return dynamic_cast<TAdvInplaceEdit*>(Grid->InplaceEditor());
    }
    // The editor's text with its selection in brackets.
    std::string Shown() const {
        const std::string text = Editor()->Text();
        const auto start = static_cast<size_t>(Editor()->SelStart());
        const auto length = static_cast<size_t>(Editor()->SelLength());
        return text.substr(0, start) + "[" + text.substr(start, length) + "]" +
               text.substr(start + length);
    }
};

TEST(AdvGridInplaceEdit, TypedTextIsCompletedFromTheLookupItems) {
    const struct {
        const char* Name;
        std::vector<int32_t> Keys;  // after the first letters typed
        const char* Typed;
        const char* Shown;
    } cases[] = {
        {"the first entry with that start", {}, "e", "e[nds with]"},
        {"letters compared in capitals", {}, "EQ", "EQ[uals]"},
        {"the next letter replaces the completion", {}, "con", "con[tains]"},
        {"the first entry even when it adds nothing", {}, "contains", "contains[]"},
        {"no entry begins so", {}, "x", "x[]"},
        {"backspace holds completion off", {VK_BACK}, "e", "e[]"},
        {"until another key", {VK_BACK, 'Q'}, "e", "eq[uals]"},
        {"delete holds it off too", {VK_DELETE}, "co", "co[]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TLookupScene s;
        ASSERT_NE(s.Editor(), nullptr);
        TypeText(c.Typed);
        for (int32_t key : c.Keys)
            PressKey(key);
        EXPECT_EQ(s.Shown(), c.Shown);
    }
}

TEST(AdvGridInplaceEdit, EnterOnAnEntryTakesItsSpellingAndMovesOnAsTab) {
    const struct {
        const char* Name;
        const char* Items;  // empty for the scene's
        const char* Typed;
        const char* Cell;
    } cases[] = {
        {"the completed entry", "", "equ", "Equals"},
        {"an entry spelt as typed is kept", "abc,ABC", "ABC", "ABC"},
        {"else the first in other capitals", "abc,ABC", "Abc", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TLookupScene s;
        if (*c.Items) s.Grid->LookupItems().SetCommaText(c.Items);
        TypeText(c.Typed);
        PressKey(VK_RETURN);
        EXPECT_EQ(s.Grid->Cells(2, 3), c.Cell);
        EXPECT_EQ(s.Current(), "3:3");
    }
}

TEST(AdvGridInplaceEdit, HistoryAddsANewTextWhenTheEditorLosesTheFocus) {
    const struct {
        const char* Name;
        bool History;
        const char* Typed;
        int32_t Count;
    } cases[] = {
        {"a new text joins", true, "zz", 5},
        {"a known one in other capitals does not", true, "EQUALS", 4},
        {"without history nothing joins", false, "zz", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TLookupScene s;
        s.Grid->SetLookup(false);
        s.Grid->SetLookupHistory(c.History);
        TypeText(c.Typed);
        PressKey(VK_DOWN);
        EXPECT_EQ(s.Grid->LookupItems().Count(), c.Count);
        if (c.Count == 5) {
            EXPECT_EQ(s.Grid->LookupItems().Strings(4), c.Typed);
        }
    }
}

TEST(AdvGridInplaceEdit, TheCellGrowsWhileTyping) {
    TLookupScene s;
    s.Grid->SetLookup(false);
    s.Grid->SizeWhileTyping().Width = true;
    s.Grid->SizeWhileTyping().Height = true;
    const int32_t height = s.Grid->RowHeights(3);
    TypeText("abcdefghij");
    // Ten characters of the fixed font, the editor's insets and a margin.
    EXPECT_EQ(s.Grid->ColWidths(2), 10 * 6 + 6);
    EXPECT_EQ(s.Grid->RowHeights(3), height);
}

TEST(AdvGridInplaceEdit, AdvanceAutoMovesOnWhenAFixedLengthEntryIsFull) {
    TLookupScene s;
    s.Grid->SetLookup(false);
    s.Grid->Navigation().AdvanceAuto = true;
    s.Editor()->SetMaxLength(3);
    TypeText("ab");
    EXPECT_EQ(s.Current(), "2:3");
    TypeText("c");
    EXPECT_EQ(s.Current(), "3:3");
    EXPECT_EQ(s.Grid->Cells(2, 3), "abc");
}

}  // namespace
}  // namespace vex
