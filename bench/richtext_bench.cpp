// The rich-text engine against unrtf (Debian's RTF converter) reading the same 10 MB document
// in the same run; writing that document back as RTF; and typing 100,000 characters one at a
// time into the middle of 1 MB and 10 MB documents, whose time per keystroke should not depend
// on the size of the document. Typing into the control, laid out and painted, is
// richedittyping_bench's.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/rtfdocument.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"
#include "platform/rich/rtfwriter.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point Start) {
    return std::chrono::duration<double>(Clock::now() - Start).count();
}

struct TInput {
    std::string Rtf;
    std::string File;
};

const TInput& TenMegabytes() {
    static const TInput input = [] {
        TInput i;
        i.Rtf = vex::bench::MakeRtf(10 << 20);
        i.File = (std::filesystem::temp_directory_path() / "richtext_bench.rtf").string();
        std::ofstream(i.File, std::ios::binary) << i.Rtf;
        return i;
    }();
    return input;
}

double gReadSeconds = 1e9, gUnrtfSeconds = 1e9, gWriteSeconds = 1e9;
size_t gWrittenBytes = 0;
double gTypingNanoseconds[2] = {0, 0};

void BM_ReadRtfWithTheEngine(benchmark::State& State) {
    const TInput& input = TenMegabytes();
    for (auto _ : State) {
        const auto start = Clock::now();
        vex::TRichEditEngine engine;
        vex::LoadRtf(engine, input.Rtf, false);
        benchmark::DoNotOptimize(engine.TextLength());
        gReadSeconds = std::min(gReadSeconds, Since(start));
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * input.Rtf.size()));
}

void BM_ReadRtfWithUnrtfText(benchmark::State& State) {
    const TInput& input = TenMegabytes();
    const std::string command = "unrtf --text '" + input.File + "' 2>/dev/null";
    for (auto _ : State) {
        const auto start = Clock::now();
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        if (!pipe) throw std::runtime_error("unrtf could not be started");
        char buffer[1 << 16];
        size_t read = 0;
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
            read += n;
        if (read == 0) throw std::runtime_error("unrtf gave no text; is it installed?");
        pipe.reset();
        const double seconds = Since(start);
        gUnrtfSeconds = std::min(gUnrtfSeconds, seconds);
        State.SetIterationTime(seconds);
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * input.Rtf.size()));
}

void BM_WriteRtf(benchmark::State& State) {
    vex::TRichEditEngine engine;
    vex::LoadRtf(engine, TenMegabytes().Rtf, false);
    for (auto _ : State) {
        const auto start = Clock::now();
        const std::string rtf = vex::WriteRtf(engine.Document());
        gWriteSeconds = std::min(gWriteSeconds, Since(start));
        gWrittenBytes = rtf.size();
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * gWrittenBytes));
}

// State.range(0): the document's size in megabytes.
void BM_TypeIntoTheMiddle(benchmark::State& State) {
    const int megabytes = static_cast<int>(State.range(0));
    const std::string rtf =
        megabytes == 10 ? TenMegabytes().Rtf : vex::bench::MakeRtf(size_t(megabytes) << 20);
    constexpr int keystrokes = 100000;
    for (auto _ : State) {
        State.PauseTiming();
        vex::TRichEditEngine engine;
        vex::LoadRtf(engine, rtf, false);
        engine.SetSel(engine.TextLength() / 2, 0);
        State.ResumeTiming();
        const auto start = Clock::now();
        for (int i = 0; i < keystrokes; ++i)
            engine.Type(i % 64 == 63 ? " " : "x");
        const double nanoseconds = Since(start) * 1e9 / keystrokes;
        double& best = gTypingNanoseconds[megabytes == 10];
        best = best == 0 ? nanoseconds : std::min(best, nanoseconds);
    }
    State.SetItemsProcessed(State.iterations() * keystrokes);
}

BENCHMARK(BM_ReadRtfWithTheEngine)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRtfWithUnrtfText)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRtf)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeIntoTheMiddle)->Arg(1)->Arg(10)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double mib = static_cast<double>(TenMegabytes().Rtf.size()) / (1 << 20);
    std::printf("reading %.1f MiB of RTF: engine %.1f MiB/s, unrtf --text %.1f MiB/s; ratio %.2f\n",
                mib, mib / gReadSeconds, mib / gUnrtfSeconds, gUnrtfSeconds / gReadSeconds);
    std::printf("writing %.1f MiB of RTF: %.1f MB/s\n",
                static_cast<double>(gWrittenBytes) / (1 << 20),
                gWrittenBytes / gWriteSeconds / 1e6);
    std::printf(
        "typing into the middle: %.0f ns a keystroke at 1 MB, %.0f ns at 10 MB; ratio %.2f\n",
        gTypingNanoseconds[0], gTypingNanoseconds[1],
        gTypingNanoseconds[1] / gTypingNanoseconds[0]);
    std::filesystem::remove(TenMegabytes().File);
    return 0;
}
