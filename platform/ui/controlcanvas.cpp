#include "platform/ui/controlcanvas.h"

#include <unordered_set>

#include "platform/ui/bitmaptarget.h"
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

// Canvases drawing through a context, theirs or one they were given.
std::unordered_set<TControlCanvas*>& CanvasesWithContexts() {
    static std::unordered_set<TControlCanvas*> canvases;
    return canvases;
}

HWND ReleaseWindow() {
    static const HWND window = AllocateHWnd([](TMessage&) { FreeTakenContexts(); });
    return window;
}

// A context over Control's area: its own window's client area, or its part of its parent's.
HDC ControlContext(TControl& Control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&Control)) return GetDC(windowed->Handle());
    HDC dc = GetDC(Control.Parent()->Handle());
    NarrowContext(dc, Control.BoundsRect());
    return dc;
}

}  // namespace

void FreeTakenContexts() {
    const auto canvases = CanvasesWithOwnContexts();
    for (TControlCanvas* canvas : canvases)
        if (CanvasesWithOwnContexts().count(canvas) != 0) canvas->FreeHandle();
}

void LetGoOfWindowPixels() {
    const auto canvases = CanvasesWithContexts();
    for (TControlCanvas* canvas : canvases)
        if (CanvasesWithContexts().count(canvas) != 0) canvas->SetHandle(nullptr);
    DetachAllContexts();
}

TControlCanvas::TControlCanvas() : TCanvas(Target) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
    CanvasesWithContexts().erase(this);
}

void TControlCanvas::Retarget(HDC DC) {
    if (DC == nullptr || DC->Bitmap().Height() == 0) {
        RetargetBitmap(Target, nullptr, 0, 0, 0);
        return;
    }
    TBitmap& rows = DC->Bitmap();
    RetargetBitmap(Target, rows.ScanLine(0), rows.Width(), rows.Height(), rows.Stride());
}

void TControlCanvas::SetHandle(HDC DC) {
    if (DC == FContext) return;
    const HDC own = FOwnContext;
    FOwnContext = nullptr;
    CanvasesWithOwnContexts().erase(this);
    Retarget(DC);
    FContext = DC;
    if (DC != nullptr)
        CanvasesWithContexts().insert(this);
    else
        CanvasesWithContexts().erase(this);
    ResetClip();
    if (DC != nullptr) {
        // What DC could draw bounds the canvas: its base clip and its own.
        const TPoint origin = DC->Origin();
        TRect reach = DC->ClipRect();
        OffsetRect(reach, origin.X, origin.Y);
        ExchangeBaseClip(DC->ReachWithin(reach));
        SetOrigin(origin);
    } else {
        ExchangeBaseClip(std::nullopt);
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
