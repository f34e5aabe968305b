#include "components/misc/PGTray95Animation.h"

#include "components/misc/PGTray95.h"
#include "components/misc/PGTray95Timers.h"
#include "platform/core/exceptions.h"

namespace vex {

TPGTrayIconAnimation::TPGTrayIconAnimation(TPGTrayIcon95& ATrayIcon)
    : FTimerItem(ATrayIcon.TimerManager().AddItem(false, 1000, [this](TPGTimerItem*) { Tick(); })),
      FTrayIcon(ATrayIcon) {}

void TPGTrayIconAnimation::SetInterval(int32_t Value) {
    // Checked here, not when the animation next starts, so a bad value never gets stored.
    if (Value < TPGTimerItem::kMinInterval || Value > TPGTimerItem::kMaxInterval)
        throw ERangeError("Animation interval " + std::to_string(Value) + " is outside " +
                          std::to_string(TPGTimerItem::kMinInterval) + " to " +
                          std::to_string(TPGTimerItem::kMaxInterval) + " ms");
    if (Value == FInterval) return;
    FInterval = Value;
    if (Running()) Start();
}

void TPGTrayIconAnimation::SetIcons(const TStrings& Value) {
    FIcons.Assign(&Value);
    if (Running()) FFrameIndex = 0;
}

bool TPGTrayIconAnimation::Running() const {
    return FTrayIcon.State() == tsAnimated && FTrayIcon.Active();
}

void TPGTrayIconAnimation::Start() {
    FTimerItem->SetEnabled(false);
    FFrameIndex = 0;
    Tick();
    if (FTrayIcon.State() != tsAnimated) return;
    FTimerItem->SetInterval(FInterval);
    FTimerItem->SetEnabled(true);
}

void TPGTrayIconAnimation::Stop() {
    FTimerItem->SetEnabled(false);
}

void TPGTrayIconAnimation::Tick() {
    if (FTrayIcon.OnAnimation) {
        // The handler may free the tray icon, and this animation with it.
        const std::weak_ptr<const void> alive = FTrayIcon.FLife.Weak();
        FTrayIcon.OnAnimation(&FTrayIcon);
        if (alive.expired()) return;
    }
    FTrayIcon.RefreshIcon();
    const int32_t count = FIcons.Count();
    FFrameIndex = count == 0 || FFrameIndex >= count - 1 ? 0 : FFrameIndex + 1;
}

}  // namespace vex
