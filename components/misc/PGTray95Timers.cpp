#include "components/misc/PGTray95Timers.h"

#include <algorithm>
#include <string>

#include "platform/core/clock.h"
#include "platform/core/exceptions.h"
#include "platform/win/timer.h"

namespace vex {

namespace {

void CheckInterval(int32_t Value) {
    if (Value < TPGTimerItem::kMinInterval || Value > TPGTimerItem::kMaxInterval)
        throw ERangeError("Timer interval " + std::to_string(Value) + " is outside " +
                          std::to_string(TPGTimerItem::kMinInterval) + " to " +
                          std::to_string(TPGTimerItem::kMaxInterval) + " ms");
}

}  // namespace

TPGTimerItem::TPGTimerItem(TPGTimerManager* AManager, bool AEnabled, int32_t AInterval,
                           TCallback ACallback)
    : TComponent(AManager),
      FManager(AManager),
      FEnabled(AEnabled),
      FInterval(AInterval),
      FCallback(std::move(ACallback)) {
    CheckInterval(AInterval);
}

void TPGTimerItem::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    FManager->Recalculate();
}

void TPGTimerItem::SetInterval(int32_t Value) {
    CheckInterval(Value);
    if (Value == FInterval) return;
    FInterval = Value;
    if (FEnabled) FManager->Recalculate();
}

TPGTimerManager::TPGTimerManager(TComponent* AOwner)
    : TComponent(AOwner), FTimer(new TTimer(this)) {
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [this](TObject*) { Dispatch(); };
}

TPGTimerManager::~TPGTimerManager() {
    FTimer->SetEnabled(false);
}

void TPGTimerManager::SetEnabled(bool Value) {
    FEnabled = Value;
    if (Value)
        Recalculate();
    else
        FTimer->SetEnabled(false);
}

TPGTimerItem* TPGTimerManager::AddItem(bool AEnabled, int32_t AInterval,
                                       TPGTimerItem::TCallback ACallback) {
    auto* item = new TPGTimerItem(this, AEnabled, AInterval, std::move(ACallback));
    FItems.push_back(item);
    if (AEnabled) Recalculate();
    return item;
}

uint32_t TPGTimerManager::TickInterval() const {
    return FTimer->Enabled() ? FTimer->Interval() : 0;
}

void TPGTimerManager::Recalculate() {
    if (!FEnabled) return;
    FTimer->SetEnabled(false);
    int32_t tick = kMaxTick;
    bool anyEnabled = false;
    const int64_t now = Clock().TickMilliseconds();
    for (TPGTimerItem* item : FItems) {
        if (!item->FEnabled) continue;
        anyEnabled = true;
        tick = std::min(tick, item->FInterval);
        item->FLastFired = now;
    }
    if (!anyEnabled) return;
    FTimer->SetInterval(static_cast<uint32_t>(tick));
    FTimer->SetEnabled(true);
}

void TPGTimerManager::Dispatch() {
    // A callback may free the tray icon, and this manager with it.
    const std::weak_ptr<const void> alive = FLife.Weak();
    const std::vector<TPGTimerItem*> items = FItems;
    for (TPGTimerItem* item : items) {
        if (!item->FEnabled || !item->FCallback) continue;
        if (Clock().TickMilliseconds() - item->FLastFired < item->FInterval) continue;
        const TPGTimerItem::TCallback callback = item->FCallback;
        callback(item);
        if (alive.expired()) return;
        item->FLastFired = Clock().TickMilliseconds();
    }
}

}  // namespace vex
