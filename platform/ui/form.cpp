#include "platform/ui/form.h"

#include <memory>
#include <utility>

#include "platform/ui/applicationevents.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/formframe.h"
#include "platform/ui/formplacement.h"
#include "platform/ui/inputevents.h"
#include "platform/ui/mainmenu.h"
#include "platform/ui/screen.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

// Where Release sends the form's end: a window that outlives the form's own, which a new frame
// makes again and which would take a waiting release with it.
HWND ReleaseWindow() {
    static const HWND wnd = AllocateHWnd([](TMessage& Message) {
        if (Message.Msg == CM_RELEASE) delete reinterpret_cast<TCustomForm*>(Message.LParam);
    });
    return wnd;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csDoubleClicks};
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Application().Handle();
    Screen().AddForm(this);
}

// --- Frame, placement, lifetime and modal runs ---

TCustomForm::~TCustomForm() {
    // A failing OnDestroy is reported; the form goes all the same.
    try {
        if (OnDestroy) OnDestroy(this);
    } catch (...) {
        Application().HandleException(this);
    }
    Screen().RemoveForm(this);
    if (ApplicationEvents().MainForm() == this) ApplicationEvents().SetMainForm(nullptr);
    // The menu may outlive the form, or go among its components when nothing of the form is
    // left to tell.
    if (FMenu != nullptr) std::exchange(FMenu, nullptr)->SetForm(nullptr);
}

void TCustomForm::AfterConstruction() {
    // A failing OnCreate is reported: the form is made and owned all the same, and the caller
    // must get it back to free it.
    try {
        if (OnCreate) OnCreate(this);
    } catch (...) {
        Application().HandleException(this);
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    RecreateWnd();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::CloseModal() {
    const std::weak_ptr<const void> life = LifeToken();
    TCloseAction action = caNone;
    if (CloseQuery() && !life.expired()) {
        action = caHide;
        DoClose(action);
    }
    if (life.expired()) return;
    if (action == caNone)
        FModalResult = mrNone;
    else if (action == caFree)
        Release();
}

void TCustomForm::PlaceForShowing() {
    if (FPosition == poDesigned || (IsDefaultPlacement(FPosition) && FPlaced)) return;
    TPlacementSpace space = ScreenPlacementSpace();
    static int cascade = 0;
    if (IsDefaultPlacement(FPosition)) space.Cascade = cascade++;
    TCustomForm* anchor = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner())
                                                         : ApplicationEvents().MainForm();
    if ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && anchor != nullptr &&
        anchor != this && anchor->HandleAllocated())
        GetWindowRect(anchor->Handle(), space.Anchor);
    FPlaced = true;
    SetBoundsRect(PlaceForm(FPosition, BoundsRect(), space));
}

void TCustomForm::Activated(bool Active) {
    if (Active) {
        Screen().SetActiveForm(this);
        if (OnActivate) OnActivate(this);
    } else {
        if (OnDeactivate) OnDeactivate(this);
    }
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

// --- end of frame, placement, lifetime and modal runs ---

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    const TFormFrameStyles frame = FormFrameStyles(FBorderStyle, FFormStyle);
    Params.Style = WS_CLIPCHILDREN | frame.Style;
    Params.ExStyle |= frame.ExStyle;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    Params.WndParent = 0;
}

void TCustomForm::Show() {
    const std::weak_ptr<const void> life = LifeToken();
    SetVisible(true);
    if (!life.expired()) BringToFront();
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (!CloseQuery() || life.expired()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (life.expired()) return;
    if (action != caNone && ApplicationEvents().MainForm() == this) {
        Application().Terminate();
        return;
    }
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
    // A form freed before the message comes, or released twice, is not freed again.
    PostGuardedMessage(ReleaseWindow(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this), LifeToken());
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
    const std::weak_ptr<const void> life = LifeToken();
    if (Showing()) {
        // A failing OnShow is reported, and the form shows all the same.
        try {
            DoShow();
        } catch (...) {
            Application().HandleException(this);
        }
        if (life.expired()) return;
        PlaceForShowing();
        ShowWindow(Handle(), SW_SHOWNORMAL);
    } else {
        try {
            DoHide();
        } catch (...) {
            Application().HandleException(this);
        }
        if (!life.expired()) ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (FMenu == Value) return;
    if (Value != nullptr && Value->Form() != nullptr) Value->Form()->SetMenu(nullptr);
    if (FMenu != nullptr) {
        FMenu->SetForm(nullptr);
        FMenu->RemoveFreeNotification(this);
    }
    FMenu = Value;
    if (Value != nullptr) {
        Value->FreeNotification(this);
        Value->SetForm(this);
        Value->FrameChanged();
    } else if (HandleAllocated()) {
        SetWindowPos(Handle(), 0, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool TCustomForm::IsShortCut(TMessage& Message) {
    return FMenu != nullptr && FMenu->IsShortCut(static_cast<uint16_t>(Message.WParam),
                                                 KeyDataToShiftState(Message.LParam));
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMenu) SetMenu(nullptr);
}

void TCustomForm::WndProc(TMessage& Message) {
    if (FMenu != nullptr &&
        FMenu->FormMessage(Message, [this](TMessage& M) { TWinControl::WndProc(M); }))
        return;
    switch (Message.Msg) {
        case CM_DIALOGKEY:
            // F10 takes the keys to the menu bar.
            if (Message.WParam == VK_F10 && FMenu != nullptr && GetKeyState(VK_SHIFT) >= 0) {
                FMenu->OpenByKeyboard();
                Message.Result = 1;
                break;
            }
            TWinControl::WndProc(Message);
            break;
        case CM_DIALOGCHAR: {
            // A letter typed with Alt that no control's accelerator took opens a menu title.
            const std::weak_ptr<const void> life = LifeToken();
            TWinControl::WndProc(Message);
            if (!life.expired() && Message.Result == 0 && FMenu != nullptr &&
                GetKeyState(VK_MENU) < 0 &&
                FMenu->OpenByAccelerator(static_cast<char>(Message.WParam)))
                Message.Result = 1;
            break;
        }
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
        case WM_ACTIVATE: {
            const std::weak_ptr<const void> life = LifeToken();
            Activated(LOWORD(Message.WParam) != WA_INACTIVE);
            if (!life.expired()) TWinControl::WndProc(Message);
            break;
        }
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
