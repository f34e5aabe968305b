#pragma once

#include <functional>
#include <string>

#include "platform/win/messages.h"

namespace vex {

// Hidden windows: a handle with a method that receives its messages. Everything here runs on the
// main thread but PostMessage, which any thread may call.

using TWndMethod = std::function<void(TMessage& Message)>;

// A window whose messages go to Method. The method may free its own window (or anything else)
// while it runs.
HWND AllocateHWnd(TWndMethod Method);
// Frees the window; messages still queued for it are dropped. Unknown handles are ignored.
void DeallocateHWnd(HWND Wnd);
bool IsWindow(HWND Wnd);

// The answer of a window to a message it does not handle: 0, with nothing done.
LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// A message number from 0xC000 to 0xFFFF for the name, the same for every call with that name
// (compared without regard to case); 0 when the range is used up.
UINT RegisterWindowMessage(const std::string& Name);

// Calls the window's method at once and returns its result; 0 for a window that does not exist.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message for the main thread; false when the window does not exist. A message whose
// window is freed before it is dispatched is dropped.
bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Makes GetMessage return false once everything posted before it has been taken.
void PostQuitMessage(int ExitCode);

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;
// Takes (or looks at) the next message for Wnd (0: any window) whose number lies between
// FilterMin and FilterMax (both 0: any), without waiting: posted messages first, then due timers.
bool PeekMessage(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, UINT RemoveMsg);
// Waits for the next message; false when it is WM_QUIT.
bool GetMessage(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax);
// Waits until a message is there to be taken, sleeping in poll(); never spins.
void WaitMessage();
LRESULT DispatchMessage(const MSG& Msg);

// Sends WM_TIMER (wParam = IDEvent) to Wnd every Elapse milliseconds, measured on Clock(). A
// timer message is made when the queue has nothing else for that window and never piles up: a
// late timer fires once. The same window and id replace the running timer. Elapse below 10 is
// taken as 10. Returns IDEvent, or 0 when Wnd does not exist.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse);
// Stops the timer; no message of it comes after this. False when there was no such timer.
bool KillTimer(HWND Wnd, UINT_PTR IDEvent);

}  // namespace vex
