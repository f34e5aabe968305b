#pragma once

#include <cstdint>
#include <functional>

#include "platform/core/geometry.h"
#include "platform/core/set.h"

namespace vex {

class TWinControl;

// What an item drawn by its owner is at the moment it is drawn.
enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odComboBoxEdit  // the face of a drop-down list, not a row of its list
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem, 8>;

// Draws item Index in Rect on the control's canvas.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int32_t Index, TRect Rect, TOwnerDrawState State)>;
// Sets the height of item Index in a list of rows of varying height.
using TMeasureItemEvent = std::function<void(TWinControl* Control, int32_t Index, int32_t& Height)>;

}  // namespace vex
