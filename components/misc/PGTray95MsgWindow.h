#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

class TPGTimerItem;
class TPGTrayIcon95;

// Turns the tray's mouse notifications into the tray icon's events: a press waits
// DoubleClickWait for a double click when OnDblClick is assigned, and the pointer is polled
// while it rests on the icon, since the tray says when it arrives but not when it leaves.
class TPGTrayIconMsgWindow {
public:
    static constexpr int32_t kDoubleClickWait = 400;
    static constexpr int32_t kHoverPoll = 70;
    static constexpr int32_t kHoverTolerance = 3;

    explicit TPGTrayIconMsgWindow(TPGTrayIcon95& ATrayIcon);

    // One notification, with the mouse message it carries.
    void MouseMessage(UINT Msg);
    // Whether the pointer is taken to be over the icon.
    bool MouseInside() const { return FMouseInside; }

private:
    void ClickDecision();
    void HoverPoll();
    void Popup();

    TPGTrayIcon95& FTrayIcon;
    int32_t FButton = 0;  // of the last press: 0 left, 1 right, 2 middle
    bool FDoubleClick = false;
    TPGTimerItem* FClickItem;
    TPGTimerItem* FHoverItem;
    TPoint FCursor;  // the last position the tray reported, on the screen
    bool FMouseInside = false;
};

}  // namespace vex
