#include "dataaware/edits/wwpickerparts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dataaware/edits/wwpickerparts_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/keyboard.h"
#include "tests/support/casefile.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

const char* const kTable = VEX_TEST_DIR "/testdata/pickerparts.txt";

TDateTime ValueOf(const std::string& Date, const std::string& Time) {
    if (Date == "0") return 0;
    const auto number = [](const std::string& S, size_t At, size_t Length) {
        return std::stoi(S.substr(At, Length));
    };
    const TDateTime day = EncodeDate(number(Date, 0, 4), number(Date, 5, 2), number(Date, 8, 2));
    return ComposeDateTime(
        day, EncodeTime(number(Time, 0, 2), number(Time, 3, 2), number(Time, 6, 2), 0));
}

std::string Shown(TDateTime Value) {
    return Value == 0 ? "0 -" : FormatDateTime("yyyy-mm-dd hh:nn:ss", Value);
}

TwwPickerPartsKind KindOf(const std::string& Name) {
    return Name == "date"   ? TwwPickerPartsKind::Date
           : Name == "time" ? TwwPickerPartsKind::TimeOnly
                            : TwwPickerPartsKind::DateAndTime;
}

const char* KindName(TDateTimeTokenKind Kind) {
    switch (Kind) {
        case TDateTimeTokenKind::Day:
            return "Day";
        case TDateTimeTokenKind::DayName:
            return "DayName";
        case TDateTimeTokenKind::Month:
            return "Month";
        case TDateTimeTokenKind::MonthName:
            return "MonthName";
        case TDateTimeTokenKind::Year:
            return "Year";
        case TDateTimeTokenKind::Hour:
            return "Hour";
        case TDateTimeTokenKind::Minute:
            return "Minute";
        case TDateTimeTokenKind::Second:
            return "Second";
        case TDateTimeTokenKind::AmPm:
            return "AmPm";
        default:
            return "?";
    }
}

// The key a name of the table stands for, with the character it types.
std::pair<WPARAM, char> KeyOf(const std::string& Name) {
    static const std::vector<std::pair<std::string, WPARAM>> named{
        {"Up", VK_UP},     {"Down", VK_DOWN},   {"Left", VK_LEFT},  {"Right", VK_RIGHT},
        {"Home", VK_HOME}, {"End", VK_END},     {"Del", VK_DELETE}, {"F2", VK_F2},
        {"Back", VK_BACK}, {"Space", VK_SPACE},
    };
    for (const auto& [name, key] : named)
        if (name == Name) return {key, Name == "Back" ? '\b' : Name == "Space" ? ' ' : '\0'};
    const char c = Name.at(0);
    if (c == '/' || c == ':') return {static_cast<WPARAM>(VkKeyScan(c) & 0xFF), c};
    return {static_cast<WPARAM>(c), c};
}

// A stand-in picker on a shown form, focused, showing Value with Part highlighted.
struct TPickerForm {
    test::TShownForm Shown{Rect(20, 20, 320, 120)};
    test::TPartsHostEdit* Picker = Shown.Add<test::TPartsHostEdit>(Shown.Form, Rect(8, 8, 260, 30));

    TPickerForm(const std::string& Format, TwwPickerPartsKind Kind, TDateTime Value,
                int32_t Part = 1) {
        Picker->Format = Format;
        Picker->Kind = Kind;
        Picker->Clock = ValueOf("2031-07-04", "10:20:30");
        Picker->Entry = Value;
        Picker->Empty = Value == 0;
        Picker->SetFocus();
        Picker->Parts.SetCurrentPart(Part);
        Picker->Show(Value);
    }
};

TEST(PickerParts, FindsEachPartWhereTheTextShowsIt) {
    for (const test::TestCase& c : test::ReadCases(kTable, "locate")) {
        SCOPED_TRACE(c.Where);
        const TwwPartsLayout layout =
            wwLayoutParts(wwPartsFormat(c[0], c[0] == "c"), KindOf(c[1]), ValueOf(c[2], c[3]));
        std::ostringstream parts;
        for (size_t i = 1; i <= layout.Parts.size(); ++i) {
            const TwwLocatedPart part = wwLocatePart(layout, static_cast<int32_t>(i));
            ASSERT_TRUE(part.Found);
            ASSERT_EQ(part.TextToEnd, layout.Text.substr(0, part.TextToEnd.size()));
            parts << (i > 1 ? "," : "") << KindName(part.Field.Kind) << "="
                  << part.TextToEnd.substr(part.Field.Start);
        }
        EXPECT_EQ(parts.str().empty() ? "-" : parts.str(), c[4]);
        const TwwLocatedPart beyond =
            wwLocatePart(layout, static_cast<int32_t>(layout.Parts.size()) + 1);
        EXPECT_FALSE(beyond.Found);
        EXPECT_EQ(beyond.TextToEnd, "");
    }
}

