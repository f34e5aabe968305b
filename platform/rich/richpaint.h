#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/gfx/colors.h"

namespace vex {

class TCanvas;
class TRichLayout;
class TRichLinks;

struct TRichPaintOptions {
    // The selection shown, [SelStart, SelEnd); nothing when they are equal or ShowSelection is
    // off (HideSelection without the focus).
    int32_t SelStart = 0;
    int32_t SelEnd = 0;
    bool ShowSelection = false;
    // Each painted line's band is filled with this first, unless clNone.
    TColor Background = clWindow;
    // Text whose format has no colour of its own.
    TColor AutoText = clWindowText;
    const TRichLinks* Links = nullptr;  // underlined when given
};

// Paints lines First to Last of Layout with the layout's (0, 0) at Origin on Canvas: runs in
// their fonts and colours, underline and strike-out, bullets, object boxes, the selection.
// Lines outside the canvas's clip are skipped, so a caller may pass every line.
void PaintRichLines(TCanvas& Canvas, const TRichLayout& Layout, TPoint Origin, int32_t First,
                    int32_t Last, const TRichPaintOptions& Options);

}  // namespace vex
