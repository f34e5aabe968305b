#pragma once

#include <cstdint>

#include "platform/ui/graphiccontrol.h"

namespace vex {

// What push buttons and check boxes share: they take the focus when pressed, show pressed while
// the left button holds them with the pointer over them (dragging out lets them up, back in
// presses them again) or while Space is held on them, and act (UserClick) when let go over
// them. A press that ends elsewhere, or a Space let go after the focus moved on, does nothing.
class TButtonControl : public TCustomControl {
    VEX_CLASS(TButtonControl, TCustomControl)

public:
    explicit TButtonControl(TComponent* AOwner);

    // Shows pressed: the mouse or Space holds it down.
    bool Pressed() const { return FPressed; }

protected:
    // What a completed press does.
    virtual void UserClick() = 0;

    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;
    void WMCancelMode(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

private:
    void SetPressed(bool Value);
    // Ends a press without acting.
    void Release();

    bool FPressed = false;
    bool FMouseDown = false;
    bool FSpaceDown = false;
};

}  // namespace vex
