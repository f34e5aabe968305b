// The main of every test program. Each test runs under a watchdog: a test still running after
// VEX_TEST_TIMEOUT seconds (30 by default) is reported by name as timed out and the program
// exits at once, so a wait that never ends fails that test instead of stalling the whole run
// until CTest kills it without saying where it hung.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::chrono::seconds TestTimeLimit() {
    const char* text = std::getenv("VEX_TEST_TIMEOUT");
    const int seconds = text != nullptr ? std::atoi(text) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 30);
}

// The servers and helpers the timed-out test started would outlive the program, holding ports,
// displays and the runner's output pipe for ever: each of its children is killed first. Nothing
// here allocates, for the stuck test may hold the allocator's locks.
void KillChildren() {
    const int proc = open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (proc < 0) return;
    alignas(dirent64) char entries[4096];
    long got = 0;
    while ((got = syscall(SYS_getdents64, proc, entries, sizeof entries)) > 0) {
        for (long at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
            at += entry->d_reclen;
            if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;  // not a process
            char path[sizeof entry->d_name + 8];
            std::snprintf(path, sizeof path, "%s/stat", entry->d_name);
            const int file = openat(proc, path, O_RDONLY | O_CLOEXEC);
            if (file < 0) continue;
            char line[512];
            const ssize_t length = read(file, line, sizeof line - 1);
            close(file);
            if (length <= 0) continue;
            line[length] = '\0';
            // The parent follows the name, which may itself hold spaces or parentheses.
            const char* name = std::strrchr(line, ')');
            char state = 0;
            long parent = 0;
            if (name != nullptr && std::sscanf(name + 1, " %c %ld", &state, &parent) == 2 &&
                parent == getpid())
                kill(static_cast<pid_t>(std::atol(line)), SIGKILL);
        }
    }
    close(proc);
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
                KillChildren();
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
