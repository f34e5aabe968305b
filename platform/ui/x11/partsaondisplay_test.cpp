// A caret pair, a tab list box and the mail address dialog, each driven by a script twice:
// injected with no display, and typed by a second client on an Xvfb display. Both runs must leave
// the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/entry/OvcCaret.h"
#include "components/entry/OvcTabListBox.h"
#include "net/mailaddressdlg.h"
#include "platform/ui/customedit.h"
#include "platform/ui/form.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/input_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/caret.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/presenter.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A character cell whose caret pair shows while it has the focus; Insert switches the caret.
class TCaretCell : public TCustomControl {
public:
    explicit TCaretCell(TComponent* AOwner)
        : TCustomControl(AOwner), FCarets(std::make_unique<TOvcCaretPair>(this)) {
        SetTabStop(true);
        FCarets->SetCellWidth(8);
        FCarets->SetCellHeight(14);
        FCarets->SetPosition(Point(4, 4));
        FCarets->SetVisible(true);
    }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override {
        if (CanFocus()) SetFocus();
        TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        if (Key == VK_INSERT) FCarets->SetInsertMode(!FCarets->InsertMode());
        TCustomControl::KeyDown(Key, Shift);
    }
    void WMSetFocus(TMessage& Message) override {
        TCustomControl::WMSetFocus(Message);
        FCarets->SetLinked(true);
    }
    void WMKillFocus(TMessage& Message) override {
        FCarets->SetLinked(false);
        TCustomControl::WMKillFocus(Message);
    }

private:
    std::unique_ptr<TOvcCaretPair> FCarets;
};

struct TStep {
    std::string Click;          // a control whose middle is clicked, or empty
    bool Double = false;        // twice
    std::vector<int32_t> Keys;  // then these keys; VK_SHIFT holds Shift for the next
};

// What a script runs on, the same with or without a display.
class TScene {
public:
    virtual ~TScene() = default;
    // The title of its window, by which the display's peer finds it.
    virtual std::string Title() const = 0;
    virtual const std::vector<TStep>& Script() const = 0;
    // The middle of a control, on the screen.
    virtual TPoint Middle(const std::string& Name) = 0;
    // What a person would see after a step.
    virtual std::string State() = 0;
};

// Where the focus is, and the caret.
std::string FocusAndCaret() {
    TWinControl* focused = FindControl(GetFocus());
    const TCaretState caret = GetCaretState();
    TWinControl* caretOwner = FindControl(caret.Wnd);
    return "focus " + (focused ? focused->Name() : std::string("nothing")) + ", caret in " +
           (caretOwner ? caretOwner->Name() : std::string("nothing")) + " at " +
           std::to_string(caret.Rect.Left) + "," + std::to_string(caret.Rect.Top) + " " +
           std::to_string(caret.Rect.Right - caret.Rect.Left) + "x" +
           std::to_string(caret.Rect.Bottom - caret.Rect.Top);
}

TPoint MiddleOf(TComponent& Owner, const std::string& Name) {
    auto* control = static_cast<TControl*>(Owner.FindComponent(Name));
    return control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
}

// A form with a caret cell and a list of search results.
class TCaretScene : public TScene {
public:
    TCaretScene() {
        FForm->SetCaption("Carets and tabs");
        FForm->SetBounds(40, 50, 280, 160);
        Place(new TCaretCell(FForm.get()), "cell", Rect(8, 8, 34, 32));
        auto* box = Place(new TTabListBox(FForm.get()), "Box", Rect(8, 40, 248, 80));
        box->SetTabWidth(65);
        box->SetItemHeight(13);
        for (const char* item : {"alpha\t12", "beta\t7", "gamma\t3", "delta\t9"})
            box->Items().Add(item);
        box->OnDblClick = [this](TObject*) { ++FDoubleClicks; };
        FBox = box;
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }

    std::string Title() const override { return "Carets and tabs"; }
    const std::vector<TStep>& Script() const override {
        static const std::vector<TStep> script = {
            {"cell", false, {}},    {"", false, {VK_INSERT}}, {"Box", false, {}},
            {"", false, {VK_DOWN}}, {"", false, {VK_TAB}},    {"Box", true, {}},
        };
        return script;
    }
    TPoint Middle(const std::string& Name) override { return MiddleOf(*FForm, Name); }
    std::string State() override {
        return FocusAndCaret() + ", item " + std::to_string(FBox->ItemIndex()) +
               ", double clicks " + std::to_string(FDoubleClicks);
    }

private:
    template <class T>
    T* Place(T* Control, const std::string& Name, TRect Bounds) {
        Control->SetName(Name);
        Control->SetBoundsRect(Bounds);
        Control->SetParent(FForm.get());
        return Control;
    }

    std::unique_ptr<TForm> FForm = std::make_unique<TForm>(nullptr);
    TTabListBox* FBox = nullptr;
    int FDoubleClicks = 0;
};

