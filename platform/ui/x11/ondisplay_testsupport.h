#pragma once

// What the tests that drive the framework on an Xvfb display share: a fixture that starts the
// server and puts the headless world back after, xdotool and the input it types, a loop that
// waits for an outcome, the runners that play one script injected and then on the display, and
// a form of buttons that run the dialogs a script drives.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/messagequeue.h"
#include "platform/win/modaldriver.h"
#include "platform/win/presenter.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"
#include "tests/support/xvfbserver.h"

namespace vex::test {

// Hands every message that comes through the application's own handling, sleeping in the
// loop's wait between passes, until Condition holds or Watchdog of real time has gone.
// Plays a script of steps that each make Notes notes: Deliver gives a step to the scene,
// Settle(Scene, n) waits until note n is in, and the scene's state is recorded after each step.
// The same runner serves injected input and the display's, so their records compare.
template <class TScene, class TStep>
std::vector<std::string> RunRecordedScript(
    TScene& Scene, const std::vector<TStep>& Script,
    const std::function<void(TScene&, const TStep&)>& Deliver,
    const std::function<void(TScene&, size_t)>& Settle) {
    size_t expected = 0;
    for (const TStep& step : Script) {
        Deliver(Scene, step);
        expected += step.Notes + 1;
        Settle(Scene, expected - 1);
        Scene.Record.push_back(Scene.State());
    }
    return Scene.Record;
}

inline bool PumpThroughApplication(const std::function<bool()>& Condition,
                                   std::chrono::milliseconds Watchdog) {
    const auto deadline = std::chrono::steady_clock::now() + Watchdog;
    for (;;) {
        Application().ProcessMessages();
        if (Condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        TMessageQueue::Instance().Wait(Clock().TickMilliseconds() + 20);
    }
}

// Handles what comes for Period, whatever it is.
inline void PumpThroughApplicationFor(std::chrono::milliseconds Period) {
    PumpThroughApplication([] { return false; }, Period);
}

// Gives typed input time until Condition shows it arrived, then Quiet more for anything that
// should not come.
inline void SettleUntil(const std::function<bool()>& Condition,
                        std::chrono::milliseconds Quiet = std::chrono::milliseconds(100)) {
    PumpThroughApplication(Condition, std::chrono::seconds(5));
    PumpThroughApplicationFor(Quiet);
}

// Runs xdotool on the display with Arguments and waits for it: its events are on the server
// when it ends.
inline void RunXdotool(const std::string& Display, const std::string& Arguments) {
    const std::string command = "DISPLAY=" + Display + " xdotool " + Arguments;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
}

// xdotool's words for moving the pointer to a point of the screen.
inline std::string XMoveTo(TPoint At) {
    return "mousemove " + std::to_string(At.X) + " " + std::to_string(At.Y);
}

inline void MoveOnDisplay(const std::string& Display, TPoint At) {
    RunXdotool(Display, XMoveTo(At));
}

// Button 1 is the left, 3 the right; Times clicks in a row make a double click.
inline void ClickOnDisplay(const std::string& Display, TPoint At, int Button = 1, int Times = 1) {
    RunXdotool(Display, XMoveTo(At) + " click" +
                            (Times > 1 ? " --repeat " + std::to_string(Times) : "") + " " +
                            std::to_string(Button));
}

// The keysym name xdotool knows a virtual key by.
inline std::string XKeyName(int32_t Key) {
    switch (Key) {
        case VK_TAB:
            return "Tab";
        case VK_SPACE:
            return "space";
        case VK_RETURN:
            return "Return";
        case VK_ESCAPE:
            return "Escape";
        case VK_BACK:
            return "BackSpace";
        case VK_INSERT:
            return "Insert";
        case VK_HOME:
            return "Home";
        case VK_END:
            return "End";
        case VK_NEXT:
            return "Next";
        case VK_LEFT:
            return "Left";
        case VK_RIGHT:
            return "Right";
        case VK_UP:
            return "Up";
        case VK_DOWN:
            return "Down";
        case VK_F4:
            return "F4";
        case VK_OEM_PERIOD:
            return "period";
        case VK_OEM_COMMA:
            return "comma";
        default:
            if (std::isalnum(Key) != 0) return std::string(1, static_cast<char>(std::tolower(Key)));
            ADD_FAILURE() << "no X name for key " << Key;
            return "";
    }
}

// Keys as xdotool's key command takes them, each after a space: "shift+7", "alt+Down".
inline std::string XKeyNames(const std::vector<int32_t>& Keys) {
    std::string names;
    std::string held;
    for (int32_t key : Keys) {
        if (IsModifier(key)) {
            held = key == VK_SHIFT ? "shift+" : key == VK_CONTROL ? "ctrl+" : "alt+";
            continue;
        }
        names += " " + held + XKeyName(key);
        held.clear();
    }
    return names;
}

// Types Keys on the display, DelayMs between them.
inline void TypeOnDisplay(const std::string& Display, const std::vector<int32_t>& Keys,
                          int DelayMs = 20) {
    RunXdotool(Display, "key --delay " + std::to_string(DelayMs) + XKeyNames(Keys));
}

// What xclip prints of the display's clipboard (through a file in Files), while the loop
// answers it when the clipboard is this process's.
inline std::string XclipOut(TempDir& Files) {
    ChildProcess xclip;
    const std::string out = Files.File("out");
    xclip.Start({"xclip", "-selection", "clipboard", "-o"}, out);
    EXPECT_TRUE(PumpThroughApplication([&] { return xclip.Exited(); }, std::chrono::seconds(10)))
        << "xclip hangs";
    return ReadWholeFile(out);
}

// Has Holder run xclip to take the display's clipboard with Text (through a file in Files) and
// hold it until it loses it; waits until it does hold it.
inline void XclipIn(X11Peer& Peer, TempDir& Files, ChildProcess& Holder, const std::string& Text) {
    const std::string in = Files.File("in");
    std::ofstream(in, std::ios::binary) << Text;
    const Atom clipboard = Peer.AtomNamed("CLIPBOARD");
    const Window before = XGetSelectionOwner(Peer.Dpy(), clipboard);
    Holder.Start({"xclip", "-selection", "clipboard", "-quiet", "-i", in}, Files.File("log"));
    EXPECT_TRUE(PumpThroughApplication(
        [&] {
            const Window owner = XGetSelectionOwner(Peer.Dpy(), clipboard);
            return owner != 0 && owner != before;
        },
        std::chrono::seconds(10)))
        << "xclip does not hold the clipboard";
}

// Runs Steps on a fresh Scene as the actions of a modal script, in a loop of its own, so that
// the steps made while a popup is down run inside the popup's loop; Settle milliseconds after
// each step the scene's State() goes into its Record, which is answered.
template <class TScene, class TSteps, class TDeliver>
std::vector<std::string> RunModalSteps(const TSteps& Steps, const TDeliver& Deliver,
                                       int64_t Settle) {
    TScene scene;
    PumpThroughApplicationFor(std::chrono::milliseconds(100));
    scene.Record.clear();
    TModalScript script;
    for (const auto& step : Steps) {
        script.Then([&scene, &Deliver, &step] { Deliver(step, scene); });
        script.Wait(Settle);
        script.Then([&scene] { scene.Record.push_back(scene.State()); });
    }
    bool done = false;
    script.Then([&] { done = true; });
    RunModalLoop([&] { return done; });
    return scene.Record;
}

// How a script's clicks and keys reach the program: injected with no display, or typed by
// xdotool on one.
struct TScriptInput {
    std::function<void(TPoint Screen)> Click;
    std::function<void(const std::vector<int32_t>& Keys)> Keys;
};

inline TScriptInput InjectedInput() {
    return {[](TPoint Screen) { ClickAt(Screen); },
            [](const std::vector<int32_t>& Keys) { InjectKeys(Keys); }};
}

inline TScriptInput DisplayInput(const std::string& Display) {
    return {[Display](TPoint Screen) { ClickOnDisplay(Display, Screen); },
            [Display](const std::vector<int32_t>& Keys) { TypeOnDisplay(Display, Keys); }};
}

// RunModalSteps with injected input: Deliver(Step, Scene, Input) gives each step.
template <class TScene, class TSteps, class TDeliver>
std::vector<std::string> RunModalStepsInjected(const TSteps& Steps, const TDeliver& Deliver) {
    const TScriptInput input = InjectedInput();
    return RunModalSteps<TScene>(
        Steps, [&](const auto& Step, TScene& Scene) { Deliver(Step, Scene, input); }, 50);
}

// Plays Script on Scene with injected input, each step settled by handling what it brought;
// no key is left held after.
template <class TScene, class TStep>
std::vector<std::string> RunRecordedScriptInjected(
    TScene& Scene, const std::vector<TStep>& Script,
    const std::function<void(TScene&, const TStep&)>& Deliver) {
    Application().ProcessMessages();
    Scene.Record.clear();
    std::vector<std::string> record = RunRecordedScript<TScene, TStep>(
        Scene, Script, Deliver, [](TScene&, size_t) { Application().ProcessMessages(); });
    ReleaseAllKeys();
    return record;
}

inline TPoint MiddleOf(TControl& Control) {
    return Control.ClientToScreen(Point(Control.Width() / 2, Control.Height() / 2));
}

// The modal form that runs; null when none does.
inline TCustomForm* RunningModalForm() {
    TCustomForm* form = Screen().ActiveForm();
    return form != nullptr && form->Modal() ? form : nullptr;
}

// The name of the control with the focus, "nothing" when none of ours has it.
inline std::string FocusedName() {
    TWinControl* focused = FindControl(GetFocus());
    return focused != nullptr ? focused->Name() : "nothing";
}

// A form of buttons that each run a dialog, for the scripts that drive dialogs through it; the
// buttons note in Record what the dialogs answer.
class TDialogLauncher {
public:
    TDialogLauncher(const char* Caption, int32_t Width) {
        FForm->SetCaption(Caption);
        FForm->SetBounds(40, 50, Width, 100);
    }
    virtual ~TDialogLauncher() { delete FForm; }
    TDialogLauncher(const TDialogLauncher&) = delete;
    TDialogLauncher& operator=(const TDialogLauncher&) = delete;

    std::vector<std::string> Record;

protected:
    TButton* AddButton(const char* Caption, int32_t Left, std::function<void()> Run) {
        auto* button = new TButton(FForm);
        button->SetBounds(Left, 10, 100, 26);
        button->SetCaption(Caption);
        button->SetParent(FForm);
        button->OnClick = [Run = std::move(Run)](TObject*) { Run(); };
        return button;
    }
    // The form comes up active, ready for the script's first click.
    void Show() {
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }

    TForm* FForm = new TForm(nullptr);
};

// A fresh Xvfb that the test's windows go to once it sets the X11 presenter; the headless
// presenter and no key held afterwards.
class OnDisplayTest : public testing::Test {
protected:
    OnDisplayTest() {
        setenv("DISPLAY", FServer.DisplayName().c_str(), 1);
        unsetenv("VEX_DISPLAY");
    }
    ~OnDisplayTest() override {
        SetPresenter(std::make_unique<THeadlessPresenter>());
        setenv("VEX_DISPLAY", "headless", 1);
        ReleaseAllKeys();
    }

    // Windows shown from now on go to the display.
    static void PresentOnDisplay() { SetPresenter(MakeX11Presenter("", WindowTreeSink())); }

    // Waits until the top-level window titled Title is on the display, then lets what showing
    // it brings be handled; false, with a failure, if it never comes.
    bool WaitUntilShown(const std::string& Title) {
        if (!PumpThroughApplication([&] { return FPeer.FindWindow(Title) != 0; },
                                    std::chrono::seconds(10))) {
            ADD_FAILURE() << Title << " never showed";
            return false;
        }
        PumpThroughApplicationFor(std::chrono::milliseconds(200));
        return true;
    }

    // RunModalSteps typed by xdotool on the display, where the test's windows go from now on:
    // Deliver(Step, Scene, Input) gives each step.
    template <class TScene, class TSteps, class TDeliver>
    std::vector<std::string> RunModalStepsOnDisplay(const TSteps& Steps, const TDeliver& Deliver) {
        PresentOnDisplay();
        const TScriptInput input = DisplayInput(FServer.DisplayName());
        return RunModalSteps<TScene>(
            Steps, [&](const auto& Step, TScene& Scene) { Deliver(Step, Scene, input); }, 400);
    }

    // Plays Script on Scene, whose window titled Title is on the display, as typed by xdotool:
    // the window takes the keyboard first, and each step is settled once the record holds the
    // notes it brings, and a while more for any that should not come.
    template <class TScene, class TStep>
    std::vector<std::string> RunRecordedScriptOnDisplay(
        TScene& Scene, const std::string& Title, const std::vector<TStep>& Script,
        const std::function<void(TScene&, const TStep&)>& Deliver) {
        RunXdotool(FServer.DisplayName(),
                   "search --sync --name \"" + Title + "\" windowfocus --sync");
        PumpThroughApplicationFor(std::chrono::milliseconds(200));
        Scene.Record.clear();
        return RunRecordedScript<TScene, TStep>(
            Scene, Script, Deliver, [](TScene& S, size_t Notes) {
                SettleUntil([&] { return S.Record.size() >= Notes; },
                            std::chrono::milliseconds(150));
            });
    }

    // Plays Script on a new TScene whose window is titled Title, typed by xdotool: a step types
    // its Keys, or clicks at At(Scene) when it has one.
    template <class TScene, class TStep>
    std::vector<std::string> RunKeysAndClicksOnDisplay(const std::string& Title,
                                                       const std::vector<TStep>& Script) {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown(Title)) return {};
        const std::string display = FServer.DisplayName();
        return RunRecordedScriptOnDisplay<TScene, TStep>(
            scene, Title, Script, [&](TScene& S, const TStep& Step) {
                if (Step.At)
                    ClickOnDisplay(display, Step.At(S));
                else
                    TypeOnDisplay(display, Step.Keys, 30);
            });
    }

    // The active form as the display shows it, for a person to look at, when VEX_PICTURE_DIR
    // names a folder.
    void SaveActiveFormPicture(const std::string& Name) {
        const char* dir = std::getenv("VEX_PICTURE_DIR");
        if (dir == nullptr) return;
        PumpThroughApplicationFor(std::chrono::milliseconds(300));
        const TRect area = Screen().ActiveForm()->BoundsRect();
        const int32_t width = area.Right - area.Left, height = area.Bottom - area.Top;
        std::vector<uint32_t> pixels = FPeer.Screen(area);
        TBitmap(pixels.data(), width, height, width).SaveToFile(std::string(dir) + "/" + Name);
    }

    XvfbServer FServer;
    X11Peer FPeer{FServer.DisplayName()};
};

}  // namespace vex::test
