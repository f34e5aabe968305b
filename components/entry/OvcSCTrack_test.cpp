#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "components/entry/OvcNF.h"
#include "components/entry/ovcef_testsupport.h"
#include "components/entry/spinner_testsupport.h"
#include "platform/ui/input_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// A spinner that counts the passes of its tracking loop: each pass asks for a step once.
class TCountingSpinner : public TOvcSpinner {
public:
    using TOvcSpinner::TOvcSpinner;
    int Passes = 0;

protected:
    void Spin(TSpinState State) override {
        ++Passes;
        TOvcSpinner::Spin(State);
    }
};

class SpinnerTracking : public ::testing::Test {
protected:
    ~SpinnerTracking() override { test::ReleaseAllKeys(); }

    TSpinState ButtonNamed(const std::string& Name) {
        if (Name == "up") return stUpButton;
        if (Name == "down") return stDownButton;
        if (Name == "left") return stLeftButton;
        return stRightButton;
    }
    TPoint PointOf(const std::string& Name) {
        if (Name != "out") return Scene.At(ButtonNamed(Name));
        return Scene.Spinner->ClientToScreen(Point(Scene.Spinner->Width() + 30, 5));
    }

    // Plays the script's words as a modal script in a loop of its own, so that what comes
    // after a press runs inside the spinner's tracking loop; answers the steps taken.
    std::vector<std::string> Play(const std::string& Words) {
        TModalScript script;
        std::istringstream in(Words);
        for (std::string word; in >> word;) {
            const std::string what = word.substr(0, word.find(':'));
            const std::string arg = word.find(':') == std::string::npos
                                        ? std::string()
                                        : word.substr(word.find(':') + 1);
            if (what == "press") {
                script.Then([this, arg] {
                    InjectMouseMove(PointOf(arg));
                    InjectMouseButton(mbLeft, true);
                });
            } else if (what == "move") {
                script.Then([this, arg] { InjectMouseMove(PointOf(arg)); });
            } else if (what == "wait") {
                script.Wait(std::stoll(arg));
            } else if (what == "release") {
                script.Then([] { InjectMouseButton(mbLeft, false); });
            } else {
                ADD_FAILURE() << "no script word " << word;
            }
        }
        bool done = false;
        script.Then([&done] { done = true; });
        RunModalLoop([&done] { return done; });
        return Scene.Field->Steps;
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    test::TSpinnerScene Scene;
};

std::string Joined(const std::vector<std::string>& Steps) {
    std::string all;
    for (const std::string& step : Steps)
        all += (all.empty() ? "" : " ") + step;
    return all;
}

TEST_F(SpinnerTracking, StepsOnTheScheduleOfEachMouseSequence) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/spinner_steps.txt")) {
        SCOPED_TRACE(c.Where);
        Clock.SetTickMilliseconds(0);
        Scene.Field->Steps.clear();
        Scene.Spinner->SetOrientation(c[0] == "h" ? soHorizontal : soVertical);
        Scene.Spinner->SetAcceleration(static_cast<uint8_t>(c.Int(1)));
        Scene.Spinner->SetAutoRepeat(c[2] == "on");
        const std::vector<std::string> steps = Play(c[3]);
        if (c[4].rfind("count ", 0) == 0)
            EXPECT_EQ(steps.size(), std::stoul(c[4].substr(6))) << Joined(steps);
        else
            EXPECT_EQ(Joined(steps), c[4]);
        EXPECT_EQ(Scene.Spinner->State(), stNormal);
        EXPECT_EQ(GetCapture(), HWND{0});
    }
}

TEST_F(SpinnerTracking, SleepsBetweenStepsInsteadOfSpinning) {
    auto* counting = new TCountingSpinner(Scene.Shown.Form);
    counting->SetParent(Scene.Shown.Form);
    delete Scene.Spinner;
    Scene.Spinner = counting;
    counting->SetAttachedControl(Scene.Field);
    const std::vector<std::string> steps = Play("press:up wait:9995 release");
    // 11 steps on the schedule, then one every 10 ms: each pass of the loop is a step, or one
    // of the few messages the press and the release bring.
    EXPECT_EQ(steps.size(), 11u + 724u);
    EXPECT_LE(counting->Passes, static_cast<int>(steps.size()) + 20);
}

TEST_F(SpinnerTracking, RepeatsWithTheButtonsSwapped) {
    SetSystemMetrics(SM_SWAPBUTTON, 1);
    const std::vector<std::string> steps = Play("press:up wait:600 release");
    SetSystemMetrics(SM_SWAPBUTTON, 0);
    EXPECT_EQ(Joined(steps), "up@0 up@500");
}

