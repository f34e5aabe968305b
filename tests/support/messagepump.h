#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/messageloop.h"
#include "platform/win/window.h"

namespace vex::test {

// A hidden window that records the messages it receives.
class RecordingWindow {
public:
    RecordingWindow() : FWnd(AllocateHWnd([this](TMessage& M) { Received.push_back(M); })) {}
    ~RecordingWindow() { DeallocateHWnd(FWnd); }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return FWnd; }

    std::vector<TMessage> Received;

private:
    HWND FWnd;
};

// Dispatches messages until Condition holds; returns false, after a test failure, when it has
// not held within Watchdog of real time.
inline bool PumpUntil(const std::function<bool()>& Condition,
                      std::chrono::milliseconds Watchdog = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + Watchdog;
    // Short slices, so the watchdog is looked at even when nothing wakes the loop.
    while (ProcessMessagesUntil(Condition, Clock().TickMilliseconds() + 20) !=
           TWaitResult::Condition) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "watchdog: the condition never held";
            return false;
        }
    }
    return true;
}

// Dispatches messages for a stretch of real time, to show that nothing more arrives.
inline void PumpFor(std::chrono::milliseconds Duration) {
    const auto until = std::chrono::steady_clock::now() + Duration;
    PumpUntil([&] { return std::chrono::steady_clock::now() >= until; }, Duration * 2);
}

}  // namespace vex::test
