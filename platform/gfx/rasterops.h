#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/canvas.h"

namespace vex {

// Ternary raster operations: bits 16-23 of a code are the truth table over pattern P (the
// destination's brush), source S and destination D, indexed by P * 4 + S * 2 + D and applied
// to every bit of the 24-bit colours. Only that byte is used; the rest of the code is the
// original's hint for its drivers.
inline constexpr TCopyMode SRCCOPY = 0x00CC0020;
inline constexpr TCopyMode SRCPAINT = 0x00EE0086;
inline constexpr TCopyMode SRCAND = 0x008800C6;
inline constexpr TCopyMode SRCINVERT = 0x00660046;
inline constexpr TCopyMode SRCERASE = 0x00440328;
inline constexpr TCopyMode NOTSRCCOPY = 0x00330008;
inline constexpr TCopyMode NOTSRCERASE = 0x001100A6;
inline constexpr TCopyMode MERGECOPY = 0x00C000CA;
inline constexpr TCopyMode MERGEPAINT = 0x00BB0226;
inline constexpr TCopyMode PATCOPY = 0x00F00021;
inline constexpr TCopyMode PATPAINT = 0x00FB0A09;
inline constexpr TCopyMode PATINVERT = 0x005A0049;
inline constexpr TCopyMode DSTINVERT = 0x00550009;
inline constexpr TCopyMode BLACKNESS = 0x00000042;
inline constexpr TCopyMode WHITENESS = 0x00FF0062;
// The brush where the source is white, the destination where it is black.
inline constexpr TCopyMode ROP_DSPDxax = 0x00E20746;

// The operation on one pixel's colour bits.
uint32_t ApplyRop3(TCopyMode Rop, uint32_t P, uint32_t S, uint32_t D);
bool RopUsesSource(TCopyMode Rop);

// Coordinates are each canvas's own logical ones (its mapping and origin apply; under the
// metric mode the area is normalised, so it never comes out mirrored); only the destination's
// clip limits what is written, and source pixels outside the source bitmap leave the
// destination alone.
// Between a monochrome and a colour bitmap, a colour source pixel of the source's BkColor is
// white and any other black; a monochrome source's black is the destination's TextColor and
// its white the destination's BkColor. Source and destination may be the same canvas, even
// overlapping: every pixel is read before any is written. False for a null canvas, or a null
// source with an operation that needs one.
bool BitBlt(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, HDC Src, int32_t XSrc,
            int32_t YSrc, TCopyMode Rop);
// Nearest pixel. A negative size runs from X (or Y) the other way, so X is then the rightmost
// column; when the signs of the two widths (heights) differ the picture is mirrored.
bool StretchBlt(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, HDC Src,
                int32_t XSrc, int32_t YSrc, int32_t WidthSrc, int32_t HeightSrc, TCopyMode Rop);
bool PatBlt(HDC Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height, TCopyMode Rop);

// What the canvas's Draw methods copy from: a bitmap addressed in its own coordinates, with
// the pixels that are left out (white in Mask, or TransparentPixel) or take the brush instead
// of going through the operation (BrushPixel). Pixels are 0x00RRGGBB.
struct TBlitSource {
    const TBitmap* Bitmap = nullptr;
    TColor BkColor = clWhite;
    const TBitmap* Mask = nullptr;
    std::optional<uint32_t> TransparentPixel;
    std::optional<uint32_t> BrushPixel;
};

// The copy itself, at the destination's device coordinates.
bool StretchRaster(TCanvas& Dest, int32_t X, int32_t Y, int32_t Width, int32_t Height,
                   const TBlitSource& Src, int32_t XSrc, int32_t YSrc, int32_t WidthSrc,
                   int32_t HeightSrc, TCopyMode Rop);

}  // namespace vex
