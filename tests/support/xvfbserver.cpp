#include "tests/support/xvfbserver.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace vex::test {

namespace {

const char* const kXvfb = "/usr/bin/Xvfb";

// Both ends of a pipe, closed with the object.
class Pipe {
public:
    Pipe() {
        if (::pipe2(FFds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe for Xvfb");
    }
    ~Pipe() {
        CloseWriteEnd();
        ::close(FFds[0]);
    }
    int ReadEnd() const { return FFds[0]; }
    // The server inherits the write end; only it may keep it open, so that its end is seen.
    int InheritableWriteEnd() {
        if (::fcntl(FFds[1], F_SETFD, 0) != 0) throw std::runtime_error("fcntl on a pipe failed");
        return FFds[1];
    }
    void CloseWriteEnd() {
        if (FFds[1] >= 0) ::close(FFds[1]);
        FFds[1] = -1;
    }

private:
    int FFds[2] = {-1, -1};
};

}  // namespace

XvfbServer::XvfbServer(bool SharedMemory, int Width, int Height) {
    if (::access(kXvfb, X_OK) != 0)
        throw std::runtime_error("Xvfb is not installed (" + std::string(kXvfb) + ")");
    Pipe ready;
    std::vector<std::string> arguments = {
        kXvfb,       "-displayfd", std::to_string(ready.InheritableWriteEnd()),
        "-screen",   "0",          std::to_string(Width) + "x" + std::to_string(Height) + "x24",
        "-nolisten", "tcp",        "-noreset"};
    if (!SharedMemory) arguments.insert(arguments.end(), {"-extension", "MIT-SHM"});
    FServer.Start(arguments, FRoot.File("xvfb.log"));
    ready.CloseWriteEnd();
    FDisplayName = ":" + ReadDisplayNumber(ready.ReadEnd());
}

std::string XvfbServer::ReadDisplayNumber(int Fd) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string number;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) throw std::runtime_error("Xvfb did not start:\n" + Log());
        pollfd p{Fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char c = 0;
        if (::read(Fd, &c, 1) != 1) break;  // the server ended without naming its display
        if (c == '\n') break;
        if (!std::isdigit(static_cast<unsigned char>(c)) || number.size() > 9) break;
        number += c;
    }
    if (number.empty() || FServer.Exited())
        throw std::runtime_error("Xvfb exited at start:\n" + Log());
    return number;
}

std::string XvfbServer::Log() const {
    return ReadWholeFile(FRoot.File("xvfb.log"));
}

}  // namespace vex::test
