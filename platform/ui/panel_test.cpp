#include "platform/ui/panel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>

#include "platform/ui/bevel.h"
#include "platform/ui/buttons_testsupport.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/groupbox.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TPanelBevel PanelBevelOf(const std::string& Name) {
    static const std::map<std::string, TPanelBevel> names = {
        {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
    return names.at(Name);
}

TEST(Bevel, DrawsItsShapeInTheShadowAndHighlightColours) {
    const std::map<std::string, TBevelShape> shapes = {
        {"bsBox", bsBox},           {"bsFrame", bsFrame},
        {"bsTopLine", bsTopLine},   {"bsBottomLine", bsBottomLine},
        {"bsLeftLine", bsLeftLine}, {"bsRightLine", bsRightLine},
        {"bsSpacer", bsSpacer}};
    const TPictureLegend legend = {{'.', 0x00FF00}, {'s', 0x808080}, {'h', 0xFFFFFF}};
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/bevels.txt")) {
        SCOPED_TRACE(block.Name + " at " + block.Where);
        std::istringstream name(block.Name);
        std::string shape, style;
        name >> shape >> style;
        test::TShownForm shown;
        auto* parent = shown.Add<test::TPlainPanel>(shown.Form, Rect(0, 0, 6, 5));
        parent->SetColor(clLime);
        auto* bevel = shown.Add<TBevel>(parent, Rect(0, 0, 6, 5));
        bevel->SetShape(shapes.at(shape));
        bevel->SetStyle(style == "bsRaised" ? bsRaised : bsLowered);
        EXPECT_EQ(test::ShownRows(*parent, legend), block.Parts.at(0));
    }
}

TEST(Panel, ItsFrameNarrowsTheAreaItsChildrenShare) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/panelclient.txt")) {
        SCOPED_TRACE(c.Where);
        const auto at = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        test::TShownForm shown;
        auto* panel = shown.Add<TPanel>(shown.Form, Rect(0, 0, 100, 50));
        panel->SetBevelOuter(PanelBevelOf(c[0]));
        panel->SetBevelInner(PanelBevelOf(c[1]));
        panel->SetBevelWidth(at(2));
        panel->SetBorderWidth(at(3));
        panel->SetBorderStyle(c[4] == "bsSingle" ? bsSingle : bsNone);
        auto* child = shown.Add<test::TPlainPanel>(panel, Rect(0, 0, 10, 10));
        child->SetAlign(alClient);
        EXPECT_EQ(child->BoundsRect(), Rect(at(5), at(6), at(7), at(8)));
    }
}

TEST(Panel, AFrameWiderThanThePanelLeavesNoRoomAndPaintsAtOnce) {
    test::TShownForm shown;
    auto* panel = shown.Add<TPanel>(shown.Form, Rect(0, 0, 100, 50));
    auto* child = shown.Add<test::TPlainPanel>(panel, Rect(0, 0, 10, 10));
    child->SetAlign(alClient);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(INT32_MAX);
    panel->SetBorderWidth(INT32_MAX);
    // Under UndefinedBehaviorSanitizer; a line drawn per unit of width would not end.
    panel->Repaint();
    EXPECT_EQ(child->BoundsRect(), Rect(50, 25, 50, 25));
}

TEST(GroupBox, ItsAcceleratorFocusesTheFirstControlInside) {
    test::TButtonsScene scene;
    auto* outside = scene.Add<TCheckBox>("Outside", Rect(200, 10, 280, 27), nullptr);
    auto* group = scene.Add<TGroupBox>("&Options", Rect(10, 10, 180, 90), nullptr);
    auto* first = scene.Add<TCheckBox>("First", Rect(8, 20, 100, 37), group);
    scene.Add<TCheckBox>("Second", Rect(8, 40, 100, 57), group);
    outside->SetFocus();
    scene.Settle();
    test::TButtonsScene::Type('O', {VK_MENU});
    EXPECT_TRUE(first->Focused());
    EXPECT_FALSE(first->Checked());  // focused, not toggled
    first->SetAlign(alClient);       // the caption's line stays clear
    EXPECT_GE(first->Top(), 11);
}

TEST(Panel, PanelsBevelsAndGroupBoxesLookAsReviewed) {
    test::TButtonsScene scene(Rect(100, 100, 420, 280));
    auto* raised = scene.Add<TPanel>("Raised", Rect(8, 8, 108, 48), nullptr);
    raised->SetBevelInner(bvLowered);
    raised->SetBevelWidth(2);
    raised->SetBorderWidth(2);
    auto* left = scene.Add<TPanel>("Left", Rect(116, 8, 216, 48), nullptr);
    left->SetBevelOuter(bvLowered);
    left->SetAlignment(taLeftJustify);
    auto* single = scene.Add<TPanel>("Single", Rect(224, 8, 304, 48), nullptr);
    single->SetBorderStyle(bsSingle);
    auto* group = scene.Add<TGroupBox>("&Group", Rect(8, 56, 150, 140), nullptr);
    scene.Add<TCheckBox>("Inside", Rect(8, 20, 120, 37), group)->SetChecked(true);
    const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine, bsLeftLine};
    for (int i = 0; i < 4; ++i) {
        const int32_t x = 160 + i * 36;
        scene.Add<TBevel>("", Rect(x, 60, x + 30, 90), nullptr)->SetShape(shapes[i]);
        scene.Add<TBevel>("", Rect(x, 100, x + 30, 130), nullptr)->SetStyle(bsRaised);
    }
    scene.Settle();
    EXPECT_TRUE(scene.LooksAsReviewed(scene.Form(), "panels"));
}

}  // namespace
}  // namespace vex
