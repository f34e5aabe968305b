#include "platform/ui/maskedit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/caret_testsupport.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/clipboard.h"
#include "platform/win/input.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";
const std::string kPhone = "!\\(999\\)000-0000;1;_";

// Types Keys into the focused control: characters as they are, <name> for a key.
void TypeKeys(const std::string& Keys) {
    static const struct {
        const char* Name;
        WPARAM Key;
        char Char;
    } named[] = {{"<bs>", VK_BACK, '\b'},      {"<del>", VK_DELETE, 0}, {"<left>", VK_LEFT, 0},
                 {"<right>", VK_RIGHT, 0},     {"<home>", VK_HOME, 0},  {"<end>", VK_END, 0},
                 {"<esc>", VK_ESCAPE, '\x1B'}, {"<tab>", VK_TAB, '\t'}};
    for (size_t i = 0; i < Keys.size();) {
        bool found = false;
        for (const auto& n : named)
            if (Keys.compare(i, std::string(n.Name).size(), n.Name) == 0) {
                test::TypeKey(n.Key, n.Char);
                i += std::string(n.Name).size();
                found = true;
                break;
            }
        if (!found) test::DeliverKey(WM_CHAR, static_cast<uint8_t>(Keys[i++]));
    }
}

void PutOnClipboard(const std::string& Text) {
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Text);
    CloseClipboard();
}

// A focused mask edit on a shown form, in the fixed font.
struct TMaskScene {
    test::TShownForm Shown;
    TMaskEdit* Edit;
    explicit TMaskScene(const std::string& Mask) {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-8);
        Edit = Shown.Add<TMaskEdit>(Shown.Form, Rect(8, 8, 130, 26));
        Edit->SetEditMask(Mask);
        Edit->SetFocus();
    }
    ~TMaskScene() { test::ReleaseAllKeys(); }
};

TEST(MaskEdit, TypesOverTheMaskAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/maskedit.txt")) {
        SCOPED_TRACE(c.Where);
        TMaskScene scene(c[0]);
        TypeKeys(c[1]);
        EXPECT_EQ(scene.Edit->EditText(), c[2]);
        EXPECT_EQ(scene.Edit->Text(), c[3]);
        EXPECT_EQ(scene.Edit->SelStart(), c.Int(4));
        EXPECT_EQ(scene.Edit->SelLength(), c.Int(5));
    }
}

TEST(MaskEdit, LaysItsTextOutOnTheMaskAndLimitsItsLength) {
    TMaskScene scene(kPhone);
    EXPECT_TRUE(scene.Edit->IsMasked());
    EXPECT_EQ(scene.Edit->MaxLength(), 13);
    scene.Edit->SetText("(555)123-4567");
    EXPECT_EQ(scene.Edit->EditText(), "(555)123-4567");
    EXPECT_FALSE(scene.Edit->Modified());
    scene.Edit->SetEditMask("\\(999\\)000-0000;0;*");  // the stored text carries over
    EXPECT_EQ(scene.Edit->EditText(), "(555)123-4567");
    EXPECT_EQ(scene.Edit->Text(), "5551234567");
    scene.Edit->SetEditText("(12");  // short: the mask's blanks fill it
    EXPECT_EQ(scene.Edit->EditText(), "(12*)***-****");

    scene.Edit->SetEditMask("");
    EXPECT_FALSE(scene.Edit->IsMasked());
    EXPECT_EQ(scene.Edit->MaxLength(), 0);
    EXPECT_EQ(scene.Edit->EditText(), "12");
    scene.Edit->SetSelStart(1);
    TypeKeys("ab");
    EXPECT_EQ(scene.Edit->Text(), "1ab2");  // a plain edit again
}

TEST(MaskEdit, PastesThroughTheMask) {
    TMaskScene scene(kPhone);
    PutOnClipboard("(555) 123");
    TypeKeys("\x16");  // the blank fits nowhere: the paste stops there
    EXPECT_EQ(scene.Edit->EditText(), "(555)___-____");
    EXPECT_EQ(scene.Edit->SelStart(), 5);
    PutOnClipboard("1234567");
    scene.Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(scene.Edit->EditText(), "(555)123-4567");
    EXPECT_TRUE(scene.Edit->Modified());

    scene.Edit->SetSelStart(1);
    scene.Edit->SetSelLength(6);  // "555)12"
    scene.Edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(scene.Edit->EditText(), "(___)__3-4567");
    EXPECT_EQ(scene.Edit->SelStart(), 1);
    EXPECT_EQ(scene.Edit->SelLength(), 1);
    PutOnClipboard("");
    TypeKeys("\x16");
    EXPECT_EQ(scene.Edit->EditText(), "(___)__3-4567");
}

