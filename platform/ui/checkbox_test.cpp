#include "platform/ui/checkbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/buttons_testsupport.h"

namespace vex {
namespace {

using TNames = std::vector<std::string>;

std::string NameOf(TCheckBoxState State) {
    return State == cbChecked ? "checked" : State == cbGrayed ? "grayed" : "unchecked";
}

class CheckBoxTest : public ::testing::Test {
public:
    test::TButtonsScene Scene;
    TCheckBox* Box = Scene.Add<TCheckBox>("&Spam", Rect(10, 10, 110, 27), nullptr);
    TCheckBox* Other = Scene.Add<TCheckBox>("Other", Rect(10, 40, 110, 57), nullptr);
};

TEST_F(CheckBoxTest, EachWayOfClickingStepsTheStateOn) {
    const struct {
        const char* Name;
        std::function<void(CheckBoxTest&)> Act;
    } ways[] = {
        {"the mouse", [](CheckBoxTest& T) { T.Scene.ClickOn(*T.Box); }},
        {"Space", [](CheckBoxTest&) { test::TButtonsScene::Type(VK_SPACE); }},
        {"the accelerator", [](CheckBoxTest&) { test::TButtonsScene::Type('S', {VK_MENU}); }},
    };
    for (const auto& way : ways)
        for (bool allowGrayed : {false, true}) {
            SCOPED_TRACE(std::string(way.Name) + (allowGrayed ? ", grey allowed" : ""));
            Box->SetAllowGrayed(allowGrayed);
            Box->SetState(cbUnchecked);
            Box->SetFocus();
            Scene.Settle();
            Scene.TakeClicks();
            std::vector<std::string> states;
            for (int i = 0; i < 3; ++i) {
                way.Act(*this);
                states.push_back(NameOf(Box->State()));
            }
            EXPECT_EQ(states, allowGrayed ? (TNames{"grayed", "checked", "unchecked"})
                                          : (TNames{"checked", "unchecked", "checked"}));
            EXPECT_EQ(Scene.TakeClicks(), TNames(3, "Spam"));
            EXPECT_TRUE(Box->Focused());
        }
}

TEST_F(CheckBoxTest, TheProgramsChangesClickToo) {
    Box->SetChecked(true);
    Box->SetChecked(true);  // no change, no click
    EXPECT_TRUE(Box->Checked());
    Box->SetState(cbGrayed);  // set by the program even without AllowGrayed
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Scene.TakeClicks(), TNames(2, "Spam"));
}

TEST_F(CheckBoxTest, APressLetGoElsewhereOrADisabledBoxChangesNothing) {
    Scene.MoveTo(test::TButtonsScene::Middle(*Box));
    Scene.Button(true);
    EXPECT_TRUE(Box->Pressed());
    Scene.MoveTo(test::TButtonsScene::Middle(*Other));
    EXPECT_FALSE(Box->Pressed());
    Scene.Button(false);
    Box->SetEnabled(false);
    Scene.ClickOn(*Box);
    test::TButtonsScene::Type('S', {VK_MENU});
    EXPECT_EQ(Box->State(), cbUnchecked);
    EXPECT_EQ(Other->State(), cbUnchecked);
    EXPECT_EQ(Scene.TakeClicks(), TNames{});
}

TEST_F(CheckBoxTest, LooksAsReviewed) {
    Box->SetChecked(true);
    Other->SetAllowGrayed(true);
    Other->SetState(cbGrayed);
    Other->SetAlignment(taLeftJustify);
    auto* off = Scene.Add<TCheckBox>("Off", Rect(10, 70, 110, 87), nullptr);
    off->SetEnabled(false);
    off->SetChecked(true);
    auto* plain = Scene.Add<TCheckBox>("Plain", Rect(10, 100, 110, 117), nullptr);
    Scene.MoveTo(test::TButtonsScene::Middle(*plain));
    Scene.Button(true);  // held: pressed and focused
    EXPECT_TRUE(Scene.LooksAsReviewed(Scene.Form(), "checkboxes"));
    Scene.Button(false);
}

}  // namespace
}  // namespace vex
