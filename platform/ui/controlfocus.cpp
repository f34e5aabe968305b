#include <memory>

#include "platform/core/exceptions.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"

namespace vex {

bool TWinControl::CanFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr) return false;
    for (TWinControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() {
    return FHandle != 0 && vex::GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    form->FocusControl(this);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& Message) {
    Broadcast(Message);
}

void TWinControl::WMSetFocus(TMessage& Message) {
    // Only the window that holds the focus moves its form's focus: a WM_SETFOCUS sent directly
    // changes the look alone.
    if (FHandle != 0 && vex::GetFocus() == FHandle) {
        const std::weak_ptr<const void> life = LifeToken();
        TCustomForm* form = GetParentForm(this);
        if (form != nullptr && !form->SetFocusedControl(this)) return;
        if (life.expired()) return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message) {
    // The form is moving the focus within itself through this control's CM_ENTER or CM_EXIT.
    if (FControlState.Contains(csFocusing)) return;
    DefaultHandler(Message);
}

void TWinControl::RemoveFocus(bool Removing) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this) form->DefocusControl(this, Removing);
}

}  // namespace vex
