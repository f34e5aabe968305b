#pragma once

#include <cstdint>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/win/messages.h"

namespace vex {

// The framework's timer component: OnTimer every Interval milliseconds while Enabled. The
// handler may disable, re-enable or free the timer. An exception from the handler goes to the
// application object.
class TTimer : public TComponent {
    VEX_CLASS(TTimer, TComponent)

public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // 0 stops the timer while keeping Enabled.
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t Value);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    HWND FWindowHandle;
    bool FEnabled = true;
    uint32_t FInterval = 1000;
};

}  // namespace vex
