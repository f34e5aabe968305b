#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vex::test {

// A UDP server on 127.0.0.1 and an ephemeral port that answers each datagram with what its
// responder makes of it (nothing for std::nullopt) and records every datagram it received. The
// destructor stops and joins its thread.
class UdpServer {
public:
    using Responder = std::function<std::optional<std::string>(const std::string& Request)>;
    // Any number of datagrams in answer, in order: how a stray one comes ahead of the reply.
    using Datagrams = std::function<std::vector<std::string>(const std::string& Request)>;

    explicit UdpServer(Responder Respond);
    explicit UdpServer(Datagrams Respond);
    // The n-th datagram gets the n-th reply; datagrams beyond the list get none.
    explicit UdpServer(std::vector<std::string> Replies);
    ~UdpServer();
    UdpServer(const UdpServer&) = delete;
    UdpServer& operator=(const UdpServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;  // "127.0.0.1:port"
    std::vector<std::string> Received() const;

private:
    void Serve();

    Datagrams FRespond;
    int FFd = -1;
    int FStopFd = -1;
    uint16_t FPort = 0;
    mutable std::mutex FLock;
    std::vector<std::string> FReceived;
    std::thread FThread;
};

}  // namespace vex::test
