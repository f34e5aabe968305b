#include "platform/win/caret.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/messageloop.h"
#include "platform/win/painting.h"
#include "platform/win/scrollwindow.h"
#include "platform/win/updateregion.h"
#include "platform/win/virtualclock.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

constexpr uint32_t kPaper = 0x336699;

// A shown window that paints itself kPaper (or what Paper says) and holds the caret.
class CaretTest : public ::testing::Test {
protected:
    CaretTest() {
        Log.Watched = {WM_PAINT};
        Log.Intercept = [this](HWND Wnd, UINT Msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (Msg != WM_PAINT) return std::nullopt;
            const TPaintSession session = BeginWindowPaint(Wnd);
            for (const TRect& r : session.Surface.Clip.Rects())
                for (int32_t y = r.Top; y < r.Bottom; ++y)
                    for (int32_t x = r.Left; x < r.Right; ++x)
                        session.Surface.Pixels[y * session.Surface.Stride + x] = Paper;
            EndWindowPaint(session);
            return 0;
        };
        Drain();
    }
    ~CaretTest() override { DestroyCaret(); }

    static void Drain() {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }
    void RunUntil(int64_t Tick) {
        ProcessMessagesUntil([] { return false; }, Tick);
    }

    // The client pixel as the window shows it.
    uint32_t At(int32_t X, int32_t Y) const {
        const TWindowSurface s = GetWindowSurface(Wnd, TSurfaceArea::Client);
        return s.Pixels[(s.Origin.Y + Y) * s.Stride + s.Origin.X + X];
    }
    // How many client pixels differ from the paper.
    int32_t Marks() const {
        int32_t marks = 0;
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 60; ++x)
                marks += At(x, y) != Paper ? 1 : 0;
        return marks;
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    test::MessageLog Log;
    uint32_t Paper = kPaper;
    HWND Wnd = Log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, 60, 40});
};

TEST_F(CaretTest, HidingNestsAndOnlyTheCaretsWindowMayShowOrHideIt) {
    const HWND other = Log.Create("o", WS_POPUP | WS_VISIBLE, {100, 0, 120, 20});
    EXPECT_FALSE(ShowCaret(Wnd));  // no caret yet
    ASSERT_TRUE(CreateCaret(Wnd, nullptr, 2, 10));
    struct Step {
        const char* Call;
        HWND Target;
        bool Result;
        int32_t HideCount;
    };
    const std::vector<Step> steps = {
        {"show", Wnd, true, 0},     // a new caret is hidden once
        {"show", Wnd, false, 0},    // a shown one is not shown "more"
        {"hide", 0, true, 1},       // 0 names the caret's window
        {"hide", Wnd, true, 2},     //
        {"show", other, false, 2},  // not its window
        {"hide", other, false, 2},  //
        {"show", 0, true, 1},       //
        {"show", Wnd, true, 0},     //
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.Call) + " " + std::to_string(step.HideCount));
        const bool result =
            std::string(step.Call) == "show" ? ShowCaret(step.Target) : HideCaret(step.Target);
        EXPECT_EQ(result, step.Result);
        EXPECT_EQ(GetCaretState().HideCount, step.HideCount);
        EXPECT_EQ(GetCaretState().Visible, step.HideCount == 0);
        EXPECT_EQ(GetCaretState().InPixels, step.HideCount == 0);
    }
    EXPECT_TRUE(DestroyCaret());
    EXPECT_FALSE(DestroyCaret());
    EXPECT_EQ(Marks(), 0);
}

