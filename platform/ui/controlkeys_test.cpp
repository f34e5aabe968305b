#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

using test::AltDown;
using test::DeliverKey;
using test::TKeysHeld;
using test::TLog;
using test::TLogged;
using test::TPlainPanel;
using test::TShownForm;
using test::TTestButton;
using test::TypeKey;

// The lines of Log that start with one of the words, in order.
TLog Only(const TLog& Log, const std::vector<std::string>& Words) {
    TLog kept;
    for (const std::string& line : Log)
        for (const std::string& word : Words)
            if (line.find(" " + word) != std::string::npos) {
                kept.push_back(line);
                break;
            }
    return kept;
}

// A form with nested panels: tab stops, one turned off, one disabled, one hidden.
//   a | panel p (no tab stop): b, c (disabled), d (no tab stop), panel q: e | f | g (hidden)
struct TNested {
    TLog Log;
    TShownForm Shown{Rect(10, 10, 310, 210)};
    TLogged* A = Shown.Add<TLogged>(Shown.Form, Rect(0, 0, 20, 20), Log, "a");
    TPlainPanel* P = Shown.Add<TPlainPanel>(Shown.Form, Rect(30, 0, 200, 100));
    TLogged* B = Shown.Add<TLogged>(P, Rect(0, 0, 20, 20), Log, "b");
    TLogged* C = Shown.Add<TLogged>(P, Rect(30, 0, 50, 20), Log, "c");
    TLogged* D = Shown.Add<TLogged>(P, Rect(60, 0, 80, 20), Log, "d");
    TPlainPanel* Q = Shown.Add<TPlainPanel>(P, Rect(0, 40, 100, 90));
    TLogged* E = Shown.Add<TLogged>(Q, Rect(0, 0, 20, 20), Log, "e");
    TLogged* F = Shown.Add<TLogged>(Shown.Form, Rect(210, 0, 230, 20), Log, "f");
    TLogged* G = Shown.Add<TLogged>(Shown.Form, Rect(240, 0, 260, 20), Log, "g");
    TNested() {
        C->SetEnabled(false);
        D->SetTabStop(false);
        G->Hide();
    }
    std::string Active() const {
        const std::map<TWinControl*, std::string> names = {{A, "a"}, {B, "b"},         {C, "c"},
                                                           {D, "d"}, {E, "e"},         {F, "f"},
                                                           {G, "g"}, {nullptr, "none"}};
        return names.at(Shown.Form->ActiveControl());
    }
};

TEST(TabOrder, ListsContainersBeforeWhatTheyHold) {
    TNested t;
    std::vector<TWinControl*> list;
    t.Shown.Form->GetTabOrderList(list);
    EXPECT_EQ(list, (std::vector<TWinControl*>{t.A, t.P, t.B, t.C, t.D, t.Q, t.E, t.F, t.G}));
}

TEST(TabOrder, TabAndShiftTabSkipWhatCannotTakeTheFocus) {
    TNested t;
    t.A->SetFocus();
    std::vector<std::string> forward;
    for (int i = 0; i < 4; ++i) {
        TypeKey(VK_TAB, '\t');
        forward.push_back(t.Active());
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"b", "e", "f", "a"}));
    std::vector<std::string> back;
    {
        TKeysHeld shift({VK_SHIFT});
        for (int i = 0; i < 4; ++i) {
            TypeKey(VK_TAB, '\t');
            back.push_back(t.Active());
        }
    }
    EXPECT_EQ(back, (std::vector<std::string>{"f", "e", "b", "a"}));
    // Ctrl+Tab is no dialog key: the control gets it.
    t.Log.clear();
    {
        TKeysHeld ctrl({VK_CONTROL});
        TypeKey(VK_TAB);
    }
    EXPECT_EQ(Only(t.Log, {"keydown"}), (TLog{"a keydown 9"}));
    EXPECT_EQ(t.Active(), "a");

    // A new tab order is followed at once; arrows stay among the siblings.
    t.F->SetTabOrder(0);
    t.A->SetFocus();
    TypeKey(VK_TAB);
    EXPECT_EQ(t.Active(), "b");
    t.D->SetTabStop(true);
    TypeKey(VK_RIGHT);
    EXPECT_EQ(t.Active(), "d");
    TypeKey(VK_LEFT);
    EXPECT_EQ(t.Active(), "b");
}

