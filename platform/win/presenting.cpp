#include "platform/win/presenting.h"

#include <functional>
#include <utility>

#include "platform/win/invalidation.h"
#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/windowstyles.h"

namespace vex::wintree {

namespace {

TRect ScreenBounds(const TWnd& W) {
    const TPoint origin = WindowOrigin(W);
    return PlacedAt(origin, Width(W.Bounds), Height(W.Bounds));
}

std::function<void(const uint32_t*)>& PixelsMovedHandler() {
    static std::function<void(const uint32_t*)> handler;
    return handler;
}

void PixelsMoved(const uint32_t* Gone) {
    if (const std::function<void(const uint32_t*)>& handler = PixelsMovedHandler()) handler(Gone);
}

void DropBuffer(TWnd& W) {
    if (W.Buffer == nullptr) return;
    const uint32_t* gone = W.Buffer->Rows().Pixels;
    W.Buffer.reset();
    TWindowStore::Instance().LayoutChanged();
    PixelsMoved(gone);
}

}  // namespace

TWindowLook LookOf(const TWnd& W) {
    TWindowLook look;
    look.Title = W.Text;
    look.Owner = W.Owner;
    look.TopMost = (W.ExStyle & WS_EX_TOPMOST) != 0;
    look.ToolWindow = (W.ExStyle & WS_EX_TOOLWINDOW) != 0;
    look.Framed = (W.Style & WS_CAPTION) == WS_CAPTION || (W.Style & WS_THICKFRAME) != 0;
    look.Popup = (W.Style & WS_POPUP) != 0 && (W.ExStyle & WS_EX_NOACTIVATE) != 0;
    return look;
}

void SyncWithPresenter(TWnd& W) {
    TWindowStore& store = TWindowStore::Instance();
    if (!IsTopLevel(W) || !IsShowing(W)) {
        DropBuffer(W);
        if (W.Presented) {
            W.Presented = false;
            Presenter().Hide(W.Handle);
        }
        return;
    }
    if (W.Buffer == nullptr) {
        W.Buffer = std::make_unique<TBackBuffer>(Width(W.Bounds), Height(W.Bounds), Presenter());
        store.LayoutChanged();
    } else {
        const TRect before = W.Buffer->Bounds();
        const uint32_t* pixels = W.Buffer->Rows().Pixels;
        const TRegion added = W.Buffer->Resize(Width(W.Bounds), Height(W.Bounds), Presenter());
        if (W.Buffer->Bounds() != before) {
            store.LayoutChanged();
            PixelsMoved(pixels);
        }
        Invalidate(W, added, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    const TRect bounds = ScreenBounds(W);
    const TWindowLook look = LookOf(W);
    if (W.Presented && bounds == W.PresentedBounds && look == W.PresentedLook) return;
    // The display made this move itself and already shows it.
    const bool echo = W.Presented && store.MovedByPresenter == W.Handle;
    W.Presented = true;
    W.EverPresented = true;
    W.PresentedBounds = bounds;
    W.PresentedLook = look;
    if (!echo) Presenter().Show(W.Handle, bounds, look);
}

void ForgetOnPresenter(TWnd& W) {
    DropBuffer(W);
    W.Presented = false;
    if (W.EverPresented) Presenter().Forget(W.Handle);
}

void PresentAll() {
    TWindowStore& store = TWindowStore::Instance();
    for (TWnd* top : store.Desktop().Children) {
        if (!top->Presented) continue;
        Presenter().Show(top->Handle, ScreenBounds(*top), LookOf(*top));
        if (top->Buffer)
            Presenter().Present(top->Handle, top->Buffer->Rows(), top->Buffer->Bounds());
        if (store.Active == top->Handle) Presenter().Activate(top->Handle);
    }
}

}  // namespace vex::wintree

namespace vex {

void SetWindowPixelsMovedHandler(std::function<void(const uint32_t* Gone)> Handler) {
    wintree::PixelsMovedHandler() = std::move(Handler);
}

}  // namespace vex
