#include "components/entry/OvcBase.h"

#include "components/entry/OvcDate.h"
#include "components/entry/OvcErrors.h"
#include "platform/ui/form.h"
#include "platform/ui/messagedialog.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/window.h"

namespace vex {

namespace {

TWinControl* ControlOfHandle(WPARAM Handle) {
    return Handle != 0 ? FindControl(static_cast<HWND>(Handle)) : nullptr;
}

}  // namespace

TOvcController::TOvcController(TComponent* AOwner)
    : TComponent(AOwner),
      FEntryCommands(std::make_unique<TOvcCommandProcessor>()),
      FTimerPool(new TOvcTimerPool(this)) {
    FTimerPool->OnAllTriggers = [this](TObject* Sender, int32_t Handle, uint16_t Interval,
                                       int32_t ElapsedTime) {
        TimerPoolAllTriggers(Sender, Handle, Interval, ElapsedTime);
    };
    // The owner announced this controller to its other components before this constructor
    // ran, when it could not yet be told from any component; the controls it owns that have no
    // controller take it now, as they would have then.
    if (AOwner != nullptr)
        for (int32_t i = 0; i < AOwner->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TOvcBase*>(AOwner->Components(i));
                control != nullptr && !control->ControllerAssigned())
                control->SetController(this);
}

TOvcController::~TOvcController() {
    if (FWindowHandle != 0) DeallocateHWnd(FWindowHandle);
}

void TOvcController::SetLink(TWinControl*& Link, TWinControl* Value) {
    Link = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TOvcController::SetEpoch(int32_t Value) {
    if (Value >= MinYear && Value <= MaxYear) FEpoch = Value;
}

HWND TOvcController::Handle() {
    if (FWindowHandle == 0)
        FWindowHandle = AllocateHWnd([this](TMessage& Message) { ControllerWndProc(Message); });
    return FWindowHandle;
}

void TOvcController::DoOnError(TObject* Sender, uint16_t ErrorCode, const std::string& ErrorMsg) {
    if (OnError)
        OnError(Sender, ErrorCode, ErrorMsg);
    else
        MessageDlg(ErrorMsg, mtError, {mbOK}, 0);
}

void TOvcController::DoPreEdit(TWinControl* Field, TWinControl* LosingControl) {
    PostEditMessage(OVCM_PREEDIT, Field, LosingControl);
}

void TOvcController::DoPostEdit(TWinControl* Field, TWinControl* GainingControl) {
    PostEditMessage(OVCM_POSTEDIT, Field, GainingControl);
}

void TOvcController::PostEditMessage(UINT Msg, TWinControl* Field, TWinControl* Other) {
    // A control without a window yet has no handle to name it by; Handle() would make one.
    const HWND other = Other != nullptr && Other->HandleAllocated() ? Other->Handle() : 0;
    PostGuardedMessage(Handle(), Msg, other, reinterpret_cast<LPARAM>(Field), Field->LifeToken());
}

bool TOvcController::IsSpecialControl(HWND Handle) {
    for (TWinControl* button : {FBtnCancel, FBtnHelp, FBtnRestore})
        if (button != nullptr && button->HandleAllocated() && button->Handle() == Handle)
            return true;
    bool special = false;
    if (OnIsSpecialControl) OnIsSpecialControl(this, FindControl(Handle), special);
    return special;
}

void TOvcController::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    for (TWinControl** link : {&FBtnCancel, &FBtnHelp, &FBtnRestore})
        if (*link == AComponent) *link = nullptr;
}

// Whoever posts OVCM_SETFOCUS or OVCM_DELAYNOTIFY with an object in lParam posts it guarded by
// that object's life (PostGuardedMessage), so the object is still there when it arrives.
void TOvcController::ControllerWndProc(TMessage& Message) {
    Message.Result = 0;
    switch (Message.Msg) {
        case OVCM_SETFOCUS: {
            auto* control = reinterpret_cast<TWinControl*>(Message.LParam);
            if (control == nullptr) break;
            control->Show();
            if (control->CanFocus()) control->SetFocus();
            break;
        }
        case OVCM_PREEDIT:
            if (OnPreEdit)
                OnPreEdit(reinterpret_cast<TWinControl*>(Message.LParam),
                          ControlOfHandle(Message.WParam));
            break;
        case OVCM_POSTEDIT:
            if (OnPostEdit)
                OnPostEdit(reinterpret_cast<TWinControl*>(Message.LParam),
                           ControlOfHandle(Message.WParam));
            break;
        case OVCM_DELAYNOTIFY:
            if (OnDelayNotify)
                OnDelayNotify(reinterpret_cast<TObject*>(Message.LParam), LOWORD(Message.WParam));
            break;
        default:
            Message.Result =
                DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
            break;
    }
}

void TOvcController::TimerPoolAllTriggers(TObject* Sender, int32_t Handle, uint16_t Interval,
                                          int32_t ElapsedTime) {
    if (OnTimerTrigger) OnTimerTrigger(Sender, Handle, Interval, ElapsedTime);
}

TOvcBase::TOvcBase(TComponent* AOwner) : TCustomControl(AOwner) {}

void TOvcBase::SetController(TOvcController* Value) {
    FController = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TOvcBase::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FController)
        FController = nullptr;
    else if (Operation == opInsert && FController == nullptr)
        if (auto* controller = dynamic_cast<TOvcController*>(AComponent)) SetController(controller);
}

void TOvcBase::CreateWnd() {
    if (FController == nullptr && !ComponentState().Contains(csLoading)) {
        if (TCustomForm* form = GetParentForm(this))
            for (int32_t i = 0; i < form->ComponentCount() && FController == nullptr; ++i)
                if (auto* controller = dynamic_cast<TOvcController*>(form->Components(i)))
                    SetController(controller);
        if (FController == nullptr) throw ENoControllerAssigned();
    }
    TCustomControl::CreateWnd();
}

void TOvcBase::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case OVCM_AFTERENTER:
            if (AfterEnter) AfterEnter(this);
            return;
        case OVCM_AFTEREXIT:
            if (AfterExit) AfterExit(this);
            return;
        default:
            TCustomControl::WndProc(Message);
    }
}

void TOvcBase::WMSetFocus(TMessage& Message) {
    TCustomControl::WMSetFocus(Message);
    if (HandleAllocated()) PostMessage(Handle(), OVCM_AFTERENTER, 0, 0);
}

void TOvcBase::WMKillFocus(TMessage& Message) {
    TCustomControl::WMKillFocus(Message);
    if (HandleAllocated()) PostMessage(Handle(), OVCM_AFTEREXIT, 0, 0);
}

}  // namespace vex
