#pragma once

// The best of many passes: a benchmark that compares two ways of doing one thing times each
// pass of each and keeps the shortest, which is the one least disturbed by the machine.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace vex::bench {

class TBestTime {
public:
    // Runs Pass once, timed.
    template <class TPass>
    void Time(TPass&& Pass) {
        const auto start = std::chrono::steady_clock::now();
        Pass();
        const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
        FSeconds = std::min(FSeconds, taken.count());
    }
    // The shortest pass so far; a large number before the first.
    double Seconds() const { return FSeconds; }

private:
    double FSeconds = 1e9;
};

// The framework's way against the same work done bare, each the best of its passes.
struct TAgainstBare {
    TBestTime Framework;
    TBestTime Bare;

    double Ratio() const { return Framework.Seconds() / Bare.Seconds(); }
    // Both times in microseconds and their ratio, as the benchmark's counters.
    void Count(benchmark::State& State) const {
        State.counters["framework_us"] = Framework.Seconds() * 1e6;
        State.counters["bare_us"] = Bare.Seconds() * 1e6;
        State.counters["ratio"] = Ratio();
    }
};

// Runs the benchmarks asked for with windows off-screen: what is measured is the framework,
// not putting pixels on a display.
inline void RunOffScreen(int argc, char** argv) {
    setenv("VEX_DISPLAY", "headless", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

}  // namespace vex::bench
