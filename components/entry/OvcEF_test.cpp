#include "components/entry/OvcEF.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "components/entry/ovcef_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

using test::PumpUntilIdle;
using test::TPlainEntryField;

struct TReport {
    TObject* Sender;
    uint16_t Code;
    std::string Text;
};

// Two fields on a shown form with its controller; the controller's reports are logged.
class EntryField : public ::testing::Test {
protected:
    EntryField() {
        Controller = new TOvcController(Form.Form);
        Controller->OnError = [this](TObject* Sender, uint16_t Code, const std::string& Text) {
            Reports.push_back({Sender, Code, Text});
        };
    }

    TPlainEntryField* AddField(uint8_t Code, int32_t Top = 10) {
        auto* field = Form.Add<TPlainEntryField>(Form.Form, Rect(10, Top, 140, Top + 24), Code);
        field->HandleNeeded();
        return field;
    }

    test::TShownForm Form{Rect(10, 10, 300, 200)};
    TOvcController* Controller;
    std::vector<TReport> Reports;
};

TEST_F(EntryField, IntegerAccessReadsValidatedValuesWidenedByTheirType) {
    struct TCase {
        uint8_t Code;
        std::string Lo, Hi, Text;
        int32_t Expected;
        uint16_t Error;
    };
    const std::vector<TCase> cases = {
        {fsubWord, "0", "65535", "65535", 65535, 0},
        {fsubShortInt, "-128", "127", "-5", -5, 0},
        {fsubByte, "0", "255", "200", 200, 0},
        {fsubInteger, "-32768", "32767", "-32768", -32768, 0},
        {fsubLongInt, "-2147483648", "2147483647", "-2147483648", INT32_MIN, 0},
        {fsubLongInt, "2", "600", "700", 0, oeRangeError},
        {fsubLongInt, "2", "600", "seven", 0, oeInvalidNumber},
        {fsubLongInt, "-10", "10", "", 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TPlainEntryField* field = AddField(c.Code);
        field->SetRangeLo(c.Lo);
        field->SetRangeHi(c.Hi);
        field->SetText(c.Text);
        EXPECT_EQ(field->GetAsInteger(), c.Expected);
        EXPECT_EQ(field->LastError(), c.Error);
        delete field;
    }
}

TEST_F(EntryField, SetAsIntegerCutsTheValueToTheTypesWidthWithoutARangeCheck) {
    struct TCase {
        uint8_t Code;
        int32_t Value;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {fsubWord, 70000, "4464"},
        {fsubInteger, 40000, "-25536"},
        {fsubShortInt, -5, "-5"},
        {fsubByte, 256, "0"},
        {fsubLongInt, INT32_MIN, "-2147483648"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        TPlainEntryField* field = AddField(c.Code);
        int changes = 0;
        field->OnChange = [&](TObject*) { ++changes; };
        field->SetAsInteger(c.Value);
        EXPECT_EQ(field->EditText(), c.Text);
        EXPECT_EQ(changes, 0) << "a value the program stores is no user change";
        delete field;
    }
}

TEST_F(EntryField, IntegerAccessToOtherTypesRaises) {
    for (uint8_t code : {fsubString, fsubChar, fsubReal, fsubComp, fsubDate}) {
        SCOPED_TRACE(code);
        TPlainEntryField* field = AddField(code);
        EXPECT_THROW(field->GetAsInteger(), EInvalidDataType);
        EXPECT_THROW(field->SetAsInteger(1), EInvalidDataType);
        delete field;
    }
}

TEST_F(EntryField, RangeTextsParseAndShowInTheFieldsTypeAndBase) {
    struct TCase {
        uint8_t Code;
        std::string Mask, Text, Shown;  // Shown "!": the text raises EInvalidRangeValue
    };
    const std::vector<TCase> cases = {
        {fsubLongInt, "X", " 600 ", "600"},
        {fsubLongInt, "X", "-2147483648", "-2147483648"},
        {fsubLongInt, "X", "2147483648", "!"},
        {fsubLongInt, "X", "12a", "!"},
        {fsubWord, "X", "70000", "!"},
        {fsubWord, "X", "-1", "!"},
        {fsubShortInt, "X", "-129", "!"},
        {fsubLongInt, "X", "", "0"},
        {fsubWord, "KKKK", "ffff", "FFFF"},
        {fsubLongInt, "KKKKKKKK", "FFFFFFFF", "FFFFFFFF"},
        {fsubLongInt, "KKKKKKKK", "1FFFFFFFF", "!"},
        {fsubShortInt, "OOOO", "377", "0377"},
        {fsubLongInt, "O", "37777777777", "037777777777"},
        {fsubLongInt, "O", "40000000000", "!"},
        {fsubByte, "bbbbbbbb", "101", "00000101"},
        {fsubByte, "bbbbbbbb", "111111111", "!"},
        {fsubLongInt, "b", std::string(33, '1'), "!"},
        {fsubLongInt, "b", "102", "!"},
        {fsubChar, "X", "#65", "A"},
        {fsubChar, "X", "#7", "#7"},
        {fsubChar, "X", "#x", "#32"},
        {fsubChar, "X", "", "#32"},
        {fsubChar, "X", "zebra", "z"},
        {fsubDouble, "###.##", "2.25", "2.25"},
        {fsubDouble, "###.##", "2.50", "2.5"},
        {fsubExtended, "###.##", "abc", "!"},
        {fsubDouble, "X", "+5", "5"},
        {fsubDouble, "X", "+-5", "!"},
        {fsubDouble, "X", "+", "!"},
        {fsubReal, "###.##", "1e39", "!"},
        {fsubSingle, "X", "1e45", "!"},
        {fsubExtended, "E", "1e-4940", "1.0000000e-4940"},
        {fsubExtended, "E", "-3.6452e-4951", "-3.645200e-4951"},
        {fsubExtended, "X", "1e-5000", "0"},
        {fsubExtended, "X", "1e5000", "!"},
        {fsubDouble, "X", "1e400", "!"},
        {fsubBoolean, "X", "anything", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Code) + " " + c.Mask + " " + c.Text);
        TPlainEntryField* field = AddField(c.Code);
        field->SetMask(c.Mask);
        if (c.Shown == "!") {
            EXPECT_THROW(field->SetRangeHi(c.Text), EInvalidRangeValue);
        } else {
            field->SetRangeHi(c.Text);
            EXPECT_EQ(field->RangeHi(), c.Shown);
        }
        delete field;
    }
}

// The range goes to the form resource as two binary properties of exactly ten bytes.
std::string Streamed(TPersistent& Instance) {
    TStringStream stream;
    TWriter writer(stream);
    writer.WriteProperties(Instance);
    return stream.DataString();
}

TEST_F(EntryField, StreamsTheRangeAsTenRawBytesHighFirstAndOnlyForTypesWithARange) {
    TPlainEntryField* field = AddField(fsubLongInt);
    field->SetRangeLo("2");
    field->SetRangeHi("600");
    const std::string stored = Streamed(*field);
    const std::string high = std::string("\x09RangeHigh\x0A\x0A\0\0\0", 15) +
                             std::string("\x58\x02\0\0\0\0\0\0\0\0", 10);
    const std::string low =
        std::string("\x08RangeLow\x0A\x0A\0\0\0", 14) + std::string("\x02\0\0\0\0\0\0\0\0\0", 10);
    EXPECT_NE(stored.find(high + low), std::string::npos);

    TPlainEntryField* copy = AddField(fsubLongInt, 50);
    TStringStream stream(stored);
    TReader reader(stream);
    reader.ReadProperties(*copy);
    EXPECT_EQ(copy->RangeHi(), "600");
    EXPECT_EQ(copy->RangeLo(), "2");

    for (uint8_t code : {fsubString, fsubBoolean, fsubYesNo}) {
        SCOPED_TRACE(code);
        TPlainEntryField* other = AddField(code, 90);
        EXPECT_EQ(Streamed(*other).find("Range"), std::string::npos);
        delete other;
    }
}

TEST_F(EntryField, ARangeOfAnotherLengthInTheResourceIsAReadErrorAndChangesNothing) {
    TPlainEntryField* field = AddField(fsubLongInt);
    field->SetRangeHi("600");
    std::string stored = Streamed(*field);
    const size_t at = stored.find("RangeHigh") + 9;
    stored.replace(at, 15, std::string("\x0A\x04\0\0\0\x01\x02\x03\x04", 9));
    TPlainEntryField* copy = AddField(fsubLongInt, 50);
    copy->SetRangeHi("7");
    TStringStream stream(stored);
    TReader reader(stream);
    EXPECT_THROW(reader.ReadProperties(*copy), EReadError);
    EXPECT_EQ(copy->RangeHi(), "7");
}

TEST_F(EntryField, MaxLengthStaysWithinTheBufferAlsoWhileLoading) {
    struct TCase {
        int32_t Value;
        bool Loading;
        uint16_t Expected;
    };
    const std::vector<TCase> cases = {
        // Outside loading, not below the mask "XXXX".
        {0, false, 4},      {300, false, 255},   {300, true, 255},    {0, true, 1},
        {40, true, 40},     {-1, true, 1},       {-1, false, 4},      {256, true, 255},
        {65536, true, 255}, {100000, true, 255}, {65541, false, 255},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        if (c.Loading) Form.Form->BeginLoading();
        auto* field = new TPlainEntryField(Form.Form);
        field->SetMask("XXXX");
        field->SetMaxLength(c.Value);
        EXPECT_EQ(field->MaxLength(), c.Expected);
        delete field;
        if (c.Loading) Form.Form->EndLoading();
    }
}

TEST_F(EntryField, SetAsStringStoresTextsOfEveryKindOrRaises) {
    TPlainEntryField* flag = AddField(fsubBoolean);
    flag->SetAsString("true");
    EXPECT_EQ(flag->EditText(), "T");
    flag->SetAsString("no");
    EXPECT_EQ(flag->EditText(), "F");

    TPlainEntryField* text = AddField(fsubString, 40);
    text->SetMaxLength(255);
    text->SetAsString(std::string(300, 'q'));
    EXPECT_EQ(text->EditText(), std::string(255, 'q'));

    TPlainEntryField* number = AddField(fsubLongInt, 70);
    number->SetAsString("-42");
    EXPECT_EQ(number->EditText(), "-42");
    EXPECT_THROW(number->SetAsString("4x2"), EEntryFieldError);
    EXPECT_EQ(number->EditText(), "-42");

    TPlainEntryField* real = AddField(fsubDouble, 100);
    real->SetDecimalPlaces(2);
    real->SetAsString("3.75");
    EXPECT_EQ(real->EditText(), "3.75");
}

// A value whose text does not fit the field must never show as a number that reads as another.
TEST_F(EntryField, StoredValuesReadBackAsThemselvesOrAsNoNumberAtAll) {
    struct TCase {
        uint8_t Code;
        uint16_t MaxLength;
        std::string Text;
        bool Fits;  // otherwise the field holds no number
    };
    const std::vector<TCase> cases = {
        {fsubDouble, 255, "1e200", true},    {fsubDouble, 255, "-1.7e308", true},
        {fsubExtended, 255, "1e4000", true}, {fsubExtended, 255, "-1e4000", true},
        {fsubExtended, 15, "-1e4000", true}, {fsubExtended, 15, "-1.1e4932", true},
        {fsubDouble, 15, "-1.7e308", true},  {fsubComp, 15, "-9.2e18", true},
        {fsubDouble, 5, "-1e10", false},     {fsubLongInt, 5, "-2147483648", false},
        {fsubWord, 4, "65535", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Code) + " " + std::to_string(c.MaxLength) + " " + c.Text);
        TPlainEntryField* field = AddField(c.Code);
        field->SetMaxLength(c.MaxLength);
        uint8_t value[10] = {};
        WriteNumericValue(c.Code, std::strtold(c.Text.c_str(), nullptr), value);
        const long double expected = ReadNumericValue(c.Code, value);
        field->SetValue(value);
        EXPECT_LE(field->EditText().size(), c.MaxLength);
        uint8_t back[10] = {};
        const uint16_t error = field->GetValue(back);
        if (c.Fits) {
            ASSERT_EQ(error, 0) << field->EditText();
            EXPECT_NEAR(static_cast<double>(ReadNumericValue(c.Code, back) / expected), 1.0, 1e-6)
                << field->EditText();
        } else {
            EXPECT_EQ(field->EditText(), std::string(c.MaxLength, '*'));
        }
        delete field;
    }
}

