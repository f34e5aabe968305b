#include "components/entry/OvcTimer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "platform/core/exceptions.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

using Strings = std::vector<std::string>;

class OvcTimerPool : public ::testing::Test {
protected:
    // Dispatches everything due up to and including Tick.
    void RunThrough(int64_t Tick) {
        ProcessMessagesUntil([] { return false; }, Tick + 1);
    }

    // A handler that logs "tick:handle", or "tick+elapsed" when Elapsed is set, the tick
    // counted from Origin.
    TTriggerEvent Logger(int64_t Origin = 0, bool Elapsed = false) {
        return [this, Origin, Elapsed](TObject*, int32_t Handle, uint16_t, int32_t ElapsedTime) {
            Log.push_back(std::to_string(Clock.TickMilliseconds() - Origin) +
                          (Elapsed ? "+" : ":") + std::to_string(Elapsed ? ElapsedTime : Handle));
        };
    }

    TVirtualClock Clock{1};
    TClockOverride Use{Clock};
    Strings Log;
    Strings Shown;
    TMessageBoxOverride Sink{[this](HWND, const std::string& Text, const std::string&, UINT) {
        Shown.push_back(Text);
        return IDOK;
    }};
};

TEST_F(OvcTimerPool, HandlesGrowFromTheGreatestAndUnknownOnesRaiseExceptOnRemoval) {
    TOvcTimerPool pool(nullptr);
    // The longest interval: every trigger of it still fires.
    for (int32_t expected : {0, 1, 2})
        EXPECT_EQ(pool.Add(nullptr, 65535), expected);
    pool.Remove(1);
    EXPECT_EQ(pool.Add(nullptr, 65535), 3);  // a gap below the greatest is not reused
    pool.Remove(3);
    EXPECT_EQ(pool.Add(nullptr, 65535), 3);  // the greatest number is free again
    pool.Remove(1);
    EXPECT_THROW(pool.GetTriggerEnabled(1), EInvalidTriggerHandle);
    EXPECT_THROW(pool.SetTriggerEnabled(-1, false), EInvalidTriggerHandle);
    pool.OnAllTriggers = Logger();
    RunThrough(65535);
    EXPECT_EQ(Log, Strings({"65535:0", "65535:2", "65535:3"}));
}

TEST_F(OvcTimerPool, TriggersShareOneTimerOfACommonStepAndFireShortestFirst) {
    {
        TOvcTimerPool pool(nullptr);
        pool.OnAllTriggers = Logger();
        pool.Add(nullptr, 60000);
        pool.Add(nullptr, 1500);
        pool.Add(nullptr, 1000);
        RunThrough(60000);
    }
    EXPECT_EQ(Strings(Log.begin(), Log.begin() + 5),
              Strings({"1000:2", "1500:1", "2000:2", "3000:2", "3000:1"}));
    EXPECT_EQ(Strings(Log.end() - 3, Log.end()), Strings({"60000:2", "60000:1", "60000:0"}));
    // Below 55 ms a trigger fires on every tick of a 55 ms timer; the time elapsed counts from
    // the trigger's addition, not from its last firing.
    Log.clear();
    TOvcTimerPool pool(nullptr);
    pool.Add(Logger(60001, true), 1);
    RunThrough(60001 + 110);
    EXPECT_EQ(Log, Strings({"55+55", "110+110"}));
}

TEST_F(OvcTimerPool, ADisabledTriggerStopsTheTimerAndFiresOnTheFirstTickWhenEnabledAgain) {
    // However long it stayed off: past 2^31 ms a 32-bit tick difference reads as negative.
    for (int64_t off : {int64_t{4000}, (int64_t{1} << 31) + 1000, (int64_t{1} << 32) + 500}) {
        SCOPED_TRACE(off);
        Log.clear();
        TOvcTimerPool pool(nullptr);
        const int64_t start = Clock.TickMilliseconds();
        const int32_t handle = pool.Add(Logger(start), 1000);
        RunThrough(start + 1000);
        pool.SetTriggerEnabled(handle, false);
        EXPECT_FALSE(pool.GetTriggerEnabled(handle));
        RunThrough(start + off);
        pool.SetTriggerEnabled(handle, true);
        const int64_t enabled = Clock.TickMilliseconds();
        RunThrough(enabled + 55);
        EXPECT_EQ(Log, Strings({"1000:0", std::to_string(enabled - start + 55) + ":0"}));
    }
}

