// The grid's cursors over link cells and over the fixed cells that select, and the wheel:
// Ctrl with the wheel zooms, the wheel alone moves the current row by the system's lines.

#include <algorithm>

#include "components/misc/AdvGrid.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "platform/win/systemparameters.h"

namespace vex {

namespace {

// The program's own cursor resources; the grid's Cursor names them by their numbers while the
// pointer is over such a cell.
constexpr TCursor crGridLink = 8009;
constexpr TCursor crGridRowSelect = 8010;
constexpr TCursor crGridColSelect = 8011;
constexpr TCursor crGridSelectAll = 8012;
constexpr HMODULE kProgramModule = 1;
// Beyond this a wheel setting means "a page"; a notch moves no more than this many rows.
constexpr uint32_t kMaxWheelLines = 100;

}  // namespace

void TAdvStringGrid::LoadPointerSettings() {
    UINT lines = 0;
    if (SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        FWheelScrollLines = static_cast<int32_t>(std::min<uint32_t>(lines, kMaxWheelLines));
}

void TAdvStringGrid::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    UpdateCellCursor(X, Y);
    TStringGrid::MouseMove(Shift, X, Y);
}

TCursor TAdvStringGrid::CellCursorAt(int32_t X, int32_t Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) return crDefault;
    const bool fixedCol = cell.X < FixedCols(), fixedRow = cell.Y < FixedRows();
    if (fixedCol && fixedRow) return FMouseActions.AllSelect ? crGridSelectAll : crDefault;
    if (fixedRow) return FMouseActions.ColSelect ? crGridColSelect : crDefault;
    if (fixedCol) return FMouseActions.RowSelect ? crGridRowSelect : crDefault;
    return FURLShow && IsLinkCell(cell.X, cell.Y) ? crGridLink : crDefault;
}

void TAdvStringGrid::UpdateCellCursor(int32_t X, int32_t Y) {
    const TCursor wanted = CellCursorAt(X, Y);
    if (wanted != crDefault) {
        // The owner's cursor is remembered once, on the way into the special cells.
        if (!FCellCursorShown) FOwnerCursor = Cursor();
        FCellCursorShown = true;
        SetCursor(wanted);
    } else if (FCellCursorShown) {
        FCellCursorShown = false;
        SetCursor(FOwnerCursor);
    }
}

void TAdvStringGrid::DefaultHandler(TMessage& Message) {
    // The middle button's release now goes elsewhere: panning would follow the pointer for good.
    if (Message.Msg == WM_CAPTURECHANGED) EndPanning();
    if (Message.Msg == WM_SETCURSOR && LOWORD(Message.LParam) == HTCLIENT &&
        GridState() == gsNormal) {
        TPoint at{0, 0};
        GetCursorPos(at);
        at = ScreenToClient(at);
        TGridState sizing = gsNormal;
        int32_t index = 0, pos = 0, ofs = 0;
        CalcSizingState(at.X, at.Y, sizing, index, pos, ofs);
        const TCursor wanted = sizing == gsNormal ? CellCursorAt(at.X, at.Y) : crDefault;
        const HCURSOR shown =
            wanted != crDefault ? LoadCursor(kProgramModule, static_cast<uint32_t>(wanted)) : 0;
        if (shown != 0) {
            ::vex::SetCursor(shown);
            Message.Result = 1;
            return;
        }
        TStringGrid::DefaultHandler(Message);
        // Nothing else chose one: the owner's cursor comes back in place of the grid's.
        if (Message.Result == 0 && sizing == gsNormal) {
            const TCursorSource source = CursorSource(Cursor());
            const uint32_t id = source.Id != 0 ? source.Id : IDC_ARROW;
            ::vex::SetCursor(
                Cursor() == crNone ? 0 : LoadCursor(source.Picture ? kProgramModule : 0, id));
            Message.Result = 1;
        }
        return;
    }
    TStringGrid::DefaultHandler(Message);
}

bool TAdvStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    // The owner's OnMouseWheelDown may take the notch; the grid's own row step is replaced.
    const TControlWatch watch(*this);
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos) || watch.Expired()) return true;
    WheelNotch(Shift, true);
    return true;
}

bool TAdvStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const TControlWatch watch(*this);
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos) || watch.Expired()) return true;
    WheelNotch(Shift, false);
    return true;
}

void TAdvStringGrid::WheelNotch(TShiftState Shift, bool Towards) {
    if (FPanning) return;
    const int32_t lines = Towards ? FWheelScrollLines : -FWheelScrollLines;
    if (Shift.Contains(ssCtrl)) {
        Zoom(lines);
        return;
    }
    const int32_t first = FixedRows();
    const int32_t last = RowCount() - 1 - FFixedFooters;
    if (ColCount() == 0 || last < first) return;
    // Rows past the data rows would be footers, which never become current.
    const int32_t row = std::clamp(Row() + lines, first, last);
    if (row != Row()) MoveColRow(Col(), row, true, true);
}

}  // namespace vex
