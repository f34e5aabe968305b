#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "dataaware/edits/wweditorgrid_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/caret.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"

namespace vex {
namespace {

using test::DayAt;
using test::PressKey;
using test::Shown;

// A focused unbound date-and-time picker holding 5 March 2024, 10:30.
struct TFocusedPicker : test::TPickerScene {
    explicit TFocusedPicker(TRect Bounds = Rect(10, 10, 150, 30)) : TPickerScene(Bounds) {
        Picker->SetValue(DayAt(2024, 3, 5, 10, 30));
        Picker->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
        Picker->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
        Picker->SetFocus();
        Application().ProcessMessages();
    }
    void AltDown() { PressKey(VK_DOWN, {VK_MENU}); }
    TwwPopupCalendar& Calendar() { return *Picker->PopupCalendar(); }
    TRect CalendarBounds() {
        TRect bounds;
        GetWindowRect(Calendar().Handle(), bounds);
        return bounds;
    }
    // A click on the screen point of a day of the calendar.
    void ClickDay(uint16_t Year, uint16_t Month, uint16_t Day) {
        const TPoint at = test::FindDay(Calendar(), Year, Month, Day);
        ASSERT_GE(at.X, 0);
        test::ClickAt(Calendar(), at);
    }
};

TEST(DBDateTimePickerDropDown, AltDownOpensOnTheValueAndAClickOnADayClosesWithIt) {
    TFocusedPicker t;
    t.AltDown();
    ASSERT_TRUE(t.Picker->IsDroppedDown());
    EXPECT_EQ(Shown(t.Calendar().Date()), "2024-03-05 10:30");
    EXPECT_TRUE(t.Picker->Focused()) << "the calendar never takes the focus";
    if (const char* dir = std::getenv("VEX_PICTURE_DIR")) {
        SaveWindowPicture(t.Form->Handle(), std::string(dir) + "/dbdatetimepicker.png");
        SaveWindowPicture(t.Calendar().Handle(), std::string(dir) + "/dbdatetimepicker-down.png");
    }
    t.ClickDay(2024, 3, 14);
    EXPECT_FALSE(t.Picker->IsDroppedDown());
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-14 10:30");
    EXPECT_EQ(t.Picker->Text(), "3/14/24 10:30:00 AM");
    EXPECT_EQ(t.Log, (test::TLog{"dropdown", "closeup"}));
    t.AltDown();
    PressKey(VK_RIGHT);
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-15 10:30") << "follows the calendar at once";
    t.AltDown();
    EXPECT_FALSE(t.Picker->IsDroppedDown()) << "Alt+Down closes it again, accepting";
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-15 10:30");
}

TEST(DBDateTimePickerDropDown, EscapeRestoresTheValueAndItsCharacterIsNotTakenAgain) {
    TFocusedPicker t;
    t.Picker->SetValue(DayAt(2024, 3, 6, 10, 30));  // no longer the value it was entered with
    t.AltDown();
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-14 10:30");
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(t.Picker->IsDroppedDown());
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-06 10:30")
        << "the value before the drop-down, not the one the picker was entered with";
    EXPECT_EQ(t.Picker->Text(), "3/6/24 10:30:00 AM");
}

TEST(DBDateTimePickerDropDown, APressOutsideClosesItKeepingTheDayShown) {
    TFocusedPicker t;
    auto* other = t.Add<TwwDBDateTimePicker>(t.Form, Rect(10, 150, 150, 170));
    t.AltDown();
    PressKey(VK_DOWN);
    // The other picker goes while this one is down; its going must not take this one's hook.
    delete other;
    test::ClickAt(*t.Form, Point(200, 140));
    EXPECT_FALSE(t.Picker->IsDroppedDown());
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-12 10:30");
    EXPECT_EQ(t.Log, (test::TLog{"dropdown", "closeup"}));
}

TEST(DBDateTimePickerDropDown, APressOnTheCaptionReachesOnlyTheHookAndStillClosesIt) {
    TFocusedPicker t;
    auto* other = t.Add<TwwDBDateTimePicker>(t.Form, Rect(10, 150, 150, 170));
    other->SetFocus();
    other->SetUnboundDataType(wwDTEdtDate);
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(other->IsDroppedDown());
    t.Picker->SetFocus();
    Application().ProcessMessages();
    EXPECT_FALSE(other->IsDroppedDown()) << "leaving a picker closes its calendar";
    t.AltDown();
    delete other;
    TRect frame;
    GetWindowRect(t.Form->Handle(), frame);
    test::ClickAt(Point((frame.Left + frame.Right) / 2, frame.Top + 8));
    test::PumpUntilIdle();
    EXPECT_FALSE(t.Picker->IsDroppedDown());
}

TEST(DBDateTimePickerDropDown, AnEmptyPickerOpensOnTodayOrTheNearestLimitAndIsModified) {
    const TDateTime today = ::vex::Date();
    const struct {
        const char* Name;
        TDateTime MinDate, MaxDate, Opened;
    } cases[] = {
        {"no limits", 0, 0, today},
        {"today after MaxDate", 0, DayAt(2001, 2, 3), DayAt(2001, 2, 3)},
        {"today before MinDate", DayAt(9000, 1, 1, 12), 0, DayAt(9000, 1, 1, 12)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TPickerScene t;
        t.Picker->SetUnboundDataType(wwDTEdtDate);
        t.Picker->SetMinDate(c.MinDate);
        t.Picker->SetMaxDate(c.MaxDate);
        t.Picker->SetFocus();
        PressKey(VK_DOWN, {VK_MENU});
        ASSERT_TRUE(t.Picker->IsDroppedDown());
        EXPECT_EQ(Shown(t.Picker->Value()), Shown(c.Opened));
        EXPECT_EQ(Shown(t.Picker->PopupCalendar()->Date()), Shown(c.Opened));
        EXPECT_TRUE(t.Picker->Modified());
    }
}

TEST(DBDateTimePickerDropDown, OpensBelowOrAboveAndLinesUpAsItsAlignmentSays) {
    const int32_t button = std::max(GetSystemMetrics(SM_CXVSCROLL), 15);
    const TRect work = Screen().WorkAreaRect();
    const struct {
        const char* Name;
        TwwDTCalAlignment Alignment;
        // The form's top left corner on the screen; the picker, narrower than the calendar, is
        // 120 wide and 20 high at (10, 10).
        int32_t FormLeft, FormTop;
        bool Above;
        // The calendar's left edge from the picker's screen left X, picker width W, calendar
        // width C.
        std::function<int32_t(int32_t X, int32_t W, int32_t C)> Left;
    } cases[] = {
        {"left", wwdtaLeft, 10, 10, false, [](int32_t X, int32_t, int32_t) { return X + 1; }},
        {"right, its right edge at the button", wwdtaRight, 10, 10, false,
         [&](int32_t X, int32_t W, int32_t C) { return X + W - button - C; }},
        {"centre", wwdtaCenter, 10, 10, false,
         [&](int32_t X, int32_t W, int32_t C) { return X + (W - C - button - 1) / 2 + 1; }},
        {"at the bottom of the work area", wwdtaLeft, 10, work.Bottom - 60, true,
         [](int32_t X, int32_t, int32_t) { return X + 1; }},
        {"left, at the right edge of the screen", wwdtaLeft, Screen().Width() - 150, 10, false,
         [](int32_t X, int32_t W, int32_t C) { return X + W - C; }},
        {"centre, at the right edge of the screen", wwdtaCenter, Screen().Width() - 150, 10, false,
         [](int32_t X, int32_t W, int32_t C) { return X + W - C; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFocusedPicker t(Rect(10, 10, 130, 30));
        t.Form->SetBounds(c.FormLeft, c.FormTop, 160, 60);
        t.Picker->CalendarAttributes()->SetAlignment(c.Alignment);
        t.AltDown();
        ASSERT_TRUE(t.Picker->IsDroppedDown());
        const TRect calendar = t.CalendarBounds();
        const TPoint corner = t.Form->ClientToScreen(Point(10, 10));
        if (c.Above)
            EXPECT_EQ(calendar.Bottom, corner.Y);
        else
            EXPECT_EQ(calendar.Top, corner.Y + t.Picker->Height() - 1);
        EXPECT_EQ(calendar.Left,
                  c.Left(corner.X, t.Picker->Width(), calendar.Right - calendar.Left));
    }
}

TEST(DBDateTimePickerDropDown, ATimeOnlyPickerHasNoButtonAndNeverDropsDown) {
    TFocusedPicker t;
    t.Picker->SetUnboundDataType(wwDTEdtTime);
    test::PumpUntilIdle();
    EXPECT_FALSE(t.Picker->ButtonPanel()->Visible());
    t.AltDown();
    EXPECT_FALSE(t.Picker->IsDroppedDown());
    t.Picker->SetUnboundDataType(wwDTEdtDate);
    test::PumpUntilIdle();
    EXPECT_TRUE(t.Picker->ButtonPanel()->Visible());
}

TEST(DBDateTimePickerDropDown, TheButtonOpensAndClosesItWithoutSelectingTheText) {
    test::TPickerScene t;
    auto* before = t.Add<TEdit>(t.Form, Rect(10, 100, 100, 120));
    before->SetFocus();
    t.Picker->SetValue(DayAt(2024, 3, 5, 10, 30));
    Application().ProcessMessages();
    const TPoint button = Point(t.Picker->ButtonPanel()->Left() + 4, 5);
    test::ClickAt(*t.Picker, button);
    ASSERT_TRUE(t.Picker->IsDroppedDown());
    EXPECT_TRUE(t.Picker->Focused());
    EXPECT_EQ(t.Picker->SelLength(), 0);
    test::ClickAt(*t.Picker, button);
    EXPECT_FALSE(t.Picker->IsDroppedDown());
}

// Every event the drop-down fires may free the picker, calendar and all.
TEST(DBDateTimePickerDropDown, SurvivesAHandlerThatFreesThePicker) {
    const struct {
        const char* Name;
        std::function<void(TFocusedPicker&, TNotifyEvent)> Hook;
        std::function<void(TFocusedPicker&)> Act;
    } cases[] = {
        {"OnDropDown", [](TFocusedPicker& T, TNotifyEvent E) { T.Picker->OnDropDown = E; },
         [](TFocusedPicker&) {}},
        {"OnChange on a day clicked",
         [](TFocusedPicker& T, TNotifyEvent E) { T.Picker->OnChange = E; },
         [](TFocusedPicker& T) { T.ClickDay(2024, 3, 14); }},
        {"OnChange on Escape", [](TFocusedPicker& T, TNotifyEvent E) { T.Picker->OnChange = E; },
         [](TFocusedPicker&) {
             PressKey(VK_RIGHT);
             PressKey(VK_ESCAPE);
         }},
        {"OnCloseUp", [](TFocusedPicker& T, TNotifyEvent E) { T.Picker->OnCloseUp = E; },
         [](TFocusedPicker&) { PressKey(VK_RETURN); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFocusedPicker t;
        c.Hook(t, [&t](TObject*) { delete std::exchange(t.Picker, nullptr); });
        t.AltDown();
        if (t.Picker != nullptr) c.Act(t);
        test::PumpUntilIdle();
        EXPECT_EQ(t.Picker, nullptr);
    }
}

TEST(DBDateTimePickerDropDown, LeavingThePickerFreesItsCalendarAndTheNextDropDownMakesOne) {
    TFocusedPicker t;
    auto* next = t.Add<TEdit>(t.Form, Rect(10, 100, 100, 120));
    t.AltDown();
    PressKey(VK_RIGHT);
    next->SetFocus();
    Application().ProcessMessages();
    EXPECT_EQ(t.Picker->PopupCalendar(), nullptr);
    EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-06 10:30") << "losing the focus accepts";
    t.Picker->SetFocus();
    t.AltDown();
    EXPECT_TRUE(t.Picker->IsDroppedDown());
}

TEST(DBDateTimePickerDropDown, InAGridEnterGoesToTheGridAndTabOnlyWhenItsOptionsSay) {
    const struct {
        int32_t Key;
        TwwDBGridOptions Options;
        bool Handed;
    } cases[] = {
        {VK_RETURN, {dgEditing}, true},
        {VK_TAB, {dgEditing, dgTabs}, true},
        {VK_TAB, {dgEditing}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        SCOPED_TRACE(c.Options.Contains(dgTabs));
        test::TPickerScene t;
        auto* grid = t.Add<test::TwwDBGrid>(t.Form, Rect(0, 0, 220, 150));
        grid->Options = c.Options;
        t.Picker->SetParent(grid);
        t.Picker->SetFocus();
        Application().ProcessMessages();
        PressKey(c.Key);
        EXPECT_EQ(grid->HandedKeys.size(), c.Handed ? 1u : 0u);
        if (c.Handed) {
            EXPECT_EQ(grid->HandedKeys[0].Key, c.Key);
        }
    }
}

// The calendar offers MinDate's whole day; a day taken there at a time of day before MinDate's
// is MinDate itself, by key or by click, with nothing raised from the calendar's messages.
TEST(DBDateTimePickerDropDown, TheMinDateDayTakenFromTheCalendarIsTheMinDate) {
    const struct {
        const char* Name;
        std::function<void(TFocusedPicker&)> Pick;
    } cases[] = {
        {"a key, then Enter",
         [](TFocusedPicker&) {
             PressKey(VK_LEFT);
             PressKey(VK_RETURN);
         }},
        {"a click", [](TFocusedPicker& T) { T.ClickDay(2024, 3, 4); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFocusedPicker t;
        t.Picker->SetMinDate(DayAt(2024, 3, 4, 12));
        t.AltDown();
        EXPECT_NO_THROW(c.Pick(t));
        EXPECT_FALSE(t.Picker->IsDroppedDown());
        EXPECT_EQ(Shown(t.Picker->Value()), "2024-03-04 12:00");
    }
}

// A press elsewhere closes the focused picker's calendar, and so does the focus leaving it: a
// picker dropped down by code takes the focus, or one calendar would stay open for good.
TEST(DBDateTimePickerDropDown, ADropDownByCodeTakesTheFocusSoOnlyOneCalendarIsOpen) {
    TFocusedPicker t;
    auto* other = t.Add<TwwDBDateTimePicker>(t.Form, Rect(10, 50, 150, 70));
    other->SetValue(DayAt(2024, 3, 6));
    t.AltDown();
    other->DropDown();
    test::PumpUntilIdle();
    EXPECT_FALSE(t.Picker->IsDroppedDown());
    EXPECT_TRUE(other->IsDroppedDown());
    EXPECT_TRUE(other->Focused());
    test::ClickAt(*t.Form, Point(200, 140));
    EXPECT_FALSE(other->IsDroppedDown());
}

}  // namespace
}  // namespace vex
