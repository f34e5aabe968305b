#include "platform/win/windowpos.h"

#include <gtest/gtest.h>

#include "platform/win/nonclient.h"
#include "platform/win/scrollbars.h"
#include "platform/win/toplevel.h"
#include "platform/win/updateregion.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowstyles.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::MessageLog;

const TRect kMain{10, 20, 210, 170};

DWORD StyleBits(const std::string& Names) {
    return test::FlagsOf(Names, {{"0", 0},
                                 {"WS_POPUP", WS_POPUP},
                                 {"WS_CHILD", WS_CHILD},
                                 {"WS_BORDER", WS_BORDER},
                                 {"WS_DLGFRAME", WS_DLGFRAME},
                                 {"WS_THICKFRAME", WS_THICKFRAME},
                                 {"WS_CAPTION", WS_CAPTION},
                                 {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW},
                                 {"WS_VSCROLL", WS_VSCROLL},
                                 {"WS_HSCROLL", WS_HSCROLL},
                                 {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE},
                                 {"WS_EX_DLGMODALFRAME", WS_EX_DLGMODALFRAME}});
}

TEST(NonClient, EachStyleSetLeavesTheClassicClientArea) {
    MessageLog log;
    const HWND parent = log.Create("parent", WS_POPUP, {0, 0, 300, 300});
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/nonclient.txt")) {
        SCOPED_TRACE(c.Where);
        const DWORD style = StyleBits(c[0]);
        const DWORD exStyle = StyleBits(c[1]);
        const TRect window{0, 0, static_cast<int32_t>(c.Int(2)), static_cast<int32_t>(c.Int(3))};
        const TRect client{static_cast<int32_t>(c.Int(4)), static_cast<int32_t>(c.Int(5)),
                           static_cast<int32_t>(c.Int(6)), static_cast<int32_t>(c.Int(7))};
        EXPECT_EQ(ClientInside(window, style, exStyle), client);

        // A real window answers the same through WM_NCCALCSIZE.
        const HWND wnd = log.Create("w", style, window, parent, exStyle);
        TRect got;
        GetClientRect(wnd, got);
        EXPECT_EQ(got, (TRect{0, 0, client.Right - client.Left, client.Bottom - client.Top}));
        DestroyWindow(wnd);

        // And the window a client area needs, where the client area fits at all.
        if (IsRectEmpty(client)) continue;
        TRect adjusted = client;
        AdjustWindowRectEx(adjusted, style, false, exStyle);
        EXPECT_EQ(adjusted, window);
    }
}

