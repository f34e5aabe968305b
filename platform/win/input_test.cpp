#include "platform/win/input.h"

#include <chrono>

#include "platform/win/doubleclick.h"
#include "platform/win/input_testsupport.h"
#include "platform/win/messageloop.h"
#include "platform/win/messagequeue.h"
#include "platform/win/toplevel.h"
#include "platform/win/windowstore.h"

namespace vex {
namespace {

using test::InputScene;

// A borderless main window at (100, 100) with a child holding a grandchild, a disabled child and
// a hidden one.
class MouseRouting : public InputScene {
protected:
    MouseRouting() {
        Main = Make("main", WS_POPUP | WS_VISIBLE, TRect{100, 100, 400, 300});
        A = Make("a", WS_CHILD | WS_VISIBLE, TRect{10, 10, 110, 110}, Main);
        Deep = Make("deep", WS_CHILD | WS_VISIBLE, TRect{10, 10, 50, 50}, A);
        Disabled =
            Make("disabled", WS_CHILD | WS_VISIBLE | WS_DISABLED, TRect{150, 10, 250, 110}, Main);
        Hidden = Make("hidden", WS_CHILD, TRect{10, 150, 100, 190}, Main);
        Pump();
        Take();
    }
    HWND Main, A, Deep, Disabled, Hidden;
};

TEST_F(MouseRouting, MovesGoToTheDeepestShownEnabledWindowInItsClientCoordinates) {
    struct TCase {
        TPoint Screen;
        const char* Expected;
    };
    const TCase cases[] = {
        {{130, 130}, "deep WM_MOUSEMOVE 0 10,10\n"},
        {{115, 115}, "a WM_MOUSEMOVE 0 5,5\n"},
        {{105, 105}, "main WM_MOUSEMOVE 0 5,5\n"},
        {{260, 120}, "main WM_MOUSEMOVE 0 160,20\n"},  // over the disabled child
        {{120, 260}, "main WM_MOUSEMOVE 0 20,160\n"},  // over the hidden child
        {{50, 50}, ""},                                // over no window
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Expected);
        InjectMouseMove(c.Screen);
        Pump();
        EXPECT_EQ(Take(), c.Expected);
    }
}

TEST_F(MouseRouting, ButtonsCarryTheHeldButtonsAndKeys) {
    InjectMouseMove({130, 130});
    InjectKey(VK_SHIFT, true);
    InjectMouseButton(mbLeft, true);
    InjectMouseMove({131, 131});
    InjectMouseButton(mbLeft, false);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(Take(),
              "deep WM_MOUSEMOVE 0 10,10\n"
              "main WM_KEYDOWN 16\n"
              "deep WM_LBUTTONDOWN 5 10,10\n"  // MK_LBUTTON | MK_SHIFT
              "deep WM_MOUSEMOVE 5 11,11\n"
              "deep WM_LBUTTONUP 4 11,11\n"
              "main WM_KEYUP 16\n");
}

TEST_F(MouseRouting, TheCaptureTakesEveryMouseMessageWherever) {
    EXPECT_EQ(SetCapture(A), 0u);
    InjectMouseMove({50, 50});
    Pump();
    InjectMouseMove({130, 130});
    Pump();
    EXPECT_EQ(Take(), "a WM_MOUSEMOVE 0 -60,-60\na WM_MOUSEMOVE 0 20,20\n");
    EXPECT_EQ(SetCapture(Deep), A);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(Take(), "a WM_CAPTURECHANGED deep\ndeep WM_CAPTURECHANGED -\n");
}

TEST_F(MouseRouting, TheSystemTakesTheCaptureFromWindowsThatCanNoLongerHoldIt) {
    const std::function<void()> takers[] = {
        [&] { EnableWindow(A, false); },
        [&] { ShowWindow(A, SW_HIDE); },
        [&] { ShowWindow(Main, SW_HIDE); },
        [&] { DestroyWindow(A); },
    };
    for (const auto& take : takers) {
        if (!IsWindow(A)) A = Make("a", WS_CHILD | WS_VISIBLE, TRect{10, 10, 110, 110}, Main);
        ShowWindow(Main, SW_SHOW);
        ShowWindow(A, SW_SHOW);
        EnableWindow(A, true);
        SetCapture(A);
        Take();
        take();
        EXPECT_EQ(GetCapture(), 0u);
        const std::string lines = Take();
        EXPECT_NE(lines.find("a WM_CANCELMODE\na WM_CAPTURECHANGED -\n"), std::string::npos)
            << lines;
    }
}

// Writes down which window the display is told to send the pointer's events to.
class CapturePresenter : public THeadlessPresenter {
public:
    explicit CapturePresenter(std::vector<HWND>& Grabs) : FGrabs(Grabs) {}
    void CapturePointer(HWND Wnd) override { FGrabs.push_back(Wnd); }

private:
    std::vector<HWND>& FGrabs;
};

TEST_F(MouseRouting, AWindowOnItsWayOutOrInsideOneCannotTakeTheCapture) {
    std::vector<HWND> grabs;
    const test::PresenterOverride display(std::make_unique<CapturePresenter>(grabs));
    const HWND top = Make("top", WS_POPUP | WS_VISIBLE, TRect{0, 0, 50, 50});
    const HWND lone = Make("lone", WS_CHILD | WS_VISIBLE, TRect{30, 0, 40, 10}, top);
    const HWND panel = Make("panel", WS_CHILD | WS_VISIBLE, TRect{0, 0, 20, 20}, top);
    const HWND inner = Make("inner", WS_CHILD | WS_VISIBLE, TRect{0, 0, 10, 10}, panel);
    // The window told it is being destroyed, and the one it hands the capture to: itself, or
    // a child that hears of it later.
    const std::pair<HWND, HWND> cases[] = {{lone, lone}, {panel, inner}};
    for (const auto& c : cases) {
        SCOPED_TRACE(GetWindowText(c.first));
        Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM, LRESULT&) {
            if (Wnd == c.first && Msg == WM_DESTROY) SetCapture(c.second);
            return false;
        };
        DestroyWindow(c.first);
        EXPECT_EQ(GetCapture(), 0u);
        // Else the display would keep the pointer for the top-level window that stays.
        EXPECT_TRUE(grabs.empty() || grabs.back() == 0);
    }
}

