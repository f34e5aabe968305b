#include "dataaware/edits/wwdbcombodropdown.h"

#include <algorithm>

namespace vex {

int32_t wwDropDownHeight(int32_t Count, int32_t DropDownCount, int32_t ItemHeight) {
    const int64_t rows = std::max(0, std::min(Count, DropDownCount));
    return SaturateToInt32(rows * std::max(0, ItemHeight) + 4);
}

TRect wwDropDownBounds(const TRect& Combo, int32_t Width, int32_t Height, TSize Screen) {
    int64_t top = int64_t{Combo.Bottom} - 1;
    if (top + Height > Screen.cy) top = int64_t{Combo.Top} - Height;
    int64_t left = Combo.Left;
    if (left + Width > Screen.cx) left = int64_t{Combo.Right} - 1 - Width;
    return Rect(SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(left + Width),
                SaturateToInt32(top + Height));
}

}  // namespace vex
