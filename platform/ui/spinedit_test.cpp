#include "platform/ui/spinedit.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/caret_testsupport.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/menus.h"
#include "platform/ui/menuwindow.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/clipboard.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A focused spin edit on a shown form, in the fixed font.
struct TSpinScene {
    test::TShownForm Shown;
    TSpinEdit* Edit;
    TSpinScene() {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-8);
        Edit = Shown.Add<TSpinEdit>(Shown.Form, Rect(8, 8, 88, 32));
        Edit->SetAutoSize(false);  // tall enough for the arrows to show
        Edit->SetHeight(24);
        Edit->SetFocus();
    }
    ~TSpinScene() { test::ReleaseAllKeys(); }
    void Type(const std::string& Chars) {
        for (char c : Chars)
            test::DeliverKey(WM_CHAR, static_cast<uint8_t>(c));
    }
};

TEST(SpinEdit, StepsByItsIncrementWithinItsLimits) {
    const struct {
        int32_t Min, Max, Increment, Start;
        std::vector<WPARAM> Keys;
        std::vector<int32_t> Values;
    } cases[] = {
        {0, 0, 1, 0, {VK_UP, VK_UP, VK_DOWN}, {1, 2, 1}},
        {0, 0, 5, -3, {VK_DOWN, VK_DOWN}, {-8, -13}},  // both limits 0: none
        {1, 10, 4, 5, {VK_UP, VK_UP, VK_DOWN}, {9, 10, 6}},
        {1, 10, 4, 2, {VK_DOWN, VK_DOWN}, {1, 1}},
        {7, 7, 1, 0, {VK_UP}, {7}},  // equal limits pin the value
        {0, 0, 10, INT32_MAX - 5, {VK_UP, VK_DOWN}, {INT32_MAX, INT32_MAX - 10}},
        {0, 0, INT32_MAX, INT32_MIN + 3, {VK_DOWN}, {INT32_MIN}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("limits " + std::to_string(c.Min) + ".." + std::to_string(c.Max) + " from " +
                     std::to_string(c.Start));
        TSpinScene scene;
        scene.Edit->SetMinValue(c.Min);
        scene.Edit->SetMaxValue(c.Max);
        scene.Edit->SetIncrement(c.Increment);
        scene.Edit->SetValue(c.Start);
        std::vector<int32_t> values;
        for (WPARAM key : c.Keys) {
            test::TypeKey(key);
            values.push_back(scene.Edit->Value());
        }
        EXPECT_EQ(values, c.Values);
        EXPECT_EQ(scene.Shown.Form->ActiveControl(), scene.Edit);  // arrows do not move the focus
    }
}

TEST(SpinEdit, StepsWithItsButtonAndTakesTheFocus) {
    TSpinScene scene;
    auto* other = scene.Shown.Add<test::TPlainPanel>(scene.Shown.Form, Rect(8, 40, 50, 60));
    other->SetTabStop(true);
    other->SetFocus();
    TSpinButton* button = scene.Edit->Button();
    EXPECT_EQ(button->BoundsRect().Right, scene.Edit->ClientWidth());
    EXPECT_LE(scene.Edit->FormattingRect().Right, button->Left());  // text stays clear of it
    const TPoint up = button->ClientToScreen(Point(button->Width() / 2, 2));
    InjectMouseMove(up);
    InjectMouseButton(mbLeft, true);
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    EXPECT_EQ(scene.Edit->Value(), 1);
    EXPECT_EQ(scene.Shown.Form->ActiveControl(), scene.Edit);
    const TPoint down = button->ClientToScreen(Point(button->Width() / 2, button->Height() - 2));
    for (int i = 0; i < 3; ++i) {
        InjectMouseMove(down);
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
    }
    test::PumpUntilIdle();
    EXPECT_EQ(scene.Edit->Value(), -2);
}

TEST(SpinEdit, TakesOnlyDigitsAndSignsAndNothingWithTheEditorOff) {
    TSpinScene scene;
    scene.Edit->SelectAll();
    scene.Type("-1a2.3 +");
    EXPECT_EQ(scene.Edit->Text(), "-123+");

    scene.Edit->SetValue(42);
    scene.Edit->SetEditorEnabled(false);
    scene.Edit->SelectAll();
    scene.Type("7\b");
    test::TypeKey(VK_DELETE);
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, "99");
    CloseClipboard();
    scene.Type("\x16");
    scene.Edit->Perform(WM_PASTE, 0, 0);
    scene.Edit->Perform(WM_CLEAR, 0, 0);
    EXPECT_EQ(scene.Edit->Text(), "42");
    {
        // Its own context menu offers nothing that would change the text either.
        const test::TFixedMenuFont menuFont;
        std::vector<std::string> offered;
        TModalScript script;
        script.Then([&] {
            for (TMenuWindow* menu : test::OpenMenus()) {
                const TMenuItem& items = menu->ParentItem();
                for (int32_t i = 0; i < items.Count(); ++i)
                    if (items.Items(i)->Enabled() && items.Items(i)->Caption() != "-")
                        offered.push_back(items.Items(i)->Caption());
            }
            test::TapKey(VK_ESCAPE);
        });
        const TPoint at = scene.Edit->ClientToScreen(Point(10, 5));
        scene.Edit->Perform(WM_CONTEXTMENU, scene.Edit->Handle(), MAKELONG(at.X, at.Y));
        test::PumpUntilIdle();
        EXPECT_EQ(offered, (std::vector<std::string>{"&Copy"}));
    }
    test::TypeKey(VK_UP);  // the buttons and arrows still step
    EXPECT_EQ(scene.Edit->Value(), 43);

    scene.Edit->SetEnabled(false);
    EXPECT_FALSE(scene.Edit->Button()->Enabled());
}

TEST(SpinEdit, PutsItsTextRightWhenTheFocusLeaves) {
    const struct {
        const char* Typed;
        int32_t Min, Max;
        const char* Left;
    } cases[] = {{"15", 1, 10, "10"},
                 {"-4", 1, 10, "1"},
                 {"abc", 1, 10, "1"},
                 {"", 0, 0, "0"},
                 {"+7", 0, 0, "7"},
                 {"5", 1, 10, "5"},
                 // past the 32-bit range: the nearest end of it, then the limits
                 {"99999999999", 0, 0, "2147483647"},
                 {"-99999999999999999999999", 0, 0, "-2147483648"},
                 {"99999999999", 1, 100, "100"},
                 {"-", 1, 100, "1"},
                 {"+-5", 1, 100, "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        TSpinScene scene;
        auto* other = scene.Shown.Add<test::TPlainPanel>(scene.Shown.Form, Rect(8, 40, 50, 60));
        other->SetTabStop(true);
        scene.Edit->SetMinValue(c.Min);
        scene.Edit->SetMaxValue(c.Max);
        scene.Edit->SetText(c.Typed);
        other->SetFocus();
        EXPECT_EQ(scene.Edit->Text(), c.Left);
    }
}

TEST(SpinEdit, LooksAsReviewed) {
    TSpinScene scene;
    const test::TSteadyCaret steady;
    scene.Edit->SetValue(42);
    scene.Edit->SetSelStart(2);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Edit, kPictures, "spinedit"));
    TSpinButton* button = scene.Edit->Button();
    InjectMouseMove(button->ClientToScreen(Point(button->Width() / 2, 2)));
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Edit, kPictures, "spinedit_up_held"));
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
}

}  // namespace
}  // namespace vex
