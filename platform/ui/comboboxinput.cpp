// What keys, presses and the wheel do to a combo box, open or closed.

#include <algorithm>

#include "platform/ui/combobox.h"
#include "platform/ui/comboboxedit.h"
#include "platform/ui/comboboxlist.h"
#include "platform/ui/controlmessages.h"
#include "platform/win/keyboard.h"

namespace vex {

void TCustomComboBox::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            // Open, Enter and Escape belong to the list, not to the form's buttons.
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (FDroppedDown) Message.Result |= DLGC_WANTALLKEYS;
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (HandleKey(static_cast<uint16_t>(Message.WParam), Message.Msg == WM_SYSKEYDOWN))
                return;
            break;
        case WM_CHAR:
            if (static_cast<uint8_t>(Message.WParam) >= ' ') {
                MoveThroughList(WM_CHAR, Message.WParam);
                return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const std::weak_ptr<const void> life = LifeToken();
            TWinControl* focus = FEdit != nullptr ? static_cast<TWinControl*>(FEdit) : this;
            if (focus->CanFocus() && !focus->Focused()) focus->SetFocus();
            if (life.expired()) return;
            if (FDroppedDown)
                CloseList(false);
            else
                OpenList();
            return;
        }
        case WM_MOUSEWHEEL:
            if (FDroppedDown)
                FList->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
            else
                MoveThroughList(WM_KEYDOWN,
                                GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0 ? VK_UP : VK_DOWN);
            Message.Result = 1;
            return;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            if (FEdit == nullptr) break;
            Message.Result = FEdit->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        case WM_SETTEXT: {
            if (FEdit != nullptr) {
                // Any text goes in the edit; the item it names, if one does, is chosen.
                FShowingItem = true;
                Message.Result = FEdit->Perform(WM_SETTEXT, Message.WParam, Message.LParam);
                FShowingItem = false;
                FChosen = Items().IndexOf(FEdit->Text());
                FList->SetItemIndex(FChosen);
                return;
            }
            // The face shows items only: a text chooses the item it names.
            const auto* text = reinterpret_cast<const char*>(Message.LParam);
            ShowItem(Items().IndexOf(text != nullptr ? text : ""));
            Message.Result = 1;
            return;
        }
        default:
            break;
    }
    TWinControl::DefaultHandler(Message);
}

bool TCustomComboBox::HandleKey(uint16_t Key, bool Alt) {
    if (Key == VK_F4 || (Alt && (Key == VK_DOWN || Key == VK_UP))) {
        if (FDroppedDown)
            CloseList(true);
        else
            OpenList();
        return true;
    }
    if (Alt) return false;
    // In the edit these move the caret.
    const bool editing =
        FEdit != nullptr && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME || Key == VK_END);
    if (editing) return false;
    switch (Key) {
        case VK_RETURN:
        case VK_ESCAPE:
            if (!FDroppedDown) return false;
            CloseList(Key == VK_RETURN);
            return true;
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            MoveThroughList(WM_KEYDOWN, Key);
            return true;
        default:
            return false;
    }
}

void TCustomComboBox::MoveThroughList(UINT Msg, WPARAM Key) {
    if (FDroppedDown) {
        FList->Perform(Msg, Key, 0);
        return;
    }
    // Closed, the list moves as it would open (a page is its rows), and the face follows.
    const int32_t rows = std::clamp(Items().Count(), 1, FDropDownCount);
    FList->SetBounds(0, 0, Width(), rows * ItemHeight() + 2);
    const int32_t before = FList->ItemIndex();
    FList->Perform(Msg, Key, 0);
    const int32_t after = FList->ItemIndex();
    if (after == before) return;
    FList->SetItemIndex(before);
    ChooseByUser(after);
}

void TCustomComboBox::WMSetFocus(TMessage& Message) {
    TWinControl::WMSetFocus(Message);
    // The edit takes the keys of a drop-down combo box.
    if (FEdit != nullptr && FEdit->CanFocus()) FEdit->SetFocus();
    Invalidate();
}

void TCustomComboBox::WMKillFocus(TMessage& Message) {
    CloseList(false);
    TWinControl::WMKillFocus(Message);
    Invalidate();
}

void TCustomComboBox::CMCancelMode(TMessage& Message) {
    if (reinterpret_cast<TControl*>(Message.LParam) != this) CloseList(false);
    TWinControl::CMCancelMode(Message);
}

}  // namespace vex