TEST_F(EntryField, ErrorReportsCarryTheTextOfTheirCode) {
    struct TCase {
        uint16_t Code;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {256, "Value is not within required range"},
        {257, "Value is not valid for this field type"},
        {258, "A value is required in this field"},
        {259, "Value is not a valid date"},
        {260, "Value is not a valid time"},
        {261, "This field should contain no blanks"},
        {262, "This field should be either empty or completely full"},
        {300, "Entry Error"},
        {32768, "Handler's own words"},
    };
    TPlainEntryField* field = AddField(fsubLongInt);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Code);
        Reports.clear();
        if (c.Code >= oeCustomError) Controller->ErrorText = "Handler's own words";
        field->Perform(OVCM_REPORTERROR, c.Code, 0);
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_EQ(Reports[0].Code, c.Code);
        EXPECT_EQ(Reports[0].Text, c.Text);
        EXPECT_EQ(Controller->ErrorText, c.Text);
    }
    // The field's own handler comes first.
    Reports.clear();
    int own = 0;
    field->OnError = [&](TObject*, uint16_t, const std::string&) { ++own; };
    field->Perform(OVCM_REPORTERROR, 256, 0);
    EXPECT_EQ(own, 1);
    EXPECT_TRUE(Reports.empty());
}

// A field left with a bad value reports once the focus has moved, and takes the focus back.
class EntryFieldErrors : public EntryField {
protected:
    EntryFieldErrors() {
        First = AddField(fsubLongInt, 10);
        First->SetRangeLo("2");
        First->SetRangeHi("600");
        Second = AddField(fsubLongInt, 50);
        Second->SetRangeLo("0");
        Second->SetRangeHi("10");
        First->SetFocus();
        PumpUntilIdle();
    }

