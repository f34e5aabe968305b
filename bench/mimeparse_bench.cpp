// Parsing real messages: the corpus of the tests (the MIME standards' examples and Debian's sample
// messages), repeated to at least 50 MiB, with the message parser and with Python's email package
// (compat32 policy, walking every part and decoding its payload), in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "net/msmsgcls.h"
#include "platform/core/stream.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kMinimumBytes = size_t{50} << 20;

std::vector<std::string> CorpusFiles() {
    const std::string folders[] = {std::string(VEX_SOURCE_DIR) + "/tests/corpus/rfc",
                                   std::string(VEX_PYTHON_LIBRARY) + "/test/test_email/data",
                                   "/usr/share/doc/spamassassin/examples"};
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        if (!fs::is_directory(folder)) throw std::runtime_error("missing corpus folder " + folder);
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".eml") || (name.starts_with("msg_") && name.ends_with(".txt")) ||
                name.starts_with("sample-"))
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadAll(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct TCorpus {
    std::vector<std::string> Files;
    std::vector<std::string> Messages;
    int Rounds = 0;
    size_t Bytes = 0;
};

const TCorpus& Corpus() {
    static const TCorpus corpus = [] {
        TCorpus c;
        c.Files = CorpusFiles();
        size_t once = 0;
        for (const std::string& file : c.Files) {
            c.Messages.push_back(ReadAll(file));
            once += c.Messages.back().size();
        }
        c.Rounds = static_cast<int>((kMinimumBytes + once - 1) / once);
        c.Bytes = once * static_cast<size_t>(c.Rounds);
        return c;
    }();
    return corpus;
}

double gOursSeconds = 1e9;
double gPythonSeconds = 1e9;

void BM_ParseCorpusWithTheMessageParser(benchmark::State& State) {
    const TCorpus& corpus = Corpus();
    for (auto _ : State) {
        const auto start = std::chrono::steady_clock::now();
        vex::TmsMessage message(nullptr);
        for (int round = 0; round < corpus.Rounds; ++round) {
            for (const std::string& text : corpus.Messages) {
                vex::TStringStream in(text);
                message.LoadFromStream(in);
                benchmark::DoNotOptimize(message.Attachments().Count());
            }
        }
        gOursSeconds = std::min(
            gOursSeconds,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * corpus.Bytes));
}

// Python's own timing of the same parse, read from its output.
void BM_ParseCorpusWithPythonEmail(benchmark::State& State) {
    const TCorpus& corpus = Corpus();
    std::string command =
        "python3 -c \"import email, email.policy, sys, time\n"
        "data = [open(f, 'rb').read() for f in sys.argv[2:]]\n"
        "t = time.perf_counter()\n"
        "for _ in range(int(sys.argv[1])):\n"
        "    for d in data:\n"
        "        m = email.message_from_bytes(d, policy=email.policy.compat32)\n"
        "        for part in m.walk():\n"
        "            if not part.is_multipart(): part.get_payload(decode=True)\n"
        "print(time.perf_counter() - t)\n\" " +
        std::to_string(corpus.Rounds);
    for (const std::string& file : corpus.Files)
        command += " '" + file + "'";
    for (auto _ : State) {
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        double seconds = 0;
        if (!pipe || std::fscanf(pipe.get(), "%lf", &seconds) != 1)
            throw std::runtime_error("python3 did not parse the corpus");
        gPythonSeconds = std::min(gPythonSeconds, seconds);
        State.SetIterationTime(seconds);
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * corpus.Bytes));
}

BENCHMARK(BM_ParseCorpusWithTheMessageParser)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseCorpusWithPythonEmail)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double mib = static_cast<double>(Corpus().Bytes) / (1 << 20);
    std::printf(
        "parsing %.1f MiB (%zu messages x %d): parser %.1f MiB/s, Python email %.1f MiB/s; "
        "ratio %.2f\n",
        mib, Corpus().Messages.size(), Corpus().Rounds, mib / gOursSeconds, mib / gPythonSeconds,
        gPythonSeconds / gOursSeconds);
    return 0;
}
