#include "components/entry/EsEdPopupPlace.h"

#include <algorithm>
#include <cstdint>

namespace vex {

TPoint PlacePopup(TPoint Below, int32_t EditHeight, int32_t Width, int32_t Height,
                  const TRect& WorkArea) {
    // The sizes are the program's: reckoned in 64 bits, none of the sums overflows.
    int64_t x = Below.X, y = Below.Y;
    if (y + Height >= WorkArea.Bottom) y = y - Height - EditHeight - 2;
    if (x + Width >= WorkArea.Right) x = int64_t{WorkArea.Right} - Width - 1;
    // Where neither side has room, its top left corner, with the dates and the month buttons,
    // stays on the work area.
    x = std::max<int64_t>(x, WorkArea.Left);
    y = std::max<int64_t>(y, WorkArea.Top);
    return Point(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

}  // namespace vex
