#include "platform/ui/customedit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/edit_testsupport.h"
#include "platform/ui/editmenu.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/maskedit.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/clipboard.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

// A key with the modifiers held while it goes down: "S" Shift, "C" Ctrl.
struct TKey {
    uint16_t Key;
    std::string Held;
    char Char = 0;
};

void Press(const TKey& Key) {
    std::vector<int32_t> held;
    if (Key.Held.find('S') != std::string::npos) held.push_back(VK_SHIFT);
    if (Key.Held.find('C') != std::string::npos) held.push_back(VK_CONTROL);
    const test::TKeysHeld keys(held);
    test::TypeKey(Key.Key, Key.Char);
}

void TypeText(const std::string& Text) {
    for (char c : Text)
        test::DeliverKey(WM_CHAR, static_cast<uint8_t>(c));
}

using test::ClipboardText;
using test::SetClipboardText;

// A focused edit on a shown form, in the fixed font: 6 pixels a character, rows of 12.
struct TEditOnForm {
    test::TShownForm Shown;
    TEdit* Edit;
    explicit TEditOnForm(const std::string& Text = "") {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-12);
        Edit = Shown.Add<TEdit>(Shown.Form, Rect(10, 10, 130, 30));
        Edit->SetName("Edit1");
        Edit->SetText(Text);
        Edit->SetFocus();
        test::ReleaseAllKeys();
    }
    // The client x of the gap before column Col.
    static int32_t XOf(int32_t Col) { return 2 + 6 * Col; }
};

