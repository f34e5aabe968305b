#include "platform/ui/wincontrol.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/nonclient.h"
#include "platform/win/scrollbars.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

// A windowed control that opens what tests need of its protected side, notes the framework
// messages it gets, and may answer some itself.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner) : TWinControl(AOwner) {
        FControlStyle.Include(csAcceptsControls);
    }
    using TWinControl::RecreateWnd;

    void WndProc(TMessage& Message) override {
        if (Message.Msg >= CN_BASE) Seen.push_back(Message);
        if (Message.Msg == CM_SHOWINGCHANGED) ShowingChanges.push_back(Showing());
        if (Answer && Answer(Message)) return;
        TWinControl::WndProc(Message);
    }

    std::vector<TMessage> Seen;
    std::vector<bool> ShowingChanges;
    // Takes the message when it answers true, before the framework does.
    std::function<bool(TMessage&)> Answer;
};

using test::TShownForm;

TRect WindowBoundsInParent(HWND Wnd) {
    TRect r;
    GetWindowRect(Wnd, r);
    MapWindowPoints(0, GetParent(Wnd), r);
    return r;
}

TEST(WindowedControls, MakeTheirWindowsWhenFirstNeeded) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* inner = new TPanel(&form);
    inner->SetParent(panel);
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_FALSE(inner->HandleAllocated());

    const HWND innerWnd = inner->Handle();
    EXPECT_FALSE(form.Showing());
    EXPECT_FALSE(panel->Showing());
    EXPECT_TRUE(form.HandleAllocated()) << "a window needs its parents' windows";
    EXPECT_EQ(GetParent(innerWnd), panel->Handle());
    EXPECT_EQ(GetParent(panel->Handle()), form.Handle());
    EXPECT_EQ(FindControl(innerWnd), inner);
    EXPECT_EQ(GetClassName(form.Handle()), "TForm");
    EXPECT_FALSE(inner->Showing());

    form.Show();
    EXPECT_TRUE(form.Showing());
    EXPECT_TRUE(inner->Showing());
    EXPECT_TRUE(IsWindowVisible(innerWnd));
    panel->Hide();
    EXPECT_FALSE(inner->Showing());
    EXPECT_FALSE(IsWindowVisible(innerWnd));
    EXPECT_EQ(inner->ShowingChanges, (std::vector<bool>{true, false}));

    delete inner;
    EXPECT_FALSE(IsWindow(innerWnd));
    EXPECT_EQ(FindControl(innerWnd), nullptr);
}

TEST(WindowedControls, OnlyAFormStandsWithoutAParent) {
    TPanel lone(nullptr);
    EXPECT_THROW(lone.HandleNeeded(), EInvalidOperation);
    lone.Show();
    EXPECT_FALSE(lone.HandleAllocated());
}

// What a control keeps of its window is what the next window starts with.
TEST(WindowedControls, KeepTheirStateWhenTheWindowIsMadeAgain) {
    TShownForm shown;
    auto* panel = shown.Add<TPanel>(shown.Form, Rect(5, 6, 105, 86));
    panel->SetText("Kept");
    panel->SetTabStop(true);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 30;
    SetScrollInfo(panel->Handle(), SB_VERT, info, true);
    EnableScrollBar(panel->Handle(), SB_VERT, ESB_DISABLE_LTUP);
    panel->SetBounds(7, 8, 90, 70);
    panel->SetEnabled(false);
    const TRect client = panel->ClientRect();

    const HWND old = panel->Handle();
    panel->RecreateWnd();
    const HWND wnd = panel->Handle();
    ASSERT_NE(wnd, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(FindControl(wnd), panel);
    EXPECT_EQ(GetWindowText(wnd), "Kept");
    EXPECT_EQ(WindowBoundsInParent(wnd), Rect(7, 8, 97, 78));
    EXPECT_EQ(panel->ClientRect(), client) << "the scroll bar still narrows the client area";
    EXPECT_FALSE(IsWindowEnabled(wnd));
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_NE(GetWindowLong(wnd, GWL_STYLE) & WS_TABSTOP, 0);
    SCROLLINFO after;
    after.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(wnd, SB_VERT, after));
    EXPECT_EQ(after.nMax, 99);
    EXPECT_EQ(after.nPage, 10u);
    EXPECT_EQ(after.nPos, 30);
    TScrollBarState state;
    ASSERT_TRUE(GetScrollBarState(wnd, SB_VERT, state));
    EXPECT_TRUE(state.Visible);
    EXPECT_EQ(state.DisabledArrows, ESB_DISABLE_LTUP);
}