    TPlainEntryField* First;
    TPlainEntryField* Second;
};

TEST_F(EntryFieldErrors, ALeftFieldWithABadValueReportsAfterTheFocusMovedAndTakesItBack) {
    First->SetText("700");
    Second->SetFocus();
    EXPECT_TRUE(Reports.empty()) << "the report waits for the focus change";
    EXPECT_TRUE(Controller->ErrorPending);
    PumpUntilIdle();
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0].Sender, First);
    EXPECT_EQ(Reports[0].Code, oeRangeError);
    EXPECT_TRUE(First->Focused());
    EXPECT_FALSE(Controller->ErrorPending);
    EXPECT_EQ(First->GetAsInteger(), 0);
    EXPECT_EQ(First->LastError(), oeRangeError);

    // Mended, it lets the focus go.
    First->SetText("70");
    Second->SetFocus();
    PumpUntilIdle();
    EXPECT_EQ(Reports.size(), 1u);
    EXPECT_TRUE(Second->Focused());
    EXPECT_EQ(First->GetAsInteger(), 70);
}

TEST_F(EntryFieldErrors, WhileAnErrorIsPendingASecondFieldPostsNoReportOfItsOwn) {
    First->SetText("700");
    Second->SetText("99");
    Controller->ErrorPending = true;
    EXPECT_FALSE(Second->ValidateContents(true));
    PumpUntilIdle();
    EXPECT_TRUE(Reports.empty());
    // It took the focus back from a field that is no better, without a fight over it.
    EXPECT_TRUE(Second->Focused());
}

