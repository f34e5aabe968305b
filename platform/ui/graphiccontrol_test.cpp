#include "platform/ui/graphiccontrol.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/ui/ui_testsupport.h"
#include "platform/win/updateregion.h"

namespace vex {
namespace {

using test::TPaintedBy;
using test::TPlainPanel;
using test::TShownForm;

void Fill(TCanvas& Canvas, TColor Color, TRect R) {
    Canvas.Brush().SetColor(Color);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.FillRect(R);
}

// A red panel with a blue control under a green one. The blue one resets its clip and fills far
// beyond itself: its parent's painting keeps it to its own bounds.
struct TOverlapping {
    TShownForm Shown;
    TPlainPanel* Panel = Shown.Add<TPlainPanel>(Shown.Form, Rect(0, 0, 8, 5));
    TPaintedBy* Blue = Shown.Add<TPaintedBy>(Panel, Rect(1, 1, 5, 4), [](TCanvas& C) {
        C.ResetClip();
        Fill(C, clBlue, Rect(-1000, -1000, 1000, 1000));
    });
    TPaintedBy* Green = Shown.Add<TPaintedBy>(Panel, Rect(3, 2, 7, 5),
                                              [](TCanvas& C) { Fill(C, clLime, C.ClipRect()); });
    TOverlapping() { Panel->SetColor(clRed); }
};

TEST(PlainControls, ArePaintedInZOrderEachWithinItsBounds) {
    TOverlapping o;
    EXPECT_EQ(test::ShownRows(*o.Panel), (TPictureRows{
                                             "rrrrrrrr",
                                             "rbbbbrrr",
                                             "rbbggggr",
                                             "rbbggggr",
                                             "rrrggggr",
                                         }));
    o.Green->SendToBack();
    EXPECT_EQ(test::ShownRows(*o.Panel), (TPictureRows{
                                             "rrrrrrrr",
                                             "rbbbbrrr",
                                             "rbbbbggr",
                                             "rbbbbggr",
                                             "rrrggggr",
                                         }));
    o.Blue->Hide();
    o.Green->SetLeft(0);
    EXPECT_EQ(test::ShownRows(*o.Panel), (TPictureRows{
                                             "rrrrrrrr",
                                             "rrrrrrrr",
                                             "ggggrrrr",
                                             "ggggrrrr",
                                             "ggggrrrr",
                                         }));
}

TEST(PlainControls, PaintOnceHoweverOftenTheyAreInvalidated) {
    TOverlapping o;
    test::PumpUntilIdle();
    const int blue = o.Blue->Paints;
    o.Blue->Invalidate();
    o.Blue->Invalidate();
    o.Panel->Invalidate();
    test::PumpUntilIdle();
    EXPECT_EQ(o.Blue->Paints, blue + 1);
}

TEST(PlainControls, AnOpaqueOneRepaintsAtOnce) {
    TOverlapping o;
    test::PumpUntilIdle();
    const int blue = o.Blue->Paints;
    const int green = o.Green->Paints;
    o.Blue->SetControlStyle(o.Blue->ControlStyle() + TControlStyle{csOpaque});
    test::PumpUntilIdle();
    o.Blue->Painter = [](TCanvas& C) { Fill(C, clBlack, C.ClipRect()); };
    o.Blue->Repaint();
    EXPECT_EQ(o.Blue->Paints, blue + 1);
    EXPECT_EQ(o.Green->Paints, green + 1) << "what lies over it paints again too";
    TRect waiting;
    EXPECT_FALSE(GetUpdateRect(o.Panel->Handle(), waiting));
    EXPECT_EQ(test::ShownRows(*o.Panel)[1], "rkkkkrrr");
}

// Controls freeing others, themselves or their parent while the parent paints them.
TEST(PlainControls, MayBeFreedWhileTheirParentPaints) {
    {
        TOverlapping o;
        o.Blue->Painter = [&o](TCanvas&) { delete std::exchange(o.Green, nullptr); };
        EXPECT_EQ(test::ShownRows(*o.Panel)[3], "rrrrrrrr");
        EXPECT_EQ(o.Panel->ControlCount(), 1);
    }
    {
        TOverlapping o;
        TPaintedBy* blue = o.Blue;
        o.Blue->Painter = [blue](TCanvas&) { delete blue; };
        EXPECT_EQ(test::ShownRows(*o.Panel)[3], "rrrggggr");
    }
    {
        TOverlapping o;
        const HWND panel = o.Panel->Handle();
        o.Blue->Painter = [&o](TCanvas&) { delete std::exchange(o.Panel, nullptr); };
        test::PumpUntilIdle();
        EXPECT_FALSE(IsWindow(panel));
        EXPECT_EQ(o.Shown.Form->ControlCount(), 0);
    }
}

// A windowed control that paints itself, here clear beyond its window.
class TSelfPainted : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        Canvas().ResetClip();
        Fill(Canvas(), clBlue, Rect(-1000, -1000, 1000, 1000));
        Fill(Canvas(), clLime, Rect(1, 1, 2, 2));
    }
};

TEST(CustomControls, PaintOnTheirCanvasWithinTheirWindow) {
    TShownForm shown;
    auto* panel = shown.Add<TPlainPanel>(shown.Form, Rect(0, 0, 6, 4));
    panel->SetColor(clRed);
    shown.Add<TSelfPainted>(panel, Rect(1, 1, 4, 3));
    EXPECT_EQ(test::ShownRows(*panel), (TPictureRows{
                                           "rrrrrr",
                                           "rbbbrr",
                                           "rbgbrr",
                                           "rrrrrr",
                                       }));
}

}  // namespace
}  // namespace vex
