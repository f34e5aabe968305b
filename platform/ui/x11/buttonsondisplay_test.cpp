// Push buttons, a check box, speed buttons, a button with a glyph, a group box, a panel and a
// bevel driven by a person's mouse and keys twice: injected with no display, and typed by
// xdotool on an Xvfb display. Both runs must click the same buttons and leave the same focus.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/bevel.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/form.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/panel.h"
#include "platform/ui/speedbutton.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/painting.h"
#include "platform/win/toplevel.h"
#include "platform/win/windowpos.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A form the scripts run on, deleted with it; every click of what Place puts there goes into
// Record.
class TScriptedForm {
public:
    TScriptedForm() = default;
    ~TScriptedForm() { delete FForm; }
    TScriptedForm(const TScriptedForm&) = delete;
    TScriptedForm& operator=(const TScriptedForm&) = delete;

    // The middle of the control called Name, on the screen.
    TPoint Middle(const std::string& Name) {
        auto* control = static_cast<TControl*>(FForm->FindComponent(Name));
        return control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    }

    TRecord Record;

protected:
    template <class T>
    T* Place(T* Control, const std::string& Name, TRect Bounds, TWinControl* Parent = nullptr) {
        Control->SetName(Name);
        Control->SetCaption(Name);
        Control->SetBoundsRect(Bounds);
        Control->SetParent(Parent != nullptr ? Parent : FForm);
        Control->OnClick = [this, Name](TObject*) { Record.push_back("click " + Name); };
        return Control;
    }

    TForm* FForm = new TForm(nullptr);
};

// A dialog of buttons: OK the default, Cancel the cancel one, a plain one and a check box.
// Every click and the state it leaves go into Record.
class TButtonsDialog : public TScriptedForm {
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
    // What the step left: the focus and the form's result.
    std::string State() {
        TWinControl* focused = FindControl(GetFocus());
        const std::string result = std::to_string(FForm->ModalResult());
        FForm->SetModalResult(mrNone);
        return "focus " + (focused != nullptr ? focused->Name() : "nothing") + ", result " + result;
    }
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
            if (Step.Target.empty())
                test::TapKey(Step.Key);
            else
                test::ClickAt(dialog.Middle(Step.Target));
        },
        [&](size_t) {
            Application().ProcessMessages();
            Lengths.push_back(dialog.Record.size());
        });
    test::ReleaseAllKeys();
    return record;
}

class ButtonsOnDisplay : public test::OnDisplayTest {
protected:
    // The script typed by xdotool; each step is given until the record is as long as the
    // injected run's was, then a little more for anything that should not come.
    TRecord RunTyped(const std::vector<size_t>& Lengths) {
        PresentOnDisplay();
        TButtonsDialog dialog;
        if (!WaitUntilShown("Buttons script")) return {};
        const std::string display = FServer.DisplayName();
        return RunScript(
            dialog,
            [&](const TStep& Step) {
                if (Step.Target.empty()) {
                    test::RunXdotool(display, "key " + Step.XKey);
                    return;
                }
                test::ClickOnDisplay(display, dialog.Middle(Step.Target));
            },
            [&](size_t Step) {
                test::SettleUntil([&] { return dialog.Record.size() >= Lengths[Step]; });
            });
    }
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

// A tool strip and the controls that hold or pass on the focus: a flat speed button that only
// clicks, a flat group of two that may all be up, a Cancel button with a glyph, a group box
// holding a check box, a push button, a panel that is a tab stop, and a bevel.
class TToolsDialog : public TScriptedForm {
public:
    static constexpr const char* kCaption = "Tools script";

