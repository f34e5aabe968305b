#include "platform/ui/datetimepickerdropdown.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/core/datetime.h"
#include "platform/core/systemtime.h"
#include "platform/ui/datetimepicker.h"
#include "platform/ui/datetimepicker_testsupport.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/monthcal.h"
#include "platform/win/capture.h"
#include "platform/win/input.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"

namespace vex {
namespace {

using test::ClickAt;
using test::PressKey;

// Tuesday 5 March 2024, 14:07.
const TDateTime Tuesday = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 0, 0));

// A focused date picker on a shown form holding Tuesday, its calendar dropped down.
struct TDroppedFixture : test::TListScene {
    TDroppedFixture() {
        Picker = Add<TDateTimePicker>(Form, Rect(10, 10, 150, 30));
        Picker->SetDateTime(Tuesday);
        Picker->OnChange = [this](TObject*) {
            Log.push_back(FormatDateTime("yyyy-mm-dd hh:nn", Picker->DateTime()));
        };
        Picker->SetFocus();
        Application().ProcessMessages();
        PressKey(VK_DOWN, {VK_MENU});
    }
    // The calendar that holds the mouse.
    TDateTimePickerDropDown* Calendar() {
        return dynamic_cast<TDateTimePickerDropDown*>(FindControl(GetCapture()));
    }
    // A client point of the calendar over the day, of another month when Flags say so.
    TPoint PointOfDay(uint16_t Month, uint16_t Day, UINT Flags = 0) {
        const std::optional<TPoint> at = test::PointOfDay(
            Calendar()->Handle(), Point(Calendar()->ClientWidth(), Calendar()->ClientHeight()),
            Month, Day, Flags);
        if (!at) ADD_FAILURE() << "no point shows " << Month << "/" << Day;
        return at.value_or(Point(-100, -100));
    }
    std::string Shown() { return FormatDateTime("yyyy-mm-dd", Calendar()->ShownDate()); }

    TDateTimePicker* Picker = nullptr;
};

TEST(DateTimePickerDropDown, OpensBelowThePickerOnTheValueAndHoldsTheMouse) {
    TDroppedFixture t;
    ASSERT_TRUE(t.Picker->DroppedDown());
    ASSERT_NE(t.Calendar(), nullptr);
    EXPECT_EQ(t.Shown(), "2024-03-05");
    const TPoint face = t.Picker->ClientToScreen(Point(0, 0));
    const TPoint top = t.Calendar()->ClientToScreen(Point(0, 0));
    EXPECT_GE(top.Y, face.Y + t.Picker->ClientHeight());
    EXPECT_TRUE(t.Picker->Focused());
    PressKey(VK_F4);
    EXPECT_FALSE(t.Picker->DroppedDown());
    EXPECT_EQ(GetCapture(), 0u);
    PressKey(VK_F4);
    EXPECT_TRUE(t.Picker->DroppedDown());
}

TEST(DateTimePickerDropDown, AClickOnADayTakesItAndKeepsTheTimeOfDay) {
    const struct {
        uint16_t Month, Day;
        UINT Flags;
        const char* Taken;
    } cases[] = {
        {3, 20, 0, "2024-03-20 14:07"},
        {4, 2, MCHT_NEXT, "2024-04-02 14:07"},  // a greyed day of the next month
        {2, 27, MCHT_PREV, "2024-02-27 14:07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Taken);
        TDroppedFixture t;
        ClickAt(*t.Calendar(), t.PointOfDay(c.Month, c.Day, c.Flags));
        EXPECT_FALSE(t.Picker->DroppedDown());
        EXPECT_EQ(GetCapture(), 0u);
        EXPECT_EQ(t.Log, (test::TLog{c.Taken}));
        EXPECT_TRUE(t.Picker->Focused());
    }
}

TEST(DateTimePickerDropDown, EscapeAndAPressOutsideCloseItUnchanged) {
    TDroppedFixture t;
    PressKey(VK_RIGHT);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(t.Picker->DroppedDown());
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(t.Picker->DroppedDown());
    ClickAt(*t.Calendar(), Point(-20, -40));
    EXPECT_FALSE(t.Picker->DroppedDown());
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(t.Picker->DateTime(), Tuesday);
    EXPECT_TRUE(t.Log.empty());
}

TEST(DateTimePickerDropDown, TheKeysMoveTheMarkedDayAndEnterTakesIt) {
    TDroppedFixture t;
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    PressKey(VK_NEXT);
    EXPECT_EQ(t.Shown(), "2024-04-13");
    PressKey(VK_RETURN);
    EXPECT_FALSE(t.Picker->DroppedDown());
    EXPECT_EQ(t.Log, (test::TLog{"2024-04-13 14:07"}));
}

TEST(DateTimePickerDropDown, DaysBeyondTheLimitsAreNotTaken) {
    TDroppedFixture t;
    PressKey(VK_ESCAPE);
    t.Picker->SetMaxDate(EncodeDate(2024, 3, 10));
    PressKey(VK_DOWN, {VK_MENU});
    const uint32_t beeps = MessageBeepCount();
    PressKey(VK_NEXT);  // stops at the limit
    EXPECT_EQ(t.Shown(), "2024-03-10");
    ClickAt(*t.Calendar(), t.PointOfDay(3, 20));
    EXPECT_TRUE(t.Picker->DroppedDown());
    EXPECT_GE(MessageBeepCount(), beeps + 1);
    ClickAt(*t.Calendar(), t.PointOfDay(3, 8));
    EXPECT_EQ(t.Log, (test::TLog{"2024-03-08 14:07"}));
}

TEST(DateTimePickerDropDown, LosingTheFocusOrBeingFreedClosesIt) {
    TDroppedFixture t;
    auto* other = t.Add<TDateTimePicker>(t.Form, Rect(10, 40, 150, 60));
    other->SetFocus();
    Application().ProcessMessages();
    EXPECT_FALSE(t.Picker->DroppedDown());
    t.Picker->SetFocus();
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(t.Picker->DroppedDown());
    delete t.Picker;
    Application().ProcessMessages();
    EXPECT_EQ(GetCapture(), 0u);
}

TEST(DateTimePickerDropDown, SurvivesAChangeHandlerThatFreesThePickerOrItsFormOnTheDayChosen) {
    for (const bool byKey : {false, true})
        for (const bool wholeForm : {false, true}) {
            SCOPED_TRACE(std::string(byKey ? "Enter" : "a click") + (wholeForm ? ", form" : ""));
            TDroppedFixture t;
            t.Picker->OnChange = [&t, wholeForm](TObject*) {
                if (wholeForm) {
                    t.Picker = nullptr;
                    delete std::exchange(t.Form, nullptr);
                } else {
                    delete std::exchange(t.Picker, nullptr);
                }
            };
            if (byKey) {
                PressKey(VK_RIGHT);
                PressKey(VK_RETURN);
            } else {
                ClickAt(*t.Calendar(), t.PointOfDay(3, 20));
            }
            EXPECT_EQ(t.Picker, nullptr);
            EXPECT_EQ(GetCapture(), 0u);
        }
}

TEST(DateTimePickerDropDown, LetsTheMouseGoWhenItsFormIsFreedWhileItIsDown) {
    TDroppedFixture t;
    const TPoint elsewhere = t.Form->ClientToScreen(Point(200, 150));
    delete std::exchange(t.Form, nullptr);
    InjectMouseMove(elsewhere);
    InjectMouseButton(mbLeft, true);
    InjectMouseButton(mbLeft, false);
    Application().ProcessMessages();
    EXPECT_EQ(GetCapture(), 0u);
}

}  // namespace
}  // namespace vex
