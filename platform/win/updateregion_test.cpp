#include "platform/win/updateregion.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/application.h"
#include "platform/win/invalidation.h"
#include "platform/win/presenter.h"
#include "platform/win/virtualclock.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

using test::MessageLog;

// Dispatches what is pending without waiting, as the application's loop does; an exception
// goes to the application. Stops after Limit messages, so an endless paint loop fails.
int Drain(int Limit = 10000) {
    MSG msg;
    int taken = 0;
    while (taken < Limit && PeekMessage(msg, 0, 0, 0, PM_REMOVE)) {
        ++taken;
        try {
            DispatchMessage(msg);
        } catch (...) {
            Application().HandleException(nullptr);
        }
    }
    return taken;
}

TEST(UpdateRegion, AreasCoveredByAPendingOneChangeNothingAndOnePaintCoversAll) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    Drain();
    log.Take();
    const TRect big{10, 10, 60, 60};
    InvalidateRect(wnd, &big, false);
    TRegion first;
    EXPECT_EQ(GetUpdateRgn(wnd, first), SIMPLEREGION);
    for (int i = 0; i < 40; ++i) {
        const TRect inside{10 + i, 10 + i, 20 + i, 20 + i};
        InvalidateRect(wnd, &inside, false);
    }
    TRegion after;
    GetUpdateRgn(wnd, after);
    EXPECT_TRUE(after.SameArea(first));
    const TRect apart{80, 80, 90, 90};
    InvalidateRect(wnd, &apart, true);
    EXPECT_EQ(GetUpdateRgn(wnd, after), COMPLEXREGION);
    TRect box;
    ASSERT_TRUE(GetUpdateRect(wnd, box));
    EXPECT_EQ(box, (TRect{10, 10, 90, 90}));
    Drain();
    EXPECT_EQ(log.Take(), "w WM_PAINT\n");
    EXPECT_FALSE(GetUpdateRect(wnd, box));
    const TRect outside{200, 200, 300, 300};
    InvalidateRect(wnd, &outside, true);
    EXPECT_FALSE(GetUpdateRect(wnd, box));
}

TEST(UpdateRegion, ThousandsOfScatteredAreasStayAFewRectanglesThatCoverThemAll) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, 1000, 1000});
    Drain();
    log.Take();
    std::vector<TRect> invalidated;
    uint32_t seed = 1;
    const auto next = [&] {
        return static_cast<int32_t>((seed = seed * 1103515245 + 12345) >> 8) % 990;
    };
    for (int i = 0; i < 5000; ++i) {
        const int32_t x = next(), y = next();
        invalidated.push_back(TRect{x, y, x + 3, y + 2});
        InvalidateRect(wnd, &invalidated.back(), false);
    }
    TRegion update;
    GetUpdateRgn(wnd, update);
    EXPECT_LE(update.Rects().size(), 100u);
    for (const TRect& r : invalidated)
        ASSERT_TRUE(update.Covers(r));
    Drain();
    EXPECT_EQ(log.Take(), "w WM_PAINT\n");
}

TEST(UpdateRegion, AWindowShrunkBeforeItPaintsPaintsOnce) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, wnd);
    MoveWindow(wnd, 0, 0, 40, 40, true);
    MoveWindow(child, 0, 0, 20, 20, true);
    Drain(100);
    EXPECT_EQ(log.Take(), "w WM_PAINT\nchild WM_PAINT\n");
}

TEST(UpdateRegion, PaintComesAfterPostedMessagesAndInputBeforeTimersParentsFirst) {
    TVirtualClock clock;
    TClockOverride use(clock);
    MessageLog log;
    log.Watched = {WM_PAINT, WM_USER, WM_KEYDOWN, WM_TIMER};
    const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    log.Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, main);
    log.Create("second", WS_CHILD | WS_VISIBLE, {60, 10, 90, 50}, main);
    SetTimer(main, 1, 10);
    clock.Advance(20);
    WindowTreeSink().Input(MSG{main, WM_KEYDOWN, 13, 0, 0});
    PostMessage(main, WM_USER, 0, 0);
    Drain();
    EXPECT_EQ(log.Take(),
              "main WM_USER\nmain WM_KEYDOWN\nmain WM_PAINT\nchild WM_PAINT\nsecond WM_PAINT\n"
              "main WM_TIMER\n");
    KillTimer(main, 1);
}