TEST(MaskEdit, AClickPutsTheCursorOnTheNearestDataPosition) {
    TMaskScene scene(kPhone);
    scene.Edit->SetText("(555)123-4567");
    const struct {
        int32_t Column;  // where the click lands, in characters of the fixed font
        int32_t Cursor;
    } cases[] = {{2, 2}, {4, 5}, {8, 9}, {25, 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Column);
        const TRect text = scene.Edit->FormattingRect();
        const TPoint at =
            scene.Edit->ClientToScreen(Point(text.Left + c.Column * 4 + 1, text.Top + 2));
        InjectMouseMove(at);
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
        test::PumpUntilIdle();
        EXPECT_EQ(scene.Edit->SelStart(), c.Cursor);
        EXPECT_EQ(scene.Edit->SelLength(), c.Cursor < 13 ? 1 : 0);
    }
}

TEST(MaskEdit, PutsChangesMadeAnotherWayThroughTheMask) {
    TMaskScene scene(kPhone);
    int changes = 0;
    scene.Edit->OnChange = [&](TObject*) { ++changes; };
    scene.Edit->SetSelStart(1);
    scene.Edit->SetSelLength(3);
    scene.Edit->SetSelText("12");  // a program's replacement: typed over the three
    EXPECT_EQ(scene.Edit->EditText(), "(12_)___-____");
    scene.Edit->SetSelStart(5);
    scene.Edit->SetSelLength(2);
    scene.Edit->SetSelText("9x");  // the 9 goes in, the x is refused
    EXPECT_EQ(scene.Edit->EditText(), "(12_)9__-____");
    scene.Edit->TCustomEdit::SetText("(555)123-4567");  // a whole text set past the mask
    EXPECT_EQ(scene.Edit->EditText(), "(555)123-4567");
    EXPECT_EQ(changes, 3);
}

TEST(MaskEdit, RefusesTypingWhileReadOnly) {
    TMaskScene scene(kPhone);
    scene.Edit->SetReadOnly(true);
    TypeKeys("12<bs><del>");
    EXPECT_EQ(scene.Edit->EditText(), "(___)___-____");
    EXPECT_FALSE(scene.Edit->Modified());
}

TEST(MaskEdit, ValidatingPutsTheCursorOnTheFirstError) {
    TMaskScene scene(kPhone);
    scene.Edit->ValidateEdit();  // not changed by the user: nothing to check
    TypeKeys("55512");
    try {
        scene.Edit->ValidateEdit();
        ADD_FAILURE() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), "Invalid input value. Use escape key to abandon changes");
    }
    EXPECT_EQ(scene.Edit->SelStart(), 7);
    EXPECT_EQ(scene.Edit->SelLength(), 1);
    TypeKeys("34567");
    EXPECT_NO_THROW(scene.Edit->ValidateEdit());
}

TEST(MaskEdit, KeepsTheFocusWhenLeftIncomplete) {
    TMaskScene scene(kPhone);
    auto* next = scene.Shown.Add<test::TPlainPanel>(scene.Shown.Form, Rect(8, 40, 50, 60));
    next->SetTabStop(true);
    TypeKeys("5");
    EXPECT_THROW(next->SetFocus(), EDBEditError);
    EXPECT_EQ(scene.Shown.Form->ActiveControl(), scene.Edit);
    EXPECT_EQ(GetFocus(), scene.Edit->Handle());
    EXPECT_EQ(scene.Edit->SelStart(), 5);  // the first required digit

    TypeKeys("<esc>");  // back to the text of when it was entered: nothing to check
    EXPECT_FALSE(scene.Edit->Modified());
    next->SetFocus();
    EXPECT_EQ(scene.Shown.Form->ActiveControl(), next);
}

