#pragma once

#include <functional>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// Thread mouse hooks: procedures that see every mouse message as it is taken from the queue,
// before it is dispatched, and may drop it. Main thread only.

using HHOOK = uintptr_t;
using HINSTANCE = uintptr_t;
using HOOKPROC = std::function<LRESULT(int Code, WPARAM WParam, LPARAM LParam)>;

inline constexpr int WH_MOUSE = 7;
inline constexpr int HC_ACTION = 0;

// What a mouse hook's lParam points at: the screen point, the window the message goes to and
// the WM_NCHITTEST answer there.
struct MOUSEHOOKSTRUCT {
    TPoint pt;
    HWND hwnd;
    UINT wHitTestCode;
    uintptr_t dwExtraInfo;
};

// Installs Proc at the head of the chain and returns a handle of its own, never given before; 0
// for a hook kind other than WH_MOUSE or an empty procedure. Proc gets HC_ACTION, the message
// number and a MOUSEHOOKSTRUCT; a non-zero answer drops the message. Module and ThreadId are
// kept for the original's signature: every hook here belongs to the main thread.
HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Proc, HINSTANCE Module = 0, DWORD ThreadId = 0);
// Passes the call on to the hook installed before Hook; 0 when none is left.
LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam);
// Removes that hook alone; false for a handle that is not installed.
bool UnhookWindowsHookEx(HHOOK Hook);

namespace wintree {

// Runs the chain for a mouse message; true when a hook dropped it.
bool CallMouseHooks(UINT Msg, const MOUSEHOOKSTRUCT& Info);

}  // namespace wintree

}  // namespace vex
