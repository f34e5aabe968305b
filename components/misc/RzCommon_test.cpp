#include "components/misc/RzCommon.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

// 'W' highlight, 'L' 3-D light, 'S' shadow, 'K' black (button text, dark shadow, window frame),
// 'r' the red square drawn on.
const TPictureLegend& BorderLegend() {
    static const TPictureLegend legend = {
        {'W', 0xFFFFFF}, {'L', 0xC0C0C0}, {'S', 0x808080}, {'K', 0x000000}, {'r', 0xFF0000}};
    return legend;
}

TSides SidesOf(int64_t Bits) {
    TSides sides;
    for (TSide side : {sdLeft, sdTop, sdRight, sdBottom})
        if (Bits & (int64_t{1} << side)) sides.Include(side);
    return sides;
}

// Each recorded line or pixel with the colour it was drawn in, by the system colour's name.
Rows LinesOf(const TCanvasRecorder& Recorder) {
    Rows lines;
    for (const TCanvasCall& call : Recorder.Calls()) {
        std::string name;
        ColorToIdent(call.Name == "SetPixels" ? call.Color : call.PenColor, name);
        lines.push_back(GeometryOf(call) + " " + name);
    }
    return lines;
}

TEST(RzBorder, EachStyleDrawsItsLinesInItsColours) {
    const std::map<std::string, TFrameStyle> styles = {
        {"fsNone", fsNone},     {"fsFlat", fsFlat},         {"fsGroove", fsGroove},
        {"fsBump", fsBump},     {"fsLowered", fsLowered},   {"fsButtonDown", fsButtonDown},
        {"fsRaised", fsRaised}, {"fsButtonUp", fsButtonUp}, {"fsStatus", fsStatus},
        {"fsPopup", fsPopup}};
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/borders.txt")) {
        SCOPED_TRACE(b.Name);
        const Rows& expected = b.Parts.at(0);
        const test::TestCase how = test::CaseOf(b.Parts.at(1).at(0), b.Where);
        TBitmap bitmap;
        PaintPicture(bitmap, Rows(expected.size(), std::string(expected[0].size(), 'r')),
                     BorderLegend());
        const TRect bounds = Rect(0, 0, bitmap.Width(), bitmap.Height());
        TCanvasRecorder recorder;
        EXPECT_EQ(DrawBorder(bitmap.Canvas(), bounds, styles.at(how[0]), SidesOf(how.Int(1))),
                  CaseRect(how, 2));
        EXPECT_EQ(PictureOf(bitmap, BorderLegend()), expected);
        EXPECT_EQ(LinesOf(recorder), b.Parts.size() > 2 ? b.Parts[2] : Rows{});
    }
}

TEST(RzBorder, SidesAndBevelsShrinkTheRectangleByTheLinesTheyDraw) {
    TBitmap bitmap;
    bitmap.SetSize(8, 6);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetWidth(3);
    {
        TCanvasRecorder recorder;
        EXPECT_EQ(DrawSides(canvas, Rect(1, 1, 7, 5), clRed, TSides(), clBlue), Rect(1, 1, 7, 5));
        EXPECT_EQ(DrawBevel(canvas, Rect(1, 1, 7, 5), clRed, clBlue, 0, SidesOf(15)),
                  Rect(1, 1, 7, 5));
        EXPECT_EQ(DrawBevel(canvas, Rect(1, 1, 7, 5), clRed, clBlue, -4, SidesOf(15)),
                  Rect(1, 1, 7, 5));
        EXPECT_TRUE(recorder.Calls().empty());
    }
    EXPECT_EQ(DrawSides(canvas, Rect(1, 1, 7, 5), clRed, SidesOf(15), clBlue), Rect(2, 2, 6, 4));
    EXPECT_EQ(DrawBevel(canvas, Rect(0, 0, 8, 6), clLime, clBlue, 2, SidesOf(1 | 8)),
              Rect(2, 0, 8, 4));
    EXPECT_EQ(canvas.Pen().Width(), 1);
    EXPECT_EQ(PictureOf(bitmap),
              (Rows{"gg......", "ggrrrrb.", "gg....b.", "gg....b.", "gbbbbbbb", "bbbbbbbb"}));
}

