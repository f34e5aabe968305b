#include <algorithm>
#include <cstdint>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/icon.h"
#include "platform/gfx/rasterops.h"

namespace vex {

namespace {

int32_t Span(int32_t From, int32_t To) {
    return SaturateToInt32(int64_t{To} - From);
}

// The original's Draw and StretchDraw of a bitmap: its TransparentColor left out when it is
// transparent, otherwise combined through the canvas's CopyMode. R is logical.
void DrawBitmap(TCanvas& Canvas, const TRect& Logical, const TBitmap& Graphic) {
    if (Graphic.Empty()) return;
    const TRect R = Canvas.LPtoDP(Logical);
    TBlitSource source;
    source.Bitmap = &Graphic;
    TCopyMode rop = Canvas.CopyMode();
    if (Graphic.Transparent()) {
        source.TransparentPixel = ColorToPixel(Graphic.TransparentColor());
        rop = SRCCOPY;
    }
    StretchRaster(Canvas, R.Left, R.Top, Span(R.Left, R.Right), Span(R.Top, R.Bottom), source, 0, 0,
                  Graphic.Width(), Graphic.Height(), rop);
}

void DrawIcon(TCanvas& Canvas, const TRect& Logical, const TIcon& Graphic) {
    if (Graphic.Empty()) return;
    const TRect R = Canvas.LPtoDP(Logical);
    TBlitSource source;
    source.Bitmap = &Graphic.Image();
    source.Mask = &Graphic.Mask();
    StretchRaster(Canvas, R.Left, R.Top, Span(R.Left, R.Right), Span(R.Top, R.Bottom), source, 0, 0,
                  Graphic.Width(), Graphic.Height(), SRCCOPY);
}

// Where a picture drawn at (X, Y) lies: its top-left corner there, its size in logical units
// going right and down the page.
TRect At(const TCanvas& Canvas, int32_t X, int32_t Y, int32_t Width, int32_t Height) {
    const int64_t down = Canvas.Mapped() ? Canvas.Mapping().DownY() : 1;
    return Rect(X, Y, SaturateToInt32(int64_t{X} + Width),
                SaturateToInt32(int64_t{Y} + down * Height));
}

}  // namespace

void TCanvas::CopyRect(const TRect& Dest, TCanvas& Canvas, const TRect& Source) {
    const TRecordedCall call(*this, "CopyRect", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, Dest), OnDevice(Canvas, Source)};
        C.Flags = FCopyMode;
    });
    StretchBlt(this, Dest.Left, Dest.Top, Span(Dest.Left, Dest.Right), Span(Dest.Top, Dest.Bottom),
               &Canvas, Source.Left, Source.Top, Span(Source.Left, Source.Right),
               Span(Source.Top, Source.Bottom), FCopyMode);
}

void TCanvas::Draw(int32_t X, int32_t Y, const TBitmap& Graphic) {
    const TRect at = At(*this, X, Y, Graphic.Width(), Graphic.Height());
    const TRecordedCall call(*this, "Draw",
                             [&](TCanvasCall& C) { C.Rects = {OnDevice(*this, at)}; });
    DrawBitmap(*this, at, Graphic);
}

void TCanvas::Draw(int32_t X, int32_t Y, const TIcon& Graphic) {
    const TRect at = At(*this, X, Y, Graphic.Width(), Graphic.Height());
    const TRecordedCall call(*this, "Draw",
                             [&](TCanvasCall& C) { C.Rects = {OnDevice(*this, at)}; });
    DrawIcon(*this, at, Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, const TBitmap& Graphic) {
    const TRecordedCall call(*this, "StretchDraw",
                             [&](TCanvasCall& C) { C.Rects = {OnDevice(*this, Rect)}; });
    DrawBitmap(*this, Rect, Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, const TIcon& Graphic) {
    const TRecordedCall call(*this, "StretchDraw",
                             [&](TCanvasCall& C) { C.Rects = {OnDevice(*this, Rect)}; });
    DrawIcon(*this, Rect, Graphic);
}

void TCanvas::BrushCopy(const TRect& Dest, const TBitmap& Bitmap, const TRect& Source,
                        TColor Color) {
    const TRecordedCall call(*this, "BrushCopy", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, Dest), Source};
        C.Color = Color;
    });
    TBlitSource source;
    source.Bitmap = &Bitmap;
    source.BrushPixel = ColorToPixel(Color);
    const TRect d = LPtoDP(Dest);
    StretchRaster(*this, d.Left, d.Top, Span(d.Left, d.Right), Span(d.Top, d.Bottom), source,
                  Source.Left, Source.Top, Span(Source.Left, Source.Right),
                  Span(Source.Top, Source.Bottom), SRCCOPY);
}

}  // namespace vex
