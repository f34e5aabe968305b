#include "components/misc/Animate.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

int32_t Int32(const test::TestCase& Case, size_t I) {
    return static_cast<int32_t>(Case.Int(I));
}

TColor ColorOf(const std::string& Text) {
    TColor color;
    return IdentToColor(Text, color) ? color : static_cast<TColor>(std::stol(Text));
}

TEST(Animated, SettingTheFrameCountsRoundTheFrames) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/animate.txt", "frame")) {
        SCOPED_TRACE(c.Where);
        TAnimated animated(nullptr);
        animated.SetFrameCount(Int32(c, 0));
        animated.SetFrame(Int32(c, 1));
        int fired = 0;
        animated.OnChangeFrame = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &animated);
            ++fired;
        };
        animated.SetFrame(Int32(c, 2));
        EXPECT_EQ(animated.Frame(), Int32(c, 3));
        EXPECT_EQ(fired, c.Int(4));
    }
}

TEST(Animated, AFrameCountBelowOneIsRefused) {
    TAnimated animated(nullptr);
    animated.SetFrameCount(4);
    for (int32_t count : {0, -1, INT32_MIN}) {
        EXPECT_THROW(animated.SetFrameCount(count), ERangeError);
        EXPECT_EQ(animated.FrameCount(), 4);
    }
}

class AnimatedPlaying : public ::testing::Test {
protected:
    // Runs the loop until the virtual tick count reaches Until.
    void RunUntil(int64_t Until) {
        ProcessMessagesUntil([] { return false; }, Until);
    }
    // Notes each frame shown as "frame@tick".
    void Note(TAnimated& Animated) {
        Animated.OnChangeFrame = [this, &Animated](TObject*) {
            Shown.push_back(std::to_string(Animated.Frame()) + "@" +
                            std::to_string(Clock.TickMilliseconds()));
        };
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
    std::vector<std::string> Shown;
};

TEST_F(AnimatedPlaying, StepsEveryIntervalForwardOrBackRoundOrOnce) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/animate.txt", "step")) {
        SCOPED_TRACE(c.Where);
        Clock.SetTickMilliseconds(0);
        Shown.clear();
        TAnimated animated(nullptr);
        animated.SetFrameCount(Int32(c, 0));
        animated.SetFrame(Int32(c, 1));
        animated.SetLoop(c.Int(2) != 0);
        animated.SetReverse(c.Int(3) != 0);
        animated.SetInterval(Int32(c, 4));
        Note(animated);
        animated.SetPlay(true);
        RunUntil(c.Int(5));
        std::string shown;
        for (const std::string& s : Shown)
            shown += (shown.empty() ? "" : ",") + s;
        EXPECT_EQ(shown.empty() ? "-" : shown, c[6]);
        EXPECT_EQ(animated.Play(), c.Int(7) != 0);
    }
}

TEST_F(AnimatedPlaying, ANewIntervalCountsFromWhenItIsSetAndOnlyWhilePlaying) {
    TAnimated animated(nullptr);
    animated.SetFrameCount(100);
    animated.SetInterval(100);
    Note(animated);
    RunUntil(1000);
    EXPECT_TRUE(Shown.empty()) << "not playing";
    animated.SetPlay(true);
    RunUntil(1150);
    animated.SetInterval(300);
    RunUntil(1800);
    animated.SetPlay(false);
    animated.SetInterval(50);
    RunUntil(5000);
    EXPECT_EQ(Shown, (std::vector<std::string>{"1@1100", "2@1450", "3@1750"}));
}

TEST_F(AnimatedPlaying, TheFrameHandlerMayStopOrFreeTheControl) {
    auto* animated = new TAnimated(nullptr);
    animated->SetFrameCount(5);
    animated->SetInterval(100);
    animated->SetLoop(false);
    int changes = 0;
    animated->OnChangeFrame = [&](TObject*) {
        if (++changes == 2) animated->SetPlay(false);
    };
    animated->SetPlay(true);
    RunUntil(1000);
    EXPECT_EQ(animated->Frame(), 2);
    animated->OnChangeFrame = [&](TObject*) { delete std::exchange(animated, nullptr); };
    animated->SetPlay(true);
    RunUntil(2000);
    EXPECT_EQ(animated, nullptr);
}

TEST(Animated, TakesACopyOfTheStripAndItsHeight) {
    for (const auto& [width, height, controlHeight] :
         std::vector<std::tuple<int, int, int>>{{9, 2, 2}, {0, 7, 7}, {5, 0, 30}, {0, 0, 30}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        TAnimated animated(nullptr);
        animated.SetBounds(0, 0, 12, 40);
        TBitmap strip;
        strip.SetSize(width, height);
        animated.SetBitMap(strip);
        strip.SetSize(3, 3);
        EXPECT_EQ(animated.BitMap().Width(), width);
        EXPECT_EQ(animated.BitMap().Height(), height);
        EXPECT_EQ(animated.Width(), 12);
        EXPECT_EQ(animated.Height(), controlHeight);
    }
}

TEST(Animated, PaintsTheFramesSliceOfTheStrip) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/animatepaint.txt")) {
        SCOPED_TRACE(b.Name + " at " + b.Where);
        const test::TestCase c = test::CaseOf(b.Parts.at(1).at(0), b.Where);
        TAnimated animated(nullptr);
        TBitmap strip;
        if (b.Parts[0][0] != "empty") PaintPicture(strip, b.Parts[0]);
        animated.SetBitMap(strip);
        animated.SetBounds(0, 0, Int32(c, 0), Int32(c, 1));
        animated.SetFrameCount(INT32_MAX);
        animated.SetFrame(Int32(c, 2));
        animated.SetTransparentColor(ColorOf(c[3]));
        animated.SetColor(ColorOf(c[4]));
        const TPictureRows& expected = b.Parts.at(2);
        TBitmap target;  // grey, for the control to paint over everywhere
        PaintPicture(target, TPictureRows(expected.size(), std::string(expected[0].size(), '?')),
                     {{'?', 0x808080}});
        animated.Perform(WM_PAINT, reinterpret_cast<WPARAM>(&target.Canvas()), 0);
        EXPECT_EQ(PictureOf(target), expected);
    }
}

// On a form the control shows each change of frame, strip or transparent colour.
TEST(Animated, ShowsEachChangeOnItsParent) {
    test::TShownForm shown;
    auto* panel = shown.Add<test::TPlainPanel>(shown.Form, Rect(0, 0, 4, 1));
    panel->SetColor(clBlack);
    auto* animated = shown.Add<TAnimated>(panel, Rect(1, 0, 3, 1));
    animated->SetColor(clBlue);
    animated->SetFrameCount(3);
    TBitmap strip;
    PaintPicture(strip, {"grrgbb"});
    animated->SetBitMap(strip);
    const auto row = [&] { return test::ShownRows(*panel)[0]; };
    EXPECT_EQ(row(), "kgrk");
    animated->SetFrame(2);
    EXPECT_EQ(row(), "kbbk");
    animated->SetFrame(1);
    animated->SetTransparentColor(clRed);
    EXPECT_EQ(row(), "kbgk");
    PaintPicture(strip, {"rrrrgg"});
    animated->SetBitMap(strip);
    EXPECT_EQ(row(), "kbbk");
}

}  // namespace
}  // namespace vex