TEST(UpdateRegion, AWindowInvalidatingItselfWhenItPaintsLetsDueTimersThrough) {
    TVirtualClock clock;
    TClockOverride use(clock);
    MessageLog log;
    log.Watched = {WM_PAINT, WM_TIMER};
    const HWND spinner = log.Create("spinner", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    log.Create("still", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    Drain();
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Wnd != spinner || Msg != WM_PAINT) return std::nullopt;
        ValidateRect(Wnd, nullptr);
        InvalidateRect(Wnd, nullptr, false);
        return 0;
    };
    SetTimer(spinner, 1, 10);
    InvalidateRect(0, nullptr, false);
    clock.Advance(20);
    log.Take();
    Drain(5);
    EXPECT_EQ(log.Take(),
              "spinner WM_PAINT\nstill WM_PAINT\nspinner WM_TIMER\nspinner WM_PAINT\n"
              "spinner WM_PAINT\n");
    KillTimer(spinner, 1);
    log.Intercept = nullptr;
}

// A parent that asks to paint again whenever it paints waits for the rest of the round like any
// other window: its children, and a window made after them, still get their turn.
TEST(UpdateRegion, AParentInvalidatingItselfWhenItPaintsLetsItsChildrenPaint) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND spinner =
        log.Create("spinner", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 100});
    log.Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, spinner);
    log.Create("other", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    Drain();
    log.Take();
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Wnd != spinner || Msg != WM_PAINT) return std::nullopt;
        ValidateRect(Wnd, nullptr);
        InvalidateRect(Wnd, nullptr, false);
        return 0;
    };
    InvalidateRect(0, nullptr, false);
    Drain(5);
    EXPECT_EQ(log.Take(),
              "spinner WM_PAINT\nchild WM_PAINT\nother WM_PAINT\nspinner WM_PAINT\n"
              "spinner WM_PAINT\n");

    // A parent invalidated again by something else after its paint still paints before the
    // children it paints over.
    const HWND parent = log.Create("parent", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    log.Create("inParent", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, parent);
    log.Watched = {WM_PAINT, WM_USER};
    bool posted = false;
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Wnd == parent && Msg == WM_PAINT && !posted) {
            posted = true;
            PostMessage(parent, WM_USER, 0, 0);
        }
        if (Wnd == parent && Msg == WM_USER) InvalidateRect(parent, nullptr, true);
        return std::nullopt;
    };
    DestroyWindow(spinner);
    Drain();
    EXPECT_EQ(log.Take(), "parent WM_PAINT\nparent WM_USER\nparent WM_PAINT\ninParent WM_PAINT\n");
    log.Intercept = nullptr;
}