TEST_F(EntryFieldErrors, TwoBadFieldsReportOneAtATimeAndNeverPassTheFocusUnchecked) {
    First->SetText("700");
    Second->SetText("99");
    for (int attempt = 1; attempt <= 3; ++attempt) {
        SCOPED_TRACE(attempt);
        Second->SetFocus();
        PumpUntilIdle();
        ASSERT_EQ(Reports.size(), static_cast<size_t>(attempt));
        EXPECT_EQ(Reports.back().Sender, First);
        EXPECT_TRUE(First->Focused());
        EXPECT_FALSE(Controller->ErrorPending);
    }
    First->SetText("70");
    Second->SetFocus();
    PumpUntilIdle();
    EXPECT_TRUE(Second->Focused());
    EXPECT_EQ(Reports.size(), 3u);
    First->SetFocus();
    PumpUntilIdle();
    ASSERT_EQ(Reports.size(), 4u);
    EXPECT_EQ(Reports.back().Sender, Second);
    EXPECT_TRUE(Second->Focused());
}

TEST_F(EntryFieldErrors, SoftValidationOnlyColoursTheFieldAndLetsTheFocusGo) {
    First->SetSoftValidation(true);
    First->SetText("700");
    Second->SetFocus();
    PumpUntilIdle();
    EXPECT_TRUE(Reports.empty());
    EXPECT_TRUE(Second->Focused());
    EXPECT_TRUE(First->State().Contains(esInvalid));
}

