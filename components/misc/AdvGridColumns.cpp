// Hidden columns, whole-row and whole-column operations, and the images the grid puts in cells.

#include <algorithm>
#include <unordered_set>

#include "components/misc/AdvGrid.h"

namespace vex {

namespace {

// Rows a grid may be given by inserting: as many as a rule file may hold.
constexpr int32_t kMaxRows = 10'000'000;
// Images taken out of cells before the grid looks which of them no cell holds any more.
constexpr size_t kGraphicsBatch = 64;

[[noreturn]] void Refuse(const std::string& What) {
    throw EAdvGridError(What);
}

void CheckCount(int32_t Count, const char* What) {
    if (Count < 0) Refuse(std::string(What) + " count " + std::to_string(Count) + " is negative");
}

// Count lines from First on, all of them among the Limit there are.
void CheckSpan(int32_t First, int32_t Count, int32_t Limit, const char* What) {
    if (First < 0 || First >= Limit || Count > Limit - First)
        Refuse(std::string(What) + "s " + std::to_string(First) + " to " +
               std::to_string(int64_t{First} + Count - 1) + " are not among the " +
               std::to_string(Limit) + " of the grid");
}

}  // namespace

// --- Index checks ---

void TAdvStringGrid::CheckRealCol(int32_t ACol) const {
    if (ACol < 0 || ACol >= StoredColCount())
        Refuse("Column " + std::to_string(ACol) + " is not in the grid of " +
               std::to_string(StoredColCount()) + " columns");
}

void TAdvStringGrid::CheckRealRow(int32_t ARow) const {
    if (ARow < 0 || ARow >= RowCount())
        Refuse("Row " + std::to_string(ARow) + " is not in the grid of " +
               std::to_string(RowCount()) + " rows");
}

void TAdvStringGrid::CheckColumnSlot(int32_t ACol) {
    if (ACol < 0 || ACol >= MaxAdvGridColumns)
        Refuse("Column " + std::to_string(ACol) + " is beyond the " +
               std::to_string(MaxAdvGridColumns) + " columns a grid may have");
}

// --- Hidden columns ---

int32_t TAdvStringGrid::RealColIndex(int32_t ADisplayCol) const {
    if (ADisplayCol >= MaxAdvGridColumns - 1) return ADisplayCol;
    // Drawing asks for every cell it paints: with nothing hidden each column is where it shows.
    if (FHiddenColCount == 0)
        return ADisplayCol >= 0 && ADisplayCol < StoredColCount() ? ADisplayCol : 0;
    // Every slot counts: with a column hidden, the last display column of a full grid is the
    // last slot. Only stored columns are answered, so no caller reads past the cells.
    const int32_t stored = std::min(StoredColCount(), MaxAdvGridColumns);
    int32_t seen = 0;
    for (int32_t real = 0; real < stored; ++real) {
        if (!FVisible[static_cast<size_t>(real)]) continue;
        if (seen == ADisplayCol) return real;
        ++seen;
    }
    return 0;
}

int32_t TAdvStringGrid::DisplayColIndex(int32_t ARealCol) const {
    if (FHiddenColCount == 0) return ARealCol;
    return static_cast<int32_t>(std::count(FVisible.begin(), FVisible.begin() + ARealCol, true));
}

int32_t TAdvStringGrid::ScreenColOf(int32_t StoredCol) const {
    // Past the slots a column shows at its own index, as RealColIndex has it.
    if (StoredCol >= MaxAdvGridColumns) return StoredCol < ColCount() ? StoredCol : -1;
    if (StoredCol < 0 || !FVisible[static_cast<size_t>(StoredCol)]) return -1;
    const int32_t onScreen = DisplayColIndex(StoredCol);
    return onScreen < ColCount() ? onScreen : -1;
}

bool TAdvStringGrid::IsHiddenColumn(int32_t ARealCol) const {
    CheckColumnSlot(ARealCol);
    return !FVisible[static_cast<size_t>(ARealCol)];
}

void TAdvStringGrid::HideColumns(int32_t FromCol, int32_t ToCol) {
    CheckColumnSlot(FromCol);
    CheckColumnSlot(ToCol);
    // A call that hides nothing asks for no painting: an owner may call it from a drawing event.
    bool changed = false;
    for (int32_t c = FromCol; c <= ToCol; ++c) {
        if (!FVisible[static_cast<size_t>(c)] || StoredColCount() <= c || ColCount() < 2) continue;
        changed = true;
        // The widths of the columns right of it close up; its cells stay where they are. A
        // column left of it that is hidden already does not count for where it shows.
        for (int32_t d = DisplayColIndex(c); d < ColCount() - 1; ++d)
            SetColWidths(d, ColWidths(d + 1));
        // Widened first, so the stored width never dips and no cell is dropped.
        ++FHiddenColCount;
        SetStoredHiddenCols(FHiddenColCount);
        FVisible[static_cast<size_t>(c)] = false;
        SetColCount(ColCount() - 1);
    }
    if (changed) Invalidate();
}

void TAdvStringGrid::UnHideColumns(int32_t FromCol, int32_t ToCol) {
    CheckColumnSlot(FromCol);
    CheckColumnSlot(ToCol);
    bool changed = false;
    for (int32_t c = FromCol; c <= ToCol; ++c) {
        if (FVisible[static_cast<size_t>(c)]) continue;
        changed = true;
        FVisible[static_cast<size_t>(c)] = true;
        SetColCount(ColCount() + 1);
        --FHiddenColCount;
        SetStoredHiddenCols(FHiddenColCount);
    }
    if (changed) Invalidate();
}

// --- Cells moved and emptied ---

void TAdvStringGrid::CopyCell(int32_t FromCol, int32_t FromRow, int32_t ToCol, int32_t ToRow) {
    const bool inside = FromCol < StoredColCount() && FromRow < RowCount();
    const std::string& text = inside ? Cells(FromCol, FromRow) : std::string();
    TObject* object = inside ? Objects(FromCol, FromRow) : nullptr;
    // Rows take memory once a cell is set: a blank copied onto a blank sets nothing.
    if (text.empty() && object == nullptr && Cells(ToCol, ToRow).empty() &&
        Objects(ToCol, ToRow) == nullptr)
        return;
    SetCells(ToCol, ToRow, text);
    SetObjects(ToCol, ToRow, object);
}

void TAdvStringGrid::EmptyCell(int32_t ACol, int32_t ARow) {
    if (!Cells(ACol, ARow).empty()) SetCells(ACol, ARow, "");
    if (Objects(ACol, ARow) != nullptr) SetObjects(ACol, ARow, nullptr);
}

void TAdvStringGrid::FreeCellGraphic(int32_t ACol, int32_t ARow) {
    auto* graphic = dynamic_cast<TCellGraphic*>(Objects(ACol, ARow));
    if (graphic == nullptr) return;
    SetObjects(ACol, ARow, nullptr);
    // A graphic the caller made is the caller's to free.
    if (!FOwnedGraphics.contains(graphic)) return;
    // A row copied whole puts one image in two cells, so it is freed only once no cell holds
    // it. Looking costs a pass over the cells: it waits until enough images may have gone to
    // pay for it, which keeps the images held for nothing fewer than those in use.
    ++FGraphicsTakenOut;
    if (FGraphicsTakenOut >= std::max<size_t>(kGraphicsBatch, FOwnedGraphics.size() / 2))
        ReleaseUnreferencedGraphics();
}

void TAdvStringGrid::ReleaseUnreferencedGraphics() {
    FGraphicsTakenOut = 0;
    if (FOwnedGraphics.empty()) return;
    std::unordered_set<const TObject*> inCells;
    for (int32_t r = 0; r < RowCount(); ++r)
        for (int32_t c = 0, used = UsedColCount(r); c < used; ++c)
            if (TObject* object = Objects(c, r)) inCells.insert(object);
    std::erase_if(FOwnedGraphics,
                  [&](const auto& Owned) { return !inCells.contains(Owned.first); });
}

void TAdvStringGrid::SizeChanged(int32_t OldColCount, int32_t OldRowCount) {
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
    // Images in the cells cut off are gone with them, unless a copy stayed in the grid.
    if (ColCount() < OldColCount || RowCount() < OldRowCount) ReleaseUnreferencedGraphics();
}

// --- Row and column operations ---

void TAdvStringGrid::ClearRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2) {
    CheckRealCol(ACol1);
    CheckRealCol(ACol2);
    CheckRealRow(ARow1);
    CheckRealRow(ARow2);
    for (int32_t r = ARow1; r <= ARow2; ++r)
        for (int32_t c = ACol1; c <= ACol2; ++c) {
            if (!Cells(c, r).empty()) SetCells(c, r, "");
            if (FEnableGraphics) FreeCellGraphic(c, r);
        }
}

