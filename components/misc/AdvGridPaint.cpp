#include "components/misc/AdvGrid.h"

namespace vex {

void TAdvStringGrid::Paint() {
    TStringGrid::Paint();
}

void TAdvStringGrid::DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) {
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
}

}  // namespace vex
