#pragma once

#include <array>
#include <cstdint>

namespace vex {

// Virtual-key codes the components test.
inline constexpr int32_t VK_LBUTTON = 1;
inline constexpr int32_t VK_RBUTTON = 2;
inline constexpr int32_t VK_BACK = 8;
inline constexpr int32_t VK_TAB = 9;
inline constexpr int32_t VK_RETURN = 13;
inline constexpr int32_t VK_SHIFT = 16;
inline constexpr int32_t VK_CONTROL = 17;
inline constexpr int32_t VK_MENU = 18;
inline constexpr int32_t VK_CAPITAL = 20;
inline constexpr int32_t VK_ESCAPE = 27;
inline constexpr int32_t VK_SPACE = 32;
inline constexpr int32_t VK_PRIOR = 33;
inline constexpr int32_t VK_NEXT = 34;
inline constexpr int32_t VK_END = 35;
inline constexpr int32_t VK_HOME = 36;
inline constexpr int32_t VK_LEFT = 37;
inline constexpr int32_t VK_UP = 38;
inline constexpr int32_t VK_RIGHT = 39;
inline constexpr int32_t VK_DOWN = 40;
inline constexpr int32_t VK_INSERT = 45;
inline constexpr int32_t VK_DELETE = 46;
inline constexpr int32_t VK_F1 = 112;
inline constexpr int32_t VK_F2 = 113;
inline constexpr int32_t VK_F10 = 121;
inline constexpr int32_t VK_NUMLOCK = 144;
inline constexpr int32_t VK_SCROLL = 145;

// One byte per virtual key: bit 7 set while the key is down, bit 0 the toggle state (Caps Lock
// on, or a key pressed an odd number of times).
using TKeyboardState = std::array<uint8_t, 256>;

// There is no physical keyboard here: the key-state table is what synthetic input and tests
// put into it. Reads and writes are safe from any thread.

// Negative while the key is down, low bit the toggle state; 0 for a code outside 0 to 255.
int16_t GetKeyState(int32_t VirtualKey);
void GetKeyboardState(TKeyboardState& State);
void SetKeyboardState(const TKeyboardState& State);
// Presses or releases a key; a press of a key that was up flips its toggle state, as a real
// key press does. A code outside 0 to 255 raises ERangeError.
void SetKeyState(int32_t VirtualKey, bool Down);

}  // namespace vex
