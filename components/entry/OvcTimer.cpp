#include "components/entry/OvcTimer.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/clock.h"
#include "platform/win/application.h"
#include "platform/win/window.h"

namespace vex {

namespace {

constexpr UINT_PTR kTimerId = 1;
// The coarsest tick the original platform's timers could promise; shorter intervals would
// only pile up messages.
constexpr int32_t kMinResolution = 55;
constexpr int32_t kLongestResolution = 65535;
// A trigger this close to due fires now rather than one whole timer period late.
constexpr int32_t kEarlyFire = 27;

int64_t Now() {
    return Clock().TickMilliseconds();
}

}  // namespace

TOvcTimerPool::TOvcTimerPool(TComponent* AOwner)
    : TComponent(AOwner), TimerWindow(AllocateHWnd([this](TMessage& M) { TimerWndProc(M); })) {}

TOvcTimerPool::~TOvcTimerPool() {
    *FAlive = false;
    KillTimer(TimerWindow, kTimerId);
    DeallocateHWnd(TimerWindow);
}

int32_t TOvcTimerPool::Add(TTriggerEvent OnTrigger, uint16_t Interval) {
    const int32_t handle = NextHandle();
    TTriggerRecord trigger;
    trigger.Handle = handle;
    trigger.StartTime = Now();
    trigger.LastTime = trigger.StartTime;
    trigger.Interval = Interval;
    trigger.OnTrigger = std::move(OnTrigger);
    TriggerList.push_back(std::move(trigger));
    ActiveCount = CountActive();
    CalcResolution();
    SortTriggers();
    ResetTimer();
    return handle;
}

void TOvcTimerPool::Remove(int32_t Handle) {
    const int32_t index = IndexOfHandle(Handle);
    if (index < 0) return;
    TriggerList.erase(TriggerList.begin() + index);
    ActiveCount = CountActive();
    CalcResolution();
    ResetTimer();
}

bool TOvcTimerPool::GetTriggerEnabled(int32_t Handle) const {
    return TriggerList[CheckedIndex(Handle)].Enabled;
}

void TOvcTimerPool::SetTriggerEnabled(int32_t Handle, bool Value) {
    TTriggerRecord& trigger = TriggerList[CheckedIndex(Handle)];
    if (trigger.Enabled == Value) return;
    trigger.Enabled = Value;
    ActiveCount = CountActive();
    CalcResolution();
    ResetTimer();
}

void TOvcTimerPool::FireTriggers() {
    const int64_t now = Now();
    const std::shared_ptr<bool> alive = FAlive;
    // Handlers may add and remove triggers: the count is read anew at every step, and nothing
    // of a record is used after a handler has run.
    for (size_t i = 0; i < TriggerList.size(); ++i) {
        TTriggerRecord& trigger = TriggerList[i];
        if (!trigger.Enabled || now - trigger.LastTime < int64_t{trigger.Interval} - kEarlyFire)
            continue;
        trigger.LastTime = now;
        const int32_t handle = trigger.Handle;
        const uint16_t interval = trigger.Interval;
        // Wraps after 2^31 ms, as the handlers' 32-bit argument always did.
        const int32_t elapsed = static_cast<int32_t>(now - trigger.StartTime);
        if (const TTriggerEvent handler = trigger.OnTrigger) {
            handler(this, handle, interval, elapsed);
            if (!*alive) return;
        }
        if (const TTriggerEvent handler = OnAllTriggers) {
            handler(this, handle, interval, elapsed);
            if (!*alive) return;
        }
    }
}

int32_t TOvcTimerPool::IndexOfHandle(int32_t Handle) const {
    for (size_t i = 0; i < TriggerList.size(); ++i)
        if (TriggerList[i].Handle == Handle) return static_cast<int32_t>(i);
    return -1;
}

size_t TOvcTimerPool::CheckedIndex(int32_t Handle) const {
    const int32_t index = IndexOfHandle(Handle);
    if (index < 0) throw EInvalidTriggerHandle();
    return static_cast<size_t>(index);
}

int32_t TOvcTimerPool::NextHandle() const {
    if (TriggerList.empty()) return 0;
    const auto greatest = std::max_element(
        TriggerList.begin(), TriggerList.end(),
        [](const TTriggerRecord& A, const TTriggerRecord& B) { return A.Handle < B.Handle; });
    // Handles only grow while the greatest one stays; past the last one the pool is full
    // rather than wrapping into handles that may still be in use.
    if (greatest->Handle == INT32_MAX) throw ETimerPoolError(GetOvcString(scTooManyEvents));
    return greatest->Handle + 1;
}

int32_t TOvcTimerPool::CountActive() const {
    return static_cast<int32_t>(std::count_if(TriggerList.begin(), TriggerList.end(),
                                              [](const TTriggerRecord& T) { return T.Enabled; }));
}

void TOvcTimerPool::CalcResolution() {
    const int64_t now = Now();
    // Whether a trigger is enabled is asked directly: a candidate left at the longest period
    // also comes from enabled triggers that all wait 65535 ms, and they must still fire.
    bool anyEnabled = false;
    int32_t candidate = kLongestResolution;
    for (const TTriggerRecord& trigger : TriggerList) {
        if (!trigger.Enabled) continue;
        anyEnabled = true;
        candidate = std::min<int32_t>(candidate, trigger.Interval);
        const int64_t left = int64_t{trigger.Interval} - (now - trigger.LastTime);
        candidate = static_cast<int32_t>(std::min<int64_t>(candidate, std::max<int64_t>(left, 0)));
    }
    if (!anyEnabled) {
        TimerInterval = 0;
        return;
    }
    candidate = std::max(candidate, kMinResolution);

    // Step down until every interval, enabled or not, is a whole number of periods.
    bool lowered = true;
    while (lowered && candidate > kMinResolution) {
        lowered = false;
        for (const TTriggerRecord& trigger : TriggerList) {
            const int32_t remainder = trigger.Interval % candidate;
            if (remainder != 0) {
                candidate -= remainder;
                lowered = true;
                break;
            }
        }
    }
    TimerInterval = static_cast<uint16_t>(std::max(candidate, kMinResolution));
}

void TOvcTimerPool::SortTriggers() {
    // A bubble sort exchanges only strictly greater neighbours, so equal intervals keep the
    // order in which they were added.
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (size_t i = 0; i + 1 < TriggerList.size(); ++i) {
            if (TriggerList[i].Interval > TriggerList[i + 1].Interval) {
                std::swap(TriggerList[i], TriggerList[i + 1]);
                exchanged = true;
            }
        }
    }
}

void TOvcTimerPool::ResetTimer() {
    if (ComponentState().Contains(csDesigning)) return;
    KillTimer(TimerWindow, kTimerId);
    if (TimerInterval != 0 && ActiveCount != 0 &&
        SetTimer(TimerWindow, kTimerId, TimerInterval) == 0)
        throw ENoTimersAvailable();
}

void TOvcTimerPool::TimerWndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProc(TimerWindow, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    const std::shared_ptr<bool> alive = FAlive;
    try {
        FireTriggers();
    } catch (...) {
        // A handler that freed the pool before throwing leaves no sender to name.
        Application().HandleException(*alive ? this : nullptr);
    }
    Message.Result = 0;
}

}  // namespace vex
