#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win/messages.h"

namespace vex {

class TObject;

// Messages, the queue and hidden windows. Everything here runs on the main thread but
// IsWindow and the Post calls, which any thread may use.

using TWndMethod = std::function<void(TMessage& Message)>;

// A hidden top-level tool window whose messages go to Method. The method may free its own
// window (or anything else) while it runs.
HWND AllocateHWnd(TWndMethod Method);
// Destroys the window; messages still queued for it are dropped, and the method hears nothing
// of the destruction, since its object is usually going too. Unknown handles are ignored.
void DeallocateHWnd(HWND Wnd);
bool IsWindow(HWND Wnd);

// The object a layer above made the window for, so that its procedure reaches that object at
// every message without a search: null until SetWindowObject binds one, and gone with the
// window. Null for a window that does not exist; binding one is ignored.
TObject* WindowObject(HWND Wnd);
void SetWindowObject(HWND Wnd, TObject* Object);

// The answer of a window to a message it does not handle, as the original's: WM_NCCREATE keeps
// the text and allows creation, WM_NCCALCSIZE gives the client area the styles leave
// (nonclient.h), WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH keep and give the text, WM_PAINT
// validates, WM_WINDOWPOSCHANGED sends WM_SIZE and WM_MOVE as they apply, WM_SETREDRAW turns
// painting off (FALSE) and on, WM_CLOSE destroys the window. For input: WM_NCHITTEST answers the
// part of the window at the point (hittest.h), WM_ACTIVATE gives an activated window the focus,
// WM_MOUSEACTIVATE asks the parent of a child and else activates, WM_SETCURSOR and WM_MOUSEWHEEL
// go on to the parent of a child, WM_CANCELMODE releases the window's capture, and
// WM_NCLBUTTONDOWN on HTVSCROLL or HTHSCROLL follows the press on the scroll bar
// (scrolltracking.h). Anything else answers 0.
LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// A message number from 0xC000 to 0xFFFF for the name, the same for every call with that name
// (compared without regard to case); 0 when the range is used up.
UINT RegisterWindowMessage(const std::string& Name);

// Calls the window's method at once and returns its result; 0 for a window that does not exist.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message for the main thread; false when the window does not exist. A message whose
// window is freed before it is dispatched is dropped.
bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message unless an identical one (same window, number, wParam and lParam) posted
// without a guard still waits, for notifications that mean the same however often they are posted;
// true when one waits now. False when the window does not exist.
bool PostCoalescedMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message to be dropped, not dispatched, when Guard (lifetoken.h) has expired by the
// time the loop takes it: the component that posted it, and that the parameters may point
// into, is gone. False when the window does not exist.
bool PostGuardedMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam,
                        std::weak_ptr<const void> Guard);
// Makes GetMessage return false once everything posted before it has been taken.
void PostQuitMessage(int ExitCode);

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;
// Takes (or looks at) the next message for Wnd (0: any window) whose number lies between
// FilterMin and FilterMax (both 0: any), without waiting: posted messages first, then input
// (given its window as it is looked at, and taken only when it matches: inputrouting.h),
// then WM_PAINT for a window that waits to paint (it stays until the window is validated), then
// due timers; a due timer comes before a window's second WM_PAINT while the timer waits.
bool PeekMessage(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, UINT RemoveMsg);
// Waits for the next message; false when it is WM_QUIT.
bool GetMessage(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax);
// Waits until a message is there to be taken, sleeping in poll(); never spins.
void WaitMessage();
// Sends the message to its window. An exception from a WM_PAINT handler validates the window
// before it passes on (see invalidation.h), so it is reported once.
LRESULT DispatchMessage(const MSG& Msg);

// Sends WM_TIMER (wParam = IDEvent) to Wnd every Elapse milliseconds, measured on Clock(). A
// timer message is made when the queue has nothing else for that window and never piles up: a
// late timer fires once. The same window and id replace the running timer. Elapse below 10 is
// taken as 10. Returns IDEvent, or 0 when Wnd does not exist.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse);
// Stops the timer; no message of it comes after this. False when there was no such timer.
bool KillTimer(HWND Wnd, UINT_PTR IDEvent);

}  // namespace vex
