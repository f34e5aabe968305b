// The grid's mouse beyond the string grid's: link cells, selecting whole rows, columns or the
// grid from the fixed cells, check boxes, the cell events, editing at once, moving a dragged
// row or column with the sort column along, and sorting by a header click.

#include <algorithm>

#include "components/misc/AdvGrid.h"
#include "platform/shell/urlopener.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// How far from a cell's left and right edges a press must be to open the editor at once.
constexpr int32_t kDirectEditMargin = 4;

}  // namespace

bool TAdvStringGrid::IsLinkCell(int32_t ACol, int32_t ARow) const {
    if (!IsDataCell(ACol, ARow)) return false;
    const std::string& text = Cells(RealColIndex(ACol), ARow);
    return text.find("://") != std::string::npos || text.find("mailto:") != std::string::npos;
}

void TAdvStringGrid::OpenLinkCell(int32_t ACol, int32_t ARow) {
    // The text is the user's data, and the opener takes only web, file-transfer and mail
    // addresses. A refusal is reported as any failure of a handler is, and the press goes on:
    // the cell is still selected.
    try {
        UrlOpener().Open(Cells(RealColIndex(ACol), ARow));
    } catch (const EUrlOpenError&) {
        Application().HandleException(this);
    }
}

void TAdvStringGrid::SelectFromFixedCell(TGridCoord Cell, int32_t X, int32_t Y) {
    const TGridRect data = DataCells();
    if (data.Left > data.Right || data.Top > data.Bottom) return;
    // A sizing border shows the sizing cursor, not a selecting one.
    TGridState sizing = gsNormal;
    int32_t index = 0, pos = 0, ofs = 0;
    CalcSizingState(X, Y, sizing, index, pos, ofs);
    if (sizing != gsNormal) return;
    const bool fixedCol = Cell.X < FixedCols(), fixedRow = Cell.Y < FixedRows();
    const bool range = Options().Contains(goRangeSelect);
    TGridRect block = data;
    if (fixedCol && fixedRow) {
        if (!FMouseActions.AllSelect) return;
    } else if (fixedCol && FMouseActions.RowSelect && range && Cell.Y >= data.Top &&
               Cell.Y <= data.Bottom) {
        block.Top = block.Bottom = Cell.Y;
    } else if (fixedRow && FMouseActions.ColSelect && range && Cell.X >= data.Left &&
               Cell.X <= data.Right) {
        block.Left = block.Right = Cell.X;
    } else {
        return;
    }
    SetSelection(block);
    // The current cell moved without being selected: note its text, as Escape needs it.
    SelectCell(Col(), Row());
}

void TAdvStringGrid::RightPress(TGridCoord Cell) {
    const TControlWatch watch(*this);
    if (OnRightClickCell) OnRightClickCell(this, Cell.Y, RealColIndex(Cell.X));
    if (watch.Expired() || !FURLShow || !FURLEdit || !IsLinkCell(Cell.X, Cell.Y)) return;
    MoveColRow(Cell.X, Cell.Y, true, true);
    if (!watch.Expired() && Col() == Cell.X && Row() == Cell.Y) ShowEditor();
}

void TAdvStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const TControlWatch watch(*this);
    // The grid takes no click events of its own, so its double click comes as a second press.
    if (Button == mbLeft && Shift.Contains(ssDouble) && !ControlStyle().Contains(csClickEvents)) {
        DblClick();
        if (watch.Expired()) return;
    }
    // Any press ends panning; the middle button starts it.
    if (FPanning) {
        EndPanning();
        if (Button == mbMiddle) return;
    } else if (Button == mbMiddle) {
        StartPanning(Point(X, Y));
    }
    const TGridCoord cell = MouseCoord(X, Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    if (Button == mbLeft) {
        FPressCell = cell;
        if (FEnhRowColMove && !FRedrawSuspended && HandleAllocated()) {
            FRedrawSuspended = true;
            SendMessage(Handle(), WM_SETREDRAW, 0, 0);
        }
        if (FURLShow && onCell && IsLinkCell(cell.X, cell.Y)) OpenLinkCell(cell.X, cell.Y);
        if (watch.Expired()) return;
        if (onCell && (cell.X < FixedCols() || cell.Y < FixedRows()))
            SelectFromFixedCell(cell, X, Y);
        if (watch.Expired()) return;
    }
    TStringGrid::MouseDown(Button, Shift, X, Y);
    if (watch.Expired() || !onCell) return;
    if (Button == mbRight) {
        RightPress(cell);
        return;
    }
    if (Button != mbLeft) return;
    if (IsDataCell(cell.X, cell.Y) && Col() == cell.X && Row() == cell.Y) {
        ToggleCheckBox(cell.X, cell.Y);
        if (watch.Expired()) return;
    }
    if (OnClickCell) {
        OnClickCell(this, cell.Y, RealColIndex(cell.X));
        if (watch.Expired()) return;
    }
    if (FMouseActions.DirectEdit && IsDataCell(cell.X, cell.Y) && Col() == cell.X &&
        Row() == cell.Y) {
        const TRect r = CellRect(cell.X, cell.Y);
        if (X - r.Left >= kDirectEditMargin && r.Right - X >= kDirectEditMargin) ShowEditor();
    }
}

