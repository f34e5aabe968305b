#pragma once

#include <cstdint>
#include <functional>

#include "components/entry/OvcBase.h"
#include "platform/core/geometry.h"

namespace vex {

class TOvcSpinTarget;

enum TSpinState { stNone, stNormal, stUpButton, stDownButton, stLeftButton, stRightButton };
enum TSpinOrientation { soVertical, soHorizontal };
// The framework's button faces: bsWin31 the old framed and rounded one, bsNew the raised one,
// bsAutoDetect the one in use today (bsNew).
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

using TSpinClickEvent =
    std::function<void(TObject* Sender, TSpinState State, double Delta, bool Wrap)>;

// Two buttons that step the value of an entry field. A press hands the focus to FocusedControl,
// steps it at once and, while the button stays down, again and again, sooner each time by
// Acceleration; the wait between steps sleeps in the modal driver and never spins. The spinner
// can stand beside its AttachedControl and, with AttachTwoWay, take it along when it moves.
class TOvcBaseSpinner : public TOvcBase {
    VEX_CLASS(TOvcBaseSpinner, TOvcBase)

public:
    // The side of the attached control the spinner stands on.
    enum TPosition { scRight, scLeft, scTop, scBottom };

    explicit TOvcBaseSpinner(TComponent* AOwner);

    // Shortening of the wait between steps, per step, in units of 10 ms: 0 to 10; a larger
    // value is ignored.
    uint8_t Acceleration() const { return FAcceleration; }
    void SetAcceleration(uint8_t Value);
    // Raises EOvcException when another spinner answers that it follows the control already.
    TWinControl* AttachedControl() const { return FAttachedControl; }
    void SetAttachedControl(TWinControl* Value);
    bool AttachTwoWay() const { return FAttachTwoWay; }
    void SetAttachTwoWay(bool Value) { FAttachTwoWay = Value; }
    bool AutoRepeat() const { return FAutoRepeat; }
    void SetAutoRepeat(bool Value) { FAutoRepeat = Value; }
    double Delta() const { return FDelta; }
    void SetDelta(double Value) { FDelta = Value; }
    TWinControl* FocusedControl() const { return FFocusedControl; }
    void SetFocusedControl(TWinControl* Value);
    bool ForceOddSize() const { return FForceOddSize; }
    void SetForceOddSize(bool Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value);
    int32_t Separation() const { return FSeparation; }
    void SetSeparation(int32_t Value);
    bool WrapMode() const { return FWrapMode; }
    void SetWrapMode(bool Value) { FWrapMode = Value; }

    // Fired at every step, before the focused control is stepped.
    TSpinClickEvent OnClick;

    TSpinState State() const { return FCurrentState; }
    // Where a button lies in the client area; empty for a state that is no button of this one.
    TRect ButtonRect(TSpinState Button) const;

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void WndProc(TMessage& Message) override;

protected:
    virtual void DoMouseDown(int32_t X, int32_t Y) = 0;
    virtual void DoMouseUp() = 0;
    virtual void CalcButtonRects() = 0;
    // A step in State's direction when one is due: OnClick, then the focused field, then the
    // time of the next step.
    virtual void Spin(TSpinState State);

    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;

    // Places the spinner beside the attached control.
    void PositionSpinner();
    // The press: arms the schedule and follows the pointer until the button is let go.
    void StartTracking(TSpinState State);
    // The button under the client point while a press is in progress.
    TSpinState StateAt(int32_t X, int32_t Y) const;
    void SetTrackedState(TSpinState State);

    TSpinState FCurrentState = stNormal;
    bool FRepeating = false;
    int64_t FNextStepTime = 0;
    int32_t FStepCount = 0;
    TRect FUpRect{};
    TRect FDownRect{};
    // The states the first (up or left) and the second (down or right) button stand for.
    TSpinState FFirstButton = stUpButton;
    TSpinState FSecondButton = stDownButton;
    bool FTracking = false;

private:
    // Moves the attached control to keep its place beside the spinner.
    void FollowWithAttached();
    bool ButtonStillDown() const;
    // Sleeps in the modal driver until input comes or the next step is due; false when the
    // loop is to end.
    bool WaitForNextPass();
    void StepField(TOvcSpinTarget& Field, TSpinState State);

    uint8_t FAcceleration = 5;
    TWinControl* FAttachedControl = nullptr;
    bool FAttachTwoWay = false;
    bool FAutoRepeat = true;
    double FDelta = 1;
    TWinControl* FFocusedControl = nullptr;
    bool FForceOddSize = false;
    TPosition FPosition = scRight;
    int32_t FSeparation = 1;
    bool FWrapMode = true;
    bool FPositioning = false;  // guards placement against the moves it makes itself
};

// The spinner the forms place: vertical (up over down) or horizontal (left beside right)
// buttons with arrows, in the framework's button look.
class TOvcSpinner : public TOvcBaseSpinner {
    VEX_CLASS(TOvcSpinner, TOvcBaseSpinner)

public:
    explicit TOvcSpinner(TComponent* AOwner);

    TSpinOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TSpinOrientation Value);
    bool ShowArrows() const { return FShowArrows; }
    void SetShowArrows(bool Value);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle Value);

protected:
    void DoMouseDown(int32_t X, int32_t Y) override;
    void DoMouseUp() override;
    void CalcButtonRects() override;
    void Paint() override;

private:
    void PaintButton(const TRect& R, TSpinState Button);
    void PaintArrow(TRect R, TSpinState Button, bool Pressed);

    TSpinOrientation FOrientation = soVertical;
    bool FShowArrows = true;
    TButtonStyle FStyle = bsAutoDetect;
};

}  // namespace vex
