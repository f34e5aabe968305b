#include "components/entry/EsLabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/ui_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::vector<std::string> AppearanceNames = {"apNone",   "apCustom", "apFlying",
                                                  "apRaised", "apSunken", "apShadow"};
const std::vector<std::string> SchemeNames = {"csCustom",   "csText", "csWindows",
                                              "csEmbossed", "csGold", "csSteel"};
const std::vector<std::string> Directions = {"sdNone",     "sdUp",        "sdUpRight",
                                             "sdRight",    "sdDownRight", "sdDown",
                                             "sdDownLeft", "sdLeft",      "sdUpLeft"};
const std::vector<std::string> Shades = {"ssPlain", "ssExtrude", "ssGraduated"};
const std::vector<std::string> Graduates = {"gsNone", "gsHorizontal", "gsVertical"};
const std::vector<std::string> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

template <class E>
E Named(const std::vector<std::string>& Names, const std::string& Name) {
    const auto at = std::find(Names.begin(), Names.end(), Name);
    if (at == Names.end()) throw std::runtime_error("no such value: " + Name);
    return static_cast<E>(at - Names.begin());
}

TColor ColorOf(const std::string& Text) {
    TColor color;
    return IdentToColor(Text, color) ? color : static_cast<TColor>(std::stoul(Text, nullptr, 16));
}

std::string ColorName(TColor Color) {
    std::string name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%06X", Color);
    return ColorToIdent(Color, name) ? name : hex;
}

// A label captioned "Ab" in the built-in font 11 pixels high, with a root to load it from, after
// the steps of the tables: each "Name=Value" sets a property; "Loading" first makes the label as
// loading a form does, until "Loaded".
struct TLabelUnderTest {
    TComponent Root{nullptr};
    TEsLabel* Label = nullptr;

    explicit TLabelUnderTest(const std::string& Steps) {
        std::istringstream in(Steps);
        const std::vector<std::string> steps{std::istream_iterator<std::string>(in), {}};
        const bool loading = !steps.empty() && steps.front() == "Loading";
        if (loading) Root.BeginLoading();
        Label = new TEsLabel(&Root);
        Label->SetCaption("Ab");
        Label->Font().SetName(FixedFontName);
        Label->Font().SetHeight(-11);
        for (size_t i = loading ? 1 : 0; i < steps.size(); ++i) {
            const size_t eq = steps[i].find('=');
            Set(steps[i].substr(0, eq), eq == std::string::npos ? "" : steps[i].substr(eq + 1));
        }
    }

private:
    void Set(const std::string& Name, const std::string& V) {
        TEsLabel& l = *Label;
        TEsCustomSettings& s = l.CustomSettings();
        const auto depth = [&] { return static_cast<TEsDepth>(std::stoi(V)); };
        if (Name == "Loaded") return Root.EndLoading();
        if (Name == "Appearance") return l.SetAppearance(Named<TEsAppearance>(AppearanceNames, V));
        if (Name == "ColorScheme") return l.SetColorScheme(Named<TEsColorScheme>(SchemeNames, V));
        if (Name == "Alignment") return l.SetAlignment(Named<TAlignment>(AlignmentNames, V));
        if (Name == "Caption") return l.SetCaption(V);
        if (Name == "Color") return l.SetColor(ColorOf(V));
        if (Name == "FontColor") return l.Font().SetColor(ColorOf(V));
        if (Name == "Transparent") return l.SetTransparent(V != "0");
        if (Name == "ShowAccelChar") return l.SetShowAccelChar(V != "0");
        if (Name == "WordWrap") return l.SetWordWrap(V != "0");
        if (Name == "GraduateFromColor") return s.SetGraduateFromColor(ColorOf(V));
        if (Name == "GraduateStyle")
            return s.SetGraduateStyle(Named<TEsGraduateStyle>(Graduates, V));
        if (Name == "HighlightColor") return s.SetHighlightColor(ColorOf(V));
        if (Name == "HighlightDepth") return s.SetHighlightDepth(depth());
        if (Name == "HighlightStyle") return s.SetHighlightStyle(Named<TEsShadeStyle>(Shades, V));
        if (Name == "ShadowColor") return s.SetShadowColor(ColorOf(V));
        if (Name == "ShadowDepth") return s.SetShadowDepth(depth());
        if (Name == "ShadowStyle") return s.SetShadowStyle(Named<TEsShadeStyle>(Shades, V));
        if (Name == "ShadowDirection")
            return s.SetShadowDirection(Named<TEsShadeDirection>(Directions, V));
        throw std::runtime_error("no such step: " + Name);
    }
};

std::string PresetsOf(const TEsLabel& Label) {
    const TEsCustomSettings& s = Label.CustomSettings();
    return AppearanceNames.at(Label.Appearance()) + " " + SchemeNames.at(Label.ColorScheme()) +
           " " + ColorName(s.HighlightColor()) + " " + ColorName(s.ShadowColor()) + " " +
           ColorName(Label.Font().Color()) + " " +
           Directions.at(static_cast<size_t>(s.HighlightDirection())) + " " +
           Directions.at(static_cast<size_t>(s.ShadowDirection())) + " " +
           std::to_string(s.HighlightDepth()) + " " + std::to_string(s.ShadowDepth());
}