TEST_F(MouseRouting, ActivatingAnotherTopLevelWindowCancelsTheCapture) {
    const HWND other = Make("other", WS_POPUP | WS_VISIBLE, TRect{500, 100, 600, 200});
    SetActiveWindow(Main);
    SetCapture(Deep);
    Take();
    SetActiveWindow(other);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_NE(Take().find("deep WM_CANCELMODE\ndeep WM_CAPTURECHANGED -\n"), std::string::npos);
}

TEST_F(MouseRouting, NonClientPressesCarryTheHitTestAndScreenPoint) {
    const HWND framed =
        Make("framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL, TRect{500, 100, 700, 300});
    Take();
    struct TCase {
        TPoint Screen;
        LRESULT Hit;
    };
    // The frame is 4 wide, the caption 18 high below it, the bar 16 wide on the right.
    const TCase cases[] = {{{600, 110}, HTCAPTION},
                           {{502, 200}, HTBORDER},
                           {{690, 200}, HTVSCROLL},
                           {{600, 200}, HTCLIENT},
                           {{700, 200}, HTNOWHERE}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Hit);
        EXPECT_EQ(SendMessage(framed, WM_NCHITTEST, 0, MAKELONG(c.Screen.X, c.Screen.Y)), c.Hit);
    }
    Click({600, 110});
    Pump();
    EXPECT_EQ(Take(),
              "framed WM_NCMOUSEMOVE 2 600,110\n"
              "framed WM_NCLBUTTONDOWN 2 600,110\n"
              "framed WM_NCLBUTTONUP 2 600,110\n");
}

