#include "dataaware/edits/wwpopupcalendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "dataaware/edits/wweditorgrid_testsupport.h"
#include "dataaware/edits/wwpicker_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::DayAt;
using test::Shown;

// A form with a focused stand-in picker whose calendar is down on 5 March 2024, 10:30.
struct TDroppedDown {
    test::TShownForm Shown{Rect(20, 20, 420, 380)};
    test::TStandInPicker* Picker;

    explicit TDroppedDown(TwwMonthOptions Options = {mdoDayState}) {
        Picker = Shown.Add<test::TStandInPicker>(Shown.Form, Rect(10, 10, 130, 34));
        Picker->CalendarOptions = Options;
        Picker->SetFocus();
        Picker->Value = DayAt(2024, 3, 5, 10, 30);
        Picker->DropDown();
        test::PumpUntilIdle();
    }
    TwwPopupCalendar& Calendar() { return *Picker->Calendar; }
    void ClickOnScreen(TPoint At) {
        test::ClickAt(At);
        test::PumpUntilIdle();
    }
};

TEST(PopupCalendar, IsAToolWindowOnTheDesktopThatLeavesTheFocusWithThePicker) {
    TDroppedDown down;
    TwwPopupCalendar& calendar = down.Calendar();
    const HWND wnd = calendar.Handle();
    EXPECT_FALSE(IsChild(down.Shown.Form->Handle(), wnd)) << "the form does not clip it";
    EXPECT_NE(GetWindowLong(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(GetWindowLong(wnd, GWL_STYLE) & WS_BORDER, 0);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveWindowPicture(wnd, std::string(dir) + "/popupcalendar.png");
    TRect bounds;
    GetWindowRect(wnd, bounds);
    const TPoint below = down.Picker->ClientToScreen(Point(1, down.Picker->Height() - 1));
    EXPECT_EQ(bounds.Left, below.X);
    EXPECT_EQ(bounds.Top, below.Y);
    down.ClickOnScreen(down.Picker->OnCalendar(test::FindCode(calendar, MCHT_TITLEBTNNEXT)));
    EXPECT_TRUE(down.Picker->Focused());
    EXPECT_EQ(GetFocus(), down.Picker->Handle());
    EXPECT_TRUE(down.Picker->IsDroppedDown());
}

TEST(PopupCalendar, ReleasingOnADayClosesUpWithItAndElsewhereKeepsItOpen) {
    struct TCase {
        const char* Name;
        std::function<TPoint(TwwPopupCalendar&)> Where;
        std::vector<std::string> Log;
        const char* Value;
    };
    const std::vector<TCase> cases = {
        {"a day",
         [](TwwPopupCalendar& C) { return test::FindDay(C, 2024, 3, 14); },
         {"change", "modified", "date 2024-03-14 10:30", "closeup accept"},
         "2024-03-14 10:30"},
        {"a greyed day of the next month",
         [](TwwPopupCalendar& C) { return test::FindDay(C, 2024, 4, 2, MCHT_CALENDARDATENEXT); },
         {"change", "modified", "date 2024-04-02 10:30", "closeup accept"},
         "2024-04-02 10:30"},
        {"the weekday header",
         [](TwwPopupCalendar& C) { return test::FindCode(C, MCHT_CALENDARDAY); },
         {},
         "2024-03-05 10:30"},
        {"a week number",
         [](TwwPopupCalendar& C) { return test::FindCode(C, MCHT_CALENDARWEEKNUM); },
         {},
         "2024-03-05 10:30"},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        TDroppedDown down({mdoDayState, mdoWeekNumbers});
        const TPoint at = k.Where(down.Calendar());
        ASSERT_GE(at.X, 0);
        down.ClickOnScreen(down.Picker->OnCalendar(at));
        EXPECT_EQ(down.Picker->Log, k.Log);
        EXPECT_EQ(Shown(down.Picker->Value), k.Value);
        EXPECT_EQ(down.Picker->IsDroppedDown(), k.Log.empty());
    }
}

TEST(PopupCalendar, ChangesReachThePickerOnlyWhenItMayBeModified) {
    for (bool may : {true, false}) {
        TDroppedDown down;
        down.Picker->MayModify = may;
        down.Calendar().Perform(WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(Shown(down.Calendar().Date()), "2024-03-12 10:30");
        const std::vector<std::string> told = {"change", "modified", "date 2024-03-12 10:30"};
        EXPECT_EQ(down.Picker->Log, may ? told : std::vector<std::string>());
    }
}

TEST(PopupCalendar, APressOutsidePickerAndCalendarCancelsTheDropDown) {
    struct TCase {
        const char* Name;
        std::function<TPoint(TDroppedDown&)> Where;
        std::vector<std::string> Log;
    };
    const std::vector<TCase> cases = {
        // The form tells its active control itself; the hook's message comes after.
        {"the form",
         [](TDroppedDown& D) { return D.Shown.Form->ClientToScreen(Point(300, 20)); },
         {"cancel mode from TForm", "closeup accept", "cancel mode"}},
        // A press on a caption reaches no control: only the hook sees it.
        {"the form's caption",
         [](TDroppedDown& D) {
             TRect r;
             GetWindowRect(D.Shown.Form->Handle(), r);
             return Point((r.Left + r.Right) / 2, r.Top + 8);
         },
         {"cancel mode", "closeup accept"}},
        {"the picker", [](TDroppedDown& D) { return D.Picker->ClientToScreen(Point(5, 5)); }, {}},
        {"the calendar's weekday header",
         [](TDroppedDown& D) {
             return D.Picker->OnCalendar(test::FindCode(D.Calendar(), MCHT_CALENDARDAY));
         },
         {}},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        TDroppedDown down;
        down.ClickOnScreen(k.Where(down));
        EXPECT_EQ(down.Picker->Log, k.Log);
        EXPECT_EQ(down.Picker->Hooked(), k.Log.empty());
    }
}

// The press after a drop-down may come soon after one at the same place, which makes it the
// second press of a double click: a press all the same.
TEST(PopupCalendar, ASecondPressSoonAfterAnotherStillCancelsTheDropDown) {
    TDroppedDown down;
    TRect form;
    GetWindowRect(down.Shown.Form->Handle(), form);
    const TPoint caption = Point((form.Left + form.Right) / 2, form.Top + 8);
    down.ClickOnScreen(caption);
    ASSERT_FALSE(down.Picker->IsDroppedDown());
    down.Picker->DropDown();
    test::PumpUntilIdle();
    down.Picker->Log.clear();
    down.ClickOnScreen(caption);
    EXPECT_EQ(down.Picker->Log, (std::vector<std::string>{"cancel mode", "closeup accept"}));
    EXPECT_FALSE(down.Picker->IsDroppedDown());
}

TEST(PopupCalendar, APressWhileACalendarMenuIsOpenBelongsToTheMenu) {
    TDroppedDown down;
    TwwPopupCalendar& calendar = down.Calendar();
    TModalScript script;
    script.Then([&] {
        EXPECT_TRUE(calendar.IsPopupMenuOpen());
        test::ClickAt(down.Shown.Form->ClientToScreen(Point(300, 20)));
    });
    down.ClickOnScreen(down.Picker->OnCalendar(test::FindCode(calendar, MCHT_TITLEYEAR)));
    EXPECT_FALSE(calendar.IsPopupMenuOpen());
    EXPECT_EQ(down.Picker->Log, std::vector<std::string>{});
    EXPECT_TRUE(down.Picker->IsDroppedDown());
    EXPECT_TRUE(down.Picker->Focused()) << "the title click did not take the focus";
}

TEST(PopupCalendar, SurvivesAPickerThatFreesItselfWhenToldOfAChange) {
    const struct {
        const char* Name;
        std::function<void(TDroppedDown&)> Act;
    } cases[] = {
        {"a day clicked",
         [](TDroppedDown& D) {
             D.ClickOnScreen(D.Picker->OnCalendar(test::FindDay(D.Calendar(), 2024, 3, 14)));
         }},
        {"Down", [](TDroppedDown& D) { D.Calendar().Perform(WM_KEYDOWN, VK_DOWN, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TDroppedDown down;
        down.Picker->OnNotifyChange = [&down] { delete std::exchange(down.Picker, nullptr); };
        c.Act(down);
        test::PumpUntilIdle();
        EXPECT_EQ(down.Picker, nullptr);
    }
}

TEST(PopupCalendar, SurvivesItsFormFreedWhileItsYearMenuIsOpen) {
    TDroppedDown down;
    TwwPopupCalendar& calendar = down.Calendar();
    const TPoint year = down.Picker->OnCalendar(test::FindCode(calendar, MCHT_TITLEYEAR));
    const TPoint elsewhere = down.Shown.Form->ClientToScreen(Point(300, 20));
    TModalScript script;
    script.Then([&] {
        delete std::exchange(down.Shown.Form, nullptr);
        test::ClickAt(elsewhere);
    });
    down.ClickOnScreen(year);
    test::ClickAt(elsewhere);
    test::PumpUntilIdle();
    EXPECT_EQ(down.Shown.Form, nullptr);
}

// The drop-down may close (here cancelled) while the calendar's year menu is open: a year then
// chosen from the menu reaches the picker no more.
TEST(PopupCalendar, AChoiceFromItsMenuAfterItClosedLeavesThePicker) {
    TDroppedDown down;
    TwwPopupCalendar& calendar = down.Calendar();
    TModalScript script;
    script.Then([&] {
        down.Picker->CloseUp(false);
        test::PumpUntilIdle();
        test::ClickAt(test::ItemCentre("1995"));
    });
    down.ClickOnScreen(down.Picker->OnCalendar(test::FindCode(calendar, MCHT_TITLEYEAR)));
    test::PumpUntilIdle();
    EXPECT_EQ(down.Picker->Log, std::vector<std::string>{"closeup cancel"});
    EXPECT_EQ(Shown(down.Picker->Value), "2024-03-05 10:30");
}

class TOtherGrid : public TWinControl, public TwwEditorGrid {
    VEX_CLASS(TOtherGrid, TWinControl)

public:
    using TWinControl::TWinControl;
    TwwDBGridOptions GridOptions() const override { return {dgEditing}; }
    bool GridFocused() override { return Focused(); }
    void GridKeyDown(uint16_t& /*Key*/, TShiftState /*Shift*/) override {}
};

TEST(PickerInGrid, TheGridIsKnownByItsClassNameAndToldItsOptionsByItsInterface) {
    test::TShownForm shown;
    auto* grid = shown.Add<test::TwwDBGridDescendant>(shown.Form, Rect(0, 0, 150, 100));
    auto* silentGrid = shown.Add<test::silent::TwwDBGrid>(shown.Form, Rect(0, 0, 10, 10));
    auto* other = shown.Add<TOtherGrid>(shown.Form, Rect(0, 0, 10, 10));
    auto* picker = shown.Add<test::TStandInPicker>(grid, Rect(5, 5, 80, 25));

    EXPECT_TRUE(wwInGrid(picker));
    EXPECT_EQ(wwGetGridOptions(picker), (TwwDBGridOptions{dgEditing, dgTabs}));
    grid->SetFocus();
    EXPECT_TRUE(wwIsEditingInFocusedGrid(picker, true));
    EXPECT_FALSE(wwIsEditingInFocusedGrid(picker, false));
    picker->SetFocus();
    EXPECT_FALSE(wwIsEditingInFocusedGrid(picker, true));
    EXPECT_TRUE(wwHandKeyToGrid(picker, VK_TAB, TShiftState{ssShift}));
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->HandedKeys, (std::vector<test::TwwDBGrid::THandedKey>{{VK_TAB, {ssShift}}}));

    picker->SetParent(silentGrid);
    EXPECT_TRUE(wwInGrid(picker));
    EXPECT_TRUE(wwGetGridOptions(picker).Empty());
    EXPECT_FALSE(wwHandKeyToGrid(picker, VK_TAB, {}));
    picker->SetParent(other);
    EXPECT_FALSE(wwInGrid(picker));
    EXPECT_TRUE(wwGetGridOptions(picker).Empty());
    picker->SetParent(nullptr);
    EXPECT_FALSE(wwInGrid(picker));
    EXPECT_FALSE(wwInGrid(nullptr));
}

}  // namespace
}  // namespace vex
