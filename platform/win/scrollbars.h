#pragma once

#include <cstdint>

#include "platform/win/messages.h"

namespace vex {

// The scroll bars of a window's frame, vertical and horizontal, each with a range, a page, a
// position and arrows that may be disabled. A bar shows while the window has WS_VSCROLL or
// WS_HSCROLL; showing or hiding one changes the client area (WM_NCCALCSIZE, WM_SIZE). SB_CTL
// keeps the same data for a window that is a scroll bar itself. A changed bar invalidates the
// frame when Redraw is given. A bar value outside SB_HORZ, SB_VERT, SB_CTL (and SB_BOTH where
// allowed) raises EWindowError.

inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
// A bar that the range and page no longer need stays shown with both arrows disabled instead
// of disappearing.
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_LTUP = 1;
inline constexpr UINT ESB_DISABLE_RTDN = 2;
inline constexpr UINT ESB_DISABLE_BOTH = 3;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int32_t nMin = 0;
    int32_t nMax = 0;
    UINT nPage = 0;
    int32_t nPos = 0;
    int32_t nTrackPos = 0;
};

// Sets what fMask names; a maximum below the minimum is taken as the minimum, the page is cut
// to the range, and the position is kept between the minimum and the maximum less the page
// plus one. With SIF_RANGE or SIF_PAGE a bar shows (enabled) when the page leaves something to
// scroll, and hides otherwise (or, with SIF_DISABLENOSCROLL, stays shown, disabled). Returns
// the position; 0 for no window.
int32_t SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO& Info, bool Redraw);
// Fills what fMask names (the track position is the position); false for no window.
bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO& Info);
// Returns the previous position.
int32_t SetScrollPos(HWND Wnd, int Bar, int32_t Pos, bool Redraw);
int32_t GetScrollPos(HWND Wnd, int Bar);
// A range of one value hides the bar, as SetScrollInfo with SIF_RANGE does.
bool SetScrollRange(HWND Wnd, int Bar, int32_t Min, int32_t Max, bool Redraw);
bool GetScrollRange(HWND Wnd, int Bar, int32_t& Min, int32_t& Max);
// SB_BOTH allowed. Returns false for no window.
bool ShowScrollBar(HWND Wnd, int Bar, bool Show);
// Which arrows are disabled (ESB_*); SB_BOTH allowed. False when nothing changed.
bool EnableScrollBar(HWND Wnd, int Bar, UINT Arrows);

// What the frame's painting needs of a bar.
struct TScrollBarState {
    int32_t Min = 0;
    int32_t Max = 0;
    uint32_t Page = 0;
    int32_t Pos = 0;
    bool Visible = false;
    UINT DisabledArrows = ESB_ENABLE_BOTH;
};
bool GetScrollBarState(HWND Wnd, int Bar, TScrollBarState& State);

// Where the thumb of a bar lies along its track: pixels from the track's start and its length.
// False when the bar shows no thumb: disabled, nothing to scroll, or a track too short.
bool ScrollThumb(int32_t TrackLength, const TScrollBarState& State, int32_t& Offset,
                 int32_t& Length);

}  // namespace vex
