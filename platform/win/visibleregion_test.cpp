#include "platform/win/visibleregion.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/win/scrollbars.h"
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
        regions.push_back(wintree::VisibleRegion(w, wintree::WindowArea(w), false));
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

}  // namespace
}  // namespace vex
