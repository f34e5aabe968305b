#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/data/datalinks.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::DayAt;
using test::Shown;

std::string KindsOf(const TwwDBCustomDateTimePicker& Picker) {
    std::string kinds;
    if (Picker.IsDateTimeKind()) kinds += 'D';
    if (Picker.IsDateKind()) kinds += 'd';
    if (Picker.IsTimeOnlyKind()) kinds += 't';
    if (Picker.IsDateOnlyKind()) kinds += 'o';
    return kinds;
}

TEST(DBDateTimePickerBinding, TakesItsKindAndFormatFromTheField) {
    for (const test::TestCase& k :
         test::ReadCases(VEX_TEST_DIR "/testdata/pickerformats.txt", "bound")) {
        SCOPED_TRACE(k.Where);
        test::TBoundPicker t(k[0], k[1]);
        EXPECT_EQ(KindsOf(*t.Picker), k[2]);
        EXPECT_EQ(t.Picker->Text(), k[3]);
    }
}

TEST(DBDateTimePickerBinding, FollowsTheRecordAndShowsNothingForANullField) {
    test::TBoundPicker t("Stamp");
    EXPECT_EQ(Shown(t.Picker->Value()), "2001-02-03 10:00");
    t.Data.Table.Next();
    EXPECT_EQ(t.Picker->Text(), "");
    EXPECT_EQ(t.Picker->Value(), 0);
    t.Data.Table.First();
    EXPECT_EQ(t.Picker->Text(), "2/3/01 10:00:00 AM");
}

// Each record is written in the format of the moment: the picker's own, or the settings' when it
// has none, however often either changed since the last record.
TEST(DBDateTimePickerBinding, EachRecordShowsInTheFormatInForceWhenItIsShown) {
    test::TBoundPicker day("Day"), stamp("Stamp");
    const auto shownAfterAWalk = [](test::TBoundPicker& t) {
        t.Data.Table.Next();
        t.Data.Table.First();
        return t.Picker->Text();
    };
    {
        TFormatSettings dotted;
        dotted.DateSeparator = '.';
        dotted.ShortDateFormat = "dd/mm/yyyy";
        dotted.LongTimeFormat = "hh:nn";
        TFormatSettingsOverride use(dotted);
        EXPECT_EQ(shownAfterAWalk(day), "03.02.2001");
        EXPECT_EQ(shownAfterAWalk(stamp), "03.02.2001 10:00");
    }
    EXPECT_EQ(shownAfterAWalk(day), "2/3/01");
    EXPECT_EQ(shownAfterAWalk(stamp), "2/3/01 10:00:00 AM");
    stamp.Picker->SetDisplayFormat("yyyy mmm d");
    EXPECT_EQ(shownAfterAWalk(stamp), "2001 Feb 3");
    stamp.Picker->SetDisplayFormat("");
    EXPECT_EQ(shownAfterAWalk(stamp), "2/3/01 10:00:00 AM");
}