// A paint that destroys its own window and others, waiting or not, leaves the rest to paint
// in turn, whether the paint came from the queue or from UpdateWindow.
TEST(UpdateRegion, APaintThatDestroysWindowsLeavesTheRestToPaint) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND first = log.Create("first", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND inFirst = log.Create("inFirst", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, first);
    log.Create("second", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND third = log.Create("third", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND fourth = log.Create("fourth", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND inFourth = log.Create("inFourth", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, fourth);
    const HWND deeper = log.Create("deeper", WS_CHILD | WS_VISIBLE, {0, 0, 20, 20}, inFourth);
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg != WM_PAINT) return std::nullopt;
        if (Wnd == first) {
            DestroyWindow(third);
            DestroyWindow(first);
            return 0;
        }
        if (Wnd == inFourth) {
            DestroyWindow(fourth);
            return 0;
        }
        return std::nullopt;
    };
    Drain(20);
    EXPECT_EQ(log.Take(), "first WM_PAINT\nsecond WM_PAINT\nfourth WM_PAINT\ninFourth WM_PAINT\n");
    EXPECT_FALSE(IsWindow(inFirst));
    EXPECT_FALSE(IsWindow(deeper));
    EXPECT_TRUE(TWindowStore::Instance().Pending.Empty());

    const HWND again = log.Create("again", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND inAgain = log.Create("inAgain", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, again);
    log.Create("deepest", WS_CHILD | WS_VISIBLE, {0, 0, 20, 20}, inAgain);
    log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg == WM_PAINT && Wnd == inAgain) DestroyWindow(again);
        return std::nullopt;
    };
    EXPECT_TRUE(UpdateWindow(again));
    EXPECT_EQ(log.Take(), "again WM_PAINT\ninAgain WM_PAINT\n");
    EXPECT_TRUE(TWindowStore::Instance().Pending.Empty());
    log.Intercept = nullptr;
}

