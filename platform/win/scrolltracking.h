#pragma once

#include "platform/core/geometry.h"
#include "platform/win/messages.h"

namespace vex::wintree {

// A press on a window's own scroll bar, followed while the button is held: the arrows send
// SB_LINEUP or SB_LINEDOWN, the track either side of the thumb SB_PAGEUP or SB_PAGEDOWN, both
// again and again while the pointer stays on that part (a window timer); dragging the thumb sends
// SB_THUMBTRACK with the position under the pointer and SB_THUMBPOSITION on release; SB_ENDSCROLL
// ends every press. The window holds the capture meanwhile, and the mouse messages it would get
// are the tracking's. Losing the capture ends it.
class TScrollTracking {
public:
    // What DefWindowProc does with WM_NCLBUTTONDOWN on HTVSCROLL or HTHSCROLL (Bar SB_VERT or
    // SB_HORZ) at the screen point.
    void Start(HWND Wnd, int Bar, TPoint Screen);
    // A mouse message being taken: true when the tracking took it.
    bool TakesMouse(const MSG& Routed, TPoint Screen);
    // Wnd lost the capture.
    void CaptureLost(HWND Wnd);
    bool Tracking() const { return FWnd != 0; }

private:
    enum class TPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };
    struct TBarGeometry {
        TRect Bar;  // screen coordinates
        bool Vertical = true;
        int32_t Arrow = 0;
        int32_t ThumbOffset = 0;  // from the track's start
        int32_t ThumbLength = 0;
        bool HasThumb = false;
    };

    bool Measure(TBarGeometry& Geometry) const;
    TPart PartAt(const TBarGeometry& Geometry, TPoint Screen) const;
    // The position a thumb dragged so that the pointer is at Screen stands for.
    int32_t PositionAt(const TBarGeometry& Geometry, TPoint Screen) const;
    void Send(WPARAM Code, int32_t Position = 0);
    void Repeat();
    void End(bool Release);

    HWND FWnd = 0;
    int FBar = 0;
    TPart FPart = TPart::None;
    int32_t FGrab = 0;  // where in the thumb it was taken
    int32_t FTrackPos = 0;
    TPoint FPointer;
    HWND FTimer = 0;
};

TScrollTracking& ScrollTracking();

}  // namespace vex::wintree
