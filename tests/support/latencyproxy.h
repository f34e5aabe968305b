#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace vex::test {

// A distant server on this machine: a TCP relay on 127.0.0.1 and an ephemeral port that passes
// each connection on to 127.0.0.1:TargetPort and holds every chunk it relays, and the end of
// each direction (a close or a reset), for Delay before passing it on, in order. One thread serves
// every connection through poll(); a direction that holds MaxQueued bytes reads no more until it
// has passed some on, so a fast sender meets the slow reader as it would across a real network. The
// destructor stops the thread and closes every connection.
class LatencyProxy {
public:
    static constexpr size_t MaxQueued = size_t{4} * 1024 * 1024;

    // Throws std::system_error when it cannot listen.
    LatencyProxy(uint16_t TargetPort, std::chrono::milliseconds Delay);
    ~LatencyProxy();
    LatencyProxy(const LatencyProxy&) = delete;
    LatencyProxy& operator=(const LatencyProxy&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;  // "127.0.0.1:port"

private:
    void Run();

    uint16_t FTargetPort;
    std::chrono::milliseconds FDelay;
    int FListenFd = -1;
    int FStopFd = -1;
    uint16_t FPort = 0;
    std::thread FThread;
};

}  // namespace vex::test
