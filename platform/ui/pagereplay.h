#pragma once

#include <optional>

#include "platform/core/region.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/ui/printerdevice.h"

namespace vex {

// Where a replay puts a printed page: a surface that draws in the page's device pixels. The
// replay hands it only what has a meaning on paper, already decided (see ReplayPage), so that
// every back end prints the same marks.
class TPageTarget {
public:
    virtual ~TPageTarget() = default;
    // The drawing code's clip for the calls that follow, in the page's pixels; none: the page.
    virtual void Clip(const std::optional<TRegion>& Region) = 0;
    // LineTo and Polyline (open, pen only), Polygon (closed, brush then pen): Call.Points.
    virtual void Lines(const TCanvasCall& Call, bool Closed) = 0;
    // Rectangle, Ellipse and RoundRect, by Call.Name, over Call.Rects[0].
    virtual void Shape(const TCanvasCall& Call) = 0;
    virtual void Fill(const TRect& R, TColor Color) = 0;
    // ExtTextOut as the call made it: Points[0], Flags, Rects[0] when given, Face, TextAlign.
    virtual void Text(const TCanvasCall& Call) = 0;
    // Picture stretched over Dest; its alpha 0 pixels leave the page as it was.
    virtual void Picture(const TRect& Dest, const TPixelImage& Picture) = 0;
};

// Replays Page's primitives in order onto Target. What only means something on a screen is
// left out, the same on every device, so a PDF and its PNG pages print the same marks:
// lines and outlines in an inverting pen mode (pmNot, pmXor: there is nothing under them to
// invert on a sheet; a shape's brush still prints), DrawFocusRect (an inverted dotted frame),
// and copies whose raster operation is neither a plain copy of a picture nor one that paints a
// known colour (PATCOPY: the brush, BLACKNESS, WHITENESS). A patterned brush prints in its
// colour, and an opaque text box drawn with the background transparent (whose colour the record
// does not keep) prints without its box. Calls that name something the target cannot show (a
// picture without pixels, a shape without its rectangle) are skipped rather than guessed at.
void ReplayPage(const TPrintedPage& Page, TPageTarget& Target);

}  // namespace vex
