// The calendar driven by a person: days clicked, keys typed, the month buttons pressed and the
// date edit's calendar dropped down and a day picked from it, once injected with no display and
// once typed by a second client on an Xvfb display. Both runs must choose the same dates.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "components/entry/EsCal.h"
#include "components/entry/EsDateEd.h"
#include "platform/core/datetime.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A form with a calendar on 10 March 2024; every date it reports goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Calendar script");
        FForm->SetBounds(40, 50, 360, 260);
        Calendar = new TEsCalendar(FForm);
        Calendar->SetBounds(10, 10, 210, 150);
        Calendar->SetParent(FForm);
        Calendar->SetDate(EncodeDate(2024, 3, 10));
        Calendar->OnChange = [this](TObject*, TDateTime Date) {
            Record.push_back("calendar " + FormatDateTime("yyyy-mm-dd", Date) +
                             (Calendar->KeyboardChange() ? " by keys" : ""));
        };
        Edit = new TEsDateEdit(FForm);
        Edit->SetBounds(230, 10, 110, 24);
        Edit->SetParent(FForm);
        Edit->SetDate(EncodeDate(2024, 3, 10));
        Edit->OnSetDate = [this](TObject*) { Record.push_back("edit " + Edit->Text()); };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TCustomForm& Form() { return *FForm; }
    // The middle of the week cell that shows Day of the calendar's month, on the screen.
    TPoint Day(int32_t Day) const {
        const int32_t index = Calendar->DayGrid().FirstIndex + Day - 1;
        const TRect r = Calendar->Cell(2 + (index - 1) / 7, (index - 1) % 7);
        return Calendar->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }

    // The middle of one of the calendar's buttons, of the date edit's button, and of Day in
    // the edit's dropped-down calendar.
    TPoint CalendarButton(TEsCalButton Which) const {
        const TRect r = Calendar->ButtonRect(Which);
        return Calendar->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    TPoint EditButton() const {
        TEsEdButton& button = Edit->Button();
        return button.ClientToScreen(Point(button.Width() / 2, button.Height() / 2));
    }
    TPoint DropDownDay(int32_t Day) const {
        const TEsCalendar& cal = *Edit->Calendar();
        const int32_t index = cal.DayGrid().FirstIndex + Day - 1;
        const TRect r = cal.Cell(2 + (index - 1) / 7, (index - 1) % 7);
        return cal.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }

    TEsCalendar* Calendar = nullptr;
    TEsDateEdit* Edit = nullptr;
    TRecord Record;

private:
    TForm* FForm = new TForm(nullptr);
};

// One step: a click (left or right) where Where says once the step comes, or keys typed.
struct TStep {
    std::function<TPoint(const TScene&)> Where;
    TMouseButton Button = mbLeft;
    std::vector<int32_t> Keys;
};

TStep ClickOn(std::function<TPoint(const TScene&)> Where, TMouseButton Button = mbLeft) {
    return TStep{std::move(Where), Button, {}};
}
TStep Keys(std::vector<int32_t> Keys) {
    return TStep{nullptr, mbLeft, std::move(Keys)};
}

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        ClickOn([](const TScene& S) { return S.Day(20); }),
        Keys({VK_RIGHT, VK_NEXT}),
        ClickOn([](const TScene& S) { return S.Day(5); }, mbRight),
        ClickOn([](const TScene& S) { return S.Day(5); }),
        Keys({VK_HOME, VK_RETURN}),
        ClickOn([](const TScene& S) { return S.CalendarButton(cbNextMonth); }),
        ClickOn([](const TScene& S) { return S.CalendarButton(cbPrevYear); }),
        ClickOn([](const TScene& S) { return S.EditButton(); }),
        ClickOn([](const TScene& S) { return S.DropDownDay(20); }),
        Keys({VK_MENU, VK_DOWN}),
        Keys({VK_RIGHT, VK_RETURN}),
    };
    return script;
}

// Runs the script through Deliver; Settle lets each step's input arrive. The record gets the
// calendar's date after each step.
TRecord RunScript(TScene& Scene, const std::function<void(const TStep&, TPoint)>& Deliver,
                  const std::function<void(size_t)>& Settle) {
    for (size_t i = 0; i < Script().size(); ++i) {
        const TStep& step = Script()[i];
        Deliver(step, step.Where ? step.Where(Scene) : TPoint{});
        Settle(i);
        Scene.Record.push_back("shows " + FormatDateTime("yyyy-mm-dd", Scene.Calendar->Date()));
    }
    return Scene.Record;
}

TRecord RunInjected(std::vector<size_t>& Lengths) {
    TScene scene;
    Application().ProcessMessages();
    scene.Record.clear();
    const TRecord record = RunScript(
        scene,
        [](const TStep& Step, TPoint At) {
            test::InjectKeys(Step.Keys);
            if (Step.Where) test::ClickAt(At, Step.Button);
        },
        [&](size_t) {
            Application().ProcessMessages();
            Lengths.push_back(scene.Record.size());
        });
    test::ReleaseAllKeys();
    return record;
}

class CalendarOnDisplay : public test::OnDisplayTest {
protected:
    TRecord RunTyped(const std::vector<size_t>& Lengths) {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown("Calendar script")) return {};
        scene.Record.clear();
        const std::string display = FServer.DisplayName();
        return RunScript(
            scene,
            [&](const TStep& Step, TPoint At) {
                if (!Step.Keys.empty()) test::TypeOnDisplay(display, Step.Keys);
                if (Step.Where) test::ClickOnDisplay(display, At, Step.Button == mbRight ? 3 : 1);
            },
            [&](size_t Step) {
                test::SettleUntil([&] { return scene.Record.size() >= Lengths[Step]; });
            });
    }
};

TEST_F(CalendarOnDisplay, DaysClickedAndKeysTypedOnTheDisplayChooseWhatInjectedInputChooses) {
    std::vector<size_t> lengths;
    const TRecord injected = RunInjected(lengths);
    const TRecord expected = {"calendar 2024-03-20",
                              "shows 2024-03-20",  // a day clicked
                              "calendar 2024-03-21 by keys",
                              "calendar 2024-04-21 by keys",
                              "shows 2024-04-21",
                              "shows 2024-04-05",  // a right click moves silently
                              "calendar 2024-04-05",
                              "shows 2024-04-05",
                              "calendar 2024-04-01 by keys",
                              "calendar 2024-04-01",
                              "shows 2024-04-01",
                              "calendar 2024-05-01 by keys",  // the month buttons
                              "shows 2024-05-01",
                              "calendar 2023-05-01 by keys",
                              "shows 2023-05-01",
                              "shows 2023-05-01",  // the edit's calendar dropped
                              "edit 3/20/24",
                              "shows 2023-05-01",  // and a day picked
                              "shows 2023-05-01",  // dropped again by the keys
                              "edit 3/21/24",
                              "edit 3/21/24",  // a day on, and chosen
                              "shows 2023-05-01"};
    EXPECT_EQ(injected, expected);
    EXPECT_EQ(RunTyped(lengths), injected);
}

}  // namespace
}  // namespace vex