    TToolsDialog() {
        FForm->SetCaption(kCaption);
        FForm->SetBounds(40, 50, 360, 200);
        Place(new TSpeedButton(FForm), "Bold", Rect(10, 10, 40, 35))->SetFlat(true);
        for (auto [name, left] : {std::pair{"Left", 45}, std::pair{"Right", 80}}) {
            auto* button = Place(new TSpeedButton(FForm), name, Rect(left, 10, left + 30, 35));
            button->SetFlat(true);
            button->SetGroupIndex(1);
            button->SetAllowAllUp(true);
        }
        Place(new TBitBtn(FForm), "Close", Rect(250, 10, 340, 35))->SetKind(bkCancel);
        auto* options = Place(new TGroupBox(FForm), "Options", Rect(10, 45, 170, 110));
        options->SetCaption("&Options");
        Place(new TCheckBox(FForm), "Inner", Rect(10, 20, 140, 37), options);
        Place(new TButton(FForm), "Plain", Rect(180, 50, 255, 75));
        Place(new TPanel(FForm), "Panel", Rect(180, 80, 255, 110))->SetTabStop(true);
        // A bevel offers no click event of its own: the one Place gives is taken back.
        Place(new TBevel(FForm), "Bevel", Rect(260, 80, 340, 110))->OnClick = nullptr;
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    // What the step left: the focus, the form's result, the speed buttons latched down, the one
    // the mouse is over and those that show their edge (the flat ones only while hot or down).
    std::string State() {
        TWinControl* focused = FindControl(GetFocus());
        std::string down, hot, edged;
        for (const char* name : {"Bold", "Left", "Right"}) {
            auto* button = static_cast<TSpeedButton*>(FForm->FindComponent(name));
            if (button->Down()) down += std::string(" ") + name;
            if (button->MouseInControl()) hot += std::string(" ") + name;
            // Its top line against the form's face just above it.
            const TPoint top = button->ClientToScreen(Point(button->Width() / 2, 0));
            const std::vector<uint32_t> column =
                BufferPixels(Rect(top.X, top.Y - 1, top.X + 1, top.Y + 1));
            if (column.size() == 2 && column[0] != column[1]) edged += std::string(" ") + name;
        }
        const std::string focus = focused == nullptr ? "nothing"
                                  : focused == FForm ? "form"
                                                     : focused->Name();
        return "focus " + focus + ", result " + std::to_string(FForm->ModalResult()) + ", down" +
               down + ", hot" + hot + ", edged" + edged;
    }
    // The pixels of Area, on the screen, as the form's painted picture holds them, rows top to
    // bottom; what of it lies outside the form is left out.
    std::vector<uint32_t> BufferPixels(const TRect& Area) {
        UpdateWindow(FForm->Handle());
        TRect window{};
        GetWindowRect(FForm->Handle(), window);
        const TPixelRows rows = WindowPixels(FForm->Handle());
        std::vector<uint32_t> pixels;
        for (int32_t y = Area.Top - window.Top; y < Area.Bottom - window.Top; ++y)
            for (int32_t x = Area.Left - window.Left; x < Area.Right - window.Left; ++x)
                if (x >= 0 && y >= 0 && x < rows.Width && y < rows.Height)
                    pixels.push_back(rows.Pixels[static_cast<size_t>(y) * rows.Stride + x] &
                                     0xFFFFFF);
        return pixels;
    }
    // The strip of speed buttons, on the screen.
    TRect SpeedButtons() {
        auto* first = static_cast<TControl*>(FForm->FindComponent("Bold"));
        auto* last = static_cast<TControl*>(FForm->FindComponent("Right"));
        const TPoint from = first->ClientToScreen(Point(0, 0));
        const TPoint to = last->ClientToScreen(Point(last->Width(), last->Height()));
        return Rect(from.X, from.Y, to.X, to.Y);
    }
    void Note() {
        Record.push_back(State());
        FForm->SetModalResult(mrNone);
    }
    // Shows a dialog with a Cancel button with a glyph modally; Send gives it its input once it
    // is up. Notes what the run answered.
    void RunModal(const std::function<void()>& Send) {
        TForm dialog(nullptr);
        dialog.SetCaption("Modal script");
        dialog.SetBounds(80, 90, 200, 100);
        auto* cancel = new TBitBtn(&dialog);
        cancel->SetKind(bkCancel);
        cancel->SetBounds(60, 30, 90, 25);
        cancel->SetParent(&dialog);
        TModalScript script;
        script.Wait(300).Then(Send).Wait(300);
        Record.push_back("modal " + std::to_string(dialog.ShowModal()));
    }
};

// What a step of the tools script does.
enum TToolAction { taClick, taHover, taKey, taAltKey, taModalKey };

struct TToolStep {
    TToolAction Action;
    std::string Target = "";  // the control clicked or hovered over
    std::string XKey = "";    // the key as xdotool names it, and its code
    int32_t Key = 0;
};

struct TToolCase {
    TToolStep Step;
    TRecord Expected;  // what the step records, ending with the state it leaves
};

const std::vector<TToolCase>& ToolsScript() {
    static const std::vector<TToolCase> script = {
        // Speed buttons never take the focus from the form.
        {{taClick, "Bold"}, {"click Bold", "focus form, result 0, down, hot Bold, edged Bold"}},
        {{taHover, "Left"}, {"focus form, result 0, down, hot Left, edged Left"}},
        {{taClick, "Left"},
         {"click Left", "focus form, result 0, down Left, hot Left, edged Left"}},
        {{taClick, "Right"},
         {"click Right", "focus form, result 0, down Right, hot Right, edged Right"}},
        // With AllowAllUp the latched one is let up by a second press.
        {{taClick, "Right"}, {"click Right", "focus form, result 0, down, hot Right, edged Right"}},
        {{taClick, "Close"}, {"click Close", "focus Close, result 2, down, hot, edged"}},
        // The group box's accelerator: the first control inside it.
        {{taAltKey, "", "o", 'O'}, {"focus Inner, result 0, down, hot, edged"}},
        {{taKey, "", "Tab", VK_TAB}, {"focus Plain, result 0, down, hot, edged"}},
        {{taKey, "", "Tab", VK_TAB}, {"focus Panel, result 0, down, hot, edged"}},
        // The bevel takes neither the click nor the focus.
        {{taClick, "Bevel"}, {"focus Panel, result 0, down, hot, edged"}},
        {{taModalKey, "", "Escape", VK_ESCAPE},
         {"modal 2", "focus Panel, result 0, down, hot, edged"}},
    };
    return script;
}

// How a tools script step's input reaches the program.
struct TToolInput {
    std::function<void(TPoint Screen)> Move;
    std::function<void(TPoint Screen)> Click;
    std::function<void(const TToolStep& Step)> Key;
};

TRecord RunToolsScript(TToolsDialog& Dialog, const TToolInput& Input,
                       const std::function<void(size_t Length, const std::string& State)>& Settle) {
    for (const TToolCase& c : ToolsScript()) {
        const TToolStep& step = c.Step;
        const size_t before = Dialog.Record.size();
        switch (step.Action) {
            case taClick:
                Input.Click(Dialog.Middle(step.Target));
                break;
            case taHover:
                Input.Move(Dialog.Middle(step.Target));
                break;
            case taKey:
            case taAltKey:
                Input.Key(step);
                break;
            case taModalKey:
                Dialog.RunModal([&] { Input.Key(step); });
                break;
        }
        Settle(before + c.Expected.size() - 1, c.Expected.back());
        Dialog.Note();
    }
    return Dialog.Record;
}

TRecord Expected(const std::vector<TToolCase>& Script) {
    TRecord expected;
    for (const TToolCase& c : Script)
        expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
    return expected;
}

TEST_F(ButtonsOnDisplay, ToolButtonsGroupBoxPanelAndBevelOnTheDisplayActAsWithInjectedInput) {
    TRecord injected;
    {
        TToolsDialog dialog;
        Application().ProcessMessages();
        injected =
            RunToolsScript(dialog,
                           TToolInput{[](TPoint Screen) { InjectMouseMove(Screen); },
                                      [](TPoint Screen) { test::ClickAt(Screen); },
                                      [](const TToolStep& Step) {
                                          if (Step.Action == taAltKey) InjectKey(VK_MENU, true);
                                          test::TapKey(Step.Key);
                                          if (Step.Action == taAltKey) InjectKey(VK_MENU, false);
                                      }},
                           [](size_t, const std::string&) { Application().ProcessMessages(); });
        test::ReleaseAllKeys();
    }
    EXPECT_EQ(injected, Expected(ToolsScript()));

    PresentOnDisplay();
    TToolsDialog dialog;
    ASSERT_TRUE(WaitUntilShown(TToolsDialog::kCaption));
    const std::string display = FServer.DisplayName();
    const TRecord typed = RunToolsScript(
        dialog,
        TToolInput{[&](TPoint Screen) { test::MoveOnDisplay(display, Screen); },
                   [&](TPoint Screen) { test::ClickOnDisplay(display, Screen); },
                   [&](const TToolStep& Step) {
                       test::RunXdotool(display, std::string("key ") +
                                                     (Step.Action == taAltKey ? "alt+" : "") +
                                                     Step.XKey);
                   }},
        // Until the step shows as it did when injected.
        [&](size_t Length, const std::string& State) {
            test::SettleUntil(
                [&] { return dialog.Record.size() >= Length && dialog.State() == State; });
            // What the speed buttons look like has reached the screen.
            const TRect strip = dialog.SpeedButtons();
            const bool shown = test::PumpThroughApplication(
                [&] { return FPeer.Screen(strip) == dialog.BufferPixels(strip); }, 5s);
            EXPECT_TRUE(shown) << "after the step that leaves " << State;
        });
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
