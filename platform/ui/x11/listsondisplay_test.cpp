// One script of clicks and keys through a list box and a drop-down list, run twice: injected with
// no display, and typed by xdotool on an Xvfb display, where the combo box's list is a popup
// window of its own that holds the pointer. Both runs must leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/combobox.h"
#include "platform/ui/comboboxlist.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/listbox.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
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

// A list box and a drop-down list on a form; what a person's input does goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Lists script");
        FForm->SetBounds(40, 50, 320, 260);
        // Rows of 12 pixels whatever fonts are installed: the script's rows and pages count on it.
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-12);
        FList->SetBounds(8, 8, 140, 120);
        FList->SetParent(FForm);
        for (int i = 0; i < 30; ++i)
            FList->Items().Add("message " + std::to_string(i));
        FList->OnClick = [this](TObject*) { Note("list " + std::to_string(FList->ItemIndex())); };
        FList->OnDblClick = [this](TObject*) { Note("list double click"); };
        FCombo->SetStyle(csDropDownList);
        FCombo->SetBounds(160, 8, 140, 0);
        FCombo->SetParent(FForm);
        FCombo->Items().SetCommaText("Single,\"1.5 Lines\",Double,\"At least\",Exactly,Multiple");
        FCombo->SetItemIndex(0);
        FCombo->OnChange = [this](TObject*) { Note("combo " + FCombo->Text()); };
        FCombo->OnDropDown = [this](TObject*) { Note("combo opens"); };
        FCombo->OnCloseUp = [this](TObject*) { Note("combo closes"); };
        FFonts->SetBounds(160, 40, 140, 0);
        FFonts->SetParent(FForm);
        FFonts->Items().SetCommaText("Arial,Courier,Times");
        FFonts->OnChange = [this](TObject*) { Note("fonts " + FFonts->Text()); };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FList->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TCustomForm& Form() { return *FForm; }
    // A screen point: of a list box row, of the combo box's face, or of a row of its open list.
    TPoint ListRow(int32_t Row) { return FList->ClientToScreen(Point(30, Row * RowHeight() + 4)); }
    TPoint Face() { return FCombo->ClientToScreen(Point(40, FCombo->ClientHeight() / 2)); }
    TPoint FontsEdit() { return FFonts->ClientToScreen(Point(40, FFonts->ClientHeight() / 2)); }
    TPoint OpenRow(int32_t Row) {
        TControl* list = FindControl(GetCapture());
        return list == nullptr ? Point(0, 0)
                               : list->ClientToScreen(Point(30, Row * RowHeight() + 4));
    }
    std::string State() {
        return "list " + std::to_string(FList->ItemIndex()) + " top " +
               std::to_string(FList->TopIndex()) + ", combo " + FCombo->Text() +
               (FCombo->DroppedDown() ? " open" : " closed") + ", fonts " + FFonts->Text() +
               ", capture " + (GetCapture() != 0 ? "held" : "free");
    }

    TRecord Record;

private:
    void Note(const std::string& What) { Record.push_back(What); }
    int32_t RowHeight() { return FList->ItemHeight(); }

    TForm* FForm = new TForm(nullptr);
    TListBox* FList = new TListBox(FForm);
    TComboBox* FCombo = new TComboBox(FForm);
    TComboBox* FFonts = new TComboBox(FForm);  // a drop-down: an edit for any text
};

// One step: a click at a point the scene names when the step comes, or keys.
struct TStep {
    std::function<TPoint(TScene&)> At;  // empty for keys
    std::vector<int32_t> Keys;          // VK_MENU holds Alt for the next key
    size_t Notes = 0;                   // how many lines the step adds to the record
};

TStep Click(std::function<TPoint(TScene&)> At, size_t Notes) {
    return TStep{std::move(At), {}, Notes};
}
TStep Keys(std::vector<int32_t> Keys, size_t Notes) {
    return TStep{nullptr, std::move(Keys), Notes};
}

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        Click([](TScene& S) { return S.ListRow(3); }, 1),
        Keys({VK_DOWN, VK_DOWN, VK_NEXT}, 3),
        Keys({VK_END}, 1),
        Click([](TScene& S) { return S.Face(); }, 1),
        Click([](TScene& S) { return S.OpenRow(2); }, 2),
        Keys({VK_MENU, VK_DOWN}, 1),
        Keys({VK_DOWN, VK_DOWN, VK_RETURN}, 2),
        Keys({VK_F4, VK_DOWN, VK_ESCAPE}, 2),
        Keys({VK_UP}, 1),
        Click([](TScene& S) { return S.FontsEdit(); }, 0),
        Keys({'T', 'I', 'M'}, 3),
        Keys({VK_DOWN}, 1),
        Keys({VK_F4, VK_DOWN, VK_RETURN}, 1),
    };
    return script;
}

