#include "platform/win/timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/win/application.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

class TimerTest : public ::testing::Test {
protected:
    // Pumps until the condition holds or a virtual minute has passed.
    void RunFor(const std::function<bool()>& Condition) {
        ProcessMessagesUntil(Condition, Clock.TickMilliseconds() + 60000);
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
};

TEST_F(TimerTest, FiresEveryIntervalWhileEnabledWithANonZeroInterval) {
    TTimer timer(nullptr);
    timer.SetInterval(250);
    std::vector<int64_t> ticks;
    timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        ticks.push_back(Clock.TickMilliseconds());
    };
    RunFor([&] { return ticks.size() == 3; });
    EXPECT_EQ(ticks, std::vector<int64_t>({250, 500, 750}));

    timer.SetEnabled(false);
    ProcessMessagesUntil([] { return false; }, 5000);
    timer.SetEnabled(true);
    timer.SetInterval(0);
    ProcessMessagesUntil([] { return false; }, 10000);
    EXPECT_EQ(ticks.size(), 3u);
    // A new interval counts from the moment it is set.
    timer.SetInterval(2000);
    RunFor([&] { return ticks.size() == 4; });
    EXPECT_EQ(ticks.back(), 12000);
}

TEST_F(TimerTest, TheHandlerMayDisableReenableOrFreeItsOwnTimer) {
    TTimer timer(nullptr);
    timer.SetInterval(100);
    int fired = 0;
    timer.OnTimer = [&](TObject*) {
        ++fired;
        timer.SetEnabled(false);
        if (fired < 3) timer.SetEnabled(true);
    };
    ProcessMessagesUntil([] { return false; }, 10000);
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(timer.Enabled());

    // Or free it.
    auto* owner = new TComponent(nullptr);
    auto* freed = new TTimer(owner);
    fired = 0;
    std::string captured = "kept alive by the handler's copy";
    freed->OnTimer = [&, captured](TObject*) {
        ++fired;
        delete freed;
        EXPECT_EQ(captured, "kept alive by the handler's copy");
    };
    ProcessMessagesUntil([] { return false; }, 15000);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(owner->ComponentCount(), 0);
    delete owner;
}

TEST_F(TimerTest, AnExceptionFromTheHandlerIsShownWithTheTitleOrGivenToOnException) {
    std::vector<std::string> shown;
    TMessageBoxOverride sink(
        [&](HWND, const std::string& Text, const std::string& Caption, UINT Type) {
            EXPECT_EQ(Type, MB_OK | MB_ICONSTOP);
            shown.push_back(Caption + "|" + Text);
            return IDOK;
        });
    Application().SetTitle("Vexbane");
    TTimer timer(nullptr);
    int fired = 0;
    timer.OnTimer = [&](TObject*) {
        ++fired;
        if (fired == 1) throw EConvertError("Bad number");
        if (fired == 2) throw EAbort("silent");
        if (fired == 3) throw Exception("Already ends with a stop.");
        if (fired == 4) throw Exception("Ends in a bracket (sic)");
        throw std::runtime_error("Connection refused");
    };
    RunFor([&] { return fired == 4; });
    std::string seen;
    Application().OnException = [&](TObject*, const std::exception& E) { seen = E.what(); };
    RunFor([&] { return fired == 5; });
    Application().OnException = nullptr;
    EXPECT_EQ(seen, "Connection refused");
    EXPECT_EQ(shown,
              std::vector<std::string>({"Vexbane|Bad number.", "Vexbane|Already ends with a stop.",
                                        "Vexbane|Ends in a bracket (sic)"}));
}

TEST(Application, RunHandlesMessagesUntilTerminatedAndCallsOnIdleBeforeSleeping) {
    TVirtualClock clock;
    TClockOverride use(clock);
    TApplication app(nullptr);
    TTimer timer(nullptr);
    timer.SetInterval(1000);
    int ticks = 0, idles = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 3) app.Terminate();
    };
    app.OnIdle = [&](TObject*, bool& Done) {
        ++idles;
        EXPECT_TRUE(Done);
    };
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(idles, 3);
}

}  // namespace
}  // namespace vex
