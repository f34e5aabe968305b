#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"
#include "platform/registry/reginifile.h"
#include "platform/win/application.h"

namespace vex {

namespace {

std::string WidthName(int32_t Col) {
    return "col" + std::to_string(Col);
}

}  // namespace

bool TAdvStringGrid::KeepsColumnWidths() const {
    return FColumnSize.Save && !FColumnSize.Key.empty() && !FColumnSize.Section.empty() &&
           !ComponentState().Contains(csDesigning);
}

void TAdvStringGrid::ReadColumnWidths() {
    if (!KeepsColumnWidths()) return;
    TRegIniFile ini(FColumnSize.Key);
    for (int32_t c = 0; c < ColCount(); ++c) {
        const int32_t width = ini.ReadInteger(FColumnSize.Section, WidthName(c), -1);
        if (width != -1) SetColWidths(c, advgridfile::ClampColumnWidth(width));
    }
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
