#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"
#include "platform/registry/reginifile.h"
#include "platform/win/application.h"

namespace vex {

namespace {

std::string WidthName(int32_t Col) {
    return "col" + std::to_string(Col);
}

// -1 when the column has no width kept: a value that is missing, no number, or not text at all
// (a hand edit may leave one) leaves the column as it is instead of failing the form's load.
int32_t KeptWidth(TRegIniFile& Ini, const std::string& Section, int32_t Col) {
    try {
        return Ini.ReadInteger(Section, WidthName(Col), -1);
    } catch (const ERegistryException&) {
        return -1;
    }
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
        const int32_t width = KeptWidth(ini, FColumnSize.Section, c);
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