// After First, left bad, refuses the focus back: the controller must not stay in its "an error
// is pending" state, in which every other field passes unvalidated.
void ExpectNoErrorPendingAfterARefusal(TPlainEntryField* First, TPlainEntryField* Second,
                                       TOvcController* Controller,
                                       const std::function<void()>& Refuse) {
    First->SetText("700");
    Second->SetFocus();
    Refuse();
    PumpUntilIdle();
    EXPECT_FALSE(Controller->ErrorPending);
}

TEST_F(EntryFieldErrors, AFailedFieldThatIsDisabledMeanwhileClearsThePendingError) {
    ExpectNoErrorPendingAfterARefusal(First, Second, Controller,
                                      [this] { First->SetEnabled(false); });
    TPlainEntryField* third = AddField(fsubLongInt, 90);
    Second->SetText("99");
    third->SetFocus();
    Second->SetFocus();
    PumpUntilIdle();
    Reports.clear();
    third->SetFocus();
    PumpUntilIdle();
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0].Sender, Second);
    EXPECT_TRUE(Second->Focused());
}

TEST_F(EntryFieldErrors, AFailedFieldFreedMeanwhileClearsThePendingError) {
    ExpectNoErrorPendingAfterARefusal(First, Second, Controller, [this] {
        delete First;
        First = nullptr;
    });
    EXPECT_TRUE(Reports.empty());
}

TEST_F(EntryFieldErrors, AnErrorHandlerMayFreeTheFieldItReportsOn) {
    const auto free = [](TObject* Sender, uint16_t, const std::string&) { delete Sender; };
    First->SetText("70");
    for (bool ownHandler : {true, false}) {
        SCOPED_TRACE(ownHandler ? "the field's handler" : "the controller's handler");
        TPlainEntryField* bad = AddField(fsubLongInt, 90);
        bad->SetRangeHi("10");
        if (ownHandler)
            bad->OnError = free;
        else
            Controller->OnError = free;
        bad->SetFocus();
        PumpUntilIdle();
        bad->SetText("99");
        Second->SetFocus();
        PumpUntilIdle();
        EXPECT_FALSE(Controller->ErrorPending);
    }
    EXPECT_TRUE(Reports.empty());
}

// The field the focus went to while the failed field's error was pending skipped its own check
// for that error's sake only: once the error is withdrawn, its next exit is checked again.
TEST_F(EntryFieldErrors, AWithdrawnErrorLeavesTheFieldThatHasTheFocusChecked) {
    const std::vector<std::pair<const char*, std::function<void(TPlainEntryField*&)>>> refusals = {
        {"freed",
         [](TPlainEntryField*& Field) {
             delete Field;
             Field = nullptr;
         }},
        {"disabled", [](TPlainEntryField*& Field) { Field->SetEnabled(false); }},
    };
    for (const auto& [how, refuse] : refusals) {
        SCOPED_TRACE(how);
        TPlainEntryField* bad = AddField(fsubLongInt, 90);
        bad->SetRangeHi("10");
        TPlainEntryField* third = AddField(fsubLongInt, 130);
        First->SetText("70");
        Second->SetText("5");
        bad->SetFocus();
        PumpUntilIdle();
        bad->SetText("99");
        Second->SetFocus();
        refuse(bad);
        PumpUntilIdle();
        ASSERT_TRUE(Second->Focused());
        Reports.clear();
        Second->SetText("99");
        third->SetFocus();
        PumpUntilIdle();
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_EQ(Reports[0].Sender, Second);
        EXPECT_TRUE(Second->Focused());
        delete bad;
        delete third;
    }
}

}  // namespace
}  // namespace vex
