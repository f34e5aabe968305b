// The grids: one group a kind of grid.

#include <array>
#include <string>

#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/ui/grid.h"

namespace gallery {

namespace {

using namespace vex;

// A grid that draws its cells itself: a week of mail counted by folder, the folders down the
// fixed column and the days across the fixed row.
class TMailCountGrid : public TCustomGrid {
public:
    explicit TMailCountGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
        SetColCount(8);
        SetRowCount(7);
        SetDefaultColWidth(44);
        SetDefaultRowHeight(18);
        SetColWidths(0, 64);
        SetOptions(Options() + TGridOptions{goColSizing, goRowSizing, goColMoving, goTabs});
    }

protected:
    void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState) override {
        static const std::array<const char*, 8> days = {"",    "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat", "Sun"};
        static const std::array<const char*, 7> folders = {"",      "Inbox", "Junk",   "Sent",
                                                           "Trash", "Lists", "Archive"};
        std::string text;
        if (ARow == 0)
            text = days[ACol % days.size()];
        else if (ACol == 0)
            text = folders[ARow % folders.size()];
        else
            text = std::to_string((ACol * 7 + ARow * 13) % 40);
        Canvas().TextRect(ARect, ARect.Left + 3, ARect.Top + 2, text);
    }
};

}  // namespace

int DrawGrids(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Draw grid (drag borders and titles)");
    auto* grid = Add<TMailCountGrid>(box, Rect(8, 8, 290, 142));
    grid->SetRow(2);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
