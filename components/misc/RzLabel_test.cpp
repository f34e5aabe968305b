#include "components/misc/RzLabel.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/messageloop.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// The label with its protected geometry in reach.
class TProbe : public TRzLabel {
public:
    using TRzLabel::TRzLabel;
    TRect TextRect() {
        TRect r = ClientRect();
        AdjustClientRect(r, true);
        return r;
    }
};

// Sides written as their initials, "LTRB" for all four.
TSides SidesNamed(const std::string& Initials) {
    const std::map<char, TSide> sides = {
        {'L', sdLeft}, {'T', sdTop}, {'R', sdRight}, {'B', sdBottom}};
    TSides named;
    for (char initial : Initials)
        named.Include(sides.at(initial));
    return named;
}

TFrameStyle FrameNamed(const std::string& Name) {
    static const std::map<std::string, TFrameStyle> styles = {
        {"fsNone", fsNone},     {"fsFlat", fsFlat},         {"fsGroove", fsGroove},
        {"fsBump", fsBump},     {"fsLowered", fsLowered},   {"fsButtonDown", fsButtonDown},
        {"fsRaised", fsRaised}, {"fsButtonUp", fsButtonUp}, {"fsStatus", fsStatus},
        {"fsPopup", fsPopup}};
    return styles.at(Name);
}

TRotation RotationNamed(const std::string& Name) {
    static const std::map<std::string, TRotation> rotations = {
        {"roNone", roNone}, {"roFlat", roFlat}, {"roCurve", roCurve}};
    return rotations.at(Name);
}

// Applies "Name=Value,Name=Value" (or "-" for nothing) to a label.
void Apply(TRzLabel& Label, const std::string& Steps) {
    if (Steps == "-") return;
    const std::map<std::string, std::function<void(const std::string&)>> setters = {
        {"FrameSides", [&](auto& V) { Label.SetFrameSides(SidesNamed(V)); }},
        {"BorderSides", [&](auto& V) { Label.SetBorderSides(SidesNamed(V)); }},
        {"BorderOuter", [&](auto& V) { Label.SetBorderOuter(FrameNamed(V)); }},
        {"BorderInner", [&](auto& V) { Label.SetBorderInner(FrameNamed(V)); }},
        {"BevelWidth", [&](auto& V) { Label.SetBevelWidth(std::stoi(V)); }},
        {"BorderWidth", [&](auto& V) { Label.SetBorderWidth(std::stoi(V)); }},
        {"ShadowDepth", [&](auto& V) { Label.SetShadowDepth(std::stoi(V)); }},
        {"Angle", [&](auto& V) { Label.SetAngle(std::stoi(V)); }},
        {"TextStyle",
         [&](auto& V) {
             const std::map<std::string, TTextStyle> styles = {{"tsNormal", tsNormal},
                                                               {"tsRaised", tsRaised},
                                                               {"tsRecessed", tsRecessed},
                                                               {"tsShadow", tsShadow}};
             Label.SetTextStyle(styles.at(V));
         }},
    };
    std::istringstream in(Steps);
    for (std::string step; std::getline(in, step, ',');) {
        const size_t eq = step.find('=');
        setters.at(step.substr(0, eq))(step.substr(eq + 1));
    }
}

TEST(RzLabel, AnglesKeepWithinATurnAndTurnAnUprightLabel) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/rzangles.txt")) {
        SCOPED_TRACE(c.Where);
        TRzLabel label(nullptr);
        label.SetRotation(RotationNamed(c[0]));
        label.SetAngle(static_cast<int32_t>(c.Int(1)));
        EXPECT_EQ(label.Angle(), c.Int(2));
        EXPECT_EQ(label.Rotation(), RotationNamed(c[3]));
    }
}

TEST(RzLabel, ARotationOtherThanACurveStartsUprightAndAFlatOneTurnsAboutTheMiddle) {
    TRzLabel label(nullptr);
    label.SetRotation(roCurve);
    label.SetCenterPoint(cpLowerLeft);
    label.SetAngle(-30);
    label.SetRotation(roFlat);
    EXPECT_EQ(label.Angle(), 0);
    EXPECT_EQ(label.CenterPoint(), cpCenter);
    label.SetAngle(45);
    label.SetRotation(roNone);
    EXPECT_EQ(label.Angle(), 0);
}

