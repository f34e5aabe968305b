// The grid's mouse: a press makes a cell current and a drag selects a block (scrolling on a
// timer while the pointer is outside the cells), a press on a border of the fixed cells sizes
// that column or row with a live line, a press on a fixed cell moves its column or row.

#include <algorithm>

#include "platform/gfx/rasterops.h"
#include "platform/ui/grid.h"
#include "platform/win/cursor.h"

namespace vex {

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const TControlWatch watch(*this);
    if (!Focused() && CanFocus()) {
        SetFocus();
        if (watch.Expired() || !Focused()) return;
    }
    if (Button == mbLeft) {
        FLastMouse = Point(X, Y);
        TGridState sizing = gsNormal;
        CalcSizingState(X, Y, sizing, FSizingIndex, FSizingPos, FSizingOfs);
        if (sizing != gsNormal) {
            HideEdit();
            if (watch.Expired()) return;
            FGridState = sizing;
            ShowSizingLine(true);
        } else {
            const TGridCoord cell = MouseCoord(X, Y);
            if (cell.X >= 0 && cell.Y >= 0) {
                const bool fixedRow = cell.Y < FFixedRows;
                const bool fixedCol = cell.X < FFixedCols;
                if (fixedRow && !fixedCol && FOptions.Contains(goColMoving)) {
                    HideEdit();
                    if (watch.Expired()) return;
                    FGridState = gsColMoving;
                    FMoveIndex = FMovePos = cell.X;
                } else if (fixedCol && !fixedRow && FOptions.Contains(goRowMoving)) {
                    HideEdit();
                    if (watch.Expired()) return;
                    FGridState = gsRowMoving;
                    FMoveIndex = FMovePos = cell.Y;
                } else if (!fixedRow && !fixedCol) {
                    const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
                    if (Shift.Contains(ssDouble) && FOptions.Contains(goEditing) &&
                        cell == FCurrent) {
                        ShowEditor();
                    } else {
                        if (FEditorMode && !(cell == FCurrent)) HideEdit();
                        if (watch.Expired()) return;
                        MoveColRow(cell.X, cell.Y, !extend, true);
                        if (watch.Expired()) return;
                        FGridState = gsSelecting;
                        StartTimedScroll();
                    }
                }
            }
        }
    }
    if (!watch.Expired()) TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    // OnClick, fired for each cell the drag makes current, may free the grid.
    const TControlWatch watch(*this);
    FLastMouse = Point(X, Y);
    switch (FGridState) {
        case gsSelecting: {
            // Outside the cells the timer scrolls; inside, the block follows the pointer.
            const TGridCoord cell = MouseCoord(X, Y);
            if (cell.X >= FFixedCols && cell.Y >= FFixedRows && !(cell == FCurrent))
                MoveColRow(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), true);
            break;
        }
        case gsColSizing:
        case gsRowSizing: {
            ShowSizingLine(false);
            int32_t start = 0, end = 0;
            const bool horizontal = FGridState == gsColSizing;
            CellSpan(horizontal, FSizingIndex, start, end);
            FSizingPos = std::max(start, (horizontal ? X : Y) + FSizingOfs);
            ShowSizingLine(true);
            break;
        }
        case gsColMoving:
        case gsRowMoving:
            UpdateMoving(X, Y);
            break;
        default:
            break;
    }
    if (!watch.Expired()) TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const TControlWatch watch(*this);
    const TGridState state = FGridState;
    if (Button == mbLeft) CancelGridMode();
    switch (state) {
        case gsColSizing:
        case gsRowSizing: {
            const bool horizontal = state == gsColSizing;
            int32_t start = 0, end = 0;
            if (CellSpan(horizontal, FSizingIndex, start, end) && Button == mbLeft) {
                const int32_t size = std::max(0, FSizingPos - start);
                if (horizontal)
                    SetColWidths(FSizingIndex, size);
                else
                    SetRowHeights(FSizingIndex, size);
            }
            break;
        }
        case gsColMoving:
            if (Button == mbLeft && FMovePos != FMoveIndex) MoveColumn(FMoveIndex, FMovePos);
            break;
        case gsRowMoving:
            if (Button == mbLeft && FMovePos != FMoveIndex) MoveRow(FMoveIndex, FMovePos);
            break;
        case gsSelecting:
            if (FOptions.Contains(goAlwaysShowEditor) && Button == mbLeft) ShowEditor();
            break;
        default:
            break;
    }
    if (!watch.Expired()) TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Ends whatever the button started, taking down the live line and the move mark.
