// One script of clicks, typing and Tab, run on a form of labels and components twice: injected
// with no display, and typed by a second client on an Xvfb display. A person at either would see
// the same: the same clicks reach the same controls, the same keys the same focus.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "components/entry/EsBase.h"
#include "components/entry/OvcBase.h"
#include "components/misc/RzLabel.h"
#include "dataaware/richedit/wwTrackIcon.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11testpeer.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A focusable control that a click focuses, as an entry field's would.
template <class Base>
class TScripted : public Base {
public:
    explicit TScripted(TComponent* AOwner) : Base(AOwner) { this->SetTabStop(true); }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override {
        if (this->CanFocus()) this->SetFocus();
        Base::MouseDown(Button, Shift, X, Y);
    }
    void Paint() override {
        TCanvas& canvas = this->Canvas();
        canvas.Brush().SetColor(this->Focused() ? clInfoBk : clWindow);
        canvas.FillRect(this->ClientRect());
    }
};

// The form the script runs on, the same with or without a display. Everything a person's input
// does to it goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Input script");
        FForm->SetBounds(40, 50, 360, 240);
        new TOvcController(FForm);
        Place(new TLabel(FForm), "caption", Rect(8, 8, 90, 24));
        Place(new TRzLabel(FForm), "raised", Rect(8, 180, 110, 204));
        auto* date = Place(new TScripted<TEsBase>(FForm), "date", Rect(120, 36, 240, 58));
        date->EsLabelInfo().SetVisible(true);
        TControl* label = date->EsLabelInfo().Label();
        label->SetName("dateLabel");
        label->OnClick = [this](TObject*) { Record.push_back("click dateLabel"); };
        auto* ovc = Place(new TScripted<TOvcBase>(FForm), "ovc", Rect(120, 70, 240, 92));
        ovc->AfterEnter = [this](TObject*) { Record.push_back("after enter ovc"); };
        Place(new TScripted<TCustomControl>(FForm), "first", Rect(8, 110, 110, 132));
        Place(new TScripted<TCustomControl>(FForm), "second", Rect(120, 110, 240, 132));
        FIcon = Place(new TwwTrackIcon(FForm), "icon", Rect(20, 150, 20, 150));
        FIcon->SetBitmapName("RulerMarker");
        FIcon->SetMinValue(10);
        FIcon->SetMaxValue(300);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FForm->Perform(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(FindWindowed("first")->Handle()), 1);
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TCustomForm& Form() { return *FForm; }
    TControl* Find(const std::string& Name) {
        return static_cast<TControl*>(FForm->FindComponent(Name));
    }
    TWinControl* FindWindowed(const std::string& Name) {
        return static_cast<TWinControl*>(FForm->FindComponent(Name));
    }
    // The middle of a control, on the screen.
    TPoint Middle(const std::string& Name) {
        TControl* control = Find(Name);
        return control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    }
    int32_t IconLeft() const { return FIcon->Left(); }
    std::string Focus() {
        TWinControl* focused = FindControl(GetFocus());
        return focused != nullptr ? focused->Name() : "nothing";
    }

    TRecord Record;

private:
    template <class T>
    T* Place(T* Control, const std::string& Name, TRect Bounds) {
        Control->SetName(Name);
        Control->SetBoundsRect(Bounds);
        Control->SetParent(FForm);
        Control->OnClick = [this, Name](TObject*) { Record.push_back("click " + Name); };
        if constexpr (std::is_base_of_v<TWinControl, T>) {
            Control->OnEnter = [this, Name](TObject*) { Record.push_back("enter " + Name); };
            Control->OnKeyDown = [this, Name](TObject*, uint16_t& Key, TShiftState) {
                Record.push_back("key " + Name + " " + std::to_string(Key));
            };
            Control->OnKeyPress = [this, Name](TObject*, char& Key) {
                Record.push_back("char " + Name + " " + std::string(1, Key));
            };
        }
        return Control;
    }

    TForm* FForm = new TForm(nullptr);
    TwwTrackIcon* FIcon = nullptr;
};

// One step of the script: a batch of input that ends with every button and key up again.
struct TStep {
    enum TKind { Click, Drag, Type } Kind;
    std::string Target;  // the control whose middle is clicked or where a drag starts
    int32_t DragBy = 0;  // pixels to the right
    std::vector<int32_t>
        Keys;  // virtual keys typed one after another; VK_SHIFT holds Shift for the next
};

