#include "components/misc/AdvGrid.h"

namespace vex {

TAdvStringGrid::TAdvStringGrid(TComponent* AOwner)
    : TStringGrid(AOwner),
      FColumnHeaders(std::make_unique<TStringList>()),
      FRowHeaders(std::make_unique<TStringList>()) {
    FVisible.fill(true);
}

TAdvStringGrid::~TAdvStringGrid() {
    WriteColumnWidths();
}

void TAdvStringGrid::Loaded() {
    TStringGrid::Loaded();
    ReadColumnWidths();
}

void TAdvStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGridImages) FGridImages = nullptr;
}

std::string TAdvStringGrid::GetEditText(int32_t ACol, int32_t ARow) {
    return TStringGrid::GetEditText(ACol, ARow);
}

void TAdvStringGrid::SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) {
    TStringGrid::SetEditText(ACol, ARow, Value);
}

void TAdvStringGrid::ColWidthsChanged() {
    TStringGrid::ColWidthsChanged();
}

}  // namespace vex
