#include "components/entry/OvcTimer.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "platform/core/exceptions.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

// Records the tick of every timer message, which shows the period the pool chose, and lets a
// test run a pass at a tick of its choosing.
class TProbePool : public TOvcTimerPool {
public:
    using TOvcTimerPool::TOvcTimerPool;

    void FireTriggers() override {
        Ticks.push_back(Clock().TickMilliseconds());
        TOvcTimerPool::FireTriggers();
    }

    std::vector<int64_t> Ticks;
};

class OvcTimerPool : public ::testing::Test {
protected:
    // Dispatches everything due up to and including Tick.
    void RunThrough(int64_t Tick) {
        ProcessMessagesUntil([] { return false; }, Tick + 1);
    }
    // Pumps until Condition holds; a virtual day is the watchdog.
    void RunUntil(const std::function<bool()>& Condition) {
        ASSERT_EQ(ProcessMessagesUntil(Condition, Clock.TickMilliseconds() + 86400000),
                  TWaitResult::Condition);
    }

    // Logs "tick:handle" for every trigger the pool fires.
    void LogAll(TOvcTimerPool& Pool) {
        Pool.OnAllTriggers = [this](TObject*, int32_t Handle, uint16_t, int32_t) {
            Log.push_back(std::to_string(Clock.TickMilliseconds()) + ":" + std::to_string(Handle));
        };
    }

    TVirtualClock Clock{1};
    TClockOverride Use{Clock};
    std::vector<std::string> Log;
};

using Strings = std::vector<std::string>;

TEST_F(OvcTimerPool, HandlesStartAtZeroAndGoOnFromTheGreatestPresent) {
    TOvcTimerPool pool(nullptr);
    EXPECT_EQ(pool.Add(nullptr, 1000), 0);
    EXPECT_EQ(pool.Add(nullptr, 500), 1);
    EXPECT_EQ(pool.Add(nullptr, 2000), 2);
    pool.Remove(2);
    EXPECT_EQ(pool.Add(nullptr, 1000), 2);  // the greatest number is free again
    pool.Remove(0);
    EXPECT_EQ(pool.Add(nullptr, 1000), 3);  // a gap below the greatest is not
    for (int32_t handle : {1, 2, 3})
        pool.Remove(handle);
    EXPECT_EQ(pool.Add(nullptr, 1000), 0);
}

TEST_F(OvcTimerPool, UnknownHandlesRaiseInGetAndSetChangeNothingAndAreIgnoredByRemove) {
    TOvcTimerPool pool(nullptr);
    LogAll(pool);
    pool.Add(nullptr, 1000);
    pool.Add(nullptr, 1000);
    pool.Add(nullptr, 1000);
    pool.Remove(1);
    for (int32_t unknown : {-1, 1, 3}) {
        SCOPED_TRACE(unknown);
        try {
            pool.GetTriggerEnabled(unknown);
            ADD_FAILURE() << "GetTriggerEnabled accepted the handle";
        } catch (const EInvalidTriggerHandle& e) {
            EXPECT_EQ(e.Message(), "Invalid trigger handle");
        }
        EXPECT_THROW(pool.SetTriggerEnabled(unknown, false), EInvalidTriggerHandle);
        EXPECT_NO_THROW(pool.Remove(unknown));
    }
    EXPECT_TRUE(pool.GetTriggerEnabled(0));
    EXPECT_TRUE(pool.GetTriggerEnabled(2));
    RunThrough(1000);
    EXPECT_EQ(Log, Strings({"1000:0", "1000:2"}));
}

TEST_F(OvcTimerPool, TheApplicationsTriggersShareA500msTimerAndFireShortestFirst) {
    TProbePool pool(nullptr);
    LogAll(pool);
    const int32_t minute = pool.Add(nullptr, 60000);
    const int32_t splash = pool.Add(nullptr, 1500);
    const int32_t banner = pool.Add(nullptr, 1000);
    RunThrough(60000);

    ASSERT_EQ(pool.Ticks.size(), 120u);
    for (size_t i = 0; i < pool.Ticks.size(); ++i)
        EXPECT_EQ(pool.Ticks[i], 500 * int64_t(i + 1));
    const auto at = [&](int32_t Tick, int32_t Handle) {
        return std::to_string(Tick) + ":" + std::to_string(Handle);
    };
    EXPECT_EQ(Strings(Log.begin(), Log.begin() + 4),
              Strings({at(1000, banner), at(1500, splash), at(2000, banner), at(3000, banner)}));
    EXPECT_EQ(Log[4], at(3000, splash));
    EXPECT_EQ(Strings(Log.end() - 3, Log.end()),
              Strings({at(60000, banner), at(60000, splash), at(60000, minute)}));
}

