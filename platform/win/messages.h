#pragma once

#include <cstdint>

namespace vex {

// The message vocabulary of the original desktop platform, kept because the components speak
// it: hidden windows receive socket, timer and dial-up notifications as numbered messages.
using UINT = uint32_t;
using DWORD = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
// A window handle; 0 is no window. Handles are never reused while the process runs.
using HWND = uintptr_t;

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// What a window method receives and answers.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// A message as it waits in the queue.
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;  // GetTickCount when it was posted
};

inline constexpr uint16_t LOWORD(uintptr_t Value) {
    return static_cast<uint16_t>(Value & 0xFFFF);
}
inline constexpr uint16_t HIWORD(uintptr_t Value) {
    return static_cast<uint16_t>((Value >> 16) & 0xFFFF);
}
inline constexpr LPARAM MAKELONG(uint16_t Low, uint16_t High) {
    return static_cast<LPARAM>(
        static_cast<int32_t>(static_cast<uint32_t>(Low) | (static_cast<uint32_t>(High) << 16)));
}

}  // namespace vex
