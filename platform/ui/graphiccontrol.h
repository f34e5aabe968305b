#pragma once

#include "platform/ui/controlcanvas.h"
#include "platform/ui/wincontrol.h"

namespace vex {

// A control without a window of its own: its parent paints it, in z-order among its plain
// siblings, by sending it WM_PAINT with the parent's canvas moved to the control's place and
// clipped to its bounds; Paint draws on Canvas then.
class TGraphicControl : public TControl {
    VEX_CLASS(TGraphicControl, TControl)

public:
    explicit TGraphicControl(TComponent* AOwner);

    // While painting, the canvas on the parent's paint context; otherwise one over the control's
    // part of its parent's window, taken again at each call, or a canvas that only measures
    // while the control does not show.
    TCanvas& Canvas();

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& Message) override;
    // The canvas itself, to give it a context of one's own choosing.
    TControlCanvas& ControlCanvas() { return FCanvas; }

private:
    TControlCanvas FCanvas;
};

// A windowed control that paints itself: Paint draws on Canvas after the background is erased.
class TCustomControl : public TWinControl {
    VEX_CLASS(TCustomControl, TWinControl)

public:
    explicit TCustomControl(TComponent* AOwner);

    // As TGraphicControl's, over the control's own window.
    TCanvas& Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;

private:
    TControlCanvas FCanvas;
};

}  // namespace vex
