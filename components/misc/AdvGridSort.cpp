#include "components/misc/AdvGrid.h"

namespace vex {

void TAdvStringGrid::HeaderClickSort(int32_t, int32_t) {}

void TAdvStringGrid::SortRows() {}

}  // namespace vex
