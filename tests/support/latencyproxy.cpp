#include "tests/support/latencyproxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "tests/support/socketwait.h"

namespace vex::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t ReadChunk = 64 * 1024;

// What one side sent, to be passed on at Due; End stands for the end of its stream, Reset for
// an end by reset.
struct Chunk {
    Clock::time_point Due;
    std::string Bytes;
    bool End = false;
    bool Reset = false;
};

// One direction of a relayed connection.
struct Direction {
    Direction(int AFrom, int ATo) : From(AFrom), To(ATo) {}

    int From;
    int To;
    std::deque<Chunk> Queue;
    size_t Queued = 0;  // bytes held
    size_t Offset = 0;  // of the front chunk, already passed on
    bool ReadEnded = false;
    bool Done = false;  // the end has been passed on

    bool Reading() const { return !ReadEnded && Queued < LatencyProxy::MaxQueued; }
    bool Due(Clock::time_point Now) const { return !Queue.empty() && Queue.front().Due <= Now; }
};

// A client's connection and the one made for it to the target. A relay that fails is reset on
// both sides, as a broken path would leave them.
struct Relay {
    Relay(int Client, int Server) : Up(Client, Server), Down(Server, Client) {}
    ~Relay() {
        for (const int fd : {Up.From, Down.From}) {
            if (Failed) {
                const linger abort{1, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
            }
            ::close(fd);
        }
    }
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

    bool Over() const { return Failed || (Up.Done && Down.Done); }

    Direction Up;    // client to server
    Direction Down;  // server to client
    bool Failed = false;
};

void SetNoDelay(int Fd) {
    const int one = 1;
    ::setsockopt(Fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// A blocking connect, which on loopback ends at once; -1 when refused.
int ConnectLoopback(uint16_t Port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(Port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::fcntl(fd, F_SETFL, O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    SetNoDelay(fd);
    return fd;
}

// Reads what From holds into the queue, due Delay from now; false when the connection broke.
// A reset by the peer is an end like a close: it follows what the peer sent before it.
bool ReadInto(Direction& D, std::chrono::milliseconds Delay) {
    char buffer[ReadChunk];
    const ssize_t n = ::recv(D.From, buffer, sizeof buffer, 0);
    if (n < 0 && errno != ECONNRESET) return errno == EAGAIN || errno == EINTR;
    const Clock::time_point due = Clock::now() + Delay;
    if (n <= 0) {
        D.ReadEnded = true;
        D.Queue.push_back(Chunk{due, {}, true, n < 0});
        return true;
    }
    D.Queue.push_back(Chunk{due, std::string(buffer, static_cast<size_t>(n))});
    D.Queued += static_cast<size_t>(n);
    return true;
}

// Passes on every chunk that is due, as far as To takes it; false when the connection broke.
bool WriteDue(Direction& D) {
    while (D.Due(Clock::now())) {
        Chunk& front = D.Queue.front();
        // A reset passed on fails the relay, which resets both sides.
        if (front.Reset) return false;
        if (front.End) {
            ::shutdown(D.To, SHUT_WR);
            D.Queue.pop_front();
            D.Done = true;
            return true;
        }
        const ssize_t n = ::send(D.To, front.Bytes.data() + D.Offset, front.Bytes.size() - D.Offset,
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) return errno == EAGAIN || errno == EINTR;
        D.Offset += static_cast<size_t>(n);
        if (D.Offset < front.Bytes.size()) return true;
        D.Queued -= front.Bytes.size();
        D.Offset = 0;
        D.Queue.pop_front();
    }
    return true;
}

}  // namespace

LatencyProxy::LatencyProxy(uint16_t TargetPort, std::chrono::milliseconds Delay)
    : FTargetPort(TargetPort), FDelay(Delay) {
    FListenFd = BindLoopback(SOCK_STREAM, FPort);
    if (::listen(FListenFd, 16) != 0 || ::fcntl(FListenFd, F_SETFL, O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(FListenFd);
        throw std::system_error(error, std::generic_category(), "listen");
    }
    FStopFd = MakeStopDescriptor();
    FThread = std::thread([this] { Run(); });
}

LatencyProxy::~LatencyProxy() {
    SignalStop(FStopFd);
    FThread.join();
    ::close(FListenFd);
    ::close(FStopFd);
}

std::string LatencyProxy::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

void LatencyProxy::Run() {
    std::vector<std::unique_ptr<Relay>> relays;
    std::vector<pollfd> fds;
    for (;;) {
        const Clock::time_point now = Clock::now();
        std::optional<Clock::time_point> wake;
        fds.assign({{FStopFd, POLLIN, 0}, {FListenFd, POLLIN, 0}});
        for (const auto& relay : relays) {
            pollfd client{relay->Up.From, 0, 0};
            pollfd server{relay->Down.From, 0, 0};
            for (const Direction* d : {&relay->Up, &relay->Down}) {
                pollfd& from = d == &relay->Up ? client : server;
                pollfd& to = d == &relay->Up ? server : client;
                if (d->Reading()) from.events |= POLLIN;
                if (d->Due(now))
                    to.events |= POLLOUT;
                else if (!d->Queue.empty())
                    wake = std::min(wake.value_or(d->Queue.front().Due), d->Queue.front().Due);
            }
            // A hang-up is reported even when nothing is asked; a side neither read nor written
            // now is left out, so that it can't wake the loop over and over.
            for (pollfd* side : {&client, &server})
                if (side->events == 0) side->fd = -1;
            fds.push_back(client);
            fds.push_back(server);
        }
        int timeout = -1;
        if (wake) {
            // Rounded up, so that a chunk is never passed on early.
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*wake - now);
            timeout = static_cast<int>(std::max<int64_t>(left.count(), 0));
        }
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) return;
        if (fds[0].revents != 0) return;

        for (size_t i = 0; i < relays.size(); ++i) {
            Relay& relay = *relays[i];
            const short clientEvents = fds[2 + 2 * i].revents;
            const short serverEvents = fds[3 + 2 * i].revents;
            for (Direction* d : {&relay.Up, &relay.Down}) {
                const short fromEvents = d == &relay.Up ? clientEvents : serverEvents;
                if (d->Reading() && (fromEvents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
                    !ReadInto(*d, FDelay))
                    relay.Failed = true;
            }
            for (Direction* d : {&relay.Up, &relay.Down})
                if (!relay.Failed && !WriteDue(*d)) relay.Failed = true;
        }
        std::erase_if(relays, [](const auto& relay) { return relay->Over(); });

        if ((fds[1].revents & POLLIN) != 0) {
            const int client = ::accept4(FListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (client < 0) continue;
            const int server = ConnectLoopback(FTargetPort);
            if (server < 0) {
                ::close(client);
                continue;
            }
            SetNoDelay(client);
            relays.push_back(std::make_unique<Relay>(client, server));
        }
    }
}

}  // namespace vex::test
