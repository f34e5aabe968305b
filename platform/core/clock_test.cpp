#include "platform/core/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace vex {
namespace {

TEST(ClockOverride, InstallsAClockInNestedOrderAndTickCountsWrapAt32Bits) {
    TClock& system = Clock();
    TFixedClock outer(1000, 60, 10);
    TFixedClock inner(2000, 0, 20);
    {
        TClockOverride useOuter(outer);
        {
            TClockOverride useInner(inner);
            EXPECT_EQ(&Clock(), &inner);
        }
        EXPECT_EQ(&Clock(), &outer);
        outer.Advance(250);  // wall time and ticks move together
        EXPECT_EQ(Clock().UtcMilliseconds(), 1250);
        EXPECT_EQ(Clock().TickMilliseconds(), 260);
        EXPECT_EQ(Clock().LocalOffsetMinutes(0), 60);
    }
    EXPECT_EQ(&Clock(), &system);
    // The tick count wraps at 32 bits, so unsigned differences stay right.
    TFixedClock clock(0, 0, (int64_t{1} << 32) - 10);
    TClockOverride use(clock);
    uint32_t before = GetTickCount();
    clock.Advance(25);
    EXPECT_EQ(GetTickCount(), 15u);
    EXPECT_EQ(GetTickCount() - before, 25u);
}

// The sign and daylight saving need a zone other than the usual UTC; the test puts it back.
TEST(SystemClock, GivesTheLocalOffsetEastPositiveWithDaylightSaving) {
    const TClock& system = Clock();
    EXPECT_GT(system.UtcMilliseconds(), int64_t{1700000000} * 1000);  // after November 2023
    EXPECT_GE(system.TickMilliseconds(), 0);
    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
    EXPECT_EQ(system.LocalOffsetMinutes(1704067200000), -300);  // 2024-01-01, standard time
    EXPECT_EQ(system.LocalOffsetMinutes(1719792000000), -240);  // 2024-07-01, daylight time
    setenv("TZ", "IST-5:30", 1);
    tzset();
    EXPECT_EQ(system.LocalOffsetMinutes(-1), 330);  // just before 1970 still resolves
    zone ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
}

}  // namespace
}  // namespace vex
