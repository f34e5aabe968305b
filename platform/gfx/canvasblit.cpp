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
// transparent, otherwise combined through the canvas's CopyMode.
TBlitSource BitmapSource(const TCanvas& Canvas, const TBitmap& Graphic, TCopyMode& Rop) {
    TBlitSource source;
    source.Bitmap = &Graphic;
    Rop = Canvas.CopyMode();
    if (Graphic.Transparent()) {
        source.TransparentPixel = ColorToPixel(Graphic.TransparentColor());
        Rop = SRCCOPY;
    }
    return source;
}

TBlitSource IconSource(const TIcon& Graphic) {
    TBlitSource source;
    source.Bitmap = &Graphic.Image();
    source.Mask = &Graphic.Mask();
    return source;
}

// R is logical.
void DrawPicture(TCanvas& Canvas, const TRect& Logical, const TBlitSource& Source, int32_t Width,
                 int32_t Height, TCopyMode Rop) {
    if (Width == 0 || Height == 0) return;
    const TRect R = Canvas.LPtoDP(Logical);
    StretchRaster(Canvas, R.Left, R.Top, Span(R.Left, R.Right), Span(R.Top, R.Bottom), Source, 0, 0,
                  Width, Height, Rop);
}

// A replay draws the picture from the call alone: its pixels, and the operation when it is not
// a plain copy.
void KeepPicture(const TCanvas& Canvas, TCanvasCall& Call, const TBlitSource& Source, int32_t Width,
                 int32_t Height, TCopyMode Rop) {
    if (Rop != SRCCOPY) Call.Flags = Rop;
    if (TCanvasRecorder::KeepsPictures(Canvas))
        Call.Picture = RecordedPicture(Source, Rect(0, 0, Width, Height));
}

void DrawBitmapAt(TCanvas& Canvas, const char* Name, const TRect& Logical, const TBitmap& Graphic) {
    TCopyMode rop = SRCCOPY;
    const TBlitSource source = BitmapSource(Canvas, Graphic, rop);
    const TRecordedCall call(Canvas, Name, [&](TCanvasCall& C) {
        C.Rects = {OnDevice(Canvas, Logical)};
        KeepPicture(Canvas, C, source, Graphic.Width(), Graphic.Height(), rop);
    });
    DrawPicture(Canvas, Logical, source, Graphic.Width(), Graphic.Height(), rop);
}

void DrawIconAt(TCanvas& Canvas, const char* Name, const TRect& Logical, const TIcon& Graphic) {
    const TBlitSource source = IconSource(Graphic);
    const TRecordedCall call(Canvas, Name, [&](TCanvasCall& C) {
        C.Rects = {OnDevice(Canvas, Logical)};
        KeepPicture(Canvas, C, source, Graphic.Width(), Graphic.Height(), SRCCOPY);
    });
    DrawPicture(Canvas, Logical, source, Graphic.Width(), Graphic.Height(), SRCCOPY);
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
    DrawBitmapAt(*this, "Draw", At(*this, X, Y, Graphic.Width(), Graphic.Height()), Graphic);
}

void TCanvas::Draw(int32_t X, int32_t Y, const TIcon& Graphic) {
    DrawIconAt(*this, "Draw", At(*this, X, Y, Graphic.Width(), Graphic.Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, const TBitmap& Graphic) {
    DrawBitmapAt(*this, "StretchDraw", Rect, Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, const TIcon& Graphic) {
    DrawIconAt(*this, "StretchDraw", Rect, Graphic);
}

void TCanvas::BrushCopy(const TRect& Dest, const TBitmap& Bitmap, const TRect& Source,
                        TColor Color) {
    TBlitSource source;
    source.Bitmap = &Bitmap;
    source.BrushPixel = ColorToPixel(Color);
    const TRecordedCall call(*this, "BrushCopy", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, Dest), Source};
        C.Color = Color;
        if (TCanvasRecorder::KeepsPictures(*this)) RecordCopiedPicture(C, source, FBrush.Color());
    });
    const TRect d = LPtoDP(Dest);
    StretchRaster(*this, d.Left, d.Top, Span(d.Left, d.Right), Span(d.Top, d.Bottom), source,
                  Source.Left, Source.Top, Span(Source.Left, Source.Right),
                  Span(Source.Top, Source.Bottom), SRCCOPY);
}

}  // namespace vex
