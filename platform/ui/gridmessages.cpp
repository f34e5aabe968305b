// The messages the grid answers itself: the scroll bars, the timed scroll's timer, the cursor
// over a sizing border, the keys it wants from the dialog, and the focus.

#include "platform/ui/grid.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"

namespace vex {

void TCustomGrid::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
            return;
        case WM_HSCROLL:
        case WM_VSCROLL:
            ScrollBarMessage(Message.Msg == WM_HSCROLL, Message.WParam);
            return;
        case WM_TIMER:
            TimerTick();
            return;
        case WM_SETCURSOR:
            if (LOWORD(Message.LParam) == HTCLIENT) {
                TPoint p{0, 0};
                GetCursorPos(p);
                p = ScreenToClient(p);
                if (UpdateCursor(p.X, p.Y)) {
                    Message.Result = 1;
                    return;
                }
            }
            break;
        default:
            break;
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomGrid::WMSetFocus(TMessage& Message) {
    TCustomControl::WMSetFocus(Message);
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (FOptions.Contains(goRowSelect)) InvalidateRow(FCurrent.Y);
    if (FOptions.Contains(goAlwaysShowEditor) && !FHidingEditor) ShowEditor();
}

void TCustomGrid::WMKillFocus(TMessage& Message) {
    TCustomControl::WMKillFocus(Message);
    CancelGridMode();
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (FOptions.Contains(goRowSelect)) InvalidateRow(FCurrent.Y);
}

void TCustomGrid::DoExit() {
    TCustomControl::DoExit();
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
}

}  // namespace vex
