#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"
#include "components/misc/AdvGridFileReader.h"
#include "platform/core/files.h"

namespace vex {

using namespace advgridfile;

namespace {

// A width or cell line outside the grid, or too short to name a cell, is left out.
void ApplyLine(TAdvStringGrid& Grid, std::string_view Line) {
    if (IsWidthLine(Line)) {
        const std::optional<TWidthLine> width = ParseWidthLine(Line);
        if (width && width->Col >= 0 && width->Col < Grid.ColCount())
            Grid.SetColWidths(width->Col, width->Width);
        return;
    }
    const std::optional<TCellLine> cell = ParseCellLine(Line);
    if (cell && cell->Col >= 0 && cell->Col < Grid.ColCount() && cell->Row >= 0 &&
        cell->Row < Grid.RowCount())
        Grid.SetCells(cell->Col, cell->Row, UnescapeCellText(cell->Text));
}

std::string CurrentCellText(const TAdvStringGrid& Grid) {
    if (Grid.ColCount() == 0 || Grid.RowCount() == 0) return {};
    return Grid.Cells(Grid.RealColIndex(Grid.Col()), Grid.Row());
}

// The fixed columns and rows that the file's counts leave out.
TGridCounts FixedCellsLeftOut(const TAdvStringGrid& Grid) {
    if (Grid.StoreFixedCells) return {0, 0};
    return {Grid.FixedCols(), Grid.FixedRows()};
}

// Where a save lands. A new file renamed into place would replace a link by a file of its own
// and a read-only file regardless of its mode, so a link is followed to the file it names, and a
// file the caller may not write is refused as opening it for writing would be.
std::string SaveTarget(const std::string& FileName) {
    std::string target = FileName;
    struct stat st;
    if (::lstat(FileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(FileName.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES)
        throw EAdvGridError("Cannot create file " + FileName + ". " + std::strerror(EACCES));
    return target;
}

}  // namespace

void TAdvStringGrid::SaveToFile(const std::string& FileName) {
    const auto [fixedCols, fixedRows] = FixedCellsLeftOut(*this);
    const int32_t storedCols = ColCount() + HiddenColCount();
    std::string out;
    AppendHeaderLine(out, storedCols - fixedCols, RowCount() - fixedRows);
    // Widths are kept by screen position, lines by real index: a hidden column, wherever it
    // stands, carries the default width and the columns right of it keep their own.
    for (int32_t c = 0; c < storedCols; ++c) {
        const int32_t onScreen = ScreenColOf(c);
        AppendWidthLine(out, c, onScreen >= 0 ? ColWidths(onScreen) : DefaultColWidth());
    }
    for (int32_t r = fixedRows; r < RowCount(); ++r)
        for (int32_t c = fixedCols, used = UsedColCount(r); c < used; ++c)
            if (const std::string& text = Cells(c, r); !text.empty())
                AppendCellLine(out, c, r, text);
    try {
        WriteFileAtomic(SaveTarget(FileName), out);
    } catch (const EStreamError& e) {
        throw EAdvGridError(e.Message());
    } catch (const EInOutError& e) {
        throw EAdvGridError(e.Message());
    }
}

void TAdvStringGrid::LoadFromFile(const std::string& FileName) {
    TAdvGridFileReader reader(FileName);
    std::string line;
    TGridCounts counts{ColCount(), RowCount()};
    if (reader.ReadLine(line) && !line.empty()) {
        const TGridCounts fixed = FixedCellsLeftOut(*this);
        const std::optional<TGridCounts> header =
            GridCountsOfHeader(line, fixed.Cols, fixed.Rows, HiddenColCount());
        if (!header) RaiseCorruptFile(FileName);
        counts = *header;
    }
    if (counts.Cols == 0 || counts.Rows == 0) RaiseCorruptFile(FileName);
    // Every line is read once before the grid changes, so a line longer than the format allows
    // or a failed read leaves the grid as it was instead of half loaded.
    while (reader.ReadLine(line))
        continue;

    reader.Rewind();
    reader.ReadLine(line);
    const std::string currentBefore = CurrentCellText(*this);
    SetColCount(counts.Cols);
    SetRowCount(counts.Rows);
    while (reader.ReadLine(line))
        ApplyLine(*this, line);
    if (CurrentCellText(*this) != currentBefore) TakeLoadedCurrentText();
}

// The current cell is noted as it stands now, as when it was entered: the editor, Escape and the
// validation of the edit would otherwise put the text from before the load back into it.
void TAdvStringGrid::TakeLoadedCurrentText() {
    FSelectedCol = RealColIndex(Col());
    FSelectedRow = Row();
    FSelectedText = Cells(FSelectedCol, FSelectedRow);
    BeginCellEdit();
    if (EditorMode()) InvalidateEditor();
}

}  // namespace vex
