#include "tests/support/smtpserver.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "tests/support/socketwait.h"

namespace vex::test {

namespace {

// Debian's interpreter, where the python3-aiosmtpd package installs; a python3 earlier on PATH
// may be another installation without it.
const char* const kPython = "/usr/bin/python3";

void Stop(pid_t Process) {
    if (Process <= 0) return;
    ::kill(Process, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(Process, nullptr, WNOHANG) == Process) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(Process, SIGKILL);
    ::waitpid(Process, nullptr, 0);
}

// True once the server has sent the first bytes of its greeting: listening alone is not enough,
// aiosmtpd binds before its handler is ready.
bool Greets(uint16_t Port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool greeted = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        WaitForSocket(fd, POLLIN, -1, std::chrono::milliseconds(2000)) == WaitOutcome::Ready) {
        char reply[4] = {};
        greeted = ::recv(fd, reply, 3, 0) == 3 && std::string(reply, 3) == "220";
    }
    ::close(fd);
    return greeted;
}

}  // namespace

AiosmtpdServer::AiosmtpdServer() {
    // A port the kernel just handed out and released; the server binds it a moment later.
    ::close(BindLoopback(SOCK_STREAM, FPort));
    const std::string log = FLog.File("aiosmtpd.log");
    const std::string listen = "127.0.0.1:" + std::to_string(FPort);

    FProcess = ::fork();
    if (FProcess < 0) throw std::runtime_error("fork failed");
    if (FProcess == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
        }
        ::execl(kPython, kPython, "-m", "aiosmtpd", "-n", "-c", "aiosmtpd.handlers.Sink", "-l",
                listen.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(FProcess, nullptr, WNOHANG) == FProcess) {
            FProcess = -1;
            throw std::runtime_error("aiosmtpd exited at start:\n" + ReadWholeFile(log));
        }
        if (Greets(FPort)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Stop(FProcess);
    FProcess = -1;
    throw std::runtime_error("aiosmtpd did not start answering:\n" + ReadWholeFile(log));
}

AiosmtpdServer::~AiosmtpdServer() {
    Stop(FProcess);
}

std::string AiosmtpdServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

}  // namespace vex::test
