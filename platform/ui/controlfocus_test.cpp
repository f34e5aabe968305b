#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

using test::TLog;
using test::TLogged;
using test::TPlainPanel;
using test::TShownForm;

// Two panels side by side, each with two tab stops; the log starts empty.
struct TTwoPanels {
    TLog Log;
    TShownForm Shown;
    TLogged* Left = Shown.Add<TLogged>(Shown.Form, Rect(0, 0, 90, 90), Log, "left");
    TLogged* Right = Shown.Add<TLogged>(Shown.Form, Rect(100, 0, 190, 90), Log, "right");
    TLogged* A = Shown.Add<TLogged>(Left, Rect(5, 5, 40, 20), Log, "a");
    TLogged* B = Shown.Add<TLogged>(Left, Rect(5, 30, 40, 45), Log, "b");
    TLogged* C = Shown.Add<TLogged>(Right, Rect(5, 5, 40, 20), Log, "c");
    TLogged* D = Shown.Add<TLogged>(Right, Rect(5, 30, 40, 45), Log, "d");
};

TEST(ControlFocus, ExitsRunUpTheOldChainAndEntersDownTheNewOne) {
    TTwoPanels t;
    t.A->SetFocus();
    EXPECT_EQ(t.Log, (TLog{"a setfocus", "left enter", "a enter"}));
    t.Log.clear();
    t.B->SetFocus();
    EXPECT_EQ(t.Log, (TLog{"a killfocus", "b setfocus", "a exit", "b enter"}));
    t.Log.clear();
    t.D->SetFocus();
    EXPECT_EQ(t.Log,
              (TLog{"b killfocus", "d setfocus", "b exit", "left exit", "right enter", "d enter"}));
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.D);
    EXPECT_TRUE(t.D->Focused());
    EXPECT_FALSE(t.B->Focused());
}

// The screen names the control with the focus, tells of each change once, and forgets a control
// that is freed.
TEST(ControlFocus, TheScreenFollowsTheFocus) {
    TTwoPanels t;
    int changes = 0;
    Screen().OnActiveControlChange = [&](TObject*) { ++changes; };
    t.A->SetFocus();
    EXPECT_EQ(Screen().ActiveControl(), t.A);
    t.D->SetFocus();
    EXPECT_EQ(Screen().ActiveControl(), t.D);
    EXPECT_EQ(changes, 2);
    const void* freed = t.D;
    delete t.D;
    EXPECT_NE(static_cast<const void*>(Screen().ActiveControl()), freed);
    // Also when the control's form is not the active one, so no focus moves.
    t.C->SetFocus();
    TShownForm other;
    auto* elsewhere = other.Add<TLogged>(other.Form, Rect(5, 5, 40, 20), t.Log, "elsewhere");
    elsewhere->SetFocus();
    Screen().SetActiveControl(t.C);  // as a form that was active leaves it
    freed = t.C;
    delete t.C;
    EXPECT_NE(static_cast<const void*>(Screen().ActiveControl()), freed);
    Screen().OnActiveControlChange = nullptr;
}

// A handler told of the new active control may free the form; the focus change stops there.
TEST(ControlFocus, AScreenHandlerThatFreesTheFormEndsTheChange) {
    TTwoPanels t;
    Screen().OnActiveControlChange = [&](TObject*) {
        if (Screen().ActiveControl() != t.D) return;
        delete std::exchange(t.Shown.Form, nullptr);
    };
    t.D->SetFocus();
    Screen().OnActiveControlChange = nullptr;
    EXPECT_EQ(t.Shown.Form, nullptr);
    EXPECT_EQ(Screen().ActiveControl(), nullptr);
}

