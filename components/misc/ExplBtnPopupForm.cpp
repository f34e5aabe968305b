#include "components/misc/ExplBtnPopupForm.h"

#include <memory>

#include "components/misc/ExplBtnPopup.h"
#include "platform/win/capture.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"

namespace vex {

TExplorerPopupForm::TExplorerPopupForm(TComponent* AOwner, TExplorerPopup* Popup)
    : TForm(AOwner), FPopup(Popup) {
    SetBorderStyle(bsToolWindow);
    SetCaption(Popup->Caption());
}

TExplorerPopupForm::~TExplorerPopupForm() {
    FDestroying = true;
    // Freed without closing (by its owner): the panel still goes home rather than with it.
    if (FPopup != nullptr && FPopup->FloatingForm() == this) FPopup->FloatingClosed();
}

void TExplorerPopupForm::DoClose(TCloseAction& Action) {
    TForm::DoClose(Action);
    Action = caFree;
    TExplorerPopup* popup = FPopup;
    FPopup = nullptr;
    if (popup != nullptr) popup->FloatingClosed();
}

void TExplorerPopupForm::FollowMouse() {
    if (GetAsyncKeyState(VK_LBUTTON) >= 0) return;
    TPoint grab;
    GetCursorPos(grab);
    const TPoint offset = Point(grab.X - Left(), grab.Y - Top());
    const std::weak_ptr<const void> life = LifeToken();
    bool released = false;
    SetCapture(Handle());
    FFollowing = true;
    RunModalLoop([&] { return released || life.expired() || FPopup == nullptr; },
                 [&](MSG& Msg) {
                     if (Msg.message == WM_LBUTTONUP) released = true;
                     if (Msg.message != WM_MOUSEMOVE) return released;
                     TPoint cursor;
                     GetCursorPos(cursor);
                     SetBounds(cursor.X - offset.X, cursor.Y - offset.Y, Width(), Height());
                     if (FPopup != nullptr) FPopup->FloatingMoved();
                     return true;
                 });
    if (life.expired()) return;
    FFollowing = false;
    if (GetCapture() == Handle()) ReleaseCapture();
}

void TExplorerPopupForm::WndProc(TMessage& Message) {
    if (Message.Msg == WM_NCLBUTTONDOWN && Message.WParam == HTCAPTION) {
        FollowMouse();
        return;
    }
    TForm::WndProc(Message);
}

}  // namespace vex
