// The part editor inside the data-aware picker: bound to a table, unbound, and in a grid.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "dataaware/edits/wweditorgrid_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/data/fields.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

using test::Shown;

void Type(const std::string& Digits) {
    for (char c : Digits)
        test::TypeKey(static_cast<WPARAM>(c), c);
}

TEST(PickerPartsInThePicker, DigitsTypedIntoABoundPickerAreWrittenBack) {
    test::TBoundPicker t("Day", "dd/mm/yyyy");
    t.Picker->SetFocus();
    test::TypeKey(VK_F2);
    Type("15");
    EXPECT_EQ(t.Picker->Text(), "15/02/2001");
    EXPECT_EQ(t.Picker->SelText(), "02");
    Type("11");
    t.Data.Table.Post();
    EXPECT_EQ(t.Data.Stored("Day"), "2001-11-15 00:00");
}

// The last part typed as it stood leaves the value alone, yet the edit is still written back.
TEST(PickerPartsInThePicker, ATimeTypedIntoABoundPickerIsWrittenBack) {
    for (const char* column : {"Moment", "Stamp"}) {
        SCOPED_TRACE(column);
        test::TBoundPicker t(column, "hh:nn:ss");
        t.Picker->SetFocus();
        test::TypeKey(VK_F2);
        Type("094500");
        t.Data.Table.Post();
        EXPECT_EQ(t.Data.Stored(column).substr(11), "09:45");
    }
}

// A part refused at the limits shows the value again; the parts taken before it are still
// written back.
TEST(PickerPartsInThePicker, PartsTakenBeforeARefusedOneAreWrittenBack) {
    test::TBoundPicker t("Day", "mm/dd/yyyy");
    t.Picker->SetMaxDate(EncodeDate(2024, 12, 31));
    t.Picker->SetFocus();
    test::TypeKey(VK_F2);
    Type("12252030");
    EXPECT_EQ(t.Picker->Text(), "12/25/2001");
    EXPECT_TRUE(t.Picker->Modified());
    t.Data.Table.Post();
    EXPECT_EQ(t.Data.Stored("Day").substr(0, 10), "2001-12-25");
}

TEST(PickerPartsInThePicker, DeleteEmptiesABoundPickerUnlessItsFieldIsRequired) {
    for (bool required : {false, true}) {
        SCOPED_TRACE(required ? "required" : "not required");
        test::TBoundPicker t("Day", "dd/mm/yyyy");
        t.Data.Table.FieldByName("Day")->SetRequired(required);
        t.Picker->SetFocus();
        test::TypeKey(VK_DELETE);
        EXPECT_EQ(t.Picker->Text(), required ? "03/02/2001" : "");
        EXPECT_EQ(t.Picker->Value(), required ? EncodeDate(2001, 2, 3) : 0);
    }
}

TEST(PickerPartsInThePicker, SpaceSetsNowOnlyOnAPickerBoundOrNotBoundAtAll) {
    test::TMomentsTable data;
    test::TPickerScene scene;
    TwwDBDateTimePicker& picker = *scene.Picker;
    picker.SetFocus();
    test::TypeKey(VK_SPACE, ' ');
    EXPECT_LT(std::abs(picker.Value() - vex::Now()), 1.0 / 24 / 60);
    picker.SetDataSource(&data.Source);
    picker.SetValue(0);
    test::TypeKey(VK_SPACE, ' ');
    EXPECT_EQ(picker.Value(), 0);
    EXPECT_EQ(picker.Text(), "");
}

TEST(PickerPartsInThePicker, AReadOnlyPickerDropsTheKeysThatWouldChangeIt) {
    test::TBoundPicker t("Day", "dd/mm/yyyy");
    t.Picker->SetReadOnly(true);
    t.Picker->SetFocus();
    const uint32_t beeps = MessageBeepCount();
    for (WPARAM key : {WPARAM{VK_UP}, WPARAM{VK_END}, WPARAM{VK_DELETE}, WPARAM{'4'}})
        test::TypeKey(key, key == '4' ? '4' : 0);
    EXPECT_EQ(t.Picker->Text(), "03/02/2001");
    EXPECT_EQ(t.Picker->SelText(), "03/02/2001");
    EXPECT_EQ(MessageBeepCount(), beeps);
    EXPECT_EQ(t.Data.Table.State(), dsBrowse);
}