TEST(ControlFocus, AHandlerThatMovesTheFocusAgainEndsTheRunItInterrupted) {
    TTwoPanels t;
    t.A->SetFocus();
    t.A->OnExit = [&](TObject*) { t.C->SetFocus(); };
    t.Log.clear();
    t.B->SetFocus();
    // B never hears it was entered: the focus went on to C from A's exit.
    EXPECT_EQ(t.Log, (TLog{"a killfocus", "b setfocus", "a exit", "b killfocus", "c setfocus",
                           "left exit", "right enter", "c enter"}));
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.C);
    EXPECT_TRUE(t.C->Focused());

    // An enter handler that moves the focus back where it came from settles there too.
    t.A->OnExit = nullptr;
    t.D->OnEnter = [&](TObject*) { t.C->SetFocus(); };
    t.D->SetFocus();
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.C);
    EXPECT_TRUE(t.C->Focused());
}

TEST(ControlFocus, HandlersMayFreeWhatTheFocusIsMovingBetween) {
    struct TCase {
        const char* Name;
        // Set on the way from B to D; frees something the move still has to reach.
        std::function<void(TTwoPanels&)> Arm;
        bool FormFreed;
    };
    const std::vector<TCase> cases = {
        {"the target freed as the old one exits",
         [](TTwoPanels& T) { T.B->OnExit = [&T](TObject*) { delete T.D; }; }, false},
        {"the target's panel freed as the old panel exits",
         [](TTwoPanels& T) { T.Left->OnExit = [&T](TObject*) { delete T.Right; }; }, false},
        {"the target freeing itself as it enters",
         [](TTwoPanels& T) { T.D->OnEnter = [&T](TObject*) { delete T.D; }; }, false},
        {"the old one freeing itself as it exits",
         [](TTwoPanels& T) { T.B->OnExit = [&T](TObject*) { delete T.B; }; }, false},
        {"the form freed as the new panel is entered",
         [](TTwoPanels& T) {
             // The handler goes with the form: it touches nothing after freeing it.
             T.Right->OnEnter = [&T](TObject*) { delete std::exchange(T.Shown.Form, nullptr); };
         },
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* t = new TTwoPanels;
        t->B->SetFocus();
        c.Arm(*t);
        t->D->SetFocus();
        if (c.FormFreed) {
            EXPECT_EQ(t->Shown.Form, nullptr);
        } else {
            // Whatever the focus settled on is there, and holds it.
            TWinControl* active = t->Shown.Form->ActiveControl();
            EXPECT_TRUE(active == nullptr ? t->Shown.Form->Focused() : active->Focused());
            t->Shown.Form->SelectNext(active, true, true);
        }
        delete t;
    }
}

TEST(ControlFocus, ASetFocusMessageSentDirectlyChangesOnlyTheLook) {
    TTwoPanels t;
    t.A->SetFocus();
    t.Log.clear();
    SendMessage(t.D->Handle(), WM_SETFOCUS, t.A->Handle(), 0);
    EXPECT_EQ(t.Log, (TLog{"d setfocus"}));
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.A);
    EXPECT_TRUE(t.A->Focused());
}

