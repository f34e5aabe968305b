#include <algorithm>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridCompare.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Thrown from inside a sort when a handler has freed the grid, so that nothing on the way out
// touches it again.
struct TGridFreedWhileSorting {};

// Keeps the grid from painting while its rows move, and repaints it once afterwards, unless a
// handler has freed it meanwhile.
class TDrawingSuspended {
public:
    explicit TDrawingSuspended(TWinControl& Control) : FControl(Control), FWatch(Control) {
        if (FControl.HandleAllocated()) SendMessage(FControl.Handle(), WM_SETREDRAW, 0, 0);
    }
    ~TDrawingSuspended() {
        if (FWatch.Expired()) return;
        if (FControl.HandleAllocated()) SendMessage(FControl.Handle(), WM_SETREDRAW, 1, 0);
        FControl.Invalidate();
    }
    TDrawingSuspended(const TDrawingSuspended&) = delete;
    TDrawingSuspended& operator=(const TDrawingSuspended&) = delete;

private:
    TWinControl& FControl;
    TControlWatch FWatch;
};

// A row appended below all others for the current cell to sit on while rows move. It is
// marked, so that it is found, and taken out, where rows or columns a handler inserted or
// removed have moved it; cutting the count back instead would cut a record.
class TSpareRow {
public:
    explicit TSpareRow(TAdvStringGrid& Grid) : FGrid(Grid), FIndex(Grid.RowCount()) {
        FGrid.SetRowCount(FIndex + 1);
        // In every column, so that no column a handler removes takes the mark along.
        for (int32_t c = 0; c < FGrid.StoredColCount(); ++c)
            FGrid.SetObjects(c, FIndex, &Mark());
    }
    TSpareRow(const TSpareRow&) = delete;
    TSpareRow& operator=(const TSpareRow&) = delete;

    int32_t Index() const { return FIndex; }
    // No row was inserted or removed above it.
    bool InPlace() const { return FIndex < FGrid.RowCount() && Holds(FIndex); }
    // Takes the row out; Current is made current again when the application refused it.
    void Remove(int32_t Current) {
        if (InPlace() && FGrid.Row() == FIndex)
            FGrid.SetSelection({FGrid.Col(), Current, FGrid.Col(), Current});
        for (int32_t r = FGrid.RowCount() - 1; r >= 0; --r)
            if (Holds(r)) {
                FGrid.RemoveRows(r, 1);
                return;
            }
    }

private:
    bool Holds(int32_t ARow) const {
        for (int32_t c = 0; c < FGrid.StoredColCount(); ++c)
            if (FGrid.Objects(c, ARow) == &Mark()) return true;
        return false;
    }
    static TObject& Mark() {
        static TObject mark;
        return mark;
    }

    TAdvStringGrid& FGrid;
    const int32_t FIndex;
};

}  // namespace

// The quick sort of a block of rows. Its comparisons come from the application's handlers and
// need not be a strict weak ordering (words among numbers compare equal to everything), so
// every scan is bounded by the block and every pass leaves a smaller block behind; the smaller
// part is sorted by recursion and the larger by the loop, which keeps the depth logarithmic.
class TAdvStringGrid::TRowQuickSort {
public:
    TRowQuickSort(TAdvStringGrid& Grid, const TControlWatch& Watch, std::vector<int32_t*> Followers)
        : FGrid(Grid),
          FWatch(Watch),
          FFollowers(std::move(Followers)),
          FSortCol(Grid.FSortColumn),
          // The last stored column breaks no tie; it counts only as the sort column itself.
          FLastTieCol(std::max(Grid.FSortColumn, Grid.StoredColCount() - 2)),
          FDirection(Grid.FSortDirection == sdDescending ? -1 : 1),
          FRowCount(Grid.RowCount()),
          FColCount(Grid.StoredColCount()) {}

    void Sort(int32_t L, int32_t R) {
        while (L < R) {
            TakePivot(L + (R - L) / 2);
            int32_t i = L;
            int32_t j = R;
            do {
                while (i <= R && CompareRow(i, true) == FDirection)
                    ++i;
                while (j >= L && CompareRow(j, false) == FDirection)
                    --j;
                if (i <= j) {
                    if (i != j) Exchange(i, j);
                    ++i;
                    --j;
                }
            } while (i <= j);
            // Comparisons that contradict themselves can leave one part as large as the block;
            // cutting it by a row still gives an order and makes every pass shorter.
            const int32_t leftEnd = std::min(j, R - 1);
            const int32_t rightStart = std::max(i, L + 1);
            if (leftEnd - L < R - rightStart) {
                Sort(L, leftEnd);
                L = rightStart;
            } else {
                Sort(rightStart, R);
                R = leftEnd;
            }
        }
    }

private:
    // The pivot's texts are copied out, as far as a comparison reads them, so that it stays
    // the same while its row moves.
    void TakePivot(int32_t ARow) {
        FPivot.resize(static_cast<size_t>(FLastTieCol - FSortCol + 1));
        for (int32_t c = FSortCol; c <= FLastTieCol; ++c)
            FPivot[static_cast<size_t>(c - FSortCol)] = FGrid.Cells(c, ARow);
    }

