#include <gtest/gtest.h>

#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdbedit_testsupport.h"
#include "platform/core/formatsettings.h"
#include "platform/data/fields.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::Type;

TwwEditDataType KindOf(const std::string& Kind) {
    return Kind == "date" ? wwEdtDate : Kind == "time" ? wwEdtTime : wwEdtDateTime;
}

// 8 December 2026, 18:05:09 on the clock; the format settings as the United States have them.
class DateCompletion : public ::testing::Test {
protected:
    void SetUp() override { Clock.SetUtcMilliseconds(1796753109000); }
    TwwDBEdit* FocusedEdit(test::TShownForm& Shown) {
        auto* edit = Shown.Add<TwwDBEdit>(Shown.Form, Rect(10, 20, 150, 44));
        edit->SetFocus();
        test::PumpUntilIdle();
        return edit;
    }

    TVirtualClock Clock;
    TClockOverride UseClock{Clock};
    TFormatSettingsOverride Settings{TFormatSettings{}};
};

TEST_F(DateCompletion, TheSpaceBarAddsTheNextPartOfTodayOrNow) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/wwdbedit_completion.txt")) {
        SCOPED_TRACE(c.Where);
        test::TShownForm shown{Rect(20, 20, 320, 200)};
        TwwDBEdit* edit = FocusedEdit(shown);
        edit->SetUnboundDataType(KindOf(c[0]));
        Type(c[1]);
        EXPECT_EQ(edit->EditText(), c[2]);
        EXPECT_EQ(edit->SelStart(), static_cast<int32_t>(c[2].size()));
    }
}

// Separators and day-half markers come from the locale; a time separator that is also the date
// separator must not end the date or the time early, and a completed time must stay complete.
TEST_F(DateCompletion, TheLocaleGivesTheOrderSeparatorsAndMarkers) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/wwdbedit_completion_locales.txt")) {
        SCOPED_TRACE(c.Where);
        TFormatSettings settings;
        settings.ShortDateFormat = c[0];
        settings.DateSeparator = c[1][0];
        settings.TimeSeparator = c[2][0];
        settings.TimeAMString = c[3];
        settings.TimePMString = c[4];
        TFormatSettingsOverride locale{settings};
        test::TShownForm shown{Rect(20, 20, 320, 200)};
        TwwDBEdit* edit = FocusedEdit(shown);
        edit->SetUnboundDataType(KindOf(c[5]));
        Type(std::string(static_cast<size_t>(c.Int(6)), ' '));
        EXPECT_EQ(edit->EditText(), c[7]);
    }
}

TEST_F(DateCompletion, APictureThatFillsOrAPlainEditTakesTheSpace) {
    test::TShownForm shown{Rect(20, 20, 320, 200)};
    TwwDBEdit* edit = FocusedEdit(shown);
    edit->Picture().SetPictureMask("##/##/####");
    edit->SetUnboundDataType(wwEdtDate);
    Type(" ");
    EXPECT_EQ(edit->EditText(), "");
    edit->SetUnboundDataType(wwDefault);
    edit->Picture().SetPictureMask("");
    Type(" ");
    EXPECT_EQ(edit->EditText(), " ");
}

TEST_F(DateCompletion, ABoundFieldSaysWhatItHoldsAndTakesTheDate) {
    test::TBoundForm on;
    struct TCase {
        const char* Field;
        const char* Stored;
    };
    for (const TCase& c : {TCase{"Born", "12/8/26"}, TCase{"Wakes", "6:05:09 PM"}}) {
        SCOPED_TRACE(c.Field);
        TwwDBEdit* edit = on.Edit(c.Field);
        edit->SetFocus();
        test::PumpUntilIdle();
        edit->SelectAll();
        Type("    ");
        test::Press(VK_TAB);
        on.People.Post();
        EXPECT_EQ(on.Stored(c.Field), c.Stored);
        edit->SetParent(nullptr);
    }
}

}  // namespace
}  // namespace vex
