#include "platform/ui/mousetracking.h"

#include "platform/ui/controlmessages.h"
#include "platform/ui/wincontrol.h"

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
    return CaptureControl;
}

void SetCaptureControl(TControl* Control) {
    CaptureControl = Control;
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

void ForgetMouseControls(const TControl* Control) {
    if (Within(CaptureControl, Control)) CaptureControl = nullptr;
    if (Within(HoverControl, Control)) HoverControl = nullptr;
}

}  // namespace vex
