// Explorer buttons driven by one script twice: injected with no display, and by xdotool on an
// Xvfb display. Hovering shows the hot look, a click clicks, a press drops the panel down, a click
// on it reaches its button and a click outside closes it, the same at either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/misc/ExplBtn.h"
#include "components/misc/ExplBtnPopup.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// A form with a plain button and one that drops down a panel holding a third button; what the
// script does to them goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Explorer script");
        FForm->SetBounds(40, 50, 320, 220);
        Plain = Place(new TExplorerButton(FForm), FForm, "plain", Rect(10, 10, 70, 60));
        Drop = Place(new TExplorerButton(FForm), FForm, "drop", Rect(80, 10, 140, 60));
        Panel = new TExplorerPopup(FForm);
        Panel->Hide();
        Panel->SetParent(FForm);
        Panel->SetBounds(0, 100, 120, 50);
        Panel->OnOpen = [this](TObject*) { Record.push_back("open"); };
        Panel->OnClose = [this](TObject*) { Record.push_back("close"); };
        Inner = Place(new TExplorerButton(FForm), Panel, "inner", Rect(5, 5, 60, 45));
        Drop->SetExplorerPopup(Panel);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    static TPoint Middle(TControl* Control) {
        return Control->ClientToScreen(Point(Control->Width() / 2, Control->Height() / 2));
    }
    TPoint Outside() const { return FForm->ClientToScreen(Point(250, 150)); }
    // The looks of the buttons and the panel.
    std::string State() const {
        const auto look = [](TExplorerButton* B) {
            return std::string(B->PopupOpen() ? "open" : B->MouseInControl() ? "hot" : "idle");
        };
        return "plain " + look(Plain) + ", drop " + look(Drop) + ", panel " +
               (Panel->Host() != nullptr ? "down" : "up");
    }

    TExplorerButton* Plain;
    TExplorerButton* Drop;
    TExplorerButton* Inner;
    TExplorerPopup* Panel;
    std::vector<std::string> Record;

private:
    TExplorerButton* Place(TExplorerButton* Button, TWinControl* Parent, const std::string& Name,
                           TRect Bounds) {
        Button->SetName(Name);
        Button->SetCaption(Name);
        Button->SetBoundsRect(Bounds);
        Button->SetParent(Parent);
        Button->OnClick = [this, Name](TObject*) { Record.push_back("click " + Name); };
        return Button;
    }

    TForm* FForm = new TForm(nullptr);
};

// Each step points at a place and either moves there or clicks there.
struct TStep {
    bool Click;
    std::function<TPoint(TScene&)> Where;
};

std::vector<TStep> Script() {
    return {
        {false, [](TScene& S) { return TScene::Middle(S.Plain); }},
        {true, [](TScene& S) { return TScene::Middle(S.Plain); }},
        {true, [](TScene& S) { return TScene::Middle(S.Drop); }},
        {true, [](TScene& S) { return TScene::Middle(S.Inner); }},
        {true, [](TScene& S) { return S.Outside(); }},
    };
}

// Settle milliseconds after each step the state goes into the record.
std::vector<std::string> RunScript(const std::function<void(TPoint, bool)>& Deliver,
                                   int64_t Settle) {
    return test::RunModalSteps<TScene>(
        Script(), [&](const TStep& Step, TScene& S) { Deliver(Step.Where(S), Step.Click); },
        Settle);
}

class ExplorerOnDisplay : public test::OnDisplayTest {};

TEST_F(ExplorerOnDisplay, HoverClickAndThePanelDoTheSameOnTheDisplayAsInjected) {
    const std::vector<std::string> injected = RunScript(
        [](TPoint At, bool Click) {
            if (Click)
                test::ClickAt(At);
            else
                InjectMouseMove(At);
        },
        50);
    const std::vector<std::string> expected = {
        "plain hot, drop idle, panel up",    "click plain",
        "plain hot, drop idle, panel up",    "open",
        "plain idle, drop open, panel down", "click inner",
        "plain idle, drop open, panel down", "close",
        "plain idle, drop idle, panel up",
    };
    EXPECT_EQ(injected, expected);

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> typed = RunScript(
        [&](TPoint At, bool Click) {
            if (Click)
                test::ClickOnDisplay(display, At);
            else
                test::MoveOnDisplay(display, At);
        },
        400);
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