TEST_F(MouseRouting, APressOnAnInactiveWindowActivatesItUnlessItSaysNot) {
    const HWND other = Make("other", WS_POPUP | WS_VISIBLE, TRect{500, 100, 600, 200});
    EXPECT_EQ(GetActiveWindow(), other);
    Click({130, 130});
    Pump();
    EXPECT_EQ(GetActiveWindow(), Main);
    SetActiveWindow(other);
    Intercept = [](HWND, UINT Msg, WPARAM, LPARAM, LRESULT& Answer) {
        Answer = MA_NOACTIVATEANDEAT;
        return Msg == WM_MOUSEACTIVATE;
    };
    Take();
    Click({130, 130});
    Pump();
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(Take(), "deep WM_MOUSEMOVE 0 10,10\ndeep WM_LBUTTONUP 0 10,10\n");
}

TEST_F(MouseRouting, TheWheelGoesToTheFocusWithItsSignedDelta) {
    SetFocus(Deep);
    InjectMouseMove({300, 250});
    InjectMouseWheel(-WHEEL_DELTA);
    InjectKey(VK_CONTROL, true);
    InjectMouseWheel(2 * WHEEL_DELTA);
    InjectKey(VK_CONTROL, false);
    Pump();
    Take();
    // DefWindowProc passes it up; the log shows every window it reached.
    InjectMouseWheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Take(),
              "deep WM_MOUSEWHEEL -120 0 300,250\n"
              "a WM_MOUSEWHEEL -120 0 300,250\n"
              "main WM_MOUSEWHEEL -120 0 300,250\n");
    InjectKey(VK_CONTROL, true);
    InjectMouseWheel(2 * WHEEL_DELTA);
    Pump();
    EXPECT_NE(Take().find("deep WM_MOUSEWHEEL 240 8 300,250\n"), std::string::npos);
}

TEST_F(MouseRouting, SetCursorPosMovesThePointerAndMakesAMove) {
    ASSERT_TRUE(SetCursorPos(130, 130));
    TPoint at;
    ASSERT_TRUE(GetCursorPos(at));
    EXPECT_EQ(at, (TPoint{130, 130}));
    Pump();
    EXPECT_EQ(Take(), "deep WM_MOUSEMOVE 0 10,10\n");
}

TEST_F(MouseRouting, DiscardingDropsTheWindowsWaitingMouseMessagesAlone) {
    Click({130, 130});
    InjectKey('A', true);
    SetFocus(A);
    Take();
    DiscardMouseMessages(Deep);
    Pump();
    EXPECT_EQ(Take(), "a WM_KEYDOWN 65\n");
}

struct TDoubleClickCase {
    const char* Class;
    int32_t Delay;  // from the first press to the second
    int32_t Shift;  // how far the second press lies from the first
    const char* Second;
    const char* Third;  // 10 ms after the second
};

class DoubleClicks : public InputScene, public ::testing::WithParamInterface<TDoubleClickCase> {};

TEST_P(DoubleClicks, ASecondPressSoonAndNearEnoughIsADoubleClick) {
    const TDoubleClickCase& c = GetParam();
    Make("w", WS_POPUP | WS_VISIBLE, TRect{0, 0, 100, 100}, 0, c.Class);
    Take();
    Click({50, 50});
    Clock.Advance(c.Delay);
    Click({50 + c.Shift, 50});
    Clock.Advance(10);
    InjectMouseButton(mbLeft, true);
    Pump();
    std::vector<std::string> presses;
    for (const std::string& line : Lines)
        if (line.find("DOWN") != std::string::npos || line.find("DBLCLK") != std::string::npos)
            presses.push_back(line.substr(0, line.find(' ', 2 + line.find(' '))));
    ASSERT_EQ(presses.size(), 3u);
    EXPECT_EQ(presses[0], "w WM_LBUTTONDOWN");
    EXPECT_EQ(presses[1], std::string("w ") + c.Second);
    EXPECT_EQ(presses[2], std::string("w ") + c.Third);
}

INSTANTIATE_TEST_SUITE_P(
    Input, DoubleClicks,
    // After a double click a press starts again; after a plain one it makes a double click.
    ::testing::Values(TDoubleClickCase{"InputProbe", 100, 0, "WM_LBUTTONDBLCLK", "WM_LBUTTONDOWN"},
                      TDoubleClickCase{"InputProbe", 500, 2, "WM_LBUTTONDBLCLK", "WM_LBUTTONDOWN"},
                      TDoubleClickCase{"InputProbe", 501, 0, "WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK"},
                      TDoubleClickCase{"InputProbe", 100, 3, "WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK"},
                      TDoubleClickCase{"PlainProbe", 100, 0, "WM_LBUTTONDOWN", "WM_LBUTTONDOWN"}));

