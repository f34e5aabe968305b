#include "dataaware/data/Wwcommon.h"

#include "platform/win/keyboard.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace vex {

namespace {
// The keyboard messages, from WM_KEYDOWN on.
constexpr UINT KeyFirst = 0x0100, KeyLast = 0x0109;
}  // namespace

bool wwCheckEscape() {
    MSG msg{};
    if (!PeekMessage(msg, 0, KeyFirst, KeyLast, PM_REMOVE)) return false;
    return msg.message == WM_KEYDOWN && msg.wParam == static_cast<WPARAM>(VK_ESCAPE);
}

std::string wwStringsToText(const TStrings& Lines, bool OneLine) {
    std::string text;
    for (int32_t i = 0; i < Lines.Count(); ++i) {
        if (i > 0) text += OneLine ? " " : "\r\n";
        text += Lines[i];
    }
    return text;
}

int32_t wwScale96(int32_t Value, int32_t PixelsPerInch) {
    return static_cast<int32_t>(int64_t{Value} * PixelsPerInch / 96);
}

bool wwIsEditKey(uint16_t Key) {
    return Key == VK_BACK || Key == VK_SPACE || Key == VK_DELETE || (Key >= 48 && Key <= 111) ||
           Key >= 146;
}

}  // namespace vex
