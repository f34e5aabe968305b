#include "platform/win/windowtree.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/win/toplevel.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::MessageLog;

const TRect kMain{10, 20, 210, 170};

TEST(WindowClasses, ATakenNameFailsAndAClassInUseStaysRegistered) {
    WNDCLASS cls;
    cls.lpfnWndProc = DefWindowProc;
    cls.lpszClassName = "TakenOnce";
    cls.style = 0x0808;
    const ATOM atom = RegisterClass(cls);
    EXPECT_NE(atom, 0);
    cls.lpszClassName = "TAKENONCE";
    EXPECT_THROW(RegisterClass(cls), EWindowError);
    cls.lpszClassName = "";
    EXPECT_THROW(RegisterClass(cls), EWindowError);

    WNDCLASS found;
    ASSERT_TRUE(GetClassInfo("takenonce", found));
    EXPECT_EQ(found.style, 0x0808u);
    const HWND wnd = CreateWindowEx(0, "TakenOnce", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0);
    EXPECT_EQ(GetClassName(wnd), "TakenOnce");
    EXPECT_FALSE(UnregisterClass("TakenOnce"));
    DestroyWindow(wnd);
    EXPECT_TRUE(UnregisterClass("TakenOnce"));
    EXPECT_FALSE(GetClassInfo("TakenOnce", found));
    EXPECT_THROW(CreateWindowEx(0, "TakenOnce", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0), EWindowError);
}

TEST(WindowTree, CreationAndDestructionSendTheOriginalsMessagesInItsOrder) {
    MessageLog log;
    log.Watched = {
        WM_NCCREATE,   WM_NCCALCSIZE,        WM_CREATE,           WM_SIZE,        WM_MOVE,
        WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP, WM_NCACTIVATE,
        WM_ACTIVATE,   WM_DESTROY,           WM_NCDESTROY};
    const HWND main = log.Create("main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kMain);
    EXPECT_EQ(log.Take(), test::ExpectedMessages("create a visible top-level window"));
    const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE | WS_BORDER, {5, 5, 55, 35}, main);
    EXPECT_EQ(log.Take(), test::ExpectedMessages("create a visible child with a border"));
    log.Create("grandchild", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, child);
    const HWND owned = log.Create("owned", WS_POPUP, {0, 0, 10, 10}, child);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), main);  // owned by the top-level window
    log.Take();
    EXPECT_TRUE(DestroyWindow(main));
    EXPECT_EQ(log.Take(), test::ExpectedMessages(
                              "destroy the active window with children and an owned window"));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_EQ(GetActiveWindow(), 0u);
}

TEST(WindowTree, AWindowRefusingCreationIsDestroyedAndAThrowingOneToo) {
    MessageLog log;
    log.Watched = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY};
    log.Intercept = [](HWND, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg == WM_CREATE) return -1;
        return std::nullopt;
    };
    EXPECT_EQ(log.Create("refused", WS_POPUP, {0, 0, 10, 10}), 0u);
    EXPECT_EQ(log.Take(),
              test::ExpectedMessages("a window that refuses WM_CREATE is destroyed at once"));

    HWND made = 0;
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        made = Wnd;
        if (Msg == WM_CREATE) throw EInvalidOperation("no");
        return std::nullopt;
    };
    EXPECT_THROW(log.Create("thrower", WS_POPUP, {0, 0, 10, 10}), EInvalidOperation);
    EXPECT_FALSE(IsWindow(made));
}

TEST(WindowTree, HandlersMayDestroyTheirOwnWindowOrItsParentMidway) {
    MessageLog log;
    const HWND main = log.Create("main", WS_OVERLAPPEDWINDOW, kMain);
    const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, main);
    const HWND sibling = log.Create("sibling", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, main);
    int destroys = 0;
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg == WM_USER) DestroyWindow(Wnd);  // itself, inside its own handler
        if (Msg == WM_DESTROY && Wnd == child) {
            ++destroys;
            EXPECT_FALSE(DestroyWindow(child));  // already on its way
            DestroyWindow(main);                 // and the parent it is being destroyed with
            DestroyWindow(sibling);
        }
        return std::nullopt;
    };
    SendMessage(sibling, WM_USER, 0, 0);
    EXPECT_FALSE(IsWindow(sibling));
    EXPECT_TRUE(DestroyWindow(child));
    EXPECT_EQ(destroys, 1);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(main));

    // A window on its way out cannot be moved out of its parent's destruction, which would
    // leave it half destroyed for good, and no window can be moved under one on its way out.
    const HWND leaving = log.Create("leaving", WS_OVERLAPPEDWINDOW, kMain);
    const HWND staying = log.Create("staying", WS_OVERLAPPEDWINDOW, kMain);
    const HWND inside = log.Create("inside", WS_CHILD, {0, 0, 10, 10}, leaving);
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg == WM_DESTROY && Wnd == inside) {
            EXPECT_EQ(SetParent(inside, staying), 0u);
            EXPECT_EQ(SetParent(staying, leaving), 0u);
        }
        return std::nullopt;
    };
    DestroyWindow(leaving);
    EXPECT_FALSE(IsWindow(inside));
    EXPECT_TRUE(IsWindow(staying));
    log.Intercept = nullptr;
}

