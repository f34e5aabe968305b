#include "platform/ui/paint.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/controlcanvas.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// A context the framework made over a window's pixels.
struct TDeviceContext {
    HWND Wnd = 0;
    TBitmap Target;
    TCanvas Canvas{Target};
    // Set for a context of BeginPaint, which EndPaint closes.
    std::optional<TPaintSession> Session;
    TRect Drawable;  // what of the buffer it may have changed
};

// Painting makes and frees a context for every window it paints, so contexts given back are
// kept for the next ones; few are ever in use at once.
constexpr size_t kSpareContexts = 4;

struct TContexts {
    // Most recently made last: the one released next is mostly there.
    std::vector<std::unique_ptr<TDeviceContext>> InUse;
    std::vector<std::unique_ptr<TDeviceContext>> Spare;
};

TContexts& Contexts() {
    // Contexts and the control canvases drawing through them let go of a window's pixels as
    // soon as the window tree moves them.
    static TContexts contexts = [] {
        SetWindowPixelsMovedHandler(LetGoOfWindowPixels);
        return TContexts();
    }();
    return contexts;
}

// A context given back before, or a new one, not yet in use.
std::unique_ptr<TDeviceContext> SpareContext() {
    auto& spare = Contexts().Spare;
    if (spare.empty()) return std::make_unique<TDeviceContext>();
    std::unique_ptr<TDeviceContext> context = std::move(spare.back());
    spare.pop_back();
    return context;
}

// Puts Context in use over Surface of Wnd.
TDeviceContext& UseContext(std::unique_ptr<TDeviceContext> Context, HWND Wnd,
                           const TWindowSurface& Surface) {
    Context->Wnd = Wnd;
    Context->Target.Retarget(Surface.Pixels, Surface.Width, Surface.Height, Surface.Stride);
    Context->Drawable = Surface.Clip.Bounds();
    Context->Canvas.SetOrigin(Surface.Origin);
    Context->Canvas.SetBaseClip(Surface.Clip);
    auto& inUse = Contexts().InUse;
    inUse.push_back(std::move(Context));
    return *inUse.back();
}

TDeviceContext& MakeContext(HWND Wnd, const TWindowSurface& Surface) {
    return UseContext(SpareContext(), Wnd, Surface);
}

std::unique_ptr<TDeviceContext> TakeContext(HDC DC) {
    auto& inUse = Contexts().InUse;
    const auto found = std::find_if(inUse.rbegin(), inUse.rend(),
                                    [DC](const auto& Context) { return &Context->Canvas == DC; });
    if (found == inUse.rend()) return nullptr;
    std::unique_ptr<TDeviceContext> context = std::move(*found);
    inUse.erase(std::next(found).base());
    return context;
}

// Keeps a context that was ended or released for the next one, as a context just made.
void GiveBack(std::unique_ptr<TDeviceContext> Context) {
    auto& spare = Contexts().Spare;
    if (spare.size() >= kSpareContexts) return;
    Context->Session.reset();
    Context->Canvas.ResetState();
    spare.push_back(std::move(Context));
}

}  // namespace

