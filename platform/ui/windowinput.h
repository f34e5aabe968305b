#pragma once

#include "platform/win/messages.h"

namespace vex {

// Window messages and answers the controls' input relies on.
inline constexpr UINT WM_NEXTDLGCTL = 0x0028;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;

// What a window answers WM_GETDLGCODE with: the keys it keeps from dialog navigation.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;

// The window-level focus and mouse capture the controls build on, kept to these few calls so
// that they reach the window layer through one place.
namespace windowinput {

// Gives Wnd the keyboard focus: WM_KILLFOCUS (wParam the new window) to the window that had it,
// then WM_SETFOCUS (wParam the old one) to Wnd. Returns the window that had it; a window that
// does not exist, is hidden or is disabled is refused with 0 and the focus stays.
HWND SetFocus(HWND Wnd);
// The window with the focus; 0 when none has it.
HWND GetFocus();

// Sends every mouse message to Wnd until released; returns the window that had the capture.
HWND SetCapture(HWND Wnd);
HWND GetCapture();
bool ReleaseCapture();

}  // namespace windowinput

}  // namespace vex
