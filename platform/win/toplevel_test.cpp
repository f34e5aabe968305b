#include "platform/win/toplevel.h"

#include <gtest/gtest.h>

#include "platform/win/systemmetrics.h"
#include "platform/win/systemparameters.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowstyles.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using test::MessageLog;

const TRect kBox{0, 0, 40, 30};

// The stacking order of the test's own top-level windows, by name.
std::string Stacking(const MessageLog& Log, const std::vector<HWND>& Windows) {
    std::string order;
    EnumWindows(
        [&](HWND Wnd, LPARAM) {
            if (std::find(Windows.begin(), Windows.end(), Wnd) != Windows.end())
                order += Log.NameOf(Wnd) + " ";
            return true;
        },
        0);
    return order;
}

TEST(TopLevel, TopMostWindowsStayInABandAboveTheOthers) {
    MessageLog log;
    const HWND a = log.Create("a", WS_POPUP | WS_VISIBLE, kBox);
    const HWND b = log.Create("b", WS_POPUP | WS_VISIBLE, kBox);
    const HWND c = log.Create("c", WS_POPUP | WS_VISIBLE, kBox);
    const std::vector<HWND> all{a, b, c};
    EXPECT_EQ(Stacking(log, all), "c b a ");
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Stacking(log, all), "a c b ");
    BringWindowToTop(b);
    EXPECT_EQ(Stacking(log, all), "a b c ");  // the top of its own band
    EXPECT_EQ(GetActiveWindow(), b);
    const HWND d = log.Create("d", WS_POPUP | WS_VISIBLE, kBox);
    EXPECT_EQ(Stacking(log, {a, b, c, d}), "a d b c ");
    SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Stacking(log, {a, b, c, d}), "a d b c ");
    EXPECT_FALSE(GetWindowLong(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(d, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Stacking(log, {a, b, c, d}), "a b c d ");
    SetWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Stacking(log, {a, b, c, d}), "a c b d ");
}

TEST(TopLevel, ActivationMovesInTheOriginalsOrderAndFallsToTheNextWindow) {
    MessageLog log;
    const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, kBox);
    const HWND other = log.Create("other", WS_POPUP | WS_VISIBLE, kBox);
    EXPECT_EQ(GetActiveWindow(), other);
    log.Watched = {WM_SHOWWINDOW,  WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
                   WM_ACTIVATEAPP, WM_NCACTIVATE,        WM_ACTIVATE};
    log.Take();
    EXPECT_EQ(SetActiveWindow(main), other);
    EXPECT_EQ(log.Take(), test::ExpectedMessages("activate another window"));
    ShowWindow(main, SW_HIDE);
    EXPECT_EQ(log.Take(),
              test::ExpectedMessages("hiding the active window activates the next one down"));
    EXPECT_EQ(GetForegroundWindow(), other);

    // A window's owner comes before the window next in the stacking order.
    ShowWindow(main, SW_SHOW);
    const HWND third = log.Create("third", WS_POPUP | WS_VISIBLE, kBox);
    const HWND dialog = log.Create("dialog", WS_POPUP | WS_VISIBLE, kBox, main);
    EXPECT_EQ(GetActiveWindow(), dialog);
    DestroyWindow(dialog);
    EXPECT_EQ(GetActiveWindow(), main);

    // Disabled windows take no activation; with none left the application loses it.
    EnableWindow(third, false);
    EXPECT_EQ(SetActiveWindow(third), 0u);
    EXPECT_EQ(GetActiveWindow(), main);
    ShowWindow(other, SW_HIDE);
    log.Take();
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_EQ(GetActiveWindow(), 0u);
    EXPECT_NE(log.Take().find("third WM_ACTIVATEAPP 0"), std::string::npos);
}

