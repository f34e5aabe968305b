#include "platform/shell/programoutput.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace vex {

namespace {

// Both ends of a pipe, closed with the object.
struct TPipe {
    int Fd[2] = {-1, -1};
    ~TPipe() {
        for (int fd : Fd)
            if (fd >= 0) close(fd);
    }
    void CloseWriteEnd() {
        close(Fd[1]);
        Fd[1] = -1;
    }
};

// Reads Fd until its end, Limit exceeded or Deadline; true when the end came in time.
bool ReadAll(int Fd, std::chrono::steady_clock::time_point Deadline, size_t Limit,
             std::string& Output) {
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            Deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd watch{Fd, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t got = read(Fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (Output.size() + static_cast<size_t>(got) > Limit) return false;
        Output.append(buffer, static_cast<size_t>(got));
    }
}

// A program that closed its output may still run a moment; true when it has exited by Deadline
// (it stays to be reaped).
bool AwaitExit(pid_t Child, std::chrono::steady_clock::time_point Deadline) {
    for (;;) {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(Child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == Child)
            return true;
        if (std::chrono::steady_clock::now() >= Deadline) return false;
        usleep(2000);
    }
}

}  // namespace

std::optional<std::string> ProgramOutput(const std::vector<std::string>& Arguments,
                                         std::chrono::milliseconds TimeOut, size_t Limit) {
    if (Arguments.empty()) return std::nullopt;
    TPipe output;
    if (pipe2(output.Fd, O_CLOEXEC) != 0) return std::nullopt;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output.Fd[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : Arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return std::nullopt;
    output.CloseWriteEnd();

    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + TimeOut;
    const bool ended = ReadAll(output.Fd[0], deadline, Limit, text) && AwaitExit(child, deadline);
    if (!ended) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return text;
}

}  // namespace vex
