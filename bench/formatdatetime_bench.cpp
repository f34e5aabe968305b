// What FormatDateTime costs against the C library: 1,000,000 date-times written with
// "dddd, mmmm d, yyyy hh:nn:ss", and the same instants written by gmtime_r and strftime with
// "%A, %B %-d, %Y %H:%M:%S" in the C locale, whose names are the settings' default names. Both
// sides write every text in the same run and their texts are compared once; each side is the
// best of its passes and the ratio is a counter.

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "platform/core/datetime.h"

namespace vex {
namespace {

constexpr int32_t kValues = 1'000'000;
constexpr const char* kFormat = "dddd, mmmm d, yyyy hh:nn:ss";
constexpr const char* kPeerFormat = "%A, %B %-d, %Y %H:%M:%S";

// Whole seconds from 1900 to 2100, so that both sides name the same instant exactly.
std::vector<time_t> Instants() {
    std::mt19937_64 rng(1);
    std::uniform_int_distribution<int64_t> seconds(-2208988800, 4102444799);
    std::vector<time_t> result(kValues);
    for (time_t& t : result)
        t = static_cast<time_t>(seconds(rng));
    return result;
}

std::string PeerText(time_t Instant) {
    std::tm parts{};
    gmtime_r(&Instant, &parts);
    char text[96];
    return std::string(text, std::strftime(text, sizeof text, kPeerFormat, &parts));
}

void FormatAgainstStrftime(benchmark::State& State) {
    std::setlocale(LC_ALL, "C");
    const std::vector<time_t> instants = Instants();
    std::vector<TDateTime> values;
    values.reserve(instants.size());
    for (time_t t : instants)
        values.push_back(UnixToDateTime(t));
    for (size_t i = 0; i < values.size(); i += 997)
        if (FormatDateTime(kFormat, values[i]) != PeerText(instants[i])) {
            State.SkipWithError(("the texts differ: " + FormatDateTime(kFormat, values[i]) +
                                 " against " + PeerText(instants[i]))
                                    .c_str());
            return;
        }
    const std::string format = kFormat;
    bench::TAgainstBare times;
    for (auto _ : State) {
        times.Bare.Time([&] {
            char text[96];
            std::tm parts{};
            for (time_t t : instants) {
                gmtime_r(&t, &parts);
                benchmark::DoNotOptimize(std::strftime(text, sizeof text, kPeerFormat, &parts));
                benchmark::ClobberMemory();
            }
        });
        times.Framework.Time([&] {
            for (TDateTime value : values) {
                std::string text = FormatDateTime(format, value);
                benchmark::DoNotOptimize(text.data());
            }
        });
    }
    times.Count(State);
}

BENCHMARK(FormatAgainstStrftime)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vex

BENCHMARK_MAIN();
