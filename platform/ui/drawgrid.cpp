#include "platform/ui/drawgrid.h"

namespace vex {

void TDrawGrid::DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int32_t ACol, int32_t ARow) {
    bool canSelect = TCustomGrid::SelectCell(ACol, ARow);
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

std::string TDrawGrid::GetEditText(int32_t ACol, int32_t ARow) {
    std::string value = TCustomGrid::GetEditText(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TDrawGrid::SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) {
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TDrawGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex) {
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int32_t FromIndex, int32_t ToIndex) {
    TCustomGrid::RowMoved(FromIndex, ToIndex);
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

}  // namespace vex
