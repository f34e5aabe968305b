#pragma once

#include <sys/poll.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace vex {

// The main thread's message queue and everything the loop waits on: posted messages, window
// timers and watched descriptors. One per process; window.h and messageloop.h are its face.
class TMessageQueue {
public:
    static TMessageQueue& Instance();

    HWND AllocateWindow(TWndMethod Method);
    void DeallocateWindow(HWND Wnd);
    bool WindowExists(HWND Wnd);
    std::shared_ptr<TWndMethod> WindowMethod(HWND Wnd);
    UINT RegisterMessage(const std::string& Name);

    bool Post(const MSG& Msg);
    void PostAction(std::function<void()> Action);
    void PostQuit(int ExitCode);
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
    // Polls the watched descriptors and the wake-up descriptor for at most TimeoutMs (-1: no
    // limit) and runs the handlers of the ready watches; returns whether anything was ready.
    bool PollDescriptors(int TimeoutMs);
    void RunAction(uint64_t Id);
    int64_t NextTimerDue() const;

    std::mutex FLock;  // guards FPosted, FActions, FWindows, FRegistered and the quit flag
    std::deque<MSG> FPosted;
    std::unordered_map<uint64_t, std::function<void()>> FActions;
    uint64_t FNextAction = 1;
    std::unordered_map<HWND, std::shared_ptr<TWndMethod>> FWindows;
    HWND FNextWindow = 1;
    HWND FActionWindow = 0;
    std::map<std::string, UINT> FRegistered;
    UINT FNextRegistered = 0xC000;
    bool FQuitPosted = false;
    int FQuitCode = 0;
    int FWakeFd = -1;

    // Main thread only.
    std::vector<TTimerEntry> FTimers;
    std::map<uint64_t, TWatch> FWatches;
    uint64_t FNextWatch = 1;
    std::vector<pollfd> FPollSet;
    // A watch handler ran since the last Wait: what it changed may already satisfy the
    // waiter's condition, so the next Wait returns at once instead of sleeping.
    bool FHandlerRan = false;
};

}  // namespace vex
