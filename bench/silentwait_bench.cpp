// How much of a core a network wait costs while the server says nothing: a two-second wait on a
// silent socket through the message loop, against the same wait done by one bare poll(), the
// least any wait can cost.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "bench/cpushare.h"
#include "platform/core/clock.h"
#include "platform/win/messageloop.h"
#include "platform/win/window.h"
#include "platform/winsock/winsock.h"

namespace {

constexpr int kWaitMilliseconds = 2000;

using vex::bench::ThreadCpuSeconds;
using vex::bench::WallSeconds;

// A loopback listener that never accepts or answers: the kernel completes the connection from
// its backlog and then nothing ever arrives.
class SilentServer {
public:
    SilentServer() {
        FFd = ::socket(AF_INET, 1 /* stream */, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = vex::htonl(0x7F000001);
        socklen_t length = sizeof address;
        if (FFd < 0 || ::bind(FFd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(FFd, 4) != 0 ||
            ::getsockname(FFd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot start the silent server");
        FAddress = address;
    }
    ~SilentServer() { ::close(FFd); }
    const sockaddr_in& Address() const { return FAddress; }

private:
    int FFd = -1;
    sockaddr_in FAddress{};
};

double gLoopCpuShare = 0;
double gPollCpuShare = 0;

void BM_SilentSocketWaitThroughTheMessageLoop(benchmark::State& State) {
    SilentServer server;
    vex::WSADATA data;
    vex::WSAStartup(vex::MAKEWORD(1, 1), &data);
    bool connected = false, dataReady = false;
    const vex::UINT socketMessage = vex::WM_USER + 150;
    const vex::HWND window = vex::AllocateHWnd([&](vex::TMessage& M) {
        if (M.Msg != socketMessage) return;
        const auto event = vex::WSAGETSELECTEVENT(M.LParam);
        connected = connected || event == vex::FD_CONNECT;
        dataReady = dataReady || event == vex::FD_READ || event == vex::FD_CLOSE;
    });
    const vex::SOCKET s = vex::socket(AF_INET, vex::SOCK_STREAM, 0);
    vex::WSAAsyncSelect(s, window, socketMessage, vex::FD_READ | vex::FD_CONNECT | vex::FD_CLOSE);
    vex::connect(s, reinterpret_cast<const sockaddr*>(&server.Address()), sizeof(sockaddr_in));
    vex::ProcessMessagesUntil([&] { return connected; });

    for (auto _ : State) {
        const double cpu = ThreadCpuSeconds(), wall = WallSeconds();
        vex::ProcessMessagesUntil([&] { return dataReady; },
                                  vex::Clock().TickMilliseconds() + kWaitMilliseconds);
        gLoopCpuShare = (ThreadCpuSeconds() - cpu) / (WallSeconds() - wall);
    }
    State.counters["cpu_share_percent"] = gLoopCpuShare * 100;
    vex::closesocket(s);
    vex::DeallocateHWnd(window);
    vex::WSACleanup();
}

void BM_SilentSocketWaitByOneBarePoll(benchmark::State& State) {
    SilentServer server;
    const int s = ::socket(AF_INET, 1 /* stream */, 0);
    ::connect(s, reinterpret_cast<const sockaddr*>(&server.Address()), sizeof(sockaddr_in));
    for (auto _ : State) {
        const double cpu = ThreadCpuSeconds(), wall = WallSeconds();
        pollfd p{s, POLLIN, 0};
        ::poll(&p, 1, kWaitMilliseconds);
        gPollCpuShare = (ThreadCpuSeconds() - cpu) / (WallSeconds() - wall);
    }
    State.counters["cpu_share_percent"] = gPollCpuShare * 100;
    ::close(s);
}

BENCHMARK(BM_SilentSocketWaitThroughTheMessageLoop)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SilentSocketWaitByOneBarePoll)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("silent 2 s wait: message loop %.3f%% of a core, bare poll %.3f%%; ratio %.1f\n",
                gLoopCpuShare * 100, gPollCpuShare * 100,
                gPollCpuShare > 0 ? gLoopCpuShare / gPollCpuShare : 0.0);
    return gLoopCpuShare < 0.02 ? 0 : 1;
}
