#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/win/messages.h"

namespace vex {

// The notification area of the desktop, as the tray icon component speaks to it: one call that
// adds, changes or removes an icon of an owner window. Mouse activity on a shown icon comes back
// to the owner as a posted message: CallbackMessage with WParam the icon's id and LParam the
// mouse message (WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, ..., WM_MOUSEMOVE).

inline constexpr DWORD NIM_ADD = 0;
inline constexpr DWORD NIM_MODIFY = 1;
inline constexpr DWORD NIM_DELETE = 2;

// Which members of the record an add or modify carries.
inline constexpr UINT NIF_MESSAGE = 1;
inline constexpr UINT NIF_ICON = 2;
inline constexpr UINT NIF_TIP = 4;

// The longest tip a host keeps, in bytes; longer ones are cut.
inline constexpr size_t kTrayTipLength = 63;

// An icon's picture: Width x Height pixels 0xAARRGGBB, rows top to bottom with no gap. Alpha 0 is
// transparent; an empty picture shows nothing.
struct TTrayIconImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
    bool Empty() const { return Width <= 0 || Height <= 0; }
    friend bool operator==(const TTrayIconImage&, const TTrayIconImage&) = default;
};

struct NOTIFYICONDATA {
    HWND Wnd = 0;
    UINT ID = 0;
    UINT Flags = 0;
    UINT CallbackMessage = 0;
    TTrayIconImage Icon;
    std::string Tip;
    friend bool operator==(const NOTIFYICONDATA&, const NOTIFYICONDATA&) = default;
};

// A picture whose size does not match its pixels, or is beyond any tray's.
VEX_EXCEPTION(ETrayIconError, Exception);

class TTrayHost {
public:
    virtual ~TTrayHost() = default;
    // NIM_ADD, NIM_MODIFY or NIM_DELETE of the icon (Data.Wnd, Data.ID). False, with nothing
    // changed, when the message is none of these, an add finds the icon there, a modify or
    // delete does not find it, or the owner is no window. Raises ETrayIconError for a malformed
    // picture.
    virtual bool Notify(DWORD Message, const NOTIFYICONDATA& Data) = 0;
};

// The host of the process, made at first use: the display's system tray when the presenter shows
// windows on an X display, else one that keeps the icons and shows none of them.
TTrayHost& TrayHost();
// Replaces the host (tests); the icons of the old one are gone with it.
void SetTrayHost(std::unique_ptr<TTrayHost> Value);

// The call of the original's name, through TrayHost().
bool Shell_NotifyIcon(DWORD Message, const NOTIFYICONDATA& Data);

}  // namespace vex
