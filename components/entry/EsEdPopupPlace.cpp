#include "components/entry/EsEdPopupPlace.h"

namespace vex {

TPoint PlacePopup(TPoint Below, int32_t EditHeight, int32_t Width, int32_t Height,
                  const TRect& WorkArea) {
    TPoint at = Below;
    if (at.Y + Height >= WorkArea.Bottom) at.Y = at.Y - Height - EditHeight - 2;
    if (at.X + Width >= WorkArea.Right) at.X = WorkArea.Right - Width - 1;
    return at;
}

}  // namespace vex
