#pragma once

// What a wait costs: the processor time of the calling thread against the time that passed.

#include <time.h>

#include "platform/core/clock.h"

namespace vex::bench {

inline double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

inline double WallSeconds() {
    return static_cast<double>(Clock().TickMilliseconds()) / 1000.0;
}

}  // namespace vex::bench
