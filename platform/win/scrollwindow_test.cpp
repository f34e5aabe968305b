#include "platform/win/scrollwindow.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::MessageLog;

constexpr int32_t kWidth = 10;
constexpr int32_t kHeight = 8;

uint32_t Pattern(int32_t X, int32_t Y) {
    return 0x010000u + static_cast<uint32_t>(Y * 256 + X);
}

void Drain() {
    MSG msg;
    while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
        DispatchMessage(msg);
}

// Gives every pixel of the window's client area its own value.
void PaintPattern(HWND Wnd) {
    const TWindowSurface s = GetWindowSurface(Wnd, TSurfaceArea::Client);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            s.Pixels[(s.Origin.Y + y) * s.Stride + s.Origin.X + x] = Pattern(x, y);
}

uint32_t PixelAt(HWND Wnd, int32_t X, int32_t Y) {
    const TWindowSurface s = GetWindowSurface(Wnd, TSurfaceArea::Client);
    return s.Pixels[(s.Origin.Y + Y) * s.Stride + s.Origin.X + X];
}

bool ReadRect(const std::string& Field, TRect& Rect) {
    if (Field == "-") return false;
    std::istringstream in(Field);
    in >> Rect.Left >> Rect.Top >> Rect.Right >> Rect.Bottom;
    return true;
}

TEST(ScrollWindow, PixelsMoveInsideTheRectanglesAndTheUncoveredStripIsInvalidated) {
    MessageLog log;
    const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, kWidth, kHeight});
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/scrollwindow.txt")) {
        SCOPED_TRACE(c.Where);
        Drain();
        PaintPattern(wnd);
        const int32_t dx = static_cast<int32_t>(c.Int(0));
        const int32_t dy = static_cast<int32_t>(c.Int(1));
        TRect scroll{0, 0, kWidth, kHeight};
        TRect clip = scroll;
        const bool hasScroll = ReadRect(c[2], scroll);
        const bool hasClip = ReadRect(c[3], clip);
        TRegion uncovered;
        TRect uncoveredBox;
        ScrollWindowEx(wnd, dx, dy, hasScroll ? &scroll : nullptr, hasClip ? &clip : nullptr,
                       &uncovered, &uncoveredBox, SW_INVALIDATE);
        EXPECT_EQ(uncovered.Area(), c.Int(4));
        const TRect bounds{static_cast<int32_t>(c.Int(5)), static_cast<int32_t>(c.Int(6)),
                           static_cast<int32_t>(c.Int(7)), static_cast<int32_t>(c.Int(8))};
        EXPECT_EQ(uncoveredBox, bounds);
        TRegion invalid;
        GetUpdateRgn(wnd, invalid);
        EXPECT_TRUE(invalid.SameArea(uncovered));

        // A pixel inside both rectangles whose source lay in the scroll rectangle took that
        // pixel; every other pixel kept its own.
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const int64_t fromX = int64_t{x} - dx;
                const int64_t fromY = int64_t{y} - dy;
                const bool inside = fromX >= 0 && fromX < kWidth && fromY >= 0 && fromY < kHeight;
                const TPoint from{static_cast<int32_t>(inside ? fromX : 0),
                                  static_cast<int32_t>(inside ? fromY : 0)};
                const bool moved = inside && PtInRect(scroll, {x, y}) && PtInRect(clip, {x, y}) &&
                                   PtInRect(scroll, from);
                const uint32_t expected = moved ? Pattern(from.X, from.Y) : Pattern(x, y);
                ASSERT_EQ(PixelAt(wnd, x, y), expected) << x << "," << y;
            }
    }
}

TEST(ScrollWindow, WhatWaitsToBePaintedMovesAlong) {
    MessageLog log;
    const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, kWidth, kHeight});
    Drain();
    const TRect corner{0, 0, 2, 2};
    InvalidateRect(wnd, &corner, false);
    ScrollWindowEx(wnd, 3, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    TRegion invalid;
    GetUpdateRgn(wnd, invalid);
    TRegion expected(TRect{3, 0, 5, 2});
    expected.Union(TRect{0, 0, 3, kHeight});
    EXPECT_TRUE(invalid.SameArea(expected));
}

TEST(ScrollWindow, ChildrenMoveWithTheirPixelsOnlyWhenAsked) {
    MessageLog log;
    const HWND parent =
        log.Create("parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, kWidth, kHeight});
    const HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, {0, 0, 2, 2}, parent);
    Drain();
    PaintPattern(parent);
    log.Watched = {WM_MOVE};
    log.Take();

    // Without SW_SCROLLCHILDREN the pixels under the child do not show, so their place is
    // uncovered instead of filled.
    TRegion uncovered;
    ScrollWindowEx(parent, 0, 3, nullptr, nullptr, &uncovered, nullptr, 0);
    EXPECT_TRUE(uncovered.Contains({1, 4}));
    EXPECT_EQ(log.Take(), "");

    PaintPattern(parent);
    ScrollWindow(parent, 2, 1, nullptr, nullptr);
    EXPECT_EQ(log.Take(), "child WM_MOVE 2,1\n");
    EXPECT_EQ(PixelAt(parent, 3, 2), Pattern(1, 1));  // the child's pixel, carried along
    TRect rect;
    GetWindowRect(child, rect);
    EXPECT_EQ(rect, (TRect{2, 1, 4, 3}));
    EXPECT_EQ(ScrollWindowEx(0, 1, 1, nullptr, nullptr, nullptr, nullptr, 0), ERROR);

    // However far it goes, a child stays at the end of the coordinate range.
    ScrollWindow(parent, INT32_MIN, INT32_MAX, nullptr, nullptr);
    GetWindowRect(child, rect);
    EXPECT_EQ(rect.Left, INT32_MIN + 2);
    EXPECT_EQ(rect.Top, INT32_MAX);
    TPoint p{5, 5};
    ClientToScreen(child, p);
    EXPECT_EQ(p, (TPoint{INT32_MIN + 7, INT32_MAX}));
    EXPECT_EQ(WindowFromPoint({INT32_MIN, INT32_MAX}), 0u);
}

}  // namespace
}  // namespace vex
