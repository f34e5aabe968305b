#pragma once

#include <string>

#include "platform/gfx/bitmap.h"

namespace vex {

// The small glyphs of the calendar and the date edit, by their resource names: ESLEFTARROW,
// ESRIGHTARROW, ESLEFTARROWS, ESRIGHTARROWS, ESTODAY and ESSMALLDOWNARROW. They are black on
// olive, the bottom-left pixel's colour, which a button leaves transparent. An unknown name
// raises EResNotFound, as loading a missing bitmap resource does.
void LoadEsGlyph(TBitmap& Bitmap, const std::string& Name);

}  // namespace vex