TEST(PickerParts, KeysStepTypeAndMoveThroughTheParts) {
    for (const test::TestCase& c : test::ReadCases(kTable, "keys")) {
        SCOPED_TRACE(c.Where);
        TPickerForm form(c[0], KindOf(c[1]), ValueOf(c[5], c[6]), static_cast<int32_t>(c.Int(7)));
        test::TPartsHostEdit& picker = *form.Picker;
        picker.EpochYear = static_cast<int32_t>(c.Int(2));
        picker.Min = c[3] == "-" ? 0 : ValueOf(c[3], "00:00:00");
        picker.Max = c[4] == "-" ? 0 : ValueOf(c[4], "00:00:00");
        std::istringstream keys(c[8]);
        for (std::string name; keys >> name;) {
            const auto [key, ch] = KeyOf(name);
            test::TypeKey(key, ch);
        }
        EXPECT_EQ(Shown(picker.Value), c[9] + " " + c[10]);
        EXPECT_EQ(picker.Beeps, c.Int(11));
        EXPECT_EQ(picker.Highlighted(), c[12]);
        EXPECT_EQ(picker.Text(), picker.DisplayText());
    }
}

// Setting the text clears the edit's modified flag, and a part typed as it was leaves the value
// as it was: the edit must still be written back.
TEST(PickerParts, EveryEditMarksThePickerModifiedAfterItsText) {
    struct TCase {
        const char* Format;
        TwwPickerPartsKind Kind;
        const char* Time;
        int32_t Part;
        std::vector<WPARAM> Keys;
    };
    for (const TCase& c : std::vector<TCase>{
             {"hh:nn:ss", TwwPickerPartsKind::TimeOnly, "09:45:00", 3, {'0', '0'}},
             {"mm/dd/yyyy hh:nn", TwwPickerPartsKind::DateAndTime, "15:30:00", 5, {'3', '0'}},
             {"c", TwwPickerPartsKind::DateAndTime, "00:00:00", 3, {VK_RIGHT}},
             {"c", TwwPickerPartsKind::DateAndTime, "09:30:00", 5, {VK_DELETE}},
             {"c", TwwPickerPartsKind::DateAndTime, "09:30:00", 1, {VK_SPACE}},
         }) {
        SCOPED_TRACE(std::string(c.Format) + " " + c.Time);
        TPickerForm form(c.Format, c.Kind, ValueOf("2024-03-05", c.Time), c.Part);
        form.Picker->SetModified(false);
        for (WPARAM key : c.Keys)
            test::TypeKey(key, key == VK_SPACE ? ' ' : key >= '0' ? static_cast<char>(key) : 0);
        EXPECT_TRUE(form.Picker->Modified());
        EXPECT_EQ(form.Picker->Text(), form.Picker->TextOfValue(form.Picker->Value));
    }
}

TEST(PickerParts, ANameTakesLettersBeyondAToZAsTyped) {
    TFormatSettings settings;
    settings.LongMonthNames[7] = "\xC1g\xFAst";
    const TFormatSettingsOverride local(settings);
    TPickerForm form("mmmm yyyy", TwwPickerPartsKind::Date, ValueOf("2024-03-05", "00:00:00"));
    test::TypeKey(0xDE, '\xE1');
    EXPECT_EQ(Shown(form.Picker->Value), "2024-08-05 00:00:00");
    EXPECT_EQ(form.Picker->Highlighted(), "\xC1g\xFAst");
}

