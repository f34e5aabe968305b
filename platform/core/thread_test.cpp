#include "platform/core/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/core/exceptions.h"
#include "tests/support/waituntil.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

// Runs Work as its Execute; counts the objects alive so a test sees a self-freeing thread go.
class TWorkThread : public TThread {
public:
    TWorkThread(std::function<void(TWorkThread&)> Work, bool CreateSuspended,
                bool FreeItself = false)
        : TThread(CreateSuspended), FWork(std::move(Work)) {
        SetFreeOnTerminate(FreeItself);
        ++Alive;
        AfterConstruction();
    }
    ~TWorkThread() override {
        // Joins here, while FWork still exists, rather than in the base after it is gone.
        Terminate();
        if (!Suspended() && !FreeOnTerminate()) WaitFor();
        --Alive;
    }

    using TThread::ReturnValue;
    static inline std::atomic<int> Alive = 0;

protected:
    void Execute() override { FWork(*this); }

private:
    std::function<void(TWorkThread&)> FWork;
};

using test::WaitUntil;

TEST(Thread, RunsExecuteOnItsOwnThreadForEveryWaiterAndAnExceptionEndsOnlyTheThread) {
    std::thread::id ranOn;
    std::atomic<bool> release = false;
    TWorkThread t(
        [&](TWorkThread& self) {
            ranOn = std::this_thread::get_id();
            WaitUntil([&] { return release.load(); });
            self.ReturnValue = 42;
        },
        false);
    std::atomic<int> seen = 0;
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] { seen += t.WaitFor() == 42; });
    release = true;
    for (std::thread& w : waiters)
        w.join();
    EXPECT_EQ(seen, 4);
    EXPECT_TRUE(t.Finished());
    EXPECT_NE(ranOn, std::this_thread::get_id());
    TWorkThread failing([](TWorkThread&) { throw std::runtime_error("boom"); }, false);
    failing.WaitFor();
    ASSERT_TRUE(failing.FatalException());
    EXPECT_THROW(std::rethrow_exception(failing.FatalException()), std::runtime_error);
}

TEST(Thread, ASuspendedThreadStartsOnlyOnceAndOneThatFreesItselfIsGoneWhenItEnds) {
    std::atomic<bool> ran = false;
    TWorkThread t([&](TWorkThread&) { ran = true; }, true);
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(t.Suspended());
    EXPECT_THROW(t.WaitFor(), EInvalidOperation);
    t.Resume();
    t.WaitFor();
    EXPECT_TRUE(ran);
    EXPECT_THROW(t.Start(), EInvalidOperation);
    std::promise<void> go;
    std::shared_future<void> goSignal = go.get_future().share();
    int before = TWorkThread::Alive;
    auto* self = new TWorkThread([goSignal](TWorkThread&) { goSignal.wait(); }, false, true);
    EXPECT_EQ(TWorkThread::Alive, before + 1);
    EXPECT_THROW(self->WaitFor(), EInvalidOperation);
    go.set_value();
    EXPECT_TRUE(WaitUntil([&] { return TWorkThread::Alive == before; }));
}

}  // namespace
}  // namespace vex
