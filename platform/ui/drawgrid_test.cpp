#include "platform/ui/drawgrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/grid_testsupport.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

// Rows 1 to 5 are whole on screen.
struct TDrawGridScene : test::TGridSceneOf<TDrawGrid> {
    TDrawGridScene() { Application().ProcessMessages(); }
    void FreeGrid() {
        delete Grid;
        Grid = nullptr;
    }
};

// Each event may free the grid; the grid must then touch nothing of itself on the way out.
TEST(DrawGrid, AGridFreedByItsOwnEventIsLeftAlone) {
    struct TCase {
        std::string Name;
        std::function<void(TDrawGridScene&)> Arm;
        std::function<void(TDrawGridScene&)> Act;
    };
    auto pressKey = [](int32_t Key) { return [Key](TDrawGridScene&) { test::PressKey(Key); }; };
    // The editor is open, and storing its text frees the grid.
    auto editingFreed = [](TGridOptions Extra) {
        return [Extra](TDrawGridScene& s) {
            s.Grid->SetOptions(s.Grid->Options() + Extra + TGridOptions{goEditing});
            s.Grid->OnSetEditText = [&s](TObject*, int32_t, int32_t, const std::string&) {
                s.FreeGrid();
            };
            test::PressKey(VK_F2);
        };
    };
    const std::vector<TCase> cases = {
        {"OnSelectCell on Down",
         [](TDrawGridScene& s) {
             s.Grid->OnSelectCell = [&s](TObject*, int32_t, int32_t, bool&) { s.FreeGrid(); };
         },
         pressKey(VK_DOWN)},
        {"OnDrawCell on painting",
         [](TDrawGridScene& s) {
             s.Grid->OnDrawCell = [&s](TObject*, int32_t, int32_t, TRect, TGridDrawState) {
                 s.FreeGrid();
             };
         },
         [](TDrawGridScene& s) { s.Grid->Invalidate(); }},
        {"OnTopLeftChanged on Page Down",
         [](TDrawGridScene& s) { s.Grid->OnTopLeftChanged = [&s](TObject*) { s.FreeGrid(); }; },
         pressKey(VK_NEXT)},
        {"OnTopLeftChanged on Down past the last row shown",
         [](TDrawGridScene& s) {
             s.Grid->SetRow(5);
             s.Grid->OnTopLeftChanged = [&s](TObject*) { s.FreeGrid(); };
         },
         pressKey(VK_DOWN)},
        {"OnColumnMoved on a drag of a fixed cell",
         [](TDrawGridScene& s) {
             s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goColMoving});
             s.Grid->OnColumnMoved = [&s](TObject*, int32_t, int32_t) { s.FreeGrid(); };
         },
         [](TDrawGridScene& s) { test::DragBetween(*s.Grid, Point(46, 7), Point(108, 7)); }},
        {"OnRowMoved on a drag of a fixed cell",
         [](TDrawGridScene& s) {
             s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goRowMoving});
             s.Grid->OnRowMoved = [&s](TObject*, int32_t, int32_t) { s.FreeGrid(); };
         },
         [](TDrawGridScene& s) { test::DragBetween(*s.Grid, Point(15, 22), Point(15, 67)); }},
        {"OnSetEditText on Down with the editor always shown", editingFreed({goAlwaysShowEditor}),
         pressKey(VK_DOWN)},
        {"OnSetEditText on Down", editingFreed({}), pressKey(VK_DOWN)},
        {"OnSetEditText on a click on another cell", editingFreed({}),
         [](TDrawGridScene& s) { test::ClickAt(*s.Grid, Point(108, 52)); }},
        {"OnSetEditText on a press that starts moving a column", editingFreed({goColMoving}),
         [](TDrawGridScene& s) { test::ClickAt(*s.Grid, Point(46, 7)); }},
        {"OnSetEditText on a press that starts moving a row", editingFreed({goRowMoving}),
         [](TDrawGridScene& s) { test::ClickAt(*s.Grid, Point(15, 22)); }},
        {"OnSetEditText on a press that starts sizing a column", editingFreed({goColSizing}),
         [](TDrawGridScene& s) { test::ClickAt(*s.Grid, Point(30, 5)); }},
        {"OnSetEditText on editing switched off", editingFreed({}),
         [](TDrawGridScene& s) {
             TGridOptions options = s.Grid->Options();
             options.Exclude(goEditing);
             s.Grid->SetOptions(options);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDrawGridScene s;
        s.Grid->SetFocus();
        c.Arm(s);
        c.Act(s);
        Application().ProcessMessages();
        EXPECT_EQ(s.Grid, nullptr);
        EXPECT_EQ(s.Form->ControlCount(), 0);
    }
}

}  // namespace
}  // namespace vex
