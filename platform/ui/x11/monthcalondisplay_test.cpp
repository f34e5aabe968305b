// The month calendar driven by a person's mouse twice: injected with no display, and by
// xdotool on an Xvfb display. Clicks on days and on a greyed day, a title arrow and a drag
// over a range must select the same days and show the same months both times.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/monthcal_testsupport.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

using TRecord = std::vector<std::string>;

// A multi-select calendar showing March 2024 in the fixed-metric font of 10 pixels, whose
// 16 x 12 day cells start at (6, 39) and whose next-month arrow is at (110, 10).
class TCalendarScene {
public:
    TCalendarScene() {
        FForm->SetCaption("Month calendar script");
        FForm->SetBounds(40, 50, 220, 220);
        Calendar = new test::TCalendarProbe(FForm, MCS_MULTISELECT);
        Calendar->SetBounds(10, 10, 124, 133);
        Calendar->SetParent(FForm);
        Calendar->UseFixedFont(10);
        SYSTEMTIME today = test::Day(2024, 3, 10);
        Calendar->Send(MCM_SETTODAY, 0, &today);
        SYSTEMTIME range[2] = {today, today};
        Calendar->Send(MCM_SETSELRANGE, 0, range);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TCalendarScene() { delete FForm; }
    TCalendarScene(const TCalendarScene&) = delete;
    TCalendarScene& operator=(const TCalendarScene&) = delete;

    TPoint Screen(TPoint Client) const { return Calendar->ClientToScreen(Client); }
    static TPoint Cell(int32_t Row, int32_t Col) {
        return Point(6 + Col * 16 + 8, 39 + Row * 12 + 6);
    }

    // What the calendar shows and has selected, and what it told its parent since Forget.
    std::string State() {
        SYSTEMTIME shown[2], selected[2];
        Calendar->Send(MCM_GETMONTHRANGE, GMR_VISIBLE, shown);
        Calendar->Send(MCM_GETSELRANGE, 0, selected);
        std::string state = "shows " + test::DayText(shown[0]) + ", selects " +
                            test::DayText(selected[0]) + " to " + test::DayText(selected[1]);
        for (const std::string& note : Calendar->Notes)
            state += "; " + note;
        return state;
    }
    void Forget() { Calendar->Notes.clear(); }

    test::TCalendarProbe* Calendar = nullptr;

private:
    TForm* FForm = new TForm(nullptr);
};

// A click, or a drag from one point to another, in the calendar's client coordinates.
struct TStep {
    TPoint From;
    TPoint To;
    bool Drag = false;
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {TCalendarScene::Cell(3, 3), {}},                                // 20 March
        {Point(110, 10), {}},                                            // on to April
        {TCalendarScene::Cell(1, 1), TCalendarScene::Cell(1, 3), true},  // 8 to 10 April
        {TCalendarScene::Cell(4, 3), {}},                                // 1 May, greyed
    };
    return script;
}

TRecord RunScript(TCalendarScene& Scene, const std::function<void(const TStep&)>& Deliver,
                  const std::function<void()>& Settle) {
    TRecord record;
    Scene.Forget();
    for (const TStep& step : Script()) {
        Deliver(step);
        Settle();
        record.push_back(Scene.State());
        Scene.Forget();
    }
    return record;
}

TRecord RunInjected() {
    TCalendarScene scene;
    Application().ProcessMessages();
    const TRecord record = RunScript(
        scene,
        [&](const TStep& Step) {
            if (!Step.Drag) return test::ClickAt(scene.Screen(Step.From));
            InjectMouseMove(scene.Screen(Step.From));
            InjectMouseButton(mbLeft, true);
            InjectMouseMove(scene.Screen(Step.To));
            InjectMouseButton(mbLeft, false);
        },
        [] { Application().ProcessMessages(); });
    return record;
}

class MonthCalOnDisplay : public test::OnDisplayTest {
protected:
    TRecord RunTyped(const TRecord& Injected) {
        PresentOnDisplay();
        TCalendarScene scene;
        if (!WaitUntilShown("Month calendar script")) return {};
        const std::string display = FServer.DisplayName();
        size_t step = 0;
        return RunScript(
            scene,
            [&](const TStep& Step) {
                if (!Step.Drag) return test::ClickOnDisplay(display, scene.Screen(Step.From));
                test::RunXdotool(display, test::XMoveTo(scene.Screen(Step.From)) + " mousedown 1 " +
                                              test::XMoveTo(scene.Screen(Step.To)) + " mouseup 1");
            },
            [&] {
                const std::string expected = Injected[step++];
                test::SettleUntil([&] { return scene.State() == expected; });
            });
    }
};

TEST_F(MonthCalOnDisplay, ClicksAndDragsOnTheDisplaySelectWhatTheSameInjectedInputSelects) {
    const TRecord injected = RunInjected();
    const TRecord expected = {
        "shows 2024-3-1, selects 2024-3-20 to 2024-3-20; selchange 2024-3-20 2024-3-20; "
        "select 2024-3-20 2024-3-20",
        "shows 2024-4-1, selects 2024-3-20 to 2024-3-20",
        "shows 2024-4-1, selects 2024-4-8 to 2024-4-10; selchange 2024-4-8 2024-4-8; "
        "selchange 2024-4-8 2024-4-10; select 2024-4-8 2024-4-10",
        "shows 2024-5-1, selects 2024-5-1 to 2024-5-1; selchange 2024-5-1 2024-5-1; "
        "select 2024-5-1 2024-5-1",
    };
    EXPECT_EQ(injected, expected);
    EXPECT_EQ(RunTyped(injected), injected);
}

}  // namespace
}  // namespace vex