std::string XKeyNames(const std::vector<int32_t>& Keys) {
    std::string names;
    bool alt = false;
    for (int32_t key : Keys) {
        if (key == VK_MENU) {
            alt = true;
            continue;
        }
        const std::string name = key == VK_DOWN     ? "Down"
                                 : key == VK_UP     ? "Up"
                                 : key == VK_NEXT   ? "Next"
                                 : key == VK_END    ? "End"
                                 : key == VK_RETURN ? "Return"
                                 : key == VK_ESCAPE ? "Escape"
                                 : key == VK_F4     ? "F4"
                                                    : std::string(1, static_cast<char>(key + 32));
        names += " " + (alt ? "alt+" + name : name);
        alt = false;
    }
    return names;
}

void InjectKeys(const std::vector<int32_t>& Keys) {
    bool alt = false;
    for (int32_t key : Keys) {
        if (key == VK_MENU) {
            alt = true;
            InjectKey(VK_MENU, true);
            continue;
        }
        InjectKey(key, true);
        InjectKey(key, false);
        if (alt) InjectKey(VK_MENU, false);
        alt = false;
    }
}

void RunXdotool(const std::string& Display, const std::string& Arguments) {
    const std::string command = "DISPLAY=" + Display + " xdotool " + Arguments;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
}

bool PumpThroughApplication(const std::function<bool()>& Condition,
                            std::chrono::milliseconds Watchdog) {
    const auto deadline = std::chrono::steady_clock::now() + Watchdog;
    for (;;) {
        Application().ProcessMessages();
        if (Condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        TMessageQueue::Instance().Wait(Clock().TickMilliseconds() + 20);
    }
}

// Runs the script; after each step, once its notes are in, the record gets the scene's state.
TRecord RunScript(TScene& Scene, const std::function<void(TScene&, const TStep&)>& Deliver,
                  const std::function<void(TScene&, size_t)>& Settle) {
    size_t expected = 0;
    for (const TStep& step : Script()) {
        Deliver(Scene, step);
        expected += step.Notes + 1;
        Settle(Scene, expected - 1);
        Scene.Record.push_back(Scene.State());
    }
    return Scene.Record;
}

TRecord RunInjected() {
    TScene scene;
    Application().ProcessMessages();
    scene.Record.clear();
    const TRecord record = RunScript(
        scene,
        [](TScene& S, const TStep& Step) {
            if (!Step.At) {
                InjectKeys(Step.Keys);
                return;
            }
            InjectMouseMove(Step.At(S));
            InjectMouseButton(mbLeft, true);
            InjectMouseButton(mbLeft, false);
        },
        [](TScene&, size_t) { Application().ProcessMessages(); });
    test::ReleaseAllKeys();
    return record;
}

class ListsOnDisplay : public testing::Test {
protected:
    ListsOnDisplay() {
        setenv("DISPLAY", FServer.DisplayName().c_str(), 1);
        unsetenv("VEX_DISPLAY");
    }
    ~ListsOnDisplay() override {
        SetPresenter(std::make_unique<THeadlessPresenter>());
        setenv("VEX_DISPLAY", "headless", 1);
        test::ReleaseAllKeys();
    }

    TRecord RunTyped() {
        SetPresenter(MakeX11Presenter("", WindowTreeSink()));
        TScene scene;
        if (!PumpThroughApplication([&] { return FPeer.FindWindow("Lists script") != 0; }, 10s)) {
            ADD_FAILURE() << "the form never showed";
            return {};
        }
        RunXdotool(FServer.DisplayName(),
                   "search --sync --name \"Lists script\" windowfocus --sync");
        PumpThroughApplication([] { return false; }, 200ms);
        scene.Record.clear();
        const std::string display = FServer.DisplayName();
        return RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                if (!Step.At) {
                    RunXdotool(display, "key --delay 30" + XKeyNames(Step.Keys));
                    return;
                }
                const TPoint at = Step.At(S);
                RunXdotool(display, "mousemove " + std::to_string(at.X) + " " +
                                        std::to_string(at.Y) + " click 1");
            },
            [&](TScene& S, size_t Notes) {
                PumpThroughApplication([&] { return S.Record.size() >= Notes; }, 5s);
                PumpThroughApplication([] { return false; }, 150ms);
            });
    }

    test::XvfbServer FServer;
    test::X11Peer FPeer{FServer.DisplayName()};
};

TEST_F(ListsOnDisplay, ClicksAndKeysOnTheDisplayDoWhatTheSameInputInjectedDoes) {
    const TRecord injected = RunInjected();
    // The script reaches what it aims at: the rows clicked, the item picked from the open list.
    for (const char* line :
         {"list 3", "list 13", "combo Double", "combo Exactly", "combo At least", "fonts tim",
          "fonts Arial", "list 29 top 21, combo At least closed, fonts Courier, capture free"})
        EXPECT_NE(std::find(injected.begin(), injected.end(), line), injected.end()) << line;
    const TRecord typed = RunTyped();
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
