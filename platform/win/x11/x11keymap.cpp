#include "platform/win/x11/x11keymap.h"

#include <X11/keysym.h>

#include <array>
#include <cstddef>

#include "platform/win/keyboard.h"

namespace vex {

namespace {

struct TNamedKey {
    KeySym Sym;
    TVirtualKey Key;
};

constexpr std::array kNamedKeys = {
    TNamedKey{XK_Escape, {VK_ESCAPE, 0x01, false}},
    TNamedKey{XK_BackSpace, {VK_BACK, 0x0E, false}},
    TNamedKey{XK_Tab, {VK_TAB, 0x0F, false}},
    TNamedKey{XK_ISO_Left_Tab, {VK_TAB, 0x0F, false}},  // Shift+Tab on most maps
    TNamedKey{XK_Return, {VK_RETURN, 0x1C, false}},
    TNamedKey{XK_space, {VK_SPACE, 0x39, false}},
    TNamedKey{XK_Shift_L, {VK_SHIFT, 0x2A, false}},
    TNamedKey{XK_Shift_R, {VK_SHIFT, 0x36, false}},
    TNamedKey{XK_Control_L, {VK_CONTROL, 0x1D, false}},
    TNamedKey{XK_Control_R, {VK_CONTROL, 0x1D, true}},
    TNamedKey{XK_Alt_L, {VK_MENU, 0x38, false}},
    TNamedKey{XK_Alt_R, {VK_MENU, 0x38, true}},
    TNamedKey{XK_Home, {VK_HOME, 0x47, true}},
    TNamedKey{XK_Up, {VK_UP, 0x48, true}},
    TNamedKey{XK_Prior, {VK_PRIOR, 0x49, true}},
    TNamedKey{XK_Left, {VK_LEFT, 0x4B, true}},
    TNamedKey{XK_Right, {VK_RIGHT, 0x4D, true}},
    TNamedKey{XK_End, {VK_END, 0x4F, true}},
    TNamedKey{XK_Down, {VK_DOWN, 0x50, true}},
    TNamedKey{XK_Next, {VK_NEXT, 0x51, true}},
    TNamedKey{XK_Insert, {VK_INSERT, 0x52, true}},
    TNamedKey{XK_Delete, {VK_DELETE, 0x53, true}},
    TNamedKey{XK_Caps_Lock, {VK_CAPITAL, 0x3A, false}},
    TNamedKey{XK_Num_Lock, {VK_NUMLOCK, 0x45, true}},
    TNamedKey{XK_Scroll_Lock, {VK_SCROLL, 0x46, false}},
    TNamedKey{XK_Pause, {VK_PAUSE, 0x45, false}},
    TNamedKey{XK_Menu, {VK_APPS, 0x5D, true}},
    TNamedKey{XK_semicolon, {VK_OEM_1, 0x27, false}},
    TNamedKey{XK_equal, {VK_OEM_PLUS, 0x0D, false}},
    TNamedKey{XK_comma, {VK_OEM_COMMA, 0x33, false}},
    TNamedKey{XK_minus, {VK_OEM_MINUS, 0x0C, false}},
    TNamedKey{XK_period, {VK_OEM_PERIOD, 0x34, false}},
    TNamedKey{XK_slash, {VK_OEM_2, 0x35, false}},
    TNamedKey{XK_grave, {VK_OEM_3, 0x29, false}},
    TNamedKey{XK_bracketleft, {VK_OEM_4, 0x1A, false}},
    TNamedKey{XK_backslash, {VK_OEM_5, 0x2B, false}},
    TNamedKey{XK_bracketright, {VK_OEM_6, 0x1B, false}},
    TNamedKey{XK_apostrophe, {VK_OEM_7, 0x28, false}},
    TNamedKey{XK_less, {VK_OEM_102, 0x56, false}},
    // The pad: digits and the decimal point as Num Lock on gives them (the caller picks the
    // column), its navigation keys as Num Lock off does, and its operators either way.
    TNamedKey{XK_KP_Multiply, {VK_MULTIPLY, 0x37, false}},
    TNamedKey{XK_KP_Add, {VK_ADD, 0x4E, false}},
    TNamedKey{XK_KP_Subtract, {VK_SUBTRACT, 0x4A, false}},
    TNamedKey{XK_KP_Divide, {VK_DIVIDE, 0x35, true}},
    TNamedKey{XK_KP_Decimal, {VK_DECIMAL, 0x53, false}},
    TNamedKey{XK_KP_Enter, {VK_RETURN, 0x1C, true}},
    TNamedKey{XK_KP_Home, {VK_HOME, 0x47, false}},
    TNamedKey{XK_KP_Up, {VK_UP, 0x48, false}},
    TNamedKey{XK_KP_Prior, {VK_PRIOR, 0x49, false}},
    TNamedKey{XK_KP_Left, {VK_LEFT, 0x4B, false}},
    TNamedKey{XK_KP_Begin, {VK_CLEAR, 0x4C, false}},
    TNamedKey{XK_KP_Right, {VK_RIGHT, 0x4D, false}},
    TNamedKey{XK_KP_End, {VK_END, 0x4F, false}},
    TNamedKey{XK_KP_Down, {VK_DOWN, 0x50, false}},
    TNamedKey{XK_KP_Next, {VK_NEXT, 0x51, false}},
    TNamedKey{XK_KP_Insert, {VK_INSERT, 0x52, false}},
    TNamedKey{XK_KP_Delete, {VK_DELETE, 0x53, false}},
};

// The pad's digits 0 to 9 in scan code order.
constexpr std::array<uint8_t, 10> kPadScanCodes = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                                   0x4C, 0x4D, 0x47, 0x48, 0x49};

// F1 to F10 lie in one run of scan codes, F11 and F12 after the keypad; F13 to F24 have none
// in set 1 that the components read.
constexpr std::array<uint8_t, 12> kFunctionKeyScanCodes = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                                                           0x41, 0x42, 0x43, 0x44, 0x57, 0x58};

}  // namespace

TVirtualKey VirtualKeyOfKeySym(KeySym Sym) {
    if (Sym >= XK_a && Sym <= XK_z) return {static_cast<int32_t>('A' + (Sym - XK_a)), 0, false};
    if (Sym >= XK_A && Sym <= XK_Z) return {static_cast<int32_t>('A' + (Sym - XK_A)), 0, false};
    if (Sym >= XK_0 && Sym <= XK_9) return {static_cast<int32_t>('0' + (Sym - XK_0)), 0, false};
    if (Sym >= XK_F1 && Sym <= XK_F12) {
        const auto n = static_cast<size_t>(Sym - XK_F1);
        return {VK_F1 + static_cast<int32_t>(n), kFunctionKeyScanCodes[n], false};
    }
    if (Sym >= XK_F13 && Sym <= XK_F24)
        return {VK_F13 + static_cast<int32_t>(Sym - XK_F13), 0, false};
    if (Sym >= XK_KP_0 && Sym <= XK_KP_9) {
        const auto n = static_cast<size_t>(Sym - XK_KP_0);
        return {VK_NUMPAD0 + static_cast<int32_t>(n), kPadScanCodes[n], false};
    }
    for (const TNamedKey& named : kNamedKeys)
        if (named.Sym == Sym) return named.Key;
    return {};
}

}  // namespace vex
