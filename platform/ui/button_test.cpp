#include "platform/ui/button.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/buttons_testsupport.h"

namespace vex {
namespace {

using TNames = std::vector<std::string>;

// A dialog's buttons: OK the default, Cancel the cancel button, and a field that is no button
// holding the focus.
class ButtonTest : public ::testing::Test {
public:
    ButtonTest() {
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Field->SetFocus();
        Scene.Settle();
    }

    test::TLog Log;
    test::TButtonsScene Scene;
    test::TLogged* Field =
        Scene.Add<test::TLogged>("Field", Rect(10, 10, 170, 30), nullptr, Log, "field");
    TButton* Ok = Scene.Add<TButton>("OK", Rect(10, 50, 85, 75), nullptr);
    TButton* Cancel = Scene.Add<TButton>("Cancel", Rect(95, 50, 170, 75), nullptr);
};

// The left button pressed over OK and moved about: d down, o out, i back in, u up; the button
// shows pressed while the pointer holding it is over it, and clicks when let go there.
TEST_F(ButtonTest, ThePointerPressesItOnlyWhileOverIt) {
    const struct {
        const char* Steps;
        const char* Pressed;  // after each step
        bool Clicks;
    } cases[] = {
        {"du", "10", true},
        {"dou", "100", false},
        {"doiu", "1010", true},
        {"dioiou", "110100", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Steps);
        Scene.MoveTo(test::TButtonsScene::Middle(*Ok));
        std::string pressed;
        for (const char* step = c.Steps; *step != 0; ++step) {
            switch (*step) {
                case 'd':
                    Scene.Button(true);
                    break;
                case 'u':
                    Scene.Button(false);
                    break;
                case 'o':
                    Scene.MoveTo(test::TButtonsScene::On(*Ok, 100, 12));
                    break;
                case 'i':
                    Scene.MoveTo(test::TButtonsScene::Middle(*Ok));
                    break;
            }
            pressed += Ok->Pressed() ? '1' : '0';
        }
        EXPECT_EQ(pressed, c.Pressed);
        EXPECT_EQ(Scene.TakeClicks(), c.Clicks ? TNames{"OK"} : TNames{});
        EXPECT_EQ(Scene.Form().ModalResult(), c.Clicks ? mrOk : mrNone);
        EXPECT_TRUE(Ok->Focused());  // a press focuses the button, clicked or not
        Scene.Form().SetModalResult(mrNone);
    }
}

TEST_F(ButtonTest, KeysClickTheButtonTheyAreFor) {
    const struct {
        const char* Name;
        std::function<void(ButtonTest&)> Focus;
        int32_t Key;
        std::vector<int32_t> Held;
        TNames Clicked;
        TModalResult Result;
    } cases[] = {
        {"Enter on a field: the default", [](ButtonTest&) {}, VK_RETURN, {}, {"OK"}, mrOk},
        {"Escape: the cancel button", [](ButtonTest&) {}, VK_ESCAPE, {}, {"Cancel"}, mrCancel},
        {"Shift+Enter is another key", [](ButtonTest&) {}, VK_RETURN, {VK_SHIFT}, {}, mrNone},
        {"Enter on a button: that one",
         [](ButtonTest& T) { T.Cancel->SetFocus(); },
         VK_RETURN,
         {},
         {"Cancel"},
         mrCancel},
        {"Space on a button", [](ButtonTest& T) { T.Ok->SetFocus(); }, VK_SPACE, {}, {"OK"}, mrOk},
        {"Space on a field", [](ButtonTest&) {}, VK_SPACE, {}, {}, mrNone},
        {"the accelerator with Alt",
         [](ButtonTest& T) { T.Cancel->SetCaption("Can&cel"); },
         'C',
         {VK_MENU},
         {"Cancel"},
         mrCancel},
        {"Enter past a disabled default",
         [](ButtonTest& T) { T.Ok->SetEnabled(false); },
         VK_RETURN,
         {},
         {},
         mrNone},
        {"Escape past a hidden cancel button",
         [](ButtonTest& T) { T.Cancel->SetVisible(false); },
         VK_ESCAPE,
         {},
         {},
         mrNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Focus(*this);
        Scene.Settle();
        Scene.TakeClicks();
        Scene.Type(c.Key, c.Held);
        EXPECT_EQ(Scene.TakeClicks(), c.Clicked);
        EXPECT_EQ(Scene.Form().ModalResult(), c.Result);
        // Put the dialog back as it was.
        Scene.Form().SetModalResult(mrNone);
        Ok->SetEnabled(true);
        Cancel->SetVisible(true);
        Cancel->SetCaption("Cancel");
        Field->SetFocus();
        Scene.Settle();
    }
}

TEST_F(ButtonTest, TheThickBorderGoesToTheFocusedButtonAndBackToTheDefault) {
    const auto active = [&] {
        return std::string(Ok->Active() ? "OK" : "") + (Cancel->Active() ? "Cancel" : "");
    };
    EXPECT_EQ(active(), "OK");
    Cancel->SetFocus();
    Scene.Settle();
    EXPECT_EQ(active(), "Cancel");
    Scene.Type(VK_TAB);
    EXPECT_EQ(active(), "OK");  // the field again
    Ok->SetDefault(false);
    EXPECT_EQ(active(), "");
}

TEST_F(ButtonTest, ASpaceLetGoAfterTheFocusMovedClicksNothing) {
    Ok->SetFocus();
    Scene.Settle();
    InjectKey(VK_SPACE, true);
    Scene.Settle();
    EXPECT_TRUE(Ok->Pressed());
    Scene.Type(VK_TAB);
    InjectKey(VK_SPACE, false);
    Scene.Settle();
    EXPECT_FALSE(Ok->Pressed());
    EXPECT_EQ(Scene.TakeClicks(), TNames{});
}

TEST_F(ButtonTest, AHandlerMayFreeTheButtonItClicked) {
    Ok->OnClick = [this](TObject*) { delete Ok; };
    Scene.ClickOn(*Ok);  // under AddressSanitizer
    Scene.Type(VK_RETURN);
    EXPECT_EQ(Scene.TakeClicks(), TNames{});
}

TEST_F(ButtonTest, AKeyHandlerMayFreeTheFocusedButton) {
    for (const int32_t key : {VK_SPACE, VK_RETURN}) {
        SCOPED_TRACE(key);
        auto* doomed = Scene.Add<TButton>("Doomed", Rect(180, 50, 255, 75), nullptr);
        doomed->OnKeyDown = [doomed](TObject*, uint16_t&, TShiftState) { delete doomed; };
        doomed->SetFocus();
        Scene.Settle();
        Scene.Type(key);  // under AddressSanitizer
        EXPECT_EQ(Scene.TakeClicks(), TNames{});
    }
}

// Enter goes back to the default button once the focused button is gone, however it went.
TEST_F(ButtonTest, TheDefaultButtonTakesEnterBackWhenTheFocusedButtonGoes) {
    const std::vector<std::function<void(TButton*)>> ways = {
        [](TButton* B) { delete B; },
        [](TButton* B) { B->SetVisible(false); },
        [](TButton* B) { B->SetEnabled(false); },
    };
    for (size_t i = 0; i < ways.size(); ++i) {
        SCOPED_TRACE(i);
        auto* other = Scene.Add<TButton>("Other", Rect(180, 50, 255, 75), nullptr);
        other->SetFocus();
        Scene.Settle();
        EXPECT_FALSE(Ok->Active());
        ways[i](other);
        Scene.Settle();
        EXPECT_TRUE(Ok->Active());
        Scene.Type(VK_RETURN);
        EXPECT_EQ(Scene.TakeClicks(), TNames{"OK"});
        if (i > 0) delete other;
        Field->SetFocus();
        Scene.Settle();
    }
}

// A modal run ended by Escape while the mouse holds another button: the form hides, and the
// held button no longer shows pressed when it shows again, nor clicks.
TEST_F(ButtonTest, AButtonHeldWhileItsFormHidesIsLetUp) {
    Scene.MoveTo(test::TButtonsScene::Middle(*Ok));
    Scene.Button(true);
    EXPECT_TRUE(Ok->Pressed());
    Scene.Type(VK_ESCAPE);
    EXPECT_EQ(Scene.Form().ModalResult(), mrCancel);
    Scene.Form().Hide();
    Scene.Settle();
    Scene.Button(false);
    EXPECT_FALSE(Ok->Pressed());
    EXPECT_EQ(Scene.TakeClicks(), TNames{"Cancel"});
}

TEST_F(ButtonTest, LooksAsReviewed) {
    auto* disabled = Scene.Add<TButton>("Disabled", Rect(180, 50, 255, 75), nullptr);
    disabled->SetEnabled(false);
    auto* pressed = Scene.Add<TButton>("&Pressed", Rect(10, 85, 85, 110), nullptr);
    Scene.Settle();
    // OK default, Cancel plain, the field focused.
    EXPECT_TRUE(Scene.LooksAsReviewed(Scene.Form(), "buttons"));
    Scene.MoveTo(test::TButtonsScene::Middle(*pressed));
    InjectMouseButton(mbLeft, true);
    Scene.Settle();
    // Pressed held down, focused, with the border.
    EXPECT_TRUE(Scene.LooksAsReviewed(Scene.Form(), "buttons-focused-pressed"));
    Scene.Button(false);
}

}  // namespace
}  // namespace vex
