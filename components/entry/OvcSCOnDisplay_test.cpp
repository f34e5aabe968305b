// A spinner's up button held for two seconds, once injected with no display and once with
// xdotool on an Xvfb display: the field steps on the accelerating schedule both times, and the
// process sleeps between the steps.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "components/entry/spinner_testsupport.h"
#include "platform/core/clock.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// The processor time this process has used, user and system, in milliseconds.
int64_t ProcessorMilliseconds() {
    std::ifstream in("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name may hold blanks: the fields counted here start after its closing ")".
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::vector<std::string> f{std::istream_iterator<std::string>(fields), {}};
    const long ticks = sysconf(_SC_CLK_TCK);
    // utime and stime are the 14th and 15th fields, the 12th and 13th after the name.
    return (std::stoll(f.at(11)) + std::stoll(f.at(12))) * 1000 / ticks;
}

struct THold {
    std::vector<int64_t> Offsets;  // of each step from the first
    int64_t Value = 0;
    int64_t Processor = 0;  // milliseconds used while the button was held
};

// Shows the spinner's form, then presses the up button, holds it two seconds and lets go,
// all through a modal script, so that the waits happen inside the spinner's own loop.
THold HoldUpButton(const std::function<void(TPoint)>& Press, const std::function<void()>& Release,
                   const std::function<void()>& Shown) {
    test::TSpinnerScene scene;
    scene.Shown.Form->SetCaption("Spinner hold");
    scene.Field->Value = 10;
    SetActiveWindow(scene.Shown.Form->Handle());
    Shown();
    test::PumpThroughApplicationFor(std::chrono::milliseconds(100));

    std::vector<int64_t> ticks;
    scene.Spinner->OnClick = [&](TObject*, TSpinState, double, bool) {
        ticks.push_back(Clock().TickMilliseconds());
    };
    THold hold;
    TModalScript script;
    script.Then([&] {
        hold.Processor = ProcessorMilliseconds();
        Press(scene.At(stUpButton));
    });
    script.Wait(2000);
    script.Then(Release);
    // Lets the release arrive and end the spinner's loop before the script runs dry.
    script.Wait(200);
    bool done = false;
    script.Then([&] { done = true; });
    RunModalLoop([&] { return done; });
    hold.Processor = ProcessorMilliseconds() - hold.Processor;
    for (int64_t tick : ticks)
        hold.Offsets.push_back(tick - ticks.front());
    hold.Value = scene.Field->Value;
    return hold;
}

// Each wait between steps is the schedule's (500 ms, then 50 ms less each time), never shorter
// and longer only by what a busy machine adds; the step due just as the button is let go may
// come or not, and a late one may push the last out of the two seconds.
void ExpectTheSchedule(const THold& Hold) {
    const int64_t delays[] = {500, 450, 400, 350, 300};
    ASSERT_GE(Hold.Offsets.size(), 4u);
    ASSERT_LE(Hold.Offsets.size(), 6u);
    for (size_t i = 1; i < Hold.Offsets.size(); ++i) {
        const int64_t waited = Hold.Offsets[i] - Hold.Offsets[i - 1];
        EXPECT_GE(waited, delays[i - 1]) << "before step " << i;
        EXPECT_LE(waited, delays[i - 1] + 100) << "before step " << i;
    }
    EXPECT_EQ(Hold.Value, 10 + static_cast<int64_t>(Hold.Offsets.size()));
    // Under 5% of a core over the two seconds.
    EXPECT_LT(Hold.Processor, 100) << "ms of processor time while the button was held";
}

class SpinnerOnDisplay : public test::OnDisplayTest {};

TEST_F(SpinnerOnDisplay, HoldingTheUpButtonStepsOnTheScheduleAndSleepsBetweenSteps) {
    const THold injected = HoldUpButton(
        [](TPoint At) {
            InjectMouseMove(At);
            InjectMouseButton(mbLeft, true);
        },
        [] { InjectMouseButton(mbLeft, false); }, [] {});
    ExpectTheSchedule(injected);

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const THold held = HoldUpButton(
        [&](TPoint At) { test::RunXdotool(display, test::XMoveTo(At) + " mousedown 1"); },
        [&] { test::RunXdotool(display, "mouseup 1"); }, [&] { WaitUntilShown("Spinner hold"); });
    ExpectTheSchedule(held);
}

}  // namespace
}  // namespace vex
