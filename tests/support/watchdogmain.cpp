// The main of every test program. Each test runs under a watchdog: a test still running after
// VEX_TEST_TIMEOUT seconds (30 by default) is reported by name as timed out and the program
// exits at once, so a wait that never ends fails that test instead of stalling the whole run
// until CTest kills it without saying where it hung.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::chrono::seconds TestTimeLimit() {
    const char* text = std::getenv("VEX_TEST_TIMEOUT");
    const int seconds = text != nullptr ? std::atoi(text) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 30);
}

class TTestWatchdog : public testing::EmptyTestEventListener {
public:
    // Returns once the thread waits: a thread still starting may hold the allocator's locks, and
    // a test that forks then leaves its child waiting on them for ever.
    explicit TTestWatchdog(std::chrono::seconds Limit)
        : FLimit(Limit), FThread([this] { Watch(); }) {
        std::unique_lock<std::mutex> guard(FLock);
        FChanged.wait(guard, [this] { return FWatching; });
    }
    ~TTestWatchdog() override {
        {
            std::lock_guard<std::mutex> guard(FLock);
            FQuit = true;
        }
        FChanged.notify_all();
        FThread.join();
    }

    void OnTestStart(const testing::TestInfo& Test) override {
        {
            std::lock_guard<std::mutex> guard(FLock);
            FTest = std::string(Test.test_suite_name()) + "." + Test.name();
            FDeadline = std::chrono::steady_clock::now() + FLimit;
            FArmed = true;
        }
        FChanged.notify_all();
    }

    void OnTestEnd(const testing::TestInfo&) override {
        {
            std::lock_guard<std::mutex> guard(FLock);
            FArmed = false;
        }
        FChanged.notify_all();
    }

private:
    void Watch() {
        std::unique_lock<std::mutex> guard(FLock);
        FWatching = true;
        FChanged.notify_all();
        while (!FQuit) {
            if (!FArmed) {
                FChanged.wait(guard);
            } else if (FChanged.wait_until(guard, FDeadline) == std::cv_status::timeout && FArmed &&
                       std::chrono::steady_clock::now() >= FDeadline) {
                std::fprintf(stderr, "[  FAILED  ] %s timed out after %lld s\n", FTest.c_str(),
                             static_cast<long long>(FLimit.count()));
                std::fflush(nullptr);
                // The test's thread is stuck: no destructor may wait for it.
                std::_Exit(1);
            }
        }
    }

    const std::chrono::seconds FLimit;
    std::mutex FLock;
    std::condition_variable FChanged;
    std::string FTest;
    std::chrono::steady_clock::time_point FDeadline;
    bool FArmed = false;
    bool FQuit = false;
    bool FWatching = false;
    std::thread FThread;  // last, so it starts once everything it reads exists
};

}  // namespace

int main(int argc, char** argv) {
    // Windows stay off any display the developer has open; tests that need one start their own
    // server and speak to it directly.
    setenv("VEX_DISPLAY", "headless", 1);
    testing::InitGoogleTest(&argc, argv);
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    auto* watchdog = new TTestWatchdog(TestTimeLimit());
    listeners.Append(watchdog);
    const int result = RUN_ALL_TESTS();
    // Taken back so its thread is joined before the leak check at exit.
    delete listeners.Release(watchdog);
    return result;
}
