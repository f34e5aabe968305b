#pragma once

#include "platform/gfx/canvas.h"
#include "platform/ui/pagereplay.h"

namespace vex {

// Replays onto a canvas at another resolution: every position and length is scaled by Scale
// (the target's pixels per inch over the page's), each edge rounded on its own so that what
// touched on the page still touches, and text is realized anew at the scaled height. The
// canvas draws in MM_TEXT with the page's (0, 0) at its origin.
class TCanvasPageTarget : public TPageTarget {
public:
    TCanvasPageTarget(TCanvas& Canvas, double Scale) : FCanvas(Canvas), FScale(Scale) {}

    void Clip(const std::optional<TRegion>& Region) override;
    void Lines(const TCanvasCall& Call, bool Closed) override;
    void Shape(const TCanvasCall& Call) override;
    void Fill(const TRect& R, TColor Color) override;
    void Text(const TCanvasCall& Call) override;
    void Picture(const TRect& Dest, const TPixelImage& Picture) override;

private:
    int32_t Scaled(int32_t V) const;
    TPoint Scaled(TPoint P) const { return Point(Scaled(P.X), Scaled(P.Y)); }
    TRect Scaled(const TRect& R) const;
    // At least a pixel, so a hairline stays visible however far down the page is scaled.
    int32_t ScaledLength(int32_t V) const;
    void TakePenAndBrush(const TCanvasCall& Call);

    TCanvas& FCanvas;
    double FScale;
};

}  // namespace vex
