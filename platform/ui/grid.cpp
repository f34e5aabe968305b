// The grid's counts, sizes, options, current cell and selection.

#include "platform/ui/grid.h"

#include <algorithm>
#include <string>

#include "platform/ui/inplaceedit.h"
#include "platform/win/updateregion.h"

namespace vex {

namespace {

[[noreturn]] void RaiseGridError(const std::string& What) {
    throw EInvalidGridOperation(What);
}

void CheckNotNegative(int32_t Value, const char* What) {
    if (Value < 0) RaiseGridError(std::string(What) + " must not be negative");
}

TGridRect Normalized(TGridCoord A, TGridCoord B) {
    return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks};
    FCols.SetDefaultSize(64);
    FRows.SetDefaultSize(24);
    FCols.SetCount(5);
    FRows.SetCount(5);
    FOptions = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomGrid::~TCustomGrid() {
    FDestroying = true;
    StopTimedScroll();
    // The editor outlives this part of the grid (the component base frees it): it must not
    // report its going to a grid that is half gone.
    if (FInplaceEdit != nullptr) FInplaceEdit->FGrid = nullptr;
}

void TCustomGrid::CheckIndex(const TGridAxis& Axis, int32_t Index) const {
    if (Index < 0 || Index >= Axis.Count())
        RaiseGridError("Grid index " + std::to_string(Index) + " out of range");
}

void TCustomGrid::SetColCount(int32_t Value) {
    CheckNotNegative(Value, "ColCount");
    ChangeCount(true, Value);
}

void TCustomGrid::SetRowCount(int32_t Value) {
    CheckNotNegative(Value, "RowCount");
    ChangeCount(false, Value);
}

void TCustomGrid::ChangeCount(bool Horizontal, int32_t Value) {
    if (Value == Axis(Horizontal).Count()) return;
    const int32_t oldCols = ColCount();
    const int32_t oldRows = RowCount();
    // The column or row held for sizing or moving may be gone, and the others renumbered: the
    // drag ends rather than act on another one at the release.
    if (FGridState != gsNormal && FGridState != gsSelecting) CancelGridMode();
    // A cell being edited that is cut off has nowhere to take its text: the editor lets it go
    // and fills itself again from the new current cell.
    if (Value <= (Horizontal ? FInplaceCol : FInplaceRow)) FInplaceCol = FInplaceRow = -1;
    Axis(Horizontal).SetCount(Value);
    int32_t& fixed = Horizontal ? FFixedCols : FFixedRows;
    fixed = std::min(fixed, std::max(0, Value - 1));
    if (Horizontal) FTabStops.erase(FTabStops.lower_bound(Value), FTabStops.end());
    // The cells a descendant keeps follow the counts before anything asks for them again.
    SizeChanged(oldCols, oldRows);
    ClampPosition();
    UpdateScrollRange();
    InvalidateGrid();
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::SetFixedCols(int32_t Value) {
    CheckNotNegative(Value, "FixedCols");
    // No fixed column is what an empty grid has: taking it again is no error.
    if (Value >= ColCount() && Value > 0)
        RaiseGridError("Fixed column count must be less than column count");
    ChangeFixed(FFixedCols, Value);
}

void TCustomGrid::SetFixedRows(int32_t Value) {
    CheckNotNegative(Value, "FixedRows");
    if (Value >= RowCount() && Value > 0)
        RaiseGridError("Fixed row count must be less than row count");
    ChangeFixed(FFixedRows, Value);
}

void TCustomGrid::ChangeFixed(int32_t& Fixed, int32_t Value) {
    if (Value == Fixed) return;
    Fixed = Value;
    ClampPosition();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int32_t Value) {
    CheckNotNegative(Value, "DefaultColWidth");
    FCols.SetDefaultSize(Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int32_t Value) {
    CheckNotNegative(Value, "DefaultRowHeight");
    FRows.SetDefaultSize(Value);
    RowHeightsChanged();
}

int32_t TCustomGrid::ColWidths(int32_t Index) const {
    CheckIndex(FCols, Index);
    return FCols.Size(Index);
}

void TCustomGrid::SetColWidths(int32_t Index, int32_t Value) {
    CheckIndex(FCols, Index);
    CheckNotNegative(Value, "Column width");
    if (FCols.Size(Index) == Value) return;
    FCols.SetSize(Index, Value);
    ColWidthsChanged();
}

int32_t TCustomGrid::RowHeights(int32_t Index) const {
    CheckIndex(FRows, Index);
    return FRows.Size(Index);
}

void TCustomGrid::SetRowHeights(int32_t Index, int32_t Value) {
    CheckIndex(FRows, Index);
    CheckNotNegative(Value, "Row height");
    if (FRows.Size(Index) == Value) return;
    FRows.SetSize(Index, Value);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int32_t Value) {
    CheckNotNegative(Value, "GridLineWidth");
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    ClampPosition();
    UpdateScrollRange();
    InvalidateGrid();
}

bool TCustomGrid::TabStops(int32_t Index) const {
    CheckIndex(FCols, Index);
    return !FTabStops.contains(Index);
}

void TCustomGrid::SetTabStops(int32_t Index, bool Value) {
    CheckIndex(FCols, Index);
    if (Value)
        FTabStops.erase(Index);
    else
        FTabStops[Index] = false;
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value == FOptions) return;
    const bool wasEditing = FOptions.Contains(goEditing);
    FOptions = Value;
    if (FOptions.Contains(goRowSelect)) FOptions.Exclude(goAlwaysShowEditor);
    if (wasEditing && !FOptions.Contains(goEditing)) {
        // Storing the editor's text may free the grid.
        const TControlWatch watch(*this);
        HideEditor();
        if (watch.Expired()) return;
    }
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FAnchor.X = FFixedCols;
    ClampPosition();
    UpdateScrollRange();
    InvalidateGrid();
    if (FOptions.Contains(goAlwaysShowEditor) && Focused()) ShowEditor();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

// The current cell stays among the scrolling cells, and the top left within reach, whatever
// the counts and fixed cells became.
void TCustomGrid::ClampPosition() {
    auto clampTo = [](int32_t Value, int32_t Low, int32_t High) {
        return std::max(Low, std::min(Value, High));
    };
    const int32_t lastCol = std::max(FFixedCols, ColCount() - 1);
    const int32_t lastRow = std::max(FFixedRows, RowCount() - 1);
    FCurrent = {clampTo(FCurrent.X, FFixedCols, lastCol), clampTo(FCurrent.Y, FFixedRows, lastRow)};
    FAnchor = {clampTo(FAnchor.X, FFixedCols, lastCol), clampTo(FAnchor.Y, FFixedRows, lastRow)};
    const TGridCoord oldTopLeft = FTopLeft;
    FTopLeft = {clampTo(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxFirst(true))),
                clampTo(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxFirst(false)))};
    if (!(oldTopLeft == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetCol(int32_t Value) {
    if (Value == FCurrent.X) return;
    CheckIndex(FCols, Value);
    if (Value < FFixedCols) RaiseGridError("Cannot make a fixed column current");
    MoveColRow(Value, FCurrent.Y, true, true);
}

void TCustomGrid::SetRow(int32_t Value) {
    if (Value == FCurrent.Y) return;
    CheckIndex(FRows, Value);
    if (Value < FFixedRows) RaiseGridError("Cannot make a fixed row current");
    MoveColRow(FCurrent.X, Value, true, true);
}

TGridRect TCustomGrid::Selection() const {
    TGridRect r = Normalized(FAnchor, FCurrent);
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FFixedCols;
        r.Right = std::max(FFixedCols, ColCount() - 1);
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    for (int32_t c : {Value.Left, Value.Right}) {
        CheckIndex(FCols, c);
        if (c < FFixedCols) RaiseGridError("Cannot select a fixed column");
    }
    for (int32_t r : {Value.Top, Value.Bottom}) {
        CheckIndex(FRows, r);
        if (r < FFixedRows) RaiseGridError("Cannot select a fixed row");
    }
    const TGridRect old = Selection();
    const TGridCoord oldCurrent = FCurrent;
    FAnchor = {Value.Left, Value.Top};
    FCurrent = {Value.Right, Value.Bottom};
    if (!FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
    InvalidateSelection(old, Selection());
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
}

bool TCustomGrid::IsSelected(int32_t ACol, int32_t ARow) const {
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

void TCustomGrid::MoveColRow(int32_t ACol, int32_t ARow, bool MoveAnchor, bool Show) {
    CheckIndex(FCols, ACol);
    CheckIndex(FRows, ARow);
    // OnSelectCell and OnTopLeftChanged may free the grid.
    const TControlWatch watch(*this);
    if (!SelectCell(ACol, ARow) || watch.Expired()) return;
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    if (watch.Expired()) return;
    SetCurrent({ACol, ARow}, MoveAnchor);
    if (Show) ScrollIntoView(FCurrent);
    if (watch.Expired()) return;
    // An editor always shown stores its text in the cell it leaves and follows the new one;
    // one closed meanwhile opens again there.
    if (FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode)
            InvalidateEditor();
        else if (Focused())
            ShowEditor();
    }
    if (!watch.Expired()) Click();
}

void TCustomGrid::SetCurrent(TGridCoord Cell, bool MoveAnchor) {
    const TGridRect old = Selection();
    const TGridCoord oldCurrent = FCurrent;
    // A selected row has no current column of its own.
    if (FOptions.Contains(goRowSelect)) Cell.X = FFixedCols;
    FCurrent = Cell;
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = Cell;
    InvalidateSelection(old, Selection());
    if (!(oldCurrent == FCurrent)) {
        // The focus frame moves even when the selection stays the same block.
        InvalidateCell(oldCurrent.X, oldCurrent.Y);
        InvalidateCell(FCurrent.X, FCurrent.Y);
    }
}

void TCustomGrid::InvalidateSelection(const TGridRect& Old, const TGridRect& New) {
    if (Old == New) return;
    if (!HandleAllocated()) return;
    for (const TGridRect& r : {Old, New}) {
        const TRect box = BoxRect(r.Left, r.Top, r.Right, r.Bottom);
        if (!IsRectEmpty(box)) InvalidateRect(Handle(), &box, false);
    }
}

void TCustomGrid::MoveColumn(int32_t FromIndex, int32_t ToIndex) {
    CheckIndex(FCols, FromIndex);
    CheckIndex(FCols, ToIndex);
    if (FromIndex == ToIndex) return;
    const TControlWatch watch(*this);
    HideEdit();
    if (watch.Expired()) return;
    FCols.Move(FromIndex, ToIndex);
    const bool stops = !FTabStops.contains(FromIndex);
    std::map<int32_t, bool> moved;
    for (const auto& [index, value] : FTabStops) {
        if (index == FromIndex) continue;
        int32_t to = index;
        if (FromIndex < ToIndex && index > FromIndex && index <= ToIndex) --to;
        if (FromIndex > ToIndex && index >= ToIndex && index < FromIndex) ++to;
        moved[to] = value;
    }
    if (!stops) moved[ToIndex] = false;
    FTabStops = std::move(moved);
    InvalidateGrid();
    // Last, as the event may free the grid.
    ColumnMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(int32_t FromIndex, int32_t ToIndex) {
    CheckIndex(FRows, FromIndex);
    CheckIndex(FRows, ToIndex);
    if (FromIndex == ToIndex) return;
    const TControlWatch watch(*this);
    HideEdit();
    if (watch.Expired()) return;
    FRows.Move(FromIndex, ToIndex);
    InvalidateGrid();
    // Last, as the event may free the grid.
    RowMoved(FromIndex, ToIndex);
}

void TCustomGrid::InvalidateCell(int32_t ACol, int32_t ARow) {
    if (!HandleAllocated()) return;
    const TRect r = BoxRect(ACol, ARow, ACol, ARow);
    if (!IsRectEmpty(r)) InvalidateRect(Handle(), &r, false);
}

void TCustomGrid::InvalidateCol(int32_t ACol) {
    if (!HandleAllocated()) return;
    const TRect r = BoxRect(ACol, 0, ACol, RowCount() - 1);
    if (!IsRectEmpty(r)) InvalidateRect(Handle(), &r, false);
}

void TCustomGrid::InvalidateRow(int32_t ARow) {
    if (!HandleAllocated()) return;
    const TRect r = BoxRect(0, ARow, ColCount() - 1, ARow);
    if (!IsRectEmpty(r)) InvalidateRect(Handle(), &r, false);
}

void TCustomGrid::InvalidateGrid() {
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, false);
}

bool TCustomGrid::SelectCell(int32_t /*ACol*/, int32_t /*ARow*/) {
    return true;
}

void TCustomGrid::TopLeftChanged() {
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::ColumnMoved(int32_t /*FromIndex*/, int32_t /*ToIndex*/) {}

void TCustomGrid::RowMoved(int32_t /*FromIndex*/, int32_t /*ToIndex*/) {}

void TCustomGrid::ColWidthsChanged() {
    ClampPosition();
    UpdateScrollRange();
    InvalidateGrid();
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
    ClampPosition();
    UpdateScrollRange();
    InvalidateGrid();
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::SizeChanged(int32_t /*OldColCount*/, int32_t /*OldRowCount*/) {}

bool TCustomGrid::CanGridAcceptKey(uint16_t /*Key*/, TShiftState /*Shift*/) {
    return true;
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    ClampPosition();
    UpdateScrollRange();
}

void TCustomGrid::Loaded() {
    TCustomControl::Loaded();
    ClampPosition();
    UpdateScrollRange();
}

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
}

void TCustomGrid::CMFontChanged(TMessage& Message) {
    TCustomControl::CMFontChanged(Message);
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::WMSize(TMessage& Message) {
    TCustomControl::WMSize(Message);
    ClampPosition();
    UpdateScrollRange();
    if (FEditorMode) UpdateEdit();
}

}  // namespace vex
