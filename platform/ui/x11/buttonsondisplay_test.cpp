// Push buttons and a check box driven by a person's mouse and keys twice: injected with no
// display, and typed by xdotool on an Xvfb display. Both runs must click the same buttons.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/input.h"
#include "platform/win/messagequeue.h"
#include "platform/win/presenter.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A dialog of buttons: OK the default, Cancel the cancel one, a plain one and a check box.
// Every click and the state it leaves go into Record.
class TButtonsDialog {
public:
    TButtonsDialog() {
        FForm->SetCaption("Buttons script");
        FForm->SetBounds(40, 50, 300, 160);
        auto* ok = Place(new TButton(FForm), "OK", Rect(10, 90, 85, 115));
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        auto* cancel = Place(new TButton(FForm), "Cancel", Rect(95, 90, 170, 115));
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        Place(new TButton(FForm), "Plain", Rect(180, 90, 255, 115));
        auto* check = Place(new TCheckBox(FForm), "Check", Rect(10, 10, 150, 27));
        check->OnClick = [this, check](TObject*) {
            Record.push_back("check " + std::to_string(check->State()));
        };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TButtonsDialog() { delete FForm; }
    TButtonsDialog(const TButtonsDialog&) = delete;
    TButtonsDialog& operator=(const TButtonsDialog&) = delete;

    TPoint Middle(const std::string& Name) {
        auto* control = static_cast<TControl*>(FForm->FindComponent(Name));
        return control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    }
    // What the step left: the focus and the form's result.
    std::string State() {
        TWinControl* focused = FindControl(GetFocus());
        const std::string result = std::to_string(FForm->ModalResult());
        FForm->SetModalResult(mrNone);
        return "focus " + (focused != nullptr ? focused->Name() : "nothing") + ", result " + result;
    }

    TRecord Record;

private:
    template <class T>
    T* Place(T* Control, const std::string& Name, TRect Bounds) {
        Control->SetName(Name);
        Control->SetCaption(Name);
        Control->SetBoundsRect(Bounds);
        Control->SetParent(FForm);
        Control->OnClick = [this, Name](TObject*) { Record.push_back("click " + Name); };
        return Control;
    }

    TForm* FForm = new TForm(nullptr);
};

// A step: a click on a control's middle, or a key typed (as xdotool names it, and its code).
struct TStep {
    std::string Target;
    std::string XKey;
    int32_t Key = 0;
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {"Check", "", 0},           // the mouse ticks it
        {"", "space", VK_SPACE},    // Space unticks it
        {"", "Return", VK_RETURN},  // Enter on a check box: the default button
        {"", "Escape", VK_ESCAPE},  // the cancel button
        {"Plain", "", 0},           // the mouse clicks a button, which takes the focus
        {"", "Return", VK_RETURN},  // and then Enter is for it
    };
    return script;
}

// Runs the script through Deliver, which sends a step's input, and Settle, which lets it
// arrive; the record gets what each step left.
TRecord RunScript(TButtonsDialog& Dialog, const std::function<void(const TStep&)>& Deliver,
                  const std::function<void(size_t)>& Settle) {
    for (size_t i = 0; i < Script().size(); ++i) {
        Deliver(Script()[i]);
        Settle(i);
        Dialog.Record.push_back(Dialog.State());
    }
    return Dialog.Record;
}

TRecord RunInjected(std::vector<size_t>& Lengths) {
    TButtonsDialog dialog;
    Application().ProcessMessages();
    const TRecord record = RunScript(
        dialog,
        [&](const TStep& Step) {
            if (Step.Target.empty()) {
                InjectKey(Step.Key, true);
                InjectKey(Step.Key, false);
                return;
            }
            InjectMouseMove(dialog.Middle(Step.Target));
            InjectMouseButton(mbLeft, true);
            InjectMouseButton(mbLeft, false);
        },
        [&](size_t) {
            Application().ProcessMessages();
            Lengths.push_back(dialog.Record.size());
        });
    test::ReleaseAllKeys();
    return record;
}

class ButtonsOnDisplay : public testing::Test {
protected:
    ButtonsOnDisplay() {
        setenv("DISPLAY", FServer.DisplayName().c_str(), 1);
        unsetenv("VEX_DISPLAY");
    }
    ~ButtonsOnDisplay() override {
        SetPresenter(std::make_unique<THeadlessPresenter>());
        setenv("VEX_DISPLAY", "headless", 1);
        test::ReleaseAllKeys();
    }

    void Xdotool(const std::string& Arguments) {
        const std::string command = "DISPLAY=" + FServer.DisplayName() + " xdotool " + Arguments;
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    }

    // The script typed by xdotool; each step is given until the record is as long as the
    // injected run's was, then a little more for anything that should not come.
    TRecord RunTyped(const std::vector<size_t>& Lengths) {
        SetPresenter(MakeX11Presenter("", WindowTreeSink()));
        TButtonsDialog dialog;
        if (!test::PumpThroughApplication([&] { return FPeer.FindWindow("Buttons script") != 0; },
                                          10s)) {
            ADD_FAILURE() << "the form never showed";
            return {};
        }
        test::PumpThroughApplication([] { return false; }, 200ms);
        return RunScript(
            dialog,
            [&](const TStep& Step) {
                if (Step.Target.empty()) {
                    Xdotool("key " + Step.XKey);
                    return;
                }
                const TPoint at = dialog.Middle(Step.Target);
                Xdotool("mousemove " + std::to_string(at.X) + " " + std::to_string(at.Y) +
                        " click 1");
            },
            [&](size_t Step) {
                test::PumpThroughApplication([&] { return dialog.Record.size() >= Lengths[Step]; },
                                             5s);
                test::PumpThroughApplication([] { return false; }, 100ms);
            });
    }

    test::XvfbServer FServer;
    test::X11Peer FPeer{FServer.DisplayName()};
};

TEST_F(ButtonsOnDisplay, ClicksAndKeysOnTheDisplayPressWhatTheSameInjectedInputPresses) {
    std::vector<size_t> lengths;
    const TRecord injected = RunInjected(lengths);
    const TRecord expected = {
        "check 1",     "focus Check, result 0", "check 0",      "focus Check, result 0",
        "click OK",    "focus Check, result 1", "click Cancel", "focus Check, result 2",
        "click Plain", "focus Plain, result 0", "click Plain",  "focus Plain, result 0",
    };
    EXPECT_EQ(injected, expected);
    EXPECT_EQ(RunTyped(lengths), injected);
}

}  // namespace
}  // namespace vex