// Sideways the halves run the field's own ccLeft and ccRight; a field with no number to step
// takes the up and down steps without a change.
TEST_F(SpinnerTracking, MovesTheCaretOfAnEntryFieldSideways) {
    auto* field = Scene.Shown.Add<test::TPlainEntryField>(Scene.Shown.Form, Rect(20, 60, 100, 84));
    field->SetText("12345");
    Scene.Spinner->SetFocusedControl(field);
    Play("press:up release");
    EXPECT_EQ(Scene.Shown.Form->ActiveControl(), field);
    EXPECT_EQ(field->EditText(), "12345");
    Scene.Spinner->SetOrientation(soHorizontal);
    const struct {
        const char* Script;
        uint16_t Caret;
    } cases[] = {{"press:left wait:2000 release", 0},
                 {"press:right release press:right release", 2},
                 {"press:right wait:600 release", 4},
                 {"press:left release", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script);
        Play(c.Script);
        EXPECT_EQ(field->CaretPosition(), c.Caret);
    }
}

TEST_F(SpinnerTracking, WrapsTheFieldAtTheFirstStepWithWrapMode) {
    const struct {
        bool Wrap;
        int64_t Start;
        const char* Press;
        int64_t Expected;
    } cases[] = {{true, 600, "press:up release", 2}, {false, 600, "press:up release", 600}};
    Scene.Field->RangeLo = 2;
    Scene.Field->RangeHi = 600;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Press);
        Scene.Field->Value = c.Start;
        Scene.Field->Selection = 3;
        Scene.Spinner->SetWrapMode(c.Wrap);
        Play(c.Press);
        EXPECT_EQ(Scene.Field->Value, c.Expected);
        EXPECT_EQ(Scene.Field->Selection, 0);
    }
}

TEST_F(SpinnerTracking, StepsANumericFieldWithinItsRange) {
    auto* field = Scene.Shown.Add<TOvcNumericField>(Scene.Shown.Form, Rect(20, 60, 100, 84));
    field->SetRangeLo("2");
    field->SetRangeHi("600");
    Scene.Spinner->SetFocusedControl(field);
    const struct {
        bool Wrap;
        int32_t Start;
        const char* Press;
        int32_t Expected;
    } cases[] = {{false, 599, "press:up release", 600},
                 {false, 600, "press:up release", 600},
                 {true, 600, "press:up release", 2},
                 {true, 2, "press:down release", 600},
                 // Steps at 0, 500, 950, 1350, 1700 and 2000 ms.
                 {false, 10, "press:down wait:2000 release", 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Press);
        field->SetAsInteger(c.Start);
        Scene.Spinner->SetWrapMode(c.Wrap);
        Play(c.Press);
        EXPECT_EQ(field->GetAsInteger(), c.Expected);
    }
}

TEST_F(SpinnerTracking, HandsTheFocusToTheFieldItSteps) {
    auto* other = Scene.Shown.Add<test::TStandInField>(Scene.Shown.Form, Rect(20, 60, 100, 84));
    other->SetFocus();
    Play("press:up release");
    EXPECT_EQ(Scene.Shown.Form->ActiveControl(), Scene.Field);
    EXPECT_EQ(Joined(Scene.Field->Steps), "up@0");
}

TEST_F(SpinnerTracking, AFieldThatKeepsTheFocusStopsThePressBeforeAnyStep) {
    auto* other = Scene.Shown.Add<test::TStandInField>(Scene.Shown.Form, Rect(20, 60, 100, 84));
    other->SetFocus();
    other->RefuseFocusLoss = true;
    Play("press:up wait:1000 release");
    EXPECT_EQ(Scene.Shown.Form->ActiveControl(), other);
    EXPECT_TRUE(Scene.Field->Steps.empty());
    EXPECT_EQ(Scene.Spinner->State(), stNormal);
}

TEST_F(SpinnerTracking, WithoutAnEntryFieldOnlyOnClickHearsOfThePress) {
    auto* panel = Scene.Shown.Add<test::TPlainPanel>(Scene.Shown.Form, Rect(20, 60, 100, 84));
    panel->SetTabStop(true);
    Scene.Spinner->SetFocusedControl(panel);
    Play("press:up wait:600 release");
    EXPECT_EQ(Scene.Shown.Form->ActiveControl(), panel);

    std::vector<std::string> clicks;
    Scene.Spinner->SetDelta(100);
    Scene.Spinner->SetWrapMode(false);
    Scene.Spinner->OnClick = [&](TObject*, TSpinState State, double Delta, bool Wrap) {
        clicks.push_back(std::to_string(State) + " " + std::to_string(static_cast<int>(Delta)) +
                         (Wrap ? " wrap" : " stop"));
    };
    Play("press:down wait:600 release");
    EXPECT_EQ(clicks, (std::vector<std::string>{"3 100 stop", "3 100 stop"}));
    EXPECT_TRUE(Scene.Field->Steps.empty());
}

TEST_F(SpinnerTracking, AHandlerMayFreeTheSpinnerWhileTheButtonIsHeld) {
    int clicks = 0;
    Scene.Spinner->OnClick = [&](TObject* Sender, TSpinState, double, bool) {
        if (++clicks == 2) delete static_cast<TOvcSpinner*>(Sender);
    };
    Play("press:up wait:2000 release");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Joined(Scene.Field->Steps), "up@0");
    EXPECT_EQ(GetCapture(), HWND{0});
}

}  // namespace
}  // namespace vex
