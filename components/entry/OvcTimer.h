#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/win/messages.h"

namespace vex {

// Handle and Interval are the trigger's; ElapsedTime counts the milliseconds since the trigger
// was added, not since it last fired.
using TTriggerEvent =
    std::function<void(TObject* Sender, int32_t Handle, uint16_t Interval, int32_t ElapsedTime)>;

// Any number of repeating triggers, each with its own interval, served by one window timer
// whose period is a common step of the intervals (never below 55 ms). A trigger fires up to
// 27 ms early rather than a whole period late. Handlers may add, remove, enable or disable
// triggers, and may free the pool, while it fires.
class TOvcTimerPool : public TComponent {
    VEX_CLASS(TOvcTimerPool, TComponent)

public:
    explicit TOvcTimerPool(TComponent* AOwner);
    ~TOvcTimerPool() override;

    // Adds an enabled trigger and returns its handle: 0 in an empty pool, else one more than
    // the greatest handle present. OnTrigger may be unassigned.
    int32_t Add(TTriggerEvent OnTrigger, uint16_t Interval);
    // An unknown handle is ignored.
    void Remove(int32_t Handle);
    // An unknown handle raises EInvalidTriggerHandle. Enabling keeps the time the trigger last
    // fired, so one disabled for longer than its interval fires at the next tick.
    bool GetTriggerEnabled(int32_t Handle) const;
    void SetTriggerEnabled(int32_t Handle, bool Value);

    std::string Version() const { return "2.17"; }
    // The version is the library's; a stored value is not taken.
    void SetVersion(const std::string& /*Value*/) {}

    // Called after the trigger's own handler for every trigger that fires.
    TTriggerEvent OnAllTriggers;

protected:
    // One pass over the triggers, on every timer message.
    virtual void FireTriggers();

private:
    struct TTriggerRecord {
        bool Enabled = true;
        int32_t Handle = 0;
        // Milliseconds of the monotonic clock, which never wraps: a 32-bit tick count would
        // read a trigger disabled for 2^31 ms or more as not yet due.
        int64_t StartTime = 0;
        uint16_t Interval = 0;
        int64_t LastTime = 0;
        TTriggerEvent OnTrigger;
    };

    int32_t IndexOfHandle(int32_t Handle) const;
    // The index of the trigger, or EInvalidTriggerHandle.
    size_t CheckedIndex(int32_t Handle) const;
    int32_t NextHandle() const;
    int32_t CountActive() const;
    void CalcResolution();
    void SortTriggers();
    void ResetTimer();
    void TimerWndProc(TMessage& Message);

    // Kept in ascending order of interval; equal intervals in the order they were added.
    std::vector<TTriggerRecord> TriggerList;
    HWND TimerWindow;
    // The window timer's period in milliseconds; 0 while no trigger needs it.
    uint16_t TimerInterval = 0;
    int32_t ActiveCount = 0;
    // Cleared when the pool is freed, so a pass whose handler freed it stops at once.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace vex