// The built-in font is a bitmap font, which cannot be turned: a label that turns takes Arial.
TEST(RzLabel, OnlyAFontThatCanTurnIsTurned) {
    TRzLabel label(nullptr);
    label.Font().SetName(FixedFontName);
    label.SetAngle(30);
    EXPECT_EQ(label.Font().Name(), "Arial");
    EXPECT_EQ(label.Angle(), 30);
    label.Font().SetName(FixedFontName);
    EXPECT_EQ(label.Angle(), 0) << "a font that cannot turn stands the label up";
    label.SetRotation(roCurve);
    EXPECT_EQ(label.Font().Name(), "Arial");

    // Loading keeps the stored font until everything is read, then makes it one that turns.
    TComponent root(nullptr);
    root.BeginLoading();
    auto* loaded = new TRzLabel(&root);
    loaded->Font().SetName(FixedFontName);
    loaded->Font().SetColor(clTeal);
    loaded->SetAngle(45);
    EXPECT_EQ(loaded->Font().Name(), FixedFontName);
    EXPECT_EQ(loaded->Rotation(), roFlat);
    root.EndLoading();
    EXPECT_EQ(loaded->Font().Name(), "Arial");
    EXPECT_EQ(loaded->Angle(), 45);
    EXPECT_EQ(loaded->DrawColor(), clTeal);
}

TEST(RzLabel, BordersFramesShadowAndTurnGrowTheSizeAndShrinkTheTextRectangle) {
    TRzLabel plain(nullptr);
    plain.SetCaption("Wide caption");
    const int32_t w0 = plain.Width(), h0 = plain.Height();
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/rzgeometry.txt")) {
        SCOPED_TRACE(c.Where);
        TProbe label(nullptr);
        label.SetCaption("Wide caption");
        Apply(label, c[0]);
        EXPECT_EQ(label.Width() - w0, c.Int(1));
        EXPECT_EQ(label.Height() - h0, c.Int(2));
        label.SetAutoSize(false);
        label.SetBounds(0, 0, 100, 60);
        EXPECT_EQ(label.TextRect(),
                  Rect(static_cast<int32_t>(c.Int(3)), static_cast<int32_t>(c.Int(4)),
                       static_cast<int32_t>(c.Int(5)), static_cast<int32_t>(c.Int(6))));
    }
}

// The box round turned text is the same for an angle and its mirror images, and a quarter turn
// exchanges width and height.
TEST(RzLabel, ATurnedLabelTakesTheBoxRoundItsTurnedText) {
    const auto sizeAt = [](int32_t Angle) {
        TRzLabel label(nullptr);
        label.SetCaption("A long turned caption");
        label.SetAngle(Angle);
        return std::make_pair(label.Width(), label.Height());
    };
    const auto [w, h] = sizeAt(0);
    ASSERT_GT(w, 2 * h);
    EXPECT_EQ(sizeAt(90), std::make_pair(h, w));
    EXPECT_EQ(sizeAt(270), std::make_pair(h, w));
    for (int32_t angle : {10, 30, 45, 80}) {
        SCOPED_TRACE(angle);
        EXPECT_EQ(sizeAt(180 - angle), sizeAt(angle));
        EXPECT_EQ(sizeAt(180 + angle), sizeAt(angle));
        EXPECT_EQ(sizeAt(360 - angle), sizeAt(angle));
    }
    const auto [w100, h100] = sizeAt(100);
    EXPECT_GT(h100, w100) << "nearly upright text is taller than wide";
}

// Each step: enter, leave, on/off (fly-by), or a colour the program gives the font; then the
// font colour expected.
TEST(RzLabel, FlyByShowsItsColourWhileTheMouseIsOverAndGivesTheFontsBack) {
    const struct {
        const char* Steps;
        const char* Colours;
    } cases[] = {
        {"on enter leave", "red lime red"},
        {"enter leave", "red red"},
        {"on enter enter leave", "red lime lime red"},  // a second enter keeps what it saved
        {"on enter off leave", "red lime red red"},
        {"on blue enter leave", "red blue lime blue"},
        {"on off", "red red"},  // nothing shown, nothing restored
        {"blue on off", "blue blue blue"},
    };
    const std::map<std::string, TColor> colours = {
        {"red", clRed}, {"lime", clLime}, {"blue", clBlue}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Steps);
        TRzLabel label(nullptr);
        label.Font().SetColor(clRed);
        label.SetFlyByColor(clLime);
        int entered = 0, left = 0;
        label.OnMouseEnter = [&](TObject* Sender) { entered += Sender == &label; };
        label.OnMouseLeave = [&](TObject* Sender) { left += Sender == &label; };
        std::istringstream steps(c.Steps), expected(c.Colours);
        int enters = 0, leaves = 0;
        for (std::string step, want; steps >> step && expected >> want;) {
            if (step == "enter") label.Perform(CM_MOUSEENTER, 0, 0), ++enters;
            if (step == "leave") label.Perform(CM_MOUSELEAVE, 0, 0), ++leaves;
            if (step == "on" || step == "off") label.SetFlyByEnabled(step == "on");
            if (colours.count(step)) label.Font().SetColor(colours.at(step));
            EXPECT_EQ(label.Font().Color(), colours.at(want)) << step;
            EXPECT_EQ(label.DrawColor(), label.Font().Color()) << step;
        }
        EXPECT_EQ(entered, enters);
        EXPECT_EQ(left, leaves);
    }
}

