#include "platform/win/modaldriver.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"

namespace vex {
namespace {

// A hidden window that writes down the WM_USER messages it gets.
struct TLoggedWindow {
    std::vector<WPARAM> Seen;
    HWND Wnd = AllocateHWnd([this](TMessage& M) {
        if (M.Msg == WM_USER) Seen.push_back(M.WParam);
    });
    ~TLoggedWindow() { DeallocateHWnd(Wnd); }
};

// Takes the quit the test left behind, so the next test starts with an empty queue.
int TakeQuit() {
    MSG msg;
    while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
    return -1;
}

TEST(ModalDriver, ReadsMessagesUntilTheScriptRunsOutOrAQuitComes) {
    struct TCase {
        const char* Name;
        std::vector<WPARAM> Posted;  // 99 stands for a quit with exit code 7
        std::vector<WPARAM> Read;
        int QuitLeft;  // the exit code waiting afterwards, -1 none
    };
    const std::vector<TCase> cases = {
        {"empty script ends at once", {}, {}, -1},
        {"posted messages, then the end", {1, 2, 3}, {1, 2, 3}, -1},
        {"a quit ends the loop and is put back", {1, 99, 2}, {1}, 7},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLoggedWindow window;
        TModalScript script;
        for (WPARAM w : c.Posted) {
            if (w == 99)
                script.Then([] { PostQuitMessage(7); });
            else
                script.Post(window.Wnd, WM_USER, w);
        }
        EXPECT_FALSE(RunModalLoop([] { return false; }));
        EXPECT_EQ(window.Seen, c.Read);
        EXPECT_EQ(TakeQuit(), c.QuitLeft);
    }
}

TEST(ModalDriver, InspectKeepsAMessageFromDispatchAndDoneEndsTheLoop) {
    TLoggedWindow window;
    TModalScript script;
    for (WPARAM w : {1, 2, 3, 4})
        script.Post(window.Wnd, WM_USER, w);
    int inspected = 0;
    const bool done = RunModalLoop([&] { return window.Seen.size() == 2; },
                                   [&](MSG& M) {
                                       if (M.message != WM_USER) return false;
                                       return ++inspected, M.wParam == 2;
                                   });
    EXPECT_TRUE(done);
    EXPECT_EQ(window.Seen, std::vector<WPARAM>({1, 3}));
    EXPECT_EQ(inspected, 3);
    EXPECT_EQ(script.Pending(), 1u);
    EXPECT_EQ(script.Exhausted(), 0);
}

TEST(ModalDriver, AfterEachActionTheLoopLooksAtItsStateAgain) {
    TModalScript script;
    bool done = false;
    script.Then([&] { done = true; }).Then([] { ADD_FAILURE() << "read on after done"; });
    EXPECT_TRUE(RunModalLoop([&] { return done; }));
    EXPECT_EQ(script.Pending(), 1u);
}

TEST(ModalDriver, TheNewestScriptIsTheOneInForce) {
    TModalScript outer;
    EXPECT_EQ(TModalScript::Current(), &outer);
    {
        TModalScript inner;
        EXPECT_EQ(TModalScript::Current(), &inner);
        MSG msg;
        EXPECT_FALSE(ReadModalMessage(msg));
        EXPECT_EQ(inner.Exhausted(), 1);
    }
    EXPECT_EQ(TModalScript::Current(), &outer);
    EXPECT_EQ(outer.Exhausted(), 0);
}

TEST(ModalDriver, AScriptedWaitLetsTimersComeDueOnTheVirtualClock) {
    TVirtualClock clock;
    TClockOverride use(clock);
    TTimer timer(nullptr);
    timer.SetInterval(500);
    std::vector<int64_t> ticks;
    timer.OnTimer = [&](TObject*) { ticks.push_back(clock.TickMilliseconds()); };
    TModalScript script;
    script.Wait(2000);
    RunModalLoop([&] { return ticks.size() == 2; });
    EXPECT_EQ(ticks, std::vector<int64_t>({500, 1000}));
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(ModalDriver, WithoutAScriptTheReadSleepsUntilAMessageArrives) {
    TLoggedWindow window;
    const double cpuBefore = CpuSeconds();
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        PostMessage(window.Wnd, WM_USER, 5, 0);
    });
    MSG msg;
    const bool read = ReadModalMessage(msg);
    poster.join();
    ASSERT_TRUE(read);
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(msg.wParam, 5u);
    // A spinning read would burn the whole 300 ms.
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.1);
}

}  // namespace
}  // namespace vex
