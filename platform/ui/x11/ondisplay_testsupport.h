#pragma once

// What the tests that drive the framework on an Xvfb display share: a fixture that starts the
// server and puts the headless world back after, xdotool, and a loop that waits for an outcome.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/clock.h"
#include "platform/ui/input_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/messagequeue.h"
#include "platform/win/presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/xvfbserver.h"

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

// Runs xdotool on the display with Arguments and waits for it: its events are on the server
// when it ends.
inline void RunXdotool(const std::string& Display, const std::string& Arguments) {
    const std::string command = "DISPLAY=" + Display + " xdotool " + Arguments;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
}

// A fresh Xvfb that the test's windows go to once it sets the X11 presenter; the headless
// presenter and no key held afterwards.
class OnDisplayTest : public testing::Test {
protected:
    OnDisplayTest() {
        setenv("DISPLAY", FServer.DisplayName().c_str(), 1);
        unsetenv("VEX_DISPLAY");
    }
    ~OnDisplayTest() override {
        SetPresenter(std::make_unique<THeadlessPresenter>());
        setenv("VEX_DISPLAY", "headless", 1);
        ReleaseAllKeys();
    }

    XvfbServer FServer;
    X11Peer FPeer{FServer.DisplayName()};
};

}  // namespace vex::test