TEST_F(OvcTimerPool, IntervalsBelow55msRunA55msTimerAndFireOnEveryTick) {
    for (uint16_t interval : {0, 1, 30, 54}) {
        SCOPED_TRACE(interval);
        const int64_t start = Clock.TickMilliseconds();
        TProbePool pool(nullptr);
        std::vector<int64_t> fired;
        pool.Add([&](TObject*, int32_t, uint16_t,
                     int32_t) { fired.push_back(Clock.TickMilliseconds()); },
                 interval);
        RunThrough(start + 165);
        const std::vector<int64_t> expected{start + 55, start + 110, start + 165};
        EXPECT_EQ(pool.Ticks, expected);
        EXPECT_EQ(fired, expected);
    }
}

TEST_F(OvcTimerPool, ATriggerFiresUpTo27msEarly) {
    TProbePool pool(nullptr);
    std::vector<int32_t> elapsed;
    pool.Add([&](TObject*, int32_t, uint16_t, int32_t Elapsed) { elapsed.push_back(Elapsed); },
             1000);
    Clock.SetTickMilliseconds(972);
    pool.FireTriggers();
    EXPECT_TRUE(elapsed.empty());
    Clock.SetTickMilliseconds(973);
    pool.FireTriggers();
    EXPECT_EQ(elapsed, std::vector<int32_t>({973}));
}

TEST_F(OvcTimerPool, ElapsedTimeCountsFromAddAcrossFirings) {
    Clock.Advance(300);
    TOvcTimerPool pool(nullptr);
    Strings seen;
    pool.Add(
        [&](TObject* Sender, int32_t Handle, uint16_t Interval, int32_t Elapsed) {
            EXPECT_EQ(Sender, &pool);
            EXPECT_EQ(Handle, 0);
            EXPECT_EQ(Interval, 1000);
            seen.push_back(std::to_string(Clock.TickMilliseconds()) + "+" +
                           std::to_string(Elapsed));
        },
        1000);
    RunUntil([&] { return seen.size() == 3; });
    EXPECT_EQ(seen, Strings({"1300+1000", "2300+2000", "3300+3000"}));
}

TEST_F(OvcTimerPool, ATickCountWrapDoesNotDisturbTheTriggers) {
    const int64_t start = (int64_t{1} << 32) - 250;
    Clock.SetTickMilliseconds(start);
    TOvcTimerPool pool(nullptr);
    Strings seen;
    pool.Add(
        [&](TObject*, int32_t, uint16_t, int32_t Elapsed) {
            seen.push_back(std::to_string(Clock.TickMilliseconds() - start) + "+" +
                           std::to_string(Elapsed));
        },
        1000);
    RunUntil([&] { return seen.size() == 2; });
    EXPECT_EQ(seen, Strings({"1000+1000", "2000+2000"}));
}

TEST_F(OvcTimerPool, DisablingTheLastTriggerStopsTheTimerAndAnOverdueTriggerFiresOnEnabling) {
    TProbePool pool(nullptr);
    std::vector<int64_t> fired;
    int32_t handle = -1;
    handle = pool.Add(
        [&](TObject*, int32_t, uint16_t, int32_t) {
            fired.push_back(Clock.TickMilliseconds());
            if (fired.size() == 1) pool.SetTriggerEnabled(handle, false);
        },
        1000);
    RunThrough(5000);
    EXPECT_EQ(fired, std::vector<int64_t>({1000}));
    EXPECT_EQ(pool.Ticks, std::vector<int64_t>({1000}));
    EXPECT_FALSE(pool.GetTriggerEnabled(handle));

    const int64_t enabledAt = Clock.TickMilliseconds();
    pool.SetTriggerEnabled(handle, true);
    RunUntil([&] { return fired.size() == 2; });
    EXPECT_EQ(fired[1], enabledAt + 55);
}

TEST_F(OvcTimerPool, EnabledTriggersOfTheLongestIntervalStillFire) {
    TProbePool pool(nullptr);
    LogAll(pool);
    pool.Add(nullptr, 65535);
    pool.Add(nullptr, 65535);
    RunUntil([&] { return Log.size() == 2; });
    EXPECT_EQ(Log, Strings({"65535:0", "65535:1"}));
}

TEST_F(OvcTimerPool, AHandlersExceptionIsShownEndsThePassAndLaterTicksFireAgain) {
    Strings shown;
    TMessageBoxOverride sink([&](HWND, const std::string& Text, const std::string&, UINT) {
        shown.push_back(Text);
        return IDOK;
    });
    TOvcTimerPool pool(nullptr);
    LogAll(pool);
    int calls = 0;
    pool.Add(
        [&](TObject*, int32_t, uint16_t, int32_t) {
            if (++calls == 1) throw Exception("Disk full");
        },
        1000);
    pool.Add(nullptr, 1000);
    RunThrough(2000);
    EXPECT_EQ(shown, Strings({"Disk full."}));
    EXPECT_EQ(Log, Strings({"2000:0", "2000:1"}));
}

