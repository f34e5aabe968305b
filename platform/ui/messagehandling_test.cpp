// Every loop takes a message the same way: the application's OnMessage, the framework's step
// (hints, keys for controls, dialog keys), translation, dispatch. Input here is injected, so it
// takes the routing real input takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/hintcontroller.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/messagedialog.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/messageloop.h"
#include "platform/win/modaldriver.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

void Type(int32_t Key) {
    InjectKey(Key, true);
    InjectKey(Key, false);
}

class MessageHandling : public ::testing::Test {
protected:
    ~MessageHandling() override {
        Application().OnMessage = nullptr;
        ApplicationEvents().CancelHint();
        test::ReleaseAllKeys();
    }
    // What the fields noted since the last look.
    std::vector<std::string> Noted() { return std::exchange(Log, {}); }

    test::TLog Log;
    test::TShownForm Form{Rect(100, 100, 400, 300)};
    test::TLogged* First = Form.Add<test::TLogged>(Form.Form, Rect(10, 10, 90, 30), Log, "first");
    test::TLogged* Second = Form.Add<test::TLogged>(Form.Form, Rect(10, 40, 90, 60), Log, "second");
};

TEST_F(MessageHandling, InjectedKeysReachTheFocusedControlAsKeysAndCharacters) {
    First->SetFocus();
    Application().ProcessMessages();
    Noted();
    Type('A');
    Application().ProcessMessages();
    EXPECT_EQ(Noted(), (std::vector<std::string>{"first keydown 65", "first native key 65",
                                                 "first keypress a", "first native char a"}));
}

// A blocking wait (a socket's, say) takes messages as the application's loop does.
TEST_F(MessageHandling, AWaitHandlesKeysAsEveryLoopDoes) {
    First->SetFocus();
    Application().ProcessMessages();
    Noted();
    Type('A');
    Type(VK_TAB);
    ProcessMessagesUntil([this] { return Second->Focused(); }, Clock().TickMilliseconds() + 2000);
    EXPECT_EQ(Noted(), (std::vector<std::string>{"first keydown 65", "first native key 65",
                                                 "first keypress a", "first native char a",
                                                 "first killfocus", "second setfocus", "first exit",
                                                 "second enter"}));
}

TEST_F(MessageHandling, TabMovesTheFocusWithoutTypingATab) {
    First->SetFocus();
    Application().ProcessMessages();
    Noted();
    Type(VK_TAB);
    Application().ProcessMessages();
    EXPECT_TRUE(Second->Focused());
    for (const std::string& line : Noted())
        EXPECT_EQ(line.find("char"), std::string::npos) << line;
    InjectKey(VK_SHIFT, true);
    Type(VK_TAB);
    InjectKey(VK_SHIFT, false);
    Application().ProcessMessages();
    EXPECT_TRUE(First->Focused());
}

TEST_F(MessageHandling, OnMessageMayKeepAMessageFromEverythingElse) {
    First->SetFocus();
    Application().ProcessMessages();
    Noted();
    std::vector<UINT> seen;
    Application().OnMessage = [&](MSG& Msg, bool& Handled) {
        seen.push_back(Msg.message);
        Handled = Msg.message == WM_KEYDOWN;
    };
    Type('B');
    Application().ProcessMessages();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    EXPECT_EQ(Noted(), std::vector<std::string>{});
}

TEST_F(MessageHandling, DialogKeysEndAModalMessageDialog) {
    struct TCase {
        TMsgDlgButtons Buttons;
        int32_t Key;
        int32_t Expected;
    };
    const std::vector<TCase> cases = {
        {mbOKCancel, VK_RETURN, mrOk},
        {mbOKCancel, VK_ESCAPE, mrCancel},
        {mbYesNoCancel, VK_RETURN, mrYes},
        {mbYesNo, VK_ESCAPE, mrNo},
        {mbAbortRetryIgnore, VK_RETURN, mrRetry},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        TModalScript script;
        script.Then([&] { Type(c.Key); });
        EXPECT_EQ(MessageDlg("Delete the message?", mtConfirmation, c.Buttons, 0), c.Expected);
        EXPECT_EQ(script.Exhausted(), 0);
    }
}

// Enter with Ctrl held is another key: the dialog waits for a plain Enter.
TEST_F(MessageHandling, DialogKeysWithAModifierHeldPressNoButton) {
    TModalScript script;
    script.Then([] {
        InjectKey(VK_CONTROL, true);
        Type(VK_RETURN);
        InjectKey(VK_CONTROL, false);
    });
    script.Then([] { Type(VK_RETURN); });
    EXPECT_EQ(MessageDlg("Delete the message?", mtConfirmation, mbOKCancel, 0), mrOk);
    EXPECT_EQ(script.Pending(), 0u) << "the first Enter ended the dialog";
}

TEST_F(MessageHandling, AKeyEndsTheHintShown) {
    TVirtualClock clock;
    TClockOverride use{clock};
    First->SetHint("Account name");
    First->SetShowHint(true);
    First->SetFocus();
    const TPoint over = First->ClientToScreen(Point(5, 5));
    InjectMouseMove(over);
    THintController& hints = ApplicationEvents().Hints();
    ProcessMessagesUntil([&] { return hints.ShownHint() != nullptr; },
                         clock.TickMilliseconds() + 5000);
    ASSERT_NE(hints.ShownHint(), nullptr);
    Type(VK_SHIFT);
    Application().ProcessMessages();
    EXPECT_EQ(hints.ShownHint(), nullptr);
}

}  // namespace
}  // namespace vex