class RzLabelBlinking : public ::testing::Test {
protected:
    // Runs the loop up to, not including, the virtual time Until.
    void RunUntil(int64_t Until) {
        ProcessMessagesUntil([] { return false; }, Until);
    }

    TVirtualClock Clock;
    TClockOverride Use{Clock};
};

TEST_F(RzLabelBlinking, BlinkingLabelsChangeColourTogetherOnTheSharedTimer) {
    TRzLabel first(nullptr), second(nullptr), still(nullptr);
    for (TRzLabel* label : {&first, &second, &still}) {
        label->Font().SetColor(clNavy);
        label->SetBlinkColor(clYellow);
    }
    first.SetBlinking(true);
    second.SetBlinking(true);
    second.SetBlinkIntervalOn(300);  // every label's
    EXPECT_EQ(first.BlinkIntervalOn(), 300);
    const struct {
        int64_t At;
        TColor Blinking;
    } steps[] = {{501, clNavy},    {999, clNavy},  {1001, clYellow},
                 {1299, clYellow}, {1301, clNavy}, {1801, clYellow}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.At);
        RunUntil(s.At);
        EXPECT_EQ(first.DrawColor(), s.Blinking);
        EXPECT_EQ(second.DrawColor(), s.Blinking);
        EXPECT_EQ(still.DrawColor(), clNavy);
    }
    // A font colour given while the blink colour shows is the one shown once blinking stops.
    first.Font().SetColor(clMaroon);
    EXPECT_EQ(first.DrawColor(), clYellow);
    first.SetBlinking(false);
    EXPECT_EQ(first.DrawColor(), clMaroon);
    RunUntil(2500);
    EXPECT_EQ(first.DrawColor(), clMaroon);
}

TEST_F(RzLabelBlinking, TheSharedListGoesWithTheLastLabelAndComesWithTheNext) {
    EXPECT_EQ(TRzBlinkingControlsList::Shared(), nullptr);
    auto a = std::make_unique<TRzLabel>(nullptr);
    auto b = std::make_unique<TRzLabel>(nullptr);
    ASSERT_NE(TRzBlinkingControlsList::Shared(), nullptr);
    EXPECT_EQ(TRzBlinkingControlsList::Shared()->Count(), 2) << "blinking or not";
    a.reset();
    EXPECT_EQ(TRzBlinkingControlsList::Shared()->Count(), 1);
    b.reset();
    EXPECT_EQ(TRzBlinkingControlsList::Shared(), nullptr);

    TRzLabel again(nullptr);
    again.SetBlinkColor(clYellow);
    again.SetBlinking(true);
    RunUntil(Clock.TickMilliseconds() + 1001);  // the first flip shows the normal colour
    EXPECT_EQ(again.DrawColor(), clYellow);
    again.SetBlinkColor(clLime);
    EXPECT_EQ(again.DrawColor(), clLime) << "a new blink colour shows at the repaint it asks for";
}

// Pictures of a label of one colour per part: background white, face red, highlight yellow,
// shadow blue.
class RzLabelPicture : public ::testing::Test {
protected:
    TRzLabel* Make(const std::string& Caption) {
        auto* label = Form.Add<TRzLabel>(Form.Form, Rect(4, 4, 4, 4));
        label->Font().SetName("Arial");
        label->Font().SetHeight(-24);
        label->Font().SetStyle({fsBold});
        label->Font().SetColor(clRed);
        label->SetColor(clWhite);
        label->SetHighlightColor(clYellow);
        label->SetShadowColor(clBlue);
        label->SetCaption(Caption);
        return label;
    }
    TRect Ink(TControl& Control, TColor Color) {
        test::PumpUntilIdle();
        TBitmap picture;
        PictureOfControl(Control, picture);
        return InkBounds(picture, Color);
    }

    test::TShownForm Form{Rect(10, 10, 400, 300)};
};

