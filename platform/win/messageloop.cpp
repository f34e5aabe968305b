#include "platform/win/messageloop.h"

#include "platform/core/clock.h"
#include "platform/win/application.h"
#include "platform/win/messagequeue.h"
#include "platform/win/window.h"

namespace vex {

void RunOnMainThread(std::function<void()> Action) {
    TMessageQueue::Instance().PostAction(std::move(Action));
}

TDescriptorWatch::TDescriptorWatch(int Fd, short Events, std::function<void(short)> OnReady)
    : FFd(Fd), FId(TMessageQueue::Instance().AddWatch(Fd, Events, std::move(OnReady))) {}

TDescriptorWatch::~TDescriptorWatch() {
    TMessageQueue::Instance().RemoveWatch(FId);
}

short TDescriptorWatch::Events() const {
    return TMessageQueue::Instance().WatchEvents(FId);
}

void TDescriptorWatch::SetEvents(short Events) {
    TMessageQueue::Instance().SetWatchEvents(FId, Events);
}

TWaitResult ProcessMessagesUntil(const std::function<bool()>& Condition, int64_t DeadlineTick) {
    TMessageQueue& queue = TMessageQueue::Instance();
    for (;;) {
        if (Condition()) return TWaitResult::Condition;
        if (DeadlineTick >= 0 && Clock().TickMilliseconds() >= DeadlineTick)
            return TWaitResult::Deadline;
        MSG msg;
        if (queue.Peek(msg, 0, 0, 0, true)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return TWaitResult::Quit;
            }
            // A wait handles what it takes as every loop does: keys are translated, dialog keys
            // and hints see them.
            Application().HandleTakenMessage(msg);
            continue;
        }
        queue.Wait(DeadlineTick);
    }
}

}  // namespace vex