TEST(MaskEdit, ReportsAnIncompleteTextTabbedAwayFromThroughTheApplication) {
    TMaskScene scene(kPhone);
    auto* next = scene.Shown.Add<test::TPlainPanel>(scene.Shown.Form, Rect(8, 40, 50, 60));
    next->SetTabStop(true);
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    TypeKeys("55");
    InjectKey(VK_TAB, true);
    InjectKey(VK_TAB, false);
    // As the application's loop and the modal loops do: the handler's exception is reported,
    // and the loop goes on with the rest.
    const auto pump = [] {
        try {
            Application().ProcessMessages();
        } catch (...) {
            Application().HandleException(nullptr);
        }
    };
    pump();
    pump();
    Application().OnException = nullptr;
    EXPECT_EQ(reported,
              std::vector<std::string>{"Invalid input value. Use escape key to abandon changes"});
    EXPECT_EQ(GetFocus(), scene.Edit->Handle());
    EXPECT_EQ(scene.Shown.Form->ActiveControl(), scene.Edit);
}

TEST(MaskEdit, LeavesEscapeToTheFormWhenNothingChanged) {
    TMaskScene scene(kPhone);
    test::TLog log;
    auto* cancel =
        scene.Shown.Add<test::TTestButton>(scene.Shown.Form, Rect(8, 40, 50, 60), log, "cancel");
    cancel->Cancel = true;
    TypeKeys("5<esc>");
    EXPECT_TRUE(log.empty());
    TypeKeys("<esc>");
    EXPECT_EQ(log, test::TLog{"cancel click"});
}

TEST(MaskEdit, KeepsTheMasksLiteralsInAnEditTextSetFromCode) {
    const struct {
        const char* Mask;
        const char* Value;
        const char* EditText;
        const char* Text;
    } cases[] = {
        {"99-99;1;_", "12345", "12-45", "12-45"},
        {"99-99;0;_", "12-45", "12-45", "1245"},
        {"(999);1;*", "x12", "(12*)", "(12 )"},
        {R"(!99\L99;1;_)", "1234567", "12L45", "12L45"},  // an escaped mask character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mask);
        TMaskScene scene(c.Mask);
        scene.Edit->SetEditText(c.Value);
        EXPECT_EQ(scene.Edit->EditText(), c.EditText);
        EXPECT_EQ(scene.Edit->Text(), c.Text);
    }
}

TEST(MaskEdit, EscapeBringsBackTheTextOnAMaskChangedWhileFocused) {
    TMaskScene scene("99-99;1;_");
    TypeKeys("12");
    scene.Edit->SetEditMask("(999);1;_");
    EXPECT_EQ(scene.Edit->EditText(), "(12_)");
    TypeKeys("<home>3");
    EXPECT_EQ(scene.Edit->EditText(), "(32_)");
    TypeKeys("<esc>");
    EXPECT_EQ(scene.Edit->EditText(), "(___)");
}

TEST(MaskEdit, KeepsTheMasksLengthAsItsLimit) {
    TMaskScene scene("000000;1;_");
    scene.Edit->SetMaxLength(3);  // a shorter limit would cut the edit text short
    scene.Edit->Perform(EM_LIMITTEXT, 2, 0);
    EXPECT_EQ(scene.Edit->MaxLength(), 6);
    scene.Edit->SetText("123456");
    TypeKeys("<home>9<bs><bs>x");
    EXPECT_EQ(scene.Edit->EditText(), "_23456");

    scene.Edit->SetEditMask("");
    scene.Edit->SetMaxLength(3);  // a plain edit takes any limit
    EXPECT_EQ(scene.Edit->MaxLength(), 3);
    scene.Edit->SetEditMask("00;1;_");
    EXPECT_EQ(scene.Edit->MaxLength(), 2);
}

TEST(MaskEdit, LooksAsReviewed) {
    // Blank as the blank character: the fixed font draws every other character as a block, so
    // the literals show as blocks between empty positions.
    TMaskScene scene("!\\(999\\)000-0000;1; ");
    const test::TSteadyCaret steady;
    TypeKeys("<home>");
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Edit, kPictures, "maskedit_empty"));
    TypeKeys("55512");
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Edit, kPictures, "maskedit_typed"));
    TypeKeys("<bs>");
    EXPECT_THROW(scene.Edit->ValidateEdit(), EDBEditError);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Edit, kPictures, "maskedit_error"));
}

}  // namespace
}  // namespace vex
