#include "components/entry/OvcNF.h"
#include "components/entry/ovcnf_testsupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcErrors.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/button.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "tests/support/casefile.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/numericfield.txt";
const std::string Pictures = VEX_TEST_DIR "/testdata/pictures";

std::string LeftTrimmed(const std::string& Text) {
    const size_t first = Text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : Text.substr(first);
}

// The key that types C on an English keyboard.
WPARAM VirtualKeyOf(char C) {
    if (C == '-') return VK_OEM_MINUS;
    if (C == '.') return VK_OEM_PERIOD;
    if (C >= 'a' && C <= 'z') return static_cast<WPARAM>(C - 'a' + 'A');
    return static_cast<WPARAM>(static_cast<unsigned char>(C));
}

// A numeric field and a button after it on a shown form with a controller whose error reports
// are logged.
class NumericFieldScene {
public:
    NumericFieldScene() {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-8);
        Controller = new TOvcController(Shown.Form);
        Controller->OnError = [this](TObject*, uint16_t Code, const std::string& Text) {
            Errors.push_back(std::to_string(Code) + " " + Text);
        };
        Field = Shown.Add<test::TTestField>(Shown.Form, Rect(8, 8, 108, 30));
        Next = Shown.Add<TButton>(Shown.Form, Rect(8, 40, 80, 62));
        test::PumpUntilIdle();
    }

    void Focus() {
        Field->SetFocus();
        test::PumpUntilIdle();
    }

    // Types Keys into the focused field: "<" is Backspace, "~" Shift+End (the whole field
    // selected), "^" Shift+End and Delete (the number cleared), "\t" Tab.
    void Type(const std::string& Keys) {
        for (const char key : Keys) {
            switch (key) {
                case '<':
                    test::TypeKey(VK_BACK);
                    break;
                case '^':
                    Type("~");
                    test::TypeKey(VK_DELETE);
                    break;
                case '~':
                    SetKeyState(VK_SHIFT, true);
                    test::TypeKey(VK_END);
                    SetKeyState(VK_SHIFT, false);
                    break;
                case '\t':
                    test::TypeKey(VK_TAB);
                    break;
                default:
                    test::TypeKey(VirtualKeyOf(key), key);
                    break;
            }
            test::PumpUntilIdle();
        }
    }

    std::string Text() { return LeftTrimmed(Field->GetDisplayString()); }

    test::TShownForm Shown;
    TOvcController* Controller;
    test::TTestField* Field;
    TButton* Next;
    std::vector<std::string> Errors;
};

struct TStartCase {
    const char* Lo;
    const char* Hi;
    const char* Shown;
};

TEST(OvcNumericField, StartsAtZeroOrAtTheLowerBoundWhenZeroIsOutsideTheRange) {
    for (const TStartCase c : {TStartCase{"2", "600", "2"}, TStartCase{"0", "100000", "0"},
                               TStartCase{"-9", "-3", "-9"}}) {
        SCOPED_TRACE(c.Lo);
        test::TShownForm form;
        new TOvcController(form.Form);
        auto* field = new TOvcNumericField(form.Form);
        field->SetRangeLo(c.Lo);
        field->SetRangeHi(c.Hi);
        field->SetParent(form.Form);
        field->HandleNeeded();
        EXPECT_EQ(LeftTrimmed(field->GetDisplayString()), c.Shown);
    }
}

TEST(OvcNumericField, EqualBoundsGiveTheFullRangeOfTheTypeWhenTheWindowIsMade) {
    test::TShownForm form;
    new TOvcController(form.Form);
    auto* field = new TOvcNumericField(form.Form);
    field->SetDataType(nftWord);
    field->SetRangeLo("7");
    field->SetRangeHi("7");
    field->SetParent(form.Form);
    field->HandleNeeded();
    EXPECT_EQ(field->RangeLo(), "0");
    EXPECT_EQ(field->RangeHi(), "65535");
    EXPECT_EQ(field->PictureMask(), "99999");
    EXPECT_THROW(field->SetDataType(static_cast<TNumericDataType>(10)), EOvcException);
}

