#pragma once

#include <vector>

#include "platform/core/geometry.h"
#include "platform/ui/control.h"

namespace vex {

// Places the aligned controls of Controls (a parent's children, bottom to top) within Rect,
// side by side: the alTop ones first, from the top down, then alBottom, alLeft, alRight and
// finally alClient over what is left; Rect ends as the area nobody took. Along a side the
// controls go by their edges (tops, lowest bottoms, lefts, rightmost rights first); of two at
// the same place the one met first goes first on the top and left and last on the bottom and
// right, and Moved (a control just moved by hand) is met before all others. A control that
// refuses the size it is given (its SetBounds keeps another) takes the room it kept; one with
// no room left keeps its own size. A control that a resize handler frees meanwhile is skipped;
// invisible controls and those aligned alNone are left where they are.
void AlignControlList(const std::vector<TControl*>& Controls, TControl* Moved, TRect& Rect);

}  // namespace vex
