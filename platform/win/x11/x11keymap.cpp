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
};

// F1 to F10 lie in one run of scan codes, F11 and F12 after the keypad.
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
    for (const TNamedKey& named : kNamedKeys)
        if (named.Sym == Sym) return named.Key;
    return {};
}

}  // namespace vex
