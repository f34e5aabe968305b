// The application window on an Xvfb display: shown with the main form but never on a taskbar
// (read back with xprop as a window manager would), and gone from the screen with the forms when
// the application hides in the tray.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "components/misc/PGTray95.h"
#include "platform/shell/recordingtrayhost.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

// What a command printed; empty when it could not run.
std::string Output(const std::string& Command) {
    std::string out;
    if (FILE* pipe = popen(Command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr)
            out += buffer;
        pclose(pipe);
    }
    return out;
}

class TrayApplicationOnDisplay : public test::OnDisplayTest {
protected:
    TrayApplicationOnDisplay() {
        SetTrayHost(std::make_unique<TRecordingTrayHost>());
        PresentOnDisplay();
        Application().SetTitle(kAppTitle);
        Main->SetCaption(kMainTitle);
        Main->SetBounds(40, 40, 200, 120);
        ApplicationEvents().SetMainForm(Main.get());
        Icon = new TPGTrayIcon95(Main.get());
        Icon->SetActive(true);
    }
    ~TrayApplicationOnDisplay() override {
        Main.reset();
        SetTrayHost(nullptr);
    }

    // The window's net state as xprop prints it; "" when the window is not on the display.
    std::string NetState(const char* Title) {
        const Window window = FPeer.FindWindow(Title);
        if (window == 0) return "";
        return Output("xprop -display " + FServer.DisplayName() + " -id " + std::to_string(window) +
                      " _NET_WM_STATE");
    }
    // "IsViewable", "IsUnMapped" ... as xwininfo reads it.
    std::string MapState(const char* Title) {
        const Window window = FPeer.FindWindow(Title);
        if (window == 0) return "absent";
        const std::string info =
            Output("xwininfo -display " + FServer.DisplayName() + " -id " + std::to_string(window));
        const size_t at = info.find("Map State: ");
        return at == std::string::npos ? "?" : info.substr(at + 11, info.find('\n', at) - at - 11);
    }
    void Settle() { test::PumpThroughApplicationFor(std::chrono::milliseconds(200)); }

    static constexpr const char* kAppTitle = "Vexbane tray application";
    static constexpr const char* kMainTitle = "Vexbane tray main";
    std::unique_ptr<TForm> Main = std::make_unique<TForm>(nullptr);
    TPGTrayIcon95* Icon;
};

TEST_F(TrayApplicationOnDisplay, TheApplicationWindowShowsAndHidesWithTheFormsOffTheTaskbar) {
    Icon->ShowApplication();
    ASSERT_TRUE(WaitUntilShown(kMainTitle));
    ASSERT_TRUE(WaitUntilShown(kAppTitle));
    EXPECT_NE(NetState(kAppTitle).find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos)
        << NetState(kAppTitle);
    EXPECT_EQ(NetState(kMainTitle).find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos)
        << NetState(kMainTitle);
    EXPECT_EQ(MapState(kAppTitle), "IsViewable");
    EXPECT_EQ(MapState(kMainTitle), "IsViewable");

    Icon->HideApplication();
    Settle();
    EXPECT_EQ(MapState(kAppTitle), "IsUnMapped");
    EXPECT_EQ(MapState(kMainTitle), "IsUnMapped");

    Icon->ShowApplication();
    Settle();
    EXPECT_EQ(MapState(kAppTitle), "IsViewable");
    EXPECT_EQ(MapState(kMainTitle), "IsViewable");
    EXPECT_NE(NetState(kAppTitle).find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos);
}

}  // namespace
}  // namespace vex