HDC BeginPaint(HWND Wnd, PAINTSTRUCT& Paint) {
    // The session is made where the context keeps it: a window painted at every pass makes no
    // copy of it.
    std::unique_ptr<TDeviceContext> made = SpareContext();
    TPaintSession& session = made->Session.emplace();
    BeginWindowPaint(Wnd, session);
    TDeviceContext& context = UseContext(std::move(made), Wnd, session.Surface);
    HDC dc = &context.Canvas;
    Paint = PAINTSTRUCT{dc, false, session.UpdateBox};
    const bool frame = session.FrameInvalid;
    const bool erase = session.Erase;
    // The context exists before any handler runs, so one that moves the window's pixels (by
    // resizing it) leaves it drawing nowhere rather than into pixels that are gone. A handler
    // that fails ends it, since no caller gets it to end.
    try {
        if (frame) SendMessage(Wnd, WM_NCPAINT, 1, 0);
        if (erase) {
            TSavedDC saved(dc);
            Paint.fErase = SendMessage(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
        }
    } catch (...) {
        EndPaint(Wnd, Paint);
        throw;
    }
    return dc;
}

bool EndPaint(HWND, const PAINTSTRUCT& Paint) {
    std::unique_ptr<TDeviceContext> context = TakeContext(Paint.hdc);
    if (context == nullptr) return false;
    if (!context->Session) {
        // A context of GetDC stays the caller's to release.
        Contexts().InUse.push_back(std::move(context));
        return false;
    }
    EndWindowPaint(*context->Session);
    GiveBack(std::move(context));
    return true;
}

HDC GetDC(HWND Wnd) {
    return &MakeContext(Wnd, GetWindowSurface(Wnd, TSurfaceArea::Client)).Canvas;
}

HDC GetWindowDC(HWND Wnd) {
    return &MakeContext(Wnd, GetWindowSurface(Wnd, TSurfaceArea::Window)).Canvas;
}

int ReleaseDC(HWND, HDC DC) {
    std::unique_ptr<TDeviceContext> context = TakeContext(DC);
    if (context == nullptr) return 0;
    if (context->Wnd != 0 && !IsRectEmpty(context->Drawable)) {
        PresentWindowArea(context->Wnd, context->Drawable);
        // Drawing outside painting need not be followed by a pass of the loop that reaches
        // painting (a drag loop takes mouse messages alone): it goes to the screen now.
        PresentPainted();
    }
    GiveBack(std::move(context));
    return 1;
}

bool DrawsOn(TCanvas& Canvas, const uint32_t* Pixels) {
    const TBitmap& target = Canvas.Bitmap();
    return target.Height() > 0 && target.ScanLine(0) == Pixels;
}

void DetachContextsOver(const uint32_t* Gone) {
    for (const auto& context : Contexts().InUse) {
        if (!DrawsOn(context->Canvas, Gone)) continue;
        context->Target.Retarget(nullptr, 0, 0, 0);
        context->Drawable = TRect();
    }
}

HWND TopLevelWindowOf(HWND Wnd) {
    while ((static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & WS_CHILD) != 0 &&
           GetParent(Wnd) != 0)
        Wnd = GetParent(Wnd);
    return Wnd;
}

TPaintScope::TPaintScope(HWND Wnd, HDC Given)
    : FWnd(Wnd), FDC(Given != nullptr ? Given : BeginPaint(Wnd, FPaint)) {}

TPaintScope::~TPaintScope() {
    if (FPaint.hdc != nullptr) EndPaint(FWnd, FPaint);
}

namespace {

// NarrowContext, trading DC's base clip for the narrowed one in place.
void NarrowContextSwapping(HDC DC, const TRect& Area, std::optional<TClipSpans>& Base) {
    TRect onBitmap = Area;
    const TPoint origin = DC->Origin();
    OffsetRect(onBitmap, origin.X, origin.Y);
    Base.emplace(DC->ReachWithin(onBitmap));
    DC->SwapBaseClip(Base);
    DC->SetOrigin(Point(onBitmap.Left, onBitmap.Top));
}

}  // namespace

std::optional<TClipSpans> NarrowContext(HDC DC, const TRect& Area) {
    std::optional<TClipSpans> outer;
    NarrowContextSwapping(DC, Area, outer);
    return outer;
}

TChildPaintScope::TChildPaintScope(HDC DC, const TRect& Bounds)
    : FDC(DC), FSaved(DC), FOuterOrigin(DC->Origin()) {
    // Whatever the parent could still draw on bounds the child.
    NarrowContextSwapping(DC, Bounds, FOuterBase);
    DC->ResetClip();
}

TChildPaintScope::~TChildPaintScope() {
    FDC->SwapBaseClip(FOuterBase);
    // The saved state brings back the rest; the origin is set here as well, should the state
    // stack have been too deep to save it.
    FDC->SetOrigin(FOuterOrigin);
}

}  // namespace vex
