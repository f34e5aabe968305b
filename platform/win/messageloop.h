#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace vex {

// What the rest of the platform adds to the main thread's message loop: closures from other
// threads, file descriptors to watch, and the wait that every blocking call is built on.

// Runs Action on the main thread in the order of posted messages. Safe from any thread.
void RunOnMainThread(std::function<void()> Action);

// Watches a file descriptor from the loop: while Events (poll() flags) is not 0 and the descriptor
// is ready, OnReady runs on the main thread with the returned flags, each time the loop looks
// for messages, before posted messages are taken. OnReady may change the events, destroy the
// watch or close the descriptor.
class TDescriptorWatch {
public:
    TDescriptorWatch(int Fd, short Events, std::function<void(short REvents)> OnReady);
    ~TDescriptorWatch();
    TDescriptorWatch(const TDescriptorWatch&) = delete;
    TDescriptorWatch& operator=(const TDescriptorWatch&) = delete;

    int Fd() const { return FFd; }
    short Events() const;
    void SetEvents(short Events);

private:
    int FFd;
    uint64_t FId;
};

enum class TWaitResult { Condition, Deadline, Quit };

// Dispatches every message that arrives until Condition holds (checked before each message), the
// tick count of Clock() reaches DeadlineTick (a negative deadline: none), or a WM_QUIT is taken
// (it is put back for the outer loop). Sleeps in poll() when nothing is pending.
TWaitResult ProcessMessagesUntil(const std::function<bool()>& Condition, int64_t DeadlineTick = -1);

}  // namespace vex
