// Listing a 5,000-message mailbox from its headers alone (LIST and TOP per message) against a
// real Dovecot on loopback: the POP3 component against Python's poplib doing the same dialogue,
// in the same run, on the same mailbox.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "net/mspop3.h"
#include "tests/support/dovecotserver.h"

namespace {

constexpr int kMessages = 5000;

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

int ListWithComponent() {
    vex::TmsRemotePOP pop(nullptr);
    pop.SetWinsockLoaded(true);
    pop.SetServer(Server().Address());
    pop.SetUserName("bench");
    pop.SetPassword("bench-password");
    pop.UpdateInfo();
    return pop.RemoteInfo().Count();
}

// Seconds Python's poplib takes for the same login, LIST and TOP per message, and QUIT.
double ListWithPoplib() {
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
    const std::string command = "python3 -c \"" + script + "\" " + std::to_string(Server().Port());
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("cannot run python3");
    double seconds = 0;
    int listed = 0;
    if (std::fscanf(pipe.get(), "%lf %d", &seconds, &listed) != 2 || listed != kMessages)
        throw std::runtime_error("poplib did not list the mailbox");
    return seconds;
}

double gComponentRate = 0;
double gPoplibRate = 0;

void BM_ListMailboxWithComponent(benchmark::State& State) {
    ListWithComponent();  // Dovecot indexes the mailbox on its first listing
    for (auto _ : State)
        benchmark::DoNotOptimize(ListWithComponent());
    State.SetItemsProcessed(State.iterations() * kMessages);
    State.counters["messages_per_second"] = benchmark::Counter(
        static_cast<double>(State.iterations() * kMessages), benchmark::Counter::kIsRate);
}

void BM_ListMailboxWithPythonPoplib(benchmark::State& State) {
    ListWithPoplib();
    double total = 0;
    for (auto _ : State) {
        const double seconds = ListWithPoplib();
        State.SetIterationTime(seconds);
        total += seconds;
    }
    gPoplibRate = static_cast<double>(State.iterations() * kMessages) / total;
    State.counters["messages_per_second"] = gPoplibRate;
}

BENCHMARK(BM_ListMailboxWithComponent)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListMailboxWithPythonPoplib)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Collects the component's rate from the run, since its counter is computed by the library.
class RateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Reports) override {
        for (const Run& run : Reports)
            if (run.benchmark_name().find("WithComponent") != std::string::npos)
                gComponentRate =
                    static_cast<double>(run.iterations) * kMessages / (run.real_accumulated_time);
        ConsoleReporter::ReportRuns(Reports);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("listing %d messages: component %.0f msg/s, poplib %.0f msg/s, ratio %.2f\n",
                kMessages, gComponentRate, gPoplibRate,
                gPoplibRate > 0 ? gComponentRate / gPoplibRate : 0.0);
    return 0;
}
