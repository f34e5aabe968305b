// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/core/clock.h"
#include "platform/ui/controlcanvas.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/paint.h"
#include "platform/win/messageloop.h"
#include "platform/win/painting.h"
#include "platform/win/scrollwindow.h"
#include "platform/win/updateregion.h"
#include "platform/win/x11/x11presenter.h"
#include "tests/support/messagepump.h"
#include "tests/support/processortime.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

// A form of labels shown through the display's presenter on a fresh Xvfb, and a second client
// that looks at the screen and changes the window as a window manager would.
class FormOnDisplay : public test::OnDisplayTest {
protected:
    FormOnDisplay() {
        PresentOnDisplay();
        FForm->SetCaption("Labels on a display");
        FForm->SetBounds(20, 30, 260, 180);
        const char* captions[] = {"Left", "Centred", "Right"};
        for (int i = 0; i < 3; ++i) {
            auto* label = new TLabel(FForm);
            label->SetAutoSize(false);
            label->SetBounds(8, 8 + i * 24, 200, 20);
            label->SetColor(i == 1 ? clWindow : clInfoBk);
            label->SetAlignment(i == 0 ? taLeftJustify : i == 1 ? taCenter : taRightJustify);
            label->SetCaption(captions[i]);
            label->SetParent(FForm);
        }
        FForm->Show();
    }
    ~FormOnDisplay() override { delete FForm; }

    // "" once the screen shows the form's back buffer pixel for pixel, else how it differs.
    std::string ScreenAgainstBuffer() {
        UpdateWindow(FForm->Handle());
        return ScreenAgainstPixels();
    }

    // The same for the back buffer as it is, with nothing painted first.
    std::string ScreenAgainstPixels() {
        const TPixelRows buffer = WindowPixels(FForm->Handle());
        const Window shown = FPeer.FindWindow("Labels on a display");
        if (shown == 0) return "no window on the screen";
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(FPeer.Dpy(), shown, FPeer.Root(), 0, 0, &x, &y, &child);
        const std::vector<uint32_t> screen =
            FPeer.Screen(Rect(x, y, x + buffer.Width, y + buffer.Height));
        int wrong = 0;
        for (int32_t row = 0; row < buffer.Height; ++row)
            for (int32_t column = 0; column < buffer.Width; ++column)
                wrong +=
                    screen[static_cast<size_t>(row * buffer.Width + column)] !=
                    (buffer.Pixels[static_cast<size_t>(row) * buffer.Stride + column] & 0xFFFFFF);
        return wrong == 0 ? "" : std::to_string(wrong) + " pixels differ";
    }

    bool ScreenMatches() {
        const bool same = test::PumpUntil([&] { return ScreenAgainstBuffer().empty(); });
        if (!same) ADD_FAILURE() << ScreenAgainstBuffer();
        return same;
    }