TStep ClickOn(const std::string& Target) {
    return TStep{TStep::Click, Target, 0, {}};
}
TStep DragBy(const std::string& Target, int32_t Pixels) {
    return TStep{TStep::Drag, Target, Pixels, {}};
}
TStep Keys(std::vector<int32_t> Keys) {
    return TStep{TStep::Type, "", 0, std::move(Keys)};
}

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        ClickOn("caption"),
        ClickOn("second"),
        Keys({'H', 'I'}),
        Keys({VK_TAB}),
        ClickOn("raised"),
        ClickOn("date"),
        Keys({VK_SHIFT, '7', VK_TAB}),
        ClickOn("ovc"),
        Keys({VK_SHIFT, VK_TAB, VK_SPACE}),
        DragBy("icon", 45),
        ClickOn("dateLabel"),
    };
    return script;
}

// Runs the script step by step through Deliver, which sends a step's input; Settle lets it
// arrive and be handled. The record gets the focus after each step and the icon's place.
TRecord RunScript(TScene& Scene, const std::function<void(TScene&, const TStep&)>& Deliver,
                  const std::function<void(TScene&, size_t)>& Settle) {
    for (size_t i = 0; i < Script().size(); ++i) {
        Deliver(Scene, Script()[i]);
        Settle(Scene, i);
        Scene.Record.push_back("focus " + Scene.Focus());
    }
    Scene.Record.push_back("icon left " + std::to_string(Scene.IconLeft()));
    return Scene.Record;
}

// The script injected with no display; Lengths gets the record's length after each step.
TRecord RunInjected(std::vector<size_t>& Lengths) {
    TScene scene;
    Application().ProcessMessages();
    scene.Record.clear();
    const TRecord record = RunScript(
        scene,
        [](TScene& S, const TStep& Step) {
            if (Step.Kind == TStep::Type) {
                test::InjectKeys(Step.Keys);
                return;
            }
            const TPoint from = S.Middle(Step.Target);
            InjectMouseMove(from);
            InjectMouseButton(mbLeft, true);
            if (Step.Kind == TStep::Drag) InjectMouseMove(Point(from.X + Step.DragBy, from.Y));
            InjectMouseButton(mbLeft, false);
        },
        [&](TScene& S, size_t) {
            Application().ProcessMessages();
            Lengths.push_back(S.Record.size());
        });
    test::ReleaseAllKeys();
    return record;
}

class PartsOnDisplay : public test::OnDisplayTest {
protected:
    // The script typed on the display by xdotool; each step is given until the record is as
    // long as the injected run's was, then a little more for anything that should not come.
    TRecord RunTyped(const std::vector<size_t>& Lengths) {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown("Input script")) return {};
        // With no window manager the window is where the form is: screen points are the same.
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(FPeer.Dpy(), FPeer.FindWindow("Input script"), FPeer.Root(), 0, 0, &x,
                              &y, &child);
        EXPECT_EQ(x, scene.Form().Left());
        EXPECT_EQ(y, scene.Form().Top());
        scene.Record.clear();
        const std::string display = FServer.DisplayName();
        TRecord record = RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                if (Step.Kind == TStep::Type) {
                    test::TypeOnDisplay(display, Step.Keys);
                    return;
                }
                const TPoint from = S.Middle(Step.Target);
                if (Step.Kind == TStep::Click)
                    test::ClickOnDisplay(display, from);
                else
                    test::RunXdotool(display,
                                     test::XMoveTo(from) + " mousedown 1 " +
                                         test::XMoveTo(Point(from.X + Step.DragBy, from.Y)) +
                                         " mouseup 1");
            },
            [&](TScene& S, size_t Step) {
                test::SettleUntil([&] { return S.Record.size() >= Lengths[Step]; });
            });
        return record;
    }
};

TEST_F(PartsOnDisplay, AScriptTypedOnTheDisplayDoesWhatTheSameScriptInjectedDoes) {
    std::vector<size_t> lengths;
    const TRecord injected = RunInjected(lengths);
    // The script does reach what it aims at: labels and parts take clicks, keys type, Tab moves.
    for (const char* line : {"click caption", "click raised", "click dateLabel", "char second h",
                             "enter date", "after enter ovc", "icon left 65"})
        EXPECT_NE(std::find(injected.begin(), injected.end(), line), injected.end()) << line;
    const TRecord typed = RunTyped(lengths);
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