TEST(UpdateRegion, ChildrenAreInvalidatedWithAParentThatPaintsOverThem) {
    MessageLog log;
    const HWND plain = log.Create("plain", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND clipping =
        log.Create("clipping", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 100});
    const HWND inPlain = log.Create("a", WS_CHILD | WS_VISIBLE, {10, 10, 30, 30}, plain);
    const HWND inClipping = log.Create("b", WS_CHILD | WS_VISIBLE, {10, 10, 30, 30}, clipping);
    const HWND hidden = log.Create("c", WS_CHILD, {10, 10, 30, 30}, plain);
    Drain();
    const TRect corner{0, 0, 15, 15};
    InvalidateRect(plain, &corner, true);
    InvalidateRect(clipping, &corner, true);
    TRect box;
    ASSERT_TRUE(GetUpdateRect(inPlain, box));
    EXPECT_EQ(box, (TRect{0, 0, 5, 5}));  // the part the parent covers, in its own coordinates
    EXPECT_FALSE(GetUpdateRect(inClipping, box));
    EXPECT_FALSE(GetUpdateRect(hidden, box));  // hidden windows never paint
    RedrawWindow(clipping, &corner, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    EXPECT_TRUE(GetUpdateRect(inClipping, box));
    Drain();
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    EXPECT_FALSE(GetUpdateRect(inPlain, box));
    RedrawWindow(plain, nullptr, nullptr, RDW_VALIDATE);
    EXPECT_FALSE(GetUpdateRect(plain, box));
}

// An area of two rectangles invalidates the same pixels, down the whole tree, as the two
// rectangles invalidated one after the other: through every mix of flags, clipping parents,
// hidden children, children with redrawing off, children partly outside their parents, and
// places at the ends of the coordinate range.
TEST(UpdateRegion, TwoRectanglesAtOnceInvalidateWhatEachDoesAlone) {
    std::mt19937 random(5);
    const auto pick = [&](int Count) { return static_cast<int>(random() % Count); };
    const auto anyPlace = [&]() -> TRect {
        if (pick(8) == 0) {
            const int32_t x = pick(2) ? INT32_MAX - pick(60) : INT32_MIN + pick(60);
            return TRect{x, pick(40), SaturateToInt32(int64_t{x} + pick(80)), pick(40) + 40};
        }
        const int32_t x = pick(120) - 20, y = pick(120) - 20;
        return TRect{x, y, x + pick(80), y + pick(80)};
    };
    const UINT flagBits[] = {RDW_INTERNALPAINT, RDW_ERASE, RDW_FRAME, RDW_ALLCHILDREN,
                             RDW_NOCHILDREN};
    const DWORD styleBits[] = {WS_VISIBLE, WS_CLIPCHILDREN, WS_BORDER, WS_CLIPSIBLINGS};
    TWindowStore& store = TWindowStore::Instance();
    for (int run = 0; run < 60; ++run) {
        MessageLog log;
        std::vector<HWND> windows = {
            log.Create("main", WS_POPUP | WS_VISIBLE | WS_BORDER, {0, 0, 100, 100})};
        for (int i = 0; i < 12; ++i) {
            DWORD style = WS_CHILD | WS_VISIBLE;
            for (DWORD bit : styleBits)
                if (pick(4) == 0) style ^= bit;
            const TRect r = anyPlace();
            windows.push_back(
                log.Create("c", style, r, windows[pick(static_cast<int>(windows.size()))]));
            if (pick(6) == 0) SendMessage(windows.back(), WM_SETREDRAW, 0, 0);
        }
        const auto state = [&] {
            std::vector<std::tuple<TRegion, bool, bool, bool>> all;
            for (HWND w : windows) {
                const TWnd& found = store.Get(w, "test");
                all.emplace_back(found.Update, found.Erase, found.InternalPaint, found.InPending);
            }
            return all;
        };
        for (int call = 0; call < 20; ++call) {
            SCOPED_TRACE("run " + std::to_string(run) + " call " + std::to_string(call));
            const HWND target = windows[pick(2) ? 0 : pick(static_cast<int>(windows.size()))];
            UINT flags = pick(4) == 0 ? 0 : RDW_INVALIDATE;
            for (UINT bit : flagBits)
                if (pick(3) == 0) flags |= bit;
            const TRect first = anyPlace(), second = anyPlace();
            wintree::ClearUpdates(store.Desktop());
            RedrawWindow(target, &first, nullptr, flags);
            RedrawWindow(target, &second, nullptr, flags);
            const auto apart = state();
            wintree::ClearUpdates(store.Desktop());
            TRegion both(first);
            both.Union(second);
            RedrawWindow(target, nullptr, &both, flags);
            const auto together = state();
            for (size_t i = 0; i < windows.size(); ++i) {
                SCOPED_TRACE("window " + std::to_string(i));
                EXPECT_TRUE(std::get<0>(together[i]).SameArea(std::get<0>(apart[i])));
                EXPECT_EQ(std::get<1>(together[i]), std::get<1>(apart[i]));
                EXPECT_EQ(std::get<2>(together[i]), std::get<2>(apart[i]));
                EXPECT_EQ(std::get<3>(together[i]), std::get<3>(apart[i]));
            }
        }
        wintree::ClearUpdates(store.Desktop());
    }
}

TEST(UpdateRegion, UpdateWindowPaintsAtOnceParentsFirst) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    log.Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, main);
    EXPECT_TRUE(UpdateWindow(main));
    EXPECT_EQ(log.Take(), "main WM_PAINT\nchild WM_PAINT\n");
    EXPECT_TRUE(UpdateWindow(main));
    EXPECT_EQ(log.Take(), "");  // nothing left to paint
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_EQ(log.Take(), "main WM_PAINT\n");
    RedrawWindow(main, nullptr, nullptr, RDW_INTERNALPAINT);
    Drain();
    EXPECT_EQ(log.Take(), "main WM_PAINT\n");
}

