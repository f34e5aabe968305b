#pragma once

// What the tests that drive controls on an Xvfb display share: a second client's input, and a
// loop that hands it to the application as its own loop would.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/core/clock.h"
#include "platform/win/application.h"
#include "platform/win/messagequeue.h"

namespace vex::test {

// Runs xdotool on the display with Arguments and waits for it: its events are on the server
// when it ends.
inline void RunXdotool(const std::string& Display, const std::string& Arguments) {
    const std::string command = "DISPLAY=" + Display + " xdotool " + Arguments;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
}

// Hands every message that comes through the application's own handling (keys offered to the
// controls first), sleeping in the loop's wait between passes, until Condition holds or
// Watchdog of real time has gone.
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
