#pragma once

#include <cstdint>
#include <functional>

#include "platform/core/geometry.h"
#include "platform/core/region.h"
#include "platform/win/messages.h"
#include "platform/win/presenter.h"

namespace vex {

// What the painting layer above needs of a window to draw it: where its pixels are and which
// of them it may touch. Every window draws into the back buffer of the top-level window that
// holds it; what it may touch leaves out what lies outside its ancestors' client areas, the
// siblings above it when it has WS_CLIPSIBLINGS, and its children when it has WS_CLIPCHILDREN.

struct TWindowSurface {
    // The top-level window's back buffer; null (and the sizes 0) when the window shows nothing.
    uint32_t* Pixels = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;  // pixels from one row to the next
    // The top-left corner of the area drawn in (the client area or the whole window) inside
    // the buffer.
    TPoint Origin;
    // The pixels the window may draw, in buffer coordinates.
    TRegion Clip;
};

// The whole window, frame included, or the client area alone: what the original's window and
// client device contexts drew in.
enum class TSurfaceArea { Client, Window };
TWindowSurface GetWindowSurface(HWND Wnd, TSurfaceArea Area);

// One WM_PAINT's worth of painting.
struct TPaintSession {
    HWND Wnd = 0;
    // What was invalid in the client area, in client coordinates, and its bounds.
    TRegion UpdateRegion;
    TRect UpdateBox;
    // The background is to be erased first (WM_ERASEBKGND), and the frame wanted painting
    // too (WM_NCPAINT, to be sent before).
    bool Erase = false;
    bool FrameInvalid = false;
    // The client surface, its clip narrowed to the update region.
    TWindowSurface Surface;
};

// Validates the window's whole update region and returns what is to be painted. A window that
// cannot paint now (hidden, redrawing off, locked) gets an empty clip.
TPaintSession BeginWindowPaint(HWND Wnd);
// The same, into Session, all of which it sets.
void BeginWindowPaint(HWND Wnd, TPaintSession& Session);
// Has what the session may have changed put on the screen.
void EndWindowPaint(const TPaintSession& Session);
// Has Area (buffer coordinates) of the back buffer holding Wnd put on the screen, after drawing
// outside WM_PAINT. What a window's paintings change waits and goes to the screen as one
// picture when they are done: see PresentPainted.
void PresentWindowArea(HWND Wnd, const TRect& Area);
// Puts on the screen what painting changed since the last time, one area per top-level window.
// Called once nothing waits to paint, and when a synchronous update ends, so that many windows
// painting one after another reach the display in one put instead of one each, and none waits
// for the display to read the put before it.
void PresentPainted();

// Handler runs whenever a shown top-level window's pixels move (it is resized, hidden or
// destroyed), given the first of the pixels that are gone, so that whoever made contexts over
// them, and only over them, lets go before anything draws into them. One handler; a new one
// replaces it.
void SetWindowPixelsMovedHandler(std::function<void(const uint32_t* Gone)> Handler);

// The window's own pixels, frame included: its area inside its top-level window's back buffer,
// cut to the buffer. Empty rows for a window that shows nothing.
TPixelRows WindowPixels(HWND Wnd);

}  // namespace vex
