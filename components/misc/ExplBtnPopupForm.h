#pragma once

#include "platform/ui/form.h"

namespace vex {

class TExplorerPopup;

// The floating tool window of a torn-off explorer popup: its caption is the panel's, its client
// the panel. Dragging it by the caption moves it (the popup hears of each move, to dock again);
// closing it frees it and sends the panel home.
class TExplorerPopupForm : public TForm {
    VEX_CLASS(TExplorerPopupForm, TForm)

public:
    TExplorerPopupForm(TComponent* AOwner, TExplorerPopup* Popup);
    ~TExplorerPopupForm() override;

    // Moves the window with the pointer, the pointer keeping its place on it, until the left
    // button is released; the loop goes through the modal driver.
    void FollowMouse();

    void WndProc(TMessage& Message) override;

protected:
    void DoClose(TCloseAction& Action) override;

private:
    friend class TExplorerPopup;

    TExplorerPopup* FPopup;
    bool FFollowing = false;  // FollowMouse runs
};

}  // namespace vex
