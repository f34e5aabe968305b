// The grid's keys: the arrows, Page Up/Down, Home and End move the current cell (Shift extends
// the selection with goRangeSelect), Tab and Shift+Tab go from tab stop to tab stop with goTabs,
// and F2, Enter and a typed character open the editor with goEditing.

#include <algorithm>

#include "platform/ui/grid.h"
#include "platform/win/keyboard.h"

namespace vex {

// Where a navigation key takes the current cell; the current cell itself for any other key.
TGridCoord TCustomGrid::KeyTarget(uint16_t Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool rowSelect = FOptions.Contains(goRowSelect);
    const int32_t lastCol = ColCount() - 1;
    const int32_t lastRow = RowCount() - 1;
    const int32_t page = std::max(1, VisibleRowCount());
    TGridCoord to = FCurrent;
    switch (Key) {
        case VK_UP:
            --to.Y;
            break;
        case VK_DOWN:
            ++to.Y;
            break;
        case VK_LEFT:
            --to.X;
            break;
        case VK_RIGHT:
            ++to.X;
            break;
        case VK_PRIOR:
            to.Y -= page;
            break;
        case VK_NEXT:
            to.Y += page;
            break;
        case VK_HOME:
            to.X = FFixedCols;
            if (ctrl || rowSelect) to.Y = FFixedRows;
            break;
        case VK_END:
            to.X = lastCol;
            if (ctrl || rowSelect) to.Y = lastRow;
            break;
        default:
            break;
    }
    to.X = std::clamp(to.X, FFixedCols, std::max(FFixedCols, lastCol));
    to.Y = std::clamp(to.Y, FFixedRows, std::max(FFixedRows, lastRow));
    return to;
}

// The next (or previous) cell with a tab stop, row by row; false at the grid's end.
bool TCustomGrid::TabTo(bool Forward) {
    if (!HasCells()) return false;
    int32_t col = FCurrent.X, row = FCurrent.Y;
    // A row without any tab stop would otherwise be walked cell by cell to the grid's end.
    bool anyStop = false;
    for (int32_t c = FFixedCols; c < ColCount() && !anyStop; ++c)
        anyStop = TabStops(c);
    if (!anyStop) return false;
    for (;;) {
        if (Forward) {
            if (++col >= ColCount()) {
                if (++row >= RowCount()) return false;
                col = FFixedCols;
            }
        } else {
            if (--col < FFixedCols) {
                if (--row < FFixedRows) return false;
                col = ColCount() - 1;
            }
        }
        if (TabStops(col)) break;
    }
    MoveColRow(col, row, true, true);
    return true;
}

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
    // OnKeyDown may free the grid.
    const TControlWatch watch(*this);
    TCustomControl::KeyDown(Key, Shift);
    if (watch.Expired() || Key == 0) return;
    if (!CanGridAcceptKey(Key, Shift)) {
        Key = 0;
        return;
    }
    switch (Key) {
        case VK_F2:
            if (FOptions.Contains(goEditing)) SetEditorMode(true);
            Key = 0;
            return;
        case VK_TAB:
            if (FOptions.Contains(goTabs) && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl)) {
                TabTo(!Shift.Contains(ssShift));
                Key = 0;
            }
            return;
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            break;
        default:
            return;
    }
    if (!HasCells()) {
        Key = 0;
        return;
    }
    const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    if (FOptions.Contains(goRowSelect) && (Key == VK_LEFT || Key == VK_RIGHT)) {
        // A selected row has no column to move to: the view moves instead.
        const int32_t step = Key == VK_RIGHT ? 1 : -1;
        Key = 0;
        MoveTopLeft(FTopLeft.X + step, FTopLeft.Y);
        return;
    }
    if (Key == VK_PRIOR || Key == VK_NEXT) {
        // A page keeps the current cell where it is on screen, as far as the grid allows.
        const int32_t page = std::max(1, VisibleRowCount());
        MoveTopLeft(FTopLeft.X, FTopLeft.Y + (Key == VK_NEXT ? page : -page));
        // OnTopLeftChanged may free the grid.
        if (watch.Expired()) {
            Key = 0;
            return;
        }
    }
    const TGridCoord to = KeyTarget(Key, Shift);
    if (!(to == FCurrent)) MoveColRow(to.X, to.Y, !extend, true);
    Key = 0;
}

void TCustomGrid::KeyPress(char& Key) {
    const TControlWatch watch(*this);
    TCustomControl::KeyPress(Key);
    if (watch.Expired()) return;
    if (Key == '\r' && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TCustomGrid::WMChar(TMessage& Message) {
    const auto ch = static_cast<unsigned char>(Message.WParam);
    if (FOptions.Contains(goEditing) && (ch == '\b' || ch >= ' ')) {
        ShowEditorChar(static_cast<char>(ch));
        return;
    }
    TCustomControl::WMChar(Message);
}

}  // namespace vex
