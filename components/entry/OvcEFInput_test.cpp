#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "components/entry/OvcEF.h"
#include "components/entry/ovcef_testsupport.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/clipboard.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

using test::PumpUntilIdle;
using test::TPlainEntryField;

using test::ClipboardText;
using test::SetClipboardText;

// A string field and a second one on a shown form in the fixed font, the first focused. Keys
// go in as the keyboard makes them, through the loop's translation into characters.
class EntryFieldInput : public ::testing::Test {
protected:
    EntryFieldInput() {
        Form.Form->Font().SetName(FixedFontName);
        Form.Form->Font().SetHeight(-12);
        new TOvcController(Form.Form);
        Field = Form.Add<TPlainEntryField>(Form.Form, Rect(10, 10, 140, 32));
        Field->SetMaxLength(20);
        Other = Form.Add<TPlainEntryField>(Form.Form, Rect(10, 50, 140, 72));
        Field->OnChange = [this](TObject*) { ++Changes; };
        Field->SetFocus();
        PumpUntilIdle();
    }
    ~EntryFieldInput() override { test::ReleaseAllKeys(); }

    void Tap(int32_t Key, std::vector<int32_t> Held = {}) {
        for (int32_t k : Held)
            InjectKey(k, true);
        InjectKey(Key, true);
        InjectKey(Key, false);
        for (int32_t k : Held)
            InjectKey(k, false);
        Pump();
    }
    // As the application's loop runs: keys become characters on their way.
    static void Pump() {
        Application().ProcessMessages();
        PumpUntilIdle();
    }
    void Type(const std::string& Letters) {
        for (char c : Letters)
            Tap(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    std::string Selected() {
        return Field->EditText().substr(Field->SelectionStart(),
                                        Field->SelectionEnd() - Field->SelectionStart());
    }
    TPoint ScreenOf(TControl& Control, int32_t X) { return Control.ClientToScreen(Point(X, 10)); }

    test::TShownForm Form{Rect(10, 10, 300, 200)};
    TPlainEntryField* Field;
    TPlainEntryField* Other;
    int Changes = 0;
};

TEST_F(EntryFieldInput, KeysNoTableMapsAreTypedAndShiftArrowsSelect) {
    Type("hello");
    EXPECT_EQ(Field->EditText(), "hello");
    EXPECT_TRUE(Field->Modified());
    EXPECT_EQ(Changes, 5);
    Tap(VK_LEFT, {VK_SHIFT});
    Tap(VK_LEFT, {VK_SHIFT});
    EXPECT_EQ(Selected(), "lo");
    Tap('C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), "lo");
    Tap(VK_BACK);
    EXPECT_EQ(Field->EditText(), "hel");
}

TEST_F(EntryFieldInput, AltWithNumericPadDigitsTypesThatCharacter) {
    Type("x");
    InjectKey(VK_MENU, true);
    for (int32_t key : {VK_NUMPAD6, VK_NUMPAD5}) {
        InjectKey(key, true);
        InjectKey(key, false);
    }
    InjectKey(VK_MENU, false);
    Pump();
    EXPECT_EQ(Field->EditText(), "xA");
}

TEST_F(EntryFieldInput, UndoRestoresTheTextTheFieldWasEnteredWith) {
    Field->SetText("start");
    Other->SetFocus();
    Field->SetFocus();
    PumpUntilIdle();
    Tap(VK_END);
    Type("ed");
    Tap('Z', {VK_CONTROL});
    EXPECT_EQ(Field->EditText(), "start");
    EXPECT_FALSE(Field->Modified());
    EXPECT_EQ(Selected(), "start");
}

TEST_F(EntryFieldInput, AReadOnlyFieldBeepsAtEditsButStillCopiesAndSelects) {
    Field->SetText("fixed");
    Field->SetReadOnly(true);
    Field->Perform(EM_SETSEL, 0, MAKELONG(0, 0xFFFF));
    SetClipboardText("other");
    struct TCase {
        int32_t Key;
        std::vector<int32_t> Held;
        bool Beeps;
    };
    const std::vector<TCase> cases = {
        {VK_BACK, {}, true},        {'V', {VK_CONTROL}, true}, {VK_DELETE, {}, true},
        {'X', {VK_CONTROL}, true},  {'Q', {}, true},           {'Z', {VK_CONTROL}, true},
        {'C', {VK_CONTROL}, false}, {VK_HOME, {}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const uint32_t before = MessageBeepCount();
        Tap(c.Key, c.Held);
        EXPECT_EQ(MessageBeepCount() - before, c.Beeps ? 1u : 0u);
        EXPECT_EQ(Field->EditText(), "fixed");
    }
    EXPECT_EQ(ClipboardText(), "fixed");
}

TEST_F(EntryFieldInput, AClickIntoAnUnfocusedFieldSelectsNothingWhateverAutoSelectSays) {
    Other->SetText("abcdef");
    Other->SetAutoSelect(true);
    test::ClickAt(ScreenOf(*Other, Other->TextMargin() - 1 + 3 * 6));
    PumpUntilIdle();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Other->SelectionStart(), Other->SelectionEnd());
    EXPECT_EQ(Other->CaretPosition(), 3);
    // By the keyboard, everything is selected.
    Other->SetText("abcdef");
    Tap(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(Field->Focused());
    Tap(VK_TAB);
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Other->SelectionEnd() - Other->SelectionStart(), 6);
}

TEST_F(EntryFieldInput, DraggingSelectsAndADoubleClickSelectsAll) {
    Field->SetText("abcdefgh");
    const int32_t left = Field->TextMargin() - 1;
    InjectMouseMove(ScreenOf(*Field, left + 2 * 6));
    InjectMouseButton(mbLeft, true);
    InjectMouseMove(ScreenOf(*Field, left + 5 * 6));
    InjectMouseButton(mbLeft, false);
    PumpUntilIdle();
    EXPECT_EQ(Selected(), "cde");
    test::ClickAt(ScreenOf(*Field, left + 6));
    test::ClickAt(ScreenOf(*Field, left + 6));
    PumpUntilIdle();
    EXPECT_EQ(Selected(), "abcdefgh");
}

TEST_F(EntryFieldInput, SelectionMessagesAnswerThroughTheirOutParametersAndClamp) {
    Field->SetText("abcdef");
    struct TCase {
        uint16_t Start, End;
        uint16_t SelStart, SelEnd;
    };
    const std::vector<TCase> cases = {
        {1, 3, 1, 3}, {0, 0xFFFF, 0, 6}, {2, 99, 2, 6}, {4, 2, 2, 6}, {0xFFFF, 0, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Start) + "," + std::to_string(c.End));
        if (c.Start == 0xFFFF) Field->Perform(EM_SETSEL, 0, MAKELONG(0, 0));
        Field->Perform(EM_SETSEL, 0, MAKELONG(c.Start, c.End));
        uint32_t start = 77, end = 77;
        const LRESULT both = Field->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, c.SelStart);
        EXPECT_EQ(end, c.SelEnd);
        EXPECT_EQ(both, MAKELONG(c.SelStart, c.SelEnd));
        // Either out-parameter may be left out.
        EXPECT_EQ(Field->Perform(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end)), both);
        EXPECT_EQ(Field->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0), both);
    }
}

