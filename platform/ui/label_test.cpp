#include "platform/ui/label.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/ui_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TAlignment AlignmentOf(const std::string& Name) {
    static const std::map<std::string, TAlignment> names = {{"taLeftJustify", taLeftJustify},
                                                            {"taRightJustify", taRightJustify},
                                                            {"taCenter", taCenter}};
    return names.at(Name);
}

TTextLayout LayoutOf(const std::string& Name) {
    static const std::map<std::string, TTextLayout> names = {
        {"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};
    return names.at(Name);
}

std::unique_ptr<TLabel> FixedFontLabel() {
    auto label = std::make_unique<TLabel>(nullptr);
    label->Font().SetName(FixedFontName);
    label->Font().SetHeight(-11);
    return label;
}

std::string ColorName(TColor Color) {
    std::string name;
    return ColorToIdent(Color, name) ? name : std::to_string(Color);
}

TEST(Label, PaintsAsTheTableSays) {
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/labelpaint.txt")) {
        SCOPED_TRACE(block.Name + " at " + block.Where);
        const test::TestCase c = test::CaseOf(block.Parts.at(0).at(0));
        auto label = FixedFontLabel();
        label->SetAutoSize(false);
        label->SetCaption(c[0]);
        label->SetBounds(0, 0, static_cast<int32_t>(c.Int(1)), static_cast<int32_t>(c.Int(2)));
        label->SetAlignment(AlignmentOf(c[3]));
        label->SetLayout(LayoutOf(c[4]));
        label->SetWordWrap(c.Int(5) != 0);
        label->SetEnabled(c.Int(6) != 0);
        label->SetShowAccelChar(c.Int(7) != 0);
        label->SetTransparent(c.Int(8) != 0);

        TBitmap target;
        target.SetSize(50, 50);
        TCanvasRecorder recorder;  // the label draws through a canvas of its own
        label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&target.Canvas()), 0);
        std::vector<std::string> calls;
        for (const TCanvasCall& call : recorder.Calls())
            calls.push_back(GeometryOf(call) + " " +
                            ColorName(call.Name == "FillRect" ? call.BrushColor : call.TextColor));
        EXPECT_EQ(calls, block.Parts.at(1));
    }
}

TEST(Label, SizesItselfToItsCaption) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/labelsize.txt")) {
        SCOPED_TRACE(c.Where);
        auto label = FixedFontLabel();
        label->SetAlignment(AlignmentOf(c[1]));
        label->SetWordWrap(c.Int(2) != 0);
        const auto at = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        label->SetAutoSize(false);
        label->SetCaption(c[0]);
        label->SetBounds(at(3), at(4), at(5), at(6));
        label->SetAutoSize(true);
        EXPECT_EQ(Rect(label->Left(), label->Top(), label->Width(), label->Height()),
                  Rect(at(7), at(8), at(9), at(10)));
    }
}

TEST(Label, SizesItselfAgainWhenItsCaptionOrFontChanges) {
    auto label = FixedFontLabel();
    label->SetCaption("Ab");
    EXPECT_EQ(label->Width(), 12);
    label->Font().SetHeight(-21);
    EXPECT_EQ(label->Width(), 22);
    EXPECT_EQ(label->Height(), 21);
    label->SetAutoSize(false);
    label->SetCaption("Abcd");
    EXPECT_EQ(label->Width(), 22);
}

TEST(Label, ShowsItsTextInItsParentsPixels) {
    const TPictureLegend legend = {{'.', 0xFFFFFF}, {'k', 0x000000}, {'s', 0x808080}};
    test::TShownForm shown;
    auto* panel = shown.Add<test::TPlainPanel>(shown.Form, Rect(0, 0, 9, 13));
    panel->SetColor(clWhite);
    panel->Font().SetName(FixedFontName);
    panel->Font().SetHeight(-8);  // a cell of 8: a block 4 wide and 6 high, 2 rows below
    panel->Font().SetColor(clBlack);
    auto* label = shown.Add<TLabel>(panel, Rect(1, 1, 0, 0));
    label->SetCaption("AB");
    auto* grey = shown.Add<TLabel>(panel, Rect(2, 10, 0, 0));
    grey->Font().SetHeight(-4);  // a block 2 wide, 3 high
    grey->SetCaption("A");
    grey->SetEnabled(false);
    EXPECT_EQ(test::ShownRows(*panel, legend), (TPictureRows{
                                                   ".........",
                                                   ".kkkkkkkk",
                                                   ".kkkkkkkk",
                                                   ".kkkkkkkk",
                                                   ".kkkkkkkk",
                                                   ".kkkkkkkk",
                                                   ".kkkkkkkk",
                                                   ".........",
                                                   ".........",
                                                   ".........",
                                                   "..ss.....",
                                                   "..ss.....",
                                                   "..ss.....",
                                               }));
}

TEST(Label, ForgetsItsFocusControlWhenItIsFreed) {
    TLabel label(nullptr);
    auto* edit = new TWinControl(nullptr);
    label.SetFocusControl(edit);
    EXPECT_EQ(label.FocusControl(), edit);
    delete edit;
    EXPECT_EQ(label.FocusControl(), nullptr);
}

}  // namespace
}  // namespace vex
