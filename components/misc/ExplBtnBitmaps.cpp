#include "components/misc/ExplBtnBitmaps.h"

#include <algorithm>

#include "platform/gfx/brush.h"
#include "platform/gfx/rasterops.h"

namespace vex {

namespace {

struct TThresholds {
    int T1, T2, T3;
};

TThresholds ThresholdsOf(TExplorerButtonShadingType Shading) {
    switch (Shading) {
        case stLight:
            return {205, 127, 68};
        case stDark:
            return {335, 274, 175};
        case stMedium:
            break;
    }
    return {553, 231, 57};
}

int Brightness(uint32_t Pixel) {
    return static_cast<int>(((Pixel >> 16) & 0xFF) + ((Pixel >> 8) & 0xFF) + (Pixel & 0xFF));
}

// The pixels the face shows: the whole bitmap, or its top-left 16 by 16 (cut to what it has).
TRect SourceRectOf(const TBitmap& Bitmap, TExplorerButtonButtonSize Size) {
    if (Size == bsCustom) return Rect(0, 0, Bitmap.Width(), Bitmap.Height());
    return Rect(0, 0, std::min(Bitmap.Width(), 16), std::min(Bitmap.Height(), 16));
}

uint32_t BackgroundPixel(const TBitmap& Bitmap) {
    return Bitmap.ScanLine(0)[0] & 0xFFFFFF;
}

// Copies the pixels the face shows at the size it shows them.
void ShownPicture(const TBitmap& Bitmap, TExplorerButtonButtonSize Size, TBitmap& Picture) {
    const TRect source = SourceRectOf(Bitmap, Size);
    const int scale = Size == bsLarge ? 2 : 1;
    Picture.SetSize(source.Right * scale, source.Bottom * scale);
    for (int32_t y = 0; y < Picture.Height(); ++y) {
        const uint32_t* from = Bitmap.ScanLine(y / scale);
        uint32_t* to = Picture.ScanLine(y);
        for (int32_t x = 0; x < Picture.Width(); ++x)
            to[x] = from[x / scale];
    }
}

}  // namespace

void MakeDimmedBitmap(const TBitmap& Source, TExplorerButtonShadingType Shading, TBitmap& Dest) {
    Dest.Assign(&Source);
    if (Source.Empty()) return;
    const TThresholds t = ThresholdsOf(Shading);
    const uint32_t background = BackgroundPixel(Source);
    const uint32_t white = 0xFFFFFF, highlight = ColorToPixel(clBtnHighlight),
                   shadow = ColorToPixel(clBtnShadow), black = 0;
    for (int32_t y = 0; y < Dest.Height(); ++y) {
        uint32_t* row = Dest.ScanLine(y);
        for (int32_t x = 0; x < Dest.Width(); ++x) {
            const uint32_t pixel = row[x] & 0xFFFFFF;
            if (pixel == background) continue;
            const int s = Brightness(pixel);
            row[x] = s > t.T1 ? white : s > t.T2 ? highlight : s > t.T3 ? shadow : black;
        }
    }
}

TSize ShownBitmapSize(const TBitmap& Bitmap, TExplorerButtonButtonSize Size) {
    if (Bitmap.Empty()) return {};
    switch (Size) {
        case bsSmall:
            return {16, 16};
        case bsLarge:
            return {32, 32};
        case bsCustom:
            break;
    }
    return {Bitmap.Width(), Bitmap.Height()};
}

void DrawFaceBitmap(TCanvas& Canvas, int32_t X, int32_t Y, const TBitmap& Bitmap,
                    TExplorerButtonButtonSize Size) {
    if (Bitmap.Empty()) return;
    TBitmap picture;
    ShownPicture(Bitmap, Size, picture);
    TBlitSource source;
    source.Bitmap = &picture;
    source.TransparentPixel = BackgroundPixel(Bitmap);
    StretchRaster(Canvas, X, Y, picture.Width(), picture.Height(), source, 0, 0, picture.Width(),
                  picture.Height(), SRCCOPY);
}

void DrawDisabledBitmap(TCanvas& Canvas, int32_t X, int32_t Y, const TBitmap& Bitmap,
                        TExplorerButtonButtonSize Size) {
    if (Bitmap.Empty()) return;
    TBitmap mask;
    ShownPicture(Bitmap, Size, mask);
    // White and the background stay out of the silhouette, so a picture's light parts keep
    // the shape readable.
    const uint32_t background = BackgroundPixel(Bitmap);
    for (int32_t y = 0; y < mask.Height(); ++y) {
        uint32_t* row = mask.ScanLine(y);
        for (int32_t x = 0; x < mask.Width(); ++x) {
            const uint32_t pixel = row[x] & 0xFFFFFF;
            row[x] = pixel == background || pixel == 0xFFFFFF ? 0xFFFFFF : 0;
        }
    }
    mask.Canvas().SetBkColor(clWhite);
    mask.SetMonochrome(true);
    const TColor savedText = Canvas.TextColor(), savedBk = Canvas.BkColor();
    const TColor savedBrush = Canvas.Brush().Color();
    // The mask's black takes the text colour: white there lets the brush through.
    Canvas.SetTextColor(clWhite);
    Canvas.SetBkColor(clBlack);
    const auto stamp = [&](TColor Colour, int32_t Offset) {
        Canvas.Brush().SetColor(Colour);
        BitBlt(Canvas.Handle(), X + Offset, Y + Offset, mask.Width(), mask.Height(),
               mask.Canvas().Handle(), 0, 0, ROP_DSPDxax);
    };
    stamp(clBtnHighlight, 1);
    stamp(clBtnShadow, 0);
    Canvas.Brush().SetColor(savedBrush);
    Canvas.SetTextColor(savedText);
    Canvas.SetBkColor(savedBk);
}

}  // namespace vex
