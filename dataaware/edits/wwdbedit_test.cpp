#include "dataaware/edits/wwdbedit.h"

#include <gtest/gtest.h>

#include "dataaware/edits/wwdbedit_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/data/fields.h"
#include "platform/gfx/fixedfont.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowstyles.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::Press;
using test::Type;

// An unbound edit with the focus, on a form with a second edit to leave for.
struct TUnbound {
    test::TShownForm Shown{Rect(20, 20, 320, 200)};
    TwwDBEdit* Edit = Shown.Add<TwwDBEdit>(Shown.Form, Rect(10, 20, 150, 44));
    TwwDBEdit* Other = Shown.Add<TwwDBEdit>(Shown.Form, Rect(10, 60, 150, 84));

    explicit TUnbound(const std::string& Mask = "") {
        Edit->Picture().SetPictureMask(Mask);
        Edit->SetFocus();
        test::PumpUntilIdle();
    }
    // Tabs away; true when the focus left the edit.
    bool Leave() {
        Press(VK_TAB);
        return !Edit->Focused();
    }
};

TEST(DBEditPicture, TypingIsCheckedAndCompletedAgainstTheMask) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/wwdbedit_typing.txt")) {
        SCOPED_TRACE(c.Where);
        TUnbound on(c[0]);
        on.Edit->Picture().SetAutoFill(c[1] == "T");
        const uint32_t beeps = MessageBeepCount();
        Type(c[2]);
        EXPECT_EQ(on.Edit->EditText(), c[3]);
        EXPECT_EQ(on.Edit->SelStart(), c.Int(4));
        EXPECT_EQ(MessageBeepCount() - beeps, static_cast<uint32_t>(c.Int(5)));
    }
}

TEST(DBEditPicture, APastedTextGoesThroughThePicture) {
    struct TCase {
        const char* Before;
        int32_t Caret, Selected;
        const char* Pasted;
        const char* Text;
        int32_t CaretAfter;  // before what followed the selection
    };
    for (const TCase& c : {TCase{"", 0, 0, "5551234567", "(555)123-4567", 13},
                           TCase{"", 0, 0, "555-123-4567", "(555)123-4567", 13},
                           TCase{"(555)", 5, 0, "1234567", "(555)123-4567", 13},
                           TCase{"(555)", 5, 0, "123", "(555)123-", 9},
                           TCase{"(555)999-4567", 5, 3, "123", "(555)123-4567", 8},
                           TCase{"(555)", 5, 0, "abc", "(555)abc", 8}}) {
        SCOPED_TRACE(c.Pasted);
        TUnbound on("(###)###-####");
        on.Edit->SetEditText(c.Before);
        on.Edit->SetSelStart(c.Caret);
        on.Edit->SetSelLength(c.Selected);
        test::SetClipboardText(c.Pasted);
        std::vector<bool> heard;
        on.Edit->OnCheckValue = [&](TObject*, bool Passes) { heard.push_back(Passes); };
        Press('V', {VK_CONTROL});
        EXPECT_EQ(on.Edit->EditText(), c.Text);
        EXPECT_EQ(on.Edit->SelStart(), c.CaretAfter);
        EXPECT_TRUE(on.Edit->Modified());
        EXPECT_EQ(heard.size(), 1u);
    }
}

// Putting a text through the picture a character at a time matches all typed so far again at
// every character; a long paste must not stall the edit, and is then left for the exit check.
TEST(DBEditPicture, ALongPasteIsCheckedWithoutStalling) {
    TUnbound on("*#");
    std::string pasted;
    for (int i = 0; i < 50000; ++i)
        pasted += "1-";
    test::SetClipboardText(pasted);
    std::vector<bool> heard;
    on.Edit->OnCheckValue = [&](TObject*, bool Passes) { heard.push_back(Passes); };
    Press('V', {VK_CONTROL});
    EXPECT_EQ(on.Edit->EditText(), pasted);
    EXPECT_EQ(heard, std::vector<bool>{false});
    EXPECT_FALSE(on.Leave()) << "the text fails the picture";
}

// Ctrl+Backspace comes as the character 127, which deletes a word and is no typed character for
// a picture or a field to refuse.
TEST(DBEditPicture, CtrlBackspaceDeletesAWordWhateverTheMaskOrField) {
    for (const char* mask : {"", "###", "*&"}) {
        SCOPED_TRACE(mask);
        TUnbound on(mask);
        Type("12 34");
        const uint32_t beeps = MessageBeepCount();
        Press(VK_BACK, {VK_CONTROL});
        EXPECT_EQ(on.Edit->EditText(), std::string(mask) == "" ? "12 " : "");
        EXPECT_EQ(MessageBeepCount(), beeps);
    }
    test::TBoundForm on;
    TwwDBEdit* visits = on.Edit("Visits");
    visits->SetFocus();
    test::PumpUntilIdle();
    visits->SetSelStart(2);
    Press(VK_BACK, {VK_CONTROL});
    EXPECT_EQ(visits->EditText(), "");
}