// Which keys the picker hands to the grid it sits in, by the grid's options and where the
// highlight stands.
TEST(PickerPartsInThePicker, InAGridTheKeysAtTheEdgesGoToTheGrid) {
    struct TCase {
        const char* Name;
        WPARAM Key;
        int32_t Part;  // 0: the whole text selected
        bool AlwaysShowEditor;
        bool Handed;
    };
    for (const TCase& c : std::vector<TCase>{
             {"Escape, nothing changed", VK_ESCAPE, 1, false, true},
             {"Page Down", VK_NEXT, 2, false, true},
             {"Up on a part", VK_UP, 2, false, false},
             {"Up on the whole text", VK_UP, 0, false, true},
             {"Left on the first part", VK_LEFT, 1, true, true},
             {"Left on the first part, editor not always shown", VK_LEFT, 1, false, false},
             {"Left on the second part", VK_LEFT, 2, true, false},
             {"Right on the last part", VK_RIGHT, 3, true, true},
             {"Right on a middle part", VK_RIGHT, 2, true, false},
             {"Home on the whole text", VK_HOME, 0, true, true},
             {"Home on a part", VK_HOME, 2, true, false},
             {"Insert", VK_INSERT, 2, true, true},
         }) {
        SCOPED_TRACE(c.Name);
        test::TPickerScene scene;
        auto* grid = scene.Add<test::TwwDBGrid>(scene.Form, Rect(0, 40, 230, 140));
        if (c.AlwaysShowEditor) grid->Options.Include(dgAlwaysShowEditor);
        TwwDBDateTimePicker& picker = *scene.Picker;
        picker.SetParent(grid);
        picker.SetDisplayFormat("dd/mm/yyyy");
        picker.SetValue(EncodeDate(2024, 3, 5));
        picker.SetFocus();
        test::TypeKey(VK_F2);
        for (int32_t part = 1; part < c.Part; ++part)
            test::TypeKey(VK_RIGHT);
        if (c.Part == 0) picker.SelectAll();
        picker.SetModified(false);
        test::TypeKey(c.Key);
        EXPECT_EQ(grid->HandedKeys.size(), c.Handed ? 1u : 0u);
        // A key the grid takes does nothing in the picker.
        if (c.Handed) {
            EXPECT_EQ(Shown(picker.Value()), "2024-03-05 00:00");
        }
    }
}

// The edit window's own paste tells the picker of an emptied text, which alone would drop the
// day; what the clipboard held decides the value, and nothing that reads as no date changes it.
TEST(PickerPartsInThePicker, APasteThatReadsAsNoDateLeavesTheValue) {
    const struct {
        const char* Name;
        std::string Pasted;
    } cases[] = {
        {"empty text", ""},
        {"garbage", "garbage"},
        {"a date out of range", "1/1/1800"},
        {"100,000 characters", std::string(100000, '1')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TBoundPicker t("Stamp", "mm/dd/yyyy hh:nn");
        t.Picker->SetFocus();
        test::SetClipboardText(c.Pasted);
        SendMessage(t.Picker->Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(t.Picker->Text(), "02/03/2001 10:00");
        t.Data.Table.Post();
        EXPECT_EQ(t.Data.Stored("Stamp"), "2001-02-03 10:00");
    }
}

// An empty picker starts from the earliest moment allowed when today does not lie wholly after
// it: the day of a MinDate with a time of day begins before it.
TEST(PickerPartsInThePicker, AKeyOnAnEmptyPickerStartsAtAMinDateThatHasATimeOfDay) {
    for (int32_t daysAhead : {3, 0}) {
        SCOPED_TRACE(daysAhead);
        test::TPickerScene scene;
        TwwDBDateTimePicker& picker = *scene.Picker;
        picker.SetDisplayFormat("mm/dd/yyyy hh:nn");
        const TDateTime earliest = vex::Date() + daysAhead + EncodeTime(23, 59, 59, 0);
        picker.SetMinDate(earliest);
        picker.SetFocus();
        test::TypeKey(VK_RIGHT);
        EXPECT_EQ(Shown(picker.Value()), Shown(earliest));
    }
}

}  // namespace
}  // namespace vex
