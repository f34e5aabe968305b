#include "platform/ui/steppedscroll.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

// A scroll request with the thumb at Place.
WPARAM Thumb(WPARAM Request, uint16_t Place) {
    return static_cast<WPARAM>(MAKELONG(static_cast<uint16_t>(Request), Place));
}

// Ranges past what 16 bits hold go to the bar in steps, and the thumb's place comes back as the
// row or pixel it stands for, never past the range.
TEST(SteppedScroll, LongRangesGoToTheBarInStepsAndComeBackWithinThem) {
    const struct {
        int32_t Max, Page, Pos;
        int32_t Step, BarMax, BarPage, BarPos;
    } cases[] = {
        {100, 10, 50, 1, 100, 10, 50},
        {0xFFFF, 100, 0xFFFF, 2, 0x7FFF, 50, 0x7FFF},
        {1000000, 1000, 999000, 16, 62500, 63, 62437},
        {100, -5, 0, 1, 100, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Max);
        EXPECT_EQ(BarStep(c.Max), c.Step);
        const SCROLLINFO info = SteppedScrollInfo(c.Max, c.Page, c.Pos, true);
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, c.BarMax);
        EXPECT_EQ(info.nPage, static_cast<UINT>(c.BarPage));
        EXPECT_EQ(info.nPos, c.BarPos);
        EXPECT_NE(info.fMask & SIF_DISABLENOSCROLL, 0u);
        EXPECT_EQ(ThumbPlace(Thumb(SB_THUMBTRACK, static_cast<uint16_t>(info.nMax)), c.Max),
                  std::min(info.nMax * c.Step, c.Max));
        EXPECT_EQ(ThumbPlace(Thumb(SB_THUMBTRACK, 0xFFFF), c.Max), c.Max);
    }
    EXPECT_EQ(SteppedScrollInfo(10, 1, 0, false).fMask & SIF_DISABLENOSCROLL, 0u);
}

TEST(SteppedScroll, HorizontalRequestsStopWhereLessThanAPageWouldShow) {
    // A view 100 pixels wide over a line 250 wide, scrolled to 40; arrows move 8.
    const struct {
        WPARAM Request;
        std::optional<int32_t> X;
    } cases[] = {
        {SB_LINELEFT, 32},
        {SB_LINERIGHT, 48},
        {SB_PAGELEFT, -60},
        {SB_PAGERIGHT, 140},
        {SB_LEFT, 0},
        {SB_RIGHT, 151},
        {Thumb(SB_THUMBTRACK, 120), 120},
        {Thumb(SB_THUMBPOSITION, 200), 151},
        {SB_ENDSCROLL, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(LOWORD(c.Request));
        EXPECT_EQ(HorizontalScrollTarget(c.Request, 40, 8, 100, 250, 250), c.X);
    }
    // A line narrower than the view does not scroll at all.
    EXPECT_EQ(HorizontalScrollTarget(SB_RIGHT, 0, 8, 100, 50, 99), 0);
}

// Values far past what the edits hand over still give a bar and a place within int32_t: no
// division by a zero step, no overflow on the way.
TEST(SteppedScroll, ExtremeValuesStayWithinRange) {
    constexpr int32_t kMax = INT32_MAX;
    const struct {
        int32_t Max, Page, Pos;
        int32_t BarMax, BarPage, BarPos;
    } bars[] = {
        {-70000, 10, 0, -70000, 10, 0},
        {INT32_MIN, 0, 0, INT32_MIN, 0, 0},
        {kMax, kMax, kMax, 65534, 65535, 65534},
    };
    for (const auto& c : bars) {
        SCOPED_TRACE(c.Max);
        const SCROLLINFO info = SteppedScrollInfo(c.Max, c.Page, c.Pos, true);
        EXPECT_EQ(info.nMax, c.BarMax);
        EXPECT_EQ(info.nPage, static_cast<UINT>(c.BarPage));
        EXPECT_EQ(info.nPos, c.BarPos);
    }
    EXPECT_EQ(ThumbPlace(Thumb(SB_THUMBTRACK, 5), -70000), -70000);
    const struct {
        WPARAM Request;
        int32_t X, Page, Widest;
        int32_t Target;
    } targets[] = {
        {SB_LINERIGHT, kMax - 2, 0, kMax, kMax},
        {SB_RIGHT, 0, 0, kMax, kMax},
        {SB_PAGERIGHT, kMax - 10, 100, kMax, kMax - 99},
        {SB_PAGELEFT, 0, kMax, kMax, -kMax},
        {SB_RIGHT, 0, -5, kMax, kMax},
    };
    for (const auto& c : targets) {
        SCOPED_TRACE(LOWORD(c.Request));
        EXPECT_EQ(HorizontalScrollTarget(c.Request, c.X, 8, c.Page, c.Widest, kMax), c.Target);
    }
}

}  // namespace
}  // namespace vex