TEST(UpdateRegion, SetRedrawAndLockWindowUpdateHoldPaintingBack) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    const HWND other = log.Create("other", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    Drain();
    log.Take();

    SendMessage(main, WM_SETREDRAW, 0, 0);
    InvalidateRect(main, nullptr, true);
    TRect box;
    EXPECT_FALSE(GetUpdateRect(main, box));  // invalidation does not reach it
    SendMessage(main, WM_SETREDRAW, 1, 0);
    InvalidateRect(main, nullptr, true);
    SendMessage(main, WM_SETREDRAW, 0, 0);
    Drain();
    EXPECT_EQ(log.Take(), "");  // what was pending waits
    SendMessage(main, WM_SETREDRAW, 1, 0);
    Drain();
    EXPECT_EQ(log.Take(), "main WM_PAINT\n");

    EXPECT_FALSE(LockWindowUpdate(0));
    EXPECT_TRUE(LockWindowUpdate(main));
    EXPECT_TRUE(LockWindowUpdate(main));
    EXPECT_FALSE(LockWindowUpdate(other));  // one window at a time
    InvalidateRect(main, nullptr, true);
    InvalidateRect(other, nullptr, true);
    Drain();
    EXPECT_EQ(log.Take(), "other WM_PAINT\n");
    EXPECT_TRUE(LockWindowUpdate(0));
    Drain();
    EXPECT_EQ(log.Take(), "");  // still one count held
    EXPECT_TRUE(LockWindowUpdate(0));
    Drain();
    EXPECT_EQ(log.Take(), "main WM_PAINT\n");

    // Locking the desktop holds every window back.
    ASSERT_TRUE(LockWindowUpdate(GetDesktopWindow()));
    InvalidateRect(0, nullptr, true);
    Drain();
    EXPECT_EQ(log.Take(), "");
    LockWindowUpdate(0);
    Drain();
    EXPECT_EQ(log.Take(), "main WM_PAINT\nother WM_PAINT\n");
}

// A lock holds painting back but lets invalidation through, to the locked window, its children
// and, with the desktop locked, every window; a window that does not show is not reached at all.
TEST(UpdateRegion, ALockKeepsWhatWaitsAndWhatDoesNotShowIsNotReached) {
    struct TCase {
        std::string Name;
        std::function<void(HWND Main, HWND Child)> Hold, Release;
        bool Reached;                      // main and child both have updates waiting
        std::string WhileHeld, OnRelease;  // what paints
    };
    const auto lock = [](HWND Wnd) { ASSERT_TRUE(LockWindowUpdate(Wnd)); };
    const auto unlock = [](HWND, HWND) { ASSERT_TRUE(LockWindowUpdate(0)); };
    const std::vector<TCase> cases = {
        {"main locked", [&](HWND M, HWND) { lock(M); }, unlock, true, "",
         "main WM_PAINT\nchild WM_PAINT\n"},
        {"child locked", [&](HWND, HWND C) { lock(C); }, unlock, true, "main WM_PAINT\n",
         "child WM_PAINT\n"},
        {"desktop locked", [&](HWND, HWND) { lock(GetDesktopWindow()); }, unlock, true, "",
         "main WM_PAINT\nchild WM_PAINT\n"},
        {"main minimised", [](HWND M, HWND) { ShowWindow(M, SW_MINIMIZE); },
         [](HWND M, HWND) { ShowWindow(M, SW_RESTORE); }, false, "", ""},
        {"main hidden", [](HWND M, HWND) { ShowWindow(M, SW_HIDE); },
         [](HWND M, HWND) { ShowWindow(M, SW_SHOW); }, false, "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        MessageLog log;
        log.Watched = {WM_PAINT};
        const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
        const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, main);
        Drain();
        log.Take();
        c.Hold(main, child);
        Drain();
        log.Take();
        const TRect part{5, 5, 30, 30};
        InvalidateRect(main, &part, true);
        TRect box;
        EXPECT_EQ(GetUpdateRect(main, box), c.Reached);
        EXPECT_EQ(GetUpdateRect(child, box), c.Reached);
        Drain();
        EXPECT_EQ(log.Take(), c.WhileHeld);
        c.Release(main, child);
        if (!c.Reached) continue;
        Drain();
        EXPECT_EQ(log.Take(), c.OnRelease);
    }
}

TEST(UpdateRegion, AnExceptionWhilePaintingIsReportedOnceAndPaintingStops) {
    MessageLog log;
    int paints = 0;
    log.Intercept = [&](HWND, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg != WM_PAINT) return std::nullopt;
        ++paints;
        throw EInvalidOperation("Canvas does not allow drawing");
    };
    int reported = 0;
    Application().OnException = [&](TObject*, const std::exception&) { ++reported; };
    log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
    Drain(100);
    Application().OnException = nullptr;
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(reported, 1);
}

