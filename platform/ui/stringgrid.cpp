#include "platform/ui/stringgrid.h"

#include <algorithm>

namespace vex {

namespace {

// Where the grid draws a cell's text inside the cell (the in-place editor puts its text there
// too).
constexpr int32_t kTextInset = 2;

}  // namespace

// --- TStringGridStrings ---

TStringGridStrings::TStringGridStrings(TStringGrid& Grid, bool IsRow, int32_t Index)
    : FGrid(Grid), FIsRow(IsRow), FIndex(Index) {}

int32_t TStringGridStrings::Count() const {
    return FIsRow ? FGrid.ColCount() : FGrid.RowCount();
}

void TStringGridStrings::CheckItem(int32_t Item) const {
    if (Item < 0 || Item >= Count())
        throw EInvalidGridOperation("Grid " + std::string(FIsRow ? "row" : "column") + " item " +
                                    std::to_string(Item) + " out of range");
}

std::string TStringGridStrings::Get(int32_t Index) const {
    CheckItem(Index);
    return FGrid.Cells(ColOf(Index), RowOf(Index));
}

void TStringGridStrings::Put(int32_t Index, const std::string& S) {
    CheckItem(Index);
    FGrid.SetCells(ColOf(Index), RowOf(Index), S);
}

TObject* TStringGridStrings::GetObject(int32_t Index) const {
    CheckItem(Index);
    return FGrid.Objects(ColOf(Index), RowOf(Index));
}

void TStringGridStrings::PutObject(int32_t Index, TObject* AObject) {
    CheckItem(Index);
    FGrid.SetObjects(ColOf(Index), RowOf(Index), AObject);
}

int32_t TStringGridStrings::Add(const std::string& S) {
    return AddObject(S, nullptr);
}

int32_t TStringGridStrings::AddObject(const std::string& S, TObject* AObject) {
    for (int32_t i = 0; i < Count(); ++i)
        if (Get(i).empty() && GetObject(i) == nullptr) {
            Put(i, S);
            PutObject(i, AObject);
            return i;
        }
    throw EInvalidGridOperation("The grid line has no empty cell to add to");
}

void TStringGridStrings::Insert(int32_t /*Index*/, const std::string& /*S*/) {
    throw EInvalidGridOperation("Cannot insert into a grid line");
}

void TStringGridStrings::Delete(int32_t /*Index*/) {
    throw EInvalidGridOperation("Cannot delete from a grid line");
}

void TStringGridStrings::Clear() {
    for (int32_t i = 0; i < Count(); ++i) {
        Put(i, "");
        PutObject(i, nullptr);
    }
}

void TStringGridStrings::Exchange(int32_t Index1, int32_t Index2) {
    CheckItem(Index1);
    CheckItem(Index2);
    const std::string text = Get(Index1);
    TObject* object = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, text);
    PutObject(Index2, object);
}

void TStringGridStrings::Move(int32_t CurIndex, int32_t NewIndex) {
    CheckItem(CurIndex);
    CheckItem(NewIndex);
    const int32_t step = CurIndex < NewIndex ? 1 : -1;
    for (int32_t i = CurIndex; i != NewIndex; i += step)
        Exchange(i, i + step);
}

void TStringGridStrings::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TStrings*>(Source);
    if (source == nullptr) {
        TStrings::Assign(Source);
        return;
    }
    if (source->Count() > Count())
        throw EInvalidGridOperation("The grid line holds " + std::to_string(Count()) +
                                    " cells, not " + std::to_string(source->Count()));
    // Read first: the source may be a view of the same cells.
    std::vector<TStringItem> items;
    for (int32_t i = 0; i < source->Count(); ++i)
        items.push_back({source->Strings(i), source->Objects(i)});
    for (int32_t i = 0; i < Count(); ++i) {
        const bool listed = i < static_cast<int32_t>(items.size());
        Put(i, listed ? items[static_cast<size_t>(i)].FString : std::string());
        PutObject(i, listed ? items[static_cast<size_t>(i)].FObject : nullptr);
    }
}

// --- TStringGrid ---

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {
    FStorage.SetSize(ColCount(), RowCount());
}

TStringGrid::~TStringGrid() = default;

const std::string& TStringGrid::Cells(int32_t ACol, int32_t ARow) const {
    return FStorage.Text(ACol, ARow);
}

void TStringGrid::SetCells(int32_t ACol, int32_t ARow, const std::string& Value) {
    FStorage.SetText(ACol, ARow, Value);
    CellChanged(ACol, ARow);
}

TObject* TStringGrid::Objects(int32_t ACol, int32_t ARow) const {
    return FStorage.Object(ACol, ARow);
}

void TStringGrid::SetObjects(int32_t ACol, int32_t ARow, TObject* Value) {
    FStorage.SetObject(ACol, ARow, Value);
    CellChanged(ACol, ARow);
}

int32_t TStringGrid::ScreenColOf(int32_t StoredCol) const {
    return StoredCol < ColCount() ? StoredCol : -1;
}

void TStringGrid::CellChanged(int32_t ACol, int32_t ARow) {
    const int32_t onScreen = ScreenColOf(ACol);
    if (onScreen >= 0) InvalidateCell(onScreen, ARow);
}

TStringGridStrings& TStringGrid::View(TViews& Views, bool IsRow, int32_t Index) {
    if (IsRow)
        FStorage.CheckRow(Index);
    else
        FStorage.CheckCol(Index);
    auto& view = Views[Index];
    if (!view) view = std::make_unique<TStringGridStrings>(*this, IsRow, Index);
    return *view;
}

TStrings& TStringGrid::Rows(int32_t Index) {
    return View(FRowViews, true, Index);
}

TStrings& TStringGrid::Cols(int32_t Index) {
    return View(FColViews, false, Index);
}

void TStringGrid::SetStoredHiddenCols(int32_t Count) {
    if (Count < 0)
        throw EInvalidGridOperation("Hidden column count " + std::to_string(Count) +
                                    " must not be negative");
    FHiddenCols = Count;
    FStorage.SetSize(ColCount() + FHiddenCols, RowCount());
}

void TStringGrid::SizeChanged(int32_t OldColCount, int32_t OldRowCount) {
    FStorage.SetSize(ColCount() + FHiddenCols, RowCount());
    TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex) {
    FStorage.MoveCol(FromIndex, ToIndex);
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int32_t FromIndex, int32_t ToIndex) {
    FStorage.MoveRow(FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

std::string TStringGrid::GetEditText(int32_t ACol, int32_t ARow) {
    std::string value = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) {
    SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) {
    if (DefaultDrawing()) {
        TCanvas& canvas = Canvas();
        const TBrushStyle style = canvas.Brush().Style();
        // The grid has filled the cell already; the text goes over it.
        canvas.Brush().SetStyle(bsClear);
        canvas.TextRect(ARect, ARect.Left + kTextInset, ARect.Top + kTextInset, Cells(ACol, ARow));
        canvas.Brush().SetStyle(style);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

}  // namespace vex