void TAdvStringGrid::ClearRows(int32_t RowIndex, int32_t RCount) {
    if (RowCount() == 0 || StoredColCount() == 0 || RCount < 1) return;
    CheckSpan(RowIndex, RCount, RowCount(), "Row");
    ClearRect(0, RowIndex, StoredColCount() - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearCols(int32_t ColIndex, int32_t CCount) {
    if (RowCount() == 0 || StoredColCount() == 0 || CCount < 1) return;
    CheckSpan(ColIndex, CCount, StoredColCount(), "Column");
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TAdvStringGrid::RemoveRows(int32_t RowIndex, int32_t RCount) {
    CheckCount(RCount, "Row");
    if (RCount == 0) return;
    CheckSpan(RowIndex, RCount, RowCount(), "Row");
    ClearRows(RowIndex, RCount);
    for (int32_t r = RowIndex; r + RCount < RowCount(); ++r)
        for (int32_t c = 0; c < StoredColCount(); ++c)
            CopyCell(c, r + RCount, c, r);
    // The rows cut off hold copies of objects that moved up: the count drops them, and frees
    // only the images that were in the removed rows.
    SetRowCount(RowCount() - RCount);
}

void TAdvStringGrid::InsertRows(int32_t RowIndex, int32_t RCount) {
    CheckCount(RCount, "Row");
    if (RCount == 0) return;
    if (RowIndex != RowCount()) CheckRealRow(RowIndex);  // or right after the last row
    if (RCount > kMaxRows - RowCount())
        Refuse("Inserting " + std::to_string(RCount) + " rows would grow the grid past " +
               std::to_string(kMaxRows) + " rows");
    SetRowCount(RowCount() + RCount);
    for (int32_t r = RowCount() - 1; r >= RowIndex + RCount; --r)
        for (int32_t c = 0; c < StoredColCount(); ++c)
            CopyCell(c, r - RCount, c, r);
    for (int32_t r = RowIndex; r < RowIndex + RCount; ++r)
        for (int32_t c = 0; c < StoredColCount(); ++c)
            EmptyCell(c, r);
}

void TAdvStringGrid::RemoveCols(int32_t ColIndex, int32_t CCount) {
    CheckCount(CCount, "Column");
    if (CCount == 0) return;
    CheckSpan(ColIndex, CCount, ColCount(), "Column");
    ClearCols(ColIndex, CCount);
    // As far as ColCount only: a hidden column stored past it moves into the last visible place
    // and its cells are cut off by the new count.
    for (int32_t c = ColIndex; c < ColCount(); ++c)
        for (int32_t r = 0; r < RowCount(); ++r)
            CopyCell(c + CCount, r, c, r);
    SetColCount(ColCount() - CCount);
}

void TAdvStringGrid::InsertCols(int32_t ColIndex, int32_t CCount) {
    CheckCount(CCount, "Column");
    if (CCount == 0) return;
    if (ColIndex < 0 || ColIndex > ColCount())
        Refuse("Column " + std::to_string(ColIndex) + " is not in the grid of " +
               std::to_string(ColCount()) + " columns");
    if (CCount > MaxAdvGridColumns - StoredColCount())
        Refuse("Inserting " + std::to_string(CCount) + " columns would grow the grid past " +
               std::to_string(MaxAdvGridColumns) + " columns");
    SetColCount(ColCount() + CCount);
    // As far as the new ColCount only: the cells of a hidden column stored there are
    // overwritten, and the hidden column shows the empty cells past them.
    for (int32_t c = ColCount() - 1; c >= ColIndex + CCount; --c)
        for (int32_t r = 0; r < RowCount(); ++r)
            CopyCell(c - CCount, r, c, r);
    for (int32_t c = ColIndex; c < ColIndex + CCount; ++c)
        for (int32_t r = 0; r < RowCount(); ++r)
            EmptyCell(c, r);
    ReleaseUnreferencedGraphics();
}

void TAdvStringGrid::MoveRow(int32_t FromIndex, int32_t ToIndex) {
    TStringGrid::MoveRow(FromIndex, ToIndex);
}

void TAdvStringGrid::MoveColumn(int32_t FromIndex, int32_t ToIndex) {
    const bool sortColumnMoves = RealColIndex(FromIndex) == FSortColumn;
    // Checks both indexes before anything moves; its event may free the grid.
    const TControlWatch watch(*this);
    TStringGrid::MoveColumn(FromIndex, ToIndex);
    if (!watch.Expired() && sortColumnMoves) SetSortColumn(RealColIndex(ToIndex));
}

void TAdvStringGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex) {
    // The indexes are places on screen, as a drag gives them. The real columns move, their
    // visibility with their cells, so a hidden column among them keeps both.
    const int32_t realFrom = RealColIndex(FromIndex);
    const int32_t realTo = RealColIndex(ToIndex);
    if (realFrom < MaxAdvGridColumns && realTo < MaxAdvGridColumns) {
        const auto slot = [this](int32_t Real) { return FVisible.begin() + Real; };
        if (realFrom < realTo)
            std::rotate(slot(realFrom), slot(realFrom + 1), slot(realTo + 1));
        else
            std::rotate(slot(realTo), slot(realFrom), slot(realFrom + 1));
    }
    TStringGrid::ColumnMoved(realFrom, realTo);
}

// --- Cell images ---

void TAdvStringGrid::AddCellImage(int32_t ACol, int32_t ARow, int32_t ImageIndex, int32_t HAlign,
                                  int32_t VAlign) {
    CheckRealCol(ACol);
    CheckRealRow(ARow);
    for (int32_t placement : {HAlign, VAlign})
        if (placement < 0 || placement > 4)
            Refuse("Image placement " + std::to_string(placement) + " is not 0 to 4");
    if (FGridImages == nullptr) return;
    if (TObject* held = Objects(ACol, ARow)) {
        if (dynamic_cast<TCellGraphic*>(held) == nullptr) return;
        FreeCellGraphic(ACol, ARow);
    }
    auto graphic = std::make_unique<TCellGraphic>();
    graphic->Kind = TCellGraphic::ctImageList;
    graphic->ImageIndex = ImageIndex;
    graphic->HAlign = static_cast<uint8_t>(HAlign);
    graphic->VAlign = static_cast<uint8_t>(VAlign);
    TCellGraphic* placed = graphic.get();
    FOwnedGraphics.emplace(placed, std::move(graphic));
    SetObjects(ACol, ARow, placed);
}

TCellGraphic* TAdvStringGrid::CellGraphic(int32_t ACol, int32_t ARow) const {
    CheckRealCol(ACol);
    CheckRealRow(ARow);
    return dynamic_cast<TCellGraphic*>(Objects(ACol, ARow));
}

}  // namespace vex
