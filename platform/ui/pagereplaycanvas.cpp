#include "platform/ui/pagereplaycanvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fontengine.h"
#include "platform/gfx/rasterops.h"

namespace vex {

int32_t TCanvasPageTarget::Scaled(int32_t V) const {
    return SaturateToInt32(std::llround(V * FScale));
}

TRect TCanvasPageTarget::Scaled(const TRect& R) const {
    return Rect(Scaled(R.Left), Scaled(R.Top), Scaled(R.Right), Scaled(R.Bottom));
}

int32_t TCanvasPageTarget::ScaledLength(int32_t V) const {
    return std::max(1, Scaled(V));
}

void TCanvasPageTarget::TakePenAndBrush(const TCanvasCall& Call) {
    FCanvas.Pen().SetColor(Call.PenColor == clNone ? clBlack : Call.PenColor);
    FCanvas.Pen().SetStyle(Call.PenColor == clNone ? psClear : Call.PenStyle);
    FCanvas.Pen().SetWidth(ScaledLength(Call.PenWidth));
    FCanvas.Pen().SetMode(pmCopy);
    const bool brush = Call.BrushStyle != bsClear && Call.BrushColor != clNone;
    FCanvas.Brush().SetColor(brush ? Call.BrushColor : clWhite);
    FCanvas.Brush().SetStyle(brush ? bsSolid : bsClear);
}

void TCanvasPageTarget::Clip(const std::optional<TRegion>& Region) {
    if (!Region) {
        FCanvas.SelectClipRgn(nullptr);
        return;
    }
    std::vector<TRect> rects;
    for (const TRect& r : Region->Rects())
        rects.push_back(Scaled(r));
    const TRegion scaled = TRegion::OfRects(rects);
    FCanvas.SelectClipRgn(&scaled);
}

void TCanvasPageTarget::Lines(const TCanvasCall& Call, bool Closed) {
    TakePenAndBrush(Call);
    std::vector<TPoint> points;
    points.reserve(Call.Points.size());
    for (TPoint p : Call.Points)
        points.push_back(Scaled(p));
    if (Closed)
        FCanvas.Polygon(points);
    else
        FCanvas.Polyline(points);
}

void TCanvasPageTarget::Shape(const TCanvasCall& Call) {
    TakePenAndBrush(Call);
    const TRect r = Scaled(Call.Rects[0]);
    if (Call.Name == "Ellipse") {
        FCanvas.Ellipse(r);
    } else if (Call.Name == "RoundRect" && Call.Points.size() == 1) {
        FCanvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, Scaled(Call.Points[0].X),
                          Scaled(Call.Points[0].Y));
    } else {
        FCanvas.Rectangle(r);
    }
}

void TCanvasPageTarget::Fill(const TRect& R, TColor Color) {
    TRect r = Scaled(R);
    // A pixel or a hairline of the page is a pixel here, not nothing.
    if (r.Right == r.Left) r.Right = r.Left + 1;
    if (r.Bottom == r.Top) r.Bottom = r.Top + 1;
    TBrush brush;
    brush.SetColor(Color);
    FCanvas.FillRect(r, brush);
}

void TCanvasPageTarget::Text(const TCanvasCall& Call) {
    TFont& font = FCanvas.Font();
    font.SetName(Call.FontName);
    font.SetStyle(Call.FontStyle);
    font.SetOrientation(Call.Escapement);
    font.SetHeight(-ScaledLength(Call.Face->PixelSize()));
    // After the font, whose change takes its colour.
    FCanvas.SetTextColor(Call.TextColor);
    FCanvas.SetBkTransparent(Call.BkColor == clNone);
    if (Call.BkColor != clNone) FCanvas.SetBkColor(Call.BkColor);
    FCanvas.SetTextAlign(Call.TextAlign & ~TA_UPDATECP);
    const TPoint at = Scaled(Call.Points[0]);
    if (Call.Rects.empty()) {
        FCanvas.ExtTextOut(at.X, at.Y, Call.Flags, nullptr, Call.Text);
    } else {
        const TRect r = Scaled(Call.Rects[0]);
        FCanvas.ExtTextOut(at.X, at.Y, Call.Flags, &r, Call.Text);
    }
}

void TCanvasPageTarget::Picture(const TRect& Dest, const TPixelImage& Picture) {
    TBitmap bitmap;
    bitmap.SetSize(Picture.Width, Picture.Height);
    // The pixels left out become a colour the picture does not use, which the draw leaves out.
    const bool masked = std::any_of(Picture.Pixels.begin(), Picture.Pixels.end(),
                                    [](uint32_t P) { return (P >> 24) == 0; });
    uint32_t key = 0xFF00FF;
    if (masked) {
        // A picture of N pixels has at most N colours, so one of the N + 1 colours from the key
        // on is free: one bit each for those, and a small picture costs little.
        const size_t candidates = std::min(Picture.Pixels.size() + 1, size_t{1} << 24);
        std::vector<bool> used(candidates);
        for (uint32_t p : Picture.Pixels) {
            const size_t offset = (p - key) & 0xFFFFFF;
            if ((p >> 24) && offset < candidates) used[offset] = true;
        }
        // A picture of every colour has no such colour; its left-out pixels then show as one.
        const auto free =
            static_cast<size_t>(std::find(used.begin(), used.end(), false) - used.begin());
        if (free < candidates) key = (key + static_cast<uint32_t>(free)) & 0xFFFFFF;
    }
    for (int32_t y = 0; y < Picture.Height; ++y) {
        uint32_t* row = bitmap.ScanLine(y);
        const uint32_t* from = Picture.Pixels.data() + static_cast<size_t>(y) * Picture.Width;
        for (int32_t x = 0; x < Picture.Width; ++x)
            row[x] = (from[x] >> 24) ? from[x] & 0xFFFFFF : key;
    }
    if (masked) {
        bitmap.SetTransparentColor(PixelToColor(key));
        bitmap.SetTransparent(true);
    }
    FCanvas.SetCopyMode(SRCCOPY);
    FCanvas.StretchDraw(Scaled(Dest), bitmap);
}

}  // namespace vex
