#include "tests/support/smtpserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "tests/support/childprocess.h"
#include "tests/support/socketwait.h"

namespace vex::test {

namespace {

// Debian's interpreter, where the python3-aiosmtpd package installs; a python3 earlier on PATH
// may be another installation without it.
const char* const kPython = "/usr/bin/python3";

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

AiosmtpdServer::AiosmtpdServer() : FPort(FreeLoopbackPort()) {
    const std::string log = FLog.File("aiosmtpd.log");
    FProcess.Start({kPython, "-m", "aiosmtpd", "-n", "-c", "aiosmtpd.handlers.Sink", "-l",
                    "127.0.0.1:" + std::to_string(FPort)},
                   log);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (FProcess.Exited())
            throw std::runtime_error("aiosmtpd exited at start:\n" + ReadWholeFile(log));
        if (Greets(FPort)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    FProcess.Stop();
    throw std::runtime_error("aiosmtpd did not start answering:\n" + ReadWholeFile(log));
}

std::string AiosmtpdServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

}  // namespace vex::test
