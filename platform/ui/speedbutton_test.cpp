#include "platform/ui/speedbutton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/bitbtn.h"
#include "platform/ui/buttons_testsupport.h"

namespace vex {
namespace {

using TNames = std::vector<std::string>;

class SpeedButtonTest : public ::testing::Test {
public:
    // Which of the buttons are down, as a string of their names.
    std::string DownOnes() const {
        std::string down;
        for (TSpeedButton* b : Buttons)
            if (b->Down()) down += b->Name();
        return down;
    }

    test::TButtonsScene Scene;
    std::vector<TSpeedButton*> Buttons = {
        Scene.Add<TSpeedButton>("A", Rect(10, 10, 33, 32), nullptr),
        Scene.Add<TSpeedButton>("B", Rect(33, 10, 56, 32), nullptr),
        Scene.Add<TSpeedButton>("C", Rect(56, 10, 79, 32), nullptr),
    };
};

// Clicks on the buttons named, one after another, and what is down after each.
TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDown) {
    const struct {
        const char* Name;
        int32_t GroupIndex;
        bool AllowAllUp;
        const char* Clicks;
        std::vector<std::string> Down;
    } cases[] = {
        {"no group: only clicks", 0, false, "AB", {"", ""}},
        {"a group", 1, false, "ABBA", {"A", "B", "B", "A"}},
        {"a group that may be all up", 1, true, "ABBA", {"A", "B", "", "A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (TSpeedButton* b : Buttons) {
            b->SetAllowAllUp(true);
            b->SetDown(false);
            b->SetGroupIndex(c.GroupIndex);
            b->SetAllowAllUp(c.AllowAllUp);
        }
        std::vector<std::string> down;
        TNames clicked;
        for (const char* name = c.Clicks; *name != 0; ++name) {
            Scene.ClickOn(*Buttons[*name - 'A']);
            down.push_back(DownOnes());
            clicked.push_back(std::string(1, *name));
        }
        EXPECT_EQ(down, c.Down);
        EXPECT_EQ(Scene.TakeClicks(), clicked);  // every release over a button clicks it
    }
}

TEST_F(SpeedButtonTest, DownSetByTheProgramLetsTheOthersOfItsGroupUp) {
    for (TSpeedButton* b : Buttons)
        b->SetGroupIndex(1);
    Buttons[2]->SetGroupIndex(2);
    Buttons[0]->SetDown(true);
    Buttons[2]->SetDown(true);
    EXPECT_EQ(DownOnes(), "AC");
    Buttons[1]->SetDown(true);
    EXPECT_EQ(DownOnes(), "BC");
    Buttons[1]->SetDown(false);  // the group's only one down, without AllowAllUp
    EXPECT_EQ(DownOnes(), "BC");
    Buttons[0]->SetAllowAllUp(true);  // for the whole group
    EXPECT_TRUE(Buttons[1]->AllowAllUp());
    Buttons[1]->SetDown(false);
    EXPECT_EQ(DownOnes(), "C");
    Buttons[2]->SetGroupIndex(0);  // outside a group nothing stays down
    EXPECT_EQ(DownOnes(), "");
    EXPECT_EQ(Scene.TakeClicks(), TNames{});
}

TEST_F(SpeedButtonTest, APressLetGoElsewhereDoesNothing) {
    TSpeedButton* a = Buttons[0];
    a->SetGroupIndex(1);
    std::vector<std::string> events;
    a->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t X, int32_t Y) {
        events.push_back("down at " + std::to_string(X) + "," + std::to_string(Y));
    };
    Scene.MoveTo(test::TButtonsScene::On(*a, 5, 6));
    Scene.Button(true);
    EXPECT_EQ(a->State(), bsDown);
    Scene.MoveTo(test::TButtonsScene::On(*a, 40, 6));
    EXPECT_EQ(a->State(), bsUp);
    Scene.MoveTo(test::TButtonsScene::On(*a, 5, 6));
    EXPECT_EQ(a->State(), bsDown);
    Scene.MoveTo(test::TButtonsScene::On(*a, 5, 60));
    Scene.Button(false);
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(Scene.TakeClicks(), TNames{});
    EXPECT_EQ(events, std::vector<std::string>{"down at 5,6"});
}

TEST_F(SpeedButtonTest, AFlatButtonIsHotWhileThePointerIsOverIt) {
    TSpeedButton* b = Buttons[1];
    b->SetFlat(true);
    Scene.MoveTo(test::TButtonsScene::Middle(*b));
    EXPECT_TRUE(b->MouseInControl());
    Scene.MoveTo(test::TButtonsScene::On(*b, 0, 40));
    EXPECT_FALSE(b->MouseInControl());
}

// Dotted a pixel at a time over its whole face, a latched button far larger than its window
// would take hours to paint; only what shows is dotted.
TEST_F(SpeedButtonTest, AHugeLatchedButtonPaintsAtOnce) {
    TSpeedButton* big = Buttons[0];
    big->SetGroupIndex(1);
    big->SetDown(true);
    big->SetBounds(0, 0, 1'000'000, 1'000'000);
    Scene.Form().Repaint();
    EXPECT_EQ(big->State(), bsExclusive);
}

TEST_F(SpeedButtonTest, LooksAsReviewed) {
    TBitmap glyph;
    LoadKindGlyph(bkOK, glyph);
    const struct {
        const char* Caption;
        bool Flat;
        bool Down;
        bool Enabled;
    } looks[] = {{"Up", false, false, true},   {"Dn", false, true, true},
                 {"Off", false, false, false}, {"Flt", true, false, true},
                 {"Hot", true, false, true},   {"FDn", true, true, true}};
    auto* panel = Scene.Add<test::TPlainPanel>("panel", Rect(0, 40, 300, 120), nullptr);
    panel->SetColor(clBtnFace);
    std::vector<TSpeedButton*> shown;
    for (size_t i = 0; i < std::size(looks); ++i) {
        const int32_t x = 4 + static_cast<int32_t>(i) * 48;
        auto* b = Scene.Add<TSpeedButton>(looks[i].Caption, Rect(x, 4, x + 44, 30), panel);
        b->SetGlyph(glyph);
        b->SetFlat(looks[i].Flat);
        b->SetGroupIndex(static_cast<int32_t>(i) + 1);
        b->SetDown(looks[i].Down);
        b->SetEnabled(looks[i].Enabled);
        b->SetMargin(2);
        b->SetSpacing(1);
        shown.push_back(b);
    }
    auto* top = Scene.Add<TSpeedButton>("Top", Rect(4, 34, 52, 76), panel);
    top->SetGlyph(glyph);
    top->SetLayout(blGlyphTop);
    auto* held = Scene.Add<TSpeedButton>("Held", Rect(56, 34, 104, 76), panel);
    held->SetGlyph(glyph);
    held->SetLayout(blGlyphBottom);
    Scene.MoveTo(test::TButtonsScene::Middle(*held));
    Scene.Button(true);
    EXPECT_EQ(held->State(), bsDown);
    shown[4]->Perform(CM_MOUSEENTER, 0, 0);  // the pointer is on the held one
    EXPECT_TRUE(Scene.LooksAsReviewed(*panel, "speedbuttons"));
    Scene.Button(false);
}

}  // namespace
}  // namespace vex