// A bevel or border far larger than anything a bitmap holds draws what shows, at once, and
// answers its rectangle without wrapping.
TEST(RzBorder, HugeRectanglesAndWidthsCostOnlyWhatShows) {
    TBitmap bitmap;
    bitmap.SetSize(6, 4);
    TCanvas& canvas = bitmap.Canvas();
    const TRect huge = Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(DrawBevel(canvas, huge, clRed, clBlue, INT32_MAX, SidesOf(15)), Rect(-1, -1, 0, 0));
    // Its middle is all lower-right lines, the innermost ones.
    EXPECT_EQ(PictureOf(bitmap), Rows(4, "bbbbbb"));
    EXPECT_EQ(DrawBevel(canvas, Rect(2, 0, 4, 4), clLime, clRed, INT32_MAX, SidesOf(1)),
              Rect(INT32_MAX, 0, 4, 4));
    EXPECT_EQ(PictureOf(bitmap), Rows(4, "bbggbb"));
    for (TFrameStyle style : {fsFlat, fsGroove, fsBump, fsRaised, fsButtonUp})
        EXPECT_EQ(DrawBorder(canvas, huge, style, SidesOf(15)).Left,
                  INT32_MIN + 1 + (style >= fsGroove));
    EXPECT_EQ(DrawBorder(canvas, Rect(3, 3, 3, 9), fsGroove, SidesOf(15)), Rect(5, 5, 1, 7));
    EXPECT_EQ(DrawBorder(canvas, Rect(0, 0, 6, 4), static_cast<TFrameStyle>(99), SidesOf(15)),
              Rect(0, 0, 6, 4));
}

TEST(RzRotatedFont, TakesTheFontsLooksAndTheAngleInTenths) {
    TFont font;
    font.SetName("Times New Roman");
    font.SetHeight(-17);
    font.SetCharset(SYMBOL_CHARSET);
    for (const auto& [style, pitch, angle, escapement, weight, pitchBits] :
         std::vector<std::tuple<TFontStyles, TFontPitch, int32_t, int32_t, int32_t, uint8_t>>{
             {{}, fpDefault, 90, 900, FW_NORMAL, DEFAULT_PITCH},
             {{fsBold, fsItalic}, fpVariable, 0, 0, FW_BOLD, VARIABLE_PITCH},
             {{fsUnderline, fsStrikeOut}, fpFixed, -45, -450, FW_NORMAL, FIXED_PITCH},
             {{}, fpDefault, 450, 900, FW_NORMAL, DEFAULT_PITCH},
             {{}, fpDefault, INT32_MIN, -1280, FW_NORMAL, DEFAULT_PITCH}}) {
        SCOPED_TRACE(angle);
        font.SetStyle(style);
        font.SetPitch(pitch);
        const HFONT handle = CreateRotatedFont(font, angle);
        TLogFont lf;
        GetObject(handle, lf);
        DeleteObject(handle);
        TLogFont want;
        want.lfHeight = -17;
        want.lfEscapement = escapement;
        want.lfWeight = weight;
        want.lfItalic = style.Contains(fsItalic);
        want.lfUnderline = style.Contains(fsUnderline);
        want.lfStrikeOut = style.Contains(fsStrikeOut);
        want.lfCharSet = DEFAULT_CHARSET;
        want.lfPitchAndFamily = pitchBits;
        want.lfFaceName = "Times New Roman";
        EXPECT_TRUE(lf == want);
    }
}

// A control that holds the shared blink list while it lives, as a blinking label does, and
// notes what the list tells it with the virtual time.
class TBlinker : public TGraphicControl {
public:
    explicit TBlinker(bool Blinks = true) : TGraphicControl(nullptr), Blinking(Blinks) {
        TRzBlinkingControlsList::Acquire(this);
    }
    ~TBlinker() override {
        if (Releases) TRzBlinkingControlsList::Release(this);
    }

    bool Blinking;
    bool Releases = true;
    int Asked = 0;
    std::vector<std::string> Told;
    std::function<void()> OnAsked;
    std::function<void()> OnTold;

    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_BLINKING) {
            ++Asked;
            Message.Result = Blinking ? 1 : 0;
            if (auto handler = OnAsked) handler();
        } else if (Message.Msg == CM_BLINKSTATECHANGED) {
            Told.push_back((Message.WParam != 0 ? "on@" : "off@") +
                           std::to_string(Clock().TickMilliseconds()));
            if (auto handler = OnTold) handler();  // it may free this control
        } else {
            TGraphicControl::WndProc(Message);
        }
    }
};

std::string Joined(const std::vector<std::string>& Items) {
    std::string all;
    for (const std::string& item : Items)
        all += (all.empty() ? "" : ",") + item;
    return all.empty() ? "-" : all;
}

