#include "platform/ui/controlcanvas.h"

#include <new>
#include <unordered_set>

#include "platform/ui/control.h"
#include "platform/ui/paint.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Canvases holding a context they took themselves, which go back once the current message is
// handled.
std::unordered_set<TControlCanvas*>& CanvasesWithOwnContexts() {
    static std::unordered_set<TControlCanvas*> canvases;
    return canvases;
}

HWND ReleaseWindow() {
    static const HWND window = AllocateHWnd([](TMessage&) {
        const auto canvases = CanvasesWithOwnContexts();
        for (TControlCanvas* canvas : canvases)
            if (CanvasesWithOwnContexts().count(canvas) != 0) canvas->FreeHandle();
    });
    return window;
}

// A context over Control's area: its own window's client area, or its part of its parent's.
HDC ControlContext(TControl& Control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&Control)) return GetDC(windowed->Handle());
    HDC dc = GetDC(Control.Parent()->Handle());
    TRect bounds = Control.BoundsRect();
    const TPoint origin = dc->Origin();
    OffsetRect(bounds, origin.X, origin.Y);
    TRegion base = BaseClipOf(dc).value_or(TRegion(bounds));
    base.Intersect(bounds);
    SetBaseClipOf(dc, std::move(base));
    dc->SetOrigin(Point(bounds.Left, bounds.Top));
    return dc;
}

}  // namespace

TControlCanvas::TControlCanvas() : TCanvas(Target) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
    SetBaseClipOf(this, std::nullopt);
}

void TControlCanvas::Retarget(HDC DC) {
    // A new bitmap object in the place of the old one: the canvas's reference to its bitmap
    // then refers to it, as it is of the same type in the same storage.
    Target.~TBitmap();
    try {
        if (DC != nullptr && DC->Bitmap().Height() > 0) {
            TBitmap& rows = DC->Bitmap();
            new (&Target) TBitmap(rows.ScanLine(0), rows.Width(), rows.Height(), rows.Stride());
        } else {
            new (&Target) TBitmap();
        }
    } catch (...) {
        new (&Target) TBitmap();
        throw;
    }
}

void TControlCanvas::SetHandle(HDC DC) {
    if (DC == FContext) return;
    const HDC own = FOwnContext;
    FOwnContext = nullptr;
    CanvasesWithOwnContexts().erase(this);
    Retarget(DC);
    FContext = DC;
    ResetClip();
    if (DC != nullptr) {
        // What DC could draw bounds the canvas: its base clip, and its own clip as far as a box
        // tells.
        const TPoint origin = DC->Origin();
        TRect reach = DC->ClipRect();
        OffsetRect(reach, origin.X, origin.Y);
        TRegion base = BaseClipOf(DC).value_or(TRegion(reach));
        base.Intersect(reach);
        SetBaseClipOf(this, std::move(base));
        SetOrigin(origin);
    } else {
        SetBaseClipOf(this, std::nullopt);
        SetOrigin(TPoint());
    }
    if (own != nullptr) ReleaseDC(0, own);
}

void TControlCanvas::FreeHandle() {
    if (FOwnContext != nullptr && FContext == FOwnContext) SetHandle(nullptr);
}

void TControlCanvas::TakeControlContext() {
    if (FContext != nullptr && FContext != FOwnContext) return;  // painting: keep its context
    FreeHandle();
    if (FControl == nullptr || !FControl->Showing()) return;
    HDC dc = ControlContext(*FControl);
    SetHandle(dc);
    FOwnContext = dc;
    CanvasesWithOwnContexts().insert(this);
    PostCoalescedMessage(ReleaseWindow(), WM_USER, 0, 0);
}

}  // namespace vex