TEST(OvcNumericField, DigitsTypedEnterFromTheRightWithinTheMask) {
    for (const test::TestCase& c : test::ReadCases(Cases, "type")) {
        SCOPED_TRACE(c.Where);
        NumericFieldScene scene;
        scene.Field->SetPictureMask(c[0]);
        scene.Focus();
        scene.Type("^");
        const uint32_t beeps = MessageBeepCount();
        scene.Type(c[1]);
        EXPECT_EQ(scene.Text(), c[2]);
        EXPECT_EQ(MessageBeepCount() - beeps, static_cast<uint32_t>(c.Int(3)));
        EXPECT_TRUE(test::HasFocus(*scene.Field));
    }
}

TEST(OvcNumericField, PastedTextGoesThroughTheTypingRules) {
    for (const test::TestCase& c : test::ReadCases(Cases, "paste")) {
        SCOPED_TRACE(c.Where);
        NumericFieldScene scene;
        scene.Field->SetPictureMask(c[0]);
        scene.Focus();
        const uint32_t beeps = MessageBeepCount();
        scene.Field->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c[1].c_str()));
        EXPECT_EQ(scene.Text(), c[2]);
        EXPECT_EQ(MessageBeepCount() - beeps, static_cast<uint32_t>(c.Int(3)));
    }
}

TEST(OvcNumericField, AFieldFilledMovesTheFocusOnWithAutoAdvance) {
    NumericFieldScene scene;
    scene.Field->SetAutoAdvanceChar(true);
    scene.Focus();
    scene.Type("123456789");
    EXPECT_TRUE(test::HasFocus(*scene.Field));
    scene.Type("0");
    EXPECT_EQ(scene.Field->GetAsInteger(), 1234567890);
    EXPECT_TRUE(scene.Next->Focused());
}

TEST(OvcNumericField, StepsWrapOrClampAtTheBounds) {
    for (const test::TestCase& c : test::ReadCases(Cases, "step")) {
        SCOPED_TRACE(c.Where);
        NumericFieldScene scene;
        scene.Field->SetPictureMask("iiiiiiiiiii");
        scene.Field->SetRangeLo(c[0]);
        scene.Field->SetRangeHi(c[1]);
        scene.Field->SetAsString(c[2]);
        scene.Focus();
        const double delta = static_cast<double>(c.Int(4));
        if (delta < 0)
            scene.Field->DecreaseValue(c.Int(3) != 0, -delta);
        else
            scene.Field->IncreaseValue(c.Int(3) != 0, delta);
        EXPECT_EQ(scene.Field->RangeLo(), c[0]);
        EXPECT_EQ(LeftTrimmed(scene.Field->EditText()), c[5]);
    }
}

TEST(OvcNumericField, StepsOnlyWhileFocusedAndFiresOnChange) {
    NumericFieldScene scene;
    int changes = 0;
    scene.Field->OnChange = [&](TObject*) { ++changes; };
    scene.Field->IncreaseValue(true, 1);
    EXPECT_EQ(scene.Text(), "0");
    scene.Focus();
    scene.Field->SetArrowIncDec(true);
    test::TypeKey(VK_UP);
    test::TypeKey(VK_UP);
    test::TypeKey(VK_DOWN);
    EXPECT_EQ(scene.Text(), "1");
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(scene.Field->Modified());
}

TEST(OvcNumericField, LeavingWithAValueOutOfRangeReportsThroughTheControllerAndKeepsTheFocus) {
    NumericFieldScene scene;
    scene.Field->SetRangeLo("2");
    scene.Field->SetRangeHi("600");
    scene.Field->RecreateWnd();
    scene.Focus();
    scene.Type("^700\t");
    test::PumpUntilIdle();
    EXPECT_EQ(scene.Errors, std::vector<std::string>{"256 Value is not within required range"});
    EXPECT_TRUE(test::HasFocus(*scene.Field));
    EXPECT_EQ(scene.Field->GetAsInteger(), 0);
    EXPECT_EQ(scene.Field->LastError(), 256);
    scene.Type("<<<5\t");
    EXPECT_EQ(scene.Errors.size(), 1u);
    EXPECT_FALSE(test::HasFocus(*scene.Field));
    EXPECT_EQ(scene.Field->GetAsInteger(), 5);
}

