#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "platform/win/messages.h"

namespace vex {

// Every modal run and local loop (modal forms, message dialogs, input boxes, tracking and drag
// loops, a popup holding the capture) takes its messages from ReadModalMessage, so that a loop
// never spins, hands a WM_QUIT on to the outer loop, and can be driven by a test script.

// Takes the next message, sleeping in the loop's poll() while none is there. False, with Msg
// left as it was, when the loop is to end: a WM_QUIT was taken (it is posted again with the same
// exit code for the outer loop) or, while a script is installed, the loop would have to wait and
// the script has nothing left to do.
bool ReadModalMessage(MSG& Msg);

// Runs a local loop: reads each message through ReadModalMessage, lets Inspect look at it first
// (true: the message was handled there and goes no further), and hands the rest to the
// application's HandleTakenMessage, as its own loop does, until Done holds (checked before each
// read). Answers whether Done ended the loop; false when the read failed.
bool RunModalLoop(const std::function<bool()>& Done,
                  const std::function<bool(MSG& Msg)>& Inspect = nullptr);

// A test's script for modal loops, installed for its lifetime. Whenever a loop finds no message
// ready, the next action runs (it posts input, clicks a button, closes a form...) and the read
// gives a WM_NULL for no window, so that the loop looks at its state again; with no action left
// the read fails instead of waiting, so a loop the script forgot to end ends anyway. Scripts
// nest: the newest is the one in force.
class TModalScript {
public:
    using TAction = std::function<void()>;

    TModalScript();
    ~TModalScript();
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;

    TModalScript& Then(TAction Action);
    // Posts the message when its turn comes.
    TModalScript& Post(HWND Wnd, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // Lets Milliseconds of the clock pass in the loop's own wait, handling what comes meanwhile
    // (timers coming due), before the next action.
    TModalScript& Wait(int64_t Milliseconds);

    // Actions not yet run.
    size_t Pending() const { return FActions.size(); }
    // How many times a loop found nothing to do and the script was empty.
    int Exhausted() const { return FExhausted; }

    // The script in force; nil outside test mode.
    static TModalScript* Current();

private:
    friend bool ReadModalMessage(MSG& Msg);

    std::deque<TAction> FActions;
    int FExhausted = 0;
    int64_t FWaitUntil = -1;
    TModalScript* FOuter;
};

}  // namespace vex
