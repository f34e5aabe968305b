#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"
#include "platform/registry/reginifile.h"
#include "platform/win/application.h"

namespace vex {

namespace {

std::string WidthName(int32_t Col) {
    return "col" + std::to_string(Col);
}

// The widths kept for the first Count columns, -1 where none is: a value that is missing, no
// number, or not text at all (a hand edit may leave one), and all of them when the key cannot be
// opened (a store that cannot be written cannot make it). The form loads with its own widths
// rather than fail.
std::vector<int32_t> KeptWidths(const TColumnSize& Size, int32_t Count) {
    std::vector<int32_t> widths(static_cast<size_t>(Count), -1);
    try {
        TRegIniFile ini(Size.Key);
        for (int32_t c = 0; c < Count; ++c) {
            try {
                widths[static_cast<size_t>(c)] = ini.ReadInteger(Size.Section, WidthName(c), -1);
            } catch (const ERegistryException&) {
            }
        }
    } catch (const ERegistryException&) {
    }
    return widths;
}

}  // namespace

bool TAdvStringGrid::KeepsColumnWidths() const {
    return FColumnSize.Save && !FColumnSize.Key.empty() && !FColumnSize.Section.empty() &&
           !ComponentState().Contains(csDesigning);
}

void TAdvStringGrid::ReadColumnWidths() {
    if (!KeepsColumnWidths()) return;
    const std::vector<int32_t> widths = KeptWidths(FColumnSize, ColCount());
    for (int32_t c = 0; c < ColCount(); ++c)
        if (const int32_t width = widths[static_cast<size_t>(c)]; width != -1)
            SetColWidths(c, advgridfile::ClampColumnWidth(width));
}

// Runs while the grid is destroyed, where an exception would end the program: a registry that
// cannot be written is reported as a failed event handler is, and the grid goes on.
void TAdvStringGrid::WriteColumnWidths() {
    if (!KeepsColumnWidths()) return;
    try {
        TRegIniFile ini(FColumnSize.Key);
        for (int32_t c = 0; c < ColCount(); ++c)
            ini.WriteInteger(FColumnSize.Section, WidthName(c), ColWidths(c));
    } catch (const Exception&) {
        Application().HandleException(this);
    }
}

}  // namespace vex
