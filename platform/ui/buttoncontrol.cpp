#include "platform/ui/buttoncontrol.h"

#include "platform/ui/inputevents.h"
#include "platform/win/keyboard.h"

namespace vex {

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(csCaptureMouse);
    // It acts on its own release (UserClick), and a second press is one more press.
    FControlStyle.Exclude(csClickEvents);
    FControlStyle.Exclude(csDoubleClicks);
    SetTabStop(true);
}

void TButtonControl::SetPressed(bool Value) {
    if (FPressed == Value) return;
    FPressed = Value;
    Invalidate();
}

void TButtonControl::Release() {
    FMouseDown = false;
    FSpaceDown = false;
    SetPressed(false);
}

void TButtonControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomControl::KeyDown(Key, Shift);
    if (life.expired() || Key != VK_SPACE || FMouseDown) return;
    FSpaceDown = true;
    SetPressed(true);
}

void TButtonControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomControl::KeyUp(Key, Shift);
    if (life.expired() || Key != VK_SPACE || !FSpaceDown) return;
    Release();
    UserClick();
}

void TButtonControl::WMLButtonDown(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    if (CanFocus() && !Focused()) SetFocus();
    if (life.expired()) return;
    FSpaceDown = false;
    FMouseDown = true;
    SetPressed(true);
    TCustomControl::WMLButtonDown(Message);
}

void TButtonControl::WMLButtonUp(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    const bool clicked = FMouseDown && PtInRect(ClientRect(), MessagePoint(Message.LParam));
    Release();
    if (clicked) UserClick();
    if (!life.expired()) TCustomControl::WMLButtonUp(Message);
}

void TButtonControl::WMMouseMove(TMessage& Message) {
    if (FMouseDown) SetPressed(PtInRect(ClientRect(), MessagePoint(Message.LParam)));
    TCustomControl::WMMouseMove(Message);
}

void TButtonControl::WMCancelMode(TMessage& Message) {
    Release();
    TCustomControl::WMCancelMode(Message);
}

void TButtonControl::WMKillFocus(TMessage& Message) {
    if (!FMouseDown) Release();
    TCustomControl::WMKillFocus(Message);
}

// Hidden with its form, say at the end of a modal run, a held button never hears the mouse let
// go.
void TButtonControl::CMShowingChanged(TMessage& Message) {
    if (!Showing()) Release();
    TCustomControl::CMShowingChanged(Message);
}

void TButtonControl::CMEnabledChanged(TMessage& Message) {
    Release();
    TCustomControl::CMEnabledChanged(Message);
}

}  // namespace vex