void TCustomGrid::CancelGridMode() {
    ShowSizingLine(false);
    ShowMoveMark(false);
    FGridState = gsNormal;
    StopTimedScroll();
}

void TCustomGrid::WMCancelMode(TMessage& Message) {
    CancelGridMode();
    TCustomControl::WMCancelMode(Message);
}

// The live line and the move mark are inverted onto the screen, so inverting them again takes
// them away; painting puts them back over what it paints while they show.
void TCustomGrid::ShowSizingLine(bool Show) {
    if (Show == FSizingLineShown || !HandleAllocated()) return;
    FSizingLineShown = Show;
    InvertSizingLine(Canvas());
}

void TCustomGrid::InvertSizingLine(TCanvas& On) {
    const TRect client = GridClient();
    const int32_t width = std::max(1, FGridLineWidth);
    if (FGridState == gsColSizing)
        PatBlt(On.Handle(), FSizingPos, 0, width, client.Bottom, DSTINVERT);
    else if (FGridState == gsRowSizing)
        PatBlt(On.Handle(), 0, FSizingPos, client.Right, width, DSTINVERT);
}

void TCustomGrid::UpdateMoving(int32_t X, int32_t Y) {
    const bool columns = FGridState == gsColMoving;
    const int32_t fixed = columns ? FFixedCols : FFixedRows;
    const int32_t count = columns ? ColCount() : RowCount();
    int32_t at = CellAt(columns, columns ? X : Y);
    if (at < 0) {
        // Past the last cell shown: the last one; before the scrolling ones: the first.
        const TAxisDraw d = AxisDraw(columns);
        at = (columns ? X : Y) < d.FixedBoundary ? fixed : std::min(count - 1, d.LastFullVisible);
    }
    at = std::clamp(at, fixed, count - 1);
    if (at == FMovePos) return;
    ShowMoveMark(false);
    FMovePos = at;
    ShowMoveMark(true);
}

void TCustomGrid::ShowMoveMark(bool Show) {
    if (Show == FMoveMarkShown || !HandleAllocated()) return;
    FMoveMarkShown = Show;
    InvertMoveMark(Canvas());
}

// A bar on the border where the moved column or row would land: after the target moving
// forward, before it moving backward.
void TCustomGrid::InvertMoveMark(TCanvas& On) {
    const bool columns = FGridState == gsColMoving;
    if (!columns && FGridState != gsRowMoving) return;
    int32_t start = 0, end = 0;
    if (!CellSpan(columns, FMovePos, start, end)) return;
    const int32_t edge = FMovePos > FMoveIndex ? end : start;
    const TRect client = GridClient();
    if (columns)
        PatBlt(On.Handle(), edge - 1, 0, 3, client.Bottom, DSTINVERT);
    else
        PatBlt(On.Handle(), 0, edge - 1, client.Right, 3, DSTINVERT);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (HasCells() && FCurrent.Y < RowCount() - 1)
        MoveColRow(FCurrent.X, FCurrent.Y + 1, true, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (HasCells() && FCurrent.Y > FFixedRows) MoveColRow(FCurrent.X, FCurrent.Y - 1, true, true);
    return true;
}

// The size cursor over a sizing border (or while sizing); false elsewhere, where the
// control's own cursor shows.
bool TCustomGrid::UpdateCursor(int32_t X, int32_t Y) {
    TGridState state = FGridState;
    if (state == gsNormal) {
        int32_t index = 0, pos = 0, ofs = 0;
        CalcSizingState(X, Y, state, index, pos, ofs);
    }
    if (state != gsColSizing && state != gsRowSizing) return false;
    SetCursor(LoadCursor(0, state == gsColSizing ? IDC_SIZEWE : IDC_SIZENS));
    return true;
}

}  // namespace vex