TEST(EsLabel, PresetsAndSingleChangesLeaveTheLabelAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/eslabel_presets.txt")) {
        SCOPED_TRACE(c.Where);
        TLabelUnderTest under(c[0]);
        std::string expected = c[1];
        for (size_t i = 2; i < c.size(); ++i)
            expected += " " + c[i];
        EXPECT_EQ(PresetsOf(*under.Label), expected);
    }
}

TEST(EsLabel, SettingsTellOfEachChangeUnlessHeldAndOfBothWhenReleased) {
    TEsCustomSettings settings, copy;
    std::string told;
    settings.OnColorChange = copy.OnColorChange = [&](TObject*) { told += "colour "; };
    settings.OnStyleChange = copy.OnStyleChange = [&](TObject*) { told += "style "; };
    settings.SetShadowColor(clRed);
    settings.SetShadowColor(clRed);
    settings.SetHighlightStyle(ssExtrude);
    settings.BeginUpdate();
    settings.SetShadowDepth(9);
    EXPECT_EQ(told, "colour style ");
    settings.EndUpdate();
    settings.BeginUpdate();
    settings.EndUpdate();
    copy.Assign(&settings);  // without a word
    EXPECT_EQ(told, "colour style colour style colour style ");
    EXPECT_EQ(std::tuple(copy.ShadowColor(), copy.ShadowDepth(), copy.HighlightStyle()),
              std::tuple(clRed, TEsDepth{9}, ssExtrude));
    TFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
}

// The label painted at (0, 0) of a white bitmap of its size (40 by 30 unless given).
void PaintOn(TEsLabel& Label, TBitmap& Target, const TRect& Bounds = Rect(0, 0, 40, 30)) {
    Label.SetBoundsRect(Bounds);
    Target.SetSize(Bounds.Right, Bounds.Bottom);
    Label.Perform(WM_PAINT, reinterpret_cast<WPARAM>(&Target.Canvas()), 0);
}

std::vector<std::string> PaintCalls(TEsLabel& Label) {
    TBitmap target;
    TCanvasRecorder recorder;
    PaintOn(Label, target);
    std::vector<std::string> calls;
    for (const TCanvasCall& call : recorder.Calls()) {
        std::string line = GeometryOf(call);
        if (call.Name == "DrawText") line += " " + ColorName(call.TextColor);
        if (call.Name == "FillRect" || call.Name == "BrushCopy")
            line += " " + ColorName(call.BrushColor);
        calls.push_back(line);
    }
    return calls;
}

TEST(EsLabel, PaintsItsEffectsAsTheTableSays) {
    for (const test::TestBlock& block :
         test::ReadBlocks(VEX_TEST_DIR "/testdata/eslabel_paint.txt")) {
        SCOPED_TRACE(block.Name + " at " + block.Where);
        TLabelUnderTest under(test::CaseOf(block.Parts.at(0).at(0))[0]);
        EXPECT_EQ(PaintCalls(*under.Label), block.Parts.at(1));
    }
}

TEST(EsLabel, AFreshLabelShowsItsFaceBetweenHighlightAndShadowOverItsParent) {
    const TPictureLegend legend = {
        {'.', 0xFFFF00}, {'w', 0xFFFFFF}, {'k', 0x000000}, {'s', 0x808080}};
    test::TShownForm shown;
    auto* panel = shown.Add<test::TPlainPanel>(shown.Form, Rect(0, 0, 20, 20));
    panel->SetColor(clYellow);
    auto* label = shown.Add<TEsLabel>(panel, Rect(2, 1, 9, 10));
    label->Font().SetName(FixedFontName);
    label->Font().SetHeight(-8);  // a block 4 wide, 6 high
    label->SetCaption("A");
    EXPECT_EQ(test::ShownRows(*label, legend), (TPictureRows{
                                                   "wwww...",
                                                   "wssss..",
                                                   "wssssk.",
                                                   "wssssk.",
                                                   "wssssk.",
                                                   "wssssk.",
                                                   ".ssssk.",
                                                   "..kkkk.",
                                                   ".......",
                                               }));
}

TEST(EsLabel, AGradientGivesTheFaceExactlyItsFirstAndLastColoursAtItsEnds) {
    TLabelUnderTest under(
        "Caption=AAAA Appearance=apNone FontColor=clRed GraduateFromColor=clBlue "
        "GraduateStyle=gsHorizontal");
    TBitmap picture;
    PaintOn(*under.Label, picture);
    const uint32_t* row = picture.ScanLine(4);
    // The text's 24 columns from x 0: band 0 over two of them, band 15 over the last.
    EXPECT_EQ((std::vector<uint32_t>{row[0], row[1], row[2], row[22], row[23], row[24]}),
              (std::vector<uint32_t>{0x0000FF, 0x0000FF, 0x1100EE, 0xEE0011, 0xFF0000, 0xFFFFFF}));
}

