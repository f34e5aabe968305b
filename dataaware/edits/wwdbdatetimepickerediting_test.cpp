#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/ui/editmessages.h"
#include "platform/win/caret.h"
#include "platform/win/clipboard_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::PressKey;

// A key named as the tables name it: a digit, or a name of the keyboard.
int32_t KeyNamed(const std::string& Name) {
    static const std::map<std::string, int32_t> keys = {
        {"Up", VK_UP},     {"Down", VK_DOWN}, {"Left", VK_LEFT},     {"Right", VK_RIGHT},
        {"Home", VK_HOME}, {"End", VK_END},   {"Delete", VK_DELETE}, {"F2", VK_F2}};
    const auto found = keys.find(Name);
    return found != keys.end() ? found->second : Name.at(0);
}

TDateTime ValueOf(const std::string& Text) {
    TDateTime value = 0;
    std::istringstream in(Text);
    int y, mo, d, h, mi;
    char sep;
    in >> y >> sep >> mo >> sep >> d >> h >> sep >> mi;
    value = test::DayAt(y, mo, d, h, mi);
    return value;
}

TEST(DBDateTimePickerEditing, KeysChangeThePartTheyAreOn) {
    for (const test::TestCase& k :
         test::ReadCases(VEX_TEST_DIR "/testdata/pickerformats.txt", "keys")) {
        SCOPED_TRACE(k.Where);
        test::TPickerScene t;
        t.Picker->SetDisplayFormat(k[0]);
        t.Picker->SetValue(ValueOf(k[1]));
        t.Picker->SetFocus();
        Application().ProcessMessages();
        std::istringstream keys(k[2]);
        for (std::string key; keys >> key;)
            PressKey(KeyNamed(key));
        EXPECT_EQ(t.Picker->Text(), k[3]);
    }
}

// The press goes to the part under it, not to the edit's own caret placing and dragging.
TEST(DBDateTimePickerEditing, AClickOnThePartOfTheMinutesAndUpStepsThem) {
    test::TPickerScene t;
    auto* before = t.Add<TEdit>(t.Form, Rect(10, 100, 100, 120));
    before->SetFocus();
    t.Picker->SetDisplayFormat("hh:nn");
    t.Picker->SetValue(ValueOf("2024-03-05 09:30"));
    // The fixed font's characters are 6 pixels wide: "09:3" ends 24 pixels into the text.
    const int32_t x = t.Picker->FormattingRect().Left + 21;
    test::ClickAt(*t.Picker, Point(x, 8));
    EXPECT_TRUE(t.Picker->Focused());
    EXPECT_EQ(t.Picker->SelText(), "30");
    PressKey(VK_UP);
    EXPECT_EQ(t.Picker->Text(), "09:31");
}

TEST(DBDateTimePickerEditing, CutEmptiesThePickerAndPasteReadsTheTextAsADate) {
    test::TPickerScene t;
    t.Picker->SetValue(ValueOf("2024-03-05 09:30"));
    t.Picker->SetFocus();
    Application().ProcessMessages();
    t.Picker->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(test::ClipboardText(), "3/5/24 9:30:00 AM");
    EXPECT_EQ(t.Picker->Text(), "");
    EXPECT_EQ(t.Picker->Value(), 0);
    EXPECT_TRUE(t.Picker->Modified());
    test::SetClipboardText("12/25/30 8:15:00 PM");
    t.Picker->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(test::Shown(t.Picker->Value()), "2030-12-25 20:15");
    EXPECT_EQ(t.Picker->Text(), "12/25/30 8:15:00 PM");
}

// Every highlight hides the caret; the one show that follows must bring it back all the same.
TEST(DBDateTimePickerEditing, EscapeShowsTheCaretAfterAnyNumberOfHighlights) {
    test::TPickerScene t;
    t.Picker->SetValue(ValueOf("2024-03-05 09:30"));
    t.Picker->SetFocus();
    Application().ProcessMessages();
    for (int32_t key : {VK_F2, VK_RIGHT, VK_RIGHT, VK_UP, VK_LEFT})
        PressKey(key);
    EXPECT_FALSE(GetCaretState().Visible);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(t.Picker->Text(), "3/5/24 9:30:00 AM");
    EXPECT_TRUE(GetCaretState().Visible);
}

}  // namespace
}  // namespace vex
