#include "dataaware/edits/wwdbedit.h"

#include <gtest/gtest.h>

#include "dataaware/edits/wwdbedit_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"
#include "platform/data/fields.h"
#include "platform/win/focus.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::Press;
using test::Type;

// An unbound edit with the focus, on a form with a second edit to leave for.
struct TUnbound {
    test::TShownForm Shown{Rect(20, 20, 320, 200)};
    TwwDBEdit* Edit = Shown.Add<TwwDBEdit>(Shown.Form, Rect(10, 20, 150, 44));
    TwwDBEdit* Other = Shown.Add<TwwDBEdit>(Shown.Form, Rect(10, 60, 150, 84));

    explicit TUnbound(const std::string& Mask = "") {
        Edit->Picture().SetPictureMask(Mask);
        Edit->SetFocus();
        test::PumpUntilIdle();
    }
    // Tabs away; true when the focus left the edit.
    bool Leave() {
        Press(VK_TAB);
        return !Edit->Focused();
    }
};

TEST(DBEditPicture, TypingIsCheckedAndCompletedAgainstTheMask) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/wwdbedit_typing.txt")) {
        SCOPED_TRACE(c.Where);
        TUnbound on(c[0]);
        on.Edit->Picture().SetAutoFill(c[1] == "T");
        const uint32_t beeps = MessageBeepCount();
        Type(c[2]);
        EXPECT_EQ(on.Edit->EditText(), c[3]);
        EXPECT_EQ(on.Edit->SelStart(), c.Int(4));
        EXPECT_EQ(MessageBeepCount() - beeps, static_cast<uint32_t>(c.Int(5)));
    }
}

TEST(DBEditPicture, OnCheckValueHearsWhetherTheTextIsComplete) {
    TUnbound on("###");
    std::vector<bool> heard;
    on.Edit->OnCheckValue = [&](TObject*, bool Passes) { heard.push_back(Passes); };
    Type("12");
    Press(VK_BACK);
    Type("23");
    EXPECT_EQ(heard, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(on.Edit->IsValidPicture("")) << "an empty text always passes";
}

TEST(DBEditPicture, AnIncompleteTextKeepsTheFocusUnlessInvalidExitIsAllowed) {
    struct TCase {
        const char* Typed;
        bool Allow;
        bool Leaves;
    };
    for (const TCase& c : {TCase{"12", false, false}, TCase{"12", true, true},
                           TCase{"123", false, true}, TCase{"", false, true}}) {
        SCOPED_TRACE(std::string(c.Typed) + (c.Allow ? " allowed" : ""));
        TUnbound on("###");
        on.Edit->Picture().SetAllowInvalidExit(c.Allow);
        Type(c.Typed);
        const uint32_t beeps = MessageBeepCount();
        EXPECT_EQ(on.Leave(), c.Leaves);
        EXPECT_EQ(on.Edit->InvalidExit(), !c.Leaves);
        EXPECT_EQ(MessageBeepCount() - beeps, c.Leaves ? 0u : 1u);
        if (!c.Leaves) {
            EXPECT_EQ(on.Edit->SelLength(), 2) << "the text is selected";
        }
    }
}

TEST(DBEditPicture, AssignCopiesMaskAndAutoFillOnly) {
    TUnbound on;
    TwwDBPicture& from = on.Other->Picture();
    from.SetPictureMask("###");
    from.SetAutoFill(false);
    from.SetAllowInvalidExit(true);
    on.Edit->SetPicture(from);
    EXPECT_EQ(on.Edit->Picture().PictureMask(), "###");
    EXPECT_FALSE(on.Edit->Picture().AutoFill());
    EXPECT_FALSE(on.Edit->Picture().AllowInvalidExit());
}

TEST(DBEditUnbound, ReadOnlyRefusesTypingAndPasting) {
    TUnbound on;
    on.Edit->SetReadOnly(true);
    Type("ab");
    Press('V', {VK_CONTROL});
    EXPECT_EQ(on.Edit->EditText(), "");
    on.Edit->SetReadOnly(false);
    Type("ab");
    EXPECT_EQ(on.Edit->EditText(), "ab");
}

// 8 December 2026, 18:05:09 on the clock; the format settings as the United States have them.
class DateCompletion : public ::testing::Test {
protected:
    void SetUp() override { Clock.SetUtcMilliseconds(1796753109000); }
    TVirtualClock Clock;
    TClockOverride UseClock{Clock};
    TFormatSettingsOverride Settings{TFormatSettings{}};
};

TEST_F(DateCompletion, TheSpaceBarAddsTheNextPartOfTodayOrNow) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/wwdbedit_completion.txt")) {
        SCOPED_TRACE(c.Where);
        TUnbound on;
        const std::string kind = c[0];
        on.Edit->SetUnboundDataType(kind == "date"   ? wwEdtDate
                                    : kind == "time" ? wwEdtTime
                                                     : wwEdtDateTime);
        Type(c[1]);
        EXPECT_EQ(on.Edit->EditText(), c[2]);
        EXPECT_EQ(on.Edit->SelStart(), static_cast<int32_t>(c[2].size()));
    }
}

TEST_F(DateCompletion, APictureThatFillsOrAPlainEditTakesTheSpace) {
    TUnbound on("##/##/####");
    on.Edit->SetUnboundDataType(wwEdtDate);
    Type(" ");
    EXPECT_EQ(on.Edit->EditText(), "");
    on.Edit->SetUnboundDataType(wwDefault);
    on.Edit->Picture().SetPictureMask("");
    Type(" ");
    EXPECT_EQ(on.Edit->EditText(), " ");
}

}  // namespace
}  // namespace vex
