#include "platform/ui/pairedradiobutton.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/buttons_testsupport.h"

namespace vex {
namespace {

using TNames = std::vector<std::string>;

struct TPairScene {
    test::TButtonsScene Scene;
    TPairedRadioButton* Up = Scene.Add<TPairedRadioButton>("&Up", Rect(10, 10, 110, 27), nullptr);
    TPairedRadioButton* Down =
        Scene.Add<TPairedRadioButton>("&Down", Rect(10, 40, 110, 57), nullptr);
    TPairScene() {
        TPairedRadioButton::Pair(*Up, *Down);
        Down->SetChecked(true);
        Up->SetFocus();
        Scene.Settle();
        Scene.TakeClicks();
    }
};

const struct {
    const char* Name;
    std::function<void(TPairScene&)> Press;
} Presses[] = {
    {"the mouse", [](TPairScene& S) { S.Scene.ClickOn(*S.Up); }},
    {"Space", [](TPairScene&) { test::TButtonsScene::Type(VK_SPACE); }},
};

TEST(PairedRadioButton, APressChoosesItAndDropsItsPartnerOnce) {
    for (const auto& press : Presses) {
        SCOPED_TRACE(press.Name);
        TPairScene s;
        press.Press(s);
        press.Press(s);  // chosen already: nothing changes
        EXPECT_TRUE(s.Up->Checked());
        EXPECT_FALSE(s.Down->Checked());
        EXPECT_EQ(s.Scene.TakeClicks(), (TNames{"Up", "Down"}));
    }
}

// A press calls the owner's click handler before the partner is dropped; the owner may
// free either button there, and a partner may be freed before.
TEST(PairedRadioButton, APressSurvivesTheButtonsBeingFreed) {
    for (const auto& press : Presses) {
        SCOPED_TRACE(press.Name);
        {
            TPairScene s;
            s.Up->OnClick = [&s](TObject*) {
                delete std::exchange(s.Down, nullptr);
                delete std::exchange(s.Up, nullptr);
            };
            press.Press(s);
            EXPECT_EQ(s.Up, nullptr);
        }
        {
            TPairScene s;
            delete std::exchange(s.Down, nullptr);
            s.Up->SetFocus();
            press.Press(s);
            EXPECT_TRUE(s.Up->Checked());
        }
    }
}

}  // namespace
}  // namespace vex
