#include "components/misc/PGTray95MsgWindow.h"

#include <cstdlib>

#include "components/misc/PGTray95.h"
#include "components/misc/PGTray95Timers.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

// The keys and buttons down now: the tray's notification carries none of them.
TShiftState CurrentShiftState() {
    const auto down = [](int32_t Key) { return (GetKeyState(Key) & 0x8000) != 0; };
    TShiftState shift;
    if (down(VK_SHIFT)) shift.Include(ssShift);
    if (down(VK_MENU)) shift.Include(ssAlt);
    if (down(VK_CONTROL)) shift.Include(ssCtrl);
    if (down(VK_LBUTTON)) shift.Include(ssLeft);
    if (down(VK_RBUTTON)) shift.Include(ssRight);
    if (down(VK_MBUTTON)) shift.Include(ssMiddle);
    return shift;
}

}  // namespace

TPGTrayIconMsgWindow::TPGTrayIconMsgWindow(TPGTrayIcon95& ATrayIcon)
    : FTrayIcon(ATrayIcon),
      FClickItem(ATrayIcon.TimerManager().AddItem(false, kDoubleClickWait,
                                                  [this](TPGTimerItem*) { ClickDecision(); })),
      FHoverItem(ATrayIcon.TimerManager().AddItem(false, kHoverPoll,
                                                  [this](TPGTimerItem*) { HoverPoll(); })) {}

void TPGTrayIconMsgWindow::MouseMessage(UINT Msg) {
    TPGTrayIcon95& icon = FTrayIcon;
    switch (Msg) {
        case WM_MOUSEMOVE: {
            GetCursorPos(FCursor);
            if (!icon.OnMouseEnter && !icon.OnMouseExit) {
                FMouseInside = true;
            } else if (!FMouseInside) {
                FMouseInside = true;
                FHoverItem->SetEnabled(true);
                if (icon.OnMouseEnter)
                    icon.OnMouseEnter(&icon, CurrentShiftState(), FCursor.X, FCursor.Y);
                return;
            }
            if (icon.OnMouseMove && !FClickItem->Enabled() && FMouseInside)
                icon.OnMouseMove(&icon, CurrentShiftState(), FCursor.X, FCursor.Y);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            FButton = Msg == WM_LBUTTONDOWN ? 0 : Msg == WM_RBUTTONDOWN ? 1 : 2;
            if (FButton == 1 && icon.AutoPopup() && icon.PopupMenu() != nullptr) {
                Popup();
                return;
            }
            FDoubleClick = false;
            if (icon.OnDblClick) {
                FClickItem->SetInterval(kDoubleClickWait);
                FClickItem->SetEnabled(true);
            } else {
                icon.PostDeferredCall([this] { ClickDecision(); });
            }
            return;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            FDoubleClick = true;
            ClickDecision();
            return;
        default:
            return;
    }
}

void TPGTrayIconMsgWindow::ClickDecision() {
    FClickItem->SetEnabled(false);
    TPGTrayIcon95& icon = FTrayIcon;
    if (FDoubleClick) {
        if (icon.OnDblClick) icon.OnDblClick(&icon);
    } else if (icon.OnClick) {
        icon.OnClick(&icon);
    }
}

void TPGTrayIconMsgWindow::HoverPoll() {
    TPoint now;
    GetCursorPos(now);
    if (std::abs(now.X - FCursor.X) < kHoverTolerance &&
        std::abs(now.Y - FCursor.Y) < kHoverTolerance)
        return;
    FMouseInside = false;
    // Stopped before the handler runs, which may free the tray icon.
    FHoverItem->SetEnabled(false);
    TPGTrayIcon95& icon = FTrayIcon;
    if (icon.OnMouseExit) icon.OnMouseExit(&icon, CurrentShiftState(), FCursor.X, FCursor.Y);
}

void TPGTrayIconMsgWindow::Popup() {
    // The menu runs its own loop; the tray icon may be gone when it returns.
    FTrayIcon.PopupMenu()->Popup(FCursor.X, FCursor.Y);
}

}  // namespace vex
