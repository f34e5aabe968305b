#include "platform/ui/datetimepicker.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

using test::ClickAt;
using test::PressKey;

// Tuesday 5 March 2024, 14:07.
const TDateTime Tuesday = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 0, 0));

// A focused picker of Kind on a shown form with the fixed font, holding Tuesday, and the
// changes it told of.
struct TPickerFixture : test::TListScene {
    explicit TPickerFixture(TDateTimeKind Kind = dtkDate) {
        Picker = Add<TDateTimePicker>(Form, Rect(10, 10, 150, 30));
        Picker->SetKind(Kind);
        Picker->SetDateTime(Tuesday);
        Picker->OnChange = [this](TObject*) { Log.push_back(Picker->DisplayText()); };
        Picker->SetFocus();
        Application().ProcessMessages();
    }
    // The client point in the middle of character Index of the text.
    TPoint Character(int32_t Index) const { return Point(2 + 6 * Index + 3, 8); }

    TDateTimePicker* Picker = nullptr;
};

TEST(DateTimePicker, ShowsTheValueInTheSettingsFormatForItsKind) {
    TPickerFixture t;
    EXPECT_EQ(t.Picker->DisplayText(), "3/5/24");
    t.Picker->SetDateFormat(dfLong);
    EXPECT_EQ(t.Picker->DisplayText(), "Tuesday, March 05, 2024");
    t.Picker->SetKind(dtkTime);
    EXPECT_EQ(t.Picker->DisplayText(), "2:07 PM");
    EXPECT_TRUE(t.Log.empty());
}

TEST(DateTimePicker, DateAndTimeSettersKeepTheOtherHalfOnBothSidesOf1899) {
    TPickerFixture t;
    t.Picker->SetDate(EncodeDate(1899, 12, 28));
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", t.Picker->DateTime()), "1899-12-28 14:07");
    EXPECT_EQ(t.Picker->Date(), -2);
    t.Picker->SetTime(EncodeTime(6, 0, 0, 0));
    EXPECT_EQ(t.Picker->DateTime(), -2.25);
    EXPECT_EQ(t.Picker->Time(), 0.25);
    t.Picker->SetDate(EncodeDate(2024, 3, 5) + 0.75);  // only the day of it counts
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", t.Picker->DateTime()), "2024-03-05 06:00");
    EXPECT_THROW(t.Picker->SetDate(3e6), EConvertError);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", t.Picker->DateTime()), "2024-03-05 06:00");
    EXPECT_TRUE(t.Log.empty());
}

TEST(DateTimePicker, TheArrowsAndDigitsEditThePartTheCaretStandsIn) {
    const struct {
        std::vector<int32_t> Keys;
        std::string Text;
        int32_t Part;
        size_t Changes;
    } cases[] = {
        {{VK_UP}, "4/5/24", 0, 1},
        {{VK_RIGHT, VK_UP}, "3/6/24", 1, 1},
        {{VK_END, VK_DOWN, VK_DOWN}, "3/5/22", 2, 2},
        {{VK_END, VK_LEFT, VK_LEFT, VK_LEFT, VK_DOWN}, "2/5/24", 0, 1},
        {{VK_END, VK_RIGHT, VK_HOME}, "3/5/24", 0, 0},
        {{'1', '2'}, "12/5/24", 1, 1},
        {{'1', '2', '3'}, "12/3/24", 1, 1},  // 30 and 31 could follow: not yet taken
        {{'1', '2', '3', '1'}, "12/31/24", 2, 2},
        {{'1', VK_RIGHT}, "1/5/24", 1, 1},
        {{'0', VK_UP}, "4/5/24", 0, 1},  // "0" names no month: a beep, then the arrow
        {{VK_RIGHT, VK_RIGHT, '9', '9'}, "3/5/99", 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Keys));
        TPickerFixture t;
        for (int32_t key : c.Keys)
            PressKey(key);
        EXPECT_EQ(t.Picker->DisplayText(), c.Text);
        EXPECT_EQ(t.Picker->SelectedPart(), c.Part);
        EXPECT_EQ(t.Log.size(), c.Changes);
    }
}

