#pragma once

#include <cstdint>

#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "platform/ui/subscriptions.h"

namespace vex {

class TExplorerButton;
class TExplorerPopupForm;

// Height of the gripper strip an undockable panel gets at its top while it is dropped down.
inline constexpr int32_t ExplorerGripperHeight = 10;

// A panel a TExplorerButton drops down like a menu: it holds other controls, opens under the
// button in a borderless window of its own and closes at a click outside it. By its gripper it
// can be torn off into a small floating tool window (TExplorerPopupForm), and docks again when
// that window is brought back to where it came from.
class TExplorerPopup : public TCustomPanel {
    VEX_CLASS(TExplorerPopup, TCustomPanel)

public:
    explicit TExplorerPopup(TComponent* AOwner);
    ~TExplorerPopup() override;

    bool Undockable() const { return FUndockable; }
    void SetUndockable(bool Value) { FUndockable = Value; }
    // Pixels the pointer goes from the gripper press before the panel tears off.
    int32_t UndockThreshold() const { return FUndockThreshold; }
    void SetUndockThreshold(int32_t Value) { FUndockThreshold = Value; }
    // In its floating window.
    bool Undocked() const { return FFloating != nullptr; }
    // The floating window hides while the application is inactive.
    bool HideInactive() const { return FHideInactive; }
    void SetHideInactive(bool Value) { FHideInactive = Value; }
    bool Redockable() const { return FRedockable; }
    void SetRedockable(bool Value) { FRedockable = Value; }

    TNotifyEvent OnClose;
    TNotifyEvent OnOpen;
    TNotifyEvent OnUndock;

    // Drops the panel down under Button and handles messages one at a time until it closes:
    // by Close, a click outside it, tearing off, or a quit (which stays posted for the loop
    // outside). What the button does when its press has been handled.
    void DropDown(TExplorerButton* Button);
    // Closes the dropped-down panel or its floating window; the panel goes back, hidden and
    // docked, to the parent it came from.
    void Close();

    // The window the panel is dropped down in, while it is; nil otherwise.
    TCustomForm* Host() const { return FHost; }
    TExplorerPopupForm* FloatingForm() const { return FFloating; }
    // The button it is dropped down from, while it is.
    TExplorerButton* Button() const { return FButton; }
    // Button is being freed: the open panel stays open without it.
    void ButtonGone(const TExplorerButton* Button) {
        if (FButton == Button) FButton = nullptr;
    }

protected:
    void Loaded() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Aligned controls keep clear of the gripper strip while it is added.
    void AdjustClientRect(TRect& Rect) override;

private:
    friend class TExplorerPopupForm;

    bool DockedOpen() const { return FHost != nullptr; }
    bool OnGripper(int32_t X, int32_t Y) const;
    void SetGripperHot(bool Value);
    // Adds (or takes away) the gripper strip at the top, moving the controls along.
    void GrowForGripper(bool Grow);
    // Where the host window goes: under the button, above it when the bottom of the work area
    // is too near, moved left at its right edge.
    TPoint DropDownPlace(TExplorerButton* Button) const;
    // A message of the loop: a left press outside the panel closes it.
    bool InspectDropDownMessage(const MSG& Msg);
    void TearOff(TPoint Cursor);
    // Back, hidden and docked, to the parent it came from; called as a window it was in goes.
    void ReturnHome();
    void EndDropDown();
    // The floating window moved, or closed (and is on its way out).
    void FloatingMoved();
    void FloatingClosed();
    void ApplicationActivated(bool Active);

    bool FUndockable = true;
    int32_t FUndockThreshold = 10;
    bool FHideInactive = true;
    bool FRedockable = true;

    bool FGrown = false;  // the gripper strip is added
    bool FDragging = false;
    bool FGripperHot = false;
    bool FClosed = true;
    TPoint FDragStart;
    TWinControl* FHomeParent = nullptr;
    TRect FHomeBounds;
    TCustomForm* FHost = nullptr;
    TExplorerPopupForm* FFloating = nullptr;
    TExplorerButton* FButton = nullptr;
    TPoint FTornOffAt;            // the floating window's place when it was torn off
    bool FLeftTearPlace = false;  // it has since gone 40 pixels away
    TSubscription FActivation;
    TSubscription FDeactivation;
};

// The process-wide record of the panel that is dropped down now, and its button; nil for none.
TExplorerPopup* OpenExplorerPopup();

}  // namespace vex
