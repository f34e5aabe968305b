#pragma once

#include <cstdint>

#include "platform/core/geometry.h"

namespace vex {

// Where a drop-down Width by Height opens for an edit EditHeight high whose lower left corner (less
// two pixels each way) is Below, in screen coordinates: below the edit, or above it when it
// would reach the bottom of WorkArea; moved left to end a pixel before WorkArea's right edge
// when it would reach that.
TPoint PlacePopup(TPoint Below, int32_t EditHeight, int32_t Width, int32_t Height,
                  const TRect& WorkArea);

}  // namespace vex