// An edit-like control with the focus, another tab stop, a default and a cancel button.
struct TDialog {
    TLog Log;
    TShownForm Shown;
    TLogged* Edit = Shown.Add<TLogged>(Shown.Form, Rect(0, 0, 50, 20), Log, "edit");
    TLogged* Next = Shown.Add<TLogged>(Shown.Form, Rect(0, 30, 50, 50), Log, "next");
    TTestButton* Ok = Shown.Add<TTestButton>(Shown.Form, Rect(60, 0, 100, 20), Log, "ok");
    TTestButton* No = Shown.Add<TTestButton>(Shown.Form, Rect(60, 30, 100, 50), Log, "cancel");
    TDialog() {
        Ok->Default = true;
        Ok->SetCaption("&OK");
        No->Cancel = true;
        No->SetCaption("Cancel");
        Edit->SetFocus();
        Log.clear();
    }
};

TEST(DialogKeys, GoToTheFormUnlessTheFocusedControlClaimsThem) {
    struct TCase {
        const char* Name;
        WPARAM Key;
        LRESULT DialogCode;
        bool WantSpecial;
        TLog Seen;  // keys, native keys and clicks
        const char* Active;
    };
    const std::vector<TCase> cases = {
        {"tab moves on", VK_TAB, 0, false, {}, "next"},
        {"tab kept", VK_TAB, DLGC_WANTTAB, false, {"edit keydown 9", "edit native key 9"}, "edit"},
        {"tab is not among all keys", VK_TAB, DLGC_WANTALLKEYS, false, {}, "next"},
        {"arrow moves on", VK_DOWN, 0, false, {}, "next"},
        {"arrow kept",
         VK_DOWN,
         DLGC_WANTARROWS,
         false,
         {"edit keydown 40", "edit native key 40"},
         "edit"},
        {"enter clicks the default button", VK_RETURN, 0, false, {"ok click"}, "edit"},
        {"enter kept",
         VK_RETURN,
         DLGC_WANTALLKEYS,
         false,
         {"edit keydown 13", "edit native key 13"},
         "edit"},
        {"enter kept on asking",
         VK_RETURN,
         0,
         true,
         {"edit keydown 13", "edit native key 13"},
         "edit"},
        {"escape clicks the cancel button", VK_ESCAPE, 0, false, {"cancel click"}, "edit"},
        {"escape kept",
         VK_ESCAPE,
         DLGC_WANTALLKEYS,
         false,
         {"edit keydown 27", "edit native key 27"},
         "edit"},
        {"no dialog key", 'A', 0, false, {"edit keydown 65", "edit native key 65"}, "edit"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDialog d;
        d.Edit->DialogCode = c.DialogCode;
        d.Edit->WantSpecialKey = c.WantSpecial;
        TypeKey(c.Key);
        EXPECT_EQ(Only(d.Log, {"keydown", "native", "click"}), c.Seen);
        EXPECT_EQ(d.Shown.Form->ActiveControl(), std::string(c.Active) == "edit" ? d.Edit : d.Next);
    }

    // A disabled default button takes no Enter.
    TDialog d;
    d.Ok->SetEnabled(false);
    TypeKey(VK_RETURN);
    EXPECT_EQ(Only(d.Log, {"click"}), TLog{});
}

TEST(DialogKeys, AcceleratorsClickOrFocusTheirControls) {
    TDialog d;
    auto* label = d.Shown.Add<TLabel>(d.Shown.Form, Rect(0, 60, 50, 80));
    label->SetCaption("&Next one");
    label->SetFocusControl(d.Next);
    {
        TKeysHeld alt({VK_MENU});
        DeliverKey(WM_SYSKEYDOWN, 'O', AltDown);
        EXPECT_FALSE(DeliverKey(WM_SYSCHAR, 'o', AltDown));
        EXPECT_EQ(Only(d.Log, {"click"}), (TLog{"ok click"}));
        EXPECT_EQ(d.Shown.Form->ActiveControl(), d.Edit);
        DeliverKey(WM_SYSKEYDOWN, 'N', AltDown);
        EXPECT_FALSE(DeliverKey(WM_SYSCHAR, 'n', AltDown));
        EXPECT_EQ(d.Shown.Form->ActiveControl(), d.Next);
        // Alt+Space and letters no caption marks go on to the window.
        EXPECT_TRUE(DeliverKey(WM_SYSCHAR, ' ', AltDown));
        EXPECT_TRUE(DeliverKey(WM_SYSCHAR, 'k', AltDown));
    }
    // A control that takes no characters lets a plain letter act as an accelerator; one that
    // takes them keeps it.
    d.Log.clear();
    TypeKey('O', 'o');
    EXPECT_EQ(Only(d.Log, {"click", "keypress", "native char"}), (TLog{"ok click"}));
    d.Log.clear();
    d.Next->DialogCode = DLGC_WANTCHARS;
    TypeKey('O', 'o');
    EXPECT_EQ(Only(d.Log, {"click", "keypress", "native char"}),
              (TLog{"next keypress o", "next native char o"}));
}

TEST(DialogKeys, IsAccelFindsTheMarkedCharacter) {
    struct TCase {
        const char* Caption;
        uint16_t Key;
        bool Accel;
    };
    const std::vector<TCase> cases = {
        {"&OK", 'O', true},          {"&OK", 'o', true},       {"&OK", 'K', false},
        {"&&OK", 'O', false},        {"A&&B&c", 'C', true},    {"A&&B&c", 'B', false},
        {"End&", 'D', false},        {"", 'A', false},         {"&\xC4nderung", 0xE4, true},
        {"&OK", 'O' + 0x100, false}, {"No marks", 'N', false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Caption + std::string(" ") + std::to_string(c.Key));
        EXPECT_EQ(IsAccel(c.Key, c.Caption), c.Accel);
    }
}

TEST(ControlKeys, AKeySetToZeroGoesNoFurther) {
    struct TCase {
        const char* Name;
        std::function<void(TDialog&)> Setup;
        TLog Seen;
    };
    const auto zero = [](TObject*, uint16_t& Key, TShiftState) { Key = 0; };
    const std::vector<TCase> cases = {
        {"plain",
         [](TDialog&) {},
         {"edit keydown 65", "edit native key 65", "edit keypress a", "edit native char a"}},
        {"the control's handler",
         [&](TDialog& D) { D.Edit->OnKeyDown = zero; },
         {"edit keydown 65", "edit keypress a", "edit native char a"}},
        {"the previewing form",
         [&](TDialog& D) {
             D.Shown.Form->SetKeyPreview(true);
             D.Shown.Form->OnKeyDown = zero;
         },
         {"edit keypress a", "edit native char a"}},
        {"a form that does not preview",
         [&](TDialog& D) { D.Shown.Form->OnKeyDown = zero; },
         {"edit keydown 65", "edit native key 65", "edit keypress a", "edit native char a"}},
        {"a character changed by the form",
         [](TDialog& D) {
             D.Shown.Form->SetKeyPreview(true);
             D.Shown.Form->OnKeyPress = [](TObject*, char& Key) { Key = 'b'; };
         },
         {"edit keydown 65", "edit native key 65", "edit keypress b", "edit native char b"}},
        {"a character zeroed",
         [](TDialog& D) { D.Edit->OnKeyPress = [](TObject*, char& Key) { Key = '\0'; }; },
         {"edit keydown 65", "edit native key 65", "edit keypress a"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDialog d;
        d.Edit->DialogCode = DLGC_WANTCHARS;
        c.Setup(d);
        TypeKey('A', 'a');
        EXPECT_EQ(Only(d.Log, {"keydown", "keypress", "native"}), c.Seen);
    }
}

TEST(ControlKeys, KeyHandlersMayFreeTheFocusedControlOrTheForm) {
    struct TCase {
        const char* Name;
        std::function<void(TDialog&)> Arm;
        bool FormFreed;
    };
    const std::vector<TCase> cases = {
        {"the control frees itself",
         [](TDialog& D) {
             D.Edit->OnKeyDown = [&D](TObject*, uint16_t&, TShiftState) { delete D.Edit; };
         },
         false},
        {"the previewing form frees the control",
         [](TDialog& D) {
             D.Shown.Form->SetKeyPreview(true);
             D.Shown.Form->OnKeyDown = [&D](TObject*, uint16_t&, TShiftState) { delete D.Edit; };
         },
         false},
        {"the previewing form frees itself",
         [](TDialog& D) {
             D.Shown.Form->SetKeyPreview(true);
             D.Shown.Form->OnKeyDown = [&D](TObject*, uint16_t&, TShiftState) {
                 delete std::exchange(D.Shown.Form, nullptr);
             };
         },
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDialog d;
        c.Arm(d);
        TypeKey('A', 'a');
        if (c.FormFreed) {
            EXPECT_EQ(d.Shown.Form, nullptr);
            continue;
        }
        EXPECT_EQ(d.Shown.Form->ActiveControl(), nullptr);
        EXPECT_TRUE(d.Shown.Form->Focused());
        TypeKey(VK_TAB, '\t');
        EXPECT_EQ(d.Shown.Form->ActiveControl(), d.Next);
    }
}

}  // namespace
}  // namespace vex
