// The selected cells to and from the clipboard as text: cells of a row apart by TAB, rows by
// a line break. Pasted text comes from any program, so its size and the grid it would make are
// checked before a cell changes.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/win/clipboard.h"

namespace vex {

namespace {

constexpr size_t kMaxPasteBytes = 16u * 1024u * 1024u;
constexpr int32_t kMaxPasteRows = 1000000;

// Calls Cell(column, row, text) for each cell of Text, counting from 0; a line break is CR LF,
// LF or CR alone, and one ending the text ends its last line rather than starting an empty one.
template <class TCellFn>
void ForEachPastedCell(std::string_view Text, TCellFn&& Cell) {
    int32_t row = 0, col = 0;
    size_t start = 0;
    for (size_t i = 0; i <= Text.size(); ++i) {
        const bool end = i == Text.size();
        const char ch = end ? '\0' : Text[i];
        if (!end && ch != '\t' && ch != '\r' && ch != '\n') continue;
        Cell(col, row, Text.substr(start, i - start));
        if (end) break;
        if (ch == '\t') {
            ++col;
        } else {
            if (ch == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            if (i + 1 == Text.size()) break;
            ++row;
            col = 0;
        }
        start = i + 1;
    }
}

struct TPastedSize {
    int32_t Cols = 0;
    int32_t Rows = 0;
};

// How many columns and rows Text covers, as ForEachPastedCell walks it.
TPastedSize MeasurePaste(std::string_view Text) {
    TPastedSize size;
    if (Text.empty()) return size;
    int32_t cols = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char ch = Text[i];
        if (ch == '\t') {
            ++cols;
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            size.Cols = std::max(size.Cols, cols + 1);
            ++size.Rows;
            cols = 0;
            if (i + 1 == Text.size()) return size;
        }
    }
    size.Cols = std::max(size.Cols, cols + 1);
    ++size.Rows;
    return size;
}

}  // namespace

std::vector<int32_t> TAdvStringGrid::RealCols(int32_t FromDisplay, int32_t Count) const {
    std::vector<int32_t> reals;
    reals.reserve(static_cast<size_t>(Count));
    int32_t display = 0;
    for (int32_t real = 0; static_cast<int32_t>(reals.size()) < Count; ++real) {
        if (real < MaxAdvGridColumns && !FVisible[static_cast<size_t>(real)]) continue;
        if (display++ >= FromDisplay) reals.push_back(real);
    }
    return reals;
}

std::string TAdvStringGrid::SelectionText() const {
    const TGridRect s = Selection();
    const std::vector<int32_t> cols = RealCols(s.Left, s.Right - s.Left + 1);
    std::string text;
    for (int32_t row = s.Top; row <= s.Bottom; ++row) {
        if (row > s.Top) text += "\r\n";
        for (size_t i = 0; i < cols.size(); ++i) {
            if (i > 0) text += '\t';
            text += Cells(cols[i], row);
        }
    }
    return text;
}

void TAdvStringGrid::CopyToClipboard() {
    if (ColCount() == 0 || RowCount() == 0) return;
    std::string text = SelectionText();
    const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
    // Cutting empties the cells only when they are on the clipboard.
    if (!clipboard.Open()) throw EAdvGridError("The clipboard is in use by another window");
    EmptyClipboard();
    SetClipboardData(CF_TEXT, std::move(text));
}

void TAdvStringGrid::CutToClipboard() {
    if (ColCount() == 0 || RowCount() == 0) return;
    const TControlWatch watch(*this);
    // The editor's text belongs in the copy, and must not come back into an emptied cell.
    HideEditor();
    if (watch.Expired()) return;
    CopyToClipboard();
    // Footer rows and right fixed columns are copied but keep their texts, as no key edits them.
    const TGridRect s = Selection(), data = DataCells();
    const int32_t left = std::max(s.Left, data.Left), right = std::min(s.Right, data.Right);
    const int32_t top = std::max(s.Top, data.Top), bottom = std::min(s.Bottom, data.Bottom);
    if (left > right || top > bottom) return;
    for (int32_t real : RealCols(left, right - left + 1))
        ClearRect(real, top, real, bottom);
}

void TAdvStringGrid::PasteFromClipboard() {
    if (ColCount() == 0 || RowCount() == 0) return;
    std::string text;
    {
        // The grid changes with the clipboard closed: its handlers may want the clipboard.
        const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
        if (!clipboard.Open()) throw EAdvGridError("The clipboard is in use by another window");
        const std::string* data = GetClipboardData(CF_TEXT);
        if (data == nullptr) return;
        const size_t length = strnlen(data->data(), data->size());
        if (length > kMaxPasteBytes)
            throw EAdvGridError("The clipboard holds " + std::to_string(length) +
                                " bytes of text; at most " + std::to_string(kMaxPasteBytes) +
                                " are pasted");
        text.assign(data->data(), length);
    }
    const TPastedSize size = MeasurePaste(text);
    if (size.Rows == 0 || !IsDataCell(Col(), Row())) return;
    // Footer rows and right fixed columns keep their texts: the lines the text needs past the
    // data cells are added before them, as Enter adds its line.
    const int64_t addCols =
        std::max<int64_t>(0, int64_t{Col()} + size.Cols - (ColCount() - FFixedRightCols));
    const int64_t addRows =
        std::max<int64_t>(0, int64_t{Row()} + size.Rows - (RowCount() - FFixedFooters));
    const int64_t cols = ColCount() + addCols, rows = RowCount() + addRows;
    if (addCols > 0 && cols + FHiddenColCount > MaxAdvGridColumns)
        throw EAdvGridError("The pasted text would make " + std::to_string(cols) +
                            " columns; a grid holds at most " + std::to_string(MaxAdvGridColumns) +
                            ", hidden ones included");
    if (addRows > 0 && rows > kMaxPasteRows)
        throw EAdvGridError("The pasted text would make more than " +
                            std::to_string(kMaxPasteRows) + " rows");
    const TControlWatch watch(*this);
    // An editor left open would put its old text back over the pasted one.
    HideEditor();
    if (watch.Expired()) return;
    // Hidden columns keep their real indexes: a grown display column maps past them.
    if (addCols > 0) AppendDataCol(static_cast<int32_t>(addCols));
    if (watch.Expired()) return;
    if (addRows > 0) AppendDataRow(static_cast<int32_t>(addRows));
    if (watch.Expired()) return;
    const std::vector<int32_t> reals = RealCols(Col(), size.Cols);
    const int32_t top = Row();
    ForEachPastedCell(text, [&](int32_t ACol, int32_t ARow, std::string_view Cell) {
        SetCells(reals[static_cast<size_t>(ACol)], top + ARow, std::string(Cell));
    });
}

}  // namespace vex
