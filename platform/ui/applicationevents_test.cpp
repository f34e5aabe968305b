#include "platform/ui/applicationevents.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/application.h"

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

}  // namespace
}  // namespace vex
