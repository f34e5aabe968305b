#pragma once

#include <array>
#include <cstdint>

namespace vex {

// Virtual-key codes the components test. Letters and digits are their upper-case characters.
inline constexpr int32_t VK_LBUTTON = 0x01;
inline constexpr int32_t VK_RBUTTON = 0x02;
inline constexpr int32_t VK_CANCEL = 0x03;
inline constexpr int32_t VK_MBUTTON = 0x04;
inline constexpr int32_t VK_BACK = 0x08;
inline constexpr int32_t VK_TAB = 0x09;
inline constexpr int32_t VK_CLEAR = 0x0C;
inline constexpr int32_t VK_RETURN = 0x0D;
inline constexpr int32_t VK_SHIFT = 0x10;
inline constexpr int32_t VK_CONTROL = 0x11;
inline constexpr int32_t VK_MENU = 0x12;
inline constexpr int32_t VK_PAUSE = 0x13;
inline constexpr int32_t VK_CAPITAL = 0x14;
inline constexpr int32_t VK_ESCAPE = 0x1B;
inline constexpr int32_t VK_SPACE = 0x20;
inline constexpr int32_t VK_PRIOR = 0x21;
inline constexpr int32_t VK_NEXT = 0x22;
inline constexpr int32_t VK_END = 0x23;
inline constexpr int32_t VK_HOME = 0x24;
inline constexpr int32_t VK_LEFT = 0x25;
inline constexpr int32_t VK_UP = 0x26;
inline constexpr int32_t VK_RIGHT = 0x27;
inline constexpr int32_t VK_DOWN = 0x28;
inline constexpr int32_t VK_SELECT = 0x29;
inline constexpr int32_t VK_PRINT = 0x2A;
inline constexpr int32_t VK_EXECUTE = 0x2B;
inline constexpr int32_t VK_SNAPSHOT = 0x2C;
inline constexpr int32_t VK_INSERT = 0x2D;
inline constexpr int32_t VK_DELETE = 0x2E;
inline constexpr int32_t VK_HELP = 0x2F;
inline constexpr int32_t VK_LWIN = 0x5B;
inline constexpr int32_t VK_RWIN = 0x5C;
inline constexpr int32_t VK_APPS = 0x5D;
inline constexpr int32_t VK_NUMPAD0 = 0x60;
inline constexpr int32_t VK_NUMPAD1 = 0x61;
inline constexpr int32_t VK_NUMPAD2 = 0x62;
inline constexpr int32_t VK_NUMPAD3 = 0x63;
inline constexpr int32_t VK_NUMPAD4 = 0x64;
inline constexpr int32_t VK_NUMPAD5 = 0x65;
inline constexpr int32_t VK_NUMPAD6 = 0x66;
inline constexpr int32_t VK_NUMPAD7 = 0x67;
inline constexpr int32_t VK_NUMPAD8 = 0x68;
inline constexpr int32_t VK_NUMPAD9 = 0x69;
inline constexpr int32_t VK_MULTIPLY = 0x6A;
inline constexpr int32_t VK_ADD = 0x6B;
inline constexpr int32_t VK_SEPARATOR = 0x6C;
inline constexpr int32_t VK_SUBTRACT = 0x6D;
inline constexpr int32_t VK_DECIMAL = 0x6E;
inline constexpr int32_t VK_DIVIDE = 0x6F;
inline constexpr int32_t VK_F1 = 0x70;
inline constexpr int32_t VK_F2 = 0x71;
inline constexpr int32_t VK_F3 = 0x72;
inline constexpr int32_t VK_F4 = 0x73;
inline constexpr int32_t VK_F5 = 0x74;
inline constexpr int32_t VK_F6 = 0x75;
inline constexpr int32_t VK_F7 = 0x76;
inline constexpr int32_t VK_F8 = 0x77;
inline constexpr int32_t VK_F9 = 0x78;
inline constexpr int32_t VK_F10 = 0x79;
inline constexpr int32_t VK_F11 = 0x7A;
inline constexpr int32_t VK_F12 = 0x7B;
inline constexpr int32_t VK_F13 = 0x7C;
inline constexpr int32_t VK_F14 = 0x7D;
inline constexpr int32_t VK_F15 = 0x7E;
inline constexpr int32_t VK_F16 = 0x7F;
inline constexpr int32_t VK_F17 = 0x80;
inline constexpr int32_t VK_F18 = 0x81;
inline constexpr int32_t VK_F19 = 0x82;
inline constexpr int32_t VK_F20 = 0x83;
inline constexpr int32_t VK_F21 = 0x84;
inline constexpr int32_t VK_F22 = 0x85;
inline constexpr int32_t VK_F23 = 0x86;
inline constexpr int32_t VK_F24 = 0x87;
inline constexpr int32_t VK_NUMLOCK = 0x90;
inline constexpr int32_t VK_SCROLL = 0x91;
inline constexpr int32_t VK_LSHIFT = 0xA0;
inline constexpr int32_t VK_RSHIFT = 0xA1;
inline constexpr int32_t VK_LCONTROL = 0xA2;
inline constexpr int32_t VK_RCONTROL = 0xA3;
inline constexpr int32_t VK_LMENU = 0xA4;
inline constexpr int32_t VK_RMENU = 0xA5;
// The punctuation keys of a US keyboard, named by their unshifted characters.
inline constexpr int32_t VK_OEM_1 = 0xBA;       // ; :
inline constexpr int32_t VK_OEM_PLUS = 0xBB;    // = +
inline constexpr int32_t VK_OEM_COMMA = 0xBC;   // , <
inline constexpr int32_t VK_OEM_MINUS = 0xBD;   // - _
inline constexpr int32_t VK_OEM_PERIOD = 0xBE;  // . >
inline constexpr int32_t VK_OEM_2 = 0xBF;       // / ?
inline constexpr int32_t VK_OEM_3 = 0xC0;       // ` ~
inline constexpr int32_t VK_OEM_4 = 0xDB;       // [ {
inline constexpr int32_t VK_OEM_5 = 0xDC;       // \ |
inline constexpr int32_t VK_OEM_6 = 0xDD;       // ] }
inline constexpr int32_t VK_OEM_7 = 0xDE;       // ' "
inline constexpr int32_t VK_OEM_102 = 0xE2;     // the extra key of European boards

// One byte per virtual key: bit 7 set while the key is down, bit 0 the toggle state (Caps Lock
// on, or a key pressed an odd number of times).
using TKeyboardState = std::array<uint8_t, 256>;

// Two tables, as the original keeps them. The key-state table (GetKeyState) is the keyboard as
// the messages taken so far describe it: taking a key message from the queue updates it, and
// tests may set it. The asynchronous table (GetAsyncKeyState) is the keyboard as the devices
// left it: injected and displayed key events update it when they happen. Reads and writes are
// safe from any thread.

// Negative while the key is down, low bit the toggle state; 0 for a code outside 0 to 255.
int16_t GetKeyState(int32_t VirtualKey);
void GetKeyboardState(TKeyboardState& State);
void SetKeyboardState(const TKeyboardState& State);
// Presses or releases a key; a press of a key that was up flips its toggle state, as a real
// key press does. A code outside 0 to 255 raises ERangeError.
void SetKeyState(int32_t VirtualKey, bool Down);

// Negative while the key is down on the device, whether or not its message was taken; 0 for a
// code outside 0 to 255.
int16_t GetAsyncKeyState(int32_t VirtualKey);
// What an injected or displayed key event does to the asynchronous table, as SetKeyState does
// to the other; answers whether the key was down before.
bool SetAsyncKeyState(int32_t VirtualKey, bool Down);

// The key that a left or right Shift, Ctrl or Alt also counts as (VK_SHIFT, VK_CONTROL,
// VK_MENU); any other key itself.
int32_t GenericKey(int32_t VirtualKey);

// The key that types the Windows-1252 character on a US keyboard: the virtual key in the low
// byte, the shift state in the high one (1 Shift, 2 Ctrl, 4 Alt); -1 when no key types it.
int16_t VkKeyScan(char Ch);

}  // namespace vex
