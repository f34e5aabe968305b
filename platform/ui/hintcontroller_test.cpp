#include "platform/ui/hintcontroller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/applicationevents.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/hintwindow.h"
#include "platform/ui/screen.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/messageloop.h"
#include "platform/win/modaldriver.h"
#include "platform/win/virtualclock.h"
#include "platform/win/windowpos.h"

namespace vex {
namespace {

TEST(Hints, ShortAndLongPartsSplitAtTheFirstBar) {
    struct TCase {
        std::string Hint, Short, Long;
    };
    const std::vector<TCase> cases = {
        {"", "", ""},
        {"Check", "Check", "Check"},
        {"Check|Check every mailbox", "Check", "Check every mailbox"},
        {"|Only long", "", "Only long"},
        {"a|b|c", "a", "b|c"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(GetShortHint(c.Hint), c.Short) << c.Hint;
        EXPECT_EQ(GetLongHint(c.Hint), c.Long) << c.Hint;
    }
}

class HintTest : public ::testing::Test {
protected:
    HintTest() {
        Button->SetHint("Check|Check every enabled mailbox now");
        Button->SetShowHint(true);
        Plain->SetHint("Plain|No hint window");
        Inner->SetParentShowHint(false);
    }
    ~HintTest() override {
        Events.CancelHint();
        Events.OnShowHint = nullptr;
        Events.OnHint = nullptr;
    }

    void Move(TControl* Over, int16_t X = 5, int16_t Y = 5) {
        Events.HintMouseMessage(Over, TMessage{WM_MOUSEMOVE, 0, MAKELONG(X, Y), 0});
    }
    void Send(TControl* Over, UINT Msg) { Events.HintMouseMessage(Over, TMessage{Msg, 0, 0, 0}); }
    // Lets Milliseconds of the virtual clock pass with the loop running.
    void Pass(int64_t Milliseconds) {
        ProcessMessagesUntil([] { return false; }, Clock.TickMilliseconds() + Milliseconds);
    }
    bool Shown() { return Events.Hints().ShownHint() != nullptr; }
    // When the hint shows, counting from now; -1 for not within ten seconds.
    int64_t ShowsAfter() {
        const int64_t start = Clock.TickMilliseconds();
        ProcessMessagesUntil([this] { return Shown(); }, start + 10000);
        return Shown() ? Clock.TickMilliseconds() - start : -1;
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    TApplicationEvents& Events = ApplicationEvents();
    test::TShownForm Form{Rect(100, 100, 400, 300)};
    test::TPlainPanel* Button = Form.Add<test::TPlainPanel>(Form.Form, Rect(10, 10, 90, 40));
    test::TPaintedBy* Inner = Form.Add<test::TPaintedBy>(Button, Rect(2, 2, 20, 20));
    test::TPaintedBy* Plain = Form.Add<test::TPaintedBy>(Form.Form, Rect(10, 60, 90, 90));
};

TEST_F(HintTest, ShowsAfterTheRestingPauseWhatOnShowHintLeaves) {
    std::vector<std::string> hints;
    Events.OnHint = [&](TObject*) { hints.push_back(Events.Hint()); };
    Move(Plain);
    EXPECT_EQ(ShowsAfter(), -1) << "no ShowHint";
    Move(Button);
    Pass(300);
    Move(Button, 7, 6);  // the pointer moved: the pause starts again
    EXPECT_EQ(ShowsAfter(), 500);
    THintWindow* window = Events.Hints().ShownHint();
    EXPECT_EQ(window->Caption(), "Check");
    EXPECT_EQ(window->Color(), clInfoBk);
    TRect box;
    GetWindowRect(window->Handle(), box);
    const TPoint pointer = Button->ClientToScreen(Point(7, 6));
    EXPECT_EQ(box.Left, pointer.X);
    EXPECT_GT(box.Top, pointer.Y) << "below the pointer";
    EXPECT_EQ(hints,
              std::vector<std::string>({"No hint window", "Check every enabled mailbox now"}));
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveWindowPicture(window->Handle(), std::string(dir) + "/hint.png");
}

TEST_F(HintTest, OnShowHintChangesTheHintOrStopsIt) {
    THintInfo seen;
    bool allow = true;
    Events.OnShowHint = [&](std::string& HintStr, bool& CanShow, THintInfo& Info) {
        seen = Info;
        HintStr = "Changed " + HintStr;
        Info.HintColor = clYellow;
        Info.HintPos = Point(30, 40);
        CanShow = allow;
    };
    Move(Inner, 3, 4);  // a child without ShowHint of its own: its parent's hint
    EXPECT_EQ(ShowsAfter(), 500);
    EXPECT_EQ(seen.HintControl, Button);
    EXPECT_EQ(seen.HintStr, "Check");
    EXPECT_EQ(seen.CursorPos, Point(5, 6));
    EXPECT_EQ(seen.CursorRect, Button->ClientRect());
    EXPECT_EQ(seen.HideTimeout, Events.HintHidePause());
    THintWindow* window = Events.Hints().ShownHint();
    EXPECT_EQ(window->Caption(), "Changed Check");
    EXPECT_EQ(window->Color(), clYellow);
    EXPECT_EQ(window->BoundsRect().Left, 30);
    EXPECT_EQ(window->BoundsRect().Top, 40);

    Send(Button, CM_MOUSELEAVE);
    Events.OnShowHint = [](std::string&, bool&, THintInfo& Info) {
        Info.HintPos = Point(Screen().Width() - 5, Screen().Height() - 2);
    };
    Move(Button);
    ASSERT_EQ(ShowsAfter(), 500);
    const TRect onScreen = Events.Hints().ShownHint()->BoundsRect();
    EXPECT_EQ(onScreen.Right, Screen().Width()) << "moved onto the screen";
    EXPECT_EQ(onScreen.Bottom, Screen().Height());

    Send(Button, CM_MOUSELEAVE);
    Events.OnShowHint = [&](std::string&, bool& CanShow, THintInfo&) { CanShow = allow; };
    allow = false;
    Move(Button);
    EXPECT_EQ(ShowsAfter(), -1);
}

TEST_F(HintTest, HidesOnLeaveClickKeyOrAfterTheHidePause) {
    struct TCase {
        const char* Name;
        UINT Ending;  // 0: none, the hide pause ends it
        bool ShowsAgainWithoutLeaving;
    };
    const std::vector<TCase> cases = {
        {"leave", CM_MOUSELEAVE, true},
        {"click", WM_LBUTTONDOWN, false},
        {"key", WM_KEYDOWN, false},
        {"hide pause", 0, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Move(Button);
        ASSERT_EQ(ShowsAfter(), 500);
        if (c.Ending != 0) {
            Send(Button, c.Ending);
            EXPECT_FALSE(Shown());
        } else {
            const int64_t start = Clock.TickMilliseconds();
            ProcessMessagesUntil([this] { return !Shown(); }, start + 10000);
            EXPECT_EQ(Clock.TickMilliseconds() - start, 2500);
        }
        Move(Button, 8, 8);
        EXPECT_EQ(ShowsAfter() == 500, c.ShowsAgainWithoutLeaving);
        Send(Button, CM_MOUSELEAVE);
        EXPECT_FALSE(Shown());
    }
}

TEST_F(HintTest, AShownHintStaysWhileThePointerStaysInItsCursorRectangle) {
    Move(Button, 5, 5);
    ASSERT_EQ(ShowsAfter(), 500);
    Move(Button, 70, 25);
    Pass(100);
    EXPECT_TRUE(Shown());
    Events.OnShowHint = [](std::string&, bool&, THintInfo& Info) {
        Info.CursorRect = Rect(0, 0, 10, 10);
    };
    Send(Button, CM_MOUSELEAVE);
    Move(Button, 5, 5);
    ASSERT_EQ(ShowsAfter(), 500);
    Move(Button, 50, 5);
    EXPECT_FALSE(Shown()) << "out of the smaller rectangle";
    EXPECT_EQ(ShowsAfter(), 500) << "and shown again after resting there";
}

TEST_F(HintTest, AControlFreedWhileItsHintWaitsOrShowsIsLeftAlone) {
    Move(Button);
    Pass(200);
    delete Button;
    EXPECT_EQ(ShowsAfter(), -1);
    EXPECT_EQ(Events.Hints().HintControl(), nullptr);
    auto* other = Form.Add<test::TPlainPanel>(Form.Form, Rect(10, 10, 90, 40));
    other->SetHint("Other");
    other->SetShowHint(true);
    Move(other);
    ASSERT_EQ(ShowsAfter(), 500);
    delete other;
    Move(Plain);  // no hint of its own: the freed control's hint must not stay over it
    EXPECT_FALSE(Shown());
    Pass(5000);
    EXPECT_FALSE(Shown());
}

TEST_F(HintTest, AModalRunHidesTheHintOfTheFormsItDisables) {
    Move(Button);
    ASSERT_EQ(ShowsAfter(), 500);
    TForm dialog(nullptr);
    bool shownDuringRun = true;
    TModalScript script;
    script.Then([&] {
        shownDuringRun = Shown();
        dialog.SetModalResult(mrOk);
    });
    dialog.ShowModal();
    EXPECT_FALSE(shownDuringRun);
}

TEST_F(HintTest, ApplicationShowHintOffShowsNone) {
    Events.SetShowHint(false);
    Move(Button);
    EXPECT_EQ(ShowsAfter(), -1);
    Events.SetShowHint(true);
}

// The controls themselves tell the hint logic of the mouse: a move over a control and then its
// leaving, sent as any mouse message reaches a control, show and hide the hint.
TEST_F(HintTest, ControlsTellOfTheMouseThemselves) {
    Button->Perform(WM_MOUSEMOVE, 0, MAKELONG(5, 5));
    EXPECT_GE(ShowsAfter(), 0);
    Button->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Shown());
}

}  // namespace
}  // namespace vex
