#include "platform/ui/subscriptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vex {
namespace {

// A component-like subscriber: it subscribes when made and holds its token as a member.
struct TListener {
    TListener(TSubscribers<std::string&>& Source, std::vector<std::string>& Log, std::string Name)
        : Token(Source.Subscribe([&Log, Name](std::string& Text) {
              Log.push_back(Name + ":" + Text);
              Text += "+" + Name;
          })) {}
    TSubscription Token;
};

TEST(Subscriptions, AFreedSubscriberIsNeverCalled) {
    TSubscribers<std::string&> event;
    std::vector<std::string> log;
    auto first = std::make_unique<TListener>(event, log, "a");
    auto second = std::make_unique<TListener>(event, log, "b");
    std::string text = "x";
    event.Notify(text);
    EXPECT_EQ(text, "x+a+b") << "each handler sees what the one before it did";
    first.reset();
    text = "y";
    event.Notify(text);
    second.reset();
    event.Notify(text);
    EXPECT_EQ(log, (std::vector<std::string>{"a:x", "b:x+a", "b:y"}));
    EXPECT_TRUE(event.Empty());
}

TEST(Subscriptions, HandlersMayChangeTheListWhileItIsCalled) {
    TSubscribers<> event;
    std::vector<std::string> log;
    TSubscription a, b, c, late;
    a = event.Subscribe([&] {
        log.push_back("a");
        b.Unsubscribe();
        if (log.size() == 1) late = event.Subscribe([&] { log.push_back("late"); });
    });
    b = event.Subscribe([&] { log.push_back("b"); });
    c = event.Subscribe([&] {
        log.push_back("c");
        c.Unsubscribe();  // a handler ending its own subscription while it runs
    });
    event.Notify();
    event.Notify();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c", "a", "late"}));
}

TEST(Subscriptions, NothingMoreIsCalledOnceTheSourceIsFreed) {
    auto event = std::make_unique<TSubscribers<>>();
    int calls = 0;
    TSubscription first = event->Subscribe([&] {
        ++calls;
        event.reset();
    });
    TSubscription second = event->Subscribe([&] { ++calls; });
    event->Notify();
    EXPECT_EQ(calls, 1);
    first.Unsubscribe();  // the source is gone: the tokens do nothing
}

TEST(Subscriptions, AMovedTokenKeepsTheSubscription) {
    TSubscribers<int> event;
    int sum = 0;
    TSubscription kept;
    {
        TSubscription token = event.Subscribe([&](int V) { sum += V; });
        kept = std::move(token);
    }
    event.Notify(2);
    kept = TSubscription();
    event.Notify(5);
    EXPECT_EQ(sum, 2);
}

}  // namespace
}  // namespace vex
