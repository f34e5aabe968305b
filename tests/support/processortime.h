#pragma once

#include <sys/resource.h>

namespace vex::test {

// The processor time the process has taken so far, user and system, in microseconds: what an
// idle wait must leave almost unchanged.
inline long ProcessCpuMicroseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

}  // namespace vex::test
