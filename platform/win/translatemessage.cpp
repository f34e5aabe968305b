#include "platform/win/translatemessage.h"

#include "platform/win/keyboard.h"
#include "platform/win/keyboardlayout.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The number typed so far on the pad with Alt held.
struct TAltNumber {
    bool Typing = false;
    uint32_t Value = 0;
};

TAltNumber& AltNumber() {
    static TAltNumber number;
    return number;
}

bool Held(int32_t VirtualKey) {
    return GetKeyState(VirtualKey) < 0;
}

// The control character Ctrl and the key type; 0 for none.
char ControlCharacter(int32_t VirtualKey, bool Shift) {
    if (IsLetterKey(VirtualKey)) return static_cast<char>(VirtualKey - 'A' + 1);
    switch (VirtualKey) {
        case VK_OEM_4:
        case VK_ESCAPE:
            return '\x1B';
        case VK_OEM_5:
        case VK_OEM_102:
            return '\x1C';
        case VK_OEM_6:
            return '\x1D';
        case '6':
            return Shift ? '\x1E' : 0;
        case VK_OEM_MINUS:
            return Shift ? '\x1F' : 0;
        case VK_RETURN:
            return '\n';
        case VK_BACK:
            return '\x7F';
        case VK_SPACE:
            return ' ';
        default:
            return 0;
    }
}

char TypedCharacter(int32_t VirtualKey) {
    const bool shift = Held(VK_SHIFT);
    const bool control = Held(VK_CONTROL);
    if (control && Held(VK_MENU)) return 0;  // AltGr types nothing on a US keyboard
    if (control) return ControlCharacter(VirtualKey, shift);
    const TKeyCharacters characters = KeyCharacters(VirtualKey);
    bool upper = shift;
    if (IsLetterKey(VirtualKey) && (GetKeyState(VK_CAPITAL) & 1)) upper = !upper;
    return upper ? characters.Shifted : characters.Plain;
}

bool IsPadDigit(int32_t VirtualKey) {
    return VirtualKey >= VK_NUMPAD0 && VirtualKey <= VK_NUMPAD9;
}

}  // namespace

bool TranslateMessage(const MSG& Msg) {
    const auto key = static_cast<int32_t>(Msg.wParam & 0xFF);
    TAltNumber& number = AltNumber();
    if ((Msg.message == WM_KEYUP || Msg.message == WM_SYSKEYUP) && key == VK_MENU) {
        if (!number.Typing) return false;
        number.Typing = false;
        // A number whose low byte is 0 stands for no character: a NUL would end the text.
        if (number.Value == 0) return false;
        return PostMessage(Msg.hwnd, WM_CHAR, number.Value & 0xFF, Msg.lParam);
    }
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) return false;
    const bool alt = Held(VK_MENU) && !Held(VK_CONTROL);
    if (alt && IsPadDigit(key)) {
        // Only the number's low byte is typed, so only that is kept.
        const uint32_t before = number.Typing ? number.Value : 0;
        number.Value = (before * 10 + static_cast<uint32_t>(key - VK_NUMPAD0)) & 0xFF;
        number.Typing = true;
        return true;
    }
    if (key != VK_MENU) number.Typing = false;
    const char ch = TypedCharacter(key);
    if (ch == 0) return false;
    const UINT message = Msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    return PostMessage(Msg.hwnd, message, static_cast<unsigned char>(ch), Msg.lParam);
}

}  // namespace vex
