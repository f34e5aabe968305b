#include "dataaware/edits/wwdbcomb.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dataaware/edits/wwdbcomb_testsupport.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::kFruit;
using test::PressKey;
using test::TBoundComboScene;
using test::TComboScene;
using test::TypeText;

TEST(DBComboBox, CommandKeysNeitherSearchNorOpenNorClear) {
    struct TCase {
        const char* Name;
        TComboBoxStyle Style;
        bool AutoDropDown, Open;
        int32_t Key;
        std::vector<int32_t> Modifiers;
    };
    const std::vector<TCase> cases = {
        {"copy in a closed list", csDropDownList, false, false, 'C', {VK_CONTROL}},
        {"copy with auto drop-down", csDropDown, true, false, 'C', {VK_CONTROL}},
        {"windows key with auto drop-down", csDropDown, true, false, VK_LWIN, {}},
        {"copy in a list just opened", csDropDownList, false, true, 'C', {VK_CONTROL}},
        {"a menu's letter in a closed list", csDropDownList, false, false, 'M', {VK_MENU}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TComboScene scene(kFruit, c.Style);
        scene.Combo->SetAutoDropDown(c.AutoDropDown);
        PressKey(VK_DOWN);  // Apple
        if (c.Open) PressKey(VK_DOWN, {VK_MENU});
        PressKey(c.Key, c.Modifiers);
        EXPECT_EQ(scene.Combo->Text(), "Apple");
        EXPECT_EQ(scene.ListShows(), c.Open);
    }
}

TEST(DBComboBox, EscapeAfterTypingIntoTheOpenListKeepsAListOnlyCombosValue) {
    struct TCase {
        TComboBoxStyle Style;
        std::string Text, Stored;
        int Writes;
    };
    // A drop-down combo takes any text: the typed one stays and is written on leaving.
    for (const TCase& c :
         std::vector<TCase>{{csDropDownList, "Mango", "Mango", 0}, {csDropDown, "b", "b", 1}}) {
        SCOPED_TRACE(c.Style);
        TBoundComboScene bound(kFruit, "Fruit", c.Style);
        auto* other = bound.Scene->Add<TwwDBComboBox>(bound.Scene->Form, Rect(10, 120, 130, 140));
        PressKey(VK_DOWN, {VK_MENU});
        TypeText("b");
        EXPECT_EQ(bound.Combo().Text(), "b");
        PressKey(VK_ESCAPE);
        EXPECT_EQ(bound.Combo().Text(), c.Text);
        other->SetFocus();
        test::PumpUntilIdle();
        EXPECT_EQ(bound.Stored("Fruit"), c.Stored);
        EXPECT_EQ(bound.Writes, c.Writes);
    }
}

TEST(DBComboBox, AReadOnlyUnboundComboKeepsItsItemWhateverIsPressed) {
    struct TCase {
        const char* Name;
        std::function<void(TComboScene&)> Press;
    };
    const std::vector<TCase> cases = {
        {"Down", [](TComboScene&) { PressKey(VK_DOWN); }},
        {"a letter", [](TComboScene&) { TypeText("b"); }},
        {"Delete", [](TComboScene&) { PressKey(VK_DELETE); }},
        {"Enter on another row",
         [](TComboScene&) {
             PressKey(VK_DOWN, {VK_MENU});
             PressKey(VK_DOWN);
             PressKey(VK_RETURN);
         }},
        {"a click on another row",
         [](TComboScene& Scene) {
             Scene.Combo->Button().Click();
             Scene.ClickRow(2);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TComboScene scene(kFruit, csDropDownList);
        scene.Combo->SetItemIndex(0);
        scene.Combo->SetAllowClearKey(true);
        scene.Combo->SetReadOnly(true);
        c.Press(scene);
        EXPECT_EQ(scene.Combo->Text(), "Apple");
        EXPECT_FALSE(scene.Combo->Modified());
    }
}

}  // namespace
}  // namespace vex