class RzBlinking : public ::testing::Test {
protected:
    void RunUntil(int64_t Until) {
        ProcessMessagesUntil([] { return false; }, Until);
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
};

TEST_F(RzBlinking, TheSharedListLivesWhileAControlHoldsIt) {
    EXPECT_EQ(TRzBlinkingControlsList::Shared(), nullptr);
    auto a = std::make_unique<TBlinker>();
    TRzBlinkingControlsList* list = TRzBlinkingControlsList::Shared();
    ASSERT_NE(list, nullptr);
    auto b = std::make_unique<TBlinker>();
    EXPECT_EQ(&TRzBlinkingControlsList::Acquire(a.get()), list) << "one list, a control once";
    EXPECT_EQ(list->Count(), 2);
    TGraphicControl stranger(nullptr);
    TRzBlinkingControlsList::Release(&stranger);
    EXPECT_EQ(list->Count(), 2);
    a.reset();
    EXPECT_EQ(TRzBlinkingControlsList::Shared(), list);
    EXPECT_EQ(list->Count(), 1);
    b.reset();
    EXPECT_EQ(TRzBlinkingControlsList::Shared(), nullptr);
    TRzBlinkingControlsList::Release(nullptr);
}

TEST_F(RzBlinking, FlipsAfterEachIntervalAndTellsOnlyControlsThatBlink) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/blink.txt")) {
        SCOPED_TRACE(c.Where);
        Clock.SetTickMilliseconds(0);
        TBlinker blinking, still(false);
        TRzBlinkingControlsList& list = *TRzBlinkingControlsList::Shared();
        list.SetBlinkIntervalOn(static_cast<uint16_t>(c.Int(0)));
        list.SetBlinkIntervalOff(static_cast<uint16_t>(c.Int(1)));
        RunUntil(c.Int(2));
        EXPECT_EQ(Joined(blinking.Told), c[3]);
        EXPECT_TRUE(still.Told.empty());
        EXPECT_EQ(still.Asked, blinking.Told.size());
    }
}

TEST_F(RzBlinking, AControlThatStopsBlinkingIsNoLongerToldAndTheTimerRunsOn) {
    TBlinker blinking, other;
    other.OnTold = [&] {
        if (other.Told.size() == 2) blinking.Blinking = false;
    };
    RunUntil(2100);
    EXPECT_EQ(Joined(blinking.Told), "off@500,on@1000");
    EXPECT_EQ(Joined(other.Told), "off@500,on@1000,off@1500,on@2000");
    EXPECT_EQ(blinking.Asked, 4);
}

TEST_F(RzBlinking, AHeldStateEndsWhenItsIntervalIsGivenALength) {
    TBlinker blinking;
    TRzBlinkingControlsList& list = *TRzBlinkingControlsList::Shared();
    list.SetBlinkIntervalOff(0);
    RunUntil(10000);
    list.SetBlinkIntervalOn(0);  // not the state held: changes nothing yet
    RunUntil(11000);
    list.SetBlinkIntervalOff(300);
    list.SetBlinkIntervalOn(200);
    RunUntil(12000);
    EXPECT_EQ(Joined(blinking.Told), "off@500,on@11300,off@11500,on@11800");
}

// Controls asked or told may free or release themselves or others, or free the list with the
// last of them; what has gone is not told, and nothing is used after it is freed.
TEST_F(RzBlinking, ControlsToldMayFreeOrReleaseThemselvesOthersAndTheList) {
    auto* first = new TBlinker;
    auto* second = new TBlinker;
    TBlinker third;
    auto* fourth = new TBlinker;
    first->OnTold = [&] { delete std::exchange(second, nullptr); };
    third.OnAsked = [&] { TRzBlinkingControlsList::Release(&third); };
    RunUntil(600);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(third.Asked, 1);
    EXPECT_TRUE(third.Told.empty());
    EXPECT_EQ(Joined(fourth->Told), "off@500");
    EXPECT_EQ(TRzBlinkingControlsList::Shared()->Count(), 2);

    // The first frees itself and the last, and the list goes with them.
    first->OnTold = [&] {
        delete std::exchange(fourth, nullptr);
        delete std::exchange(first, nullptr);
    };
    RunUntil(1100);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(TRzBlinkingControlsList::Shared(), nullptr);
}

// A control freed without leaving the list is passed over, and counts no more.
TEST_F(RzBlinking, AControlFreedUnreleasedIsPassedOver) {
    TBlinker kept;
    // The next control made gets the freed one's address.
    alignas(TBlinker) unsigned char place[sizeof(TBlinker)];
    auto* unreleased = new (place) TGraphicControl(nullptr);
    TRzBlinkingControlsList& list = TRzBlinkingControlsList::Acquire(unreleased);
    unreleased->~TGraphicControl();
    EXPECT_EQ(list.Count(), 1);
    auto& reusing = *new (place) TBlinker;
    EXPECT_EQ(list.Count(), 2);
    auto* later = new TBlinker;
    later->Releases = false;
    kept.OnTold = [&] { delete later; };
    RunUntil(600);
    EXPECT_EQ(Joined(kept.Told), "off@500");
    EXPECT_EQ(Joined(reusing.Told), "off@500");
    reusing.~TBlinker();
}

// A list whose last control is never freed goes when the program ends, after the controls
// but before the windows its timer stands on.
TEST(RzBlinkingAtExit, AListStillHeldEndsCleanlyWithTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, statics and all
    EXPECT_EXIT(
        {
            TRzBlinkingControlsList::Acquire(new TGraphicControl(nullptr));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vex