TEST_F(MouseRouting, TheDoubleClickTimeCanBeSetAndPutBack) {
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    SetDoubleClickTime(200);
    EXPECT_EQ(GetDoubleClickTime(), 200u);
    SetDoubleClickTime(0);
    EXPECT_EQ(GetDoubleClickTime(), 500u);
}

TEST_F(MouseRouting, TheKeyStateChangesWhenTheKeyIsTakenNotWhenItIsInjected) {
    SetFocus(A);
    InjectKey(VK_SHIFT, true);
    EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // looking is not taking
    ASSERT_TRUE(PeekMessage(msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, A);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    InjectKey(VK_SHIFT, false);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    Pump();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    // A right-hand Ctrl is Ctrl too, on the device and once taken.
    InjectKey(VK_RCONTROL, true);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    Pump();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    InjectKey(VK_RCONTROL, false);
    Pump();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0);
}

TEST_F(MouseRouting, KeysGoToTheFocusOrAsSystemKeysToTheActiveWindow) {
    SetFocus(0);
    SetActiveWindow(Main);
    Take();
    Key('A');
    InjectKey(VK_MENU, true);
    Key('F');
    InjectKey(VK_MENU, false);
    Key(VK_F10);
    Pump();
    EXPECT_EQ(Take(),
              "main WM_SYSKEYDOWN 65\nmain WM_SYSKEYUP 65\n"
              "main WM_SYSKEYDOWN 18\nmain WM_SYSKEYDOWN 70\nmain WM_SYSKEYUP 70\n"
              "main WM_SYSKEYUP 18\nmain WM_SYSKEYDOWN 121\nmain WM_SYSKEYUP 121\n");
}

