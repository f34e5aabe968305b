#include "platform/win/mousehook.h"

#include "platform/win/input_testsupport.h"

namespace vex {
namespace {

class MouseHooks : public test::InputScene {
protected:
    MouseHooks() {
        Make("w", WS_POPUP | WS_VISIBLE, TRect{0, 0, 100, 100});
        Take();
    }
    ~MouseHooks() override {
        for (HHOOK hook : Installed)
            UnhookWindowsHookEx(hook);
    }
    // A hook that writes down what it sees and passes the message on, or drops presses.
    HHOOK Install(const std::string& Name, bool DropPresses = false) {
        auto handle = std::make_shared<HHOOK>(0);
        *handle = SetWindowsHookEx(WH_MOUSE, [=, this](int Code, WPARAM WParam, LPARAM LParam) {
            const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
            Seen.push_back(Name + " " + std::to_string(Code) + " " + std::to_string(WParam) + " " +
                           std::to_string(info->pt.X) + "," + std::to_string(info->pt.Y) + " " +
                           std::to_string(info->wHitTestCode));
            if (DropPresses && WParam == WM_LBUTTONDOWN) return LRESULT{1};
            return CallNextHookEx(*handle, Code, WParam, LParam);
        });
        Installed.push_back(*handle);
        return *handle;
    }
    std::vector<std::string> Seen;
    std::vector<HHOOK> Installed;
};

TEST_F(MouseHooks, EveryInstallerOwnsItsHookAndTheNewestRunsFirst) {
    const HHOOK first = Install("first");
    const HHOOK second = Install("second");
    EXPECT_NE(first, second);
    InjectMouseMove({20, 30});
    Pump();
    EXPECT_EQ(Seen, (std::vector<std::string>{"second 0 512 20,30 1", "first 0 512 20,30 1"}));
    Seen.clear();
    EXPECT_TRUE(UnhookWindowsHookEx(first));
    EXPECT_FALSE(UnhookWindowsHookEx(first));
    InjectMouseMove({21, 30});
    Pump();
    EXPECT_EQ(Seen, (std::vector<std::string>{"second 0 512 21,30 1"}));
    EXPECT_EQ(SetWindowsHookEx(3, [](int, WPARAM, LPARAM) { return LRESULT{0}; }), 0u);
}

TEST_F(MouseHooks, AHookDropsWhatItAnswersNonZeroTo) {
    Install("dropper", true);
    Click({20, 30});
    Pump();
    EXPECT_EQ(Take(), "w WM_MOUSEMOVE 0 20,30\nw WM_LBUTTONUP 0 20,30\n");
}

TEST_F(MouseHooks, AHookMayUnhookItselfWhileItRuns) {
    HHOOK self = 0;
    self = SetWindowsHookEx(WH_MOUSE, [&](int, WPARAM, LPARAM) {
        UnhookWindowsHookEx(self);
        Seen.push_back("once");
        return LRESULT{0};
    });
    InjectMouseMove({20, 30});
    Pump();
    InjectMouseMove({21, 30});
    Pump();
    EXPECT_EQ(Seen, (std::vector<std::string>{"once"}));
}

TEST_F(MouseHooks, AHookThatUnhooksItselfOrTheNextStillPassesTheMessageOn) {
    Install("last");
    HHOOK middle = Install("middle");
    HHOOK self = 0;
    self = SetWindowsHookEx(WH_MOUSE, [&](int Code, WPARAM WParam, LPARAM LParam) {
        UnhookWindowsHookEx(self);
        UnhookWindowsHookEx(middle);
        Seen.push_back("first");
        return CallNextHookEx(self, Code, WParam, LParam);
    });
    InjectMouseMove({20, 30});
    Pump();
    EXPECT_EQ(Seen, (std::vector<std::string>{"first", "last 0 512 20,30 1"}));
    EXPECT_FALSE(UnhookWindowsHookEx(self));
}

}  // namespace
}  // namespace vex
