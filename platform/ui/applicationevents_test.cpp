#include "platform/ui/applicationevents.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/win/application.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

// A component that hooks an application event for as long as it lives.
struct THook {
    explicit THook(TSubscribers<TObject*>& Event)
        : Token(Event.Subscribe([this](TObject* Sender) { Senders.push_back(Sender); })) {}
    std::vector<TObject*> Senders;
    TSubscription Token;
};

TEST(ApplicationEvents, EachNotifyEventReachesItsHandlerAndItsSubscribersUntilTheyGo) {
    TApplicationEvents& events = ApplicationEvents();
    struct TCase {
        const char* Name;
        TNotifyEvent& Handler;
        TSubscribers<TObject*>& Subscribers;
        std::function<void()> Fire;
    };
    const std::vector<TCase> cases = {
        {"minimise", events.OnMinimize, events.MinimizeSubscribers, [&] { events.Minimized(); }},
        {"restore", events.OnRestore, events.RestoreSubscribers, [&] { events.Restored(); }},
        {"activate", events.OnActivate, events.ActivateSubscribers,
         [&] {
             events.SetActive(true);
             events.SetActive(true);  // every window says so; the change fires once
             events.SetActive(false);
         }},
        {"deactivate", events.OnDeactivate, events.DeactivateSubscribers,
         [&] {
             events.SetActive(true);
             events.SetActive(false);
             events.SetActive(false);
         }},
        {"hint", events.OnHint, events.HintSubscribers,
         [&] { events.SetHint(events.Hint() + "x"); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        int handled = 0;
        c.Handler = [&](TObject*) { ++handled; };
        auto hook = std::make_unique<THook>(c.Subscribers);
        c.Fire();
        EXPECT_EQ(hook->Senders, std::vector<TObject*>{&Application()});
        hook.reset();
        c.Fire();  // the freed hook is not called (AddressSanitizer would say so)
        EXPECT_EQ(handled, 2);
        c.Handler = nullptr;
    }
    events.SetHint("");
}

TEST(ApplicationEvents, ShowHintPassesItsChangesAlong) {
    TApplicationEvents& events = ApplicationEvents();
    events.OnShowHint = [](std::string& Text, bool&, THintInfo& Info) {
        Text += " (more)";
        Info.HintMaxWidth = 120;
    };
    std::string seen;
    TSubscription token = events.ShowHintSubscribers.Subscribe(
        [&](std::string& Text, bool& CanShow, THintInfo& Info) {
            seen = Text + " " + std::to_string(Info.HintMaxWidth);
            CanShow = false;
        });
    std::string text = "Check";
    bool canShow = true;
    THintInfo info;
    events.DoShowHint(text, canShow, info);
    EXPECT_EQ(seen, "Check (more) 120");
    EXPECT_FALSE(canShow);
    events.OnShowHint = nullptr;
}

TEST(ApplicationEvents, TheApplicationWindowIsThereHiddenBeforeAnyForm) {
    const HWND app = ApplicationEvents().Handle();
    EXPECT_TRUE(IsWindow(app));
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_EQ(GetWindowText(app), Application().Title());
    TForm form(nullptr);
    EXPECT_EQ(ApplicationEvents().Handle(), app);
}

TEST(ApplicationEvents, MinimizeAndRestoreTakeEveryShownFormAlong) {
    TApplicationEvents& events = ApplicationEvents();
    TForm a(nullptr), b(nullptr), hidden(nullptr);
    a.Show();
    b.Show();
    SetActiveWindow(a.Handle());
    std::vector<std::string> said;
    events.OnMinimize = [&](TObject*) { said.push_back("minimize"); };
    events.OnRestore = [&](TObject*) { said.push_back("restore"); };
    events.Minimize();
    events.Minimize();  // once is enough
    EXPECT_TRUE(IsIconic(a.Handle()));
    EXPECT_TRUE(IsIconic(b.Handle()));
    events.Restore();
    EXPECT_FALSE(IsIconic(a.Handle()));
    EXPECT_FALSE(IsIconic(b.Handle()));
    EXPECT_FALSE(hidden.HandleAllocated() && IsWindowVisible(hidden.Handle()));
    EXPECT_EQ(GetActiveWindow(), a.Handle());
    EXPECT_EQ(said, std::vector<std::string>({"minimize", "restore"}));
    events.OnMinimize = nullptr;
    events.OnRestore = nullptr;
}

TEST(ApplicationEvents, RestoreLeavesHiddenAFormHiddenWhileMinimised) {
    TApplicationEvents& events = ApplicationEvents();
    TForm main(nullptr), dialog(nullptr);
    main.Show();
    dialog.Show();
    events.Minimize();
    dialog.Hide();  // a modal run ended meanwhile
    events.Restore();
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(GetActiveWindow(), main.Handle()) << "not the hidden one active before";
}

TEST(ApplicationEvents, NormalizeTopMostsNestsAndRestoresTheBand) {
    TApplicationEvents& events = ApplicationEvents();
    TForm onTop(nullptr), plain(nullptr);
    onTop.SetFormStyle(fsStayOnTop);
    onTop.Show();
    plain.Show();
    const auto topMost = [&] {
        return (GetWindowLong(onTop.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_TRUE(topMost());
    events.NormalizeTopMosts();
    events.NormalizeTopMosts();
    EXPECT_FALSE(topMost());
    events.RestoreTopMosts();
    EXPECT_FALSE(topMost()) << "the outer call still holds";
    events.RestoreTopMosts();
    EXPECT_TRUE(topMost());
    events.RestoreTopMosts();  // one too many changes nothing
    EXPECT_TRUE(topMost());
}

TEST(ApplicationEvents, ClosingTheMainFormEndsTheApplication) {
    TApplicationEvents& events = ApplicationEvents();
    auto* main = events.CreateForm<TForm>(nullptr);
    auto* other = events.CreateForm<TForm>(nullptr);
    ASSERT_EQ(events.MainForm(), main);
    other->Show();
    other->Close();
    MSG msg;
    EXPECT_FALSE(PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    main->Show();
    main->Close();
    EXPECT_TRUE(main->Visible()) << "the application ends instead";
    EXPECT_TRUE(PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    delete other;
    delete main;
    EXPECT_EQ(events.MainForm(), nullptr);
}

}  // namespace
}  // namespace vex