TEST_F(RzLabelPicture, RaisedTextHasItsHighlightAboveLeftAndItsShadowBelowRight) {
    TRzLabel* label = Make("Raised");
    label->SetTextStyle(tsRaised);
    const TRect face = Ink(*label, clRed);
    ASSERT_FALSE(IsRectEmpty(face));
    const TRect highlight = Ink(*label, clYellow), shadow = Ink(*label, clBlue);
    EXPECT_EQ(highlight.Left, face.Left - 1);
    EXPECT_EQ(highlight.Top, face.Top - 1);
    EXPECT_EQ(shadow.Right, face.Right + 1);
    EXPECT_EQ(shadow.Bottom, face.Bottom + 1);

    label->SetLightTextStyle(true);
    EXPECT_TRUE(IsRectEmpty(Ink(*label, clBlue))) << "light: no shadow copy";
    EXPECT_EQ(Ink(*label, clYellow).Left, face.Left - 1);

    label->SetTextStyle(tsRecessed);
    EXPECT_TRUE(IsRectEmpty(Ink(*label, clBlue))) << "light recessed: no shadow copy up-left";
    label->SetLightTextStyle(false);
    EXPECT_EQ(Ink(*label, clBlue).Left, face.Left - 1) << "recessed: shadow above-left";
    EXPECT_EQ(Ink(*label, clYellow).Right, face.Right + 1);
    EXPECT_EQ(Ink(*label, clYellow).Bottom, face.Bottom + 1);
}

TEST_F(RzLabelPicture, AShadowLiesItsDepthBelowRightAndADisabledLabelIsGrey) {
    TRzLabel* label = Make("Shadow");
    label->SetTextStyle(tsShadow);
    label->SetShadowDepth(3);
    const TRect face = Ink(*label, clRed);
    const TRect shadow = Ink(*label, clBlue);
    EXPECT_EQ(shadow.Left, face.Left + 3);
    EXPECT_EQ(shadow.Bottom, face.Bottom + 3);
    EXPECT_TRUE(IsRectEmpty(Ink(*label, clYellow)));

    label->SetEnabled(false);
    EXPECT_TRUE(IsRectEmpty(Ink(*label, clRed)));
    EXPECT_FALSE(IsRectEmpty(Ink(*label, clGrayText)));
}

TEST_F(RzLabelPicture, FramesAndBordersSurroundTheTextAndAQuarterTurnStandsItUp) {
    TRzLabel* label = Make("Framed");
    label->SetTextStyle(tsNormal);
    label->SetFrameSides({sdLeft, sdTop, sdRight, sdBottom});
    label->SetBorderOuter(fsFlat);
    label->SetFlatColor(clBlue);
    label->SetBorderWidth(2);
    label->SetBorderColor(clYellow);
    const TRect bounds = Rect(0, 0, label->Width(), label->Height());
    EXPECT_EQ(Ink(*label, clBlack), bounds);
    TRect inner = bounds;
    InflateRect(inner, -1, -1);
    EXPECT_EQ(Ink(*label, clBlue), inner);
    InflateRect(inner, -1, -1);
    EXPECT_EQ(Ink(*label, clYellow), inner);
    const TRect face = Ink(*label, clRed);
    InflateRect(inner, -2, -2);
    EXPECT_TRUE(face.Left >= inner.Left && face.Top >= inner.Top && face.Right <= inner.Right &&
                face.Bottom <= inner.Bottom);

    TRzLabel* turned = Make("Stood up");
    turned->SetTextStyle(tsNormal);
    turned->SetLeft(200);
    const TRect upright = Ink(*turned, clRed);
    turned->SetAngle(90);
    const TRect standing = Ink(*turned, clRed);
    EXPECT_GT(upright.Right - upright.Left, upright.Bottom - upright.Top);
    EXPECT_GT(standing.Bottom - standing.Top, standing.Right - standing.Left);
}

TEST_F(RzLabelPicture, CurvedTextRunsRoundTheCentreWithinTheLabel) {
    TRzLabel* label = Make("Round and round");
    label->SetTextStyle(tsRaised);
    label->SetAutoSize(false);
    label->SetBounds(4, 4, 160, 160);
    label->SetRotation(roCurve);
    label->SetAngle(90);
    const TRect face = Ink(*label, clRed);
    ASSERT_FALSE(IsRectEmpty(face));
    EXPECT_LT(face.Left, 40) << "starts at the left";
    EXPECT_LT(face.Top, 40) << "runs over the top";
    EXPECT_GT(face.Right, 120) << "round to the right";
    // A label with no room for its circle still draws without end or fault.
    label->SetBounds(4, 4, 0, 3);
    Ink(*label, clRed);
}

}  // namespace
}  // namespace vex
