#pragma once

#include "platform/core/geometry.h"
#include "platform/ui/formtypes.h"

namespace vex {

// What a form is placed against.
struct TPlacementSpace {
    TRect Screen;
    TRect WorkArea;
    // The form a centring position centres on (main or owner form); empty when there is none,
    // and the screen is taken instead.
    TRect Anchor;
    // How many forms took a default place before, for the cascade.
    int Cascade = 0;
};

// The screen and work area of Screen(), with no anchor.
TPlacementSpace ScreenPlacementSpace();

// Where a form of the given bounds goes for Position: centred ones are kept inside the work
// area at their top-left corner, the default ones cascade down the work area from its corner
// with three quarters of its size.
TRect PlaceForm(TPosition Position, const TRect& Bounds, const TPlacementSpace& Space);

// A default placement moves or sizes the form only when it is first shown.
inline bool IsDefaultPlacement(TPosition Position) {
    return Position == poDefault || Position == poDefaultPosOnly || Position == poDefaultSizeOnly;
}

}  // namespace vex
