// Values typed through the bound edit controls, posted, and read back from the table's file by
// the sqlite3 program; and posts the controls or the table refuse, which leave the stored row
// as it was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdbedit_testsupport.h"
#include "dataaware/edits/wweditsfixture_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/systemmetrics.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

// A post writes the whole row, and the engine writes times with their milliseconds: the times are
// compared by what they say.
const char* const kColumns = "Phone, Qty, Fruit, Born, time(Alarm), datetime(Stamp), Notes, ShopNo";
const char* const kFirstRow =
    "(555)123-4567|12|AP|1990-04-01|07:30:00|2024-03-05 10:30:00|first note|1";

// The first contact on a form with one control for each column: masked edits for the texts
// and numbers, a combo box mapping fruit names to codes, a picker for each date and time, and
// the shop that ShopNo looks up.
class EditsSqlite : public ::testing::Test {
protected:
    EditsSqlite() {
        Data.Contacts.Open();
        for (const char* field : {"Phone", "Qty", "Notes", "ShopNo", "Shop"})
            Bind(Add<TwwDBEdit>(), field);
        auto* fruit = Add<TwwDBComboBox>();
        fruit->SetMapList(true);
        fruit->SetShowMatchText(true);
        for (const char* item : test::kFruitItems)
            fruit->Items().Add(item);
        Bind(fruit, "Fruit");
        for (const auto& [field, format] : {std::pair{"Born", "mm/dd/yyyy"},
                                            {"Alarm", "hh:nn:ss"},
                                            {"Stamp", "mm/dd/yyyy hh:nn"}}) {
            auto* picker = Add<TwwDBDateTimePicker>();
            picker->SetDisplayFormat(format);
            Bind(picker, field);
        }
        test::PumpUntilIdle();
    }

    template <class T>
    T* Add() {
        const int32_t top = 4 + 26 * static_cast<int32_t>(Controls.size());
        return Shown.Add<T>(Shown.Form, Rect(4, top, 204, top + 22));
    }
    template <class T>
    void Bind(T* Control, const std::string& Field) {
        Control->SetDataSource(&Data.Source);
        Control->SetDataField(Field);
        Controls.emplace_back(Field, Control);
    }
    TWinControl& ControlOf(const std::string& Field) {
        for (const auto& [field, control] : Controls)
            if (field == Field) return *control;
        throw std::runtime_error("no control for " + Field);
    }
    void Focus(const std::string& Field) {
        ControlOf(Field).SetFocus();
        test::PumpUntilIdle();
    }
    // Focuses the field's control and types Text as a keyboard does.
    void Type(const std::string& Field, const std::string& Text) {
        Focus(Field);
        test::Type(Text);
    }

    test::TEditsFixture Data{VEX_TEST_DIR "/testdata/wwedits.sql"};
    test::TShownForm Shown{Rect(10, 10, 260, 300)};
    std::vector<std::pair<std::string, TWinControl*>> Controls;
};

TEST_F(EditsSqlite, WhatIsTypedInEachControlIsWhatThePostStores) {
    struct TCase {
        const char *Field, *Typed, *Column, *Stored;
    };
    for (const TCase& c : {
             // The picture fills in the literals.
             TCase{"Phone", "5559876543", "Phone", "(555)987-6543"},
             TCase{"Qty", "42", "Qty", "42"},
             TCase{"Notes", "new note", "Notes", "new note"},
             // "b" completes Banana, stored as its code.
             TCase{"Fruit", "b", "Fruit", "BA"},
             // A part once complete hands over to the next.
             TCase{"Born", "12252023", "Born", "2023-12-25"},
             // The engine writes times with their milliseconds.
             TCase{"Alarm", "094500", "Alarm", "09:45:00.000"},
             TCase{"Stamp", "010220001530", "Stamp", "2000-01-02 15:30:00.000"},
             TCase{"ShopNo", "2", "ShopNo", "2"},
         }) {
        SCOPED_TRACE(c.Field);
        Type(c.Field, c.Typed);
        Data.Contacts.Post();
        EXPECT_EQ(Data.Stored(c.Column, 1), c.Stored);
    }
    EXPECT_EQ(Data.Shop.AsString(), "Harbour Stall");
    EXPECT_EQ(ControlOf("Shop").Text(), "Harbour Stall") << "the lookup follows the new ShopNo";
    EXPECT_TRUE(Data.Messages.empty());
}

TEST_F(EditsSqlite, ARefusedPostLeavesTheStoredRowAsItWas) {
    struct TCase {
        const char *Field, *Typed;
        TDateTime MaxDate;
        const char* Told;
    };
    for (const TCase& c : {
             // Three digits leave "(555)", which the picture does not accept as complete.
             TCase{"Phone", "555", 0, "Invalid input value. Use escape key to abandon changes"},
             // A year past the picker's limit changes nothing it could post.
             TCase{"Born", "2030", EncodeDate(2024, 12, 31), "beep "},
         }) {
        SCOPED_TRACE(c.Field);
        if (c.MaxDate != 0)
            static_cast<TwwDBDateTimePicker&>(ControlOf(c.Field)).SetMaxDate(c.MaxDate);
        Data.Messages.clear();
        const uint32_t beeps = MessageBeepCount();
        Focus(c.Field);
        if (c.MaxDate != 0) {  // to the picker's last part, the year
            test::Press(VK_RIGHT);
            test::Press(VK_RIGHT);
        }
        test::Type(c.Typed);
        std::string told = MessageBeepCount() != beeps ? "beep " : "";
        try {
            Data.Contacts.Post();
        } catch (const Exception& e) {
            told += e.Message();
            Data.Contacts.Cancel();
        }
        for (const std::string& message : Data.Messages)
            told += message;
        EXPECT_EQ(told, c.Told);
        EXPECT_EQ(Data.Stored(kColumns, 1), kFirstRow);
    }
}

TEST_F(EditsSqlite, WhatAPickerShowsAfterARefusedPartIsWhatThePostStores) {
    auto& born = static_cast<TwwDBDateTimePicker&>(ControlOf("Born"));
    born.SetMaxDate(EncodeDate(2024, 12, 31));
    const uint32_t beeps = MessageBeepCount();
    // The month and the day are taken; the year 2030 is past the limit and refused.
    Type("Born", "12252030");
    EXPECT_EQ(MessageBeepCount() - beeps, 1u);
    EXPECT_EQ(born.Text(), "12/25/1990");
    Data.Contacts.Post();
    EXPECT_EQ(Data.Stored("Born", 1), "1990-12-25");
}

}  // namespace
}  // namespace vex
