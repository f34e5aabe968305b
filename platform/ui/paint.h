#pragma once

#include <optional>

#include "platform/core/geometry.h"
#include "platform/core/region.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/win/messages.h"

namespace vex {

// Device contexts over windows: canvases that draw straight into the back buffer of the
// top-level window holding a window, with their origin at the window's client area (or, from
// GetWindowDC, at its top-left corner) and a base clip of what of the window shows, so that
// nothing drawn through them reaches another window. Each context ends with EndPaint or
// ReleaseDC, which puts what was drawn on the screen and frees it.

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    // The background is still to be erased: WM_ERASEBKGND answered 0.
    bool fErase = false;
    // The bounds of what waits to be painted, in client coordinates.
    TRect rcPaint;
};

// Takes what waits to be painted: sends WM_NCPAINT when the frame waits too and WM_ERASEBKGND
// when the background is to be erased, then returns a context clipped to the update region.
HDC BeginPaint(HWND Wnd, PAINTSTRUCT& Paint);
bool EndPaint(HWND Wnd, const PAINTSTRUCT& Paint);

// A context over the client area, or for Wnd 0 one that measures text and draws nowhere.
HDC GetDC(HWND Wnd);
// A context over the whole window, frame included.
HDC GetWindowDC(HWND Wnd);
// 1 when DC was one of these contexts, 0 otherwise.
int ReleaseDC(HWND Wnd, HDC DC);

// Whether Canvas draws on the pixels that begin at Pixels.
bool DrawsOn(TCanvas& Canvas, const uint32_t* Pixels);
// Points every context the framework made over the pixels that begin at Gone at nothing: a
// top-level window's pixels moved (it was resized, hidden or destroyed), and whoever still holds
// such a context now draws nowhere instead of into pixels that are gone. Contexts over other
// windows' pixels draw on. Releasing or ending the contexts stays as it was.
void DetachContextsOver(const uint32_t* Gone);

// A context of GetDC, or of GetWindowDC when WholeWindow, released when the scope ends.
class TWindowContext {
public:
    explicit TWindowContext(HWND Wnd, bool WholeWindow = false)
        : FWnd(Wnd), FDC(WholeWindow ? GetWindowDC(Wnd) : GetDC(Wnd)) {}
    ~TWindowContext() { ReleaseDC(FWnd, FDC); }
    TWindowContext(const TWindowContext&) = delete;
    TWindowContext& operator=(const TWindowContext&) = delete;

    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

// The top-level window holding Wnd, Wnd itself when it is one.
HWND TopLevelWindowOf(HWND Wnd);

// Paints with BeginPaint and EndPaint, unless a context was given to paint on (a WM_PAINT whose
// wParam is a canvas, as a parent paints a plain child or a picture is taken).
class TPaintScope {
public:
    TPaintScope(HWND Wnd, HDC Given);
    ~TPaintScope();
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    PAINTSTRUCT FPaint;
    HDC FDC;
};

// Narrows DC to Area (in DC's coordinates): the origin moves to Area's top-left corner and the
// base clip becomes what DC could draw within Area. Answers the base clip DC had.
std::optional<TClipSpans> NarrowContext(HDC DC, const TRect& Area);

// Gives a plain child control DC for its painting: the origin at the child's top-left corner
// (Bounds, in DC's coordinates) and a base clip of what DC could draw within the child's bounds,
// so that a child that resets its clip still cannot paint over its siblings. The DC is put back
// as it was when the scope ends.
class TChildPaintScope {
public:
    TChildPaintScope(HDC DC, const TRect& Bounds);
    ~TChildPaintScope();
    TChildPaintScope(const TChildPaintScope&) = delete;
    TChildPaintScope& operator=(const TChildPaintScope&) = delete;

private:
    HDC FDC;
    TSavedDC FSaved;
    TPoint FOuterOrigin;
    std::optional<TClipSpans> FOuterBase;
};

}  // namespace vex