// A picker that shows one half of a date-time field writes back only that half.
TEST(DBDateTimePickerBinding, WritingBackKeepsTheHalfOfTheFieldThatIsNotShown) {
    const struct {
        const char* Name;
        const char* Format;
        bool SetsDate;
        TDateTime Given;
        const char* Stored;
    } cases[] = {
        {"a date alone", "mm/dd/yyyy", true, DayAt(2001, 2, 10), "2001-02-10 10:00"},
        {"a time alone", "hh:nn", false, EncodeTime(15, 30, 0, 0), "2001-02-03 15:30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TBoundPicker t("Stamp", c.Format);
        t.Picker->SetFocus();
        ASSERT_TRUE(t.Picker->DataLink()->Edit());
        // As an edit of the user's: the value, then the edit marked modified.
        if (c.SetsDate)
            t.Picker->SetDate(c.Given);
        else
            t.Picker->SetTime(c.Given);
        t.Picker->SetModified(true);
        t.Data.Table.Post();
        EXPECT_EQ(t.Data.Stored("Stamp"), c.Stored);
    }
}

// Emptying the half a picker shows empties the field: the other half alone is no value.
TEST(DBDateTimePickerBinding, DeletingTheShownHalfOfADateTimeFieldEmptiesIt) {
    const struct {
        const char* Format;
        const char* Stored;
    } cases[] = {
        {"mm/dd/yyyy", "null"},
        {"", "null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Format);
        test::TBoundPicker t("Stamp", c.Format);
        t.Picker->SetFocus();
        test::PressKey(VK_DELETE);
        EXPECT_EQ(t.Picker->Text(), "");
        t.Data.Table.Post();
        EXPECT_EQ(t.Data.Stored("Stamp"), c.Stored);
    }
}

// The text the part editor refreshes after each typed part must not lose the edit's mark, or the
// post would drop what was typed.
TEST(DBDateTimePickerBinding, WhatIsTypedIsWhatThePostStores) {
    const struct {
        const char* Column;
        const char* Format;
        const char* Typed;
        const char* Stored;
    } cases[] = {
        {"Moment", "hh:nn:ss", "094500", "1899-12-30 09:45"},
        {"Stamp", "mm/dd/yyyy hh:nn", "010220001530", "2000-01-02 15:30"},
        {"Day", "mm/dd/yyyy", "03041999", "1999-03-04 00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Column);
        test::TBoundPicker t(c.Column, c.Format);
        t.Picker->SetFocus();
        test::PressKey(VK_F2);
        for (const char* digit = c.Typed; *digit != 0; ++digit)
            test::PressKey(*digit);
        EXPECT_TRUE(t.Picker->Modified());
        t.Data.Table.Post();
        EXPECT_EQ(t.Data.Stored(c.Column), c.Stored);
    }
}

TEST(DBDateTimePickerBinding, AnEditEndedByTheChangeHandlersOfAShownPartLeavesThePickerUnmodified) {
    const struct {
        const char* Name;
        std::function<void(TTable&)> End;
    } cases[] = {
        {"cancelled", [](TTable& T) { T.Cancel(); }},
        {"posted", [](TTable& T) { T.Post(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TBoundPicker t("Day", "mm/dd/yyyy");
        t.Picker->SetFocus();
        test::PressKey(VK_F2);
        test::PressKey('1');
        test::PressKey('2');
        ASSERT_TRUE(t.Picker->Modified()) << "the month is taken";
        bool armed = true;
        t.Picker->OnChange = [&](TObject*) {
            if (!std::exchange(armed, false)) return;
            c.End(t.Data.Table);
        };
        // The first digit of the day is shown at once, and its text set ends the edit.
        test::PressKey('2');
        ASSERT_FALSE(armed);
        EXPECT_FALSE(t.Data.Table.State() == dsEdit);
        EXPECT_FALSE(t.Picker->Modified()) << t.Picker->Text();
    }
}

TEST(DBDateTimePickerBinding, ADataSourceWithoutAFieldShowsNothingAndOffersNoDropDown) {
    test::TBoundPicker t("");
    t.Picker->SetValue(DayAt(2024, 3, 5));
    EXPECT_EQ(t.Picker->Text(), "");
    t.Picker->SetFocus();
    test::PressKey(VK_DOWN, {VK_MENU});
    EXPECT_FALSE(t.Picker->IsDroppedDown());
    EXPECT_EQ(t.Picker->PopupCalendar(), nullptr);
}

TEST(DBDateTimePickerBinding, RemovingTheDataSourceUnbindsThePicker) {
    test::TPickerScene t;
    auto* source = new TwwDataSource(nullptr);
    t.Picker->SetDataSource(source);
    t.Picker->SetUnboundDataType(wwDTEdtDate);
    delete source;
    EXPECT_EQ(t.Picker->DataSource(), nullptr);
    EXPECT_EQ(t.Picker->UnboundDataType(), wwDTEdtDateTime);
    t.Picker->SetValue(DayAt(2024, 3, 5, 9));
    EXPECT_EQ(t.Picker->Text(), "3/5/24 9:00:00 AM") << "shows its own value again";
}

TEST(DBDateTimePickerBinding, APickerOnAFieldThatCannotBeChangedShowsNoCalendar) {
    const struct {
        const char* Name;
        std::function<void(test::TBoundPicker&)> Lock;
    } cases[] = {
        {"a read-only field",
         [](test::TBoundPicker& T) { T.Data.Table.FieldByName("Stamp")->SetReadOnly(true); }},
        {"a source that may not start editing",
         [](test::TBoundPicker& T) { T.Data.Source.SetAutoEdit(false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TBoundPicker t("Stamp");
        c.Lock(t);
        EXPECT_FALSE(t.Picker->MayModify());
        t.Picker->SetFocus();
        test::ClickAt(*t.Picker, Point(t.Picker->ButtonPanel()->Left() + 4, 5));
        EXPECT_FALSE(t.Picker->IsDroppedDown());
        EXPECT_EQ(t.Picker->SelLength(), static_cast<int32_t>(t.Picker->Text().size()))
            << "the whole text stands for a value that cannot be changed";
        EXPECT_EQ(t.Data.Table.State(), dsBrowse);
    }
}

}  // namespace
}  // namespace vex