TEST(CustomEdit, KeysMoveSelectAndEditAsTheTableSays) {
    struct TCase {
        const char* Name;
        std::string Text;
        int32_t Start, Length;
        std::vector<TKey> Keys;
        std::string Expected;
        int32_t SelStart, SelLength;
    };
    const std::vector<TCase> cases = {
        {"right twice", "hello world", 0, 0, {{VK_RIGHT, ""}, {VK_RIGHT, ""}}, "hello world", 2, 0},
        {"shift right",
         "hello world",
         0,
         0,
         {{VK_RIGHT, "S"}, {VK_RIGHT, "S"}},
         "hello world",
         0,
         2},
        {"ctrl right", "hello world", 0, 0, {{VK_RIGHT, "C"}}, "hello world", 6, 0},
        {"shift end", "hello world", 2, 0, {{VK_END, "S"}}, "hello world", 2, 9},
        {"shift home", "hello world", 5, 0, {{VK_HOME, "S"}}, "hello world", 0, 5},
        {"ctrl shift left", "hello world", 11, 0, {{VK_LEFT, "CS"}}, "hello world", 6, 5},
        {"left onto a selection", "hello world", 2, 5, {{VK_LEFT, ""}}, "hello world", 2, 0},
        {"right onto a selection", "hello world", 2, 5, {{VK_RIGHT, ""}}, "hello world", 7, 0},
        {"up and down are left and right",
         "abc",
         1,
         0,
         {{VK_DOWN, ""}, {VK_DOWN, ""}, {VK_UP, ""}},
         "abc",
         2,
         0},
        {"delete", "hello", 1, 0, {{VK_DELETE, ""}}, "hllo", 1, 0},
        {"delete a selection", "hello", 1, 3, {{VK_DELETE, ""}}, "ho", 1, 0},
        {"backspace", "hello", 3, 0, {{VK_BACK, "", '\b'}}, "helo", 2, 0},
        {"backspace at the start", "hello", 0, 0, {{VK_BACK, "", '\b'}}, "hello", 0, 0},
        {"typed over a selection", "hello", 1, 3, {{'X', "S", 'X'}}, "hXo", 2, 0},
        {"tab is no character here", "ab", 1, 0, {{VK_TAB, "", '\t'}}, "ab", 1, 0},
        {"ctrl backspace", "one two", 7, 0, {{VK_BACK, "C", '\x7F'}}, "one ", 4, 0},
        {"ctrl z", "ab", 2, 0, {{'C', "S", 'C'}, {'Z', "C", '\x1A'}}, "ab", 2, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditOnForm on(c.Text);
        on.Edit->SetSelStart(c.Start);
        on.Edit->SetSelLength(c.Length);
        for (const TKey& key : c.Keys)
            Press(key);
        EXPECT_EQ(on.Edit->Text(), c.Expected);
        EXPECT_EQ(on.Edit->SelStart(), c.SelStart);
        EXPECT_EQ(on.Edit->SelLength(), c.SelLength);
    }
}

TEST(CustomEdit, CutCopyPasteAndUndoByKeysAndMessages) {
    TEditOnForm on("one two three");
    on.Edit->SetSelStart(4);
    on.Edit->SetSelLength(3);
    Press({VK_INSERT, "C"});
    EXPECT_EQ(ClipboardText(), "two");
    Press({VK_DELETE, "S"});
    EXPECT_EQ(on.Edit->Text(), "one  three");
    Press({VK_END, ""});
    Press({'V', "C", '\x16'});
    EXPECT_EQ(on.Edit->Text(), "one  threetwo");
    on.Edit->Perform(EM_UNDO, 0, 0);
    EXPECT_EQ(on.Edit->Text(), "one  three");

    SetClipboardText(std::string("a\r\nb\0c", 6));
    on.Edit->Perform(EM_SETSEL, 0, 3);
    on.Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(on.Edit->Text(), "a  three");  // one line, up to the break
    on.Edit->Perform(EM_SETSEL, 1, -1);
    on.Edit->Perform(WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "  three");
    on.Edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(on.Edit->Text(), "a");
    on.Edit->Perform(WM_UNDO, 0, 0);
    on.Edit->Perform(EM_SETSEL, 0, 2);
    on.Edit->Perform(WM_CLEAR, 0, 0);
    EXPECT_EQ(on.Edit->Text(), " three");
}

TEST(CustomEdit, TheMenuOffersWhatWouldDoSomething) {
    struct TCase {
        const char* Name;
        std::function<void(TEdit&)> Set;
        std::string Enabled;  // the accelerators of the items enabled
    };
    const std::vector<TCase> cases = {
        {"caret in text", [](TEdit&) {}, "PA"},
        {"selection", [](TEdit& E) { E.SetSelLength(2); }, "tCPDA"},
        {"all selected", [](TEdit& E) { E.SelectAll(); }, "tCPD"},
        {"typed", [](TEdit&) { TypeText("x"); }, "UPA"},
        {"read-only", [](TEdit& E) { E.SetSelLength(2), E.SetReadOnly(true); }, "CA"},
        {"password", [](TEdit& E) { E.SetSelLength(2), E.SetPasswordChar('*'); }, "PDA"},
        {"nothing to paste", [](TEdit&) { OpenClipboard(0), EmptyClipboard(), CloseClipboard(); },
         "A"},
        {"empty", [](TEdit& E) { E.Clear(); }, "P"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetClipboardText("clip");
        TEditOnForm on("text");
        on.Edit->SetSelStart(1);
        c.Set(*on.Edit);
        std::string enabled;
        for (const TEditMenuItem& item : EditMenuItems)
            if (item.Caption != nullptr && on.Edit->CanRun(item.Action))
                enabled += std::strchr(item.Caption, '&')[1];
        EXPECT_EQ(enabled, c.Enabled);
    }
}

TEST(CustomEdit, ItsOwnMenuRunsTheActionChosen) {
    const test::TFixedMenuFont menuFont;
    TEditOnForm on("one two");
    on.Edit->SetSelStart(4);
    on.Edit->SetSelLength(3);
    const TPoint at = on.Edit->ClientToScreen(Point(20, 5));
    TModalScript script;
    script.Then([] {
        ASSERT_EQ(test::OpenMenus().size(), 1u);
        const TMenuItem& items = test::OpenMenus()[0]->ParentItem();
        EXPECT_FALSE(items.Find("&Undo")->Enabled());
        EXPECT_TRUE(items.Find("Cu&t")->Enabled());
        test::ClickAt(test::ItemCentre("Cut"));
    });
    on.Edit->Perform(WM_CONTEXTMENU, on.Edit->Handle(), MAKELONG(at.X, at.Y));
    test::PumpUntilIdle();
    EXPECT_EQ(on.Edit->Text(), "one ");
    EXPECT_EQ(ClipboardText(), "two");

    // From the keyboard, at the caret.
    script.Then([] { test::ClickAt(test::ItemCentre("Undo")); });
    on.Edit->Perform(WM_CONTEXTMENU, on.Edit->Handle(), -1);
    test::PumpUntilIdle();
    EXPECT_EQ(on.Edit->Text(), "one two");
    // A menu of the control's own comes instead.
    auto* menu = new TPopupMenu(on.Shown.Form);
    on.Edit->SetPopupMenu(menu);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    on.Edit->Perform(WM_CONTEXTMENU, on.Edit->Handle(), MAKELONG(at.X, at.Y));
    EXPECT_EQ(popups, 1);
}

// Chooses Item from the edit's own menu, opened by the mouse.
void ChooseFromOwnMenu(TCustomEdit& Edit, const char* Item) {
    TModalScript script;
    script.Then([Item] { test::ClickAt(test::ItemCentre(Item)); });
    const TPoint at = Edit.ClientToScreen(Point(20, 5));
    Edit.Perform(WM_CONTEXTMENU, Edit.Handle(), MAKELONG(at.X, at.Y));
    test::PumpUntilIdle();
}

TEST(CustomEdit, ADescendantTakesOverTheMenusCutAndPaste) {
    const test::TFixedMenuFont menuFont;
    test::TShownForm shown;
    auto* edit = shown.Add<TMaskEdit>(shown.Form, Rect(10, 10, 130, 30));
    edit->SetEditMask("!\\(999\\)000-0000;1;_");
    edit->SetFocus();
    test::ReleaseAllKeys();

    SetClipboardText("5551234567");
    edit->SetSelStart(1);
    ChooseFromOwnMenu(*edit, "Paste");
    EXPECT_EQ(edit->EditText(), "(555)123-4567");
    EXPECT_TRUE(edit->Modified());

    edit->SetSelStart(1);
    edit->SetSelLength(6);
    ChooseFromOwnMenu(*edit, "Cut");
    EXPECT_EQ(ClipboardText(), "555)12");
    EXPECT_EQ(edit->EditText(), "(___)__3-4567");
}

TEST(CustomEdit, AnswersTheSelectionModifyAndRectMessages) {
    TEditOnForm on("abcdef");
    EXPECT_EQ(on.Edit->Perform(EM_SETSEL, 4, 1), 0);
    DWORD start = 0, end = 0;
    EXPECT_EQ(on.Edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                               reinterpret_cast<LPARAM>(&end)),
              MAKELONG(1, 4));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(on.Edit->TextBuffer().Caret().Col, 1);  // the caret goes to the second place
    on.Edit->Perform(EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(on.Edit->SelLength(), 0);
    EXPECT_EQ(on.Edit->SelStart(), 1);

    EXPECT_EQ(on.Edit->Perform(EM_GETMODIFY, 0, 0), 0);
    TypeText("x");
    EXPECT_TRUE(on.Edit->Modified());
    EXPECT_EQ(on.Edit->Perform(EM_GETMODIFY, 0, 0), 1);
    on.Edit->Perform(EM_SETMODIFY, 0, 0);
    EXPECT_FALSE(on.Edit->Modified());
    TypeText("y");
    on.Edit->SetText("new");
    EXPECT_FALSE(on.Edit->Modified());

    TRect rect;
    on.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const TRect client = on.Edit->ClientRect();
    EXPECT_EQ(rect, Rect(2, 1, client.Right - 2, client.Bottom - 1));
    const TRect narrow = Rect(20, 2, 50, 14);
    on.Edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&narrow));
    on.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect, narrow);
    // The caret keeps within the narrow rectangle: 5 characters fit.
    on.Edit->SetText("0123456789");
    on.Edit->SetSelStart(10);
    EXPECT_GT(on.Edit->ScrollX(), 0);
    on.Edit->Perform(EM_SETRECT, 0, 0);
    on.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.Left, 2);

    // Rectangles no one would ask for are kept within reason, and the edit goes on working.
    struct TCase {
        TRect Asked;
        TRect Kept;
    };
    for (const TCase& c : std::vector<TCase>{{Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                                              Rect(-(1 << 20), -(1 << 20), 1 << 20, 1 << 20)},
                                             {Rect(50, 20, 10, 5), Rect(50, 20, 50, 20)}}) {
        on.Edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&c.Asked));
        on.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        EXPECT_EQ(rect, c.Kept);
        TypeText("ok");
        test::PumpUntilIdle();
    }
}

