#include "platform/ui/controlcanvas.h"

#include <algorithm>

#include "platform/ui/control.h"
#include "platform/ui/paint.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Canvases holding a context they took themselves, which go back once the current message is
// handled.
TControlCanvas::TRoll& CanvasesWithOwnContexts() {
    static TControlCanvas::TRoll canvases;
    return canvases;
}

// Canvases drawing through a context, theirs or one they were given.
TControlCanvas::TRoll& CanvasesWithContexts() {
    static TControlCanvas::TRoll canvases;
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

void TControlCanvas::TRoll::Join(TControlCanvas* Canvas, size_t& Place) {
    if (Place != kNowhere) return;
    Place = FEntries.size();
    FEntries.push_back({Canvas, &Place});
}

void TControlCanvas::TRoll::Leave(size_t& Place) {
    if (Place == kNowhere) return;
    FEntries[Place] = FEntries.back();
    *FEntries[Place].Place = Place;
    FEntries.pop_back();
    Place = kNowhere;
}

std::vector<TControlCanvas*> TControlCanvas::TRoll::Canvases() const {
    std::vector<TControlCanvas*> canvases;
    for (const TEntry& entry : FEntries)
        canvases.push_back(entry.Canvas);
    return canvases;
}

bool TControlCanvas::TRoll::Holds(const TControlCanvas* Canvas) const {
    return std::any_of(FEntries.begin(), FEntries.end(),
                       [Canvas](const TEntry& Entry) { return Entry.Canvas == Canvas; });
}

void FreeTakenContexts() {
    // Letting go of one context may free other canvases: each is looked for again first.
    for (TControlCanvas* canvas : CanvasesWithOwnContexts().Canvases())
        if (CanvasesWithOwnContexts().Holds(canvas)) canvas->FreeHandle();
}

void LetGoOfWindowPixels(const uint32_t* Gone) {
    for (TControlCanvas* canvas : CanvasesWithContexts().Canvases())
        if (CanvasesWithContexts().Holds(canvas) && DrawsOn(*canvas, Gone))
            canvas->SetHandle(nullptr);
    DetachContextsOver(Gone);
}

TControlCanvas::TControlCanvas() : TCanvas(Target) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
    CanvasesWithOwnContexts().Leave(FPlaceAmongTakers);
    CanvasesWithContexts().Leave(FPlaceAmongDrawers);
}

void TControlCanvas::Retarget(HDC DC) {
    if (DC == nullptr || DC->Bitmap().Height() == 0) {
        Target.Retarget(nullptr, 0, 0, 0);
        return;
    }
    TBitmap& rows = DC->Bitmap();
    Target.Retarget(rows.ScanLine(0), rows.Width(), rows.Height(), rows.Stride());
}

void TControlCanvas::SetHandle(HDC DC) {
    if (DC == FContext) return;
    const HDC own = FOwnContext;
    FOwnContext = nullptr;
    CanvasesWithOwnContexts().Leave(FPlaceAmongTakers);
    Retarget(DC);
    FContext = DC;
    if (DC != nullptr)
        CanvasesWithContexts().Join(this, FPlaceAmongDrawers);
    else
        CanvasesWithContexts().Leave(FPlaceAmongDrawers);
    ResetClip();
    // What DC could draw bounds the canvas: its base clip and its own.
    SetBaseClip(DC != nullptr ? &DC->Reach() : nullptr);
    SetOrigin(DC != nullptr ? DC->Origin() : TPoint());
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
    CanvasesWithOwnContexts().Join(this, FPlaceAmongTakers);
    PostCoalescedMessage(ReleaseWindow(), WM_USER, 0, 0);
}

}  // namespace vex
