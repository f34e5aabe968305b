#include "platform/ui/customedit.h"
#include "platform/ui/editmenu.h"
#include "platform/ui/popupmenu.h"

namespace vex {

namespace {

// Where WM_CONTEXTMENU says the menu was asked for from the keyboard.
constexpr TPoint FromKeyboard{-1, -1};

}  // namespace

TPopupMenu& TCustomEdit::OwnMenu() {
    if (FOwnMenu != nullptr) return *FOwnMenu;
    FOwnMenu = new TPopupMenu(this);
    for (const TEditMenuItem& entry : EditMenuItems) {
        auto* item = new TMenuItem(FOwnMenu);
        item->SetCaption(entry.Caption != nullptr ? entry.Caption : "-");
        const TEditAction action = entry.Action;
        if (action != TEditAction::None) item->OnClick = [this, action](TObject*) { Run(action); };
        FOwnMenu->Items()->Add(item);
    }
    FOwnMenu->OnPopup = [this](TObject*) {
        for (size_t i = 0; i < EditMenuItems.size(); ++i)
            if (EditMenuItems[i].Action != TEditAction::None)
                FOwnMenu->Items()
                    ->Items(static_cast<int32_t>(i))
                    ->SetEnabled(CanRun(EditMenuItems[i].Action));
    };
    return *FOwnMenu;
}

void TCustomEdit::ContextMenuNative(TMessage& Message) {
    TPoint at = MessagePoint(Message.LParam);
    // From the keyboard the menu opens at the caret; a click outside the text is the parent's.
    if (at == FromKeyboard) {
        at = ClientToScreen(PointOf(FText.Caret()));
    } else if (!PtInRect(ClientRect(), ScreenToClient(at))) {
        TCustomControl::DefaultHandler(Message);
        return;
    }
    if (!TakeFocus()) return;
    TPopupMenu& menu = OwnMenu();
    menu.SetPopupComponent(this);
    Message.Result = 1;
    menu.Popup(at.X, at.Y);
}

}  // namespace vex
