#pragma once

#include <memory>
#include <string>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

class TApplicationEvents;
class TControl;
class THintWindow;

// The part of a "short|long" hint before the bar (all of it without one): what the hint window
// shows; and the part after it (all of it without one): what a status line shows.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// When hints show and hide. The pointer resting HintPause milliseconds over a control that has
// ShowHint and a Hint (its own or a parent's) shows the short hint, as OnShowHint leaves it; it
// hides after HintHidePause, when the pointer leaves the control or its cursor rectangle, and on
// a click or a key, after which it waits for the pointer to leave before it shows again.
// Application's Hint follows the long hint of the control under the pointer. Time is the
// loop's clock, through window timers.
class THintController {
public:
    explicit THintController(TApplicationEvents& Events);
    ~THintController();
    THintController(const THintController&) = delete;
    THintController& operator=(const THintController&) = delete;

    void MouseMessage(TControl* Control, const TMessage& Message);
    void Cancel();

    // The control whose hint shows or waits to show; nil for none.
    TControl* HintControl() const;
    // The window of the hint, nil while none shows.
    THintWindow* ShownHint() const;

private:
    enum : UINT_PTR { kShowTimer = 1, kHideTimer = 2 };

    void TimerFired(UINT_PTR Id);
    void ShowHint();
    void HideHint();
    void Forget();
    void Restart();

    TApplicationEvents& FEvents;
    HWND FTimerWindow;
    TControl* FControl = nullptr;
    std::weak_ptr<const void> FControlLife;
    TPoint FCursorPos;    // in the control's client coordinates
    TRect FCursorRect{};  // screen coordinates; the shown hint stays while the pointer is in it
    bool FWaitForLeave = false;
    std::unique_ptr<THintWindow> FWindow;
};

}  // namespace vex
