#include "platform/ui/comboboxlist.h"

#include "platform/ui/combobox.h"
#include "platform/ui/controlmessages.h"
#include "platform/win/capture.h"
#include "platform/win/scrollbars.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

TComboBoxList::TComboBoxList(TCustomComboBox& ComboBox)
    : TCustomListBox(nullptr), FComboBox(ComboBox) {
    // It keeps the mouse for as long as it shows, not for a press.
    FControlStyle.Exclude(csCaptureMouse);
    SetTabStop(false);
}

void TComboBoxList::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    // The list's own styles stay; the window is a bordered popup above everything, which a
    // display shows at once where it is put, past any window manager.
    Params.Style = (Params.Style & 0xFFFF) | WS_POPUP | WS_BORDER | WS_VSCROLL;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = 0;
}

void TComboBoxList::Open(const TRect& Bounds) {
    SetBoundsRect(Bounds);
    SetWindowPos(Handle(), HWND_TOPMOST, Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left,
                 Bounds.Bottom - Bounds.Top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FOpen = true;
    SetCapture(Handle());
}

void TComboBoxList::Close() {
    if (!FOpen) return;
    FOpen = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    ShowWindow(Handle(), SW_HIDE);
}

void TComboBoxList::WndProc(TMessage& Message) {
    // A key is weighed first by the window that holds the mouse, which the list does while it
    // shows; it belongs to the combo box, whose form moves the focus on Tab and runs shortcuts.
    const bool key = Message.Msg == CN_KEYDOWN || Message.Msg == CN_SYSKEYDOWN ||
                     Message.Msg == CN_CHAR || Message.Msg == CN_SYSCHAR;
    if (FOpen && key)
        Message.Result = FComboBox.Perform(Message.Msg, Message.WParam, Message.LParam);
    else
        TCustomListBox::WndProc(Message);
}

void TComboBoxList::DefaultHandler(TMessage& Message) {
    // A click keeps the focus on the combo box and its form active.
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    if (!FOpen) {
        TCustomListBox::DefaultHandler(Message);
        return;
    }
    const TPoint at = MessagePoint(Message.LParam);
    const bool inside = PtInRect(ClientRect(), at);
    const int32_t item = inside ? ItemAtPos(at, true) : -1;
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
            // The pointer carries the choice with it, button down or not.
            if (item >= 0 && item != ItemIndex()) SetItemIndex(item);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const TRect window = Rect(0, 0, Width(), Height());
            if (inside) {
                if (item >= 0) SetItemIndex(item);
            } else if (PtInRect(window, at) && at.X >= ClientWidth()) {
                ScrollBarPress(at.Y);
            } else {
                FComboBox.CloseList(false);
            }
            return;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // A press of another button picks nothing, but outside it still closes the list.
            if (!PtInRect(Rect(0, 0, Width(), Height()), at)) FComboBox.CloseList(false);
            return;
        case WM_LBUTTONUP:
            // A release on an item picks it, also that of the press that opened the list and
            // was dragged here; elsewhere the list stays open for a click.
            if (item >= 0) FComboBox.CloseList(true);
            return;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the list has lost its hold and closes.
            if (static_cast<HWND>(Message.LParam) != Handle()) FComboBox.CloseList(false);
            return;
        default:
            TCustomListBox::DefaultHandler(Message);
            return;
    }
}

void TComboBoxList::ScrollBarPress(int32_t Y) {
    // A press on the bar moves the list a step: an arrow a row, the track a page.
    const int32_t arrow = GetSystemMetrics(SM_CYVSCROLL);
    if (Y < arrow)
        Perform(WM_VSCROLL, SB_LINEUP, 0);
    else if (Y >= ClientHeight() - arrow)
        Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    else if (TScrollBarState bar; GetScrollBarState(Handle(), SB_VERT, bar)) {
        int32_t offset = 0, length = 0;
        if (!ScrollThumb(ClientHeight() - 2 * arrow, bar, offset, length)) return;
        if (Y - arrow < offset) Perform(WM_VSCROLL, SB_PAGEUP, 0);
        if (Y - arrow >= offset + length) Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    }
}

}  // namespace vex
