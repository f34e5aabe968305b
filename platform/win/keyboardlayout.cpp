#include "platform/win/keyboardlayout.h"

#include <array>

#include "platform/win/keyboard.h"

namespace vex {

namespace {

struct TKeyEntry {
    int32_t VirtualKey;
    TKeyCharacters Characters;
};

// Every key but the letters, which follow from their code.
constexpr std::array kKeys = {
    TKeyEntry{'0', {'0', ')'}},
    TKeyEntry{'1', {'1', '!'}},
    TKeyEntry{'2', {'2', '@'}},
    TKeyEntry{'3', {'3', '#'}},
    TKeyEntry{'4', {'4', '$'}},
    TKeyEntry{'5', {'5', '%'}},
    TKeyEntry{'6', {'6', '^'}},
    TKeyEntry{'7', {'7', '&'}},
    TKeyEntry{'8', {'8', '*'}},
    TKeyEntry{'9', {'9', '('}},
    TKeyEntry{VK_SPACE, {' ', ' '}},
    TKeyEntry{VK_RETURN, {'\r', '\r'}},
    TKeyEntry{VK_BACK, {'\b', '\b'}},
    TKeyEntry{VK_TAB, {'\t', '\t'}},
    TKeyEntry{VK_ESCAPE, {'\x1B', '\x1B'}},
    TKeyEntry{VK_OEM_1, {';', ':'}},
    TKeyEntry{VK_OEM_PLUS, {'=', '+'}},
    TKeyEntry{VK_OEM_COMMA, {',', '<'}},
    TKeyEntry{VK_OEM_MINUS, {'-', '_'}},
    TKeyEntry{VK_OEM_PERIOD, {'.', '>'}},
    TKeyEntry{VK_OEM_2, {'/', '?'}},
    TKeyEntry{VK_OEM_3, {'`', '~'}},
    TKeyEntry{VK_OEM_4, {'[', '{'}},
    TKeyEntry{VK_OEM_5, {'\\', '|'}},
    TKeyEntry{VK_OEM_6, {']', '}'}},
    TKeyEntry{VK_OEM_7, {'\'', '"'}},
    TKeyEntry{VK_OEM_102, {'\\', '|'}},
    // The pad's operators type whatever Num Lock says; its digits only with Num Lock on, which
    // the caller checks.
    TKeyEntry{VK_MULTIPLY, {'*', '*'}},
    TKeyEntry{VK_ADD, {'+', '+'}},
    TKeyEntry{VK_SUBTRACT, {'-', '-'}},
    TKeyEntry{VK_DIVIDE, {'/', '/'}},
    TKeyEntry{VK_DECIMAL, {'.', '.'}},
    TKeyEntry{VK_NUMPAD0, {'0', '0'}},
    TKeyEntry{VK_NUMPAD1, {'1', '1'}},
    TKeyEntry{VK_NUMPAD2, {'2', '2'}},
    TKeyEntry{VK_NUMPAD3, {'3', '3'}},
    TKeyEntry{VK_NUMPAD4, {'4', '4'}},
    TKeyEntry{VK_NUMPAD5, {'5', '5'}},
    TKeyEntry{VK_NUMPAD6, {'6', '6'}},
    TKeyEntry{VK_NUMPAD7, {'7', '7'}},
    TKeyEntry{VK_NUMPAD8, {'8', '8'}},
    TKeyEntry{VK_NUMPAD9, {'9', '9'}},
};

constexpr int16_t kShiftHeld = 0x100;
constexpr int16_t kControlHeld = 0x200;

}  // namespace

bool IsLetterKey(int32_t VirtualKey) {
    return VirtualKey >= 'A' && VirtualKey <= 'Z';
}

TKeyCharacters KeyCharacters(int32_t VirtualKey) {
    if (IsLetterKey(VirtualKey))
        return {static_cast<char>(VirtualKey - 'A' + 'a'), static_cast<char>(VirtualKey)};
    for (const TKeyEntry& entry : kKeys)
        if (entry.VirtualKey == VirtualKey) return entry.Characters;
    return {};
}

int16_t VkKeyScan(char Ch) {
    const auto code = static_cast<unsigned char>(Ch);
    if (code >= 'a' && code <= 'z') return static_cast<int16_t>(code - 'a' + 'A');
    if (code >= 'A' && code <= 'Z') return static_cast<int16_t>(code | kShiftHeld);
    // The pad is left out: its keys type only with Num Lock on. Control characters are Ctrl and a
    // letter, but for the ones a key of their own types.
    for (const TKeyEntry& entry : kKeys) {
        if (entry.VirtualKey >= VK_NUMPAD0 && entry.VirtualKey <= VK_DIVIDE) continue;
        if (entry.Characters.Plain == Ch) return static_cast<int16_t>(entry.VirtualKey);
        if (entry.Characters.Shifted == Ch)
            return static_cast<int16_t>(entry.VirtualKey | kShiftHeld);
    }
    if (code >= 1 && code <= 26) return static_cast<int16_t>(('A' + code - 1) | kControlHeld);
    return -1;
}

}  // namespace vex