// The address dialog as Edit shows it, with a name to add to.
class TAddressScene : public TScene {
public:
    TAddressScene() {
        TmsMailAddress start;
        start.Name = "Bo";
        FDialog->SetAddress(start);
        FDialog->SetLeft(40);
        FDialog->SetTop(50);
        FDialog->Show();
        SetActiveWindow(FDialog->Handle());
    }

    std::string Title() const override { return "Address"; }
    const std::vector<TStep>& Script() const override {
        static const std::vector<TStep> script = {
            {"AddressEdit", false, {'A', VK_SHIFT, '2', 'B'}},
            {"NameEdit", false, {'B'}},
            {"", false, {VK_RETURN}},
        };
        return script;
    }
    TPoint Middle(const std::string& Name) override { return MiddleOf(*FDialog, Name); }
    std::string State() override {
        const TmsMailAddress& taken = *FDialog->MailAddress();
        return FocusAndCaret() + ", edits \"" + FDialog->NameEdit->Text() + "\" <" +
               FDialog->AddressEdit->Text() + ">, result " +
               std::to_string(FDialog->ModalResult()) + ", taken \"" + taken.Name + "\" <" +
               taken.Address + ">";
    }

private:
    std::unique_ptr<TMailAddressDlg> FDialog = std::make_unique<TMailAddressDlg>(nullptr);
};

TRecord RunScript(TScene& Scene, const std::function<void(TScene&, const TStep&)>& Deliver,
                  const std::function<void(TScene&, size_t)>& Settle) {
    TRecord record;
    for (size_t i = 0; i < Scene.Script().size(); ++i) {
        Deliver(Scene, Scene.Script()[i]);
        Settle(Scene, i);
        record.push_back(Scene.State());
    }
    return record;
}

template <class TSceneType>
TRecord RunInjected() {
    TSceneType scene;
    Application().ProcessMessages();
    const TRecord record = RunScript(
        scene,
        [](TScene& S, const TStep& Step) {
            if (!Step.Click.empty()) {
                InjectMouseMove(S.Middle(Step.Click));
                for (int click = 0; click < (Step.Double ? 2 : 1); ++click) {
                    InjectMouseButton(mbLeft, true);
                    InjectMouseButton(mbLeft, false);
                }
            }
            test::InjectKeys(Step.Keys);
        },
        [](TScene&, size_t) { Application().ProcessMessages(); });
    test::ReleaseAllKeys();
    return record;
}

class PartsAOnDisplay : public test::OnDisplayTest {
protected:
    // Each step is given time until the scene shows what the injected run showed after it,
    // then a little more for anything that should not come.
    template <class TSceneType>
    TRecord RunTyped(const TRecord& Expected) {
        PresentOnDisplay();
        TSceneType scene;
        if (!WaitUntilShown(scene.Title())) return {};
        const std::string display = FServer.DisplayName();
        return RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                if (!Step.Click.empty())
                    test::ClickOnDisplay(display, S.Middle(Step.Click), 1, Step.Double ? 2 : 1);
                if (!Step.Keys.empty()) test::TypeOnDisplay(display, Step.Keys);
            },
            [&](TScene& S, size_t Step) {
                test::SettleUntil([&] { return S.State() == Expected[Step]; });
            });
    }
};

TEST_F(PartsAOnDisplay, ACaretCellAndATabListTakeClicksAndKeysAsInjectedInput) {
    const TRecord injected = RunInjected<TCaretScene>();
    // The script does what it means to: the cell's caret shows and switches, the list selects
    // by click and key (scrolling the row it moves to into view, under the next click) and hears
    // the double click, the caret goes with the focus.
    const std::vector<std::string> expected = {
        "focus cell, caret in cell at 4,4 2x14, item -1, double clicks 0",
        "focus cell, caret in cell at 4,4 8x14, item -1, double clicks 0",
        "focus Box, caret in nothing at 0,0 0x0, item 1, double clicks 0",
        "focus Box, caret in nothing at 0,0 0x0, item 2, double clicks 0",
        "focus cell, caret in cell at 4,4 8x14, item 2, double clicks 0",
        "focus Box, caret in nothing at 0,0 0x0, item 2, double clicks 1"};
    EXPECT_EQ(injected, expected);
    EXPECT_EQ(RunTyped<TCaretScene>(injected), injected);
}

TEST_F(PartsAOnDisplay, TheAddressDialogTakesTypingAsInjectedInput) {
    const TRecord injected = RunInjected<TAddressScene>();
    ASSERT_EQ(injected.size(), 3u);
    // Typed into both edits, and Enter pressed the default button, which took both.
    EXPECT_NE(injected[2].find("edits \"Bob\" <a@b>, result 1, taken \"Bob\" <a@b>"),
              std::string::npos)
        << injected[2];
    EXPECT_EQ(RunTyped<TAddressScene>(injected), injected);
}

}  // namespace
}  // namespace vex