TEST(CustomEdit, PropertiesGuardTheText) {
    TEditOnForm on("secret");
    int changes = 0;
    on.Edit->OnChange = [&](TObject*) { ++changes; };

    on.Edit->SetReadOnly(true);
    EXPECT_NE(GetWindowLong(on.Edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
    on.Edit->SelectAll();
    TypeText("x\b");
    Press({VK_DELETE, ""});
    on.Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(on.Edit->Text(), "secret");
    on.Edit->Perform(WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "secret");  // a read-only text can still be copied
    on.Edit->SetReadOnly(false);

    SetClipboardText("kept");
    on.Edit->SetPasswordChar('*');
    on.Edit->Perform(WM_COPY, 0, 0);
    on.Edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_EQ(on.Edit->Text(), "secret");
    EXPECT_EQ(changes, 0);

    on.Edit->SetPasswordChar(0);
    on.Edit->SetMaxLength(8);
    on.Edit->SetSelStart(6);
    TypeText("abc");
    EXPECT_EQ(on.Edit->Text(), "secretab");
    EXPECT_EQ(changes, 2);

    on.Edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(on.Edit->Text(), "SECRETAB");
    on.Edit->SetMaxLength(0);
    TypeText("\xe9z");
    EXPECT_EQ(on.Edit->Text(), "SECRETAB\xc9Z");

    // A password's words stay hidden: by words and by double click it goes whole.
    on.Edit->SetText("pass word");
    on.Edit->SetPasswordChar('*');
    on.Edit->SetSelStart(2);
    Press({VK_RIGHT, "C"});
    EXPECT_EQ(on.Edit->SelStart(), 9);
    on.Edit->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELONG(TEditOnForm::XOf(1), 5));
    EXPECT_EQ(on.Edit->SelLength(), 9);
}

TEST(CustomEdit, TheSelectionStaysWithinTheText) {
    struct TCase {
        const char* Name;
        std::function<void(TEdit& Edit)> Act;
        int32_t Start;
        int32_t Length;
    };
    const std::vector<TCase> cases = {
        {"start before the text", [](TEdit& E) { E.SetSelStart(-5); }, 0, 0},
        {"start past its end", [](TEdit& E) { E.SetSelStart(99); }, 5, 0},
        {"the longest length", [](TEdit& E) { E.SetSelStart(1), E.SetSelLength(INT32_MAX); }, 1, 4},
        {"a length back past the start", [](TEdit& E) { E.SetSelStart(2), E.SetSelLength(-5); }, 0,
         2},
        {"the shortest length", [](TEdit& E) { E.SetSelStart(1), E.SetSelLength(INT32_MIN); }, 0,
         1},
        {"EM_SETSEL reversed", [](TEdit& E) { E.Perform(EM_SETSEL, 4, 1); }, 1, 3},
        {"EM_SETSEL to -1", [](TEdit& E) { E.Perform(EM_SETSEL, 2, -1); }, 2, 3},
        {"EM_SETSEL from -1",
         [](TEdit& E) {
             E.Perform(EM_SETSEL, 1, 3);
             E.Perform(EM_SETSEL, static_cast<WPARAM>(-1), 0);
         },
         3, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditOnForm on("abcde");
        c.Act(*on.Edit);
        EXPECT_EQ(on.Edit->SelStart(), c.Start);
        EXPECT_EQ(on.Edit->SelLength(), c.Length);
    }
}

TEST(CustomEdit, AnEditFreedByItsOwnEventsTakesNothingMore) {
    const test::TFixedMenuFont menuFont;
    struct TCase {
        const char* Name;
        bool OnEnter;  // else OnChange
        std::function<void(TEdit& Edit, TEdit& Other)> Act;
    };
    const std::vector<TCase> cases = {
        {"typing", false, [](TEdit&, TEdit&) { TypeText("ab"); }},
        {"pasting", false,
         [](TEdit&, TEdit&) {
             Press({'V', "C", '\x16'});
         }},
        {"cutting by its own menu", false,
         [](TEdit& E, TEdit&) {
             E.SelectAll();
             ChooseFromOwnMenu(E, "Cut");
         }},
        {"its menu asked for while another has the focus", true,
         [](TEdit& E, TEdit& Other) {
             Other.SetFocus();
             const TPoint at = E.ClientToScreen(Point(20, 5));
             E.Perform(WM_CONTEXTMENU, E.Handle(), MAKELONG(at.X, at.Y));
         }},
        {"a click that focuses", true,
         [](TEdit& E, TEdit& Other) {
             Other.SetFocus();
             E.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(5, 5));
         }},
        {"its text set by a program", false, [](TEdit& E, TEdit&) { E.SetText("set"); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditOnForm on("text");
        SetClipboardText("pasted");
        auto* other = on.Shown.Add<TEdit>(on.Shown.Form, Rect(10, 40, 130, 60));
        TEdit* edit = on.Edit;
        (c.OnEnter ? edit->OnEnter : edit->OnChange) = [edit](TObject*) { delete edit; };
        c.Act(*edit, *other);
        EXPECT_EQ(on.Shown.Form->FindComponent("Edit1"), nullptr);
        TypeText("x");
    }
}

TEST(CustomEdit, TheMouseSetsTheCaretAndSelects) {
    TEditOnForm on("one two three");
    const auto at = [](int32_t Col) { return MAKELONG(TEditOnForm::XOf(Col) + 1, 6); };
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5));
    on.Edit->Perform(WM_LBUTTONUP, 0, at(5));
    EXPECT_EQ(on.Edit->SelStart(), 5);
    EXPECT_EQ(on.Edit->SelLength(), 0);
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, at(9));
    on.Edit->Perform(WM_LBUTTONUP, 0, at(9));
    EXPECT_EQ(on.Edit->SelText(), "wo t");
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(1));
    on.Edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, at(6));
    on.Edit->Perform(WM_LBUTTONUP, 0, at(6));
    EXPECT_EQ(on.Edit->SelText(), "ne tw");
    on.Edit->Perform(WM_MOUSEMOVE, 0, at(9));
    EXPECT_EQ(on.Edit->SelText(), "ne tw");  // no button, no drag
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5));
    on.Edit->Perform(WM_LBUTTONUP, 0, at(5));
    on.Edit->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, at(5));
    EXPECT_EQ(on.Edit->SelText(), "two");
    on.Edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, at(9));  // by words from the double click
    on.Edit->Perform(WM_LBUTTONUP, 0, at(9));
    EXPECT_EQ(on.Edit->SelText(), "two three");
}

