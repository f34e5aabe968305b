#pragma once

// What the tests that drive controls on an Xvfb display share.

#include <chrono>
#include <functional>

#include "platform/core/clock.h"
#include "platform/win/application.h"
#include "platform/win/messagequeue.h"

namespace vex::test {

// Hands every message that comes through the application's own handling, sleeping in the
// loop's wait between passes, until Condition holds or Watchdog of real time has gone.
inline bool PumpThroughApplication(const std::function<bool()>& Condition,
                                   std::chrono::milliseconds Watchdog) {
    const auto deadline = std::chrono::steady_clock::now() + Watchdog;
    for (;;) {
        Application().ProcessMessages();
        if (Condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        TMessageQueue::Instance().Wait(Clock().TickMilliseconds() + 20);
    }
}

}  // namespace vex::test
