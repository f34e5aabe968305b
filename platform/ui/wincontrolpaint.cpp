#include "platform/ui/wincontrol.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gfx/dcstate.h"
#include "platform/ui/paint.h"
#include "platform/win/updateregion.h"

namespace vex {

void TWinControl::Invalidate() {
    if (FHandle != 0) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle != 0) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::WMPaint(TMessage& Message) {
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
    const TControlWatch watch(*this);
    TPaintScope paint(FHandle, reinterpret_cast<HDC>(Message.WParam));
    HDC dc = paint.DC();
    // What the control paints itself goes under its plain children, which paint over it before
    // anything reaches the screen. A frame or background handler may have freed the control.
    if (watch.Expired()) return;
    // Most windowed controls have no plain children: then nothing draws after the control's own
    // painting, and its state need not be kept. Children that its painting adds have asked for a
    // paint of their own.
    if (FControls.empty()) {
        PaintWindow(dc);
        return;
    }
    {
        TSavedDC saved(dc);
        PaintWindow(dc);
    }
    if (!watch.Expired()) PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    if (FControls.empty()) return;
    auto from = std::find(FControls.begin(), FControls.end(), First);
    if (from == FControls.end()) from = FControls.begin();
    const std::vector<TControl*> above(from, FControls.end());
    const std::weak_ptr<const void> life = LifeToken();
    const uint64_t removals = FControlRemovals;
    const TRect reach = DC->ClipRect();
    for (TControl* child : above) {
        // A child's painting may free it, a sibling, or this control. A freed child has left
        // the list, so once any child has, each is looked for there before it is touched.
        if (life.expired()) return;
        if (FControlRemovals != removals &&
            std::find(FControls.begin(), FControls.end(), child) == FControls.end())
            continue;
        if (!child->Visible()) continue;
        TRect visible;
        if (!IntersectRect(visible, reach, child->BoundsRect())) continue;
        TChildPaintScope scope(DC, child->BoundsRect());
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    if (auto* dc = reinterpret_cast<HDC>(Message.WParam)) {
        dc->FillRect(GetClientRect(), FBrush);
    }
    Message.Result = 1;
}

}  // namespace vex