TEST(WindowPos, MovingAndSizingSendTheChangesTheyMake) {
    MessageLog log;
    const HWND main = log.Create("main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kMain);
    const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE | WS_BORDER, {5, 5, 55, 35}, main);
    log.Watched = {WM_NCCALCSIZE, WM_SIZE, WM_MOVE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
    log.Take();
    EXPECT_TRUE(MoveWindow(child, 30, 10, 100, 40, true));
    EXPECT_EQ(log.Take(), test::ExpectedMessages("move and size a child"));
    EXPECT_TRUE(SetWindowPos(child, 0, 7, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_EQ(log.Take(), test::ExpectedMessages("move a child without sizing it"));

    TRect rect;
    GetWindowRect(child, rect);
    EXPECT_EQ(rect, (TRect{14 + 7, 42 + 8, 14 + 7 + 100, 42 + 8 + 40}));
    TPoint p{1, 1};
    ClientToScreen(child, p);
    EXPECT_EQ(p, (TPoint{14 + 8 + 1, 42 + 9 + 1}));
    ScreenToClient(main, p);
    EXPECT_EQ(p, (TPoint{8 + 1, 9 + 1}));
    TRect mapped{0, 0, 2, 2};
    const int32_t offset = MapWindowPoints(child, main, mapped);
    EXPECT_EQ(mapped, (TRect{8, 9, 10, 11}));
    EXPECT_EQ(offset, MAKELONG(8, 9));

    log.Watched = {WM_NCCALCSIZE, WM_SIZE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
    ShowScrollBar(main, SB_VERT, true);
    EXPECT_EQ(log.Take(), test::ExpectedMessages("a scroll bar shown shrinks the client area"));
}

TEST(WindowPos, ShowingHidingAndMinimisingFollowTheCommand) {
    MessageLog log;
    const HWND main = log.Create("main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kMain);
    log.Watched = {WM_SHOWWINDOW,  WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE,
                   WM_ACTIVATEAPP, WM_NCACTIVATE,        WM_ACTIVATE};
    log.Take();
    EXPECT_TRUE(ShowWindow(main, SW_HIDE));
    EXPECT_FALSE(ShowWindow(main, SW_SHOWNA));
    EXPECT_EQ(log.Take(), test::ExpectedMessages("hide and show again without activating"));
    EXPECT_EQ(GetActiveWindow(), 0u);

    SetActiveWindow(main);
    log.Take();
    EXPECT_TRUE(ShowWindow(main, SW_MINIMIZE));
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));  // a minimised window is still a visible one
    EXPECT_TRUE(ShowWindow(main, SW_RESTORE));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(log.Take(), test::ExpectedMessages("minimise and restore"));
    EXPECT_THROW(ShowWindow(main, 3), EWindowError);
}

TEST(WindowPos, PointsFindTheDeepestShownEnabledWindowOnTop) {
    MessageLog log;
    const HWND back = log.Create("back", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND front = log.Create("front", WS_POPUP | WS_VISIBLE, {50, 50, 150, 150});
    const HWND a = log.Create("a", WS_CHILD | WS_VISIBLE, {10, 10, 40, 40}, front);
    const HWND b = log.Create("b", WS_CHILD | WS_VISIBLE, {20, 20, 60, 60}, front);
    const HWND hidden = log.Create("hidden", WS_CHILD, {0, 0, 100, 100}, back);
    struct Case {
        TPoint Screen;
        HWND Expected;
    };
    const Case cases[] = {
        {{5, 5}, back},     // hidden children do not count
        {{55, 55}, front},  // the front window covers the back one
        {{65, 65}, a},      // a was made first, so it lies above b
        {{95, 95}, b},      // only b reaches there
        {{200, 200}, 0},    // nothing there
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowFromPoint(c.Screen), c.Expected) << c.Screen.X << "," << c.Screen.Y;
    EXPECT_EQ(ChildWindowFromPoint(front, {25, 25}), a);
    EXPECT_EQ(ChildWindowFromPoint(front, {5, 5}), front);
    EXPECT_EQ(ChildWindowFromPoint(front, {500, 5}), 0u);
    EXPECT_EQ(ChildWindowFromPoint(back, {5, 5}), back);

    EnableWindow(a, false);
    EXPECT_EQ(WindowFromPoint({65, 65}), front);  // a disabled child is passed over
    SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(front, GW_CHILD), b);
    EXPECT_FALSE(IsWindowVisible(hidden));
    ShowWindow(hidden, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(hidden));
    ShowWindow(back, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hidden));  // the whole chain must be visible
}

TEST(WindowPos, EnablingSendsWmEnableOnlyOnAChange) {
    MessageLog log;
    log.Watched = {WM_ENABLE};
    const HWND wnd = log.Create("w", WS_POPUP, {0, 0, 10, 10});
    EXPECT_FALSE(EnableWindow(wnd, false));  // it was enabled
    EXPECT_TRUE(EnableWindow(wnd, false));
    EXPECT_FALSE(IsWindowEnabled(wnd));
    EXPECT_TRUE(EnableWindow(wnd, true));
    EXPECT_TRUE(IsWindowEnabled(wnd));
    EXPECT_EQ(log.Take(), "w WM_ENABLE 0\nw WM_ENABLE 1\n");
}

TEST(WindowPos, HostileCoordinatesStayAtTheEndsOfTheRange) {
    MessageLog log;
    const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE | WS_BORDER, {0, 0, 5, 5}, main);
    ASSERT_TRUE(MoveWindow(child, INT32_MAX - 5, INT32_MIN, INT32_MAX, INT32_MAX, true));
    TRect rect;
    GetWindowRect(child, rect);
    EXPECT_EQ(rect, (TRect{INT32_MAX - 5, INT32_MIN, INT32_MAX, -1}));
    TPoint p{100, 100};
    ClientToScreen(child, p);
    EXPECT_EQ(p.X, INT32_MAX);
    TRect mapped{0, 0, 1, 1};
    MapWindowPoints(child, main, mapped);
    EXPECT_EQ(mapped.Left, INT32_MAX - 4);
    EXPECT_EQ(WindowFromPoint({INT32_MAX - 1, 0}), 0u);
    MoveWindow(child, INT32_MIN, INT32_MIN, -5, -5, true);
    GetClientRect(child, rect);
    EXPECT_EQ(rect, (TRect{0, 0, 0, 0}));
    InvalidateRect(main, nullptr, true);
    MSG msg;
    while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
        DispatchMessage(msg);
}

}  // namespace
}  // namespace vex
