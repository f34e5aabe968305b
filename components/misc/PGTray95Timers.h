#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/component.h"
#include "platform/win/lifetoken.h"

namespace vex {

class TTimer;
class TPGTimerManager;

// One periodic callback of a tray icon. Items share their manager's single timer, so an item
// fires on the first tick at least Interval milliseconds after it last fired.
class TPGTimerItem : public TComponent {
    VEX_CLASS(TPGTimerItem, TComponent)

public:
    using TCallback = std::function<void(TPGTimerItem* Sender)>;

    // The range an item accepts; the shared timer ticks no slower than kMaxTick.
    static constexpr int32_t kMinInterval = 55;
    static constexpr int32_t kMaxInterval = 100000;

    TPGTimerItem(TPGTimerManager* AManager, bool AEnabled, int32_t AInterval, TCallback ACallback);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Outside kMinInterval..kMaxInterval raises ERangeError and changes nothing.
    int32_t Interval() const { return FInterval; }
    void SetInterval(int32_t Value);

private:
    friend class TPGTimerManager;

    TPGTimerManager* FManager;
    bool FEnabled;
    int32_t FInterval;
    TCallback FCallback;
    int64_t FLastFired = 0;  // Clock().TickMilliseconds(): 64 bits never wrap
};

// Shares one framework timer among its items: it ticks at the smallest interval of the enabled
// items, never slower than every 150 ms, and any change restarts every enabled item's clock.
class TPGTimerManager : public TComponent {
    VEX_CLASS(TPGTimerManager, TComponent)

public:
    static constexpr int32_t kMaxTick = 150;

    explicit TPGTimerManager(TComponent* AOwner);
    ~TPGTimerManager() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // The item is owned by the manager and freed with it.
    TPGTimerItem* AddItem(bool AEnabled, int32_t AInterval, TPGTimerItem::TCallback ACallback);

    // The shared timer's period while it runs, 0 while it is stopped (tests).
    uint32_t TickInterval() const;

private:
    friend class TPGTimerItem;

    void Recalculate();
    void Dispatch();

    bool FEnabled = false;
    std::vector<TPGTimerItem*> FItems;
    TTimer* FTimer;
    TLifeToken FLife;
};

}  // namespace vex