// The line dropped where the button was released (At, in client coordinates), as far as it
// may go: never among the fixed ones at either end.
void TAdvStringGrid::MoveDraggedLine(bool Columns, TPoint At) {
    const TGridRect data = DataCells();
    const TGridCoord target = MouseCoord(At.X, At.Y);
    const int32_t from = Columns ? FPressCell.X : FPressCell.Y;
    const int32_t first = Columns ? data.Left : data.Top;
    const int32_t last = Columns ? data.Right : data.Bottom;
    int32_t to = Columns ? target.X : target.Y;
    // Released outside the cells: before them, or past the last one shown.
    const int32_t lastShown =
        Columns ? LeftCol() + VisibleColCount() - 1 : TopRow() + VisibleRowCount() - 1;
    if (to < 0) to = (Columns ? At.X : At.Y) < 0 ? first : std::min(last, lastShown);
    to = std::clamp(to, first, std::max(first, last));
    if (from < first || from > last || to == from) return;
    // The indexes the grid's own drag would move, so both drags move the same cells.
    if (Columns)
        MoveColumn(from, to);
    else
        MoveRow(from, to);
}

void TAdvStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbMiddle) EndPanning();
    const TControlWatch watch(*this);
    const TGridState state = GridState();
    const TGridCoord cell = MouseCoord(X, Y);
    const bool moving = state == gsColMoving || state == gsRowMoving;
    // The edit in hand is checked in the cell it was typed in, before the lines move under it.
    if (Button == mbLeft && moving && FHasFocus) {
        EndCellEdit();
        if (watch.Expired()) return;
    }
    if (Button == mbLeft && FEnhRowColMove && moving) {
        // Ends the grid's own drag, so that the move below is the only one, with SortColumn
        // following its column.
        Perform(WM_CANCELMODE, 0, 0);
        if (watch.Expired()) return;
        MoveDraggedLine(state == gsColMoving, Point(X, Y));
        if (watch.Expired()) return;
    }
    TStringGrid::MouseUp(Button, Shift, X, Y);
    if (watch.Expired() || Button != mbLeft) return;
    ResumeRedraw();
    // A release that ends sizing, or a move that took the line elsewhere, is no header click.
    const bool sized = state == gsColSizing || state == gsRowSizing;
    const bool moved =
        moving && (state == gsColMoving ? cell.X != FPressCell.X : cell.Y != FPressCell.Y);
    if (sized) return;
    if (moved) {
        // Another line's text is in the current cell now.
        BeginCellEdit();
        NoteSelectedText(Col(), Row());
        return;
    }
    // Rows may change places: the edit in hand is checked before and the cell taken again after.
    if (FHasFocus) {
        EndCellEdit();
        if (watch.Expired()) return;
    }
    HeaderClickSort(X, Y);
    if (!watch.Expired()) BeginCellEdit();
}

void TAdvStringGrid::DblClick() {
    const TControlWatch watch(*this);
    TStringGrid::DblClick();
    if (watch.Expired() || !OnDblClickCell) return;
    // From the editor too, which lies over the current cell: the pointer says which cell.
    TPoint at{0, 0};
    if (!GetCursorPos(at)) return;
    at = ScreenToClient(at);
    const TGridCoord cell = MouseCoord(at.X, at.Y);
    if (cell.X >= 0 && cell.Y >= 0) OnDblClickCell(this, cell.Y, RealColIndex(cell.X));
}

}  // namespace vex