TEST(PickerParts, APickerThatMayNotChangeDropsEveryKey) {
    TPickerForm form("dd/mm/yyyy", TwwPickerPartsKind::Date, ValueOf("2024-03-05", "00:00:00"));
    test::TPartsHostEdit& picker = *form.Picker;
    picker.MayModify = false;
    picker.Parts.HighlightCurrentPart();
    EXPECT_EQ(picker.Highlighted(), "05/03/2024");
    for (const char* name : {"Up", "Down", "Home", "End", "Del", "Back", "Space", "4", "J", "/"}) {
        SCOPED_TRACE(name);
        const auto [key, ch] = KeyOf(name);
        test::TypeKey(key, ch);
        EXPECT_EQ(Shown(picker.Value), "2024-03-05 00:00:00");
        EXPECT_EQ(picker.Text(), "05/03/2024");
        EXPECT_TRUE(picker.ReadOnly());
        EXPECT_FALSE(picker.Parts.PartPending());
    }
    test::SetClipboardText("01/01/2030");
    SendMessage(picker.Handle(), WM_PASTE, 0, 0);
    SendMessage(picker.Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(Shown(picker.Value), "2024-03-05 00:00:00");
    EXPECT_EQ(picker.Highlighted(), "05/03/2024");
    // Once it may change again, the next key lifts the edit's read-only state, and a cut copies
    // the text before the picker empties.
    picker.MayModify = true;
    test::TypeKey(VK_F2);
    EXPECT_FALSE(picker.ReadOnly());
    picker.SelectAll();
    SendMessage(picker.Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(test::ClipboardText(), "05/03/2024");
    EXPECT_EQ(picker.Value, 0);
}

TEST(PickerParts, SpaceSetsNowUnlessABindingIsHalfMade) {
    struct TCase {
        const char* Name;
        bool SourceSet, FieldNameSet, FieldBound;
        const char* Expected;
    };
    for (const TCase& c : std::vector<TCase>{
             {"unbound", false, false, false, "2031-07-04 10:20:30"},
             {"bound", true, true, true, "2031-07-04 10:20:30"},
             {"data source without field", true, false, false, "2024-03-05 09:30:00"},
             {"field name without source", false, true, false, "2024-03-05 09:30:00"},
         }) {
        SCOPED_TRACE(c.Name);
        TPickerForm form("dd/mm/yyyy hh:nn:ss", TwwPickerPartsKind::DateAndTime,
                         ValueOf("2024-03-05", "09:30:00"), 6);
        test::TPartsHostEdit& picker = *form.Picker;
        picker.SourceSet = c.SourceSet;
        picker.FieldNameSet = c.FieldNameSet;
        picker.FieldBound = c.FieldBound;
        test::TypeKey(VK_SPACE, ' ');
        EXPECT_EQ(Shown(picker.Value), c.Expected);
    }
}

TEST(PickerParts, PasteTakesWhatReadsAsADateAndLeavesTheValueForAnythingElse) {
    struct TCase {
        const char* Pasted;
        TwwPickerPartsKind Kind;
        const char* Expected;
        int Beeps;
    };
    for (const TCase& c : std::vector<TCase>{
             {"7/4/2030 6:15 PM", TwwPickerPartsKind::DateAndTime, "2030-07-04 18:15:00", 0},
             {"7/4/2030", TwwPickerPartsKind::DateAndTime, "2030-07-04 00:00:00", 0},
             {"6:15 PM", TwwPickerPartsKind::TimeOnly, "1899-12-30 18:15:00", 0},
             {"garbage", TwwPickerPartsKind::DateAndTime, "2024-03-05 09:30:00", 0},
             {"", TwwPickerPartsKind::DateAndTime, "2024-03-05 09:30:00", 0},
             {"99/99/9999", TwwPickerPartsKind::DateAndTime, "2024-03-05 09:30:00", 0},
             {"1/1/1800", TwwPickerPartsKind::DateAndTime, "2024-03-05 09:30:00", 1},
         }) {
        SCOPED_TRACE(c.Pasted);
        TPickerForm form("m/d/yyyy h:nn:ss", c.Kind, ValueOf("2024-03-05", "09:30:00"));
        test::TPartsHostEdit& picker = *form.Picker;
        test::SetClipboardText(c.Pasted);
        SendMessage(picker.Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(Shown(picker.Value), c.Expected);
        EXPECT_EQ(picker.Text(), picker.TextOfValue(picker.Value));
        EXPECT_EQ(picker.Beeps, c.Beeps);
    }
}

TEST(PickerParts, CutEmptiesThePickerAndLeavesTheTextOnTheClipboard) {
    TPickerForm form("dd/mm/yyyy", TwwPickerPartsKind::Date, ValueOf("2024-03-05", "00:00:00"));
    test::TPartsHostEdit& picker = *form.Picker;
    picker.SelectAll();
    SendMessage(picker.Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(test::ClipboardText(), "05/03/2024");
    EXPECT_EQ(picker.Value, 0);
    EXPECT_EQ(picker.Text(), "");
    EXPECT_TRUE(picker.Empty);
    EXPECT_TRUE(picker.Modified());
}

TEST(PickerParts, EscapeRestoresTheEntryValueAndSelectsTheWholeText) {
    TPickerForm form("dd/mm/yyyy", TwwPickerPartsKind::Date, ValueOf("2024-03-05", "00:00:00"));
    test::TPartsHostEdit& picker = *form.Picker;
    test::TypeKey(VK_UP);
    test::TypeKey('1', '1');
    ASSERT_TRUE(picker.Parts.PartPending());
    test::TypeKey(VK_ESCAPE, '\x1b');
    EXPECT_EQ(Shown(picker.Value), "2024-03-05 00:00:00");
    EXPECT_FALSE(picker.Parts.PartPending());
    EXPECT_FALSE(picker.Modified());
    EXPECT_EQ(picker.Highlighted(), "05/03/2024");
    // An Escape that closed the calendar is not taken again as a reset.
    test::TypeKey(VK_UP);
    picker.Consumed = true;
    test::TypeKey(VK_ESCAPE, '\x1b');
    EXPECT_EQ(Shown(picker.Value), "2024-03-06 00:00:00");
    EXPECT_FALSE(picker.Consumed);
}

TEST(PickerParts, AHighlightBeyondWhatTheTextShowsFallsBackToTheLastPartShown) {
    TPickerForm form("c", TwwPickerPartsKind::DateAndTime, ValueOf("2024-03-05", "09:30:00"), 5);
    test::TPartsHostEdit& picker = *form.Picker;
    ASSERT_EQ(picker.Highlighted(), "30");
    picker.SetPickerValue(ValueOf("2024-03-06", "00:00:00"));
    EXPECT_EQ(picker.Text(), "3/6/24");
    EXPECT_EQ(picker.Highlighted(), "24");
    picker.Format = "dd/mm";
    picker.Show(picker.Value);
    EXPECT_EQ(picker.Highlighted(), "03");
}

TEST(PickerParts, AClickHighlightsThePartUnderIt) {
    // Eight pixels a character, the text two pixels in: "05/03/2024".
    struct TCase {
        int32_t X;
        const char* Highlighted;
    };
    for (const TCase& c : std::vector<TCase>{
             {3, "05"}, {17, "05"}, {18, "03"}, {41, "03"}, {43, "2024"}, {250, "2024"}}) {
        SCOPED_TRACE(c.X);
        TPickerForm form("dd/mm/yyyy", TwwPickerPartsKind::Date, ValueOf("2024-03-05", "00:00:00"),
                         3);
        test::ClickAt(*form.Picker, Point(c.X, 5));
        EXPECT_EQ(form.Picker->Highlighted(), c.Highlighted);
    }
}

// An am/pm string may be empty, so the part writes nothing at one half of the day: it keeps its
// place all the same, or the parts after it would change places as the hour crosses noon.
TEST(PickerParts, AnAmPmPartThatWritesNothingKeepsThePartsInPlace) {
    TFormatSettings settings;
    settings.TimeAMString = "";
    settings.TimePMString = "PM";
    const TFormatSettingsOverride locale(settings);
    TPickerForm form("ampm h:nn", TwwPickerPartsKind::DateAndTime,
                     ValueOf("2024-03-05", "11:30:00"));
    test::TPartsHostEdit& picker = *form.Picker;
    ASSERT_EQ(picker.Text(), " 11:30");
    test::ClickAt(picker, Point(18, 5));
    ASSERT_EQ(picker.Highlighted(), "11");
    test::TypeKey(VK_UP);
    test::TypeKey(VK_UP);
    EXPECT_EQ(Shown(picker.Value), "2024-03-05 13:30:00");
    EXPECT_EQ(picker.Text(), "PM 13:30");
    EXPECT_EQ(picker.Highlighted(), "13");
    // The empty am part is there to step into: the caret stands where it writes nothing.
    picker.Show(ValueOf("2024-03-05", "09:30:00"));
    test::TypeKey(VK_LEFT);
    EXPECT_EQ(picker.SelStart(), 0);
    EXPECT_EQ(picker.SelLength(), 0);
    test::TypeKey('P');
    EXPECT_EQ(Shown(picker.Value), "2024-03-05 21:30:00");
}

}  // namespace
}  // namespace vex
