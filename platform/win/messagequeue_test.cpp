#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/object.h"
#include "platform/win/lifetoken.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using test::PumpUntil;
using test::RecordingWindow;

// Dispatches what is pending without waiting.
void Drain() {
    MSG msg;
    while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
        DispatchMessage(msg);
}

TEST(MessageQueue, MessagesToAFreedWindowAreDroppedEvenWhenItFreesItself) {
    auto w = std::make_unique<RecordingWindow>();
    const HWND handle = w->Handle();
    PostMessage(handle, WM_USER, 0, 0);
    w.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(PostMessage(handle, WM_USER, 0, 0));
    MSG msg;
    EXPECT_FALSE(PeekMessage(msg, handle, 0, 0, PM_REMOVE));

    // Also when it frees itself inside its own handler.
    int calls = 0;
    HWND self = 0;
    self = AllocateHWnd([&](TMessage&) {
        ++calls;
        DeallocateHWnd(self);
    });
    PostMessage(self, WM_USER, 0, 0);
    PostMessage(self, WM_USER, 0, 0);
    Drain();
    EXPECT_EQ(calls, 1);
}

// The object a window is bound to stays with the window, is let go of when unbound, and goes
// with it; a handle that is no window binds nothing.
TEST(WindowObjects, StayWithTheirWindowUntilUnboundOrTheWindowGoes) {
    TObject first, second;
    const HWND wnd = AllocateHWnd([](TMessage&) {});
    const HWND other = AllocateHWnd([](TMessage&) {});
    EXPECT_EQ(WindowObject(wnd), nullptr);
    SetWindowObject(wnd, &first);
    SetWindowObject(other, &second);
    EXPECT_EQ(WindowObject(wnd), &first);
    EXPECT_EQ(WindowObject(other), &second);
    SetWindowObject(wnd, nullptr);
    EXPECT_EQ(WindowObject(wnd), nullptr);
    SetWindowObject(wnd, &first);
    DeallocateHWnd(wnd);
    EXPECT_EQ(WindowObject(wnd), nullptr);
    SetWindowObject(wnd, &second);
    EXPECT_EQ(WindowObject(wnd), nullptr);
    EXPECT_EQ(WindowObject(other), &second);
    DeallocateHWnd(other);
}

TEST(MessageQueue, RegisteredMessagesAreStablePerNameWithoutRegardToCase) {
    const UINT a = RegisterWindowMessage("RASDIALEVENT");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("RasDialEvent"), a);
    EXPECT_NE(RegisterWindowMessage("SomethingElse"), a);
}

TEST(MessageQueue, SendCallsAtOncePostedArriveInOrderAndPeekHonoursItsFilters) {
    RecordingWindow a, b;
    PostMessage(a.Handle(), WM_USER + 5, 0, 0);
    PostMessage(b.Handle(), WM_USER + 1, 0, 10);
    PostMessage(b.Handle(), WM_USER + 2, 0, 20);
    EXPECT_EQ(SendMessage(a.Handle(), WM_USER + 3, 0, 0), 0);
    EXPECT_EQ(a.Received.size(), 1u);
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, b.Handle(), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessage(msg, 0, WM_USER + 3, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a.Handle());
    EXPECT_FALSE(PeekMessage(msg, a.Handle(), 0, 0, PM_REMOVE));
    Drain();
    ASSERT_EQ(b.Received.size(), 2u);
    EXPECT_EQ(b.Received[1].LParam, 20);
}

