// A rule list's grid file, which a user may have edited by hand: loading it either fills the
// grid within its bounds or raises EAdvGridError and leaves the grid as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"
#include "tests/support/tempdir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    static const test::TempDir folder;
    const std::string file = folder.File("rules.lst");
    test::WriteWholeFile(file, std::string(reinterpret_cast<const char*>(Data), Size));
    TAdvStringGrid grid(nullptr);
    // The exception list's grid: six columns and a hidden seventh.
    grid.SetColCount(7);
    grid.SetRowCount(20);
    grid.SetFixedRows(1);
    grid.HideColumn(6);
    grid.SetCells(5, 19, "kept");
    try {
        grid.LoadFromFile(file);
        if (grid.ColCount() < 1 || grid.ColCount() + grid.HiddenColCount() > MaxAdvGridColumns)
            __builtin_trap();
        for (int32_t c = 0; c < grid.ColCount(); ++c)
            if (grid.ColWidths(c) < 0 || grid.ColWidths(c) > advgridfile::MaxColumnWidth)
                __builtin_trap();
    } catch (const EAdvGridError&) {
        if (grid.ColCount() != 6 || grid.RowCount() != 20 || grid.Cells(5, 19) != "kept")
            __builtin_trap();
    }
    return 0;
}
