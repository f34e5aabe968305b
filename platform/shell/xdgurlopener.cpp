#include "platform/shell/xdgurlopener.h"

#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/messageloop.h"

extern char** environ;

namespace vex {

namespace {

// What xdg-open's documented exit codes mean.
std::string Reason(int Status) {
    if (WIFSIGNALED(Status))
        return "xdg-open was ended by signal " + std::to_string(WTERMSIG(Status));
    switch (WEXITSTATUS(Status)) {
        case 1:
            return "xdg-open did not understand its command line";
        case 2:
            return "xdg-open found nothing at that address";
        case 3:
            return "the desktop has no program for it";
        case 4:
            return "the program for it failed";
        default:
            return "xdg-open ended with code " + std::to_string(WEXITSTATUS(Status));
    }
}

pid_t Spawn(const std::string& Url) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The program the desktop starts must not hold our sockets and display connection open.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::string program = "xdg-open", argument = Url;
    std::vector<char*> argv = {program.data(), argument.data(), nullptr};
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw EUrlOpenError("The desktop's opener xdg-open could not be started (" +
                            std::string(std::strerror(error)) + ")");
    return pid;
}

// True, with Status, when the child ends within Patience. A status the process cannot see (a
// child reaped by an ignored SIGCHLD) reads as a success: nothing says it failed.
bool AwaitExit(pid_t Pid, int64_t Patience, int& Status) {
    bool ended = false;
    const auto reap = [&] {
        if (ended) return;
        pid_t result;
        do {
            result = waitpid(Pid, &Status, WNOHANG);
        } while (result < 0 && errno == EINTR);
        if (result == Pid || result < 0) ended = true;
        if (result < 0) Status = 0;
    };
    // Called directly: the C library's wrapper is missing from older ones, its header from C++.
    const int fd = static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
    std::unique_ptr<TDescriptorWatch> watch;
    if (fd >= 0) watch = std::make_unique<TDescriptorWatch>(fd, POLLIN, [&](short) { reap(); });
    const int64_t deadline = Clock().TickMilliseconds() + Patience;
    for (;;) {
        reap();
        if (ended) break;
        // Without a process descriptor (an old kernel) the loop looks again every 20 ms.
        const int64_t now = Clock().TickMilliseconds();
        if (now >= deadline) break;
        const int64_t until = fd >= 0 ? deadline : std::min(deadline, now + 20);
        if (ProcessMessagesUntil([&] { return ended; }, until) == TWaitResult::Quit) break;
    }
    watch.reset();
    if (fd >= 0) close(fd);
    return ended;
}

}  // namespace

void TXdgUrlOpener::Open(const std::string& Url) {
    CheckOpenableUrl(Url);
    const pid_t pid = Spawn(Url);
    int status = 0;
    if (!AwaitExit(pid, FPatience, status)) {
        std::thread([pid] {
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw EUrlOpenError("\"" + Url + "\" could not be opened: " + Reason(status));
}

}  // namespace vex
