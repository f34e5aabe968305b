#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win/messages.h"
#include "platform/win/windowclass.h"

namespace vex {

// The window tree: windows of registered classes, each with a parent (the desktop for a
// top-level window), an owner, children in a stacking order, styles and text. Main thread only.

// WM_NCCREATE and WM_CREATE point lParam at this.
struct CREATESTRUCT {
    LPARAM lpCreateParams;
    LONG_PTR hMenu;  // the id of a child window
    HWND hwndParent;
    int32_t cy;
    int32_t cx;
    int32_t y;
    int32_t x;
    DWORD style;
    const char* lpszName;
    const char* lpszClass;
    DWORD dwExStyle;
};

// Makes a window: WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, then WM_SIZE and WM_MOVE, then the
// showing when Style holds WS_VISIBLE. A child window (WS_CHILD) goes below its siblings; any
// other window becomes a top-level window owned by Parent's top-level window and goes on top.
// Returns 0 when the window refuses: FALSE to WM_NCCREATE or -1 to WM_CREATE. An unknown class,
// a Parent that is no window or WS_CHILD without a parent raise EWindowError; an exception from
// a handler destroys the half-made window and passes on.
HWND CreateWindowEx(DWORD ExStyle, const std::string& ClassName, const std::string& WindowName,
                    DWORD Style, int32_t X, int32_t Y, int32_t Width, int32_t Height, HWND Parent,
                    LONG_PTR Menu, LPARAM Param);
// Hides the window, destroys the windows it owns, sends WM_DESTROY to it and then to its
// children, and WM_NCDESTROY to the children before itself. A handler may destroy any window,
// its own included. False for a window that does not exist or is already being destroyed.
bool DestroyWindow(HWND Wnd);

HWND GetDesktopWindow();
// The parent of a child window, the owner of a top-level one.
HWND GetParent(HWND Wnd);
// Moves the window under NewParent (0: the desktop) at the top of its new siblings, keeping
// its coordinates relative to the parent. Returns the previous parent (the desktop's handle for
// a top-level window), 0 when either is no window or is being destroyed, or NewParent lies
// inside Wnd.
HWND SetParent(HWND Wnd, HWND NewParent);
// Child is a WS_CHILD window inside Parent, however deep.
bool IsChild(HWND Parent, HWND Child);

inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
// Siblings in stacking order (NEXT is the one below), the owner, or the top child; 0 when
// there is none. Any other command raises EWindowError.
HWND GetWindow(HWND Wnd, UINT Command);

using WNDENUMPROC = std::function<bool(HWND Wnd, LPARAM Param)>;
// Top-level windows from the top of the stacking order down, hidden ones included, until the
// callback answers false.
bool EnumWindows(const WNDENUMPROC& Callback, LPARAM Param);
// Every window inside Parent, each followed by its own children.
bool EnumChildWindows(HWND Parent, const WNDENUMPROC& Callback, LPARAM Param);

inline constexpr int GWL_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_USERDATA = -21;
// Style changes send WM_STYLECHANGING and WM_STYLECHANGED (lParam points at a STYLESTRUCT) and
// act as the original's did: a frame that changes takes a SetWindowPos with SWP_FRAMECHANGED.
// 0 for a window that does not exist; an unknown index raises EWindowError. The procedure is
// no number here: GetWindowProc and SetWindowProc stand for GWL_WNDPROC.
LONG_PTR GetWindowLong(HWND Wnd, int Index);
LONG_PTR SetWindowLong(HWND Wnd, int Index, LONG_PTR Value);

struct STYLESTRUCT {
    DWORD styleOld;
    DWORD styleNew;
};

// Subclassing: the new procedure sees every message first and passes on what it leaves to the
// one it replaced (returned here) through CallWindowProc.
WNDPROC GetWindowProc(HWND Wnd);
WNDPROC SetWindowProc(HWND Wnd, WNDPROC Proc);
LRESULT CallWindowProc(const WNDPROC& Proc, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// Through WM_SETTEXT, WM_GETTEXTLENGTH and WM_GETTEXT, so a window can answer for itself.
bool SetWindowText(HWND Wnd, const std::string& Text);
std::string GetWindowText(HWND Wnd);
int32_t GetWindowTextLength(HWND Wnd);

}  // namespace vex
