#include <cstdint>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";

// Counts the runs of SetFocusedControl, so that a run can tell that a handler it called started
// another one, which then has the last word.
uint64_t FocusCount = 0;

// Runs Step, which calls handlers; false when one moved the focus or freed the form or Control.
template <class TStep>
bool FocusStepHolds(TWinControl* Control, const std::weak_ptr<const void>& FormLife, TStep Step) {
    const uint64_t count = FocusCount;
    const std::weak_ptr<const void> life = Control->LifeToken();
    Step();
    return count == FocusCount && !FormLife.expired() && !life.expired();
}

bool SendFocusMessage(TWinControl* Control, UINT Msg, const std::weak_ptr<const void>& FormLife) {
    return FocusStepHolds(Control, FormLife, [&] { Control->Perform(Msg, 0, 0); });
}

// The screen's handlers hear of the new active control, and may free or refocus things too.
bool NameOnScreen(TWinControl* Control, const std::weak_ptr<const void>& FormLife) {
    return FocusStepHolds(Control, FormLife, [&] { Screen().SetActiveControl(Control); });
}

}  // namespace

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (FActiveControl == Control) return;
    const bool loading = ComponentState().Contains(csLoading);
    if (Control != nullptr &&
        (Control == this || GetParentForm(Control) != this || (!loading && !Control->CanFocus())))
        throw EInvalidOperation(SCannotFocus);
    FActiveControl = Control;
    if (!loading && FocusWithin()) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
    const bool wasActive = FocusWithin();
    const std::weak_ptr<const void> life = LifeToken();
    SetActiveControl(Control);
    if (!wasActive && !life.expired()) SetFocus();
}

void TCustomForm::SetFocus() {
    if (FocusWithin()) return;
    if (!Visible() || !Enabled()) throw EInvalidOperation(SCannotFocus);
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = FActiveControl != nullptr ? FActiveControl : this;
    vex::SetFocus(target->Handle());
}

bool TCustomForm::FocusWithin() {
    if (!HandleAllocated()) return false;
    const HWND focus = vex::GetFocus();
    return focus != 0 && (focus == Handle() || IsChild(Handle(), focus));
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    // A control leaving the form hears no CM_EXIT: the exits start at its parent.
    if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
    if (!Control->ContainsControl(FActiveControl)) return;
    const std::weak_ptr<const void> life = LifeToken();
    SetActiveControl(nullptr);
    // The focus is the form's own now; its controls hear of it as of any other move.
    if (!life.expired()) Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    ++FocusCount;
    FActiveControl = Control != this ? Control : nullptr;
    if (Control->ControlState().Contains(csFocusing)) return false;
    const std::weak_ptr<const void> life = LifeToken();
    const std::weak_ptr<const void> controlLife = Control->LifeToken();
    Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
    struct TEndFocusing {
        TWinControl& Control;
        const std::weak_ptr<const void>& Life;
        ~TEndFocusing() {
            if (!Life.expired())
                Control.SetControlState(Control.ControlState() - TControlState{csFocusing});
        }
    } endFocusing{*Control, controlLife};

    if (FFocusedControl == nullptr) FFocusedControl = this;
    if (FFocusedControl == Control) return NameOnScreen(Control, life);
    while (FFocusedControl != nullptr && !FFocusedControl->ContainsControl(Control)) {
        TWinControl* leaving = FFocusedControl;
        FFocusedControl = leaving->Parent();
        if (!SendFocusMessage(leaving, CM_EXIT, life) || controlLife.expired()) return false;
    }
    while (FFocusedControl != Control) {
        TWinControl* entering = Control;
        while (entering != nullptr && entering->Parent() != FFocusedControl)
            entering = entering->Parent();
        // A handler took the control out of the form.
        if (entering == nullptr) return false;
        FFocusedControl = entering;
        if (!SendFocusMessage(entering, CM_ENTER, life) || controlLife.expired()) return false;
    }
    if (!NameOnScreen(Control, life)) return false;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

void TCustomForm::WMSetFocus(TMessage& Message) {
    // The form's own window was given the focus while a control of it is active: the focus goes
    // on to that control.
    if (Focused() && FActiveControl != nullptr && FActiveControl->CanFocus()) {
        SetWindowFocus();
        return;
    }
    TWinControl::WMSetFocus(Message);
}

void TCustomForm::CMDialogKey(TMessage& Message) {
    if (GetKeyState(VK_MENU) >= 0) switch (Message.WParam) {
            case VK_TAB:
                if (GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                    Message.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
                    FActiveControl->Parent()->SelectNext(
                        FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN,
                        false);
                    Message.Result = 1;
                }
                return;
            default:
                break;
        }
    TWinControl::CMDialogKey(Message);
}

void TCustomForm::WMNextDlgCtl(TMessage& Message) {
    if (Message.LParam != 0)
        vex::SetFocus(static_cast<HWND>(Message.WParam));
    else
        SelectNext(FActiveControl, Message.WParam == 0, true);
}

void TCustomForm::MouseWheelHandler(TMessage& Message) {
    if (FFocusedControl != nullptr && FFocusedControl != this)
        Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    else
        TWinControl::MouseWheelHandler(Message);
}

}  // namespace vex
