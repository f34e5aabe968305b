#pragma once

#include <cstdint>

#include "platform/gfx/bitmap.h"

namespace vex {

// Points Bitmap, which a canvas draws on, at other rows (Pixels null: at none) in its place: a
// new bitmap object in the storage of the old one, so the canvas's reference to its bitmap
// refers to the new one (same type, same storage). A canvas over a window's pixels is thus
// pointed at them again, or at nothing, when the window's pixels move. Arguments a view refuses
// raise EInvalidGraphic and leave Bitmap viewing nothing.
void RetargetBitmap(TBitmap& Bitmap, uint32_t* Pixels, int32_t Width, int32_t Height,
                    int32_t Stride);

}  // namespace vex
