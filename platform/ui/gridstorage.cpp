#include "platform/ui/gridstorage.h"

#include <algorithm>
#include <utility>

namespace vex {

namespace {

const std::string EmptyText;

[[noreturn]] void RaiseIndexError(const char* What, int32_t Index) {
    throw EInvalidGridOperation(std::string("Grid ") + What + " index " + std::to_string(Index) +
                                " out of range");
}

// Moves the element at FromIndex to ToIndex, the ones between shifting by one.
template <typename T>
void MoveItem(std::vector<T>& Items, size_t FromIndex, size_t ToIndex) {
    auto First = Items.begin();
    if (FromIndex < ToIndex)
        std::rotate(First + FromIndex, First + FromIndex + 1, First + ToIndex + 1);
    else if (FromIndex > ToIndex)
        std::rotate(First + ToIndex, First + FromIndex, First + FromIndex + 1);
}

}  // namespace

void TGridStorage::SetSize(int32_t AWidth, int32_t AHeight) {
    if (AWidth < 0 || AHeight < 0)
        throw EInvalidGridOperation("Grid size " + std::to_string(AWidth) + " x " +
                                    std::to_string(AHeight) + " must not be negative");
    FRows.resize(static_cast<size_t>(AHeight));
    if (AWidth < FWidth) {
        for (TRowCells& Cells : FRows)
            if (Cells.size() > static_cast<size_t>(AWidth)) {
                Cells.resize(static_cast<size_t>(AWidth));
                Cells.shrink_to_fit();
            }
    }
    FWidth = AWidth;
}

void TGridStorage::CheckCol(int32_t ACol) const {
    if (ACol < 0 || ACol >= FWidth) RaiseIndexError("column", ACol);
}

void TGridStorage::CheckRow(int32_t ARow) const {
    if (ARow < 0 || ARow >= Height()) RaiseIndexError("row", ARow);
}

const TGridStorage::TCell* TGridStorage::Find(int32_t ACol, int32_t ARow) const {
    CheckCol(ACol);
    CheckRow(ARow);
    const TRowCells& Cells = FRows[static_cast<size_t>(ARow)];
    return static_cast<size_t>(ACol) < Cells.size() ? &Cells[static_cast<size_t>(ACol)] : nullptr;
}

TGridStorage::TCell& TGridStorage::Writable(int32_t ACol, int32_t ARow) {
    CheckCol(ACol);
    CheckRow(ARow);
    TRowCells& Cells = FRows[static_cast<size_t>(ARow)];
    if (static_cast<size_t>(ACol) >= Cells.size()) Cells.resize(static_cast<size_t>(ACol) + 1);
    return Cells[static_cast<size_t>(ACol)];
}

const std::string& TGridStorage::Text(int32_t ACol, int32_t ARow) const {
    const TCell* Cell = Find(ACol, ARow);
    return Cell ? Cell->Text : EmptyText;
}

void TGridStorage::SetText(int32_t ACol, int32_t ARow, std::string Value) {
    if (Value.empty() && !Find(ACol, ARow)) return;
    Writable(ACol, ARow).Text = std::move(Value);
}

TObject* TGridStorage::Object(int32_t ACol, int32_t ARow) const {
    const TCell* Cell = Find(ACol, ARow);
    return Cell ? Cell->Object : nullptr;
}

void TGridStorage::SetObject(int32_t ACol, int32_t ARow, TObject* Value) {
    if (!Value && !Find(ACol, ARow)) return;
    Writable(ACol, ARow).Object = Value;
}

void TGridStorage::Clear(int32_t ACol, int32_t ARow) {
    if (Find(ACol, ARow)) Writable(ACol, ARow) = TCell{};
}

int32_t TGridStorage::UsedWidth(int32_t ARow) const {
    CheckRow(ARow);
    const size_t held = FRows[static_cast<size_t>(ARow)].size();
    return static_cast<int32_t>(std::min(held, static_cast<size_t>(FWidth)));
}

void TGridStorage::MoveRow(int32_t FromIndex, int32_t ToIndex) {
    CheckRow(FromIndex);
    CheckRow(ToIndex);
    MoveItem(FRows, static_cast<size_t>(FromIndex), static_cast<size_t>(ToIndex));
}

void TGridStorage::SwapRows(int32_t Index1, int32_t Index2) {
    CheckRow(Index1);
    CheckRow(Index2);
    std::swap(FRows[static_cast<size_t>(Index1)], FRows[static_cast<size_t>(Index2)]);
}

void TGridStorage::MoveCol(int32_t FromIndex, int32_t ToIndex) {
    CheckCol(FromIndex);
    CheckCol(ToIndex);
    if (FromIndex == ToIndex) return;
    const auto Reach = static_cast<size_t>(std::max(FromIndex, ToIndex)) + 1;
    for (TRowCells& Cells : FRows) {
        if (Cells.empty()) continue;
        if (Cells.size() < Reach) Cells.resize(Reach);
        MoveItem(Cells, static_cast<size_t>(FromIndex), static_cast<size_t>(ToIndex));
    }
}

}  // namespace vex
