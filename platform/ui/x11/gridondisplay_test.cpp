// One script of clicks, keys and a border drag through a grid, run twice: injected with no
// display, and typed by xdotool on an Xvfb display. Both runs must leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/ui/grid_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/painting.h"
#include "platform/win/toplevel.h"
#include "platform/win/windowpos.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A grid of 40 x 16 cells (41 x 17 with their lines) that takes Tab and sizes its columns.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Grid script");
        FForm->SetBounds(40, 50, 320, 240);
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-12);
        FGrid->SetBounds(8, 8, 280, 180);
        FGrid->SetParent(FForm);
        FGrid->SetDefaultColWidth(40);
        FGrid->SetDefaultRowHeight(16);
        FGrid->SetColCount(8);
        FGrid->SetRowCount(30);
        FGrid->SetOptions(FGrid->Options() + TGridOptions{goTabs, goColSizing});
        FGrid->Log = &Record;
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FGrid->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    // A screen point: inside a cell, or on the right border of a column's title.
    TPoint Cell(int32_t Col, int32_t Row) {
        return FGrid->ClientToScreen(Point(41 * Col + 20, 17 * Row + 8));
    }
    TPoint Border(int32_t Col, int32_t Shift) {
        int32_t right = 0;
        for (int32_t c = 0; c <= Col; ++c)
            right += FGrid->ColWidths(c) + 1;
        return FGrid->ClientToScreen(Point(right - 1 + Shift, 8));
    }
    std::string State() {
        return "cell " + std::to_string(FGrid->Col()) + ":" + std::to_string(FGrid->Row()) +
               " top " + std::to_string(FGrid->TopRow()) + " width1 " +
               std::to_string(FGrid->ColWidths(1));
    }

    // How many pixels of the grid the display shows otherwise than the form's back buffer.
    int32_t PixelsOffScreen(const test::X11Peer& Peer) {
        UpdateWindow(FForm->Handle());
        const TPixelRows buffer = WindowPixels(FForm->Handle());
        TRect form{}, grid{};
        GetWindowRect(FForm->Handle(), form);
        GetWindowRect(FGrid->Handle(), grid);
        const Window shown = Peer.FindWindow("Grid script");
        if (shown == 0) return -1;
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(Peer.Dpy(), shown, Peer.Root(), 0, 0, &x, &y, &child);
        const int32_t left = grid.Left - form.Left, top = grid.Top - form.Top;
        const int32_t width = grid.Right - grid.Left, height = grid.Bottom - grid.Top;
        const std::vector<uint32_t> screen =
            Peer.Screen(Rect(x + left, y + top, x + left + width, y + top + height));
        int32_t wrong = 0;
        for (int32_t row = 0; row < height; ++row)
            for (int32_t column = 0; column < width; ++column)
                wrong +=
                    screen[static_cast<size_t>(row * width + column)] !=
                    (buffer.Pixels[static_cast<size_t>(top + row) * buffer.Stride + left + column] &
                     0xFFFFFF);
        return wrong;
    }

    TRecord Record;

private:
    TForm* FForm = new TForm(nullptr);
    test::TTestGrid* FGrid = new test::TTestGrid(FForm);
};

// One step: a click or a drag between points the scene names when the step comes, or keys.
struct TStep {
    std::function<TPoint(TScene&)> From;  // empty for keys
    std::function<TPoint(TScene&)> To;    // empty for a click
    std::vector<int32_t> Keys;
    size_t Notes = 0;  // how many lines the step adds to the record before its state
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {[](TScene& S) { return S.Cell(2, 3); }, nullptr, {}, 0},
        {nullptr, nullptr, {VK_DOWN, VK_DOWN, VK_RIGHT}, 0},
        {nullptr, nullptr, {VK_TAB, VK_TAB}, 0},
        {nullptr, nullptr, {VK_SHIFT, VK_TAB}, 0},
        {nullptr, nullptr, {VK_END}, 1},  // the last column scrolls into view
        {nullptr, nullptr, {VK_HOME}, 1},
        {[](TScene& S) { return S.Border(1, 0); },
         [](TScene& S) { return S.Border(1, 15); },
         {},
         1},
        {[](TScene& S) { return S.Cell(1, 6); }, nullptr, {}, 0},
    };
    return script;
}

TRecord RunInjected() {
    const auto deliver = [](TScene& S, const TStep& Step) {
        if (!Step.From) {
            test::InjectKeys(Step.Keys);
        } else if (!Step.To) {
            test::ClickAt(Step.From(S));
        } else {
            InjectMouseMove(Step.From(S));
            InjectMouseButton(mbLeft, true);
            Application().ProcessMessages();
            const TPoint to = Step.To(S);
            InjectMouseMove(to);
            Application().ProcessMessages();
            InjectMouseButton(mbLeft, false);
        }
        Application().ProcessMessages();
    };
    TScene scene;
    return test::RunRecordedScriptInjected<TScene, TStep>(scene, Script(), deliver);
}

class GridOnDisplay : public test::OnDisplayTest {
protected:
    TRecord RunTyped() {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown("Grid script")) return {};
        const std::string display = FServer.DisplayName();
        TRecord record = RunRecordedScriptOnDisplay<TScene, TStep>(
            scene, "Grid script", Script(), [&](TScene& S, const TStep& Step) {
                if (!Step.From) {
                    test::TypeOnDisplay(display, Step.Keys, 30);
                } else if (!Step.To) {
                    test::ClickOnDisplay(display, Step.From(S));
                } else {
                    const TPoint to = Step.To(S);
                    test::RunXdotool(display, test::XMoveTo(Step.From(S)) + " mousedown 1 " +
                                                  test::XMoveTo(Point(to.X - 5, to.Y)) + " " +
                                                  test::XMoveTo(to) + " mouseup 1");
                }
            });
        // The grid as it ended looks on the display as it was painted.
        EXPECT_TRUE(
            test::PumpThroughApplication([&] { return scene.PixelsOffScreen(FPeer) == 0; }, 5s))
            << scene.PixelsOffScreen(FPeer) << " pixels differ";
        return record;
    }
};

TEST_F(GridOnDisplay, ClicksKeysAndABorderDragOnTheDisplayDoWhatTheSameInputInjectedDoes) {
    const TRecord injected = RunInjected();
    const TRecord expected = {
        "cell 2:3 top 1 width1 40",
        "cell 3:5 top 1 width1 40",
        "cell 5:5 top 1 width1 40",
        "cell 4:5 top 1 width1 40",
        "topleft 3,1",
        "cell 7:5 top 1 width1 40",
        "topleft 1,1",
        "cell 1:5 top 1 width1 40",
        "colwidths",
        "cell 1:5 top 1 width1 55",
        "cell 1:6 top 1 width1 55",
    };
    EXPECT_EQ(injected, expected);
    const TRecord typed = RunTyped();
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