TEST(TopLevel, AHandlerToldOfAnActivationChangeMayActivateAnotherWindowItself) {
    MessageLog log;
    const HWND p = log.Create("p", WS_POPUP | WS_VISIBLE, kBox);
    const HWND a = log.Create("a", WS_POPUP | WS_VISIBLE, kBox);
    const HWND b = log.Create("b", WS_POPUP | WS_VISIBLE, kBox);
    SetActiveWindow(p);
    log.Watched = {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP, WM_NCACTIVATE,
                   WM_ACTIVATE};
    log.Take();
    // Told that it loses activation, or that the application gains it, p hands it to b.
    int told = 0;
    UINT handing = WM_ACTIVATE;
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM) -> std::optional<LRESULT> {
        const WPARAM when = Msg == WM_ACTIVATE ? WA_INACTIVE : 1;
        if (Wnd == p && Msg == handing && WParam == when && ++told < 10) SetActiveWindow(b);
        return std::nullopt;
    };
    SetActiveWindow(a);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(log.Take(),
              test::ExpectedMessages(
                  "a window losing activation activates a third one itself, which wins"));
    EXPECT_EQ(GetActiveWindow(), b);

    handing = WM_ACTIVATEAPP;
    for (HWND w : {p, a, b})
        ShowWindow(w, SW_HIDE);
    ASSERT_EQ(GetActiveWindow(), 0u);
    for (HWND w : {p, a, b})
        ShowWindow(w, SW_SHOWNA);
    told = 0;
    SetActiveWindow(a);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(GetActiveWindow(), b);

    // Destroyed while told it loses activation, p leaves it to the window that was to get it.
    log.Intercept = nullptr;
    SetActiveWindow(p);
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM) -> std::optional<LRESULT> {
        if (Wnd == p && Msg == WM_ACTIVATE && WParam == WA_INACTIVE) DestroyWindow(p);
        return std::nullopt;
    };
    SetActiveWindow(a);
    EXPECT_FALSE(IsWindow(p));
    EXPECT_EQ(GetActiveWindow(), a);
    log.Intercept = nullptr;
}

TEST(TopLevel, EachWindowKnowsItsTaskbarAndParkedState) {
    MessageLog log;
    const HWND owner = log.Create("owner", WS_POPUP, kBox);
    const HWND plain = log.Create("plain", WS_POPUP | WS_VISIBLE, kBox);
    const HWND tool = log.Create("tool", WS_POPUP | WS_VISIBLE, kBox, 0, WS_EX_TOOLWINDOW);
    const HWND owned = log.Create("owned", WS_POPUP | WS_VISIBLE, kBox, plain);
    const HWND app = log.Create("app", WS_POPUP | WS_VISIBLE, kBox, plain, WS_EX_APPWINDOW);
    const HWND top = log.Create("top", WS_POPUP | WS_VISIBLE, kBox, 0, WS_EX_TOPMOST);
    const HWND child = log.Create("child", WS_CHILD, kBox, plain);
    struct Case {
        HWND Wnd;
        bool Taskbar;
        bool TopMost;
    };
    for (const Case& c :
         {Case{plain, true, false}, Case{tool, false, false}, Case{owned, false, false},
          Case{app, true, false}, Case{top, true, true}, Case{owner, false, false}}) {
        SCOPED_TRACE(log.NameOf(c.Wnd));
        TTopLevelState state;
        ASSERT_TRUE(GetTopLevelState(c.Wnd, state));
        EXPECT_EQ(state.Taskbar, c.Taskbar);
        EXPECT_EQ(state.TopMost, c.TopMost);
        EXPECT_FALSE(state.Parked);
    }
    TTopLevelState state;
    EXPECT_FALSE(GetTopLevelState(child, state));

    // Parked under a hidden owner window it shows nowhere and has no taskbar button.
    SetParent(plain, owner);
    ASSERT_TRUE(GetTopLevelState(plain, state));
    EXPECT_TRUE(state.Parked && state.Visible && !state.Taskbar);
    EXPECT_FALSE(IsWindowVisible(plain));
    SetParent(plain, 0);
    ShowWindow(plain, SW_MINIMIZE);
    ASSERT_TRUE(GetTopLevelState(plain, state));
    EXPECT_TRUE(state.Iconic && state.Taskbar && !state.Parked);
}