// Whatever the alignment, the face's first column has the start colour and its last the font
// colour, also where an accelerator's prefix character is not shown.
TEST(EsLabel, AHorizontalGradientRunsOverTheTextAsShown) {
    for (const std::string steps :
         {"Caption=AB", "Caption=&AB", "Caption=&AB Alignment=taCenter",
          "Caption=A&B Alignment=taRightJustify", "Caption=A&&B ShowAccelChar=0",
          "Caption=A&&B Alignment=taCenter"}) {
        SCOPED_TRACE(steps);
        TLabelUnderTest under(steps +
                              " Appearance=apNone FontColor=clRed GraduateFromColor=clBlue"
                              " GraduateStyle=gsHorizontal");
        TBitmap picture;
        PaintOn(*under.Label, picture);
        const TRect face =
            InkBounds(picture, [](uint32_t P) { return (P & 0xFFFFFF) != 0xFFFFFF; });
        ASSERT_FALSE(IsRectEmpty(face));
        const uint32_t* row = picture.ScanLine(face.Top + 1);
        EXPECT_EQ(row[face.Left] & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(row[face.Right - 1] & 0xFFFFFF, 0xFF0000u);
    }
}

// A gradient from the font colour to itself must leave the face as it is without one, also on
// text narrower than the bands and on labels shorter than them.
TEST(EsLabel, AGradientColoursEveryPixelOfTheFace) {
    const std::vector<std::pair<std::string, TRect>> cases = {
        {"Caption=A GraduateStyle=gsHorizontal", Rect(0, 0, 40, 30)},
        {"Caption=A Alignment=taCenter GraduateStyle=gsHorizontal", Rect(0, 0, 40, 30)},
        {"Caption=A Alignment=taRightJustify GraduateStyle=gsHorizontal", Rect(0, 0, 40, 30)},
        {"Caption=AB Appearance=apNone GraduateStyle=gsHorizontal", Rect(0, 0, 40, 30)},
        {"Caption=AAAA GraduateStyle=gsVertical", Rect(0, 0, 40, 8)},
        {"Caption=AAAA Appearance=apNone GraduateStyle=gsVertical", Rect(0, 0, 40, 5)},
        {"Caption=AAAA Appearance=apNone GraduateStyle=gsVertical", Rect(0, 0, 40, 1)},
    };
    for (const auto& [steps, bounds] : cases) {
        SCOPED_TRACE(steps + " in " + std::to_string(bounds.Bottom) + " rows");
        const std::string colours = " FontColor=clRed GraduateFromColor=clRed ";
        TLabelUnderTest graduated(steps + colours), plain(steps + colours + "GraduateStyle=gsNone");
        TBitmap withBands, without;
        PaintOn(*graduated.Label, withBands, bounds);
        PaintOn(*plain.Label, without, bounds);
        EXPECT_EQ(PictureOf(withBands), PictureOf(without));
    }
}

TEST(EsLabel, AGradientOverSmoothedTextLeavesNoTraceOfTheMaskColour) {
    // Grey on white in every colour, so that any pixel not grey came from the mask.
    TLabelUnderTest under("Caption=Wave GraduateStyle=gsVertical GraduateFromColor=clSilver");
    under.Label->Font().SetName("Times New Roman");
    under.Label->Font().SetHeight(-40);
    TBitmap picture;
    PaintOn(*under.Label, picture, Rect(0, 0, 120, 60));
    const TRect tinted = InkBounds(picture, [](uint32_t P) {
        return (P & 0xFF) != ((P >> 8) & 0xFF) || (P & 0xFF) != ((P >> 16) & 0xFF);
    });
    EXPECT_EQ(tinted, TRect{});
    EXPECT_NE(InkBounds(picture, [](uint32_t P) { return P != 0xFFFFFF; }), TRect{});
}

TEST(EsLabel, HostileSettingsPaintWithoutFailing) {
    const std::vector<std::string> cases = {
        "ShadowStyle=ssExtrude ShadowDepth=255 HighlightStyle=ssGraduated HighlightDepth=255",
        "ShadowDepth=255 ShadowDirection=sdUpLeft Alignment=taCenter GraduateStyle=gsHorizontal",
        "Caption= GraduateStyle=gsVertical",
        "Caption= GraduateStyle=gsHorizontal Alignment=taRightJustify",
    };
    for (const std::string& steps : cases) {
        SCOPED_TRACE(steps);
        TLabelUnderTest under(steps);
        TBitmap target;
        for (const TRect& bounds : {Rect(0, 0, 0, 0), Rect(0, 0, 40, 0), Rect(0, 0, 300, 80)})
            EXPECT_NO_THROW(PaintOn(*under.Label, target, bounds));
    }
}

}  // namespace
}  // namespace vex
