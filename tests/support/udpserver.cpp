#include "tests/support/udpserver.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "tests/support/socketwait.h"

namespace vex::test {

UdpServer::UdpServer(Responder Respond)
    : UdpServer(Datagrams([Respond = std::move(Respond)](const std::string& Request) {
          std::optional<std::string> reply = Respond(Request);
          return reply ? std::vector<std::string>{*reply} : std::vector<std::string>{};
      })) {}

UdpServer::UdpServer(Datagrams Respond) : FRespond(std::move(Respond)) {
    FFd = BindLoopback(SOCK_DGRAM, FPort);
    FStopFd = MakeStopDescriptor();
    FThread = std::thread([this] { Serve(); });
}

UdpServer::UdpServer(std::vector<std::string> Replies)
    : UdpServer([replies = std::make_shared<std::vector<std::string>>(std::move(Replies)),
                 next = std::make_shared<size_t>(0)](const std::string&) {
          std::optional<std::string> reply;
          if (*next < replies->size()) reply = (*replies)[*next];
          ++*next;
          return reply;
      }) {}

UdpServer::~UdpServer() {
    SignalStop(FStopFd);
    FThread.join();
    ::close(FFd);
    ::close(FStopFd);
}

std::string UdpServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

std::vector<std::string> UdpServer::Received() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FReceived;
}

void UdpServer::Serve() {
    while (WaitForSocket(FFd, POLLIN, FStopFd, std::chrono::hours(24)) == WaitOutcome::Ready) {
        char buffer[65536];
        sockaddr_in peer{};
        socklen_t size = sizeof peer;
        const ssize_t n = ::recvfrom(FFd, buffer, sizeof buffer, MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&peer), &size);
        if (n < 0) continue;
        const std::string request(buffer, static_cast<size_t>(n));
        {
            std::lock_guard<std::mutex> guard(FLock);
            FReceived.push_back(request);
        }
        for (const std::string& reply : FRespond(request))
            ::sendto(FFd, reply.data(), reply.size(), MSG_DONTWAIT,
                     reinterpret_cast<sockaddr*>(&peer), size);
    }
}

}  // namespace vex::test
