#include "platform/win/painting.h"

#include <utility>

#include "platform/win/caretsuspension.h"
#include "platform/win/invalidation.h"
#include "platform/win/visibleregion.h"
#include "platform/win/windowstore.h"

namespace vex {

namespace {

// Surface becomes the surface of a window that shows, its top-left corner at Origin in the
// buffer.
void SurfaceAt(TWnd& W, TSurfaceArea Area, TPoint Origin, TWindowSurface& Surface) {
    TBackBuffer* buffer = wintree::BufferOf(W);
    if (buffer == nullptr) {
        Surface = TWindowSurface();
        return;
    }
    const TRect area = Area == TSurfaceArea::Client ? W.Client : wintree::WindowArea(W);
    const TPixelRows rows = buffer->Rows();
    Surface.Pixels = buffer->PixelsToChange();
    Surface.Width = rows.Width;
    Surface.Height = rows.Height;
    Surface.Stride = rows.Stride;
    Surface.Origin = wintree::Shifted(Origin, area.Left, area.Top);
    wintree::VisibleRegion(W, area, true, Surface.Clip);
}

TWindowSurface SurfaceOf(TWnd& W, TSurfaceArea Area) {
    TWindowSurface surface;
    if (wintree::IsShowing(W)) SurfaceAt(W, Area, wintree::BufferOrigin(W), surface);
    return surface;
}

// Moves W's update region into Client, keeping its part in the client area; Frame tells whether
// any of it lay outside, on the frame.
void TakeClientUpdate(TWnd& W, TRegion& Client, bool& Frame) {
    Client = std::move(W.Update);
    W.Update.Clear();
    // The client area is one rectangle: the region lies inside it when its bounds do.
    const TRect bounds = Client.Bounds();
    TRect common;
    Frame = !Client.Empty() && !(IntersectRect(common, bounds, W.Client) && common == bounds);
    if (Frame) Client.Intersect(W.Client);
}

// Narrows Clip (buffer coordinates) to Update (coordinates of the window that starts at Origin
// in the buffer).
void ClipToUpdate(TRegion& Clip, const TRegion& Update, TPoint Origin) {
    TRegion inBuffer = Update;
    inBuffer.Offset(Origin.X, Origin.Y);
    Clip.Intersect(inBuffer);
}

}  // namespace

TWindowSurface GetWindowSurface(HWND Wnd, TSurfaceArea Area) {
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    return w == nullptr ? TWindowSurface() : SurfaceOf(*w, Area);
}

TPaintSession BeginWindowPaint(HWND Wnd) {
    TPaintSession session;
    BeginWindowPaint(Wnd, session);
    return session;
}

void BeginWindowPaint(HWND Wnd, TPaintSession& Session) {
    // The caret's inversion stays out of the pixels until the painting ends.
    SuspendCaret(Wnd);
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr) {
        Session = TPaintSession();
        return;
    }
    Session.Wnd = Wnd;
    TRegion& client = Session.UpdateRegion;
    TakeClientUpdate(*w, client, Session.FrameInvalid);
    Session.Erase = w->Erase;
    const bool canPaint = wintree::CanPaint(*w);
    w->Erase = false;
    w->InternalPaint = false;
    wintree::SyncPending(*w);
    if (canPaint) {
        // A window that can paint shows.
        const TPoint origin = wintree::BufferOrigin(*w);
        SurfaceAt(*w, TSurfaceArea::Client, origin, Session.Surface);
        ClipToUpdate(Session.Surface.Clip, client, origin);
    } else {
        Session.Surface = TWindowSurface();
    }
    client.Offset(-w->Client.Left, -w->Client.Top);
    Session.UpdateBox = client.Bounds();
}

void EndWindowPaint(const TPaintSession& Session) {
    if (!Session.Surface.Clip.Empty())
        PresentWindowArea(Session.Wnd, Session.Surface.Clip.Bounds());
    ResumeCaret();
}

void PresentWindowArea(HWND Wnd, const TRect& Area) {
    TWindowStore& store = TWindowStore::Instance();
    TWnd* w = store.Find(Wnd);
    if (w == nullptr) return;
    TWnd& top = wintree::TopLevelOf(*w);
    if (top.Buffer == nullptr || !top.Presented) return;
    TRect dirty;
    if (!IntersectRect(dirty, Area, top.Buffer->Bounds())) return;
    if (IsRectEmpty(top.Unpresented)) store.Unpresented.push_back(top.Handle);
    UnionRect(top.Unpresented, top.Unpresented, dirty);
}

void PresentPainted() {
    TWindowStore& store = TWindowStore::Instance();
    // A presenter that fails leaves the rest to the next time.
    while (!store.Unpresented.empty()) {
        const HWND wnd = store.Unpresented.back();
        store.Unpresented.pop_back();
        TWnd* top = store.Find(wnd);
        if (top == nullptr) continue;
        const TRect area = std::exchange(top->Unpresented, TRect{});
        TRect dirty;
        // The window may have been hidden, or its buffer made smaller, since it painted.
        if (top->Buffer == nullptr || !top->Presented ||
            !IntersectRect(dirty, area, top->Buffer->Bounds()))
            continue;
        Presenter().Present(wnd, top->Buffer->Rows(), dirty);
    }
}

TPixelRows WindowPixels(HWND Wnd) {
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr || !wintree::IsShowing(*w)) return TPixelRows();
    TBackBuffer* buffer = wintree::BufferOf(*w);
    if (buffer == nullptr) return TPixelRows();
    TRect area;
    if (!IntersectRect(area, wintree::BufferRect(*w, wintree::WindowArea(*w)), buffer->Bounds()))
        return TPixelRows();
    const TPixelRows rows = buffer->Rows();
    return TPixelRows{rows.Pixels + static_cast<size_t>(area.Top) * rows.Stride + area.Left,
                      wintree::Width(area), wintree::Height(area), rows.Stride};
}

}  // namespace vex