TEST(DateTimePicker, ATimePickerStepsHoursMinutesAndTheHalfOfTheDay) {
    TPickerFixture t(dtkTime);
    PressKey(VK_UP);
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
    PressKey('A');
    EXPECT_EQ(t.Picker->DisplayText(), "3:06 AM");
    EXPECT_EQ(t.Picker->Date(), EncodeDate(2024, 3, 5));
    PressKey(VK_DOWN, {VK_MENU});  // no calendar for a time
    EXPECT_FALSE(t.Picker->DroppedDown());
    EXPECT_EQ(t.Log, (test::TLog{"3:07 PM", "3:06 PM", "3:06 AM"}));
}

TEST(DateTimePicker, DigitsNotYetTakenShowAndAreTakenWhenTheFocusLeaves) {
    TPickerFixture t;
    auto* other = t.Add<TDateTimePicker>(t.Form, Rect(10, 40, 150, 60));
    PressKey(VK_RIGHT);
    PressKey('3');  // 30 and 31 could follow
    EXPECT_EQ(t.Picker->DisplayText(), "3/3/24");
    EXPECT_EQ(t.Picker->DateTime(), Tuesday);
    other->SetFocus();
    Application().ProcessMessages();
    EXPECT_EQ(t.Picker->DisplayText(), "3/3/24");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", t.Picker->DateTime()), "2024-03-03 14:07");
    EXPECT_EQ(t.Log, (test::TLog{"3/3/24"}));
}

TEST(DateTimePicker, KeysStopAtTheLimitsWithABeepAndSettersRefuseWhatLiesBeyond) {
    TPickerFixture t;
    t.Picker->SetMaxDate(EncodeDate(2024, 3, 6) + 0.5);
    t.Picker->SetMinDate(EncodeDate(2024, 3, 4));
    const uint32_t beeps = MessageBeepCount();
    PressKey(VK_RIGHT);
    PressKey(VK_UP);
    PressKey(VK_UP);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", t.Picker->DateTime()), "2024-03-06 14:07");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    PressKey(VK_LEFT);
    PressKey(VK_UP);  // April: stops at the last day allowed, the time kept
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", t.Picker->DateTime()), "2024-03-06 14:07");
    EXPECT_EQ(MessageBeepCount(), beeps + 2);
    EXPECT_EQ(t.Log, (test::TLog{"3/6/24"}));
    EXPECT_THROW(t.Picker->SetDate(EncodeDate(2024, 3, 7)), ERangeError);
    EXPECT_THROW(t.Picker->SetMaxDate(EncodeDate(2024, 3, 3)), ERangeError);
    EXPECT_EQ(t.Picker->MaxDate(), EncodeDate(2024, 3, 6));
    // A limit moved past the value pulls the day in and keeps the time.
    t.Picker->SetMaxDate(EncodeDate(2024, 3, 5));
    EXPECT_EQ(t.Picker->DateTime(), Tuesday);
    t.Picker->SetMaxDate(0);
    t.Picker->SetMinDate(0);
    PressKey(VK_UP);
    EXPECT_EQ(t.Picker->DisplayText(), "4/5/24");
}

TEST(DateTimePicker, APressSelectsThePartUnderThePointer) {
    TPickerFixture t;
    t.Picker->SetDateFormat(dfLong);  // "Tuesday, March 05, 2024"
    const struct {
        int32_t Character;
        int32_t Part;
    } cases[] = {{0, 0}, {7, 0}, {9, 1}, {15, 2}, {19, 3}, {40, 3}};
    for (const auto& c : cases) {
        ClickAt(*t.Picker, t.Character(c.Character));
        EXPECT_EQ(t.Picker->SelectedPart(), c.Part) << c.Character;
    }
    EXPECT_TRUE(t.Log.empty());
}

