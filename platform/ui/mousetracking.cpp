#include "platform/ui/mousetracking.h"

#include "platform/ui/controlmessages.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"

namespace vex {

namespace {

TControl* CaptureControl = nullptr;
TControl* HoverControl = nullptr;

bool Within(const TControl* Candidate, const TControl* Control) {
    for (const TControl* c = Candidate; c != nullptr; c = c->Parent())
        if (c == Control) return true;
    return false;
}

}  // namespace

TControl* GetCaptureControl() {
    TWinControl* windowed = FindControl(vex::GetCapture());
    if (windowed != nullptr && CaptureControl != nullptr && CaptureControl->Parent() == windowed)
        return CaptureControl;
    return windowed;
}

void SetCaptureControl(TControl* Control) {
    vex::ReleaseCapture();
    CaptureControl = nullptr;
    if (Control == nullptr) return;
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    // A plain control holds the mouse through its parent's window, which hands it the messages.
    if (windowed == nullptr) {
        windowed = Control->Parent();
        if (windowed == nullptr) return;
        CaptureControl = Control;
    }
    vex::SetCapture(windowed->Handle());
}

TControl* MouseControl() {
    return HoverControl;
}

void SetMouseControl(TControl* Control) {
    if (Control == HoverControl) return;
    TControl* left = HoverControl;
    HoverControl = Control;
    // The leave handler may free the entered control; it then clears the reference itself.
    if (left != nullptr) left->Perform(CM_MOUSELEAVE, 0, 0);
    if (HoverControl != nullptr && HoverControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

void ReleaseCaptureWithin(const TControl* Control) {
    if (Within(GetCaptureControl(), Control)) SetCaptureControl(nullptr);
}

void LeaveMouseControls(const TControl* Control) {
    ReleaseCaptureWithin(Control);
    if (Within(HoverControl, Control)) SetMouseControl(nullptr);
}

void ForgetMouseControls(const TControl* Control) {
    ReleaseCaptureWithin(Control);
    // The window a plain control held the mouse through may be gone already.
    if (Within(CaptureControl, Control)) CaptureControl = nullptr;
    if (Within(HoverControl, Control)) HoverControl = nullptr;
}

}  // namespace vex
