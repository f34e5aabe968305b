// The month calendar and its popup driven by one script twice: injected with no display, and by
// xdotool on an Xvfb display. A year chosen from the title's menu, Page Up stopping at the
// minimum with a beep and no error box, and a day released on in the dropped-down popup come out
// the same at either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dataaware/edits/wwpicker_testsupport.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

using test::DayAt;

class TScene {
public:
    TScene() {
        FForm->SetCaption("Month calendar script");
        FForm->SetBounds(40, 50, 420, 260);
        Calendar = new TwwMonthCalendar(FForm);
        Calendar->SetBounds(10, 10, 10, 10);
        Calendar->SetParent(FForm);
        Calendar->SetDate(DayAt(2026, 3, 5, 9, 0));
        Calendar->SetTime(DayAt(2026, 3, 5, 9, 0));
        Calendar->SetMinDate(DayAt(2025, 2, 20));
        Calendar->PopupYearOptions()->StartYear = 2023;
        Calendar->PopupYearOptions()->YearsPerColumn = 4;
        Picker = new test::TStandInPicker(FForm);
        Picker->SetBounds(250, 10, 120, 24);
        Picker->SetParent(FForm);
        Picker->Value = DayAt(2024, 7, 1, 18, 0);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FBeeps = MessageBeepCount();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    std::string State() const {
        return "calendar " + test::Shown(Calendar->Date()) + ", beeps " +
               std::to_string(MessageBeepCount() - FBeeps) +
               (Calendar->IsPopupMenuOpen() ? ", menu open" : "") + ", picker " +
               test::Shown(Picker->Value) + (Picker->IsDroppedDown() ? ", dropped down" : "") +
               (Calendar->Focused() ? ", calendar focused" : "") +
               (Picker->Focused() ? ", picker focused" : "");
    }
    TPoint TitleYear() const {
        return Calendar->ClientToScreen(test::FindCode(*Calendar, MCHT_TITLEYEAR));
    }
    TPoint PopupDay(uint16_t Day) const {
        return Picker->OnCalendar(test::FindDay(*Picker->Calendar, 2024, 7, Day));
    }

    TwwMonthCalendar* Calendar;
    test::TStandInPicker* Picker;
    std::vector<std::string> Record;

private:
    TForm* FForm = new TForm(nullptr);
    uint32_t FBeeps = 0;
};

enum TStepKind { stClickYear, stChooseYear, stPageUp, stDropDown, stClickDay };
const TStepKind kScript[] = {stClickYear, stChooseYear, stPageUp, stPageUp, stDropDown, stClickDay};

// How a step reaches the scene: the pointer at a screen point, or the Page Up key.
struct TDelivery {
    std::function<void(TPoint)> Click;
    std::function<void()> PageUp;
};

void Deliver(const TDelivery& How, TStepKind Step, TScene& S) {
    switch (Step) {
        case stClickYear:
            How.Click(S.TitleYear());
            break;
        case stChooseYear:
            How.Click(test::ItemCentre("2025"));
            break;
        case stPageUp:
            How.PageUp();
            break;
        case stDropDown:
            S.Picker->SetFocus();
            S.Picker->DropDown();
            break;
        case stClickDay:
            How.Click(S.PopupDay(17));
            break;
    }
}

std::vector<std::string> RunScript(const TDelivery& How, int64_t Settle) {
    return test::RunModalSteps<TScene>(
        kScript, [&How](TStepKind Step, TScene& S) { Deliver(How, Step, S); }, Settle);
}

class MonthCalendarOnDisplay : public test::OnDisplayTest {};

TEST_F(MonthCalendarOnDisplay, YearMenuPageUpAndPopupDoTheSameOnTheDisplayAsInjected) {
    const TDelivery injected{[](TPoint At) { test::ClickAt(At); }, [] { test::TapKey(VK_PRIOR); }};
    const std::vector<std::string> headless = RunScript(injected, 50);
    const std::vector<std::string> expected = {
        "calendar 2026-03-05 09:00, beeps 0, menu open, picker 2024-07-01 18:00, calendar "
        "focused",
        "calendar 2025-03-05 09:00, beeps 0, picker 2024-07-01 18:00, calendar focused",
        "calendar 2025-02-20 09:00, beeps 1, picker 2024-07-01 18:00, calendar focused",
        "calendar 2025-02-20 09:00, beeps 2, picker 2024-07-01 18:00, calendar focused",
        "calendar 2025-02-20 09:00, beeps 2, picker 2024-07-01 18:00, dropped down, picker "
        "focused",
        "calendar 2025-02-20 09:00, beeps 2, picker 2024-07-17 18:00, picker focused",
    };
    EXPECT_EQ(headless, expected);

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const TDelivery typed{[&](TPoint At) { test::ClickOnDisplay(display, At); },
                          [&] { test::RunXdotool(display, "key Prior"); }};
    EXPECT_EQ(RunScript(typed, 400), headless);
}

}  // namespace
}  // namespace vex