// A native procedure of a class the control is made of, and a control in front of it.
class TOnNative : public TPanel {
public:
    using TPanel::TPanel;
    std::vector<UINT> Native;

protected:
    void CreateParams(TCreateParams& Params) override {
        TPanel::CreateParams(Params);
        Params.WinClassName = "TOnNative";
        Params.WindowClass.lpfnWndProc = [this](HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
            if (Msg >= WM_USER) Native.push_back(Msg);
            return Msg == WM_USER + 5 ? LRESULT{7} : DefWindowProc(Wnd, Msg, W, L);
        };
    }
};

TEST(WindowedControls, SeeMessagesBeforeTheNativeProcedureOfTheirClass) {
    TShownForm shown;
    auto* control = new TOnNative(shown.Form);
    control->Answer = [](TMessage& M) {
        if (M.Msg != WM_USER + 1) return false;
        M.Result = 42;
        return true;
    };
    EXPECT_EQ(control->Perform(WM_USER + 5, 0, 0), 0) << "no window, no native procedure";
    control->SetParent(shown.Form);
    const HWND wnd = control->Handle();
    EXPECT_EQ(SendMessage(wnd, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(SendMessage(wnd, WM_USER + 5, 0, 0), 7);
    EXPECT_EQ(control->Perform(WM_USER + 5, 0, 0), 7);
    EXPECT_EQ(control->Native, (std::vector<UINT>{WM_USER + 5, WM_USER + 5}));
}

TEST(WindowedControls, HandTheNotificationsOfTheirChildWindowsToThem) {
    TShownForm shown;
    auto* panel = shown.Add<TPanel>(shown.Form, Rect(0, 0, 50, 50));
    panel->Answer = [](TMessage& M) {
        if (M.Msg != CN_KEYDOWN && M.Msg != CN_COMMAND) return false;
        M.Result = M.Msg == CN_KEYDOWN ? 1 : 9;
        return true;
    };
    const HWND wnd = panel->Handle();
    const HWND form = shown.Form->Handle();
    EXPECT_EQ(SendMessage(form, WM_COMMAND, MAKELONG(3, 4), static_cast<LPARAM>(wnd)), 9);
    NMHDR header{wnd, 3, 77};
    SendMessage(form, WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&header));
    SendMessage(form, WM_VSCROLL, 2, static_cast<LPARAM>(wnd));
    SendMessage(form, WM_COMMAND, 1, 0);  // a menu command: no child window to tell

    // A key for a window inside the control without one of its own reaches the control.
    const HWND raw = CreateWindowEx(0, "TWinControl", "", WS_CHILD, 0, 0, 5, 5, wnd, 0, 0);
    EXPECT_TRUE(IsKeyMsg(MSG{raw, WM_KEYDOWN, 65, 0, 0}));
    EXPECT_FALSE(IsKeyMsg(MSG{wnd, WM_TIMER, 0, 0, 0}));
    DestroyWindow(raw);

    std::vector<UINT> seen;
    for (const TMessage& m : panel->Seen)
        seen.push_back(m.Msg);
    EXPECT_EQ(seen, (std::vector<UINT>{CN_COMMAND, CN_NOTIFY, CN_VSCROLL, CN_KEYDOWN}));
    EXPECT_EQ(panel->Seen[0].WParam, static_cast<WPARAM>(MAKELONG(3, 4)));
    EXPECT_EQ(reinterpret_cast<const NMHDR*>(panel->Seen[1].LParam)->code, 77u);
}

TEST(WindowedControls, FollowTheirWindowsBoundsAndAlignInTheirClientArea) {
    TShownForm shown;
    auto* client = shown.Add<TPanel>(shown.Form, Rect(0, 0, 10, 10));
    client->SetAlign(alClient);
    auto* bar = shown.Add<TPanel>(shown.Form, Rect(0, 0, 10, 25));
    bar->SetAlign(alTop);
    TRect formClient;
    GetClientRect(shown.Form->Handle(), formClient);
    EXPECT_EQ(shown.Form->ClientRect(), formClient);
    EXPECT_EQ(ClientInside(Rect(0, 0, 200, 150), WS_OVERLAPPEDWINDOW, 0).Right -
                  ClientInside(Rect(0, 0, 200, 150), WS_OVERLAPPEDWINDOW, 0).Left,
              formClient.Right);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, formClient.Right, 25));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 25, formClient.Right, formClient.Bottom));
    EXPECT_EQ(WindowBoundsInParent(client->Handle()), client->BoundsRect());

    // Moved by the window tree, as the display moves a window: the controls follow.
    MoveWindow(shown.Form->Handle(), 30, 40, 300, 200, true);
    EXPECT_EQ(shown.Form->BoundsRect(), Rect(30, 40, 330, 240));
    GetClientRect(shown.Form->Handle(), formClient);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 25, formClient.Right, formClient.Bottom));
    const TPoint origin = client->ClientOrigin();
    TPoint expected{0, 0};
    ClientToScreen(client->Handle(), expected);
    EXPECT_EQ(origin, expected);
}