TEST_F(MouseRouting, APeekFilteredOnKeysLeavesTheMouseMessagesBeforeThem) {
    SetFocus(A);
    Take();
    InjectMouseMove({130, 130});
    InjectKey(VK_ESCAPE, true);
    InjectMouseMove({115, 115});
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, 0, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    ASSERT_TRUE(PeekMessage(msg, 0, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_FALSE(PeekMessage(msg, 0, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    Pump();
    EXPECT_EQ(Take(), "deep WM_MOUSEMOVE 0 10,10\na WM_MOUSEMOVE 0 5,5\n");
}

TEST_F(MouseRouting, AMillionInjectedEventsStayBoundedAndPumpQuickly) {
    const auto start = std::chrono::steady_clock::now();
    size_t refused = 0;
    for (int i = 0; i < 1000000; ++i) {
        const bool taken = i % 4 == 0   ? InjectMouseMove({100 + i % 300, 100 + i % 200})
                           : i % 4 == 1 ? InjectMouseButton(mbLeft, true)
                           : i % 4 == 2 ? InjectMouseButton(mbLeft, false)
                                        : InjectKey('A', i % 8 == 3);
        refused += taken ? 0 : 1;
    }
    EXPECT_LE(TMessageQueue::Instance().RawInputCount(), TMessageQueue::MaxRawInput);
    EXPECT_GT(refused, 0u);
    Pump();
    Lines.clear();
    EXPECT_EQ(TMessageQueue::Instance().RawInputCount(), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    // The flood ended with everything let go: no key or button is left down for having had
    // its release refused.
    for (int32_t key : {int32_t{VK_LBUTTON}, int32_t{'A'}}) {
        SCOPED_TRACE(key);
        EXPECT_GE(GetAsyncKeyState(key), 0);
        EXPECT_GE(GetKeyState(key), 0);
    }
}

TEST_F(MouseRouting, AFullQueueRefusesPressesButTakesTheReleasesOfWhatIsHeld) {
    InjectKey(VK_SHIFT, true);
    while (InjectMouseButton(mbRight, true) && InjectMouseButton(mbRight, false)) {
    }
    // The refused event did not happen: the device does not hold what it refused to press.
    EXPECT_GE(GetAsyncKeyState(VK_RBUTTON), 0);
    EXPECT_FALSE(InjectKey('B', true));
    EXPECT_GE(GetAsyncKeyState('B'), 0);
    EXPECT_TRUE(InjectKey(VK_SHIFT, false));
    Pump();
    Lines.clear();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_GE(GetKeyState(VK_RBUTTON), 0);
}

TEST_F(MouseRouting, InputForWindowsFreedBeforeItIsTakenGoesToWhatIsThereThen) {
    Click({130, 130});
    SetFocus(Deep);
    InjectKey('A', true);
    Take();
    DestroyWindow(Deep);
    Pump();
    // The focus went to the top-level window with the freed one.
    EXPECT_EQ(Take(),
              "deep WM_KILLFOCUS main\nmain WM_SETFOCUS deep\n"
              "a WM_MOUSEMOVE 0 20,20\na WM_LBUTTONDOWN 1 20,20\na WM_LBUTTONUP 0 20,20\n"
              "main WM_KEYDOWN 65\n");
    // A display's event for a window that is gone is dropped.
    const HWND gone = Make("gone", WS_POPUP | WS_VISIBLE, TRect{0, 0, 10, 10});
    DestroyWindow(gone);
    Take();
    WindowTreeSink().Input(MSG{gone, WM_MOUSEMOVE, 0, MAKELONG(1, 1), 0});
    Pump();
    EXPECT_EQ(Take(), "");
}

TEST_F(MouseRouting, TheDisplaysKeyboardActivatesAndDeactivatesWindows) {
    const HWND other = Make("other", WS_POPUP | WS_VISIBLE, TRect{500, 100, 600, 200});
    ASSERT_EQ(GetActiveWindow(), other);
    WindowTreeSink().Focus(Main, true);
    Pump();
    EXPECT_EQ(GetActiveWindow(), Main);
    // Leaving one window of ours for another keeps the application active.
    WindowTreeSink().Focus(Main, false);
    WindowTreeSink().Focus(other, true);
    Pump();
    EXPECT_EQ(GetActiveWindow(), other);
    WindowTreeSink().Focus(other, false);
    Pump();
    EXPECT_EQ(GetActiveWindow(), 0u);
    EXPECT_EQ(GetFocus(), 0u);
}

TEST_F(MouseRouting, AMoveThatReplacesOneBeingRoutedIsTheOneTaken) {
    bool moved = false;
    Intercept = [&](HWND, UINT Msg, WPARAM, LPARAM, LRESULT&) {
        if (Msg == WM_NCHITTEST && !std::exchange(moved, true)) SetCursorPos(115, 115);
        return false;
    };
    InjectMouseMove({130, 130});
    Pump();
    EXPECT_EQ(Take(), "a WM_MOUSEMOVE 0 5,5\n");
}

TEST_F(MouseRouting, AHitTestThatMovesThePointerEveryTimeCannotHoldTheLoop) {
    int hits = 0;
    Intercept = [&](HWND, UINT Msg, WPARAM, LPARAM, LRESULT&) {
        if (Msg == WM_NCHITTEST && ++hits < 1000) SetCursorPos(115 + hits % 2, 115);
        return false;
    };
    InjectMouseMove({130, 130});
    Pump();
    EXPECT_LT(hits, 100);
}

TEST_F(MouseRouting, InputLeftForTheNextLookDoesNotLetTheLoopSleep) {
    int hits = 0;
    Intercept = [&](HWND, UINT Msg, WPARAM, LPARAM, LRESULT&) {
        if (Msg == WM_NCHITTEST && ++hits < 20) SetCursorPos(115 + hits % 2, 115);
        return false;
    };
    InjectMouseMove({130, 130});
    const auto moved = [&] { return !Lines.empty(); };
    EXPECT_EQ(ProcessMessagesUntil(moved, int64_t{GetTickCount()} + 1000), TWaitResult::Condition);
    EXPECT_EQ(Take(), "a WM_MOUSEMOVE 0 6,5\n");
}

}  // namespace
}  // namespace vex
