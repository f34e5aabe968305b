#include "components/misc/PGTray95Timers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

class TimerManager : public ::testing::Test {
protected:
    void RunUntil(int64_t Tick) {
        ProcessMessagesUntil([] { return false; }, Tick);
    }
    TPGTimerItem::TCallback Note(const std::string& Name) {
        return [this, Name](TPGTimerItem*) {
            Fired.push_back(Name + "@" + std::to_string(Clock.TickMilliseconds() - Start));
        };
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    TPGTimerManager Manager{nullptr};
    std::vector<std::string> Fired;
    int64_t Start = 0;
};

TEST_F(TimerManager, TicksAtTheSmallestEnabledIntervalAndNoSlowerThan150) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/pgtray95.txt", "tick")) {
        SCOPED_TRACE(c.Where);
        TPGTimerManager manager(nullptr);
        manager.SetEnabled(true);
        if (c[0] != "none") {
            for (size_t from = 0, comma; from <= c[0].size(); from = comma + 1) {
                comma = std::min(c[0].find(',', from), c[0].size());
                const std::string item = c[0].substr(from, comma - from);
                manager.AddItem(item.back() != '-', std::stoi(item), nullptr);
            }
        }
        EXPECT_EQ(manager.TickInterval(), static_cast<uint32_t>(c.Int(1)));
        manager.SetEnabled(false);
        EXPECT_EQ(manager.TickInterval(), 0u);
    }
}

TEST_F(TimerManager, AnItemFiresOnTheFirstTickItIsDue) {
    Manager.SetEnabled(true);
    Manager.AddItem(true, 100, Note("a"));
    Manager.AddItem(true, 250, Note("b"));
    RunUntil(650);
    EXPECT_EQ(Fired, (std::vector<std::string>{"a@100", "a@200", "a@300", "b@300", "a@400", "a@500",
                                               "a@600", "b@600"}));
}

TEST_F(TimerManager, NothingFiresWhileTheManagerIsDisabled) {
    TPGTimerItem* item = Manager.AddItem(true, 100, Note("a"));
    RunUntil(500);
    EXPECT_TRUE(Fired.empty());
    Manager.SetEnabled(true);
    Start = Clock.TickMilliseconds();
    item->SetInterval(200);
    RunUntil(Start + 650);
    // Seen on the shared tick, which is never slower than 150 ms.
    EXPECT_EQ(Fired, (std::vector<std::string>{"a@300", "a@600"}));
}

// The tick count of the original wraps after 49.7 days; this clock's does not.
TEST_F(TimerManager, ItemsKeepFiringPastThe32BitTickCount) {
    Start = int64_t{UINT32_MAX} - 150;
    Clock.SetTickMilliseconds(Start);
    Manager.SetEnabled(true);
    Manager.AddItem(true, 100, Note("a"));
    RunUntil(Start + 350);
    EXPECT_EQ(Fired, (std::vector<std::string>{"a@100", "a@200", "a@300"}));
}

TEST_F(TimerManager, IntervalsOutsideTheRangeAreRefused) {
    Manager.SetEnabled(true);
    const int32_t components = Manager.ComponentCount();
    for (int32_t bad : {54, 0, -55, 100001, INT32_MIN, INT32_MAX})
        EXPECT_THROW(Manager.AddItem(true, bad, nullptr), ERangeError) << bad;
    EXPECT_EQ(Manager.ComponentCount(), components) << "no item is left behind";
    TPGTimerItem* item = Manager.AddItem(false, 55, nullptr);
    EXPECT_THROW(item->SetInterval(100001), ERangeError);
    EXPECT_EQ(item->Interval(), 55);
}

TEST_F(TimerManager, ACallbackMayFreeTheManager) {
    auto* manager = new TPGTimerManager(nullptr);
    manager->SetEnabled(true);
    int fired = 0;
    manager->AddItem(true, 100, [&](TPGTimerItem*) {
        ++fired;
        delete manager;
    });
    manager->AddItem(true, 100, [&](TPGTimerItem*) { ++fired; });
    RunUntil(1000);
    EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace vex
