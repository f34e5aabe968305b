#include "platform/win/pendingwindows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "tests/support/processortime.h"

namespace vex {
namespace {

std::vector<HWND> Listed(const TPendingWindows& Pending) {
    return std::vector<HWND>(Pending.begin(), Pending.end());
}

// Windows join and leave at the ends, in the middle, twice over and not at all; the list
// always holds the same handles in the same order as an ordered set that saw the same calls.
TEST(PendingWindows, KeepsTheHandlesOfAnOrderedSetWhereverTheyJoinOrLeave) {
    struct TPattern {
        const char* Name;
        HWND (*Pick)(uint32_t Step, uint32_t Random);
    };
    const TPattern patterns[] = {
        {"made order", [](uint32_t Step, uint32_t) -> HWND { return 0x100 + Step % 300; }},
        {"reverse order", [](uint32_t Step, uint32_t) -> HWND { return 0x400 - Step % 300; }},
        {"scattered", [](uint32_t, uint32_t Random) -> HWND { return 0x100 + Random % 200; }},
        {"few", [](uint32_t, uint32_t Random) -> HWND { return 0x100 + Random % 3; }},
        {"ends of the range",
         [](uint32_t, uint32_t Random) -> HWND {
             return Random % 2 ? 1 + Random % 3 : UINTPTR_MAX - Random % 3;
         }},
        {"one joining and leaving before many",
         [](uint32_t Step, uint32_t Random) -> HWND {
             return Step % 2 ? 0x100 : 0x200 + Random % 300;
         }},
        {"joining in made order, leaving from the last",
         [](uint32_t Step, uint32_t) -> HWND {
             return 0x100 + (Step % 2 ? Step / 2 % 300 : 299 - Step / 2 % 300);
         }},
        {"leaving first, joining last",
         [](uint32_t Step, uint32_t) -> HWND { return 0x100 + Step / 3 + (Step % 3) * 40; }},
    };
    for (const TPattern& pattern : patterns) {
        SCOPED_TRACE(pattern.Name);
        TPendingWindows pending;
        std::set<HWND> expected;
        uint32_t seed = 7;
        for (uint32_t step = 0; step < 20000; ++step) {
            seed = seed * 1103515245 + 12345;
            const HWND wnd = pattern.Pick(step, seed >> 8);
            if ((seed >> 4) % 5 < 2) {
                pending.Erase(wnd);
                expected.erase(wnd);
            } else {
                pending.Insert(wnd);
                expected.insert(wnd);
            }
            EXPECT_EQ(pending.Contains(wnd), expected.count(wnd) != 0);
            const HWND* after = pending.After(wnd);
            const auto expectedAfter = expected.upper_bound(wnd);
            EXPECT_EQ(after == pending.end() ? 0 : *after,
                      expectedAfter == expected.end() ? 0 : *expectedAfter);
            if (step % 97 == 0) {
                ASSERT_EQ(Listed(pending), std::vector<HWND>(expected.begin(), expected.end()));
            }
        }
        ASSERT_EQ(Listed(pending), std::vector<HWND>(expected.begin(), expected.end()));
        EXPECT_EQ(pending.Empty(), expected.empty());
    }
}

// A parent that is invalidated again and again while many windows made after it wait joins and
// leaves before all of them each time; that must not move them all each time.
TEST(PendingWindows, AWindowJoiningAndLeavingBeforeManyWaitingOnesMovesNoneOfThem) {
    TPendingWindows pending;
    for (HWND wnd = 0x1000; wnd < 0x1000 + 50000; ++wnd)
        pending.Insert(wnd);
    const long before = test::ProcessCpuMicroseconds();
    for (int round = 0; round < 10000; ++round) {
        pending.Insert(0x0FFF);
        pending.Erase(0x0FFF);
    }
    const long cpu = test::ProcessCpuMicroseconds() - before;
    EXPECT_LT(cpu, 100000) << "microseconds of processor time for 10000 joins and leaves";
    EXPECT_EQ(*pending.begin(), HWND{0x1000});
}

}  // namespace
}  // namespace vex
