#include "platform/ui/paint.h"

#include <memory>
#include <unordered_map>

#include "platform/gfx/bitmap.h"
#include "platform/ui/bitmaptarget.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// A context the framework made over a window's pixels.
struct TDeviceContext {
    HWND Wnd = 0;
    std::unique_ptr<TBitmap> Target;
    std::unique_ptr<TCanvas> Canvas;
    // Set for a context of BeginPaint, which EndPaint closes.
    std::unique_ptr<TPaintSession> Session;
    TRect Drawable;  // what of the buffer it may have changed
};

std::unordered_map<HDC, std::unique_ptr<TDeviceContext>>& Contexts() {
    static std::unordered_map<HDC, std::unique_ptr<TDeviceContext>> contexts;
    return contexts;
}

HDC MakeContext(HWND Wnd, const TWindowSurface& Surface) {
    auto context = std::make_unique<TDeviceContext>();
    context->Wnd = Wnd;
    context->Target =
        std::make_unique<TBitmap>(Surface.Pixels, Surface.Width, Surface.Height, Surface.Stride);
    context->Canvas = std::make_unique<TCanvas>(*context->Target);
    context->Drawable = Surface.Clip.Bounds();
    HDC dc = context->Canvas.get();
    dc->SetOrigin(Surface.Origin);
    dc->SetBaseClip(Surface.Clip);
    Contexts()[dc] = std::move(context);
    return dc;
}

std::unique_ptr<TDeviceContext> TakeContext(HDC DC) {
    auto& contexts = Contexts();
    const auto found = contexts.find(DC);
    if (found == contexts.end()) return nullptr;
    std::unique_ptr<TDeviceContext> context = std::move(found->second);
    contexts.erase(found);
    return context;
}

}  // namespace

HDC BeginPaint(HWND Wnd, PAINTSTRUCT& Paint) {
    auto session = std::make_unique<TPaintSession>(BeginWindowPaint(Wnd));
    if (session->FrameInvalid) SendMessage(Wnd, WM_NCPAINT, 1, 0);
    HDC dc = MakeContext(Wnd, session->Surface);
    Paint = PAINTSTRUCT{dc, false, session->UpdateBox};
    const bool erase = session->Erase;
    Contexts()[dc]->Session = std::move(session);
    if (erase) {
        TSavedDC saved(dc);
        Paint.fErase = SendMessage(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    }
    return dc;
}

bool EndPaint(HWND, const PAINTSTRUCT& Paint) {
    const std::unique_ptr<TDeviceContext> context = TakeContext(Paint.hdc);
    if (context == nullptr || context->Session == nullptr) return false;
    EndWindowPaint(*context->Session);
    return true;
}

HDC GetDC(HWND Wnd) {
    return MakeContext(Wnd, GetWindowSurface(Wnd, TSurfaceArea::Client));
}

HDC GetWindowDC(HWND Wnd) {
    return MakeContext(Wnd, GetWindowSurface(Wnd, TSurfaceArea::Window));
}

int ReleaseDC(HWND, HDC DC) {
    const std::unique_ptr<TDeviceContext> context = TakeContext(DC);
    if (context == nullptr) return 0;
    if (context->Wnd != 0 && !IsRectEmpty(context->Drawable))
        PresentWindowArea(context->Wnd, context->Drawable);
    return 1;
}

void DetachAllContexts() {
    for (auto& [dc, context] : Contexts()) {
        RetargetBitmap(*context->Target, nullptr, 0, 0, 0);
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

std::optional<TClipSpans> NarrowContext(HDC DC, const TRect& Area) {
    TRect onBitmap = Area;
    const TPoint origin = DC->Origin();
    OffsetRect(onBitmap, origin.X, origin.Y);
    std::optional<TClipSpans> outer = DC->ExchangeBaseClip(DC->ReachWithin(onBitmap));
    DC->SetOrigin(Point(onBitmap.Left, onBitmap.Top));
    return outer;
}

TChildPaintScope::TChildPaintScope(HDC DC, const TRect& Bounds)
    : FDC(DC), FSaved(DC), FOuterOrigin(DC->Origin()) {
    // Whatever the parent could still draw on bounds the child.
    FOuterBase = NarrowContext(DC, Bounds);
    DC->SelectClipRgn(nullptr);
}

TChildPaintScope::~TChildPaintScope() {
    FDC->ExchangeBaseClip(std::move(FOuterBase));
    // The saved state brings back the rest; the origin is set here as well, should the state
    // stack have been too deep to save it.
    FDC->SetOrigin(FOuterOrigin);
}

}  // namespace vex
