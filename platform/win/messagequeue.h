#pragma once

#include <sys/poll.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// Input as a device reports it, before it has a window: a mouse message (WM_MOUSEMOVE, a button's
// WM_xBUTTONDOWN or WM_xBUTTONUP, WM_MOUSEWHEEL with the delta in the high word of wParam) at a
// screen point, or a key message (wParam the virtual key, lParam the key data). Msg.hwnd is 0 and
// Msg.wParam of a mouse message holds the MK_ flags once the event has happened.
struct TRawInput {
    MSG Msg;
    TPoint Point;
};

// Gives raw input its window and message when the loop comes to it. Route works out the message
// it would be taken as, answering false when nothing would take it; it may send messages
// (WM_NCHITTEST) but changes no state. Take is called once the message has left the queue and
// does what taking it does (the key-state table, double clicks, activation, hooks); false drops
// it instead of returning it. Drop is called for input that nothing takes as it leaves.
struct TInputRouter {
    std::function<bool(const TRawInput& Raw, MSG& Routed)> Route;
    std::function<bool(const TRawInput& Raw, MSG& Routed)> Take;
    std::function<void(const TRawInput& Raw)> Drop;
};

// The main thread's message queue and everything the loop waits on: posted messages, input,
// window timers and watched descriptors, taken in that order of priority with painting between
// input and timers. One per process; window.h and messageloop.h are its face. It knows window
// handles only as live or gone: the window tree (windowstore.h) keeps the windows.
class TMessageQueue {
public:
    static TMessageQueue& Instance();

    // A handle never given before, live until ForgetWindow.
    HWND NewWindowHandle();
    // Drops the window's posted messages, input and timers; posts to it fail from now on.
    void ForgetWindow(HWND Wnd);
    bool WindowExists(HWND Wnd);
    UINT RegisterMessage(const std::string& Name);

    bool Post(const MSG& Msg);
    // Dropped, and true, when an identical unguarded message (window, number, wParam, lParam)
    // still waits.
    bool PostCoalesced(const MSG& Msg);
    // The message is dropped, not dispatched, when Guard has expired by the time it is taken.
    bool PostGuarded(const MSG& Msg, std::weak_ptr<const void> Guard);
    // Device input: routed when taken, after posted messages and before painting. A move right
    // after a move with the same buttons held replaces it, as a pointer's positions only matter
    // the last one; false when MaxRawInput events wait already and this one is dropped. The
    // Release of a key or button the device holds is taken all the same, as dropping it would
    // leave the key down for good; there are no more of those than keys (MaxHeldReleases).
    bool PostRawInput(const TRawInput& Input, bool Release = false);
    static constexpr size_t MaxRawInput = 4096;
    static constexpr size_t MaxHeldReleases = 256;
    size_t RawInputCount();
    void SetInputRouter(TInputRouter Router);
    void PostAction(std::function<void()> Action);
    // Runs the action a message made by PostAction carries; false for any other message.
    bool DispatchAction(const MSG& Msg);
    void PostQuit(int ExitCode);

    // Finds the window to send WM_PAINT next (Filter 0: any window), or answers false.
    using TPaintSource = std::function<bool(HWND Filter, HWND& Target)>;
    void SetPaintSource(TPaintSource Source);

    bool Peek(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove);
    // Sleeps until something may be ready or the tick count reaches DeadlineTick (negative:
    // none), whichever is first.
    void Wait(int64_t DeadlineTick);

    bool StartTimer(HWND Wnd, UINT_PTR Id, UINT Elapse);
    bool StopTimer(HWND Wnd, UINT_PTR Id);

    uint64_t AddWatch(int Fd, short Events, std::function<void(short)> OnReady);
    void RemoveWatch(uint64_t Id);
    short WatchEvents(uint64_t Id);
    void SetWatchEvents(uint64_t Id, short Events);

private:
    TMessageQueue();
    ~TMessageQueue();

    struct TPosted {
        MSG Msg;
        std::weak_ptr<const void> Guard;
        bool Guarded = false;
    };
    struct TTimerEntry {
        HWND Wnd;
        UINT_PTR Id;
        UINT Elapse;
        int64_t Due;
    };
    struct TWatch {
        int Fd;
        short Events;
        std::shared_ptr<std::function<void(short)>> OnReady;
    };

    static bool Matches(const MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax);
    struct TRawEntry {
        TRawInput Input;
        uint64_t Serial;
    };

    bool Enqueue(TPosted Entry, bool Coalesce);
    void Wake();
    // Takes (or looks at) the first matching posted message; the caller holds FLock.
    bool PeekPosted(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove);
    bool PeekQuit(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove);
    // Routes raw input, without FLock held as routing sends messages, until a message matches.
    bool PeekInput(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove);
    // The first waiting raw input after serial After whose kind the filter can take.
    bool NextRawInput(uint64_t After, UINT FilterMin, UINT FilterMax, TRawEntry& Entry);
    bool EraseRawInput(uint64_t Serial);
    bool PeekPaint(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax);
    bool PeekTimer(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, bool Remove);
    // Polls the watched descriptors and the wake-up descriptor for at most TimeoutMs (-1: no
    // limit) and runs the handlers of the ready watches; returns whether anything was ready.
    bool PollDescriptors(int TimeoutMs);
    int64_t NextTimerDue() const;

    // Guards FPosted, FInput, FActions, FLive, FRegistered and the quit flag.
    std::mutex FLock;
    std::deque<TPosted> FPosted;
    std::deque<TRawEntry> FInput;
    uint64_t FNextSerial = 1;
    std::map<uint64_t, std::function<void()>> FActions;
    uint64_t FNextAction = 1;
    std::unordered_set<HWND> FLive;
    // Below 0x100 lie the special handles of SetWindowPos (HWND_BOTTOM is 1).
    HWND FNextWindow = 0x100;
    HWND FActionWindow = 0;
    std::map<std::string, UINT> FRegistered;
    UINT FNextRegistered = 0xC000;
    bool FQuitPosted = false;
    int FQuitCode = 0;
    int FWakeFd = -1;
    std::atomic<bool> FWakePending{false};  // written to FWakeFd and not yet drained

    // Main thread only.
    TPaintSource FPaintSource;
    TInputRouter FRouter;
    std::vector<TTimerEntry> FTimers;
    // Windows that took WM_PAINT while a timer was due and waited.
    std::set<HWND> FPaintedWhileTimersWait;
    std::map<uint64_t, TWatch> FWatches;
    uint64_t FNextWatch = 1;
    std::vector<pollfd> FPollSet;
    // A watch handler ran since the last Wait: what it changed may already satisfy the
    // waiter's condition, so the next Wait returns at once instead of sleeping.
    bool FHandlerRan = false;
};

}  // namespace vex
