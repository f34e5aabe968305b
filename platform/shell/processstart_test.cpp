#include "platform/shell/processstart.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/waituntil.h"

namespace vex {
namespace {

TEST(ProcessStart, ReadsTheStartFieldWhateverTheCommandName) {
    // Fields 3 to 21, then the start time (22) and more.
    const std::string middle = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 ";
    struct Case {
        std::string Line;
        std::optional<uint64_t> Start;
    };
    const Case cases[] = {
        {"42 (vexbane)" + middle + "9876 0 0\n", 9876},
        {"42 (a b) (c) d)" + middle + "5 0\n", 5},
        {"42 ())" + middle + "18446744073709551615\n", UINT64_MAX},
        {"42 (x)" + middle + "\n", std::nullopt},
        {"42 (x)" + middle + "12a 0\n", std::nullopt},
        {"42 (x)" + middle + "-1 0\n", std::nullopt},
        {"42 (x" + middle + "5\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(StartTicksOfStatLine(c.Line), c.Start);
    }
}

TEST(ProcessStart, IsKnownWhileAProcessRunsAndNotOnceItHasEnded) {
    ASSERT_TRUE(ProcessStartTicks(getpid()).has_value());
    EXPECT_EQ(ProcessStartTicks(getpid()), ProcessStartTicks(getpid()));
    EXPECT_FALSE(ProcessStartTicks(0).has_value());
    EXPECT_FALSE(ProcessStartTicks(-1).has_value());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        pause();
        _exit(0);
    }
    const std::optional<uint64_t> start = ProcessStartTicks(child);
    EXPECT_TRUE(start.has_value());
    EXPECT_GE(start, ProcessStartTicks(getpid()));
    kill(child, SIGKILL);
    // Killed but not yet reaped, the child is a zombie, which has ended all the same.
    EXPECT_TRUE(test::WaitUntil([&] { return !ProcessStartTicks(child).has_value(); }));
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(ProcessStartTicks(child).has_value());
}

}  // namespace
}  // namespace vex
