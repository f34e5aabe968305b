#pragma once

#include <chrono>
#include <thread>

namespace vex::test {

// Waits, polling every millisecond, until Done() holds; gives up after ten seconds so that a
// hang fails the test instead of stalling the run. For conditions another thread makes true.
template <class Condition>
bool WaitUntil(Condition Done) {
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

}  // namespace vex::test
