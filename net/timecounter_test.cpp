#include "net/timecounter.h"

#include <gtest/gtest.h>

#include "net/componentexceptions.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

TEST(TimeCounter, ExpiresAfterTimeOutSecondsWithoutProgress) {
    TVirtualClock clock;
    TClockOverride use(clock);
    TTimeCounter counter;
    counter.SetTimeOut(120);
    counter.Start();
    ProcessMessagesUntil([&] { return counter.Expired(); }, 600000);
    EXPECT_EQ(clock.TickMilliseconds(), 120000);
}

TEST(TimeCounter, ATimeOutOfOneExpiresAtTheFirstTick) {
    TVirtualClock clock;
    TClockOverride use(clock);
    TTimeCounter counter;
    counter.SetTimeOut(1);
    counter.Start();
    ProcessMessagesUntil([&] { return counter.Expired(); }, 600000);
    EXPECT_EQ(clock.TickMilliseconds(), 1000);
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

TEST(ComponentExceptions, TimeOutAndCancelCarryTheirResourceTexts) {
    EXPECT_STREQ(ETimedOutError().what(), "Operation timed out");
    EXPECT_STREQ(ECanceledError().what(), "Operation has been canceled");
    EXPECT_STREQ(ESocketError("x").ClassName(), "ESocketError");
}

}  // namespace
}  // namespace vex
