#pragma once

#include <cstdint>

#include "platform/ui/menus.h"
#include "platform/win/messages.h"

namespace vex {

// A menu that opens at a point of the screen: by Popup, or on a right click or the context-menu
// key over a control whose PopupMenu it is (when AutoPopup). Popup returns once the menu has
// closed; the chosen item's OnClick comes after that, through a WM_COMMAND the menu posts.
class TPopupMenu : public TMenu {
    VEX_CLASS(TPopupMenu, TMenu)

public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // The control the menu was last opened for; forgotten when that control is freed.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value);
    // Where the menu was last opened, on the screen.
    TPoint PopupPoint() const { return FPopupPoint; }

    // Fires OnPopup, then shows the items with the top-left corner at (X, Y) on the screen, moved
    // to stay on it, and runs the menu until it closes. Does nothing while a menu runs.
    virtual void Popup(int32_t X, int32_t Y);
    // The window the chosen item's WM_COMMAND goes to.
    HWND Window() const { return FWindow; }

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WindowMessage(TMessage& Message);

    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
    HWND FWindow;
};

}  // namespace vex
