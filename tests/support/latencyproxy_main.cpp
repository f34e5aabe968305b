// latencyproxy TARGET_PORT DELAY_MS
//
// Relays 127.0.0.1:TARGET_PORT on a loopback port of its own, holding everything it passes for
// DELAY_MS in each direction: a distant server for trying a client by hand. Prints its port on a
// line, then relays until it is sent SIGTERM or SIGINT.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tests/support/latencyproxy.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TARGET_PORT DELAY_MS\n", argv[0]);
        return 2;
    }
    const long target = std::strtol(argv[1], nullptr, 10);
    const long delay = std::strtol(argv[2], nullptr, 10);
    if (target < 1 || target > 65535 || delay < 0 || delay > 60000) {
        std::fprintf(stderr, "%s: a port from 1 to 65535 and a delay from 0 to 60000 ms\n",
                     argv[0]);
        return 2;
    }
    // Blocked before the relay's thread starts, so that only sigwait takes them.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    try {
        vex::test::LatencyProxy proxy(static_cast<uint16_t>(target),
                                      std::chrono::milliseconds(delay));
        std::printf("%u\n", proxy.Port());
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stop, &signal);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
