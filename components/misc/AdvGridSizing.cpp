#include "components/misc/AdvGrid.h"

namespace vex {

void TColumnSize::SetStretch(bool Value) {
    FStretch = Value;
}

}  // namespace vex