// A control leaving its parent leaves its window behind; under its new parent it gets a new one
// as it was.
TEST(WindowedControls, GetANewWindowUnderANewParent) {
    TShownForm shown;
    auto* left = shown.Add<TPanel>(shown.Form, Rect(0, 0, 50, 50));
    auto* right = shown.Add<TPanel>(shown.Form, Rect(50, 0, 100, 50));
    auto* moved = shown.Add<TPanel>(left, Rect(5, 5, 20, 20));
    moved->SetText("moved");
    const HWND old = moved->Handle();
    moved->SetParent(nullptr);
    EXPECT_FALSE(moved->HandleAllocated());
    EXPECT_FALSE(IsWindow(old));
    moved->SetParent(right);
    const HWND wnd = moved->Handle();
    EXPECT_EQ(GetParent(wnd), right->Handle());
    EXPECT_EQ(WindowBoundsInParent(wnd), Rect(5, 5, 20, 20));
    EXPECT_EQ(GetWindowText(wnd), "moved");
    EXPECT_TRUE(IsWindowVisible(wnd));
    moved->SetParent(left);
    EXPECT_EQ(GetParent(moved->Handle()), left->Handle());
}

TEST(WindowedControls, SurviveFreeingThemselvesInAHandler) {
    TShownForm shown;
    auto* panel = shown.Add<TPanel>(shown.Form, Rect(0, 0, 50, 50));
    auto* sibling = shown.Add<TPanel>(shown.Form, Rect(0, 50, 50, 100));
    const HWND wnd = panel->Handle();
    panel->Answer = [panel, sibling](TMessage& M) {
        if (M.Msg != CN_COMMAND) return false;
        delete sibling;
        delete panel;
        return true;
    };
    SendMessage(shown.Form->Handle(), WM_COMMAND, 0, static_cast<LPARAM>(wnd));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(shown.Form->ControlCount(), 0);
}

