#include "components/misc/AdvGrid.h"

namespace vex {

void TAdvStringGrid::SetAutoSize(bool Value) {
    FAutoSize = Value;
}

void TColumnSize::SetStretch(bool Value) {
    FStretch = Value;
}

}  // namespace vex
