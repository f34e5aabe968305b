#include "components/misc/AdvGrid.h"

namespace vex {

bool TAdvStringGrid::KeepsColumnWidths() const {
    return false;
}

void TAdvStringGrid::ReadColumnWidths() {}

void TAdvStringGrid::WriteColumnWidths() {}

}  // namespace vex
