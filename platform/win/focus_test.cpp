#include "platform/win/focus.h"

#include "platform/win/input_testsupport.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

class Focus : public test::InputScene {
protected:
    Focus() {
        Main = Make("main", WS_POPUP | WS_VISIBLE, TRect{0, 0, 300, 200});
        A = Make("a", WS_CHILD | WS_VISIBLE, TRect{10, 10, 100, 100}, Main);
        B = Make("b", WS_CHILD | WS_VISIBLE, TRect{110, 10, 200, 100}, Main);
        Inner = Make("inner", WS_CHILD | WS_VISIBLE, TRect{5, 5, 50, 50}, A);
        Take();
    }
    HWND Main, A, B, Inner;
};

TEST_F(Focus, TheLoserHearsFirstAndEachSideLearnsTheOther) {
    SetFocus(A);
    Take();
    EXPECT_EQ(SetFocus(B), A);
    EXPECT_EQ(GetFocus(), B);
    EXPECT_EQ(Take(), "a WM_KILLFOCUS b\nb WM_SETFOCUS a\n");
    EXPECT_EQ(SetFocus(0), B);
    EXPECT_EQ(Take(), "b WM_KILLFOCUS -\n");
}

TEST_F(Focus, HiddenDisabledAndMissingWindowsAreRefused) {
    SetFocus(A);
    const HWND hidden = Make("hidden", WS_CHILD, TRect{0, 0, 5, 5}, Main);
    const HWND disabled =
        Make("disabled", WS_CHILD | WS_VISIBLE | WS_DISABLED, TRect{0, 0, 5, 5}, Main);
    const HWND underDisabled = Make("under", WS_CHILD | WS_VISIBLE, TRect{0, 0, 5, 5}, disabled);
    Take();
    for (HWND refused : {hidden, disabled, underDisabled, HWND{0x7FFFFFFF}}) {
        EXPECT_EQ(SetFocus(refused), 0u);
        EXPECT_EQ(GetFocus(), A);
    }
    EXPECT_EQ(Take(), "");
}

TEST_F(Focus, AHandlerThatMovesTheFocusAgainWins) {
    SetFocus(A);
    Take();
    // Losing the focus to b, a sends it on to inner; b is never told it had it.
    Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM, LRESULT&) {
        if (Wnd == A && Msg == WM_KILLFOCUS) SetFocus(Inner);
        return false;
    };
    SetFocus(B);
    EXPECT_EQ(GetFocus(), Inner);
    EXPECT_EQ(Take(), "a WM_KILLFOCUS b\ninner WM_SETFOCUS a\n");
    // Getting it, b passes it straight on.
    Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM, LRESULT&) {
        if (Wnd == B && Msg == WM_SETFOCUS) SetFocus(A);
        return false;
    };
    SetFocus(B);
    EXPECT_EQ(GetFocus(), A);
    EXPECT_EQ(Take(),
              "inner WM_KILLFOCUS b\nb WM_SETFOCUS inner\nb WM_KILLFOCUS a\na WM_SETFOCUS b\n");
}

TEST_F(Focus, AFocusedWindowThatCannotKeepItHandsItToItsTopLevelWindow) {
    const std::function<void()> losses[] = {
        [&] { ShowWindow(A, SW_HIDE); },
        [&] { EnableWindow(A, false); },
        [&] { DestroyWindow(A); },
    };
    for (const auto& lose : losses) {
        if (!IsWindow(A)) {
            A = Make("a", WS_CHILD | WS_VISIBLE, TRect{10, 10, 100, 100}, Main);
            Inner = Make("inner", WS_CHILD | WS_VISIBLE, TRect{5, 5, 50, 50}, A);
        }
        ShowWindow(A, SW_SHOW);
        EnableWindow(A, true);
        SetFocus(Inner);
        Take();
        lose();
        EXPECT_EQ(GetFocus(), Main);
        EXPECT_NE(Take().find("inner WM_KILLFOCUS main\nmain WM_SETFOCUS inner\n"),
                  std::string::npos);
    }
    // A top-level window that goes takes the focus with it.
    ShowWindow(Main, SW_HIDE);
    EXPECT_EQ(GetFocus(), 0u);
}

TEST_F(Focus, FocusInAnotherTopLevelWindowActivatesIt) {
    const HWND other = Make("other", WS_POPUP | WS_VISIBLE, TRect{400, 0, 500, 100});
    const HWND child = Make("child", WS_CHILD | WS_VISIBLE, TRect{0, 0, 50, 50}, other);
    SetFocus(A);
    EXPECT_EQ(GetActiveWindow(), Main);
    Take();
    SetFocus(child);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), child);
    // Activation gives the window itself the focus first, as DefWindowProc does.
    EXPECT_EQ(Take(),
              "a WM_KILLFOCUS other\nother WM_SETFOCUS a\nother WM_KILLFOCUS child\n"
              "child WM_SETFOCUS other\n");
    SetActiveWindow(Main);
    EXPECT_EQ(GetFocus(), Main);
}

TEST_F(Focus, AFocusLeftInAWindowThatLostActivationIsDropped) {
    SetFocus(A);
    // The new window keeps WM_ACTIVATE from DefWindowProc, so nothing gives it the focus.
    Intercept = [](HWND, UINT Msg, WPARAM, LPARAM, LRESULT&) { return Msg == WM_ACTIVATE; };
    const HWND other = Make("other", WS_POPUP | WS_VISIBLE, TRect{400, 0, 500, 100});
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), 0u);
    Take();
    Key('A');
    Pump();
    EXPECT_EQ(Take(), "other WM_SYSKEYDOWN 65\nother WM_SYSKEYUP 65\n");
}

}  // namespace
}  // namespace vex
