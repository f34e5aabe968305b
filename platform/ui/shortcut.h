#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/inputevents.h"

namespace vex {

// A key with its shift keys in one word: the virtual key in the low byte, the shift keys in the
// bits above. 0 is no shortcut.
using TShortCut = uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t Key, TShiftState Shift);
// The key and the shift keys a shortcut is made of.
void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift);
// "Ctrl+Shift+F5", "Alt+BkSp", "Del": the shift keys, then the key's name; "" for none or for a
// key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The reverse, the case of the names ignored; 0 for a text that names no shortcut.
TShortCut TextToShortCut(const std::string& Text);

}  // namespace vex