TEST(MessageQueue, QuitComesAfterWhatWasPostedBeforeItAndAWaitLeavesItForTheOuterLoop) {
    RecordingWindow w;
    PostMessage(w.Handle(), WM_USER, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(GetMessage(msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(ProcessMessagesUntil([] { return false; }), TWaitResult::Quit);
    EXPECT_FALSE(GetMessage(msg, 0, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(WindowTimers, ALateTimerFiresOnceAndSettingItAgainRestartsIt) {
    TVirtualClock clock;
    TClockOverride use(clock);
    RecordingWindow w;
    ASSERT_EQ(SetTimer(w.Handle(), 1, 1000), 1u);
    clock.Advance(10000);  // ten intervals late: one message, not ten
    Drain();
    ASSERT_EQ(w.Received.size(), 1u);
    EXPECT_EQ(w.Received[0].Msg + w.Received[0].WParam, WM_TIMER + 1u);

    clock.Advance(900);
    SetTimer(w.Handle(), 1, 1000);
    clock.Advance(900);
    Drain();
    EXPECT_EQ(w.Received.size(), 1u);
    clock.Advance(100);
    Drain();
    EXPECT_EQ(w.Received.size(), 2u);

    EXPECT_TRUE(KillTimer(w.Handle(), 1));
    EXPECT_FALSE(KillTimer(w.Handle(), 1));
    clock.Advance(5000);
    Drain();
    EXPECT_EQ(w.Received.size(), 2u);
}

TEST(WaitUntil, ALongVirtualDeadlinePassesQuicklyAndWithoutSpinning) {
    TVirtualClock clock;
    TClockOverride use(clock);
    int checks = 0;
    EXPECT_EQ(ProcessMessagesUntil(
                  [&] {
                      ++checks;
                      return false;
                  },
                  120000),
              TWaitResult::Deadline);
    EXPECT_EQ(clock.TickMilliseconds(), 120000);
    EXPECT_LT(checks, 10);  // it slept instead of looping
}

TEST(WaitUntil, OtherThreadsWakeTheSleepingLoopAndTheirActionsRunOnTheMainThreadInOrder) {
    RecordingWindow w;
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessage(w.Handle(), WM_USER, 42, 0);
    });
    PumpUntil([&] { return !w.Received.empty(); });
    poster.join();
    EXPECT_EQ(w.Received[0].WParam, 42u);

    // Actions from other threads run on the main thread in order.
    std::vector<int> order, expected;
    const auto main = std::this_thread::get_id();
    std::atomic<bool> allMain = true;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i)
            RunOnMainThread([&, i] {
                allMain = allMain && std::this_thread::get_id() == main;
                order.push_back(i);
            });
    });
    worker.join();
    PumpUntil([&] { return order.size() == 100; });
    EXPECT_TRUE(allMain);
    for (int i = 0; i < 100; ++i)
        expected.push_back(i);
    EXPECT_EQ(order, expected);
}

TEST(DescriptorWatch, RunsItsHandlerWhenTheDescriptorIsReady) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    int ready = 0;
    TDescriptorWatch watch(fds[0], POLLIN, [&](short revents) {
        EXPECT_TRUE(revents & POLLIN);
        ++ready;
        char c;
        ASSERT_EQ(read(fds[0], &c, 1), 1);
    });
    Drain();
    EXPECT_EQ(ready, 0);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    PumpUntil([&] { return ready == 1; });
    watch.SetEvents(0);
    ASSERT_EQ(write(fds[1], "y", 1), 1);
    Drain();
    EXPECT_EQ(ready, 1);
    close(fds[0]);
    close(fds[1]);
}

TEST(GuardedPosts, AreDroppedWhenTheirComponentIsGoneBeforeTheyAreTaken) {
    RecordingWindow w;
    auto token = std::make_unique<TLifeToken>();
    EXPECT_TRUE(PostGuardedMessage(w.Handle(), WM_USER, 1, 0, token->Weak()));
    EXPECT_TRUE(PostGuardedMessage(w.Handle(), WM_USER, 2, 0, token->Weak()));
    Drain();
    ASSERT_EQ(w.Received.size(), 2u);

    // Posted from another thread, the component gone before the loop comes round.
    const std::weak_ptr<const void> guard = token->Weak();
    std::thread poster([&] {
        PostGuardedMessage(w.Handle(), WM_USER, 3, 0, guard);
        PostMessage(w.Handle(), WM_USER, 4, 0);
    });
    poster.join();
    token.reset();
    PumpUntil([&] { return w.Received.size() == 3; });
    EXPECT_EQ(w.Received.back().WParam, 4u);
    EXPECT_FALSE(PostGuardedMessage(0, WM_USER, 0, 0, guard));
}

TEST(CoalescedPosts, AreDroppedWhileAnIdenticalMessageWaits) {
    RecordingWindow w;
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(PostCoalescedMessage(w.Handle(), WM_USER, 1, 2));
    PostCoalescedMessage(w.Handle(), WM_USER, 1, 3);  // another lParam is another message
    PostMessage(w.Handle(), WM_USER + 1, 0, 0);
    EXPECT_TRUE(PostCoalescedMessage(w.Handle(), WM_USER + 1, 0, 0));  // a plain post counts
    Drain();
    ASSERT_EQ(w.Received.size(), 3u);
    EXPECT_EQ(w.Received[0].LParam, 2);
    EXPECT_EQ(w.Received[1].LParam, 3);
    PostCoalescedMessage(w.Handle(), WM_USER, 1, 2);  // taken ones no longer count
    Drain();
    EXPECT_EQ(w.Received.size(), 4u);
    EXPECT_FALSE(PostCoalescedMessage(0, WM_USER, 0, 0));

    // A guarded post may yet be dropped, so it does not stand in for an unguarded one.
    auto token = std::make_unique<TLifeToken>();
    PostGuardedMessage(w.Handle(), WM_USER, 5, 6, token->Weak());
    EXPECT_TRUE(PostCoalescedMessage(w.Handle(), WM_USER, 5, 6));
    token.reset();
    Drain();
    ASSERT_EQ(w.Received.size(), 5u);
    EXPECT_EQ(w.Received.back().LParam, 6);
}

}  // namespace
}  // namespace vex