TEST_F(OvcTimerPool, AHandlersExceptionIsShownEndsThePassAndLaterTicksFireAgain) {
    TOvcTimerPool pool(nullptr);
    pool.OnAllTriggers = Logger();
    int calls = 0;
    pool.Add(
        [&](TObject*, int32_t, uint16_t, int32_t) {
            if (++calls == 1) throw Exception("Disk full");
        },
        1000);
    pool.Add(nullptr, 1000);
    RunThrough(2000);
    EXPECT_EQ(Shown, Strings({"Disk full."}));
    EXPECT_EQ(Log, Strings({"2000:0", "2000:1"}));
    // One that frees the pool before it throws is shown too.
    auto* doomed = new TOvcTimerPool(nullptr);
    doomed->Add(
        [&](TObject*, int32_t, uint16_t, int32_t) {
            delete doomed;
            throw Exception("Gone");
        },
        100);
    RunThrough(Clock.TickMilliseconds() + 100);
    EXPECT_EQ(Shown.back(), "Gone.");
}

// Three triggers of 100 ms, handles 0, 1 and 2; the first fire of trigger 0 runs the edit.
// Each case gives the handles fired in that pass and those fired later.
TEST_F(OvcTimerPool, HandlersMayEditAndFreeThePoolDuringAPass) {
    const std::string cases[][3] = {
        // Removing 0 moves 1 into its place, which the pass, re-reading the count, leaves.
        {"remove 0", "02", "12"},          {"remove 2", "01", "01"}, {"add", "012", "0123"},
        {"disable 1", "02", "02"},         {"remove 012", "0", ""},  {"free", "", ""},
        {"free in OnAllTriggers", "", ""},
    };
    for (const auto& [edit, firedInThatPass, firedLater] : cases) {
        SCOPED_TRACE(edit);
        const int64_t start = Clock.TickMilliseconds();
        auto* pool = new TOvcTimerPool(nullptr);
        std::string inThatPass;
        std::set<char> later;
        pool->OnAllTriggers = [&](TObject*, int32_t Handle, uint16_t, int32_t) {
            const char h = static_cast<char>('0' + Handle);
            if (Clock.TickMilliseconds() == start + 100)
                inThatPass += h;
            else
                later.insert(h);
        };
        const std::string captured = "outlives the edit";
        bool edited = false;
        pool->Add(
            [&, captured](TObject*, int32_t, uint16_t, int32_t) {
                if (std::exchange(edited, true)) return;
                if (edit == "add") pool->Add(nullptr, 100);
                if (edit == "disable 1") pool->SetTriggerEnabled(1, false);
                if (edit.starts_with("remove "))
                    for (char h : edit.substr(7))
                        pool->Remove(h - '0');
                if (edit == "free") delete std::exchange(pool, nullptr);
                if (edit == "free in OnAllTriggers")
                    pool->OnAllTriggers = [&](TObject*, int32_t, uint16_t, int32_t) {
                        delete std::exchange(pool, nullptr);
                    };
                EXPECT_EQ(captured, "outlives the edit");
            },
            100);
        pool->Add(nullptr, 100);
        pool->Add(nullptr, 100);
        RunThrough(start + 1000);
        EXPECT_EQ(inThatPass, firedInThatPass);
        EXPECT_EQ(std::string(later.begin(), later.end()), firedLater);
        delete pool;
    }
}

}  // namespace
}  // namespace vex
