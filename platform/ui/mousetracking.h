#pragma once

#include "platform/ui/control.h"

namespace vex {

// The controls the mouse deals with: the one that holds the mouse while a button is down (the
// capture) and the one under the pointer. Both are plain references that a control clears when
// it is hidden, leaves its parent or is freed, so no message ever goes to a control that is gone.

// The control that holds the mouse: the windowed control whose window has the capture, or the
// plain child of it that took the mouse through it. Setting one takes the window capture.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// The control under the pointer. A change sends CM_MOUSELEAVE to the one left and then
// CM_MOUSEENTER to the one entered.
TControl* MouseControl();
void SetMouseControl(TControl* Control);

// Releases the capture when Control or one of its children holds it.
void ReleaseCaptureWithin(const TControl* Control);
// Control is hidden: releases the capture and tells the control under the pointer that it was
// left, when they are Control or one of its children. The leave handler may free Control.
void LeaveMouseControls(const TControl* Control);
// Clears both references when they are Control or one of its children.
void ForgetMouseControls(const TControl* Control);

}  // namespace vex
