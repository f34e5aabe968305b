#include "platform/win/visibleregion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "platform/win/scrollbars.h"
#include "platform/win/scrollwindow.h"
#include "platform/win/updateregion.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::MessageLog;

// main clips its children; a lies above b, which clips its siblings and holds c.
struct Layout {
    MessageLog Log;
    HWND Main = Log.Create("main", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 80});
    HWND A = Log.Create("a", WS_CHILD | WS_VISIBLE, {10, 10, 50, 40}, Main);
    HWND B = Log.Create("b", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                        {30, 20, 70, 60}, Main);
    HWND C = Log.Create("c", WS_CHILD | WS_VISIBLE, {20, 20, 30, 30}, B);
};

TWnd& Record(HWND Wnd) {
    return TWindowStore::Instance().Get(Wnd, "test");
}

// What Wnd may draw of its client area (children left out) and of its whole window (children
// drawn over), each asked for twice so that the second answer comes from what was kept.
std::vector<TRegion> WhatMayBeDrawn(HWND Wnd) {
    const TWnd& w = Record(Wnd);
    std::vector<TRegion> regions;
    for (int round = 0; round < 2; ++round) {
        regions.push_back(wintree::VisibleRegion(w, w.Client, true));
        // Asked into a region that holds something already, as a paint session's clip does.
        TRegion into = TRegion::OfRects(std::vector<TRect>{{-5, -5, 1, 1}, {3, 3, 9, 9}});
        wintree::VisibleRegion(w, wintree::WindowArea(w), false, into);
        regions.push_back(into);
    }
    return regions;
}

