#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/events.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

class TTimer;

enum TSpinButtonPart { sbNone, sbUp, sbDown };

// A pair of arrow buttons, up over down. A press clicks at once and, held, again after
// InitRepeatPause and then every RepeatPause milliseconds while the pointer stays on the button.
// Focused, it marks the button the arrow keys last used, and Up and Down click the buttons.
// A press gives the focus to FocusControl when there is one (an edit the buttons step).
class TSpinButton : public TCustomControl {
    VEX_CLASS(TSpinButton, TCustomControl)

public:
    static constexpr uint32_t InitRepeatPause = 400;
    static constexpr uint32_t RepeatPause = 100;

    explicit TSpinButton(TComponent* AOwner);
    ~TSpinButton() override;

    // Forgotten when it is freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // The button held down with the pointer on it; sbNone when none shows pressed.
    TSpinButtonPart Pressed() const { return FPointerOver == FHeld ? FHeld : sbNone; }
    // The button at a point of the client area.
    TSpinButtonPart PartAt(int32_t X, int32_t Y) const;
    TRect PartRect(TSpinButtonPart Part) const;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    // Fires OnUpClick or OnDownClick.
    virtual void DoClick(TSpinButtonPart Part);
    void Paint() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;

private:
    void Release();
    void TimerExpired(TObject* Sender);

    TWinControl* FFocusControl = nullptr;
    std::unique_ptr<TTimer> FRepeatTimer;
    TSpinButtonPart FHeld = sbNone;
    TSpinButtonPart FPointerOver = sbNone;
    TSpinButtonPart FFocusedPart = sbUp;
};

}  // namespace vex