TEST(DateTimePicker, TheWheelStepsTheSelectedPart) {
    TPickerFixture t;
    t.Picker->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, 120)), 0);
    t.Picker->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, 120)), 0);
    t.Picker->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, static_cast<uint16_t>(-120))),
                      0);
    EXPECT_EQ(t.Picker->DisplayText(), "4/5/24");
}

// A handler of OnChange may free the picker: whatever told of the change touches nothing after.
TEST(DateTimePicker, SurvivesAChangeHandlerThatFreesIt) {
    using TAct = std::function<void(TPickerFixture&, TDateTimePicker & Other)>;
    const struct {
        const char* Name;
        bool Typed;  // a digit is typed first, which the action takes
        TAct Act;
    } cases[] = {
        {"the last digit", true, [](TPickerFixture&, TDateTimePicker&) { PressKey('2'); }},
        {"Up after a digit", true, [](TPickerFixture&, TDateTimePicker&) { PressKey(VK_UP); }},
        {"Right", true, [](TPickerFixture&, TDateTimePicker&) { PressKey(VK_RIGHT); }},
        {"Alt+Down", true, [](TPickerFixture&, TDateTimePicker&) { PressKey(VK_DOWN, {VK_MENU}); }},
        {"a click on the text", true,
         [](TPickerFixture& T, TDateTimePicker&) { ClickAt(*T.Picker, T.Character(3)); }},
        {"the focus leaving", true,
         [](TPickerFixture&, TDateTimePicker& Other) {
             Other.SetFocus();
             Application().ProcessMessages();
         }},
        {"Up", false, [](TPickerFixture&, TDateTimePicker&) { PressKey(VK_UP); }},
        {"the wheel", false,
         [](TPickerFixture& T, TDateTimePicker&) {
             T.Picker->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, 120)), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPickerFixture t;
        auto* other = t.Add<TDateTimePicker>(t.Form, Rect(10, 40, 150, 60));
        t.Picker->OnChange = [&t](TObject*) { delete std::exchange(t.Picker, nullptr); };
        if (c.Typed) PressKey('1');  // January, October to December could follow
        ASSERT_NE(t.Picker, nullptr);
        c.Act(t, *other);
        EXPECT_EQ(t.Picker, nullptr);
    }
}

// OnKeyDown, OnKeyPress and OnMouseWheel may free the picker too: the input then goes no further.
TEST(DateTimePicker, SurvivesAnInputHandlerThatFreesIt) {
    enum class THandler { KeyDown, KeyPress, Wheel };
    const struct {
        const char* Name;
        THandler In;
        int32_t Key;  // none for the wheel
    } cases[] = {
        {"Right in OnKeyDown", THandler::KeyDown, VK_RIGHT},
        {"Up in OnKeyDown", THandler::KeyDown, VK_UP},
        {"F4 in OnKeyDown", THandler::KeyDown, VK_F4},
        {"a digit in OnKeyPress", THandler::KeyPress, '1'},
        {"a notch in OnMouseWheel, left unhandled", THandler::Wheel, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPickerFixture t;
        auto free = [&t] { delete std::exchange(t.Picker, nullptr); };
        switch (c.In) {
            case THandler::KeyDown:
                t.Picker->OnKeyDown = [free](TObject*, uint16_t&, TShiftState) { free(); };
                PressKey(c.Key);
                break;
            case THandler::KeyPress:
                t.Picker->OnKeyPress = [free](TObject*, char&) { free(); };
                PressKey(c.Key);
                break;
            case THandler::Wheel:
                t.Picker->OnMouseWheel = [free](TObject*, TShiftState, int32_t, TPoint, bool&) {
                    free();
                };
                t.Picker->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, 120)), 0);
                break;
        }
        EXPECT_EQ(t.Picker, nullptr);
    }
}

}  // namespace
}  // namespace vex
