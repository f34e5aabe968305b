#include "platform/ui/statusbar.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A shown form with the fixed font and a status bar of a known width along its top.
struct TBarScene {
    test::TShownForm Shown{Rect(10, 10, 290, 110)};
    TStatusBar* Bar;
    explicit TBarScene(int32_t Width = 200) {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-8);
        Bar = new TStatusBar(Shown.Form);
        Bar->SetAlign(alNone);
        Bar->SetBounds(0, 0, Width, 19);
        Bar->SetParent(Shown.Form);
    }
    void AddPanels(const std::vector<int32_t>& Widths) {
        for (int32_t w : Widths)
            Bar->Panels().Add()->SetWidth(w);
    }
};

TEST(StatusBar, LaysItsPanelsOutFromTheLeftTheLastTakingTheRest) {
    const int32_t grip = GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        std::vector<int32_t> Widths;
        TFormBorderStyle Border;
        std::vector<TRect> Rects;
    } cases[] = {
        {{50, 60, 40}, bsSingle, {Rect(0, 2, 50, 19), Rect(52, 2, 112, 19), Rect(114, 2, 200, 19)}},
        {{50, 60, 40},
         bsSizeable,  // the grip's square is kept clear
         {Rect(0, 2, 50, 19), Rect(52, 2, 112, 19), Rect(114, 2, 200 - grip, 19)}},
        {{10}, bsSingle, {Rect(0, 2, 200, 19)}},
        {{250, 10}, bsSingle, {Rect(0, 2, 200, 19), TRect{}}},  // beyond the bar: not shown
        {{0, 0}, bsDialog, {Rect(0, 2, 0, 19), Rect(2, 2, 200, 19)}},
        {{INT32_MAX, INT32_MAX, 5}, bsSingle, {Rect(0, 2, 200, 19), TRect{}, TRect{}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Widths) + " border " + std::to_string(c.Border));
        TBarScene scene;
        scene.Shown.Form->SetBorderStyle(c.Border);
        scene.AddPanels(c.Widths);
        for (int32_t i = 0; i < scene.Bar->Panels().Count(); ++i)
            EXPECT_EQ(scene.Bar->PanelRect(i), c.Rects.at(i)) << "panel " << i;
        EXPECT_EQ(scene.Bar->SizeGripRect().Right > 0, c.Border == bsSizeable);
    }
}

TEST(StatusBar, KeepsItsPanelsInOrderAndRefusesIndexesOutOfRange) {
    TBarScene scene;
    TStatusPanels& panels = scene.Bar->Panels();
    panels.Add()->SetText("b");
    panels.Insert(0)->SetText("a");
    panels.Add()->SetText("c");
    EXPECT_EQ(panels[1]->Index(), 1);
    EXPECT_EQ(panels[2]->Text(), "c");
    panels.Delete(1);
    EXPECT_EQ(panels[1]->Text(), "c");
    EXPECT_THROW(panels.Items(2), EListError);
    EXPECT_THROW(panels.Items(-1), EListError);
    EXPECT_THROW(panels.Insert(3), EListError);
    EXPECT_THROW(panels.Delete(2), EListError);
    EXPECT_THROW(scene.Bar->PanelRect(2), EListError);

    TBarScene copy;
    panels[0]->SetBevel(pbRaised);
    panels[0]->SetWidth(-5);  // no negative widths
    copy.Bar->SetPanels(panels);
    ASSERT_EQ(copy.Bar->Panels().Count(), 2);
    EXPECT_EQ(copy.Bar->Panels()[0]->Text(), "a");
    EXPECT_EQ(copy.Bar->Panels()[0]->Bevel(), pbRaised);
    EXPECT_EQ(copy.Bar->Panels()[0]->Width(), 0);
    panels.Clear();
    EXPECT_EQ(panels.Count(), 0);
}

TEST(StatusBar, SitsAtTheBottomOfItsForm) {
    test::TShownForm shown;
    auto* bar = new TStatusBar(shown.Form);
    bar->SetParent(shown.Form);
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->BoundsRect().Bottom, shown.Form->ClientHeight());
    EXPECT_EQ(bar->Width(), shown.Form->ClientWidth());
}

TEST(StatusBar, LetsItsOwnerDrawPanelsInsideTheirBevel) {
    TBarScene scene;
    scene.AddPanels({40, 40});
    scene.Bar->Panels()[1]->SetStyle(psOwnerDraw);
    std::vector<std::string> drawn;
    scene.Bar->OnDrawPanel = [&](TStatusBar* Bar, TStatusPanel* Panel, const TRect& R) {
        EXPECT_EQ(Bar, scene.Bar);
        drawn.push_back(std::to_string(Panel->Index()) + " " + std::to_string(R.Left) + "," +
                        std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
                        std::to_string(R.Bottom));
        Bar->Canvas().Brush().SetColor(clRed);
        Bar->Canvas().FillRect(Rect(0, 0, 1000, 1000));  // held to the panel
    };
    TBitmap picture;
    test::PumpUntilIdle();
    PictureOfControl(*scene.Bar, picture);
    EXPECT_EQ(drawn, std::vector<std::string>{"1 43,3,183,18"});
    EXPECT_EQ(picture.Canvas().Pixels(43, 3), clRed);
    EXPECT_EQ(picture.Canvas().Pixels(182, 17), clRed);
    EXPECT_NE(picture.Canvas().Pixels(42, 3), clRed);
    EXPECT_NE(picture.Canvas().Pixels(10, 10), clRed);
}

TEST(StatusBar, SizesItsFormByTheGripAndTakesNoFocus) {
    TBarScene scene;
    auto* other = scene.Shown.Add<test::TPlainPanel>(scene.Shown.Form, Rect(0, 40, 50, 60));
    other->SetTabStop(true);
    other->SetFocus();
    const TRect grip = scene.Bar->SizeGripRect();
    const TPoint from = scene.Bar->ClientToScreen(Point(grip.Left + 8, grip.Top + 8));
    const int32_t width = scene.Shown.Form->Width(), height = scene.Shown.Form->Height();
    InjectMouseMove(from);
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    InjectMouseMove(Point(from.X + 30, from.Y + 20));
    test::PumpUntilIdle();
    InjectMouseMove(Point(from.X + 40, from.Y - 10));
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    EXPECT_EQ(scene.Shown.Form->Width(), width + 40);
    EXPECT_EQ(scene.Shown.Form->Height(), height - 10);
    EXPECT_EQ(scene.Shown.Form->ActiveControl(), other);
    InjectMouseMove(Point(from.X + 60, from.Y));  // the drag is over
    test::PumpUntilIdle();
    EXPECT_EQ(scene.Shown.Form->Width(), width + 40);
}

TEST(StatusBar, LooksAsReviewed) {
    TBarScene scene(240);
    scene.AddPanels({60, 70, 40});
    TStatusPanels& panels = scene.Bar->Panels();
    panels[0]->SetText("Ready");
    panels[1]->SetText("Raised");
    panels[1]->SetBevel(pbRaised);
    panels[1]->SetAlignment(taCenter);
    panels[2]->SetText("12");
    panels[2]->SetBevel(pbNone);
    panels[2]->SetAlignment(taRightJustify);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Bar, kPictures, "statusbar_panels"));

    scene.Bar->SetSimpleText("Checking mail...");
    scene.Bar->SetSimplePanel(true);
    scene.Shown.Form->SetBorderStyle(bsSingle);  // no grip
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*scene.Bar, kPictures, "statusbar_simple"));
}

}  // namespace
}  // namespace vex
