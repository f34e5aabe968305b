#include "platform/win/scrolltracking.h"

#include "platform/win/input_testsupport.h"
#include "platform/win/messageloop.h"
#include "platform/win/scrollbars.h"

namespace vex {
namespace {

// A borderless 200 x 200 window whose vertical bar, 16 wide at x 184 to 200, has arrows of 16 at
// both ends and a track of 168 between; range 0 to 99 with a page of 10, at 0.
class ScrollBarClicks : public test::InputScene {
protected:
    ScrollBarClicks() {
        Wnd = Make("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, TRect{0, 0, 200, 200});
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = 99;
        info.nPage = 10;
        SetScrollInfo(Wnd, SB_VERT, info, false);
        Pump();
        Take();
    }
    // Runs the loop, timers included, for Milliseconds of the virtual clock.
    void Hold(int64_t Milliseconds) {
        const int64_t until = Clock.TickMilliseconds() + Milliseconds;
        ProcessMessagesUntil([] { return false; }, until);
    }
    HWND Wnd;
};

TEST_F(ScrollBarClicks, ArrowsAndTrackSendTheirRequestsThenEnd) {
    struct TCase {
        TPoint Screen;
        const char* Sent;
    };
    const TCase cases[] = {
        {{192, 190}, "w WM_VSCROLL 1 0\nw WM_VSCROLL 8 0\n"},  // the lower arrow
        {{192, 5}, "w WM_VSCROLL 0 0\nw WM_VSCROLL 8 0\n"},    // the upper arrow
        {{192, 150}, "w WM_VSCROLL 3 0\nw WM_VSCROLL 8 0\n"},  // the track below the thumb
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Sent);
        Click(c.Screen);
        Pump();
        std::string sent;
        for (const std::string& line : Lines)
            if (line.find("WM_VSCROLL") != std::string::npos) sent += line + "\n";
        Lines.clear();
        EXPECT_EQ(sent, c.Sent);
        EXPECT_EQ(GetCapture(), 0u);
    }
}

TEST_F(ScrollBarClicks, AHeldArrowRepeatsOnTheWindowTimerUntilReleased) {
    InjectMouseMove({192, 190});
    InjectMouseButton(TDeviceButton::Left, true);
    Pump();
    EXPECT_EQ(GetCapture(), Wnd);
    Take();
    Hold(400 + 3 * 100 + 50);  // the first pause, then three repeats
    EXPECT_EQ(Take(), "w WM_VSCROLL 1 0\nw WM_VSCROLL 1 0\nw WM_VSCROLL 1 0\nw WM_VSCROLL 1 0\n");
    InjectMouseButton(TDeviceButton::Left, false);
    Pump();
    EXPECT_EQ(Take(), "w WM_VSCROLL 8 0\nw WM_CAPTURECHANGED -\n");
    Hold(500);
    EXPECT_EQ(Take(), "");
}

TEST_F(ScrollBarClicks, DraggingTheThumbTracksAndSetsThePositionOnRelease) {
    // The thumb is 16 long (168 * 10 / 100) at the track's start: y 16 to 32.
    InjectMouseMove({192, 20});
    InjectMouseButton(TDeviceButton::Left, true);
    Pump();
    InjectMouseMove({192, 96});  // 76 down of the 152 the thumb can move: half the span
    Pump();
    InjectMouseMove({192, 500});  // past the end
    Pump();
    InjectMouseButton(TDeviceButton::Left, false);
    Pump();
    std::string sent;
    for (const std::string& line : Lines)
        if (line.find("WM_VSCROLL") != std::string::npos) sent += line + "\n";
    EXPECT_EQ(sent,
              "w WM_VSCROLL 5 0\nw WM_VSCROLL 5 45\nw WM_VSCROLL 5 90\nw WM_VSCROLL 4 90\n"
              "w WM_VSCROLL 8 0\n");
    // The window's own mouse messages were the tracking's.
    for (const std::string& line : Lines) {
        EXPECT_EQ(line.find("WM_MOUSEMOVE"), std::string::npos) << line;
        EXPECT_EQ(line.find("WM_LBUTTONUP"), std::string::npos) << line;
    }
}

TEST_F(ScrollBarClicks, LosingTheCaptureEndsTheTracking) {
    InjectMouseMove({192, 190});
    InjectMouseButton(TDeviceButton::Left, true);
    Pump();
    Take();
    ReleaseCapture();
    EXPECT_EQ(Take(), "w WM_CAPTURECHANGED -\nw WM_VSCROLL 8 0\n");
    Hold(1000);
    EXPECT_EQ(Take(), "");
}

}  // namespace
}  // namespace vex
