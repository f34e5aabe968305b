#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/gfx/font.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// How a canvas turns the logical coordinates drawing is given in into device pixels.
inline constexpr int32_t MM_TEXT = 1;      // a unit is a pixel, y grows downwards
inline constexpr int32_t MM_LOMETRIC = 2;  // a unit is a tenth of a millimetre, y grows upwards

// What GetDeviceCaps answers about a canvas: its pixels per inch across and down.
inline constexpr int32_t LOGPIXELSX = 88;
inline constexpr int32_t LOGPIXELSY = 90;

// A canvas's mapping from logical coordinates to device pixels:
//   device = (logical - window origin) * scale + viewport origin,
// the scale 1 under MM_TEXT and pixels-per-inch / 254 under MM_LOMETRIC, with y negated there.
// Results are rounded to the nearest pixel (halves upwards) and kept within the 32-bit range.
// Window origins are logical, viewport origins device pixels.
class TMapping {
public:
    int32_t Mode() const { return FMode; }
    // False, and nothing changes, for a mode the canvas does not draw in.
    bool SetMode(int32_t Mode);
    TPoint WindowOrg() const { return FWindowOrg; }
    void SetWindowOrg(TPoint Value);
    TPoint ViewportOrg() const { return FViewportOrg; }
    void SetViewportOrg(TPoint Value);
    int32_t PixelsPerInchX() const { return FPixelsPerInchX; }
    int32_t PixelsPerInchY() const { return FPixelsPerInchY; }
    // Each in 1 to MaxPixelsPerInch, or EInvalidGraphicOperation and nothing changes.
    void SetPixelsPerInch(int32_t X, int32_t Y);

    // Logical and device coordinates are the same.
    bool Identity() const { return FIdentity; }
    // Lengths change between logical units and pixels: the metric mode.
    bool Scaled() const { return FMode != MM_TEXT; }
    // The logical step of y that goes one unit down the page: 1, or -1 where y grows upwards.
    int32_t DownY() const { return Scaled() ? -1 : 1; }

    TPoint ToDevice(TPoint P) const;
    std::vector<TPoint> ToDevice(const std::vector<TPoint>& Points) const;
    // Under MM_LOMETRIC the mapped rectangle is normalised, its top the higher point of the page;
    // under MM_TEXT it is moved as given.
    TRect ToDevice(const TRect& R) const;
    TPoint ToLogical(TPoint P) const;

    // Lengths without direction, for sizes, pen widths and text extents.
    int64_t WidthToDevice(int64_t Units) const;
    int64_t HeightToDevice(int64_t Units) const;
    int64_t WidthToLogical(int64_t Pixels) const;
    int64_t HeightToLogical(int64_t Pixels) const;
    // A pen Width units wide, in whole pixels and never thinner than one.
    int32_t PenWidthToDevice(int32_t Width) const;
    // The font as drawn: heights and widths in logical units become pixels; a size that is not 0
    // (the default size) stays at least one pixel.
    TLogFont FontToDevice(TLogFont Font) const;
    // A realized font's measures in logical units. Height stays Ascent + Descent and is a text
    // extent's height.
    TTextMetric MetricsToLogical(TTextMetric Metrics) const;

    // Whether lengths convert the same way under both, so that a font realized for one serves
    // the other.
    bool SameScale(const TMapping& Other) const {
        return FMode == Other.FMode && (!Scaled() || (FPixelsPerInchX == Other.FPixelsPerInchX &&
                                                      FPixelsPerInchY == Other.FPixelsPerInchY));
    }

private:
    // P taken from the space whose origin is From to the one whose origin is To, lengths
    // converted by Scale(Length, PixelsPerInch) under the metric mode.
    TPoint Move(TPoint P, TPoint From, TPoint To, int64_t (*Scale)(int64_t, int32_t)) const;
    void Update() {
        FIdentity =
            FMode == MM_TEXT && FWindowOrg.X == FViewportOrg.X && FWindowOrg.Y == FViewportOrg.Y;
    }

    int32_t FMode = MM_TEXT;
    TPoint FWindowOrg;
    TPoint FViewportOrg;
    int32_t FPixelsPerInchX = ScreenPixelsPerInch;
    int32_t FPixelsPerInchY = ScreenPixelsPerInch;
    bool FIdentity = true;
};

}  // namespace vex
