#include "platform/core/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
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

// Sets TZ for one test and puts the previous zone back, so other tests see the usual zone.
class TimeZoneOverride {
public:
    explicit TimeZoneOverride(const char* Zone) {
        if (const char* old = std::getenv("TZ")) FSaved = old;
        setenv("TZ", Zone, 1);
        tzset();
    }
    ~TimeZoneOverride() {
        if (FSaved)
            setenv("TZ", FSaved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> FSaved;
};

TEST(SystemClock, TicksMonotonicallyAndGivesTheLocalOffsetEastPositiveWithDaylightSaving) {
    const TClock& system = Clock();
    EXPECT_GT(system.UtcMilliseconds(), int64_t{1700000000} * 1000);  // after November 2023
    const int64_t first = system.TickMilliseconds();
    EXPECT_GE(system.TickMilliseconds(), first);
    TimeZoneOverride zone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(system.LocalOffsetMinutes(1704067200000), -300);  // 2024-01-01, standard time
    EXPECT_EQ(system.LocalOffsetMinutes(1719792000000), -240);  // 2024-07-01, daylight time
    TimeZoneOverride east("IST-5:30");
    EXPECT_EQ(system.LocalOffsetMinutes(-1), 330);  // just before 1970 still resolves
}

}  // namespace
}  // namespace vex
