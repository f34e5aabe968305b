#include "net/timecounter.h"

#include <gtest/gtest.h>

#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

TEST(TimeCounter, ExpiresAfterTimeOutSecondsWithoutProgress) {
    for (const int32_t seconds : {120, 1}) {
        SCOPED_TRACE(seconds);
        TVirtualClock clock;
        TClockOverride use(clock);
        TTimeCounter counter;
        counter.SetTimeOut(seconds);
        counter.Start();
        ProcessMessagesUntil([&] { return counter.Expired(); }, 600000);
        EXPECT_EQ(clock.TickMilliseconds(), seconds * 1000);
    }
}

TEST(TimeCounter, StartingAgainCountsFromTheStartAndStopHoldsTheCount) {
    TVirtualClock clock;
    TClockOverride use(clock);
    TTimeCounter counter;
    counter.SetTimeOut(3);
    counter.Start();
    ProcessMessagesUntil([] { return false; }, 2500);
    EXPECT_EQ(counter.SecondsLeft(), 1);
    counter.Start();  // progress
    ProcessMessagesUntil([] { return false; }, 5000);
    EXPECT_FALSE(counter.Expired());
    counter.Stop();
    ProcessMessagesUntil([] { return false; }, 60000);
    EXPECT_FALSE(counter.Expired());
    EXPECT_EQ(counter.SecondsLeft(), 1);
}

}  // namespace
}  // namespace vex
