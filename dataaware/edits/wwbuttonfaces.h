#pragma once

#include <cstdint>

#include "platform/gfx/canvas.h"
#include "platform/ui/buttonglyph.h"

namespace vex {

// Bit of the face flags that keeps a pressed button raised: a grid drawing its cell buttons in
// one look whatever their state sets it.
inline constexpr uint8_t wwFaceKeepRaised = 0x80;

// Both faces stay inside Rect whatever its size: a grid draws its cell buttons straight on its
// own canvas, where anything beyond would land on a neighbouring cell.

// A raised button with three dots; a button that is down (State bsDown) without
// wwFaceKeepRaised shows a flat edge and its dots one pixel right and down.
void wwDrawEllipsisButton(TCanvas& Canvas, const TRect& Rect, TButtonState State, uint8_t Flags);
// The combo box's drop-down button in the classic look: flat and pushed while Down (unless
// wwFaceKeepRaised), greyed when not Enabled.
void wwDrawComboButton(TCanvas& Canvas, const TRect& Rect, bool Down, uint8_t Flags, bool Enabled);
// An outline in the highlight colour with a focus rectangle on it; the canvas's brush style and
// pen colour are kept, its text colour becomes the highlight colour.
void wwDrawHighlightFrame(TCanvas& Canvas, const TRect& Rect);

}  // namespace vex