// Windows destroyed, made, moved to other parents, resized, shown, hidden and painted at once from
// inside painting, at random: nothing freed is touched, and once the hooks stop, every window
// that can paint has.
TEST(UpdateRegion, RandomChangesWhilePaintingLeaveNothingWaitingThatCanPaint) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        MessageLog log;
        std::mt19937 random(seed);
        const auto below = [&random](int N) { return static_cast<int>(random() % N); };
        std::vector<HWND> made{log.Create("root", WS_POPUP | WS_VISIBLE, {0, 0, 300, 300})};
        const auto makeOne = [&] {
            HWND parent = made[below(static_cast<int>(made.size()))];
            if (!IsWindow(parent)) parent = made.front();
            if (!IsWindow(parent)) return;
            const DWORD style = WS_CHILD | WS_VISIBLE | (below(2) ? WS_CLIPSIBLINGS : 0) |
                                (below(2) ? WS_CLIPCHILDREN : 0);
            const int32_t x = below(200) - 50, y = below(200) - 50;
            made.push_back(
                log.Create("w", style, {x, y, x + below(120) + 1, y + below(120) + 1}, parent));
        };
        for (int i = 0; i < 25; ++i)
            makeOne();
        // What a painting window may do to any window, or to one and another.
        const std::vector<std::function<void(HWND, HWND)>> acts = {
            [](HWND W, HWND) { DestroyWindow(W); },
            [&](HWND, HWND) { makeOne(); },
            [](HWND W, HWND Other) {
                if (W != Other && IsWindow(Other)) SetParent(W, Other);
            },
            [&](HWND W, HWND) {
                MoveWindow(W, below(300) - 100, below(300) - 100, below(150), below(150), true);
            },
            [&](HWND W, HWND) {
                const TRect r = Rect(below(50), below(50), below(200), below(200));
                InvalidateRect(W, &r, below(2) != 0);
            },
            [](HWND W, HWND) { UpdateWindow(W); },
            [&](HWND W, HWND) { ShowWindow(W, below(2) ? SW_HIDE : SW_SHOW); },
            [](HWND W, HWND) {
                RedrawWindow(W, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            },
        };
        const auto any = [&] { return made[below(static_cast<int>(made.size()))]; };
        int depth = 0;
        log.Intercept = [&](HWND, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (Msg != WM_PAINT || depth > 3) return std::nullopt;
            ++depth;
            for (int count = below(5); count > 0; --count) {
                const auto& act = acts[below(static_cast<int>(acts.size()))];
                const HWND w = any();
                act(w, any());
            }
            --depth;
            return std::nullopt;
        };
        for (int round = 0; round < 4; ++round) {
            RedrawWindow(made.front(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            if (round % 2) UpdateWindow(made.front());
            Drain();
        }
        log.Intercept = nullptr;
        Drain();
        TWindowStore& store = TWindowStore::Instance();
        for (HWND waiting : store.Pending)
            EXPECT_FALSE(wintree::CanPaint(*store.Find(waiting)));
    }
}

TEST(UpdateRegion, AThousandChildrenInvalidateAndPaintCheaply) {
    MessageLog log;
    log.Watched = {WM_PAINT};
    const HWND main = log.Create("main", WS_POPUP | WS_VISIBLE, {0, 0, 1000, 1000});
    for (int i = 0; i < 1000; ++i)
        log.Create("c", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                   {(i % 40) * 25, (i / 40) * 25, (i % 40) * 25 + 30, (i / 40) * 25 + 30}, main);
    Drain();
    log.Take();
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 5; ++round) {
        InvalidateRect(main, nullptr, true);
        EXPECT_EQ(Drain(), 1001);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5));  // about 0.1 s; quadratic work would be far more
    EXPECT_EQ(log.Lines.size(), 5005u);
}

}  // namespace
}  // namespace vex
