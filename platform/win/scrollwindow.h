#pragma once

#include "platform/core/geometry.h"
#include "platform/core/region.h"
#include "platform/win/messages.h"

namespace vex {

inline constexpr UINT SW_SCROLLCHILDREN = 0x0001;
inline constexpr UINT SW_INVALIDATE = 0x0002;
inline constexpr UINT SW_ERASE = 0x0004;

// Scrolls part of the client area by DX, DY: the pixels of Scroll (client coordinates; nullptr:
// the whole client area) move inside the back buffer and land only inside Scroll and Clip
// (nullptr: the client area), where the window shows. What waits to be painted there moves
// with them. What the move leaves uncovered, or could not fill from pixels that show, is
// returned in Update and UpdateRect (either may be nullptr) and, with SW_INVALIDATE,
// invalidated (erased first with SW_ERASE). SW_SCROLLCHILDREN moves the children that
// Scroll meets (all of them without Scroll) along, with their pixels, sending each WM_MOVE.
// Returns the kind of the uncovered region (NULLREGION, SIMPLEREGION, COMPLEXREGION), or
// ERROR for no window.
int ScrollWindowEx(HWND Wnd, int32_t DX, int32_t DY, const TRect* Scroll, const TRect* Clip,
                   TRegion* Update, TRect* UpdateRect, UINT Flags);
// ScrollWindowEx with SW_INVALIDATE and SW_ERASE, moving the children too when Scroll is
// nullptr.
bool ScrollWindow(HWND Wnd, int32_t DX, int32_t DY, const TRect* Scroll, const TRect* Clip);

}  // namespace vex
