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

}  // namespace vex