TEST_F(CaretTest, BlinksOnTheClockAndPutsThePixelsBackWhenOff) {
    ASSERT_TRUE(CreateCaret(Wnd, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(5, 7));
    ShowCaret(Wnd);
    EXPECT_EQ(GetCaretState().Rect, (TRect{5, 7, 7, 17}));
    EXPECT_EQ(At(5, 7), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(At(6, 16), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(Marks(), 20);

    RunUntil(GetCaretBlinkTime() + 1);
    EXPECT_FALSE(GetCaretState().InPixels);
    EXPECT_EQ(Marks(), 0);
    RunUntil(2 * GetCaretBlinkTime() + 1);
    EXPECT_TRUE(GetCaretState().InPixels);

    // The process's own blink time, and a move that shows the caret at once at its new place.
    ASSERT_TRUE(SetCaretBlinkTime(100));
    EXPECT_FALSE(SetCaretBlinkTime(0));
    EXPECT_EQ(GetCaretBlinkTime(), 100u);
    const int64_t start = Clock.TickMilliseconds();
    RunUntil(start + 101);
    EXPECT_FALSE(GetCaretState().InPixels);
    SetCaretPos(20, 20);
    EXPECT_TRUE(GetCaretState().InPixels);
    EXPECT_EQ(At(20, 20), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(Marks(), 20);

    SetCaretBlinkTime(CaretNoBlink);
    RunUntil(Clock.TickMilliseconds() + 5000);
    EXPECT_TRUE(GetCaretState().InPixels);
    SetCaretBlinkTime(530);
}

TEST_F(CaretTest, GreyAndBitmapCaretsInvertAsTheyAsk) {
    ASSERT_TRUE(CreateCaret(Wnd, GrayCaret, 1, 1));
    ShowCaret(Wnd);
    EXPECT_EQ(At(0, 0), kPaper ^ 0x808080u);
    TCaretBitmap bitmap{2, 1, {0xFFFFFF, 0x000000}};
    ASSERT_TRUE(CreateCaret(Wnd, &bitmap, 50, 50));  // the bitmap's size wins
    EXPECT_EQ(Marks(), 0);                           // the old caret went, the new one hides
    ShowCaret(Wnd);
    EXPECT_EQ(GetCaretState().Rect, (TRect{0, 0, 2, 1}));
    EXPECT_EQ(At(0, 0), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(At(1, 0), kPaper);
    const TCaretBitmap broken{4, 4, {0}};
    EXPECT_FALSE(CreateCaret(Wnd, &broken, 0, 0));
    EXPECT_FALSE(CreateCaret(0, nullptr, 1, 1));
}

TEST_F(CaretTest, KeepsItsSizeAndPictureThroughPlacesAtTheEndOfTheRange) {
    TCaretBitmap bitmap{3, 2, {0xFFFFFF, 0, 0, 0, 0, 0xFFFFFF}};
    ASSERT_TRUE(CreateCaret(Wnd, &bitmap, 0, 0));
    ShowCaret(Wnd);
    for (const TPoint far : {TPoint{INT32_MAX - 1, 0}, TPoint{0, INT32_MAX}}) {
        SetCaretPos(far.X, far.Y);
        EXPECT_EQ(Marks(), 0);
    }
    SetCaretPos(4, 5);
    EXPECT_EQ(GetCaretState().Rect, (TRect{4, 5, 7, 7}));
    EXPECT_EQ(Marks(), 2);
    EXPECT_EQ(At(4, 5), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(At(6, 6), kPaper ^ 0xFFFFFFu);
}

TEST_F(CaretTest, LeavesNoMarkWhenTheWindowPaintsScrollsOrMovesUnderIt) {
    ASSERT_TRUE(CreateCaret(Wnd, nullptr, 3, 12));
    SetCaretPos(10, 10);
    ShowCaret(Wnd);

    // Painted over in a new colour: the caret is back on over the new pixels.
    Paper = 0x112233;
    InvalidateRect(Wnd, nullptr, false);
    Drain();
    EXPECT_TRUE(GetCaretState().InPixels);
    EXPECT_EQ(At(10, 10), 0x112233u ^ 0xFFFFFFu);
    EXPECT_EQ(Marks(), 36);

    // Scrolled: the pixels move, the caret does not, and none of it is carried along.
    ScrollWindowEx(Wnd, 7, 3, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    Drain();
    EXPECT_EQ(Marks(), 36);
    EXPECT_EQ(At(10, 10), 0x112233u ^ 0xFFFFFFu);

    // Moved: the inversion cannot be undone in place any more, so the window paints afresh.
    SetWindowPos(Wnd, 0, 5, 5, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    HideCaret(Wnd);
    Drain();
    EXPECT_EQ(Marks(), 0);
}

TEST_F(CaretTest, GoesWithItsWindow) {
    ASSERT_TRUE(CreateCaret(Wnd, nullptr, 2, 2));
    ShowCaret(Wnd);
    DestroyWindow(Wnd);
    EXPECT_EQ(GetCaretState().Wnd, 0u);
    TPoint p;
    EXPECT_FALSE(GetCaretPos(p));
    EXPECT_FALSE(SetCaretPos(1, 1));
    RunUntil(Clock.TickMilliseconds() + 2000);  // its blinking stopped too
}

}  // namespace
}  // namespace vex
