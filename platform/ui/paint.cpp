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

// The base clips the framework gave canvases, by canvas; a canvas not listed has none.
std::unordered_map<HDC, TRegion>& BaseClips() {
    static std::unordered_map<HDC, TRegion> clips;
    return clips;
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
    SetBaseClipOf(dc, Surface.Clip);
    Contexts()[dc] = std::move(context);
    return dc;
}

std::unique_ptr<TDeviceContext> TakeContext(HDC DC) {
    auto& contexts = Contexts();
    const auto found = contexts.find(DC);
    if (found == contexts.end()) return nullptr;
    std::unique_ptr<TDeviceContext> context = std::move(found->second);
    contexts.erase(found);
    BaseClips().erase(DC);
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

void SetBaseClipOf(HDC DC, std::optional<TRegion> Clip) {
    if (Clip)
        BaseClips()[DC] = *Clip;
    else
        BaseClips().erase(DC);
    DC->SetBaseClip(std::move(Clip));
}

std::optional<TRegion> BaseClipOf(HDC DC) {
    const auto found = BaseClips().find(DC);
    if (found == BaseClips().end()) return std::nullopt;
    return found->second;
}

TPaintScope::TPaintScope(HWND Wnd, HDC Given)
    : FWnd(Wnd), FDC(Given != nullptr ? Given : BeginPaint(Wnd, FPaint)) {}

TPaintScope::~TPaintScope() {
    if (FPaint.hdc != nullptr) EndPaint(FWnd, FPaint);
}

TChildPaintScope::TChildPaintScope(HDC DC, const TRect& Bounds, TRect Reach)
    : FDC(DC), FSaved(DC), FOuterOrigin(DC->Origin()), FOuterBase(BaseClipOf(DC)) {
    TRect onBitmap = Bounds;
    OffsetRect(onBitmap, FOuterOrigin.X, FOuterOrigin.Y);
    // What the parent could still draw bounds the child: its base clip, and its own clip as far
    // as a box tells.
    OffsetRect(Reach, FOuterOrigin.X, FOuterOrigin.Y);
    TRegion base = FOuterBase ? *FOuterBase : TRegion(onBitmap);
    base.Intersect(onBitmap);
    base.Intersect(Reach);
    SetBaseClipOf(DC, std::move(base));
    DC->SelectClipRgn(nullptr);
    DC->SetOrigin(Point(FOuterOrigin.X + Bounds.Left, FOuterOrigin.Y + Bounds.Top));
}

TChildPaintScope::~TChildPaintScope() {
    SetBaseClipOf(FDC, FOuterBase);
    // The saved state brings back the rest; the origin is set here as well, should the state
    // stack have been too deep to save it.
    FDC->SetOrigin(FOuterOrigin);
}

}  // namespace vex
