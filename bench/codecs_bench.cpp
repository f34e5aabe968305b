// How fast the message decoders read what a stranger sends: base64 and quoted-printable bodies
// of 64 MiB, decoded by our routines and by Python's own codecs (base64.b64decode and
// quopri.decodestring, whose work is done in C) on the same bytes, read from the same file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "net/base64.h"
#include "net/quotedprintable.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"

namespace {

constexpr size_t kInputSize = size_t{64} << 20;
constexpr int32_t kWhole = std::numeric_limits<int32_t>::max();

std::string RandomBytes(size_t Count, uint32_t Seed) {
    std::mt19937 random(Seed);
    std::string bytes(Count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// The input file, removed when the program ends.
class TTempFile {
public:
    explicit TTempFile(const std::string& Contents) {
        char name[] = "/tmp/codecs_bench_XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) std::abort();
        FName = name;
        size_t done = 0;
        while (done < Contents.size()) {
            const ssize_t n = write(fd, Contents.data() + done, Contents.size() - done);
            if (n <= 0) std::abort();
            done += static_cast<size_t>(n);
        }
        close(fd);
    }
    ~TTempFile() { unlink(FName.c_str()); }
    const std::string& Name() const { return FName; }

private:
    std::string FName;
};

// Python's best of three decodes of the file, in seconds.
double PythonSeconds(const std::string& Decode, const std::string& FileName) {
    const std::string command =
        "python3 -c \"import base64, quopri, sys, time\n"
        "data = open(sys.argv[1], 'rb').read()\n"
        "best = 1e9\n"
        "for _ in range(3):\n"
        "    start = time.perf_counter()\n"
        "    " +
        Decode +
        "(data)\n"
        "    best = min(best, time.perf_counter() - start)\n"
        "print(best)\" " +
        FileName;
    FILE* pipe = popen(command.c_str(), "r");
    double seconds = 0;
    if (!pipe || std::fscanf(pipe, "%lf", &seconds) != 1) seconds = 0;
    if (pipe) pclose(pipe);
    return seconds;
}

struct TResult {
    double Ours = 0;    // seconds, best iteration
    double Python = 0;  // seconds, best of three
    double MiB = 0;     // input size
};

TResult gBase64;
TResult gQuotedPrintable;

void BM_Base64DecodeAgainstPythonBase64(benchmark::State& State) {
    std::string text;
    vex::Base64Encode(RandomBytes(kInputSize / 4 * 3, 1), text, kWhole);
    const TTempFile file(text);
    gBase64.MiB = static_cast<double>(text.size()) / (1 << 20);
    gBase64.Ours = 1e9;
    std::string bytes;
    for (auto _ : State) {
        const auto start = std::chrono::steady_clock::now();
        vex::Base64Decode(text, bytes, kWhole);
        benchmark::DoNotOptimize(bytes.data());
        gBase64.Ours = std::min(
            gBase64.Ours,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    gBase64.Python = PythonSeconds("base64.b64decode", file.Name());
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * text.size()));
}

void BM_QuotedPrintableDecodeAgainstPythonQuopri(benchmark::State& State) {
    // Random bytes encoded once; the lines are taken up to 64 MiB of text.
    vex::TStringStream source(RandomBytes(kInputSize / 2, 2));
    vex::TStringList encoded;
    vex::TQuotedPrintable(&source, &encoded).Encode();
    vex::TStringList lines;
    std::string text;
    for (int32_t i = 0; i < encoded.Count() && text.size() < kInputSize; ++i) {
        lines.Add(encoded[i]);
        text += encoded[i] + "\r\n";
    }
    const TTempFile file(text);
    gQuotedPrintable.MiB = static_cast<double>(text.size()) / (1 << 20);
    gQuotedPrintable.Ours = 1e9;
    for (auto _ : State) {
        vex::TMemoryStream bytes;
        const auto start = std::chrono::steady_clock::now();
        vex::TQuotedPrintable(&bytes, &lines).Decode();
        benchmark::DoNotOptimize(bytes.Memory());
        gQuotedPrintable.Ours = std::min(
            gQuotedPrintable.Ours,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    gQuotedPrintable.Python = PythonSeconds("quopri.decodestring", file.Name());
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * text.size()));
}

BENCHMARK(BM_Base64DecodeAgainstPythonBase64)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedPrintableDecodeAgainstPythonQuopri)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void Report(const char* Name, const TResult& R) {
    const double ours = R.Ours > 0 ? R.MiB / R.Ours : 0;
    const double python = R.Python > 0 ? R.MiB / R.Python : 0;
    std::printf("%s of %.1f MiB: ours %.0f MiB/s, Python %.0f MiB/s; ratio %.2f\n", Name, R.MiB,
                ours, python, python > 0 ? ours / python : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Report("base64 decode", gBase64);
    Report("quoted-printable decode", gQuotedPrintable);
    return 0;
}