// Every change to what decides the pixels a window may draw shows at once in what it is
// allowed to draw: nothing kept from before the change is handed out after it.
TEST(VisibleRegion, EachChangeToTheTreeShowsInWhatAWindowMayDraw) {
    struct Case {
        const char* Change;
        std::function<void(Layout&)> Apply;
        HWND Layout::*Window;
    };
    const Case cases[] = {
        {"style: b stops clipping its siblings",
         [](Layout& L) { SetWindowLong(L.B, GWL_STYLE, WS_CHILD | WS_VISIBLE); }, &Layout::B},
        {"style: main stops clipping its children",
         [](Layout& L) { SetWindowLong(L.Main, GWL_STYLE, WS_POPUP | WS_VISIBLE); }, &Layout::Main},
        {"shown state: a hidden", [](Layout& L) { ShowWindow(L.A, SW_HIDE); }, &Layout::B},
        {"shown state: c hidden", [](Layout& L) { ShowWindow(L.C, SW_HIDE); }, &Layout::B},
        {"bounds: a moved away", [](Layout& L) { MoveWindow(L.A, 0, 60, 10, 10, false); },
         &Layout::B},
        {"bounds: b moved", [](Layout& L) { MoveWindow(L.B, 40, 30, 40, 40, false); }, &Layout::B},
        {"client area: a scroll bar on b", [](Layout& L) { ShowScrollBar(L.B, SB_VERT, true); },
         &Layout::B},
        {"children order: b raised",
         [](Layout& L) { SetWindowPos(L.B, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
         &Layout::B},
        {"membership: a destroyed", [](Layout& L) { DestroyWindow(L.A); }, &Layout::B},
        {"membership: a window made in main",
         [](Layout& L) {
             L.Log.Create("d", WS_CHILD | WS_VISIBLE, {80, 60, 90, 70}, L.Main);
         },
         &Layout::Main},
        {"parent: c moved into main", [](Layout& L) { SetParent(L.C, L.Main); }, &Layout::B},
        {"buffer: main shrunk", [](Layout& L) { MoveWindow(L.Main, 0, 0, 50, 40, false); },
         &Layout::B},
        {"buffer: main squeezed to no width",
         [](Layout& L) { MoveWindow(L.Main, 0, 0, 0, 80, false); }, &Layout::B},
        {"buffer: main squeezed to no width and widened again",
         [](Layout& L) {
             MoveWindow(L.Main, 0, 0, 0, 80, false);
             MoveWindow(L.Main, 0, 0, 120, 80, false);
         },
         &Layout::Main},
        {"buffer: main hidden", [](Layout& L) { ShowWindow(L.Main, SW_HIDE); }, &Layout::B},
        {"iconic: main minimised", [](Layout& L) { ShowWindow(L.Main, SW_MINIMIZE); }, &Layout::B},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Change);
        Layout layout;
        const HWND wnd = layout.*c.Window;
        const std::vector<TRegion> before = WhatMayBeDrawn(wnd);
        c.Apply(layout);
        const std::vector<TRegion> after = WhatMayBeDrawn(wnd);
        // The regions worked out afresh, with nothing kept.
        TWindowStore::Instance().LayoutChanged();
        const std::vector<TRegion> fresh = WhatMayBeDrawn(wnd);
        ASSERT_EQ(after.size(), fresh.size());
        bool changed = false;
        for (size_t i = 0; i < after.size(); ++i) {
            EXPECT_TRUE(after[i].SameArea(fresh[i])) << "region " << i;
            changed |= !after[i].SameArea(before[i]);
        }
        EXPECT_TRUE(changed) << "the change should show in what the window may draw";
    }
}

// Restoring a minimised window brings back the same pixels it had.
TEST(VisibleRegion, ARestoredWindowDrawsWhereItDidBefore) {
    const Layout layout;
    const std::vector<TRegion> before = WhatMayBeDrawn(layout.B);
    ShowWindow(layout.Main, SW_MINIMIZE);
    EXPECT_TRUE(WhatMayBeDrawn(layout.B).front().Empty());
    ShowWindow(layout.Main, SW_RESTORE);
    const std::vector<TRegion> after = WhatMayBeDrawn(layout.B);
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_TRUE(after[i].SameArea(before[i])) << "region " << i;
}

// What each window may draw, as kept, matches what is worked out afresh after every step of a
// long run of random changes: styles, places, order, parents, scroll bars, minimising, windows
// made and destroyed, scrolling, and paints whose handlers move windows about.
TEST(VisibleRegion, WhatIsKeptMatchesAFreshAnswerThroughRandomChanges) {
    std::mt19937 random(11);
    const auto pick = [&](int Count) { return static_cast<int>(random() % Count); };
    const auto anyBounds = [&] {
        const int32_t x = pick(90) - 10, y = pick(70) - 10;
        return TRect{x, y, x + pick(60), y + pick(50)};
    };
    const DWORD toggles[] = {WS_CLIPSIBLINGS, WS_CLIPCHILDREN, WS_VISIBLE, WS_BORDER,
                             WS_VSCROLL,      WS_HSCROLL,      WS_DISABLED};
    const HWND inserts[] = {HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST};
    for (int run = 0; run < 20; ++run) {
        Layout layout;
        MessageLog& log = layout.Log;
        std::vector<HWND> windows = {layout.Main, layout.A, layout.B, layout.C};
        HWND second =
            log.Create("second", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {20, 10, 90, 90});
        windows.push_back(second);
        const auto anyWindow = [&] { return windows[pick(static_cast<int>(windows.size()))]; };
        // Some paints move a window while they are under way.
        log.Intercept = [&](HWND, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if ((Msg == WM_PAINT || Msg == WM_ERASEBKGND || Msg == WM_NCPAINT) && pick(4) == 0) {
                const HWND w = anyWindow();
                const TRect r = anyBounds();
                if (IsWindow(w))
                    MoveWindow(w, r.Left, r.Top, wintree::Width(r), wintree::Height(r), true);
            }
            return std::nullopt;
        };
        for (int step = 0; step < 60; ++step) {
            const HWND w = anyWindow();
            const int op = pick(15);
            const TRect r = anyBounds();
            switch (op) {
                case 0:
                    SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) ^ toggles[pick(7)]);
                    break;
                case 1:
                    SetWindowLong(w, GWL_EXSTYLE, GetWindowLong(w, GWL_EXSTYLE) ^ WS_EX_CLIENTEDGE);
                    SetWindowPos(w, 0, 0, 0, 0, 0,
                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
                    break;
                case 2:
                    SetWindowPos(
                        w, inserts[pick(4)], r.Left, r.Top, wintree::Width(r), wintree::Height(r),
                        static_cast<UINT>(random()) &
                            (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW |
                             SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE));
                    break;
                case 3:
                    BringWindowToTop(w);
                    break;
                case 4:
                    SetParent(w, anyWindow());
                    break;
                case 5:
                    ShowScrollBar(w,
                                  pick(3) == 0 ? SB_BOTH
                                  : pick(2)    ? SB_VERT
                                               : SB_HORZ,
                                  pick(2) == 0);
                    break;
                case 6:
                    ShowWindow(w, pick(2) ? SW_MINIMIZE : SW_RESTORE);
                    break;
                case 7:
                    if (w != layout.Main && pick(3) == 0) DestroyWindow(w);
                    break;
                case 8:
                    if (IsWindow(w)) {
                        const HWND made =
                            log.Create("made", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r, w);
                        ASSERT_EQ(std::count(windows.begin(), windows.end(), made), 0)
                            << "a handle is never given twice";
                        windows.push_back(made);
                    }
                    break;
                case 9:
                    ScrollWindowEx(w, pick(21) - 10, pick(21) - 10, nullptr, nullptr, nullptr,
                                   nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
                    break;
                case 10:
                    ShowWindow(w, pick(2) ? SW_HIDE : SW_SHOW);
                    break;
                case 11:
                    InvalidateRect(w, nullptr, true);
                    UpdateWindow(w);
                    break;
                case 12:
                    MoveWindow(w, r.Left, r.Top, wintree::Width(r), wintree::Height(r),
                               pick(2) == 0);
                    break;
                case 13: {
                    MSG msg;
                    for (int n = 0; n < 50 && PeekMessage(msg, 0, 0, 0, PM_REMOVE); ++n)
                        DispatchMessage(msg);
                    break;
                }
                default:
                    EnableWindow(w, pick(2) == 0);
                    break;
            }
            TWindowStore& store = TWindowStore::Instance();
            for (HWND each : windows) {
                SCOPED_TRACE("run " + std::to_string(run) + " step " + std::to_string(step) +
                             " operation " + std::to_string(op));
                // The store's lookup, remembered or not, knows a window exactly while it lives,
                // and a window is listed as waiting exactly while it has something to paint.
                const TWnd* found = store.Find(each);
                ASSERT_EQ(found != nullptr, IsWindow(each));
                if (found == nullptr) continue;
                ASSERT_EQ(found->Handle, each);
                const bool waits = !found->Update.Empty() || found->InternalPaint;
                ASSERT_EQ(found->InPending, waits);
                ASSERT_EQ(store.Pending.Contains(each), waits);
                const std::vector<TRegion> kept = WhatMayBeDrawn(each);
                TWindowStore::Instance().LayoutChanged();
                const std::vector<TRegion> fresh = WhatMayBeDrawn(each);
                for (size_t i = 0; i < kept.size(); ++i)
                    ASSERT_TRUE(kept[i].SameArea(fresh[i])) << "region " << i;
            }
        }
        log.Intercept = nullptr;
    }
}

}  // namespace
}  // namespace vex