// Three triggers of 100 ms with handles 0, 1 and 2; the first fire of trigger 0 runs the edit.
struct TEditCase {
    const char* Name;
    std::function<void(TOvcTimerPool& Pool)> Edit;
    std::vector<int32_t> FiredInThatPass;
    std::set<int32_t> FiredLater;
};

TEST_F(OvcTimerPool, HandlersMayEditThePoolDuringAPass) {
    const std::vector<TEditCase> cases = {
        // The pass re-reads the count, so the trigger that moved into the removed one's place
        // waits for the next pass.
        {"removes itself", [](TOvcTimerPool& P) { P.Remove(0); }, {0, 2}, {1, 2}},
        {"removes a later one", [](TOvcTimerPool& P) { P.Remove(2); }, {0, 1}, {0, 1}},
        {"removes every trigger",
         [](TOvcTimerPool& P) {
             for (int32_t h : {0, 1, 2})
                 P.Remove(h);
         },
         {0},
         {}},
        {"adds one", [](TOvcTimerPool& P) { P.Add(nullptr, 100); }, {0, 1, 2}, {0, 1, 2, 3}},
        {"disables the next one",
         [](TOvcTimerPool& P) { P.SetTriggerEnabled(1, false); },
         {0, 2},
         {0, 2}},
    };
    for (const TEditCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const int64_t start = Clock.TickMilliseconds();
        TProbePool pool(nullptr);
        std::vector<int32_t> inThatPass;
        std::set<int32_t> later;
        pool.OnAllTriggers = [&](TObject*, int32_t Handle, uint16_t, int32_t) {
            if (Clock.TickMilliseconds() == start + 100)
                inThatPass.push_back(Handle);
            else
                later.insert(Handle);
        };
        bool edited = false;
        const std::string captured = "outlives its own removal";
        pool.Add(
            [&, captured](TObject*, int32_t, uint16_t, int32_t) {
                if (edited) return;
                edited = true;
                c.Edit(pool);
                EXPECT_EQ(captured, "outlives its own removal");
            },
            100);
        pool.Add(nullptr, 100);
        pool.Add(nullptr, 100);
        RunThrough(start + 1000);
        EXPECT_EQ(inThatPass, c.FiredInThatPass);
        EXPECT_EQ(later, c.FiredLater);
        if (c.FiredLater.empty()) {
            EXPECT_EQ(pool.Ticks.size(), 1u);  // no timer left running
        }
    }
}

TEST_F(OvcTimerPool, APoolFreedByItsOwnHandlerStopsThePass) {
    struct TFreeCase {
        const char* Name;
        bool InOnAllTriggers;
    };
    for (const TFreeCase& c :
         {TFreeCase{"in the trigger's handler", false}, TFreeCase{"in OnAllTriggers", true}}) {
        SCOPED_TRACE(c.Name);
        Log.clear();
        auto* owner = new TComponent(nullptr);
        auto* pool = new TOvcTimerPool(owner);
        const std::string captured = "outlives the pool";
        const auto freeIt = [&, captured](const std::string& Who) {
            Log.push_back(Who);
            delete owner;
            EXPECT_EQ(captured, "outlives the pool");
        };
        pool->Add(
            [&](TObject*, int32_t, uint16_t, int32_t) {
                if (c.InOnAllTriggers)
                    Log.push_back("own 0");
                else
                    freeIt("own 0 frees");
            },
            100);
        pool->Add([&](TObject*, int32_t, uint16_t, int32_t) { Log.push_back("own 1"); }, 100);
        pool->OnAllTriggers = [&](TObject*, int32_t Handle, uint16_t, int32_t) {
            if (c.InOnAllTriggers)
                freeIt("all " + std::to_string(Handle) + " frees");
            else
                Log.push_back("all " + std::to_string(Handle));
        };
        RunThrough(Clock.TickMilliseconds() + 500);
        EXPECT_EQ(Log,
                  c.InOnAllTriggers ? Strings({"own 0", "all 0 frees"}) : Strings({"own 0 frees"}));
    }
}

TEST_F(OvcTimerPool, AnExceptionAfterTheHandlerFreedThePoolIsStillShown) {
    Strings shown;
    TMessageBoxOverride sink([&](HWND, const std::string& Text, const std::string&, UINT) {
        shown.push_back(Text);
        return IDOK;
    });
    auto* pool = new TOvcTimerPool(nullptr);
    pool->Add(
        [&](TObject*, int32_t, uint16_t, int32_t) {
            delete pool;
            throw Exception("Gone");
        },
        100);
    RunThrough(500);
    EXPECT_EQ(shown, Strings({"Gone."}));
}

}  // namespace
}  // namespace vex