TEST(CustomEdit, ADragPastTheEdgeScrollsWhileItLasts) {
    TEditOnForm on(std::string(200, 'w'));
    on.Edit->SetSelStart(0);
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(10, 6));
    on.Edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELONG(200, 6));
    const int32_t first = on.Edit->ScrollX();
    EXPECT_GT(first, 0);
    on.Edit->Perform(WM_TIMER, 1, 0);
    EXPECT_GT(on.Edit->ScrollX(), first);
    on.Edit->Perform(WM_LBUTTONUP, 0, MAKELONG(200, 6));
    const int32_t last = on.Edit->ScrollX();
    on.Edit->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(on.Edit->ScrollX(), last);
    EXPECT_GT(on.Edit->SelLength(), 20);
}

TEST(CustomEdit, TheKeyboardsFocusSelectsAllAndTheHeightFollowsTheFont) {
    TEditOnForm on("abc");
    auto* second = on.Shown.Add<TEdit>(on.Shown.Form, Rect(10, 40, 130, 60));
    second->SetText("second");
    Press({VK_TAB, ""});
    EXPECT_EQ(GetFocus(), second->Handle());
    EXPECT_EQ(second->SelLength(), 6);
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(3, 5));
    EXPECT_EQ(on.Edit->SelLength(), 0);
    EXPECT_EQ(on.Edit->Height(), 12 + 8);
    on.Edit->Font().SetHeight(-20);
    EXPECT_EQ(on.Edit->Height(), 20 + 8);
    on.Edit->SetCtl3D(false);
    EXPECT_EQ(on.Edit->Height(), 20 + 6);
    EXPECT_EQ(GetWindowLong(on.Edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_NE(GetWindowLong(on.Edit->Handle(), GWL_STYLE) & WS_BORDER, 0);
    on.Edit->SetBorderStyle(bsNone);
    EXPECT_EQ(on.Edit->Height(), 20 + 2);
    on.Edit->SetAutoSize(false);
    on.Edit->SetHeight(40);
    on.Edit->Font().SetHeight(-12);
    EXPECT_EQ(on.Edit->Height(), 40);
}

TEST(CustomEdit, LooksAsReviewed) {
    const test::TSteadyCaret steady;
    struct TCase {
        const char* Name;
        std::function<void(TEdit&, TEdit& Other)> Set;
    };
    const std::vector<TCase> cases = {
        {"edit_empty", [](TEdit& E, TEdit&) { E.SetText(""); }},
        {"edit_text", [](TEdit&, TEdit&) {}},
        {"edit_selection_focused", [](TEdit& E, TEdit&) { E.SetSelStart(2), E.SetSelLength(5); }},
        {"edit_selection_hidden",
         [](TEdit& E, TEdit& Other) { E.SetSelStart(2), E.SetSelLength(5), Other.SetFocus(); }},
        {"edit_selection_kept",
         [](TEdit& E, TEdit& Other) {
             E.SetHideSelection(false), E.SetSelStart(2), E.SetSelLength(5), Other.SetFocus();
         }},
        {"edit_readonly", [](TEdit& E, TEdit&) { E.SetReadOnly(true); }},
        {"edit_disabled", [](TEdit& E, TEdit&) { E.SetEnabled(false); }},
        {"edit_password", [](TEdit& E, TEdit&) { E.SetPasswordChar('*'); }},
        {"edit_scrolled",
         [](TEdit& E, TEdit&) {
             E.SetText("a longer text than the field shows"), E.SetSelStart(34);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditOnForm on("Edit me");
        auto* other = on.Shown.Add<TEdit>(on.Shown.Form, Rect(10, 40, 130, 60));
        on.Edit->SetFocus();
        on.Edit->SetSelStart(7);
        c.Set(*on.Edit, *other);
        test::PumpUntilIdle();
        EXPECT_TRUE(test::ControlMatchesReferencePicture(
            *on.Edit, VEX_TEST_DIR "/testdata/pictures", c.Name));
    }
}

}  // namespace
}  // namespace vex
