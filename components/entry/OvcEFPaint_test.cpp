#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/entry/OvcEF.h"
#include "components/entry/ovcef_testsupport.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/caret.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::PumpUntilIdle;
using test::TPlainEntryField;

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A LongInt field with the range 2 to 600 on a shown form in the fixed font, 6 pixels a
// character, and a second field to take the focus.
class EntryFieldPaint : public ::testing::Test {
protected:
    EntryFieldPaint() {
        Form.Form->Font().SetName(FixedFontName);
        Form.Form->Font().SetHeight(-12);
        new TOvcController(Form.Form);
        Other = Form.Add<TPlainEntryField>(Form.Form, Rect(10, 50, 130, 70));
        NewField();
    }
    void NewField() {
        delete Field;
        Field = Form.Add<TPlainEntryField>(Form.Form, Rect(10, 10, 130, 30), fsubLongInt);
        Field->SetRangeLo("2");
        Field->SetRangeHi("600");
        Field->SetAsInteger(250);
        Other->SetFocus();
        PumpUntilIdle();
    }

    test::TShownForm Form{Rect(10, 10, 200, 120)};
    TPlainEntryField* Field = nullptr;
    TPlainEntryField* Other;
};

TEST_F(EntryFieldPaint, PicturesOfTheFieldInEachState) {
    struct TCase {
        const char* Name;
        void (*Set)(TPlainEntryField& Field, TPlainEntryField& Other);
    };
    const std::vector<TCase> cases = {
        {"ovcef-plain", [](TPlainEntryField&, TPlainEntryField&) {}},
        // Focused with the whole text selected, as the keyboard enters it.
        {"ovcef-focused", [](TPlainEntryField& F, TPlainEntryField&) { F.SetFocus(); }},
        {"ovcef-readonly",
         [](TPlainEntryField& F, TPlainEntryField&) {
             F.SetReadOnly(true);
             F.SetFocus();
             F.Perform(EM_SETSEL, 0, MAKELONG(1, 2));
         }},
        // Left out of range under soft validation.
        {"ovcef-error",
         [](TPlainEntryField& F, TPlainEntryField& O) {
             F.SetSoftValidation(true);
             F.SetFocus();
             F.SetText("700");
             O.SetFocus();
         }},
        {"ovcef-disabled", [](TPlainEntryField& F, TPlainEntryField&) { F.SetEnabled(false); }},
        // A control character shows as its letter in CtrlColor; right alignment.
        {"ovcef-ctrlchar-right",
         [](TPlainEntryField& F, TPlainEntryField&) {
             F.SetText(std::string("tab\tend"));
             F.SetRightAlign(true);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Set(*Field, *Other);
        PumpUntilIdle();
        EXPECT_TRUE(test::ControlMatchesReferencePicture(*Field, kPictures, c.Name));
        NewField();
    }
}

TEST_F(EntryFieldPaint, TheCaretStandsAtTheTextWidthPlusTheMarginAndScrollsIntoView) {
    Field->SetText("");
    Field->SetMaxLength(60);
    Field->SetFocus();
    PumpUntilIdle();
    const int32_t margin = Field->TextMargin();
    struct TCase {
        std::string Text;
        int32_t CaretX;
    };
    // The field shows (116 - 3) / 6 characters whole; past them the text scrolls.
    const std::vector<TCase> cases = {
        {"", margin - 2},
        {"12", 12 + margin - 2},
        {std::string(18, '1'), 108 + margin - 2},
        {std::string(40, '1'), 0},  // checked below: within the field
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text.size());
        Field->SetText(c.Text);
        Field->MoveCaretToEnd();
        Field->SetCaretPosition(static_cast<int32_t>(c.Text.size()));
        PumpUntilIdle();
        TPoint caret;
        ASSERT_TRUE(GetCaretPos(caret));
        if (c.Text.size() < 40)
            EXPECT_EQ(caret.X, c.CaretX);
        else
            EXPECT_LE(caret.X, Field->ClientWidth() - margin);
        EXPECT_GE(caret.X, 0);
    }
}

TEST_F(EntryFieldPaint, TheHeightFollowsTheFontUntilTheCallerChoosesOne) {
    auto* field = new TPlainEntryField(Form.Form);
    field->SetParent(Form.Form);
    struct TCase {
        int32_t FontHeight;
        bool Ctl3D;
        int32_t Height;
    };
    // The cell height and eight border widths sunken, six flat.
    const std::vector<TCase> cases = {{-12, true, 20}, {-20, true, 28}, {-20, false, 26}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FontHeight);
        field->SetCtl3D(c.Ctl3D);
        field->Font().SetHeight(c.FontHeight);
        EXPECT_EQ(field->Height(), c.Height);
    }
    field->SetBounds(0, 0, 100, 40);
    EXPECT_FALSE(field->AutoSize());
    field->Font().SetHeight(-12);
    EXPECT_EQ(field->Height(), 40);
}

TEST_F(EntryFieldPaint, TheInsertModeGoesWithTheFocusThroughTheController) {
    Field->SetFocus();
    PumpUntilIdle();
    EXPECT_TRUE(Field->State().Contains(esInsertMode));
    TMessage ins{WM_KEYDOWN, VK_INSERT, 0, 0};
    Field->PerformEdit(ins, ccIns);
    Other->SetFocus();
    PumpUntilIdle();
    EXPECT_FALSE(Field->Controller()->InsertMode);
    EXPECT_FALSE(Other->State().Contains(esInsertMode));
    // A forced mode holds whatever the controller says.
    Field->SetForceInsert(true);
    Field->SetFocus();
    PumpUntilIdle();
    EXPECT_TRUE(Field->State().Contains(esInsertMode));
}

}  // namespace
}  // namespace vex
