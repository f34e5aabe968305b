#pragma once

#include <cstdint>
#include <string>

#include "platform/core/geometry.h"
#include "platform/gfx/canvas.h"

namespace vex {

// The look the push buttons share: the face with its edges, and the caption on it.

// Lines along the top and left of R in TopLeft and along the bottom and right (with their
// corners) in BottomRight, Width of each, inward; answers what is inside them.
TRect DrawBevelLines(TCanvas& Canvas, TRect R, TColor TopLeft, TColor BottomRight, int32_t Width);

// The face of a push button: a raised edge, pressed a flat shadow, and the thick frame of the
// button Enter presses. Answers the face inside the lines.
TRect DrawPushButtonFace(TCanvas& Canvas, const TRect& Client, bool Pressed, bool Active);

// The face of a tool button: a frame in the window-frame colour with its corners left out (so
// they show the parent), and inside it a one-pixel bevel, raised or, down, a flat shadow
// along the top and left. Answers the face inside the lines.
TRect DrawRoundedButtonFace(TCanvas& Canvas, const TRect& Client, bool IsDown);

// The face of a flat tool button: nothing while it is up and cold, a thin raised edge while the
// mouse is over it, a thin sunken one while it is down.
TRect DrawFlatButtonFace(TCanvas& Canvas, const TRect& Client, bool IsDown, bool IsHot);

// Fills Face in the face and highlight colours checkered, as a latched button shows it.
void DrawLatchedFace(TCanvas& Canvas, const TRect& Face);

// Draws Text by DrawText's Flags in the canvas's font; disabled, etched (a highlight copy down
// and right, the shadow over it), as disabled captions are.
void DrawButtonCaption(TCanvas& Canvas, const std::string& Text, TRect Rect, uint32_t Flags,
                       bool Enabled);

}  // namespace vex
