#include "tests/support/socketwait.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vex::test {

WaitOutcome WaitForSocket(int Fd, short Events, int StopFd, std::chrono::milliseconds Timeout) {
    const auto deadline = std::chrono::steady_clock::now() + Timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() < 0) return WaitOutcome::TimedOut;
        pollfd fds[2] = {{StopFd, POLLIN, 0}, {Fd, Events, 0}};
        const int ready = ::poll(fds, Fd < 0 ? 1 : 2, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) throw std::system_error(errno, std::generic_category(), "poll");
        if (fds[0].revents != 0) return WaitOutcome::Stopped;
        if (ready > 0) return WaitOutcome::Ready;
    }
}

int MakeStopDescriptor() {
    const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
    return fd;
}

void SignalStop(int StopFd) {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(StopFd, &one, sizeof one);
}

int BindLoopback(int Type, uint16_t& Port) {
    const int fd = ::socket(AF_INET, Type | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        const int error = errno;
        ::close(fd);
        throw std::system_error(error, std::generic_category(), "bind to 127.0.0.1");
    }
    Port = ntohs(address.sin_port);
    return fd;
}

}  // namespace vex::test