// Handlers that free their form, their control or its parent while the framework shows, hides or
// resizes windows: whoever is freed goes, and nothing touches it after.
TEST(WindowedControls, MayBeFreedInTheHandlersOfShowingAndResizing) {
    struct TCase {
        const char* Name;
        std::function<void(TForm*& Form)> Act;
    };
    // Frees Victim (nil: the form) when Panel hears of a change of its showing.
    const auto freeOnShowing = [](TForm*& Form, TPanel* Panel, TControl* Victim) {
        Panel->Answer = [&Form, Victim](TMessage& M) {
            if (M.Msg != CM_SHOWINGCHANGED) return false;
            delete (Victim != nullptr ? Victim : std::exchange(Form, nullptr));
            return true;
        };
    };
    const auto panelOn = [](TWinControl* Parent, TRect Bounds) {
        auto* panel = new TPanel(Parent);
        panel->SetBoundsRect(Bounds);
        panel->SetParent(Parent);
        return panel;
    };
    const std::vector<TCase> cases = {
        {"form freed by its OnShow",
         [](TForm*& F) {
             F->OnShow = [&F](TObject*) { delete std::exchange(F, nullptr); };
             F->Show();
         }},
        {"form freed by the OnResize of its first window",
         [](TForm*& F) {
             F->OnResize = [&F](TObject*) { delete std::exchange(F, nullptr); };
             F->Show();
         }},
        {"a panel frees itself as the form hides",
         [&](TForm*& F) {
             F->Show();
             TPanel* panel = panelOn(F, Rect(0, 0, 10, 10));
             panelOn(F, Rect(0, 20, 10, 30));
             freeOnShowing(F, panel, panel);
             F->Hide();
             EXPECT_EQ(F->ControlCount(), 1);
         }},
        {"an inner panel frees its parent as that hides",
         [&](TForm*& F) {
             F->Show();
             TPanel* outer = panelOn(F, Rect(0, 0, 50, 50));
             freeOnShowing(F, panelOn(outer, Rect(0, 0, 5, 5)), outer);
             outer->Hide();
             EXPECT_EQ(F->ControlCount(), 0);
         }},
        {"a panel frees the form as the form hides",
         [&](TForm*& F) {
             F->Show();
             freeOnShowing(F, panelOn(F, Rect(0, 0, 10, 10)), nullptr);
             F->Hide();
         }},
        {"an aligned child's resize frees its windowed parent",
         [&](TForm*& F) {
             F->Show();
             TPanel* panel = panelOn(F, Rect(0, 0, 100, 100));
             auto* inner = panelOn(panel, Rect(0, 0, 10, 10));
             inner->SetAlign(alClient);
             inner->OnResize = [panel](TObject*) { delete panel; };
             panel->SetBounds(0, 0, 50, 50);
             EXPECT_EQ(F->ControlCount(), 0);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* form = new TForm(nullptr);
        c.Act(form);
        test::PumpUntilIdle();
        delete form;
    }
}

TEST(Forms, CloseDoesWhatTheHandlersChoose) {
    struct TCase {
        const char* Name;
        TCloseAction Action;
        std::function<void(TForm&)> Check;
    };
    const std::vector<TCase> cases = {
        {"hide", caHide, [](TForm& F) { EXPECT_FALSE(F.Visible()); }},
        {"nothing", caNone, [](TForm& F) { EXPECT_TRUE(F.Showing()); }},
        {"minimise", caMinimize, [](TForm& F) { EXPECT_TRUE(IsIconic(F.Handle())); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TShownForm shown;
        std::vector<std::string> log;
        shown.Form->OnClose = [&](TObject*, TCloseAction& Action) {
            log.push_back(Action == caHide ? "handler saw hide" : "?");
            Action = caMinimize;
        };
        TSubscription token =
            shown.Form->CloseSubscribers.Subscribe([&](TObject*, TCloseAction& Action) {
                log.push_back(Action == caMinimize ? "subscriber saw minimise" : "?");
                Action = c.Action;
            });
        // The display's close button posts WM_CLOSE.
        PostMessage(shown.Form->Handle(), WM_CLOSE, 0, 0);
        test::PumpUntilIdle();
        EXPECT_EQ(log, (std::vector<std::string>{"handler saw hide", "subscriber saw minimise"}));
        c.Check(*shown.Form);
    }
}

TEST(Forms, ReleaseFreesTheFormAfterTheMessagesWaiting) {
    auto* form = new TForm(nullptr);
    form->Show();
    const std::weak_ptr<const void> life = form->LifeToken();
    form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    form->Close();
    EXPECT_FALSE(life.expired());
    test::PumpUntilIdle();
    EXPECT_TRUE(life.expired());
}

// A component that hooks every form event for as long as it lives.
struct TFormHook {
    explicit TFormHook(TCustomForm& Form)
        : Close(Form.CloseSubscribers.Subscribe([this](TObject*, TCloseAction&) { ++Calls; })),
          Show(Form.ShowSubscribers.Subscribe([this](TObject*) { ++Calls; })),
          Resize(Form.ResizeSubscribers.Subscribe([this](TObject*) { ++Calls; })) {}
    int Calls = 0;
    TSubscription Close, Show, Resize;
};

TEST(Forms, SubscribersAreCalledUntilTheyGo) {
    TForm form(nullptr);
    int shows = 0, resizes = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.OnResize = [&](TObject*) { ++resizes; };
    auto hook = std::make_unique<TFormHook>(form);
    form.Show();  // the new window's first WM_SIZE resizes it too
    form.SetWidth(250);
    form.Close();
    EXPECT_EQ(hook->Calls, 4);
    hook.reset();
    form.Show();
    form.SetWidth(260);
    form.Close();  // the freed hook is not called (AddressSanitizer would say so)
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(resizes, 3);
}

TEST(Forms, AreFoundFromAnyControlInside) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* label = new TControl(&form);
    label->SetParent(panel);
    EXPECT_EQ(GetParentForm(label), &form);
    EXPECT_EQ(GetParentForm(&form), &form);
    label->SetParent(nullptr);
    EXPECT_EQ(GetParentForm(label), nullptr);
    delete label;
}

}  // namespace
}  // namespace vex
