#include "platform/ui/popupmenu.h"

#include <memory>

#include "platform/ui/control.h"
#include "platform/ui/menutracker.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// A control's PopupMenu opens here on a right click or the context-menu key.
bool PopupForControl(TControl* Control, TComponent* Menu, TPoint ScreenPos) {
    auto* popup = dynamic_cast<TPopupMenu*>(Menu);
    if (popup == nullptr || !popup->AutoPopup()) return false;
    popup->SetPopupComponent(Control);
    popup->Popup(ScreenPos.X, ScreenPos.Y);
    return true;
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TMenu(AOwner), FWindow(AllocateHWnd([this](TMessage& M) { WindowMessage(M); })) {
    // Installed by each menu made rather than at start-up, where the control layer's handler
    // may not be there yet to take it.
    SetPopupMenuHandler(&PopupForControl);
}

TPopupMenu::~TPopupMenu() {
    DeallocateHWnd(FWindow);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    if (FPopupComponent == Value) return;
    if (FPopupComponent != nullptr) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    // One menu at a time holds the keys and the pointer.
    if (MenuRunning()) return;
    FPopupPoint = Point(X, Y);
    DoPopup(this);
    if (life.expired() || !HasSubMenu(*Items())) return;
    TMenuTracker tracker(*this, nullptr);
    TMenuItem* chosen = tracker.TrackPopup(*Items(), FPopupPoint);
    if (chosen != nullptr && !life.expired())
        PostMessage(FWindow, WM_COMMAND, chosen->Command(), 0);
}

void TPopupMenu::WindowMessage(TMessage& Message) {
    if (Message.Msg == WM_COMMAND && DispatchCommand(LOWORD(Message.WParam))) Message.Result = 0;
}

}  // namespace vex
