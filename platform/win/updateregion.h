#pragma once

#include "platform/core/geometry.h"
#include "platform/core/region.h"
#include "platform/win/messages.h"

namespace vex {

// What waits to be painted. Each window keeps an update region; WM_PAINT comes for a window
// that has one when no posted message and no input waits, parents before their children.
// Rectangles and regions here are in the window's client coordinates.

inline constexpr UINT RDW_INVALIDATE = 0x0001;
inline constexpr UINT RDW_INTERNALPAINT = 0x0002;
inline constexpr UINT RDW_ERASE = 0x0004;
inline constexpr UINT RDW_VALIDATE = 0x0008;
inline constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
inline constexpr UINT RDW_NOERASE = 0x0020;
inline constexpr UINT RDW_NOCHILDREN = 0x0040;
inline constexpr UINT RDW_ALLCHILDREN = 0x0080;
inline constexpr UINT RDW_UPDATENOW = 0x0100;
// Painting is done by the layer that owns a canvas, so erasing now paints now.
inline constexpr UINT RDW_ERASENOW = 0x0200;
inline constexpr UINT RDW_FRAME = 0x0400;
inline constexpr UINT RDW_NOFRAME = 0x0800;

// GetUpdateRgn's and ScrollWindowEx's answers.
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

// Rect (nullptr: the whole client area) or Region (client coordinates; nullptr: Rect decides)
// as Flags say. Children are included with RDW_ALLCHILDREN, left out with RDW_NOCHILDREN, and
// otherwise included when the window lacks WS_CLIPCHILDREN, whose painting covers them. With
// RDW_FRAME and neither rectangle nor region, the frame takes part too. False for no window.
bool RedrawWindow(HWND Wnd, const TRect* Rect, const TRegion* Region, UINT Flags);
// Wnd 0 stands for every top-level window.
bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase);
bool InvalidateRgn(HWND Wnd, const TRegion* Region, bool Erase);
// A null Rect validates the whole window, its frame included.
bool ValidateRect(HWND Wnd, const TRect* Rect);
bool ValidateRgn(HWND Wnd, const TRegion* Region);
// The bounds of the client part of the update region; false when it is empty. Erasing is for
// the painting layer, which holds the canvas WM_ERASEBKGND needs.
bool GetUpdateRect(HWND Wnd, TRect& Rect);
// NULLREGION, SIMPLEREGION or COMPLEXREGION; ERROR for no window.
int GetUpdateRgn(HWND Wnd, TRegion& Region);
// Sends WM_PAINT now to the window and then to each window inside it that waits to paint.
bool UpdateWindow(HWND Wnd);

// One window at a time stops painting, with what it holds, until it is unlocked; what is
// invalidated meanwhile paints afterwards. Locking the locked window again counts, and
// LockWindowUpdate(0) takes one count back. False when another window is locked, or when
// unlocking with nothing locked.
bool LockWindowUpdate(HWND Wnd);

}  // namespace vex