    // compare(pivot, row) when PivotFirst, else compare(row, pivot); ties go to the columns to
    // the right.
    int32_t CompareRow(int32_t ARow, bool PivotFirst) {
        for (int32_t c = FSortCol;; ++c) {
            const int32_t result = CompareCell(c, ARow, PivotFirst);
            if (result != 0 || c >= FLastTieCol) return result;
        }
    }

    int32_t CompareCell(int32_t ACol, int32_t ARow, bool PivotFirst) {
        TSortStyle style = ssText;
        FPrefix.clear();
        FSuffix.clear();
        if (FGrid.OnGetFormat) {
            FGrid.OnGetFormat(&FGrid, ACol, style, FPrefix, FSuffix);
            CheckAfterHandler();
        }
        // Read after the handler, which may have changed the cell.
        const std::string& pivot = FPivot[static_cast<size_t>(ACol - FSortCol)];
        const std::string& cell = FGrid.Cells(ACol, ARow);
        const std::string& a = PivotFirst ? pivot : cell;
        const std::string& b = PivotFirst ? cell : pivot;
        if (style != ssByEvent) return CompareCellTexts(style, a, b, FPrefix, FSuffix);
        if (!FGrid.OnCustomCompare) return 0;
        int32_t result = 0;
        // Copies: the handler may change the grid's cells while it reads them.
        FGrid.OnCustomCompare(&FGrid, std::string(a), std::string(b), result);
        CheckAfterHandler();
        return (result > 0) - (result < 0);
    }

    void Exchange(int32_t Row1, int32_t Row2) {
        FGrid.ExchangeRowCells(Row1, Row2);
        for (int32_t* row : FFollowers) {
            if (*row == Row1)
                *row = Row2;
            else if (*row == Row2)
                *row = Row1;
        }
    }

    // The rows and columns being ordered are no longer those of the grid once a handler has
    // inserted or removed some: the sort stops rather than report an order it did not make.
    void CheckAfterHandler() const {
        if (FWatch.Expired()) throw TGridFreedWhileSorting{};
        if (FGrid.RowCount() != FRowCount || FGrid.StoredColCount() != FColCount)
            throw EAdvGridError("The grid's rows or columns changed while it was being sorted");
    }

    TAdvStringGrid& FGrid;
    const TControlWatch& FWatch;
    // Row indexes that follow their records.
    std::vector<int32_t*> FFollowers;
    const int32_t FSortCol;
    const int32_t FLastTieCol;
    const int32_t FDirection;
    const int32_t FRowCount;
    const int32_t FColCount;
    std::vector<std::string> FPivot;
    std::string FPrefix;
    std::string FSuffix;
};

void TAdvStringGrid::HeaderClickSort(int32_t X, int32_t Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y != 0) return;
    if (cell.X < FixedCols() && !FSortFixedCols) return;
    // Asked before and after OnCanSort, whose handler may take away the header row, the rows
    // or the clicked column.
    auto canSort = [&](int32_t Column) {
        return FixedRows() > 0 && FSortShow && RowCount() > 2 && Column < StoredColCount();
    };
    const int32_t column = RealColIndex(cell.X);
    if (!canSort(column)) return;
    const TControlWatch watch(*this);
    bool doSort = true;
    if (OnCanSort) {
        OnCanSort(this, column, doSort);
        if (watch.Expired() || !canSort(column)) return;
    }
    if (!doSort) return;
    if (column == FSortColumn) {
        FSortDirection = FSortDirection == sdAscending ? sdDescending : sdAscending;
    } else {
        FSortDirection = sdAscending;
        FSortColumn = column;
    }
    // The header's sort mark shows before a long sort begins.
    Repaint();
    try {
        SortRows();
    } catch (const TGridFreedWhileSorting&) {
        return;
    }
    if (OnClickSort) OnClickSort(this, column);
}

void TAdvStringGrid::SortRows() {
    const int32_t first = FixedRows();
    const int32_t last = RowCount() - 1 - std::max(0, FFixedFooters);
    if (last <= first) return;
    if (FSortColumn >= StoredColCount())
        throw EAdvGridError("Sort column " + std::to_string(FSortColumn) + " out of range");
    const TControlWatch watch(*this);
    // The editor's text goes to its cell before that cell's row moves away. An editor always
    // shown comes back as the focus returns to the grid, still tied to that cell: untied, it
    // cannot store its text into whatever record moves there.
    HideEditor();
    if (watch.Expired()) throw TGridFreedWhileSorting{};
    InvalidateEditor();
    if (watch.Expired()) throw TGridFreedWhileSorting{};
    const TDrawingSuspended suspended(*this);

    // While rows move, the current cell sits on a spare row below all others, so that no
    // handler sees a data row as current that holds another record by now.
    int32_t current = Row();
    TSpareRow spare(*this);
    SetSelection({Col(), spare.Index(), Col(), spare.Index()});
    auto restore = [&] {
        // Rows a handler inserted or removed above the spare row moved the records: the
        // remembered index names none of them any more.
        if (spare.InPlace()) {
            try {
                MoveColRow(Col(), current, true, true);
            } catch (...) {
                if (!watch.Expired()) spare.Remove(current);
                throw;
            }
            if (watch.Expired()) throw TGridFreedWhileSorting{};
        }
        spare.Remove(current);
    };
    try {
        TRowQuickSort(*this, watch, {&current, &FEditRow}).Sort(first, last);
    } catch (const TGridFreedWhileSorting&) {
        throw;
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

}  // namespace vex
