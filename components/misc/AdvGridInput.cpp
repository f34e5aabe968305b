#include "components/misc/AdvGrid.h"

namespace vex {

bool TAdvStringGrid::SelectCell(int32_t ACol, int32_t ARow) {
    return TStringGrid::SelectCell(ACol, ARow);
}

bool TAdvStringGrid::CanEditShow() {
    return TStringGrid::CanEditShow();
}

void TAdvStringGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
    TStringGrid::KeyDown(Key, Shift);
}

void TAdvStringGrid::KeyPress(char& Key) {
    TStringGrid::KeyPress(Key);
}

void TAdvStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TAdvStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    TStringGrid::MouseUp(Button, Shift, X, Y);
}

void TAdvStringGrid::DblClick() {
    TStringGrid::DblClick();
}

void TAdvStringGrid::DoEnter() {
    TStringGrid::DoEnter();
}

void TAdvStringGrid::DoExit() {
    TStringGrid::DoExit();
}

void TAdvStringGrid::EndCellEdit() {}

void TAdvStringGrid::BeginCellEdit() {}

}  // namespace vex