TEST(ControlFocus, ARefusedFocusIsReportedToTheCaller) {
    TTwoPanels t;
    TLog log;
    TShownForm other;
    auto* stranger = other.Add<TLogged>(other.Form, Rect(0, 0, 10, 10), log, "stranger");
    EXPECT_THROW(t.Shown.Form->SetActiveControl(stranger), EInvalidOperation);
    EXPECT_THROW(t.Shown.Form->SetActiveControl(t.Shown.Form), EInvalidOperation);

    struct TCase {
        const char* Name;
        std::function<void(TTwoPanels&)> Refuse;
    };
    const std::vector<TCase> cases = {
        {"hidden", [](TTwoPanels& T) { T.B->Hide(); }},
        {"disabled", [](TTwoPanels& T) { T.B->SetEnabled(false); }},
        {"parent hidden", [](TTwoPanels& T) { T.Left->Hide(); }},
        {"parent disabled", [](TTwoPanels& T) { T.Left->SetEnabled(false); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTwoPanels u;
        c.Refuse(u);
        EXPECT_FALSE(u.B->CanFocus());
        try {
            u.B->SetFocus();
            ADD_FAILURE() << "the focus was taken";
        } catch (const EInvalidOperation& e) {
            EXPECT_STREQ(e.what(), "Cannot focus a disabled or invisible window");
        }
        EXPECT_EQ(u.Shown.Form->ActiveControl(), nullptr);
    }

    // A control of a hidden form may become its active control, but the form cannot take the
    // focus until it shows.
    TForm* hidden = new TForm(nullptr);
    auto* inside = new TLogged(hidden, log, "inside");
    inside->SetParent(hidden);
    EXPECT_TRUE(inside->CanFocus());
    EXPECT_THROW(inside->SetFocus(), EInvalidOperation);
    EXPECT_EQ(hidden->ActiveControl(), inside);
    delete hidden;
}

TEST(ControlFocus, AFocusedControlThatGoesAwayHandsTheFocusToItsForm) {
    struct TCase {
        const char* Name;
        std::function<void(TTwoPanels&)> Remove;
        TLog Heard;  // after the form's window took the focus
    };
    const std::vector<TCase> cases = {
        {"hidden", [](TTwoPanels& T) { T.B->Hide(); }, {"b exit", "left exit"}},
        {"disabled", [](TTwoPanels& T) { T.B->SetEnabled(false); }, {"b exit", "left exit"}},
        {"parent hidden", [](TTwoPanels& T) { T.Left->Hide(); }, {"b exit", "left exit"}},
        // Leaving the form, a control hears nothing more; its parent still exits.
        {"freed", [](TTwoPanels& T) { delete T.B; }, {"left exit"}},
        {"taken off", [](TTwoPanels& T) { T.B->SetParent(nullptr); }, {"left exit"}},
        {"parent freed", [](TTwoPanels& T) { delete T.Left; }, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTwoPanels t;
        t.B->SetFocus();
        t.Log.clear();
        c.Remove(t);
        TLog heard;
        for (const std::string& line : t.Log)
            if (line.find("enter") != std::string::npos || line.find("exit") != std::string::npos)
                heard.push_back(line);
        EXPECT_EQ(heard, c.Heard);
        EXPECT_EQ(t.Shown.Form->ActiveControl(), nullptr);
        EXPECT_TRUE(t.Shown.Form->Focused());
        // The form goes on working: Tab finds the next stop.
        t.Shown.Form->SelectNext(nullptr, true, true);
        EXPECT_NE(t.Shown.Form->ActiveControl(), nullptr);
    }
}

TEST(ControlFocus, AnExitHandlerMayFreeTheControlThatIsHiddenOrDisabled) {
    struct TCase {
        const char* Name;
        std::function<void(TTwoPanels&)> Arm;
        std::function<void(TTwoPanels&)> TakeAway;
    };
    const std::vector<TCase> cases = {
        {"hidden, freeing itself",
         [](TTwoPanels& T) { T.B->OnExit = [&T](TObject*) { delete T.B; }; },
         [](TTwoPanels& T) { T.B->Hide(); }},
        {"disabled, freeing itself",
         [](TTwoPanels& T) { T.B->OnExit = [&T](TObject*) { delete T.B; }; },
         [](TTwoPanels& T) { T.B->SetEnabled(false); }},
        {"its panel hidden, freeing the panel",
         [](TTwoPanels& T) { T.Left->OnExit = [&T](TObject*) { delete T.Left; }; },
         [](TTwoPanels& T) { T.Left->Hide(); }},
        {"its panel disabled, freeing the panel",
         [](TTwoPanels& T) { T.Left->OnExit = [&T](TObject*) { delete T.Left; }; },
         [](TTwoPanels& T) { T.Left->SetEnabled(false); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTwoPanels t;
        t.B->SetFocus();
        c.Arm(t);
        c.TakeAway(t);
        EXPECT_EQ(t.Shown.Form->ActiveControl(), nullptr);
        EXPECT_TRUE(t.Shown.Form->Focused());
        t.Shown.Form->SelectNext(nullptr, true, true);
        EXPECT_TRUE(t.Shown.Form->ActiveControl()->Focused());
    }
}

TEST(ControlFocus, AnExitHandlerMayFreeThePanelOfAFocusedControlLeavingIt) {
    const std::vector<std::pair<const char*, std::function<void(TTwoPanels&)>>> cases = {
        // The panel goes while the control is still being freed: it is freed once.
        {"the control freed", [](TTwoPanels& T) { delete T.B; }},
        {"the control moved to the other panel", [](TTwoPanels& T) { T.B->SetParent(T.Right); }},
        {"the control taken off", [](TTwoPanels& T) { T.B->SetParent(nullptr); }},
    };
    for (const auto& [name, leave] : cases) {
        SCOPED_TRACE(name);
        TTwoPanels t;
        t.B->SetFocus();
        t.Left->OnExit = [&t](TObject*) { delete t.Left; };
        leave(t);
        EXPECT_EQ(t.Shown.Form->ActiveControl(), nullptr);
        EXPECT_TRUE(t.Shown.Form->Focused());
        t.Shown.Form->SelectNext(nullptr, true, true);
        EXPECT_EQ(t.Shown.Form->ActiveControl(), t.Right);
    }
}

TEST(ControlFocus, AnExitHandlerThatMovesAControlLeavingItsPanelHasTheLastWord) {
    const auto holds = [](TWinControl* Parent, TControl* Control) {
        int32_t found = 0;
        for (int32_t i = 0; i < Parent->ControlCount(); ++i)
            if (Parent->Controls(i) == Control) ++found;
        return found;
    };
    TTwoPanels t;
    t.B->SetFocus();
    // Taking B out of its panel runs the panel's exit, which moves B on first.
    t.Left->OnExit = [&t](TObject*) { t.B->SetParent(t.Right); };
    t.B->SetParent(t.Shown.Form);
    EXPECT_EQ(t.B->Parent(), t.Right);
    EXPECT_EQ(holds(t.Right, t.B), 1);
    EXPECT_EQ(holds(t.Shown.Form, t.B), 0);
    EXPECT_EQ(holds(t.Left, t.B), 0);
    EXPECT_TRUE(t.B->HandleAllocated());
}

// A tab stop whose window can be made again, as a change of window style does.
class TRemade : public TLogged {
public:
    using TLogged::TLogged;
    using TWinControl::RecreateWnd;
};

TEST(ControlFocus, TheFocusStaysWithAControlWhoseWindowIsMadeAgain) {
    for (bool panelRemade : {false, true}) {
        SCOPED_TRACE(panelRemade ? "its panel's window" : "its own window");
        TLog log;
        TShownForm shown;
        auto* panel = shown.Add<TRemade>(shown.Form, Rect(0, 0, 100, 100), log, "panel");
        auto* edit = shown.Add<TRemade>(panel, Rect(5, 5, 50, 20), log, "edit");
        edit->SetFocus();
        const HWND old = edit->Handle();
        (panelRemade ? panel : edit)->RecreateWnd();
        ASSERT_NE(edit->Handle(), old);
        EXPECT_TRUE(edit->Focused());
        EXPECT_EQ(shown.Form->ActiveControl(), edit);
        log.clear();
        test::TypeKey('A', 'a');
        EXPECT_EQ(log, (TLog{"edit keydown 65", "edit native key 65", "edit keypress a",
                             "edit native char a"}));
    }
}

TEST(ControlFocus, TheFormGivesTheFocusBackToItsActiveControl) {
    TTwoPanels t;
    t.C->SetFocus();
    vex::SetFocus(t.Shown.Form->Handle());
    EXPECT_TRUE(t.C->Focused());
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.C);

    // The dialog message moves the focus through the tab stops, or to a window it names.
    SendMessage(t.Shown.Form->Handle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.D);
    SendMessage(t.Shown.Form->Handle(), WM_NEXTDLGCTL, 1, 0);
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.C);
    SendMessage(t.Shown.Form->Handle(), WM_NEXTDLGCTL, t.A->Handle(), 1);
    EXPECT_EQ(t.Shown.Form->ActiveControl(), t.A);
}

}  // namespace
}  // namespace vex
