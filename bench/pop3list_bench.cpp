// Listing a 5,000-message mailbox from its headers alone (LIST and TOP per message) against a
// real Dovecot, on loopback and through a relay that holds every chunk 5 ms each way: the POP3
// component against Python's poplib doing the same dialogue one command at a time, in the same
// run, on the same mailbox.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "net/mspop3.h"
#include "tests/support/dovecotserver.h"
#include "tests/support/latencyproxy.h"

namespace {

constexpr int kMessages = 5000;
constexpr int kDelayMs = 5;

std::vector<std::string> SampleMessages() {
    std::vector<std::string> messages;
    messages.reserve(kMessages);
    for (int i = 0; i < kMessages; ++i) {
        std::string m;
        m += "Return-Path: <sender" + std::to_string(i) + "@example.test>\r\n";
        m += "Received: from mx.example.test (mx.example.test [192.0.2.1]) by mail.example.test "
             "with ESMTP id " +
             std::to_string(100000 + i) + "; Sun, 6 Dec 2026 10:00:00 +0000\r\n";
        m += "From: \"Sender " + std::to_string(i) + "\" <sender" + std::to_string(i) +
             "@example.test>\r\n";
        m += "To: user@example.test\r\n";
        m += "Subject: =?ISO-8859-1?Q?Message_num=E9ro_" + std::to_string(i) + "?=\r\n";
        m += "Date: Sun, 6 Dec 2026 10:00:00 +0000\r\n";
        m += "Message-ID: <" + std::to_string(i) + "@example.test>\r\n";
        m += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n\r\n";
        for (int line = 0; line < 40; ++line)
            m += "Body line " + std::to_string(line) + " of a message that is not downloaded.\r\n";
        messages.push_back(std::move(m));
    }
    return messages;
}

vex::test::DovecotServer& Server() {
    static vex::test::DovecotServer server({{"bench", "bench-password", SampleMessages()}},
                                           /*Apop=*/false);
    return server;
}

// Where the clients reach the server: straight on loopback, or through a relay that holds every
// chunk DelayMs each way, as a distant server would.
uint16_t PortFor(int DelayMs) {
    if (DelayMs == 0) return Server().Port();
    static std::map<int, std::unique_ptr<vex::test::LatencyProxy>> proxies;
    auto& proxy = proxies[DelayMs];
    if (!proxy)
        proxy = std::make_unique<vex::test::LatencyProxy>(Server().Port(),
                                                          std::chrono::milliseconds(DelayMs));
    return proxy->Port();
}

// Seconds the component takes to log in, list every message and log out.
double ListWithComponent(int DelayMs) {
    const auto start = std::chrono::steady_clock::now();
    vex::TmsRemotePOP pop(nullptr);
    pop.SetWinsockLoaded(true);
    pop.SetServer("127.0.0.1:" + std::to_string(PortFor(DelayMs)));
    pop.SetUserName("bench");
    pop.SetPassword("bench-password");
    pop.UpdateInfo();
    if (pop.RemoteInfo().Count() != kMessages)
        throw std::runtime_error("the component did not list the mailbox");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds Python's poplib takes for the same login, LIST and TOP per message, and QUIT.
double ListWithPoplib(int DelayMs) {
    const std::string script =
        "import poplib, sys, time\n"
        "t = time.perf_counter()\n"
        "p = poplib.POP3('127.0.0.1', int(sys.argv[1]))\n"
        "p.user('bench'); p.pass_('bench-password')\n"
        "n = p.stat()[0]\n"
        "for i in range(1, n + 1):\n"
        "    p.list(i); p.top(i, 1)\n"
        "p.quit()\n"
        "print(time.perf_counter() - t, n)\n";
    const std::string command = "python3 -c \"" + script + "\" " + std::to_string(PortFor(DelayMs));
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("cannot run python3");
    double seconds = 0;
    int listed = 0;
    if (std::fscanf(pipe.get(), "%lf %d", &seconds, &listed) != 2 || listed != kMessages)
        throw std::runtime_error("poplib did not list the mailbox");
    return seconds;
}

// Messages per second, by client and delay.
std::map<std::pair<std::string, int>, double> gRates;

void BM_ListMailbox(benchmark::State& State, const std::string& Client, int DelayMs) {
    const auto list = Client == "component" ? ListWithComponent : ListWithPoplib;
    // Dovecot indexes the mailbox on its first listing; far away, that listing is the slow part
    // of the run, and one through the relay finds the mailbox indexed already.
    if (DelayMs == 0) list(DelayMs);
    double total = 0;
    for (auto _ : State) {
        const double seconds = list(DelayMs);
        State.SetIterationTime(seconds);
        total += seconds;
    }
    const double rate = static_cast<double>(State.iterations() * kMessages) / total;
    gRates[{Client, DelayMs}] = rate;
    State.counters["messages_per_second"] = rate;
}

BENCHMARK_CAPTURE(BM_ListMailbox, component_loopback, std::string("component"), 0)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListMailbox, poplib_loopback, std::string("poplib"), 0)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// One command at a time waits two round trips of 10 ms per message: poplib's one run takes
// well over a minute.
BENCHMARK_CAPTURE(BM_ListMailbox, component_5ms_each_way, std::string("component"), kDelayMs)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListMailbox, poplib_5ms_each_way, std::string("poplib"), kDelayMs)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [route, delay] :
         {std::pair{"on loopback", 0}, std::pair{"5 ms each way", kDelayMs}}) {
        const double component = gRates[{"component", delay}];
        const double poplib = gRates[{"poplib", delay}];
        if (component == 0 || poplib == 0) continue;
        std::printf("listing %d messages %s: component %.0f msg/s, poplib %.0f msg/s, ratio %.2f\n",
                    kMessages, route, component, poplib, component / poplib);
    }
    return 0;
}
