#include "platform/win/scrollbars.h"

#include <gtest/gtest.h>

#include "platform/win/painting.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::MessageLog;

UINT MaskOf(const std::string& Names) {
    return test::FlagsOf(Names, {{"SIF_RANGE", SIF_RANGE},
                                 {"SIF_PAGE", SIF_PAGE},
                                 {"SIF_POS", SIF_POS},
                                 {"SIF_ALL", SIF_ALL},
                                 {"SIF_DISABLENOSCROLL", SIF_DISABLENOSCROLL}});
}

TEST(ScrollBars, RangePageAndPositionAreKeptInBoundsAndDecideWhetherTheBarShows) {
    MessageLog log;
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/scrollbars.txt")) {
        SCOPED_TRACE(c.Where);
        const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
        SCROLLINFO info;
        info.fMask = MaskOf(c[0]);
        info.nMin = static_cast<int32_t>(c.Int(1));
        info.nMax = static_cast<int32_t>(c.Int(2));
        info.nPage = static_cast<UINT>(c.Int(3));
        info.nPos = static_cast<int32_t>(c.Int(4));
        EXPECT_EQ(SetScrollInfo(wnd, SB_VERT, info, true), c.Int(5));
        TScrollBarState state;
        ASSERT_TRUE(GetScrollBarState(wnd, SB_VERT, state));
        EXPECT_EQ(state.Pos, c.Int(5));
        EXPECT_EQ(state.Page, static_cast<uint32_t>(c.Int(6)));
        EXPECT_EQ(state.Visible, c.Int(7) != 0);
        EXPECT_EQ(state.DisabledArrows, static_cast<UINT>(c.Int(8)));
        TRect client;
        GetClientRect(wnd, client);
        EXPECT_EQ(client.Right, c.Int(9));
        DestroyWindow(wnd);
    }
}

TEST(ScrollBars, ThePositionCallsClampAndAChangeRepaintsTheFrame) {
    MessageLog log;
    const HWND wnd = log.Create("w", WS_POPUP | WS_VISIBLE | WS_HSCROLL, {0, 0, 100, 100});
    EXPECT_TRUE(SetScrollRange(wnd, SB_HORZ, 10, 20, false));
    int32_t min = 0;
    int32_t max = 0;
    ASSERT_TRUE(GetScrollRange(wnd, SB_HORZ, min, max));
    EXPECT_EQ(min, 10);
    EXPECT_EQ(max, 20);
    BeginWindowPaint(wnd);
    EXPECT_EQ(SetScrollPos(wnd, SB_HORZ, 15, true), 10);
    EXPECT_EQ(SetScrollPos(wnd, SB_HORZ, 99, true), 15);
    EXPECT_EQ(GetScrollPos(wnd, SB_HORZ), 20);
    EXPECT_TRUE(BeginWindowPaint(wnd).FrameInvalid);

    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(wnd, SB_HORZ, info));
    EXPECT_EQ(info.nTrackPos, 20);

    EXPECT_TRUE(EnableScrollBar(wnd, SB_BOTH, ESB_DISABLE_LTUP));
    EXPECT_FALSE(EnableScrollBar(wnd, SB_HORZ, ESB_DISABLE_LTUP));
    ShowScrollBar(wnd, SB_BOTH, true);
    TRect client;
    GetClientRect(wnd, client);
    EXPECT_EQ(client, (TRect{0, 0, 84, 84}));
    EXPECT_TRUE(SetScrollRange(wnd, SB_HORZ, 3, 3, false));
    EXPECT_FALSE(GetWindowLong(wnd, GWL_STYLE) & WS_HSCROLL);
    EXPECT_THROW(GetScrollPos(wnd, 7), EWindowError);
    EXPECT_THROW(SetScrollPos(wnd, SB_BOTH, 1, false), EWindowError);
    EXPECT_EQ(GetScrollPos(0, SB_VERT), 0);
}

}  // namespace
}  // namespace vex
