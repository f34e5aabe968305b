#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui/menubar.h"
#include "platform/ui/menus.h"
#include "platform/win/messages.h"

namespace vex {

class TCustomForm;

// A form's menu bar (the form's Menu): a row of titles at the top of the form, inside its frame,
// which the client area gives up its height to. A title drops down its items on a click, on
// Alt and its letter, or on F10 and the arrows; a title without items is chosen itself. The
// chosen item's WM_COMMAND goes to the form once the menu has closed, and its OnClick follows.
class TMainMenu : public TMenu {
    VEX_CLASS(TMainMenu, TMenu)

public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    // The form whose Menu this is; nil while on none.
    TCustomForm* Form() const { return FForm; }
    // The title shown selected, -1 for none.
    int32_t Highlight() const { return FHighlight; }
    // A title's rectangle in the form's window coordinates.
    TRect TitleBounds(int32_t Title) const;
    // The bar's rectangle in the form's window coordinates; empty without visible titles.
    TRect BarBounds() const { return FBar; }

    // Drops down the title whose accelerator Key is; false when no title has it.
    bool OpenByAccelerator(char Key);
    // Selects the first title, as F10 does, for the arrows and letters to go on.
    void OpenByKeyboard();

    // The form's window messages pass here first: the frame's size, painting and hit test, a
    // press on the bar, and WM_COMMAND. Inherited is the form's own handling, which the menu
    // runs first where it only adds to it. True when the message was handled here.
    bool FormMessage(TMessage& Message, const std::function<void(TMessage&)>& Inherited);

protected:
    void MenuChanged(TMenuItem* Item) override;

private:
    friend class TCustomForm;
    // Called by the form's SetMenu.
    void SetForm(TCustomForm* Value);
    // The form's frame is worked out again (the bar may come or go) and painted.
    void FrameChanged();
    void SetHighlight(int32_t Title);
    void Track(int32_t Title, bool DropDown, bool SelectFirst);

    TCustomForm* FForm = nullptr;
    int32_t FHighlight = -1;
    TRect FBar;
    // The titles as the bar was last fitted into the frame: an open menu asks for them at every
    // move of the pointer.
    TMenuBarLayout FLayout;
};

}  // namespace vex