TEST(OvcNumericField, ATextThatOverflowsItsTypeIsInvalidButItsExactLowerLimitIsNot) {
    NumericFieldScene scene;
    scene.Field->SetPictureMask("iiiiiiiiiii");
    scene.Field->SetAsInteger(INT32_MIN);
    EXPECT_EQ(scene.Field->GetAsInteger(), INT32_MIN);
    EXPECT_EQ(scene.Field->LastError(), 0);
    scene.Focus();
    scene.Type("^9999999999");
    EXPECT_EQ(scene.Field->GetAsInteger(), 0);
    EXPECT_EQ(scene.Field->LastError(), 257);
}

TEST(OvcNumericField, IntegersAreCutToTheirTypeWhenStoredAndWidenedWhenRead) {
    for (const test::TestCase& c : test::ReadCases(Cases, "integer")) {
        SCOPED_TRACE(c.Where);
        NumericFieldScene scene;
        scene.Field->SetDataType(static_cast<TNumericDataType>(c.Int(0)));
        scene.Field->SetAsInteger(static_cast<int32_t>(c.Int(1)));
        EXPECT_EQ(scene.Field->GetAsInteger(), c.Int(2));
        EXPECT_EQ(scene.Text(), c[3]);
    }
}

TEST(OvcNumericField, PadsTheBlanksLeftOfTheNumberAndKeepsExchangedUserDataSafe) {
    NumericFieldScene scene;
    scene.Field->SetPadChar('*');
    scene.Field->SetAsInteger(-70);
    EXPECT_EQ(scene.Field->GetDisplayString(), "*******-70");
    auto data = std::make_unique<TOvcUserData>();
    scene.Field->SetUserData(data.get());
    scene.Field->SetAsInteger(5);
    scene.Field->SetUserData(nullptr);
    data.reset();
    scene.Field->SetAsInteger(6);
    EXPECT_EQ(scene.Field->GetDisplayString(), "*********6");
}

TEST(OvcNumericField, AValueWiderThanTheMaskShowsStarsNotACutNumber) {
    NumericFieldScene scene;
    scene.Field->SetDataType(nftDouble);
    scene.Field->SetPictureMask("###.##");
    scene.Field->SetRangeLo("-100000");
    scene.Field->SetAsString("12345.5");
    EXPECT_EQ(scene.Field->EditText(), "***.**");
    scene.Field->SetAsString("-12.5");
    EXPECT_EQ(scene.Field->EditText(), "-12.50");
    scene.Field->SetDataType(nftLongInt);
    scene.Field->SetPictureMask("iiii");
    scene.Field->SetAsInteger(-1234);
    EXPECT_EQ(scene.Field->EditText(), "****");
    EXPECT_EQ(scene.Field->GetAsInteger(), 0);
    EXPECT_EQ(scene.Field->LastError(), 257);
}

TEST(OvcNumericField, KeepsItsValueWhenItsWindowOrMaskIsMadeAgain) {
    NumericFieldScene scene;
    scene.Field->SetAsInteger(42);
    scene.Field->RecreateWnd();
    EXPECT_EQ(scene.Field->GetAsInteger(), 42);
    scene.Field->SetPictureMask("KKKKKKKK");
    EXPECT_EQ(scene.Field->EditText(), "0000002A");
    EXPECT_EQ(scene.Field->GetAsInteger(), 42);
}

TEST(OvcNumericField, DrawsRightAlignedInItsFocusedAndErrorStates) {
    NumericFieldScene scene;
    scene.Field->SetRangeLo("2");
    scene.Field->SetRangeHi("600");
    scene.Field->SetSoftValidation(true);
    scene.Field->RecreateWnd();
    scene.Focus();
    scene.Type("^123");
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Field, Pictures, "numericfield"));
    scene.Type("4\t");
    EXPECT_FALSE(test::HasFocus(*scene.Field)) << "a soft field may be left";
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Field, Pictures, "numericfield_error"));
}

}  // namespace
}  // namespace vex