TEST_F(EntryFieldInput, ModifyAndTextMessagesSetTheStateAndTheWholeText) {
    Field->Perform(EM_SETMODIFY, 1, 0);
    EXPECT_EQ(Field->Perform(EM_GETMODIFY, 0, 0), 1);
    EXPECT_TRUE(Field->State().Contains(esModifiedSinceEnter));
    Field->Perform(EM_SETMODIFY, 0, 0);
    EXPECT_EQ(Field->Perform(EM_GETMODIFY, 0, 0), 0);

    Field->SetText("old text");
    const char* text = "new";
    Field->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(Field->EditText(), "new");
}

TEST_F(EntryFieldInput, PastingTakesNoMoreOfTheClipboardThanTheFieldHolds) {
    struct TCase {
        std::string Clipboard;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {std::string(100000, 'x'), std::string(20, 'x')},
        {std::string("ab\0cd", 5), "ab"},
        {"", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        Field->SetText("");
        SetClipboardText(c.Clipboard);
        Tap('V', {VK_CONTROL});
        EXPECT_EQ(Field->EditText(), c.Text);
    }
}

TEST_F(EntryFieldInput, APasswordNeitherCopiesNorCutsToTheClipboard) {
    Field->SetPasswordMode(true);
    for (char key : {'C', 'X'}) {
        SCOPED_TRACE(key);
        Field->SetText("secret");
        SetClipboardText("before");
        Field->Perform(EM_SETSEL, 0, MAKELONG(0, 0xFFFF));
        Tap(key, {VK_CONTROL});
        EXPECT_EQ(ClipboardText(), "before");
        EXPECT_EQ(Field->EditText(), "secret");
    }
}

TEST_F(EntryFieldInput, TextMarginBelowTwoIsIgnored) {
    for (int32_t margin : {1, 0, -5}) {
        Field->SetTextMargin(margin);
        EXPECT_EQ(Field->TextMargin(), 2);
    }
    Field->SetTextMargin(5);
    EXPECT_EQ(Field->TextMargin(), 5);
}

TEST_F(EntryFieldInput, UserCommandsFireTheirEventAndEndTheKeySequence) {
    TOvcCmdRec rec;
    rec.Key1 = VK_F2;
    rec.Cmd = ccUserFirst + 4;
    Field->Controller()->EntryCommands().AddCommandRec("Default", rec);
    std::vector<uint16_t> seen;
    Field->OnUserCommand = [&](TObject*, uint16_t Command) { seen.push_back(Command); };
    Tap(VK_F2);
    EXPECT_EQ(seen, std::vector<uint16_t>{ccUserFirst + 4});
}

// The field's own menu, opened by a right-button release and driven as a person would.
class EntryFieldMenu : public EntryFieldInput {
protected:
    // The enabled items, as their accelerator letters, and then Item chosen.
    std::string OpenMenuAndChoose(const char* Item) {
        std::string enabled;
        TModalScript script;
        script.Then([&] {
            ASSERT_EQ(test::OpenMenus().size(), 1u);
            const TMenuItem& items = test::OpenMenus()[0]->ParentItem();
            for (int32_t i = 0; i < items.Count(); ++i)
                if (const char* amp = std::strchr(items.Items(i)->Caption().c_str(), '&');
                    amp != nullptr && items.Items(i)->Enabled())
                    enabled += amp[1];
            if (Item != nullptr)
                test::ClickAt(test::ItemCentre(Item));
            else
                test::TapKey(VK_ESCAPE);
        });
        test::ClickAt(ScreenOf(*Field, 30), mbRight);
        PumpUntilIdle();
        return enabled;
    }

    test::TFixedMenuFont MenuFont;
};

TEST_F(EntryFieldMenu, OffersWhatTheStateAllowsAndRunsTheChoice) {
    SetClipboardText("clip");
    Field->SetText("one two");
    EXPECT_EQ(OpenMenuAndChoose(nullptr), "PA");

    Field->Perform(EM_SETSEL, 0, MAKELONG(4, 7));
    Field->Perform(EM_SETMODIFY, 1, 0);
    EXPECT_EQ(OpenMenuAndChoose("Cut"), "RtCPDA");
    EXPECT_EQ(Field->EditText(), "one ");
    EXPECT_EQ(ClipboardText(), "two");

    EXPECT_EQ(OpenMenuAndChoose("Select All"), "RPA");
    EXPECT_EQ(Selected(), "one ");
    OpenMenuAndChoose("Paste");
    EXPECT_EQ(Field->EditText(), "two");

    Field->SetReadOnly(true);
    Field->Perform(EM_SETSEL, 0, MAKELONG(0, 2));
    EXPECT_EQ(OpenMenuAndChoose("Copy"), "RCA");
    EXPECT_EQ(ClipboardText(), "tw");

    Field->SetReadOnly(false);
    Field->SetPasswordMode(true);
    EXPECT_EQ(OpenMenuAndChoose(nullptr), "RPDA");
}

TEST_F(EntryFieldMenu, AFieldWithAMenuOfItsOwnShowsThatOne) {
    auto* menu = new TPopupMenu(Form.Form);
    test::NewItem(menu->Items(), "Mine");
    Field->SetPopupMenu(menu);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    TModalScript script;
    script.Then([] { test::TapKey(VK_ESCAPE); });
    test::ClickAt(ScreenOf(*Field, 30), mbRight);
    PumpUntilIdle();
    EXPECT_EQ(popups, 1);
}

}  // namespace
}  // namespace vex
