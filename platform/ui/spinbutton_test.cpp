#include "platform/ui/spinbutton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A spin button on a shown form, on the virtual clock, its clicks noted as "up@tick".
class SpinButtonScene : public ::testing::Test {
protected:
    SpinButtonScene() {
        Spin = Shown.Add<TSpinButton>(Shown.Form, Rect(20, 20, 40, 46));
        Spin->OnUpClick = [this](TObject*) { Note("up"); };
        Spin->OnDownClick = [this](TObject*) { Note("down"); };
    }
    ~SpinButtonScene() override { test::ReleaseAllKeys(); }

    void Note(const std::string& What) {
        Clicks.push_back(What + "@" + std::to_string(Clock.TickMilliseconds()));
    }
    void RunUntil(int64_t Tick) {
        ProcessMessagesUntil([] { return false; }, Tick);
    }
    TPoint At(TSpinButtonPart Part) {
        const TRect r = Spin->PartRect(Part);
        return Spin->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    test::TShownForm Shown;
    TSpinButton* Spin;
    std::vector<std::string> Clicks;
};

TEST_F(SpinButtonScene, RepeatsWhileHeldAndPausesWhileThePointerIsOff) {
    InjectMouseMove(At(sbUp));
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    EXPECT_EQ(Spin->Pressed(), sbUp);
    RunUntil(650);
    InjectMouseMove(At(sbDown));  // off the up button: it shows released and waits
    test::PumpUntilIdle();
    EXPECT_EQ(Spin->Pressed(), sbNone);
    RunUntil(1050);
    InjectMouseMove(At(sbUp));
    test::PumpUntilIdle();
    RunUntil(1250);
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    RunUntil(3000);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"up@0", "up@400", "up@500", "up@600", "up@1100",
                                                "up@1200"}));
}

TEST_F(SpinButtonScene, StepsDownFromItsLowerHalfAndStopsWhenTheMouseIsTakenAway) {
    InjectMouseMove(At(sbDown));
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    RunUntil(450);
    Spin->Perform(WM_CANCELMODE, 0, 0);
    RunUntil(2000);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"down@0", "down@400"}));
    EXPECT_EQ(Spin->Pressed(), sbNone);
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
}

TEST_F(SpinButtonScene, GivesTheFocusToItsFocusControlWhenPressed) {
    auto* edit = Shown.Add<test::TPlainPanel>(Shown.Form, Rect(50, 20, 100, 40));
    edit->SetTabStop(true);
    Spin->SetFocusControl(edit);
    InjectMouseMove(At(sbUp));
    InjectMouseButton(mbLeft, true);
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    EXPECT_EQ(Shown.Form->ActiveControl(), edit);
    EXPECT_EQ(Clicks, std::vector<std::string>{"up@0"});
    delete edit;
    EXPECT_EQ(Spin->FocusControl(), nullptr);
}

TEST_F(SpinButtonScene, TakesTheArrowKeysWhenFocused) {
    Spin->SetTabStop(true);
    Spin->SetFocus();
    test::TypeKey(VK_DOWN);
    test::TypeKey(VK_UP);
    test::TypeKey(VK_DOWN);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"down@0", "up@0", "down@0"}));
    EXPECT_EQ(Shown.Form->ActiveControl(), Spin);
}

TEST_F(SpinButtonScene, LooksAsReviewed) {
    Spin->SetTabStop(true);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*Spin, kPictures, "spinbutton"));
    InjectMouseMove(At(sbDown));
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*Spin, kPictures, "spinbutton_down_held"));
    InjectMouseButton(mbLeft, false);
    Spin->SetFocus();
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*Spin, kPictures, "spinbutton_focused"));
    Spin->SetEnabled(false);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*Spin, kPictures, "spinbutton_disabled"));
}

}  // namespace
}  // namespace vex