    // Like ScreenMatches, but with no pass of the message loop: what the screen shows must
    // already be on its way.
    bool ScreenMatchesUnpumped() {
        const auto deadline = std::chrono::steady_clock::now() + 1s;
        while (!ScreenAgainstPixels().empty()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                ADD_FAILURE() << ScreenAgainstPixels();
                return false;
            }
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    TForm* FForm = new TForm(nullptr);
};

TEST_F(FormOnDisplay, TheScreenShowsTheBackBuffer) {
    EXPECT_TRUE(ScreenMatches());
}

// What is drawn outside the message loop is on the screen once the call that drew or
// updated it returns: no pass of the loop is needed to show it.
TEST_F(FormOnDisplay, WhatIsDrawnAndUpdatedShowsWithNoPassOfTheLoop) {
    ASSERT_TRUE(ScreenMatches());
    const HWND form = FForm->Handle();
    auto* label = static_cast<TLabel*>(FForm->Controls(0));
    const std::vector<std::pair<std::string, std::function<void()>>> steps = {
        {"an update",
         [&] {
             FForm->SetColor(clYellow);
             UpdateWindow(form);
         }},
        {"a redraw",
         [&] {
             label->SetCaption("Redrawn");
             RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
         }},
        {"a context released",
         [&] {
             HDC dc = GetDC(form);
             dc->Brush().SetColor(clRed);
             dc->FillRect(Rect(30, 20, 90, 70));
             ReleaseDC(form, dc);
         }},
        {"a control's own canvas let go",
         [&] {
             label->Canvas().Brush().SetColor(clBlue);
             label->Canvas().FillRect(Rect(0, 0, 50, 10));
             FreeTakenContexts();
         }},
        {"a scroll brought up to date",
         [&] {
             ScrollWindowEx(form, 0, 7, nullptr, nullptr, nullptr, nullptr,
                            SW_INVALIDATE | SW_ERASE);
             UpdateWindow(form);
         }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        EXPECT_TRUE(ScreenMatchesUnpumped());
    }
}

TEST_F(FormOnDisplay, AResizeThroughTheServerReachesTheFormAndRepaints) {
    ASSERT_TRUE(ScreenMatches());
    std::vector<std::pair<int32_t, int32_t>> resized;
    FForm->OnResize = [&](TObject*) {
        resized.emplace_back(FForm->ClientWidth(), FForm->ClientHeight());
    };
    const int frameWidth = FForm->Width() - FForm->ClientWidth();
    const int frameHeight = FForm->Height() - FForm->ClientHeight();
    const Window shown = FPeer.FindWindow("Labels on a display");
    XResizeWindow(FPeer.Dpy(), shown, 340, 220);
    XSync(FPeer.Dpy(), False);
    ASSERT_TRUE(test::PumpUntil([&] { return !resized.empty(); }));
    EXPECT_EQ(resized.back(), std::make_pair(340 - frameWidth, 220 - frameHeight));
    EXPECT_EQ(FForm->Width(), 340);
    EXPECT_EQ(FForm->Height(), 220);
    EXPECT_TRUE(ScreenMatches());
}

// Pixels drawn outside painting, then scrolled, then shown by a presenter that took over
// while the form showed, and by that one after a resize: the screen follows the buffer.
TEST_F(FormOnDisplay, ScrollingAndAPresenterTakingOverKeepTheScreenOnTheBuffer) {
    ASSERT_TRUE(ScreenMatches());
    const HWND wnd = FForm->Handle();
    for (int round = 0; round < 8; ++round) {
        HDC dc = GetDC(wnd);
        dc->Brush().SetColor(static_cast<TColor>(0x203040 * (round + 1) & 0xFFFFFF));
        dc->FillRect(Rect(round * 9, round * 5, round * 9 + 60, round * 5 + 40));
        ReleaseDC(wnd, dc);
        ScrollWindowEx(wnd, round % 3 - 1, 2 - round % 5, nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE | SW_SCROLLCHILDREN);
    }
    EXPECT_TRUE(ScreenMatches());
    PresentOnDisplay();
    EXPECT_TRUE(ScreenMatches());
    FForm->SetBounds(20, 30, 300, 210);
    FForm->Invalidate();
    EXPECT_TRUE(ScreenMatches());
}

TEST_F(FormOnDisplay, AnIdleWaitWithTheShownFormTakesUnderOnePercentOfACore) {
    ASSERT_TRUE(ScreenMatches());
    const long before = test::ProcessCpuMicroseconds();
    const auto start = std::chrono::steady_clock::now();
    ProcessMessagesUntil([] { return false; }, Clock().TickMilliseconds() + 2000);
    const auto waited = std::chrono::steady_clock::now() - start;
    const long cpu = test::ProcessCpuMicroseconds() - before;
    EXPECT_GE(waited, 1990ms);
    EXPECT_LT(cpu, 20000) << "microseconds of processor time in a 2-second idle wait";
    std::printf("idle 2 s wait with a shown form: %ld us of processor time\n", cpu);
}

}  // namespace
}  // namespace vex