TEST(WindowTree, ASubclassSeesMessagesFirstAndPassesTheRestOn) {
    MessageLog log;
    log.Watched = {WM_SETTEXT, WM_USER};
    const HWND wnd = log.Create("w", WS_POPUP, {0, 0, 10, 10});
    std::vector<UINT> seen;
    WNDPROC previous;
    previous = SetWindowProc(wnd, [&](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
        seen.push_back(Msg);
        if (Msg == WM_USER) return LRESULT{7};  // kept from the native procedure
        return CallWindowProc(previous, Wnd, Msg, WParam, LParam);
    });
    EXPECT_EQ(SendMessage(wnd, WM_USER, 0, 0), 7);
    EXPECT_TRUE(SetWindowText(wnd, "Title"));
    EXPECT_EQ(GetWindowText(wnd), "Title");
    EXPECT_EQ(log.Take(), "w WM_SETTEXT\n");
    EXPECT_EQ(seen.front(), WM_USER);

    char small[4];
    EXPECT_EQ(SendMessage(wnd, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_STREQ(small, "Tit");
    SetWindowProc(wnd, previous);
}

TEST(WindowTree, StylesAndValuesAreKeptAndStyleChangesAnnounced) {
    MessageLog log;
    log.Watched = {WM_STYLECHANGING, WM_STYLECHANGED};
    const HWND wnd = log.Create("w", WS_POPUP | WS_BORDER, {0, 0, 10, 10}, 0, WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowLong(wnd, GWL_STYLE), LONG_PTR{WS_POPUP | WS_BORDER});
    EXPECT_EQ(GetWindowLong(wnd, GWL_EXSTYLE), LONG_PTR{WS_EX_TOOLWINDOW});
    EXPECT_EQ(SetWindowLong(wnd, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN),
              LONG_PTR{WS_POPUP | WS_BORDER});
    EXPECT_EQ(log.Take(), "w WM_STYLECHANGING\nw WM_STYLECHANGED\n");
    SetWindowLong(wnd, GWL_USERDATA, 42);
    SetWindowLong(wnd, GWL_ID, 7);
    EXPECT_EQ(GetWindowLong(wnd, GWL_USERDATA), 42);
    EXPECT_EQ(GetWindowLong(wnd, GWL_ID), 7);
    EXPECT_THROW(GetWindowLong(wnd, -4), EWindowError);
    EXPECT_EQ(GetWindowLong(0, GWL_STYLE), 0);
}

TEST(WindowTree, RelationsFollowTheStackingOrderAndSetParentKeepsRelativePlace) {
    MessageLog log;
    const HWND main = log.Create("main", WS_OVERLAPPEDWINDOW, kMain);
    const HWND other = log.Create("other", WS_OVERLAPPEDWINDOW, kMain);
    const HWND a = log.Create("a", WS_CHILD, {1, 2, 11, 12}, main);
    const HWND b = log.Create("b", WS_CHILD, {0, 0, 5, 5}, main);
    const HWND inner = log.Create("inner", WS_CHILD, {0, 0, 5, 5}, a);
    // Children go below their siblings; the first made is on top.
    EXPECT_EQ(GetWindow(main, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), 0u);
    EXPECT_EQ(GetParent(inner), a);
    EXPECT_TRUE(IsChild(main, inner));
    EXPECT_FALSE(IsChild(other, inner));

    std::vector<HWND> all;
    EnumChildWindows(
        main,
        [&](HWND Wnd, LPARAM) {
            all.push_back(Wnd);
            return true;
        },
        0);
    EXPECT_EQ(all, (std::vector<HWND>{a, inner, b}));

    EXPECT_EQ(SetParent(a, other), main);
    EXPECT_EQ(SetParent(other, inner), 0u);  // not inside itself
    TRect rect;
    GetWindowRect(a, rect);
    TPoint origin{0, 0};
    ClientToScreen(other, origin);
    EXPECT_EQ(rect, (TRect{origin.X + 1, origin.Y + 2, origin.X + 11, origin.Y + 12}));
    EXPECT_EQ(GetWindow(main, GW_CHILD), b);
    EXPECT_EQ(GetParent(main), 0u);  // a top-level window's parent is its owner
    EXPECT_EQ(SetParent(b, 0), main);
    EXPECT_EQ(SetParent(b, main), GetDesktopWindow());
}

TEST(WindowTree, HiddenWindowsOfMethodsAreHiddenToolWindowsOfTheTree) {
    TMessage got{};
    const HWND wnd = AllocateHWnd([&](TMessage& M) { got = M; });
    EXPECT_EQ(GetClassName(wnd), "TPUtilWindow");
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_TRUE(GetWindowLong(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    bool listed = false;
    EnumWindows([&](HWND W, LPARAM) { return !(listed = W == wnd); }, 0);
    EXPECT_TRUE(listed);
    EXPECT_EQ(SendMessage(wnd, WM_USER + 1, 2, 3), 0);
    EXPECT_EQ(got.Msg, WM_USER + 1u);
    got = TMessage{};
    DeallocateHWnd(wnd);
    EXPECT_EQ(got.Msg, 0u);  // the method heard nothing of its window's end
    EXPECT_FALSE(IsWindow(wnd));
}

}  // namespace
}  // namespace vex
