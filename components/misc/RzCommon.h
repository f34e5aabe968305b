#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/core/set.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"

namespace vex {

// The frame styles of the raised and recessed labels, drawn by DrawBorder.
enum TFrameStyle {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup
};

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide, 4>;

// The routines draw lines with the canvas's pen, whose colour they set (DrawBevel its width
// too) and leave as they set it. Each answers the rectangle inside what it drew: Bounds shrunk by
// one pixel a line on each chosen side. An empty rectangle gets no lines, only the answer.

// Left and top in ULColor, right and bottom in LRColor, each along the whole side it is on;
// the right and bottom lines own the corners they share with the others.
TRect DrawSides(TCanvas& Canvas, const TRect& Bounds, TColor ULColor, TSides Sides, TColor LRColor);
// DrawSides Width times, each inside the last, with a pen one pixel wide.
TRect DrawBevel(TCanvas& Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, int32_t Width,
                TSides Sides);
// The frame of a style in the system colours: one line for flat, status and popup frames, two
// for the others. A groove is etched (a highlight line one pixel right of and below a shadow
// line) and a bump the same the other way round; their corner pixels join lines that stop at
// an undrawn side.
TRect DrawBorder(TCanvas& Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides);

// A new font like Font with its text turned Angle degrees counter-clockwise; the caller owns
// it (DeleteObject, or TFont::SetHandle to hand it to a font).
HFONT CreateRotatedFont(const TFont& Font, int32_t Angle);

}  // namespace vex
