// The grids: one group a kind of grid.

#include <array>
#include <string>

#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/ui/drawgrid.h"
#include "platform/ui/stringgrid.h"

namespace gallery {

using namespace vex;

// A week of mail counted by folder, the folders down the fixed column and the days across the
// fixed row, drawn by the grid's owner.
void DrawMailCount(TDrawGrid* Grid, int32_t ACol, int32_t ARow, TRect ARect) {
    static const std::array<const char*, 8> days = {"",    "Mon", "Tue", "Wed",
                                                    "Thu", "Fri", "Sat", "Sun"};
    static const std::array<const char*, 7> folders = {"",      "Inbox", "Junk",   "Sent",
                                                       "Trash", "Lists", "Archive"};
    std::string text;
    if (ARow == 0)
        text = days[static_cast<size_t>(ACol) % days.size()];
    else if (ACol == 0)
        text = folders[static_cast<size_t>(ARow) % folders.size()];
    else
        text = std::to_string((ACol * 7 + ARow * 13) % 40);
    Grid->Canvas().TextRect(ARect, ARect.Left + 3, ARect.Top + 2, text);
}

int DrawGrids(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Draw grid (drag borders and titles)");
    auto* grid = Add<TDrawGrid>(box, Rect(8, 8, 290, 142));
    grid->SetColCount(8);
    grid->SetRowCount(7);
    grid->SetDefaultColWidth(44);
    grid->SetDefaultRowHeight(18);
    grid->SetColWidths(0, 64);
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing, goColMoving, goTabs});
    grid->OnDrawCell = [grid](TObject*, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState) {
        DrawMailCount(grid, ACol, ARow, ARect);
    };
    grid->SetRow(2);
    return box->BoundsRect().Bottom;
}

int StringGrids(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "String grid (F2, type, Enter, Escape)");
    auto* grid = Add<TStringGrid>(box, Rect(8, 8, 290, 142));
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->SetDefaultRowHeight(18);
    grid->SetColWidths(0, 24);
    grid->SetColWidths(1, 110);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goColSizing, goTabs});
    static const std::array<std::array<const char*, 3>, 6> rules = {{
        {"Subject contains", "Action", "Hits"},
        {"free offer", "Delete", "41"},
        {"winner", "Delete", "17"},
        {"newsletter", "Keep", "3"},
        {"invoice", "Mark", "9"},
        {"meeting", "Keep", "0"},
    }};
    for (int32_t r = 0; r < 6; ++r) {
        if (r > 0) grid->SetCells(0, r, std::to_string(r));
        for (int32_t c = 0; c < 3; ++c)
            grid->SetCells(c + 1, r, rules[static_cast<size_t>(r)][static_cast<size_t>(c)]);
    }
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
