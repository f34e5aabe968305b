// Copies of the program as separate processes, each this test program started again to run only
// FirstInstanceCopy.Run with VEX_FIRST_INSTANCE_COPY set: it waits for a line on its input,
// loads a TFirstInstance, says on its output whether it became the instance ("copy: instance")
// or gave way ("copy: found"), and then either waits, minimised, for a restore request
// ("copy: restored") or runs its message loop, which ends at once ("copy: ended").
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "components/misc/CFirstIn.h"
#include "platform/shell/filewindowdirectory.h"
#include "platform/shell/runtimefolder.h"
#include "platform/win/application.h"
#include "platform/win/windowpos.h"
#include "tests/support/messagepump.h"
#include "tests/support/tempdir.h"

extern char** environ;

namespace vex {
namespace {

constexpr const char* kCopyVariable = "VEX_FIRST_INSTANCE_COPY";

// What one copy does, whether started by the tests below or run alone.
std::string RunCopy() {
    Application().SetTitle("First instance copy");
    TFirstInstance instance(nullptr);
    instance.BeginLoading();
    instance.EndLoading();
    if (instance.Found()) {
        std::printf("copy: found\n");
        std::fflush(stdout);
        Application().Run();
        return "ended";
    }
    std::printf("copy: instance\n");
    std::fflush(stdout);
    const HWND window = Application().Handle();
    ShowWindow(window, SW_MINIMIZE);
    if (std::getenv(kCopyVariable) == nullptr) {
        EXPECT_TRUE(WindowDirectory().RequestRestore(WindowDirectory().Windows().at(0)));
    }
    return test::PumpUntil([&] { return !IsIconic(window); }, std::chrono::seconds(20))
               ? "restored"
               : "still minimised";
}

TEST(FirstInstanceCopy, Run) {
    if (std::getenv(kCopyVariable) != nullptr) {
        char go = 0;
        ASSERT_EQ(read(STDIN_FILENO, &go, 1), 1);
        std::printf("copy: %s\n", RunCopy().c_str());
        return;
    }
    // Alone, with a directory of its own: it becomes the instance, and a request it sends
    // itself restores its window.
    test::TempDir temp;
    TFileWindowDirectory directory(OpenPrivateFolder(temp.File("vexbane")));
    SetWindowDirectory(&directory);
    EXPECT_EQ(RunCopy(), "restored");
    SetWindowDirectory(nullptr);
}

// One copy, with its input and output through pipes.
class TCopy {
public:
    explicit TCopy(const std::string& RuntimeDir) {
        int input[2], output[2];
        EXPECT_EQ(pipe2(input, O_CLOEXEC), 0);
        EXPECT_EQ(pipe2(output, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);

        std::vector<std::string> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string text = *variable;
            if (!text.starts_with("XDG_RUNTIME_DIR=") && !text.starts_with("VEX_DISPLAY="))
                environment.push_back(text);
        }
        environment.push_back("XDG_RUNTIME_DIR=" + RuntimeDir);
        environment.push_back("VEX_DISPLAY=headless");
        environment.push_back(std::string(kCopyVariable) + "=1");
        std::vector<char*> envp;
        for (std::string& text : environment)
            envp.push_back(text.data());
        envp.push_back(nullptr);

        std::string program = "/proc/self/exe";
        std::string filter = "--gtest_filter=FirstInstanceCopy.Run";
        char* argv[] = {program.data(), filter.data(), nullptr};
        EXPECT_EQ(posix_spawn(&FPid, program.c_str(), &actions, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(input[0]);
        close(output[1]);
        FInput = input[1];
        FOutput = output[0];
    }
    ~TCopy() {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
        close(FInput);
        close(FOutput);
    }
    TCopy(const TCopy&) = delete;
    TCopy& operator=(const TCopy&) = delete;

    pid_t Pid() const { return FPid; }
    void Go() { EXPECT_EQ(write(FInput, "\n", 1), 1); }

    // The next "copy: " line without its prefix; "" when none comes within 20 seconds.
    std::string Next() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            for (size_t end; (end = FPending.find('\n')) != std::string::npos;) {
                const std::string line = FPending.substr(0, end);
                FPending.erase(0, end + 1);
                if (line.starts_with("copy: ")) return line.substr(6);
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{FOutput, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                return "";
            char buffer[4096];
            const ssize_t got = read(FOutput, buffer, sizeof buffer);
            if (got <= 0) return "";
            FPending.append(buffer, static_cast<size_t>(got));
        }
    }
    // The exit status once the copy has ended.
    int Wait() {
        int status = 0;
        waitpid(FPid, &status, 0);
        FPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Kill() {
        kill(FPid, SIGKILL);
        waitpid(FPid, nullptr, 0);
        FPid = -1;
    }

private:
    pid_t FPid = -1;
    int FInput = -1;
    int FOutput = -1;
    std::string FPending;
};

TEST(FirstInstanceCopies, OfTwoStartedAtOnceOneIsTheInstanceAndTheOtherRestoresIt) {
    test::TempDir runtime;
    TCopy first(runtime.Path());
    TCopy second(runtime.Path());
    first.Go();
    second.Go();
    const std::string a = first.Next();
    const std::string b = second.Next();
    ASSERT_TRUE((a == "instance" && b == "found") || (a == "found" && b == "instance"))
        << a << " and " << b;
    TCopy& instance = a == "instance" ? first : second;
    TCopy& other = a == "instance" ? second : first;
    EXPECT_EQ(other.Next(), "ended");
    EXPECT_EQ(other.Wait(), 0);
    EXPECT_EQ(instance.Next(), "restored");
    EXPECT_EQ(instance.Wait(), 0);
}

TEST(FirstInstanceCopies, AKilledInstanceIsDroppedAndTheNextStartTakesOver) {
    test::TempDir runtime;
    const std::string folder = runtime.File("vexbane");
    TCopy killed(runtime.Path());
    killed.Go();
    ASSERT_EQ(killed.Next(), "instance");
    const pid_t killedPid = killed.Pid();
    killed.Kill();

    TCopy next(runtime.Path());
    next.Go();
    EXPECT_EQ(next.Next(), "instance");
    for (const auto& file : std::filesystem::directory_iterator(folder))
        EXPECT_FALSE(file.path().filename().string().starts_with(std::to_string(killedPid) + "-"))
            << file.path();

    TCopy third(runtime.Path());
    third.Go();
    EXPECT_EQ(third.Next(), "found");
    EXPECT_EQ(next.Next(), "restored");
    EXPECT_EQ(third.Wait(), 0);
    EXPECT_EQ(next.Wait(), 0);
}

}  // namespace
}  // namespace vex