TEST(TopLevel, ThePresenterHearsOfShownWindowsAndItsReportsComeBackAsMessages) {
    std::vector<std::string> calls;
    test::PresenterOverride presenter(std::make_unique<test::RecordingPresenter>(calls));
    MessageLog log;
    log.Watched = {WM_SIZE, WM_MOVE, WM_CLOSE, WM_DESTROY, WM_KEYDOWN, WM_USER};
    const HWND main = log.Create("main", WS_POPUP, {10, 20, 110, 70});
    EXPECT_TRUE(calls.empty());  // hidden windows do not reach a display
    ShowWindow(main, SW_SHOW);
    SetWindowText(main, "Title");
    MoveWindow(main, 5, 6, 100, 50, true);
    std::vector<std::string> expected{"Show main 10,20 100x50 main", "Activate main",
                                      "Show Title 10,20 100x50 Title",
                                      "Show Title 5,6 100x50 Title"};
    EXPECT_EQ(calls, expected);
    calls.clear();

    // What the display reports: only the last move of a batch resizes the tree, and the
    // display is not told of it again.
    log.Take();
    const TPresenterSink sink = WindowTreeSink();
    sink.Moved(main, TRect{0, 0, 60, 40});
    sink.Moved(main, TRect{1, 2, 81, 62});
    EXPECT_EQ(sink.Pixels(main).Width, 100);
    test::PumpUntil([&] { return !log.Lines.empty(); });
    EXPECT_EQ(log.Take(), "main WM_SIZE 0 80x60\nmain WM_MOVE 1,2\n");
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(sink.Pixels(main).Width, 80);
    EXPECT_EQ(sink.Pixels(main).Height, 60);

    // Input waits behind posted messages; the close button posts WM_CLOSE.
    sink.Input(MSG{main, WM_KEYDOWN, 65, 0, 0});
    PostMessage(main, WM_USER, 0, 0);
    test::PumpUntil([&] { return log.Lines.size() == 2; });
    EXPECT_EQ(log.Take(), "main WM_USER\nmain WM_KEYDOWN\n");
    sink.CloseRequested(main);
    test::PumpUntil([&] { return !IsWindow(main); });
    EXPECT_EQ(log.Take(), "main WM_CLOSE\nmain WM_DESTROY\n");
    expected = {"Hide Title", "Forget Title"};
    EXPECT_EQ(calls, expected);
}

TEST(TopLevel, ANewPresenterIsShownWhatShowsAlready) {
    MessageLog log;
    const HWND shown = log.Create("shown", WS_POPUP | WS_VISIBLE, {1, 2, 11, 12});
    log.Create("hidden", WS_POPUP, {0, 0, 10, 10});
    std::vector<std::string> calls;
    test::PresenterOverride presenter(std::make_unique<test::RecordingPresenter>(calls));
    const std::vector<std::string> expected{"Show shown 1,2 10x10 shown", "Present 0,0,10,10 shown",
                                            "Activate shown"};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(GetActiveWindow(), shown);
}

TEST(SystemValues, TheClassicMetricsTheScreenAndTheStoredSettings) {
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 18);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    {
        test::PresenterOverride screen(std::make_unique<THeadlessPresenter>(TRect{0, 0, 640, 480}));
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    }
    // The work area is the screen's until one is set; the settings live as long as the process.
    TRect original;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &original, 0));
    EXPECT_EQ(original, Presenter().ScreenRect());
    TRect work{0, 0, 1024, 738};
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0));
    TRect read;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &read, 0);
    EXPECT_EQ(read, work);
    TRect empty{};
    EXPECT_FALSE(SystemParametersInfo(SPI_SETWORKAREA, 0, &empty, 0));
    SystemParametersInfo(SPI_SETWORKAREA, 0, &original, 0);

    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    ANIMATIONINFO animation{sizeof(ANIMATIONINFO), 0};
    ASSERT_TRUE(SystemParametersInfo(SPI_SETANIMATION, 0, &animation, 0));
    animation.iMinAnimate = 5;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETANIMATION, 0, &animation, 0));
    EXPECT_EQ(animation.iMinAnimate, 0);
    animation.iMinAnimate = 1;
    SystemParametersInfo(SPI_SETANIMATION, 0, &animation, 0);
    animation.cbSize = 12;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETANIMATION, 0, &animation, 0));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETWORKAREA, 0, nullptr, 0));

    DLLVERSIONINFO version{sizeof(DLLVERSIONINFO), 0, 0, 0, 0};
    ASSERT_TRUE(GetCommonControlsVersion(version));
    EXPECT_GE(version.dwMajorVersion * 100 + version.dwMinorVersion, 471u);
    const uint32_t beeps = MessageBeepCount();
    MessageBeep(0);
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    EXPECT_EQ(GetSystemFontHeight(), 16);
}

}  // namespace
}  // namespace vex
