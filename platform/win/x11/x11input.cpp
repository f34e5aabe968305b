#include "platform/win/x11/x11input.h"

#include <algorithm>

#include "platform/win/keyboard.h"
#include "platform/win/x11/x11keymap.h"

namespace vex {

namespace {

constexpr unsigned kLeftButton = Button1;
constexpr unsigned kMiddleButton = Button2;
constexpr unsigned kRightButton = Button3;
constexpr unsigned kWheelUp = Button4;
constexpr unsigned kWheelDown = Button5;

WPARAM MouseFlags(unsigned State) {
    WPARAM flags = 0;
    if (State & Button1Mask) flags |= MK_LBUTTON;
    if (State & Button2Mask) flags |= MK_MBUTTON;
    if (State & Button3Mask) flags |= MK_RBUTTON;
    if (State & ShiftMask) flags |= MK_SHIFT;
    if (State & ControlMask) flags |= MK_CONTROL;
    return flags;
}

WPARAM ButtonFlag(unsigned Button) {
    switch (Button) {
        case kLeftButton:
            return MK_LBUTTON;
        case kMiddleButton:
            return MK_MBUTTON;
        case kRightButton:
            return MK_RBUTTON;
        default:
            return 0;
    }
}

// Two coordinates packed as the original packs them: 16 signed bits each, so positions left of
// or above the window (under a grab) read back negative.
LPARAM PackPoint(int X, int Y) {
    const auto clamp = [](int V) {
        return static_cast<uint16_t>(static_cast<int16_t>(std::clamp(V, -32768, 32767)));
    };
    return MAKELONG(clamp(X), clamp(Y));
}

std::optional<MSG> TranslateButton(const XButtonEvent& Event, bool Press, HWND Wnd, DWORD Time) {
    const WPARAM held = MouseFlags(Event.state);
    if (Event.button == kWheelUp || Event.button == kWheelDown) {
        if (!Press) return std::nullopt;
        const int16_t delta = Event.button == kWheelUp ? WHEEL_DELTA : -WHEEL_DELTA;
        const WPARAM wParam = static_cast<WPARAM>(static_cast<uint32_t>(
            MAKELONG(static_cast<uint16_t>(held), static_cast<uint16_t>(delta))));
        return MSG{Wnd, WM_MOUSEWHEEL, wParam, PackPoint(Event.x_root, Event.y_root), Time};
    }
    const WPARAM flag = ButtonFlag(Event.button);
    if (flag == 0) return std::nullopt;
    UINT message = 0;
    if (flag == MK_LBUTTON) message = Press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (flag == MK_MBUTTON) message = Press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    if (flag == MK_RBUTTON) message = Press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    const WPARAM after = Press ? held | flag : held & ~flag;
    return MSG{Wnd, message, after, PackPoint(Event.x, Event.y), Time};
}

// The key data of the original: repeat count 1, scan code, the extended bit, Alt held (bit 29),
// the key down before (bit 30: a repeat, or any release) and for a release the transition bit.
LPARAM KeyData(const TVirtualKey& Key, unsigned Keycode, bool AltDown, bool WasDown, bool Press) {
    uint32_t scan = Key.ScanCode;
    // X servers number keys as the kernel does, eight above it, and the kernel's codes of the
    // main block are the scan codes.
    if (scan == 0 && Keycode > 8 && Keycode - 8 <= 0x58) scan = Keycode - 8;
    uint32_t data = 1 | (scan << 16);
    if (Key.Extended) data |= 1u << 24;
    if (AltDown) data |= 1u << 29;
    if (WasDown || !Press) data |= 1u << 30;
    if (!Press) data |= 1u << 31;
    return static_cast<LPARAM>(static_cast<int32_t>(data));
}

std::optional<MSG> TranslateKey(const XKeyEvent& Event, bool Press, const TXKey& Key, HWND Wnd,
                                DWORD Time) {
    const TVirtualKey key = VirtualKeyOfKeySym(Key.Sym);
    if (key.Code == 0) return std::nullopt;
    // The state is the one before the event, so pressing Alt itself does not show it yet.
    const bool altDown = (Event.state & Mod1Mask) != 0 || (Press && key.Code == VK_MENU);
    const bool controlDown = (Event.state & ControlMask) != 0;
    // With Control held, Alt is a shift of the key (AltGr), not the menu.
    // F10 opens the menu bar in the original, so it comes as a system key like Alt.
    const bool system = !controlDown && (altDown || key.Code == VK_F10);
    UINT message;
    if (system)
        message = Press ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    else
        message = Press ? WM_KEYDOWN : WM_KEYUP;
    return MSG{Wnd, message, static_cast<WPARAM>(key.Code),
               KeyData(key, Event.keycode, altDown, Key.WasDown, Press), Time};
}

}  // namespace

std::optional<MSG> TranslateXEvent(const XEvent& Event, HWND Wnd, const TXKey& Key, DWORD Time) {
    switch (Event.type) {
        case MotionNotify:
            return MSG{Wnd, WM_MOUSEMOVE, MouseFlags(Event.xmotion.state),
                       PackPoint(Event.xmotion.x, Event.xmotion.y), Time};
        case ButtonPress:
            return TranslateButton(Event.xbutton, true, Wnd, Time);
        case ButtonRelease:
            return TranslateButton(Event.xbutton, false, Wnd, Time);
        case KeyPress:
            return TranslateKey(Event.xkey, true, Key, Wnd, Time);
        case KeyRelease:
            return TranslateKey(Event.xkey, false, Key, Wnd, Time);
        default:
            return std::nullopt;
    }
}

}  // namespace vex
