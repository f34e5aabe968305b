#include "components/misc/ExplBtnPopup.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/misc/ExplBtn.h"
#include "components/misc/ExplBtnPopupForm.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/capture.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/window.h"

namespace vex {
namespace {

using test::PumpUntilIdle;

// A form with two buttons, each dropping down a panel of 120 by 60 holding a button; the
// panels' events go into a log.
class ExplorerPopup : public ::testing::Test {
protected:
    ExplorerPopup() {
        Form.Form->Font().SetName(FixedFontName);
        for (int i = 0; i < 2; ++i) {
            const std::string name = i == 0 ? "a" : "b";
            Buttons[i] =
                Form.Add<TExplorerButton>(Form.Form, Rect(10 + i * 60, 10, 60 + i * 60, 50));
            Panels[i] = Form.Add<TExplorerPopup>(Form.Form, Rect(0, 60, 120, 120));
            Panels[i]->Hide();
            Panels[i]->Font().SetName(FixedFontName);  // the host form is not the test form
            Panels[i]->SetParentFont(false);
            Panels[i]->SetCaption("Panel " + name);
            Inner[i] = Form.Add<TExplorerButton>(Panels[i], Rect(5, 5, 55, 45));
            Inner[i]->SetCaption("&In");
            Buttons[i]->SetExplorerPopup(Panels[i]);
            Panels[i]->OnOpen = [this, name](TObject*) { Log.push_back("open " + name); };
            Panels[i]->OnClose = [this, name](TObject*) { Log.push_back("close " + name); };
            Panels[i]->OnUndock = [this, name](TObject*) { Log.push_back("undock " + name); };
        }
        InjectMouseMove(Form.Form->ClientToScreen(Point(150, 100)));
        PumpUntilIdle();
    }
    ~ExplorerPopup() override {
        InjectMouseButton(mbLeft, false);
        PumpUntilIdle();
    }
    void MoveTo(TPoint Screen) { InjectMouseMove(Screen); }
    void ClickAt(TPoint Screen) {
        InjectMouseMove(Screen);
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
    }
    static TPoint Middle(TControl* Control) {
        return Control->ClientToScreen(Point(Control->Width() / 2, Control->Height() / 2));
    }
    // Presses the first panel's gripper and moves the pointer Distance pixels right.
    void PressGripperAndMove(int32_t Distance) {
        const TPoint grip = Panels[0]->ClientToScreen(Point(20, 5));
        MoveTo(grip);
        InjectMouseButton(mbLeft, true);
        MoveTo(Point(grip.X + Distance, grip.Y));
    }
    // Clicks the button, which drops its panel down and runs it with the script.
    void Open(int Index) {
        ClickAt(Middle(Buttons[Index]));
        PumpUntilIdle();
    }
    std::string TakeLog() { return test::TakeLines(Log); }

