// A phone number typed into a mask edit and a spin edit stepped with its arrow keys and its
// button, once injected with no display and once typed by a second client on an Xvfb display:
// both end with the same texts, values and focus.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/maskedit.h"
#include "platform/ui/spinedit.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

constexpr const char* kCaption = "Mask and spin";

// The form the script runs on; what the input does goes into Record after each step.
class TScene {
public:
    TScene() {
        FForm->SetCaption(kCaption);
        FForm->SetBounds(40, 50, 300, 160);
        Phone = new TMaskEdit(FForm);
        Phone->SetName("phone");
        Phone->SetBounds(8, 8, 150, 22);
        Phone->SetEditMask("!\\(999\\)000-0000;1;_");
        Phone->SetParent(FForm);
        Spin = new TSpinEdit(FForm);
        Spin->SetName("spin");
        Spin->SetBounds(8, 40, 80, 22);
        Spin->SetMaxValue(10);
        Spin->SetParent(FForm);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Phone->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TCustomForm& Form() { return *FForm; }
    // The middle of the spin edit's up button, on the screen.
    TPoint UpButton() {
        TSpinButton* button = Spin->Button();
        return button->ClientToScreen(Point(button->Width() / 2, button->Height() / 4));
    }
    void Note() {
        TWinControl* focused = FindControl(GetFocus());
        Record.push_back(Phone->EditText() + " " + Spin->Text() + " " +
                         (focused != nullptr ? focused->Name() : "nothing"));
    }

    TMaskEdit* Phone;
    TSpinEdit* Spin;
    TRecord Record;

private:
    TForm* FForm = new TForm(nullptr);
};

// A step: keys typed one after another, or (with no keys) a click on the spin's up button.
using TStep = std::vector<int32_t>;

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {VK_HOME, '5', '5', '5'},           {'1', '2', '3', VK_LEFT, '4'},  // the 3 typed over
        {'4', '5', '6', '8', VK_BACK, '7'}, {VK_TAB},
        {VK_UP, VK_UP, VK_UP, VK_DOWN},     {},
    };
    return script;
}

TRecord RunScript(TScene& Scene, const std::function<void(TScene&, const TStep&)>& Deliver,
                  const std::function<void(TScene&, size_t)>& Settle) {
    for (size_t i = 0; i < Script().size(); ++i) {
        Deliver(Scene, Script()[i]);
        Settle(Scene, i);
        Scene.Note();
    }
    return Scene.Record;
}

TRecord RunInjected() {
    TScene scene;
    Application().ProcessMessages();
    const TRecord record = RunScript(
        scene,
        [](TScene& S, const TStep& Step) {
            if (!Step.empty())
                test::InjectKeys(Step);
            else
                test::ClickAt(S.UpButton());
        },
        [](TScene&, size_t) { Application().ProcessMessages(); });
    test::ReleaseAllKeys();
    return record;
}

class MaskSpinOnDisplay : public test::OnDisplayTest {
protected:
    // Each step is typed and then given time until the record would show it.
    TRecord RunTyped(const TRecord& Expected) {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown(kCaption)) return {};
        const std::string display = FServer.DisplayName();
        return RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                if (!Step.empty()) {
                    test::TypeOnDisplay(display, Step);
                    return;
                }
                test::ClickOnDisplay(display, S.UpButton());
            },
            [&](TScene& S, size_t Step) {
                // Until the step shows as it did when injected.
                test::SettleUntil([&] {
                    S.Note();
                    const bool same = S.Record.back() == Expected.at(Step);
                    S.Record.pop_back();
                    return same;
                });
            });
    }
};

TEST_F(MaskSpinOnDisplay, TypingAndSteppingOnTheDisplayDoWhatTheSameInputInjectedDoes) {
    const TRecord injected = RunInjected();
    EXPECT_EQ(injected,
              (TRecord{"(555)___-____ 0 phone", "(555)124-____ 0 phone", "(555)124-4567 0 phone",
                       "(555)124-4567 0 spin", "(555)124-4567 2 spin", "(555)124-4567 3 spin"}));
    EXPECT_EQ(RunTyped(injected), injected);
}

// A sizeable form with a status bar along its bottom, whose size grip the tests drag.
class TGripScene {
public:
    static constexpr const char* kCaption = "Status script";

    TGripScene() {
        FForm->SetCaption(kCaption);
        FForm->SetBounds(40, 50, 300, 160);
        FBar->SetAlign(alBottom);
        FBar->SetSimplePanel(true);
        FBar->SetSimpleText("Ready");
        FBar->SetParent(FForm);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TGripScene() { delete FForm; }
    TGripScene(const TGripScene&) = delete;
    TGripScene& operator=(const TGripScene&) = delete;

    // The middle of the grip, on the screen.
    TPoint Grip() {
        const TRect grip = FBar->SizeGripRect();
        return FBar->ClientToScreen(
            Point((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2));
    }
    std::string Size() {
        return std::to_string(FForm->Width()) + "x" + std::to_string(FForm->Height());
    }

private:
    TForm* FForm = new TForm(nullptr);
    TStatusBar* FBar = new TStatusBar(FForm);
};

// The drag: pressed on the grip, then moved by each of these in turn, then let go.
const std::vector<TPoint> kGripMoves = {Point(20, 15), Point(40, 30), Point(-30, 10)};

TEST_F(MaskSpinOnDisplay, TheSizeGripDraggedOnTheDisplaySizesTheFormAsAnInjectedDragDoes) {
    std::string injected;
    {
        TGripScene scene;
        Application().ProcessMessages();
        const TPoint from = scene.Grip();
        InjectMouseMove(from);
        InjectMouseButton(mbLeft, true);
        for (const TPoint& by : kGripMoves) {
            InjectMouseMove(Point(from.X + by.X, from.Y + by.Y));
            Application().ProcessMessages();
        }
        InjectMouseButton(mbLeft, false);
        Application().ProcessMessages();
        injected = scene.Size();
        test::ReleaseAllKeys();
    }
    EXPECT_EQ(injected, "270x170");

    PresentOnDisplay();
    TGripScene scene;
    ASSERT_TRUE(WaitUntilShown(TGripScene::kCaption));
    const std::string display = FServer.DisplayName();
    const TPoint from = scene.Grip();
    test::RunXdotool(display, test::XMoveTo(from) + " mousedown 1");
    test::PumpThroughApplicationFor(100ms);
    for (const TPoint& by : kGripMoves) {
        test::MoveOnDisplay(display, Point(from.X + by.X, from.Y + by.Y));
        test::PumpThroughApplicationFor(100ms);
    }
    test::RunXdotool(display, "mouseup 1");
    test::SettleUntil([&] { return scene.Size() == injected; });
    EXPECT_EQ(scene.Size(), injected);
    // And the window on the screen has that size too.
    XWindowAttributes attributes;
    ASSERT_NE(
        XGetWindowAttributes(FPeer.Dpy(), FPeer.FindWindow(TGripScene::kCaption), &attributes), 0);
    EXPECT_EQ(std::to_string(attributes.width) + "x" + std::to_string(attributes.height), injected);
}

}  // namespace
}  // namespace vex