TEST(DBEditPicture, OnCheckValueHearsWhetherTheTextIsComplete) {
    TUnbound on("###");
    std::vector<bool> heard;
    on.Edit->OnCheckValue = [&](TObject*, bool Passes) { heard.push_back(Passes); };
    Type("12");
    Press(VK_BACK);
    Type("23");
    EXPECT_EQ(heard, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(on.Edit->IsValidPicture("")) << "an empty text always passes";
}

TEST(DBEditPicture, AnIncompleteTextKeepsTheFocusUnlessInvalidExitIsAllowed) {
    struct TCase {
        const char* Typed;
        bool Allow;
        bool Leaves;
    };
    for (const TCase& c : {TCase{"12", false, false}, TCase{"12", true, true},
                           TCase{"123", false, true}, TCase{"", false, true}}) {
        SCOPED_TRACE(std::string(c.Typed) + (c.Allow ? " allowed" : ""));
        TUnbound on("###");
        on.Edit->Picture().SetAllowInvalidExit(c.Allow);
        Type(c.Typed);
        const uint32_t beeps = MessageBeepCount();
        EXPECT_EQ(on.Leave(), c.Leaves);
        EXPECT_EQ(on.Edit->InvalidExit(), !c.Leaves);
        EXPECT_EQ(MessageBeepCount() - beeps, c.Leaves ? 0u : 1u);
        if (!c.Leaves) {
            EXPECT_EQ(on.Edit->SelLength(), 2) << "the text is selected";
        }
    }
}

TEST(DBEditPicture, AssignCopiesMaskAndAutoFillOnly) {
    TUnbound on;
    TwwDBPicture& from = on.Other->Picture();
    from.SetPictureMask("###");
    from.SetAutoFill(false);
    from.SetAllowInvalidExit(true);
    on.Edit->SetPicture(from);
    EXPECT_EQ(on.Edit->Picture().PictureMask(), "###");
    EXPECT_FALSE(on.Edit->Picture().AutoFill());
    EXPECT_FALSE(on.Edit->Picture().AllowInvalidExit());
}

TEST(DBEditUnbound, EscapeBringsBackTheTextOfWhenTheEditWasEntered) {
    TUnbound on;
    Type("ab");
    on.Leave();
    on.Edit->SetFocus();
    on.Edit->SetSelStart(2);
    Type("cd");
    Press(VK_ESCAPE);
    EXPECT_EQ(on.Edit->EditText(), "ab");
    EXPECT_EQ(on.Edit->SelLength(), 2);
    EXPECT_FALSE(on.Edit->Modified());
}

TEST(DBEditUnbound, ReadOnlyRefusesTypingAndPasting) {
    TUnbound on;
    on.Edit->SetReadOnly(true);
    Type("ab");
    Press('V', {VK_CONTROL});
    EXPECT_EQ(on.Edit->EditText(), "");
    on.Edit->SetReadOnly(false);
    Type("ab");
    EXPECT_EQ(on.Edit->EditText(), "ab");
}

// What the window's edit styles make of the settings, at one line's height and at more.
TEST(DBEditStyle, WrappingAndBordersChooseTheEditStyles) {
    struct TCase {
        const char* Name;
        bool Border, WordWrap, Password, Tall;
        bool MultiLine, AutoHScroll;
    };
    for (const TCase& c : {TCase{"plain", true, false, false, false, false, true},
                           TCase{"borderless", false, false, false, false, true, true},
                           TCase{"borderless password", false, false, true, false, false, true},
                           TCase{"wrapping, one line", true, true, false, false, true, true},
                           TCase{"wrapping, tall", true, true, false, true, true, false}}) {
        SCOPED_TRACE(c.Name);
        TUnbound on;
        if (c.Password) on.Edit->SetPasswordChar('*');
        on.Edit->Font().SetName(FixedFontName);  // 16 pixels a line
        on.Edit->SetBorderStyle(c.Border ? bsSingle : bsNone);
        on.Edit->SetWordWrap(c.WordWrap);
        on.Edit->SetHeight(c.Tall ? 80 : 20);
        test::PumpUntilIdle();
        const auto style = GetWindowLong(on.Edit->Handle(), GWL_STYLE);
        EXPECT_EQ((style & ES_MULTILINE) != 0, c.MultiLine);
        EXPECT_EQ((style & ES_AUTOHSCROLL) != 0, c.AutoHScroll);
    }
}

}  // namespace
}  // namespace vex
