#include "platform/core/clock.h"

#include <ctime>

namespace vex {

namespace {

int64_t ReadClock(clockid_t Id) {
    timespec ts{};
    clock_gettime(Id, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Floor division, so an instant just before 1970 lands in the second before, not after.
int64_t FloorDiv(int64_t A, int64_t B) {
    int64_t q = A / B;
    return (A % B != 0 && (A < 0) != (B < 0)) ? q - 1 : q;
}

TClock& SystemClock() {
    static TClock clock;
    return clock;
}

std::atomic<TClock*>& CurrentClock() {
    static std::atomic<TClock*> current{&SystemClock()};
    return current;
}

}  // namespace

int64_t TClock::UtcMilliseconds() const {
    return ReadClock(CLOCK_REALTIME);
}

int32_t TClock::LocalOffsetMinutes(int64_t UtcMs) const {
    time_t seconds = static_cast<time_t>(FloorDiv(UtcMs, 1000));
    tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return 0;
    return static_cast<int32_t>(local.tm_gmtoff / 60);
}

int64_t TClock::TickMilliseconds() const {
    return ReadClock(CLOCK_MONOTONIC);
}

TClock& Clock() {
    return *CurrentClock().load();
}

TClockOverride::TClockOverride(TClock& AClock) : FPrevious(CurrentClock().exchange(&AClock)) {}

TClockOverride::~TClockOverride() {
    CurrentClock().store(FPrevious);
}

TFixedClock::TFixedClock(int64_t UtcMs, int32_t OffsetMinutes, int64_t TickMs)
    : FUtcMs(UtcMs), FOffsetMinutes(OffsetMinutes), FTickMs(TickMs) {}

void TFixedClock::Advance(int64_t Milliseconds) {
    FUtcMs += Milliseconds;
    FTickMs += Milliseconds;
}

uint32_t GetTickCount() {
    return static_cast<uint32_t>(Clock().TickMilliseconds());
}

}  // namespace vex