    test::TShownForm Form{Rect(100, 100, 400, 300)};
    TExplorerButton* Buttons[2] = {};
    TExplorerPopup* Panels[2] = {};
    TExplorerButton* Inner[2] = {};
    std::vector<std::string> Log;
};

TEST_F(ExplorerPopup, OpensUnderItsButtonAndAClickOutsideClosesItOnce) {
    TModalScript script;
    TRect hostBounds;
    bool pressedLook = false;
    script.Then([&] {
        ASSERT_NE(Panels[0]->Host(), nullptr);
        hostBounds = Panels[0]->Host()->BoundsRect();
        pressedLook = Buttons[0]->PopupOpen();
        EXPECT_EQ(OpenExplorerPopup(), Panels[0]);
        EXPECT_EQ(Inner[0]->Top(), 5 + ExplorerGripperHeight);
        ClickAt(Form.Form->ClientToScreen(Point(250, 150)));
    });
    Open(0);
    const TPoint under = Buttons[0]->ClientToScreen(Point(0, 40));
    EXPECT_EQ(hostBounds,
              Rect(under.X, under.Y, under.X + 120, under.Y + 60 + ExplorerGripperHeight));
    EXPECT_TRUE(pressedLook);
    EXPECT_EQ(TakeLog(), "open a\nclose a\n");
    EXPECT_EQ(OpenExplorerPopup(), nullptr);
    EXPECT_FALSE(Buttons[0]->PopupOpen());
    EXPECT_FALSE(Panels[0]->Visible());
    EXPECT_EQ(Panels[0]->Parent(), Form.Form);
    EXPECT_EQ(Panels[0]->BoundsRect(), Rect(0, 60, 120, 120));
    EXPECT_EQ(Inner[0]->Top(), 5);
    EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(ExplorerPopup, AClickInsideKeepsItOpenAndOneOnItsButtonClosesItForGood) {
    TModalScript script;
    int innerClicks = 0;
    Inner[0]->OnClick = [&](TObject*) { ++innerClicks; };
    script.Then([&] { ClickAt(Middle(Inner[0])); });
    script.Then([&] {
        EXPECT_NE(Panels[0]->Host(), nullptr);
        ClickAt(Middle(Buttons[0]));
    });
    Open(0);
    PumpUntilIdle();
    EXPECT_EQ(innerClicks, 1);
    EXPECT_EQ(TakeLog(), "open a\nclose a\n");
    EXPECT_EQ(OpenExplorerPopup(), nullptr);
}

TEST_F(ExplorerPopup, OpensAboveWhenTheBottomIsNearAndMovesLeftAtTheRightEdge) {
    const TRect work = Screen().WorkAreaRect();
    const struct {
        TPoint FormAt;
        bool Above;
        bool AtRightEdge;
    } cases[] = {
        {{100, 100}, false, false},
        {{100, work.Bottom - 90}, true, false},
        {{work.Right - 90, 100}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.FormAt.X << "," << c.FormAt.Y);
        Form.Form->SetBounds(c.FormAt.X, c.FormAt.Y, 300, 200);
        PumpUntilIdle();
        TModalScript script;
        TRect host;
        script.Then([&] {
            host = Panels[0]->Host()->BoundsRect();
            Panels[0]->Close();
        });
        Open(0);
        const TPoint top = Buttons[0]->ClientToScreen(Point(0, 0));
        EXPECT_EQ(host.Top, c.Above ? top.Y - host.Bottom + host.Top : top.Y + 40);
        EXPECT_EQ(host.Left, c.AtRightEdge ? work.Right - 120 : top.X);
    }
}

TEST_F(ExplorerPopup, AQuitClosesItAndStaysPostedForTheOuterLoop) {
    TModalScript script;
    script.Then([] { PostQuitMessage(7); });
    Open(0);
    EXPECT_EQ(TakeLog(), "open a\nclose a\n");
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// The button is freed while the panel is open from it, keeping the panel, letting go of it or
// taking another first: the panel closes later without it.
TEST_F(ExplorerPopup, ItsButtonMayBeFreedWhileItIsOpen) {
    const std::function<void(TExplorerButton*)> before[] = {
        [](TExplorerButton*) {},
        [](TExplorerButton* B) { B->SetExplorerPopup(nullptr); },
        [this](TExplorerButton* B) { B->SetExplorerPopup(Panels[1]); },
    };
    for (const auto& then : before) {
        if (Buttons[0] == nullptr)
            Buttons[0] = Form.Add<TExplorerButton>(Form.Form, Rect(10, 10, 60, 50));
        Buttons[0]->SetExplorerPopup(Panels[0]);
        TModalScript script;
        script.Then([&] {
            then(Buttons[0]);
            delete Buttons[0];
            Buttons[0] = nullptr;
        });
        script.Then([&] { ClickAt(Form.Form->ClientToScreen(Point(250, 150))); });
        Open(0);
        EXPECT_EQ(TakeLog(), "open a\nclose a\n");
        EXPECT_EQ(OpenExplorerPopup(), nullptr);
    }
}

// OnOpen frees the button the panel was to drop down from: it does not open.
TEST_F(ExplorerPopup, DoesNotOpenWhenOnOpenFreesItsButton) {
    Panels[0]->OnOpen = [this](TObject*) {
        delete Buttons[0];
        Buttons[0] = nullptr;
    };
    TModalScript script;
    Open(0);
    EXPECT_EQ(Buttons[0], nullptr);
    EXPECT_EQ(OpenExplorerPopup(), nullptr);
    EXPECT_EQ(Panels[0]->Host(), nullptr);
    EXPECT_FALSE(Panels[0]->Visible());
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(ExplorerPopup, MovingToAnotherButtonOpensItsPanelInstead) {
    TModalScript script;
    script.Then([&] { MoveTo(Middle(Buttons[1])); });
    script.Then([&] {
        EXPECT_EQ(OpenExplorerPopup(), Panels[1]);
        Panels[1]->Close();
    });
    Open(0);
    PumpUntilIdle();
    EXPECT_EQ(TakeLog(), "open a\nclose a\nopen b\nclose b\n");
}

// Both buttons drop down the first panel: moving from one to the other moves the panel under
// the other, and only the button it is open from looks pressed.
TEST_F(ExplorerPopup, TwoButtonsMayShareAPanel) {
    Buttons[1]->SetExplorerPopup(Panels[0]);
    TModalScript script;
    script.Then([&] { MoveTo(Middle(Buttons[1])); });
    script.Then([&] {
        ASSERT_EQ(OpenExplorerPopup(), Panels[0]);
        EXPECT_EQ(Panels[0]->Button(), Buttons[1]);
        EXPECT_EQ(Panels[0]->Host()->Left(), Buttons[1]->ClientToScreen(Point(0, 0)).X);
        EXPECT_FALSE(Buttons[0]->PopupOpen());
        EXPECT_TRUE(Buttons[1]->PopupOpen());
        ClickAt(Form.Form->ClientToScreen(Point(250, 150)));
    });
    Open(0);
    PumpUntilIdle();
    EXPECT_EQ(TakeLog(), "open a\nclose a\nopen a\nclose a\n");
    EXPECT_FALSE(Buttons[1]->PopupOpen());
    EXPECT_EQ(Panels[0]->Parent(), Form.Form);
}

// A control aligned to the panel's top moves below the gripper while the panel is open, and
// back when it closes.
TEST_F(ExplorerPopup, AlignedControlsLeaveTheGripperFree) {
    Inner[0]->SetAlign(alTop);
    const int32_t closedTop = Inner[0]->Top();
    TModalScript script;
    int32_t openTop = -1;
    script.Then([&] {
        openTop = Inner[0]->Top();
        PressGripperAndMove(30);
    });
    script.Then([&] { InjectMouseButton(mbLeft, false); });
    Open(0);
    PumpUntilIdle();
    EXPECT_EQ(openTop, closedTop + ExplorerGripperHeight);
    EXPECT_TRUE(Panels[0]->Undocked());
    EXPECT_EQ(Inner[0]->Top(), closedTop);
    Panels[0]->Close();
    PumpUntilIdle();
    EXPECT_EQ(Inner[0]->Top(), closedTop);
}

// The panel is asked to open while the second button's drop-down menu runs: the menu ends,
// the panel opens, and a click outside closes it; neither button is left pressed.
TEST_F(ExplorerPopup, OpensWhileAMenuRuns) {
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Item");
    menu.Items()->Add(item);
    Buttons[1]->SetDropDownMenu(&menu);
    TModalScript script;
    bool opened = false;
    script.Then([&] { PostMessage(Buttons[0]->Handle(), WM_EXPLORERPOPUP, 0, 0); });
    script.Then([&] {
        opened = OpenExplorerPopup() == Panels[0];
        ClickAt(Form.Form->ClientToScreen(Point(250, 150)));
    });
    ClickAt(Middle(Buttons[1]));
    PumpUntilIdle();
    EXPECT_TRUE(opened);
    EXPECT_EQ(OpenExplorerPopup(), nullptr);
    EXPECT_EQ(TakeLog(), "open a\nclose a\n");
    for (TExplorerButton* b : Buttons)
        EXPECT_FALSE(b->Pressed() || b->ArrowPressed() || b->PopupOpen());
    EXPECT_EQ(GetCapture(), HWND(0));
}

// Presses the gripper and moves the pointer Distance pixels right of the press.
TEST_F(ExplorerPopup, TearsOffByItsGripperPastTheThreshold) {
    const struct {
        bool Undockable;
        int32_t Distance;
        bool TornOff;
    } cases[] = {{true, 10, false}, {true, 11, true}, {false, 30, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Undockable << " " << c.Distance);
        Panels[0]->SetUndockable(c.Undockable);
        TModalScript script;
        script.Then([&] { PressGripperAndMove(c.Distance); });
        script.Then([&] {
            InjectMouseButton(mbLeft, false);
            if (!c.TornOff) Panels[0]->Close();
        });
        Open(0);
        PumpUntilIdle();
        EXPECT_EQ(Panels[0]->Undocked(), c.TornOff);
        EXPECT_EQ(TakeLog(), c.TornOff ? "open a\nundock a\n" : "open a\nclose a\n");
        if (!c.TornOff) continue;
        TExplorerPopupForm* floating = Panels[0]->FloatingForm();
        EXPECT_EQ(floating->Caption(), "Panel a");
        EXPECT_EQ(floating->BorderStyle(), bsToolWindow);
        EXPECT_EQ(floating->ClientHeight(), 60) << "no gripper while floating";
        EXPECT_EQ(Panels[0]->Parent(), floating);
        floating->Close();
        PumpUntilIdle();
        EXPECT_FALSE(Panels[0]->Undocked());
        EXPECT_EQ(Panels[0]->Parent(), Form.Form);
        EXPECT_FALSE(Panels[0]->Visible());
        EXPECT_EQ(TakeLog(), "close a\n");
    }
}

TEST_F(ExplorerPopup, AFloatingPanelDocksWhenBroughtBackAndHidesWhileInactive) {
    TModalScript script;
    TPoint tornAt;
    script.Then([&] { PressGripperAndMove(30); });
    script.Then([&] {
        ASSERT_TRUE(Panels[0]->Undocked());
        TExplorerPopupForm* f = Panels[0]->FloatingForm();
        tornAt = Point(f->Left(), f->Top());
        MoveTo(Point(600, 400));  // the window follows, far from where it was torn off
    });
    script.Then([&] { InjectMouseButton(mbLeft, false); });
    Open(0);
    PumpUntilIdle();
    ASSERT_TRUE(Panels[0]->Undocked());
    TExplorerPopupForm* floating = Panels[0]->FloatingForm();
    EXPECT_GT(floating->Left(), 400);
    ApplicationEvents().SetActive(true);
    ApplicationEvents().SetActive(false);
    EXPECT_FALSE(floating->Visible());
    ApplicationEvents().SetActive(true);
    EXPECT_TRUE(floating->Visible());
    TakeLog();
    // Dragged by its caption to 49 pixels right and 9 below where it was torn off.
    const TPoint caption = floating->ClientToScreen(Point(20, -5));
    const TPoint grab = Point(caption.X - floating->Left(), caption.Y - floating->Top());
    TModalScript back;
    back.Then([&] { MoveTo(Point(tornAt.X + grab.X + 49, tornAt.Y + grab.Y + 9)); });
    back.Then([&] { InjectMouseButton(mbLeft, false); });
    MoveTo(caption);
    InjectMouseButton(mbLeft, true);
    PumpUntilIdle();
    EXPECT_FALSE(Panels[0]->Undocked());
    EXPECT_FALSE(Panels[0]->Visible());
    EXPECT_EQ(TakeLog(), "close a\n");
}

// A quit while the torn-off window follows the pointer ends the drag, lets the mouse go and
// stays posted; the window stays where it got to.
TEST_F(ExplorerPopup, AQuitEndsTheFloatingDragAndStaysPosted) {
    TModalScript script;
    script.Then([&] { PressGripperAndMove(30); });
    script.Then([] { PostQuitMessage(3); });
    Open(0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(Panels[0]->Undocked());
    EXPECT_EQ(GetCapture(), HWND(0));
    EXPECT_EQ(TakeLog(), "open a\nundock a\n");
    Panels[0]->Close();
    PumpUntilIdle();
    EXPECT_EQ(TakeLog(), "close a\n");
}

// Handlers free the panel while it is open or being torn off: its button comes back up and
// nothing of the panel is left open.
TEST_F(ExplorerPopup, ItsHandlersMayFreeIt) {
    // The handler dies with the panel: nothing of it is touched after the delete.
    const auto freePanel = [this](TObject*) { delete std::exchange(Panels[0], nullptr); };
    const struct {
        const char* Name;
        bool TearOff;
    } cases[] = {{"undock", true}, {"inner click", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        if (Panels[0] == nullptr) {
            Panels[0] = Form.Add<TExplorerPopup>(Form.Form, Rect(0, 60, 120, 120));
            Panels[0]->Hide();
            Inner[0] = Form.Add<TExplorerButton>(Panels[0], Rect(5, 5, 55, 45));
            Buttons[0]->SetExplorerPopup(Panels[0]);
        }
        if (c.TearOff)
            Panels[0]->OnUndock = freePanel;
        else
            Inner[0]->OnClick = freePanel;
        TModalScript script;
        script.Then([&] {
            const TPoint at = Panels[0]->ClientToScreen(c.TearOff ? Point(20, 5) : Point(30, 25));
            MoveTo(at);
            InjectMouseButton(mbLeft, true);
            if (c.TearOff) MoveTo(Point(at.X + 30, at.Y));
            InjectMouseButton(mbLeft, false);
        });
        Open(0);
        PumpUntilIdle();
        EXPECT_EQ(Panels[0], nullptr);
        EXPECT_EQ(OpenExplorerPopup(), nullptr);
        EXPECT_FALSE(Buttons[0]->PopupOpen());
        EXPECT_EQ(Buttons[0]->ExplorerPopup(), nullptr);
        EXPECT_EQ(GetCapture(), HWND(0));
    }
}

// Torn off and then freed: its floating window goes with it, activation changes reach
// nothing of it, and its button no longer names it.
TEST_F(ExplorerPopup, AFloatingPanelMayBeFreed) {
    TModalScript script;
    script.Then([&] { PressGripperAndMove(30); });
    script.Then([&] { InjectMouseButton(mbLeft, false); });
    Open(0);
    PumpUntilIdle();
    ASSERT_TRUE(Panels[0]->Undocked());
    const std::weak_ptr<const void> floating = Panels[0]->FloatingForm()->LifeToken();
    delete std::exchange(Panels[0], nullptr);
    PumpUntilIdle();
    EXPECT_TRUE(floating.expired());
    ApplicationEvents().SetActive(false);
    ApplicationEvents().SetActive(true);
    EXPECT_EQ(Buttons[0]->ExplorerPopup(), nullptr);
    EXPECT_EQ(TakeLog(), "open a\nundock a\n");
}

// The application loses and regains activation while the torn-off window is being dragged:
// it hides and shows again, and the drag goes on to the release, wherever that comes.
TEST_F(ExplorerPopup, ActivationFlappingDuringTheFloatingDragLeavesItShown) {
    for (bool releasedWhileHidden : {false, true}) {
        SCOPED_TRACE(releasedWhileHidden);
        if (Panels[0]->Undocked()) Panels[0]->Close();
        PumpUntilIdle();
        ApplicationEvents().SetActive(true);
        TModalScript script;
        bool hidden = false;
        script.Then([&] { PressGripperAndMove(30); });
        script.Then([&] {
            ApplicationEvents().SetActive(false);
            hidden = !Panels[0]->FloatingForm()->Visible();
            if (releasedWhileHidden) InjectMouseButton(mbLeft, false);
            ApplicationEvents().SetActive(true);
            MoveTo(Point(600, 400));
        });
        script.Then([&] { InjectMouseButton(mbLeft, false); });
        Open(0);
        PumpUntilIdle();
        EXPECT_TRUE(hidden);
        ASSERT_TRUE(Panels[0]->Undocked());
        EXPECT_TRUE(Panels[0]->FloatingForm()->Visible());
        EXPECT_EQ(Panels[0]->FloatingForm()->Left() > 400, !releasedWhileHidden);
        EXPECT_EQ(GetCapture(), HWND(0));
    }
}

TEST_F(ExplorerPopup, TheOpenPanelShowsItsGripper) {
    TModalScript script;
    script.Then([&] {
        EXPECT_TRUE(test::ControlMatchesReferencePicture(
            *Panels[0], std::string(VEX_TEST_DIR) + "/testdata/pictures", "explorer-panel"));
        MoveTo(Panels[0]->ClientToScreen(Point(30, 5)));
    });
    script.Then([&] {
        EXPECT_TRUE(test::ControlMatchesReferencePicture(
            *Panels[0], std::string(VEX_TEST_DIR) + "/testdata/pictures", "explorer-panel-grip"));
        Panels[0]->Close();
    });
    Open(0);
}

}  // namespace
}  // namespace vex
