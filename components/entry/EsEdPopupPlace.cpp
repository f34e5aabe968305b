#include "components/entry/EsEdPopupPlace.h"

#include <algorithm>

namespace vex {

TPoint PlacePopup(TPoint Below, int32_t EditHeight, int32_t Width, int32_t Height,
                  const TRect& WorkArea) {
    TPoint at = Below;
    if (at.Y + Height >= WorkArea.Bottom) at.Y = at.Y - Height - EditHeight - 2;
    if (at.X + Width >= WorkArea.Right) at.X = WorkArea.Right - Width - 1;
    // Where neither side has room, its top left corner, with the dates and the month buttons,
    // stays on the work area.
    at.X = std::max(at.X, WorkArea.Left);
    at.Y = std::max(at.Y, WorkArea.Top);
    return at;
}

}  // namespace vex
