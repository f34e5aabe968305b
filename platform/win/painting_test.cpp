#include "platform/win/painting.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/headlesspresenter.h"
#include "platform/win/scrollwindow.h"
#include "platform/win/updateregion.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::MessageLog;

void Drain() {
    MSG msg;
    while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
        DispatchMessage(msg);
}

void Fill(const TWindowSurface& Surface, uint32_t Color) {
    for (const TRect& r : Surface.Clip.Rects())
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x)
                Surface.Pixels[y * Surface.Stride + x] = Color;
}

uint32_t At(const TPixelRows& Rows, int32_t X, int32_t Y) {
    return Rows.Pixels[Y * Rows.Stride + X];
}

// main clips its children; a (bordered) lies above b, which clips its siblings.
struct Layout {
    MessageLog Log;
    HWND Main = Log.Create("main", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 80});
    HWND A = Log.Create("a", WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 10, 50, 40}, Main);
    HWND B = Log.Create("b", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {30, 20, 70, 60}, Main);
};

TEST(Painting, APaintSessionValidatesAndClipsToWhatTheWindowMayTouch) {
    Layout layout;
    Drain();
    InvalidateRect(layout.Main, nullptr, true);
    TRect box;
    EXPECT_FALSE(GetUpdateRect(layout.A, box));  // a parent that clips them leaves them be

    const TPaintSession main = BeginWindowPaint(layout.Main);
    EXPECT_EQ(main.UpdateBox, (TRect{0, 0, 100, 80}));
    EXPECT_TRUE(main.Erase);
    EXPECT_FALSE(main.FrameInvalid);
    EXPECT_EQ(main.Surface.Origin, (TPoint{0, 0}));
    EXPECT_EQ(main.Surface.Clip.Area(), 8000 - 1200 - 1600 + 400);
    EXPECT_FALSE(main.Surface.Clip.Contains({15, 15}));
    EXPECT_FALSE(main.Surface.Clip.Contains({65, 55}));
    EXPECT_FALSE(GetUpdateRect(layout.Main, box));  // validated

    const TRect part{0, 0, 30, 30};
    InvalidateRect(layout.B, &part, false);
    const TPaintSession b = BeginWindowPaint(layout.B);
    EXPECT_EQ(b.UpdateBox, part);
    EXPECT_FALSE(b.Erase);
    EXPECT_EQ(b.Surface.Origin, (TPoint{30, 20}));
    // The part asked for, less what a, above it, covers.
    EXPECT_EQ(b.Surface.Clip.Bounds(), (TRect{30, 20, 60, 50}));
    EXPECT_EQ(b.Surface.Clip.Area(), 900 - 400);

    EXPECT_EQ(GetWindowSurface(layout.A, TSurfaceArea::Client).Origin, (TPoint{11, 11}));
    EXPECT_EQ(GetWindowSurface(layout.A, TSurfaceArea::Window).Origin, (TPoint{10, 10}));
    EXPECT_EQ(GetWindowSurface(layout.A, TSurfaceArea::Window).Clip.Area(), 1200);
    RedrawWindow(layout.A, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    const TPaintSession framed = BeginWindowPaint(layout.A);
    EXPECT_TRUE(framed.FrameInvalid);
    EXPECT_EQ(framed.UpdateBox, (TRect{0, 0, 38, 28}));  // the client area's part alone
    EXPECT_EQ(framed.UpdateRegion.Area(), 38 * 28);
    EXPECT_EQ(framed.Surface.Clip.Bounds(), (TRect{11, 11, 49, 39}));
    EXPECT_FALSE(GetUpdateRect(layout.A, box));
}

// The surface of a paint session is what the window may touch narrowed to what waited for
// paint, whether that was one rectangle or many, reached the ends of the coordinate range or was
// partly validated again; a's client area lies partly over b.
TEST(Painting, APaintSessionClipsToAnUpdateOfAnyShape) {
    struct TCase {
        std::string Name;
        std::vector<TRect> Invalid, Valid;  // b's client coordinates
    };
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    const std::vector<TCase> cases = {
        {"one rectangle", {{2, 3, 25, 30}}, {}},
        {"two apart", {{0, 0, 5, 5}, {20, 20, 40, 40}}, {}},
        {"two in a row", {{0, 0, 5, 40}, {30, 0, 40, 40}}, {}},
        {"to the ends of the range", {{kMin, kMin, kMax, kMax}}, {}},
        {"one end each", {{kMin, kMin, 3, 3}, {35, 35, kMax, kMax}}, {}},
        {"partly outside", {{-10, 30, 15, 60}}, {}},
        {"a hole validated", {{0, 0, 40, 40}}, {{10, 10, 20, 20}}},
        {"everything validated", {{0, 0, 40, 40}}, {{kMin, kMin, kMax, kMax}}},
        {"a corner validated from a pair", {{0, 0, 5, 5}, {20, 20, 40, 40}}, {{0, 0, 30, 30}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Layout layout;
        Drain();
        for (int validateAsRegion = 0; validateAsRegion < 2; ++validateAsRegion) {
            TRegion update = TRegion::OfRects(c.Invalid);
            InvalidateRgn(layout.B, &update, false);
            for (const TRect& r : c.Valid) {
                update.Subtract(r);
                if (validateAsRegion) {
                    const TRegion valid(r);
                    ValidateRgn(layout.B, &valid);
                } else {
                    ValidateRect(layout.B, &r);
                }
            }
            update.Intersect(TRect{0, 0, 40, 40});
            TRegion expected = update;
            expected.Offset(30, 20);
            expected.Intersect(GetWindowSurface(layout.B, TSurfaceArea::Client).Clip);
            const TPaintSession b = BeginWindowPaint(layout.B);
            EXPECT_TRUE(b.UpdateRegion.SameArea(update));
            EXPECT_TRUE(b.Surface.Clip.SameArea(expected));
            EXPECT_EQ(b.Surface.Clip.Rects().size(), expected.Rects().size());
            TRect box;
            EXPECT_FALSE(GetUpdateRect(layout.B, box));
        }
    }
}

TEST(Painting, WhatIsPaintedReachesTheWindowsPixelsAndTheDisplay) {
    std::vector<std::string> calls;
    test::PresenterOverride presenter(std::make_unique<test::RecordingPresenter>(calls));
    Layout layout;
    Drain();
    calls.clear();
    InvalidateRect(layout.B, nullptr, false);
    const TPaintSession session = BeginWindowPaint(layout.B);
    Fill(session.Surface, 0x00FF00);
    EndWindowPaint(session);
    // What windows paint reaches the display in one put, once nothing more waits to paint or a
    // synchronous update ends.
    EXPECT_TRUE(calls.empty());
    UpdateWindow(layout.Main);
    EXPECT_EQ(calls, std::vector<std::string>{"Present 30,20,70,60 main"});
    calls.clear();
    for (const HWND wnd : {layout.B, layout.A}) {
        InvalidateRect(wnd, nullptr, false);
        EndWindowPaint(BeginWindowPaint(wnd));
    }
    EXPECT_TRUE(calls.empty());
    Drain();
    EXPECT_EQ(calls, std::vector<std::string>{"Present 11,11,70,60 main"});  // a's client and b

    const TPixelRows b = WindowPixels(layout.B);
    ASSERT_EQ(b.Width, 40);
    ASSERT_EQ(b.Height, 40);
    EXPECT_EQ(At(b, 25, 25), 0x00FF00u);
    EXPECT_EQ(At(b, 1, 1), 0u);  // under a, which lies above it

    // A bigger window keeps its pixels and has only its new part to paint.
    MoveWindow(layout.Main, 0, 0, 120, 90, true);
    EXPECT_EQ(At(WindowPixels(layout.B), 25, 25), 0x00FF00u);
    TRegion update;
    GetUpdateRgn(layout.Main, update);
    EXPECT_EQ(update.Area(), 120 * 90 - 100 * 80);
    EXPECT_FALSE(update.Contains({5, 5}));

    ShowWindow(layout.Main, SW_HIDE);
    EXPECT_EQ(GetWindowSurface(layout.B, TSurfaceArea::Client).Pixels, nullptr);
    EXPECT_EQ(WindowPixels(layout.B).Pixels, nullptr);
}

// The layout, painted, with a presenter that writes down what reaches it from now on.
struct Recorded {
    std::vector<std::string> Calls;
    test::PresenterOverride Presenter{std::make_unique<test::RecordingPresenter>(Calls)};
    Layout Windows;
    Recorded() {
        Drain();
        Calls.clear();
    }
};

// Windows the loop paints one after another in a round reach the display in one put, once the
// last of them has painted.
TEST(Painting, WindowsPaintedInOneRoundReachTheDisplayInOnePut) {
    Recorded recorded;
    Layout& layout = recorded.Windows;
    int painted = 0;
    layout.Log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (Msg != WM_PAINT || Wnd == layout.Main) return std::nullopt;
        EndWindowPaint(BeginWindowPaint(Wnd));
        EXPECT_EQ(recorded.Calls.size(), 0u) << "put before the round ended";
        ++painted;
        return 0;
    };
    InvalidateRect(layout.A, nullptr, false);
    InvalidateRect(layout.B, nullptr, false);
    Drain();
    EXPECT_EQ(painted, 2);
    EXPECT_EQ(recorded.Calls, std::vector<std::string>{"Present 11,11,70,60 main"});
    layout.Log.Intercept = nullptr;
}

// A window that invalidates itself whenever it paints always has more to paint; each frame it
// paints still reaches the display, whether the loop takes any window's messages (painting a
// window made after it in between), only its own (leaving that one waiting), or only WM_PAINT.
TEST(Painting, AWindowThatKeepsInvalidatingItselfStillReachesTheDisplay) {
    struct TCase {
        std::string Name;
        bool OwnWindowOnly;
        UINT FilterMin, FilterMax;
        int Dispatches;  // three frames of b, and c once where the loop takes its messages
    };
    const std::vector<TCase> cases = {
        {"any message", false, 0, 0, 4},
        {"its own window's", true, 0, 0, 3},
        {"painting alone", false, WM_PAINT, WM_PAINT, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Recorded recorded;
        Layout& layout = recorded.Windows;
        const HWND later =
            layout.Log.Create("c", WS_CHILD | WS_VISIBLE, {80, 0, 90, 10}, layout.Main);
        layout.Log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (Wnd != layout.B || Msg != WM_PAINT) return std::nullopt;
            EndWindowPaint(BeginWindowPaint(Wnd));
            InvalidateRect(Wnd, nullptr, false);
            return 0;
        };
        InvalidateRect(layout.B, nullptr, false);
        InvalidateRect(later, nullptr, false);
        MSG msg;
        const HWND filter = c.OwnWindowOnly ? layout.B : 0;
        for (int dispatch = 0; dispatch < c.Dispatches; ++dispatch) {
            ASSERT_TRUE(PeekMessage(msg, filter, c.FilterMin, c.FilterMax, PM_REMOVE));
            DispatchMessage(msg);
        }
        ASSERT_TRUE(PeekMessage(msg, filter, c.FilterMin, c.FilterMax, PM_NOREMOVE));
        EXPECT_EQ(recorded.Calls, std::vector<std::string>(3, "Present 30,20,70,60 main"));
        layout.Log.Intercept = nullptr;
    }
}

// Messages posted one after another for ever go before painting, yet what was painted before
// they began is not kept from the screen.
TEST(Painting, WhatWasPaintedShowsWhileMessagesKeepComing) {
    Recorded recorded;
    const HWND b = recorded.Windows.B;
    recorded.Windows.Log.Intercept = [&](HWND Wnd, UINT Msg, WPARAM,
                                         LPARAM) -> std::optional<LRESULT> {
        if (Wnd != b || (Msg != WM_PAINT && Msg != WM_USER)) return std::nullopt;
        if (Msg == WM_PAINT) EndWindowPaint(BeginWindowPaint(Wnd));
        PostMessage(Wnd, WM_USER, 0, 0);
        return 0;
    };
    InvalidateRect(b, nullptr, false);
    MSG msg;
    for (int message = 0; message < 5; ++message) {
        ASSERT_TRUE(PeekMessage(msg, 0, 0, 0, PM_REMOVE));
        DispatchMessage(msg);
    }
    EXPECT_EQ(recorded.Calls, std::vector<std::string>{"Present 30,20,70,60 main"});
    recorded.Windows.Log.Intercept = nullptr;
}

// What a window painted waits for the screen while the window may be hidden, destroyed, shown
// again, made smaller or handed to another presenter: none of it reaches the display for a
// window the display no longer shows, or outside the window's pixels.
TEST(Painting, WhatWaitsForTheScreenFollowsWhatHappensToTheWindowMeanwhile) {
    struct TCase {
        std::string Name;
        std::function<void(Recorded&)> Meanwhile;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"hidden", [](Recorded& R) { ShowWindow(R.Windows.Main, SW_HIDE); }, {"Hide main"}},
        {"destroyed",
         [](Recorded& R) { DestroyWindow(R.Windows.Main); },
         {"Hide main", "Forget main"}},
        {"hidden and shown again",
         [](Recorded& R) {
             ShowWindow(R.Windows.Main, SW_HIDE);
             ShowWindow(R.Windows.Main, SW_SHOW);
         },
         {"Hide main", "Show main 0,0 100x80 main", "Activate main", "Present 30,20,70,60 main"}},
        {"made smaller",
         [](Recorded& R) { MoveWindow(R.Windows.Main, 0, 0, 50, 40, true); },
         {"Show main 0,0 50x40 main", "Present 30,20,50,40 main"}},
        {"handed to another presenter",
         [](Recorded& R) { SetPresenter(std::make_unique<test::RecordingPresenter>(R.Calls)); },
         {"Show main 0,0 100x80 main", "Present 0,0,100,80 main", "Activate main",
          "Present 30,20,70,60 main"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Recorded recorded;
        InvalidateRect(recorded.Windows.B, nullptr, false);
        EndWindowPaint(BeginWindowPaint(recorded.Windows.B));
        c.Meanwhile(recorded);
        Drain();
        EXPECT_EQ(recorded.Calls, c.Expected);
    }
}

// Records presents, and fails the first one as a display that went away would.
class FailingOncePresenter : public test::RecordingPresenter {
public:
    using RecordingPresenter::RecordingPresenter;
    void Present(HWND Wnd, const TPixelRows& Rows, const TRect& Dirty) override {
        if (std::exchange(FFail, false)) throw std::runtime_error("display lost");
        RecordingPresenter::Present(Wnd, Rows, Dirty);
    }

private:
    bool FFail = true;
};

// A presenter that fails on one window's picture costs that picture alone: the other windows'
// pictures reach it the next time.
TEST(Painting, APresentThatFailsLeavesTheOtherWindowsForTheNextTime) {
    std::vector<std::string> calls;
    test::PresenterOverride presenter(std::make_unique<FailingOncePresenter>(calls));
    Layout layout;
    const HWND other = layout.Log.Create("other", WS_POPUP | WS_VISIBLE, {200, 0, 240, 30});
    Drain();
    calls.clear();
    for (const HWND wnd : {layout.B, other}) {
        InvalidateRect(wnd, nullptr, false);
        EndWindowPaint(BeginWindowPaint(wnd));
    }
    EXPECT_THROW(PresentPainted(), std::runtime_error);
    EXPECT_TRUE(calls.empty());
    PresentPainted();
    EXPECT_EQ(calls, std::vector<std::string>{"Present 30,20,70,60 main"});
}

// Keeps windows' pixels in stores of its own and writes down when they are made and waited for.
class StoringPresenter : public THeadlessPresenter {
public:
    explicit StoringPresenter(std::vector<std::string>& Calls) : FCalls(Calls) {}

    void Present(HWND, const TPixelRows&, const TRect&) override { FCalls.push_back("Present"); }
    std::unique_ptr<TPixelStore> MakePixelStore(int32_t Width, int32_t Height) override {
        FCalls.push_back("Store " + std::to_string(Width) + "x" + std::to_string(Height));
        return std::make_unique<Store>(FCalls, Width * Height);
    }

private:
    class Store : public TPixelStore {
    public:
        Store(std::vector<std::string>& Calls, int32_t Count) : FCalls(Calls), FPixels(Count) {}
        uint32_t* Pixels() override { return FPixels.data(); }
        void AwaitRead() override { FCalls.push_back("Await"); }

    private:
        std::vector<std::string>& FCalls;
        std::vector<uint32_t> FPixels;
    };

    std::vector<std::string>& FCalls;
};

TEST(Painting, PixelsLiveWhereThePresenterKeepsThemAndChangeOnlyOnceTheDisplayHasReadThem) {
    std::vector<std::string> calls;
    test::PresenterOverride presenter(std::make_unique<StoringPresenter>(calls));
    Layout layout;
    Drain();
    EXPECT_EQ(calls.front(), "Store 100x80");
    using Calls = std::vector<std::string>;
    const auto callsOf = [&](const auto& Step) {
        calls.clear();
        Step();
        return calls;
    };
    EXPECT_EQ(callsOf([&] {
                  InvalidateRect(layout.B, nullptr, false);
                  const TPaintSession session = BeginWindowPaint(layout.B);
                  Fill(session.Surface, 0x00FF00);
                  EndWindowPaint(session);
                  PresentPainted();
              }),
              (Calls{"Await", "Present"}));
    EXPECT_EQ(callsOf([&] { GetWindowSurface(layout.Main, TSurfaceArea::Window); }),
              Calls{"Await"});
    EXPECT_EQ(callsOf([&] {
                  ScrollWindowEx(layout.B, 0, 5, nullptr, nullptr, nullptr, nullptr, 0);
              }).front(),
              "Await");
    EXPECT_EQ(At(WindowPixels(layout.B), 25, 30), 0x00FF00u);
    EXPECT_EQ(callsOf([&] { MoveWindow(layout.Main, 0, 0, 120, 90, true); }).front(),
              "Store 120x90");
    EXPECT_EQ(At(WindowPixels(layout.B), 25, 30), 0x00FF00u);

    // Another presenter takes over; the pixels stay in the store the first one made.
    SetPresenter(std::make_unique<THeadlessPresenter>());
    EXPECT_EQ(At(WindowPixels(layout.B), 25, 30), 0x00FF00u);
    InvalidateRect(layout.B, nullptr, false);
    const TPaintSession session = BeginWindowPaint(layout.B);
    Fill(session.Surface, 0x0000FF);
    EndWindowPaint(session);
    EXPECT_EQ(At(WindowPixels(layout.B), 25, 30), 0x0000FFu);
}

}  // namespace
}  // namespace vex
