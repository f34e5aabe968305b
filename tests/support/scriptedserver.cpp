#include "tests/support/scriptedserver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "tests/support/socketwait.h"

namespace vex::test {

namespace {

using Kind = ScriptStep::Kind;

}  // namespace

ScriptStep SendLine(const std::string& Line) {
    return ScriptStep{Kind::Send, Line + "\r\n"};
}
ScriptStep Send(const std::string& Bytes) {
    return ScriptStep{Kind::Send, Bytes};
}
ScriptStep ReadLine() {
    return ScriptStep{Kind::ReadLine, {}};
}
ScriptStep ReadBytes(size_t Count) {
    return ScriptStep{Kind::ReadBytes, {}, Count};
}
ScriptStep Delay(int Milliseconds) {
    return ScriptStep{Kind::Delay, {}, static_cast<size_t>(Milliseconds)};
}
ScriptStep Hold() {
    return ScriptStep{Kind::Hold, {}};
}
ScriptStep Silent() {
    return ScriptStep{Kind::Silent, {}};
}
ScriptStep Close() {
    return ScriptStep{Kind::Close, {}};
}
ScriptStep Reset() {
    return ScriptStep{Kind::Reset, {}};
}

ScriptedServer::ScriptedServer(Script Steps, int Connections)
    : ScriptedServer(std::vector<Script>(static_cast<size_t>(Connections), Steps)) {}

ScriptedServer::ScriptedServer(std::vector<Script> PerConnection)
    : FScripts(std::move(PerConnection)) {
    FListenFd = BindLoopback(SOCK_STREAM, FPort);
    if (::listen(FListenFd, 16) != 0) {
        const int error = errno;
        ::close(FListenFd);
        throw std::system_error(error, std::generic_category(), "listen");
    }
    FStopFd = MakeStopDescriptor();
    FAcceptor = std::thread([this] { AcceptLoop(); });
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FStopping = true;
    }
    FChanged.notify_all();
    SignalStop(FStopFd);
    FAcceptor.join();
    for (std::thread& t : FConnections)
        t.join();
    ::close(FListenFd);
    ::close(FStopFd);
}

std::string ScriptedServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

std::string ScriptedServer::Received() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FReceived;
}

std::vector<std::string> ScriptedServer::ReceivedLines() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FLines;
}

int ScriptedServer::Accepted() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FAccepted;
}

bool ScriptedServer::WaitUntilDone(std::chrono::milliseconds Timeout) const {
    return WaitUntilEnded(static_cast<int>(FScripts.size()), Timeout);
}

bool ScriptedServer::WaitUntilEnded(int Count, std::chrono::milliseconds Timeout) const {
    std::unique_lock<std::mutex> guard(FLock);
    return FChanged.wait_for(guard, Timeout, [this, Count] { return FEnded >= Count; });
}

void ScriptedServer::Release() {
    {
        std::lock_guard<std::mutex> guard(FLock);
        ++FReleases;
    }
    FChanged.notify_all();
}

bool ScriptedServer::WaitForRelease() {
    std::unique_lock<std::mutex> guard(FLock);
    if (!FChanged.wait_for(guard, StepTimeout, [this] { return FReleases > 0 || FStopping; }) ||
        FStopping)
        return false;
    --FReleases;
    return true;
}

void ScriptedServer::Record(const std::string& Bytes) {
    std::lock_guard<std::mutex> guard(FLock);
    FReceived += Bytes;
}

void ScriptedServer::RecordLine(const std::string& Line) {
    std::lock_guard<std::mutex> guard(FLock);
    FLines.push_back(Line);
}

void ScriptedServer::ScriptEnded() {
    {
        std::lock_guard<std::mutex> guard(FLock);
        ++FEnded;
    }
    FChanged.notify_all();
}

void ScriptedServer::AcceptLoop() {
    // Only the acceptor adds connection threads, and the destructor joins it before them.
    while (FConnections.size() < FScripts.size()) {
        if (WaitForSocket(FListenFd, POLLIN, FStopFd, std::chrono::hours(24)) != WaitOutcome::Ready)
            return;
        const int fd = ::accept4(FListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) continue;
        {
            std::lock_guard<std::mutex> guard(FLock);
            ++FAccepted;
        }
        const Script& steps = FScripts[FConnections.size()];
        FConnections.emplace_back([this, fd, &steps] { Run(fd, steps); });
    }
}

void ScriptedServer::Run(int Fd, const Script& Steps) {
    std::string pending;  // received but not yet consumed by a read step
    bool open = true;
    // Reads more into pending; false when the step cannot go on (time-out, stop, client gone).
    auto readMore = [&] {
        if (WaitForSocket(Fd, POLLIN, FStopFd, StepTimeout) != WaitOutcome::Ready) return false;
        char buffer[4096];
        const ssize_t n = ::recv(Fd, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return true;
        if (n <= 0) return false;
        pending.append(buffer, static_cast<size_t>(n));
        Record(std::string(buffer, static_cast<size_t>(n)));
        return true;
    };
    auto send = [&](const std::string& Bytes) {
        size_t sent = 0;
        while (sent < Bytes.size()) {
            const ssize_t n = ::send(Fd, Bytes.data() + sent, Bytes.size() - sent, MSG_NOSIGNAL);
            if (n >= 0) {
                sent += static_cast<size_t>(n);
                continue;
            }
            if (errno != EAGAIN && errno != EINTR) return false;
            if (WaitForSocket(Fd, POLLOUT, FStopFd, StepTimeout) != WaitOutcome::Ready)
                return false;
        }
        return true;
    };

    bool going = true;
    for (size_t i = 0; going && i < Steps.size(); ++i) {
        const ScriptStep& step = Steps[i];
        switch (step.What) {
            case Kind::Send:
                going = send(step.Bytes);
                break;
            case Kind::ReadLine: {
                size_t end;
                while (going && (end = pending.find('\n')) == std::string::npos)
                    going = readMore();
                if (!going) break;
                std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                while (!line.empty() && line.back() == '\r')
                    line.pop_back();
                RecordLine(line);
                break;
            }
            case Kind::ReadBytes:
                while (going && pending.size() < step.Count)
                    going = readMore();
                if (going) pending.erase(0, step.Count);
                break;
            case Kind::Delay:
                going = WaitForSocket(-1, 0, FStopFd, std::chrono::milliseconds(step.Count)) ==
                        WaitOutcome::TimedOut;
                break;
            case Kind::Hold:
                going = WaitForRelease();
                break;
            case Kind::Silent:
                going = false;
                break;
            case Kind::Close:
                ::shutdown(Fd, SHUT_WR);
                going = false;
                break;
            case Kind::Reset: {
                const linger abort{1, 0};
                ::setsockopt(Fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
                ::close(Fd);
                open = false;
                going = false;
                break;
            }
        }
    }
    ScriptEnded();
    // Until the client leaves or the server ends, whatever else arrives is still recorded.
    while (open &&
           WaitForSocket(Fd, POLLIN, FStopFd, std::chrono::hours(24)) == WaitOutcome::Ready) {
        char buffer[4096];
        const ssize_t n = ::recv(Fd, buffer, sizeof buffer, 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
        if (n > 0) Record(std::string(buffer, static_cast<size_t>(n)));
    }
    if (open) ::close(Fd);
}

uint16_t RefusingPort() {
    // The socket is bound but never listens, and stays open until the process ends.
    static const uint16_t port = [] {
        uint16_t p = 0;
        BindLoopback(SOCK_STREAM, p);
        return p;
    }();
    return port;
}

}  // namespace vex::test
