#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex {

// Where windows are, how big, in which stacking order, and whether they show.

inline constexpr HWND HWND_TOP = 0;
inline constexpr HWND HWND_BOTTOM = 1;
inline constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
inline constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
// Set in WM_WINDOWPOSCHANGED when the client area kept its size or its place; DefWindowProc
// sends WM_SIZE and WM_MOVE only when they are clear.
inline constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
inline constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// WM_SIZE wParam.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;

// WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED point lParam at this; a handler of the first may
// change what is about to happen.
struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int32_t x;
    int32_t y;
    int32_t cx;
    int32_t cy;
    UINT flags;
};

// Moves, sizes, restacks, shows or hides the window as Flags say (X, Y in the parent's client
// coordinates, screen coordinates for a top-level window). A top-level window is activated
// unless SWP_NOACTIVATE is given or it ends up hidden. False for a window that does not exist.
bool SetWindowPos(HWND Wnd, HWND InsertAfter, int32_t X, int32_t Y, int32_t Width, int32_t Height,
                  UINT Flags);
bool MoveWindow(HWND Wnd, int32_t X, int32_t Y, int32_t Width, int32_t Height, bool Repaint);
// Shows, hides, minimises or restores the window; returns whether it was visible before. A
// command outside the SW_* values above raises EWindowError.
bool ShowWindow(HWND Wnd, int Command);
// The window is at the top of its siblings; a top-level window is also activated.
bool BringWindowToTop(HWND Wnd);

// The window in screen coordinates; false (and an empty rectangle) for no window.
bool GetWindowRect(HWND Wnd, TRect& Rect);
// The client area, from (0, 0).
bool GetClientRect(HWND Wnd, TRect& Rect);
bool ClientToScreen(HWND Wnd, TPoint& Point);
bool ScreenToClient(HWND Wnd, TPoint& Point);
// Converts points from the client coordinates of From to those of To (0 stands for the screen
// for either); returns the horizontal offset in the low word and the vertical in the high one.
int32_t MapWindowPoints(HWND From, HWND To, TPoint* Points, uint32_t Count);
int32_t MapWindowPoints(HWND From, HWND To, TRect& Rect);

// The deepest shown, enabled window at the screen point that nothing above it hides; 0 where
// no window is.
HWND WindowFromPoint(TPoint ScreenPoint);
// The visible child of Parent at the point (Parent's client coordinates) that nothing above it
// hides; Parent itself when no child is there, 0 when the point lies outside Parent.
HWND ChildWindowFromPoint(HWND Parent, TPoint Point);

// The window and all its ancestors have WS_VISIBLE.
bool IsWindowVisible(HWND Wnd);
bool IsIconic(HWND Wnd);
// Returns whether the window was disabled before; sends WM_ENABLE when the state changes.
bool EnableWindow(HWND Wnd, bool Enable);
bool IsWindowEnabled(HWND Wnd);

}  // namespace vex
