#include "net/timecounter.h"

#include <gtest/gtest.h>

#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

TEST(TimeCounter, ExpiresAfterTimeOutSecondsWithoutProgressAndStopHoldsTheCount) {
    TVirtualClock clock;
    TClockOverride use(clock);
    TTimeCounter counter;
    counter.SetTimeOut(3);
    counter.Start();
    ProcessMessagesUntil([] { return false; }, 2500);
    EXPECT_EQ(counter.SecondsLeft(), 1);
    counter.Start();  // progress: the count begins again
    ProcessMessagesUntil([] { return false; }, 5000);
    EXPECT_FALSE(counter.Expired());
    counter.Stop();
    ProcessMessagesUntil([] { return false; }, 60000);
    EXPECT_FALSE(counter.Expired());
    EXPECT_EQ(counter.SecondsLeft(), 1);

    counter.SetTimeOut(1);
    counter.Start();
    ProcessMessagesUntil([&] { return counter.Expired(); }, 600000);
    EXPECT_EQ(clock.TickMilliseconds(), 61000);
}

}  // namespace
}  // namespace vex
