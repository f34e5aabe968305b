// The grid's keys beyond the string grid's: Escape puts a cell's text back, Enter moves on (and
// may append a row or column), a typed letter finds a row by its sort column, Space ticks a
// check box, Insert and Delete add and remove rows, and the clipboard's shortcuts.

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/win/keyboard.h"

namespace vex {

void TAdvStringGrid::KeyPress(char& Key) {
    const TControlWatch watch(*this);
    if (Key == '\x1B') {
        RestoreSelectedText();
    } else if (Key == '\r' && FNavigation.AdvanceOnEnter) {
        AdvanceAfterEnter();
    } else if (!Options().Contains(goEditing) && FNavigation.AutoGotoWhenSorted) {
        GotoRowStartingWith(Key);
    }
    if (!watch.Expired()) TStringGrid::KeyPress(Key);
}

void TAdvStringGrid::RestoreSelectedText() {
    if (ColCount() == 0 || RowCount() == 0) return;
    // Only into the cell the text came from: counts cut since may have moved the current cell.
    const int32_t col = RealColIndex(Col());
    if (col != FSelectedCol || Row() != FSelectedRow) return;
    if (Cells(col, Row()) != FSelectedText) SetCells(col, Row(), FSelectedText);
}

void TAdvStringGrid::AdvanceAfterEnter() {
    if (ColCount() == 0 || RowCount() == 0) return;
    const TGridRect data = DataCells();
    const bool across = FNavigation.AdvanceDirection == adLeftRight;
    // Along is the direction Enter moves in, Next the one it wraps into.
    int32_t along = across ? Col() : Row();
    int32_t next = across ? Row() : Col();
    const int32_t firstAlong = across ? data.Left : data.Top;
    const int32_t lastAlong = across ? data.Right : data.Bottom;
    const int32_t firstNext = across ? data.Top : data.Left;
    const int32_t lastNext = across ? data.Bottom : data.Right;
    bool appended = false;
    const TControlWatch watch(*this);
    if (along < lastAlong) {
        ++along;
    } else if (next < lastNext) {
        ++next;
        along = firstAlong;
    } else if (FNavigation.AdvanceInsert) {
        if (across)
            AppendDataRow(1);
        else
            AppendDataCol(1);
        if (watch.Expired()) return;
        appended = true;
        ++next;
        along = firstAlong;
    } else {
        along = firstAlong;
        next = firstNext;
    }
    MoveColRow(across ? along : next, across ? next : along, true, true);
    if (watch.Expired()) return;
    if (appended) {
        // The new line is no cell of the edit that began before it.
        BeginCellEdit();
        if (across && OnAutoInsertRow) OnAutoInsertRow(this, RowCount() - 1 - FFixedFooters);
        if (!across && OnAutoInsertCol)
            OnAutoInsertCol(this, RealColIndex(ColCount() - 1 - FFixedRightCols));
        if (watch.Expired()) return;
    }
    Invalidate();
}

// The new rows go above the footer rows: added at the bottom, they would turn the footers into
// data rows and leave empty footers under them.
void TAdvStringGrid::AppendDataRow(int32_t Count) {
    if (FFixedFooters == 0)
        SetRowCount(RowCount() + Count);
    else
        InsertRows(RowCount() - FFixedFooters, Count);
}

void TAdvStringGrid::AppendDataCol(int32_t Count) {
    if (Count > MaxAdvGridColumns - ColCount() - FHiddenColCount)
        throw EAdvGridError("A grid holds at most " + std::to_string(MaxAdvGridColumns) +
                            " columns, hidden ones included; no column is added");
    const int32_t firstRight = ColCount() - FFixedRightCols;
    SetColCount(ColCount() + Count);
    if (FFixedRightCols == 0) return;
    // The right fixed columns move out along the columns shown: a hidden column among the real
    // indexes keeps its cells, which inserting by real index would overwrite.
    const std::vector<int32_t> reals = RealCols(firstRight, FFixedRightCols + Count);
    for (int32_t i = FFixedRightCols - 1; i >= 0; --i)
        for (int32_t r = 0; r < RowCount(); ++r)
            CopyCell(reals[static_cast<size_t>(i)], r, reals[static_cast<size_t>(i + Count)], r);
    for (int32_t i = 0; i < std::min(Count, FFixedRightCols); ++i)
        for (int32_t r = 0; r < RowCount(); ++r)
            EmptyCell(reals[static_cast<size_t>(i)], r);
}

void TAdvStringGrid::GotoRowStartingWith(char Key) {
    if (Key >= 'a' && Key <= 'z') Key = static_cast<char>(Key - 'a' + 'A');
    const int32_t col = FSortShow ? FSortColumn : 1;
    if (col < 0 || col >= StoredColCount() || ColCount() == 0) return;
    const TGridRect data = DataCells();
    for (int32_t row = data.Top; row <= data.Bottom; ++row) {
        const std::string& text = Cells(col, row);
        if (!text.empty() && text.front() == Key) {
            if (row != Row()) MoveColRow(Col(), row, true, true);
            return;
        }
    }
}

void TAdvStringGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
    const TControlWatch watch(*this);
    const TGridRect before = Selection();
    TStringGrid::KeyDown(Key, Shift);
    if (watch.Expired()) return;
    if (FSelectionRectangle && !(Selection() == before)) InvalidateGrid();
    if (Key == 0 || ColCount() == 0 || RowCount() == 0) return;
    if (Key == VK_SPACE) {
        ToggleCheckBox(Col(), Row());
        return;
    }
    if (FNavigation.AllowClipboardShortCuts && ClipboardShortCut(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool plain = !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift);
    if (Key == VK_INSERT && FNavigation.AllowInsertRow && plain) {
        Key = 0;
        InsertRowAtCurrent();
    } else if (Key == VK_DELETE && FNavigation.AllowDeleteRow) {
        Key = 0;
        DeleteCurrentRow();
    }
}

bool TAdvStringGrid::ClipboardShortCut(uint16_t Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if ((ctrl && Key == 'X') || (shift && Key == VK_DELETE)) {
        CutToClipboard();
    } else if ((ctrl && Key == 'V') || (shift && Key == VK_INSERT)) {
        PasteFromClipboard();
    } else if (ctrl && (Key == 'C' || Key == VK_INSERT)) {
        CopyToClipboard();
    } else {
        return false;
    }
    return true;
}

void TAdvStringGrid::InsertRowAtCurrent() {
    const int32_t row = Row();
    const TControlWatch watch(*this);
    InsertRows(row, 1);
    if (watch.Expired()) return;
    // The edit in hand moved down with its row and is validated there; the current cell is the
    // new empty one, which Escape must not fill with the text of the row that moved.
    if (FEditRow >= row) ++FEditRow;
    NoteSelectedText(Col(), Row());
    if (OnAutoInsertRow) OnAutoInsertRow(this, row);
}

void TAdvStringGrid::DeleteCurrentRow() {
    if (RowCount() - FFixedFooters - FixedRows() <= 1) return;
    const int32_t row = Row();
    const TControlWatch watch(*this);
    RemoveRows(row, 1);
    if (watch.Expired()) return;
    if (row >= RowCount() - FFixedFooters) {
        // The last data row went: the one above it becomes current.
        MoveColRow(Col(), row - 1, true, true);
        if (watch.Expired()) return;
    }
    // The current cell holds another row's text now: Escape puts back that, not the removed one.
    BeginCellEdit();
    NoteSelectedText(Col(), Row());
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, row);
}

}  // namespace vex
