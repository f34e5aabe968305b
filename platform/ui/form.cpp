#include "platform/ui/form.h"

#include <memory>

#include "platform/ui/applicationevents.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/windowinput.h"
#include "platform/win/application.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csDoubleClicks};
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    Params.WndParent = 0;
}

void TCustomForm::Show() {
    const std::weak_ptr<const void> life = LifeToken();
    SetVisible(true);
    if (!life.expired()) BringToFront();
}

void TCustomForm::Close() {
    const std::weak_ptr<const void> life = LifeToken();
    TCloseAction action = caHide;
    DoClose(action);
    if (life.expired()) return;
    switch (action) {
        case caHide:
            Hide();
            break;
        case caMinimize:
            ShowWindow(Handle(), SW_MINIMIZE);
            break;
        case caFree:
            Release();
            break;
        case caNone:
            break;
    }
}

void TCustomForm::Release() {
    PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::DoClose(TCloseAction& Action) {
    const std::weak_ptr<const void> life = LifeToken();
    if (OnClose) OnClose(this, Action);
    if (!life.expired()) CloseSubscribers.Notify(this, Action);
}

void TCustomForm::DoShow() {
    const std::weak_ptr<const void> life = LifeToken();
    if (OnShow) OnShow(this);
    if (!life.expired()) ShowSubscribers.Notify(this);
}

void TCustomForm::Resize() {
    const std::weak_ptr<const void> life = LifeToken();
    TWinControl::Resize();
    if (!life.expired()) ResizeSubscribers.Notify(this);
}

void TCustomForm::CMShowingChanged(TMessage&) {
    if (Showing()) {
        const std::weak_ptr<const void> life = LifeToken();
        // A failing OnShow is reported, and the form shows all the same.
        try {
            DoShow();
        } catch (...) {
            Application().HandleException(this);
        }
        if (!life.expired()) ShowWindow(Handle(), SW_SHOWNORMAL);
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CLOSE:
            Close();
            break;
        case CM_RELEASE:
            delete this;
            break;
        case WM_NEXTDLGCTL:
            WMNextDlgCtl(Message);
            break;
        case WM_ACTIVATEAPP:
            ApplicationEvents().SetActive(Message.WParam != 0);
            TWinControl::WndProc(Message);
            break;
        default:
            TWinControl::WndProc(Message);
            break;
    }
}

TCustomForm* GetParentForm(TControl* Control) {
    if (Control == nullptr) return nullptr;
    while (Control->Parent() != nullptr)
        Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
}

}  // namespace vex
