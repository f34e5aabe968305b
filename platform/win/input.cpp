#include "platform/win/input.h"

#include "platform/core/clock.h"
#include "platform/win/keyboard.h"
#include "platform/win/messagequeue.h"
#include "platform/win/presenter.h"
#include "platform/win/window.h"

namespace vex {

namespace {

TPoint& CursorPoint() {
    static TPoint point;
    return point;
}

bool IsDown(int32_t VirtualKey) {
    return GetAsyncKeyState(VirtualKey) < 0;
}

// The buttons and keys the device holds, as a mouse message's wParam carries them.
WPARAM HeldFlags() {
    WPARAM flags = 0;
    if (IsDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (IsDown(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (IsDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (IsDown(VK_SHIFT)) flags |= MK_SHIFT;
    if (IsDown(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

int32_t ButtonKey(UINT Msg) {
    switch (Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return VK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return VK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return VK_MBUTTON;
        default:
            return 0;
    }
}

bool IsButtonPress(UINT Msg) {
    return Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN;
}

// The key data of a key message: repeat count 1, Alt held (bit 29), down before (bit 30) and,
// for a release, the transition bit.
LPARAM KeyData(bool AltDown, bool WasDown, bool Down) {
    uint32_t data = 1;
    if (AltDown) data |= 1u << 29;
    if (WasDown || !Down) data |= 1u << 30;
    if (!Down) data |= 1u << 31;
    return static_cast<LPARAM>(static_cast<int32_t>(data));
}

// A key goes down or up on the device, a left or right one also as its generic key; answers
// whether it was down before.
bool SetDeviceKey(int32_t VirtualKey, bool Down) {
    const bool wasDown = SetAsyncKeyState(VirtualKey, Down);
    if (GenericKey(VirtualKey) != VirtualKey) SetAsyncKeyState(GenericKey(VirtualKey), Down);
    return wasDown;
}

// Queues the event of a key or button the device has already moved. The release of a held one
// always goes in, as dropping it would leave the key down for good; a refused press is undone
// on the device, as it never happened.
bool PostKeyChange(const TRawInput& Raw, int32_t VirtualKey, bool Down, bool WasDown) {
    if (TMessageQueue::Instance().PostRawInput(Raw, !Down && WasDown)) return true;
    SetDeviceKey(VirtualKey, WasDown);
    return false;
}

}  // namespace

bool PostDeviceInput(const MSG& Msg, TPoint Screen) {
    if (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) {
        const bool down = Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN;
        const auto key = static_cast<int32_t>(Msg.wParam & 0xFF);
        const bool wasDown = SetDeviceKey(key, down);
        return PostKeyChange(TRawInput{Msg, CursorPoint()}, key, down, wasDown);
    }
    CursorPoint() = Screen;
    if (const int32_t button = ButtonKey(Msg.message)) {
        const bool down = IsButtonPress(Msg.message);
        const bool wasDown = SetDeviceKey(button, down);
        return PostKeyChange(TRawInput{Msg, Screen}, button, down, wasDown);
    }
    return TMessageQueue::Instance().PostRawInput(TRawInput{Msg, Screen});
}

bool InjectMouseMove(TPoint Screen) {
    CursorPoint() = Screen;
    return TMessageQueue::Instance().PostRawInput(
        TRawInput{MSG{0, WM_MOUSEMOVE, HeldFlags(), 0, GetTickCount()}, Screen});
}

bool InjectMouseButton(TMouseButton Button, bool Down) {
    static constexpr UINT kPress[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT kRelease[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    const auto index = static_cast<size_t>(Button);
    const UINT msg = Down ? kPress[index] : kRelease[index];
    const int32_t button = ButtonKey(msg);
    const bool wasDown = SetDeviceKey(button, Down);
    return PostKeyChange(TRawInput{MSG{0, msg, HeldFlags(), 0, GetTickCount()}, CursorPoint()},
                         button, Down, wasDown);
}

bool InjectMouseWheel(int32_t Delta) {
    const auto delta = static_cast<uint16_t>(static_cast<int16_t>(Delta));
    const WPARAM wParam =
        static_cast<uint32_t>(MAKELONG(static_cast<uint16_t>(HeldFlags()), delta));
    return TMessageQueue::Instance().PostRawInput(
        TRawInput{MSG{0, WM_MOUSEWHEEL, wParam, 0, GetTickCount()}, CursorPoint()});
}

bool InjectKey(int32_t VirtualKey, bool Down) {
    const bool altBefore = IsDown(VK_MENU);
    const bool control = IsDown(VK_CONTROL);
    const bool wasDown = SetDeviceKey(VirtualKey, Down);
    const bool alt = altBefore || (Down && VirtualKey == VK_MENU);
    const bool system = !control && (alt || VirtualKey == VK_F10);
    UINT msg = Down ? WM_KEYDOWN : WM_KEYUP;
    if (system) msg = Down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    const MSG key{0, msg, static_cast<WPARAM>(VirtualKey), KeyData(alt, wasDown, Down),
                  GetTickCount()};
    return PostKeyChange(TRawInput{key, CursorPoint()}, VirtualKey, Down, wasDown);
}

void SetDevicePointer(TPoint Screen) {
    CursorPoint() = Screen;
}

bool GetCursorPos(TPoint& Point) {
    Point = CursorPoint();
    return true;
}

bool SetCursorPos(int32_t X, int32_t Y) {
    TPresenter& presenter = Presenter();
    if (presenter.Headless()) return InjectMouseMove(TPoint{X, Y});
    // The display's own report of the move comes back as input, once.
    CursorPoint() = TPoint{X, Y};
    presenter.MovePointer(TPoint{X, Y});
    return true;
}

void DiscardMouseMessages(HWND Wnd) {
    MSG msg;
    while (PeekMessage(msg, Wnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessage(msg, Wnd, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, PM_REMOVE)) {
    }
}

}  // namespace vex
