// The rule grid's cells under the pointer and the keyboard, played twice: injected with no
// display, and by xdotool on an Xvfb display. A link cell shows the hand, Ctrl with the wheel
// zooms, and the special editors of a number and of a date take what is typed; both runs must
// leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {

// Whether the cursor shown is the program's cursor resource Id (AdvGridCursor_test.cpp, where the
// window layer's cursor handles do not meet the screen's).
bool ShowsProgramCursor(uint32_t Id);

namespace {

using namespace std::chrono_literals;

enum TStepKind { skMove, skCtrlWheel, skClick, skKeys };

struct TStep {
    TStepKind Kind;
    TPoint Cell;  // for moves and clicks
    std::vector<int32_t> Keys;
    size_t Notes = 0;
};

// Over the link, over a plain cell, zoom in twice, then edit the hits of rule 2 with its spin
// edit and the day rule 3 was last seen with its date picker.
const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {skMove, {1, 1}, {}},      {skMove, {1, 2}, {}},
        {skCtrlWheel, {1, 2}, {}}, {skCtrlWheel, {1, 2}, {}},
        {skClick, {2, 2}, {}},     {skKeys, {}, {VK_RETURN, '4', '2', VK_RETURN}},
        {skClick, {3, 3}, {}},     {skKeys, {}, {VK_RETURN, '1', '2', '2', '5', VK_RETURN}},
    };
    return script;
}

// The zoom of the two Ctrl+wheel steps: one notch towards the user each, three lines a notch.
const std::vector<std::string>& Expected() {
    static const std::vector<std::string> expected = {
        "hand zoom 0 cell 1:1 hits 7 seen 3/4/24",   "arrow zoom 0 cell 1:1 hits 7 seen 3/4/24",
        "arrow zoom 3 cell 1:1 hits 7 seen 3/4/24",  "arrow zoom 6 cell 1:1 hits 7 seen 3/4/24",
        "arrow zoom 6 cell 2:2 hits 7 seen 3/4/24",  "arrow zoom 6 cell 2:2 hits 42 seen 3/4/24",
        "arrow zoom 6 cell 3:3 hits 42 seen 3/4/24", "arrow zoom 6 cell 3:3 hits 42 seen 12/25/24",
    };
    return expected;
}

// Three rules: their text (the first a link), their hits, edited with a spin edit, and the day
// each was last seen, edited with a date picker.
class TScene {
public:
    TScene() {
        Grid = new TAdvStringGrid(FForm);
        FForm->SetCaption("Rule grid cells");
        FForm->SetBounds(40, 50, 330, 200);
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-12);
        Grid->SetBounds(8, 8, 300, 150);
        Grid->SetParent(FForm);
        Grid->SetDefaultColWidth(66);
        Grid->SetDefaultRowHeight(18);
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
        Grid->SetURLShow(true);
        const char* rows[4][4] = {{"", "Text", "Hits", "Seen"},
                                  {"1", "mailto:abuse@example.test", "3", "1/2/24"},
                                  {"2", "free offer", "7", "2/3/24"},
                                  {"3", "invoice", "0", "3/4/24"}};
        for (int32_t r = 0; r < 4; ++r)
            for (int32_t c = 0; c < 4; ++c)
                Grid->SetCells(c, r, rows[r][c]);
        Grid->OnGetEditorType = [](TObject*, int32_t ACol, int32_t, TEditorType& AEditor) {
            if (ACol == 2) AEditor = etSpin;
            if (ACol == 3) AEditor = etDate;
        };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Grid->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TPoint Cell(int32_t Col, int32_t Row) {
        const TRect r = Grid->CellRect(Col, Row);
        return Grid->ClientToScreen(Point(r.Left + 10, (r.Top + r.Bottom) / 2));
    }
    std::string State() {
        const bool hand = ShowsProgramCursor(8009);
        return std::string(hand ? "hand" : "arrow") + " zoom " +
               std::to_string(Grid->ZoomFactor()) + " cell " + std::to_string(Grid->Col()) + ":" +
               std::to_string(Grid->Row()) + " hits " + Grid->Cells(2, 2) + " seen " +
               Grid->Cells(3, 3);
    }

    std::vector<std::string> Record;
    TAdvStringGrid* Grid = nullptr;

private:
    TForm* FForm = new TForm(nullptr);
};

std::vector<std::string> RunScript(TScene& Scene,
                                   const std::function<void(TScene&, const TStep&)>& Deliver,
                                   const std::function<void(TScene&)>& Settle) {
    return test::RunRecordedScript<TScene, TStep>(Scene, Script(), Deliver,
                                                  [&](TScene& S, size_t) { Settle(S); });
}

std::vector<std::string> RunInjected() {
    TScene scene;
    Application().ProcessMessages();
    const std::vector<std::string> record = RunScript(
        scene,
        [](TScene& S, const TStep& Step) {
            switch (Step.Kind) {
                case skMove:
                    InjectMouseMove(S.Cell(Step.Cell.X, Step.Cell.Y));
                    break;
                case skCtrlWheel:
                    InjectKey(VK_CONTROL, true);
                    InjectMouseWheel(-WHEEL_DELTA);
                    InjectKey(VK_CONTROL, false);
                    break;
                case skClick:
                    test::ClickAt(S.Cell(Step.Cell.X, Step.Cell.Y));
                    break;
                case skKeys:
                    test::InjectKeys(Step.Keys);
                    break;
            }
            Application().ProcessMessages();
        },
        [](TScene&) { Application().ProcessMessages(); });
    test::ReleaseAllKeys();
    return record;
}

bool OnPath(const std::string& Program) {
    std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + Program).c_str(), X_OK) == 0) return true;
    return false;
}

class AdvGridCellsOnDisplay : public test::OnDisplayTest {
public:
    static void SetUpTestSuite() {
        for (const char* program : {"Xvfb", "xdotool"})
            if (!OnPath(program)) GTEST_SKIP() << program << " is not installed";
    }

protected:
    std::vector<std::string> RunTyped() {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown("Rule grid cells")) return {};
        const std::string display = FServer.DisplayName();
        test::RunXdotool(display, "search --sync --name \"Rule grid cells\" windowfocus --sync");
        test::PumpThroughApplicationFor(200ms);
        return RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                switch (Step.Kind) {
                    case skMove:
                        test::MoveOnDisplay(display, S.Cell(Step.Cell.X, Step.Cell.Y));
                        break;
                    case skCtrlWheel:
                        test::RunXdotool(display, "keydown ctrl click 5 keyup ctrl");
                        break;
                    case skClick:
                        test::ClickOnDisplay(display, S.Cell(Step.Cell.X, Step.Cell.Y));
                        break;
                    case skKeys:
                        test::TypeOnDisplay(display, Step.Keys, 30);
                        break;
                }
            },
            [](TScene&) { test::PumpThroughApplicationFor(250ms); });
    }
};

TEST_F(AdvGridCellsOnDisplay, LinkCursorZoomAndASpecialEditorDoTheSameAsInjectedInput) {
    const std::vector<std::string> injected = RunInjected();
    EXPECT_EQ(injected, Expected());
    const std::vector<std::string> typed = RunTyped();
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
