#include "platform/ui/graphiccontrol.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/controlmessages.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/updateregion.h"
#include "tests/support/tempdir.h"

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

TEST(PlainControls, DrawOutsidePaintingWithinTheirBounds) {
    TOverlapping o;
    test::PumpUntilIdle();
    TCanvas& canvas = o.Green->Canvas();
    canvas.ResetClip();
    Fill(canvas, clBlack, Rect(-1000, -1000, 1000, 1000));
    TBitmap picture;
    PictureOfControl(*o.Panel, picture);  // nothing waits to be painted: these are the pixels
    EXPECT_EQ(PictureOf(picture), (TPictureRows{
                                      "rrrrrrrr",
                                      "rbbbbrrr",
                                      "rbbkkkkr",
                                      "rbbkkkkr",
                                      "rrrkkkkr",
                                  }));
    // The context goes back once the message is handled; the next one is over the pixels the
    // window has then, here those of its resized back buffer.
    o.Shown.Form->SetBounds(10, 10, 400, 300);
    test::PumpUntilIdle();
    Fill(o.Green->Canvas(), clBlue, Rect(0, 0, 1, 1));
    PictureOfControl(*o.Panel, picture);
    EXPECT_EQ(PictureOf(picture)[2], "rbbbgggr");
}

// A canvas taken outside painting and kept while its window's pixels move (resized or hidden)
// draws nowhere instead of into pixels that are gone.
TEST(PlainControls, ACanvasKeptWhileTheWindowChangesDrawsNowhere) {
    TOverlapping o;
    test::PumpUntilIdle();
    TCanvas& kept = o.Green->Canvas();
    o.Shown.Form->SetBounds(10, 10, 900, 700);
    Fill(kept, clBlack, Rect(0, 0, 4, 3));
    o.Shown.Form->Hide();
    TCanvas& hidden = o.Green->Canvas();
    o.Shown.Form->Show();
    Fill(hidden, clBlack, Rect(0, 0, 4, 3));
    EXPECT_EQ(test::ShownRows(*o.Panel)[3], "rbbggggr");

    // A form that resizes itself while a control paints: the rest of that painting goes
    // nowhere, and the new pixels are painted whole.
    bool resized = false;
    o.Blue->Painter = [&](TCanvas& C) {
        if (!resized) o.Shown.Form->SetBounds(10, 10, 300, 200);
        resized = true;
        Fill(C, clBlue, Rect(0, 0, 4, 3));
    };
    o.Panel->Invalidate();
    EXPECT_EQ(test::ShownRows(*o.Panel)[1], "rbbbbrrr");
}

// A control whose painting fails is reported once per painting pass; the pass does not come
// back by itself, and its parent's context is as it was for the controls after it.
TEST(PlainControls, AFailingPaintIsReportedOnce) {
    TOverlapping o;
    test::PumpUntilIdle();
    int reported = 0;
    Application().OnException = [&](TObject*, const std::exception&) { ++reported; };
    o.Blue->Painter = [](TCanvas&) { throw EInvalidOperation("no paint"); };
    o.Panel->Invalidate();
    EXPECT_TRUE(test::PumpUntilIdle());
    EXPECT_EQ(reported, 1);
    o.Blue->Painter = nullptr;
    o.Panel->Invalidate();
    EXPECT_EQ(test::ShownRows(*o.Panel)[3], "rrrggggr");
    EXPECT_EQ(reported, 1);
    Application().OnException = nullptr;
}

TEST(PlainControls, AreWrittenToPngFilesAsTheyShow) {
    TOverlapping o;
    test::TempDir dir;
    SaveControlPicture(*o.Green, dir.File("green.png"));
    SaveWindowPicture(o.Panel->Handle(), dir.File("panel.png"));
    TBitmap green, panel;
    green.LoadFromFile(dir.File("green.png"));
    panel.LoadFromFile(dir.File("panel.png"));
    EXPECT_EQ(PictureOf(green), (TPictureRows{"gggg", "gggg", "gggg"}));
    EXPECT_EQ(PictureOf(panel), test::ShownRows(*o.Panel));
}

// A plain control that notes the mouse messages it gets, with the point they carry.
class TMouseNoting : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::string> Seen;
    bool FreeOnPress = false;

    void WndProc(TMessage& Message) override {
        const auto x = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(Message.LParam)));
        const auto y = static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(Message.LParam)));
        if (Message.Msg == CM_MOUSEENTER) Seen.push_back("enter");
        if (Message.Msg == CM_MOUSELEAVE) Seen.push_back("leave");
        if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK)
            Seen.push_back(std::to_string(Message.Msg) + "@" + std::to_string(x) + "," +
                           std::to_string(y));
        if (FreeOnPress && Message.Msg == WM_LBUTTONDOWN) {
            delete this;
            return;
        }
        TGraphicControl::WndProc(Message);
    }
};

TEST(PlainControls, GetTheMouseOverThemFromTheirParent) {
    TShownForm shown;
    auto* panel = shown.Add<TPlainPanel>(shown.Form, Rect(0, 0, 20, 20));
    auto* a = shown.Add<TMouseNoting>(panel, Rect(5, 5, 10, 10));
    // Pressed, it would hold the mouse itself; here the test gives it the mouse.
    a->SetControlStyle(a->ControlStyle() - TControlStyle{csCaptureMouse});
    auto* disabled = shown.Add<TMouseNoting>(panel, Rect(12, 12, 18, 18));
    disabled->SetEnabled(false);
    const HWND wnd = panel->Handle();
    const auto send = [wnd](UINT Msg, int16_t X, int16_t Y) {
        SendMessage(wnd, Msg, 0, MAKELONG(static_cast<uint16_t>(X), static_cast<uint16_t>(Y)));
    };
    send(WM_MOUSEMOVE, 6, 7);
    send(WM_LBUTTONDOWN, 6, 7);
    send(WM_MOUSEMOVE, 13, 13);  // over the disabled one: the panel's own
    EXPECT_EQ(MouseControl(), panel);
    SetCaptureControl(a);
    send(WM_LBUTTONUP, 15, 1);  // held: it goes to the control holding the mouse
    SetCaptureControl(nullptr);
    const std::string move = std::to_string(WM_MOUSEMOVE);
    EXPECT_EQ(a->Seen, (std::vector<std::string>{"enter", move + "@1,2",
                                                 std::to_string(WM_LBUTTONDOWN) + "@1,2", "leave",
                                                 std::to_string(WM_LBUTTONUP) + "@10,-4"}));
    EXPECT_TRUE(disabled->Seen.empty());

    a->FreeOnPress = true;
    send(WM_LBUTTONDOWN, 6, 7);  // freed by its handler while its parent dispatches
    EXPECT_EQ(panel->ControlCount(), 1);
    SetMouseControl(nullptr);
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

// A windowed control that paints itself blue, then runs what the test gives it, once, from its
// painting or, for Erasing, from erasing its background.
class THookedCustom : public TCustomControl {
public:
    explicit THookedCustom(TComponent* AOwner) : TCustomControl(AOwner) {
        FControlStyle.Include(csAcceptsControls);
    }
    using TWinControl::RecreateWnd;

    std::function<void(THookedCustom*)> Hook;
    bool Erasing = false;

protected:
    void Paint() override {
        Fill(Canvas(), clBlue, GetClientRect());
        if (!Erasing) RunHook();
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_ERASEBKGND && Erasing && Hook) {
            RunHook();
            Message.Result = 1;
            return;
        }
        TCustomControl::WndProc(Message);
    }

private:
    void RunHook() {
        if (auto hook = std::exchange(Hook, nullptr)) hook(this);
    }
};

// Controls painting themselves free, make again or move themselves, a sibling, their parent or
// the form, or take a plain child; nothing freed is touched after, and what is added paints.
TEST(CustomControls, MayBeFreedMadeAgainOrMovedWhileTheyPaint) {
    struct TScene {
        TShownForm Shown;
        TPlainPanel* Panel = Shown.Add<TPlainPanel>(Shown.Form, Rect(0, 0, 120, 80));
        THookedCustom* A = Shown.Add<THookedCustom>(Panel, Rect(0, 0, 40, 40));
        THookedCustom* Inner = Shown.Add<THookedCustom>(A, Rect(5, 5, 20, 20));
        THookedCustom* Sibling = Shown.Add<THookedCustom>(Panel, Rect(30, 30, 90, 70));
        TPaintedBy* Plain = Shown.Add<TPaintedBy>(
            Sibling, Rect(2, 2, 6, 5), [](TCanvas& C) { Fill(C, clLime, C.ClipRect()); });
        int Ran = 0;
        TScene() { test::PumpUntilIdle(); }
        void Hook(THookedCustom* On, std::function<void(THookedCustom*)> Act) {
            On->Hook = [this, Act](THookedCustom* Self) {
                ++Ran;
                Act(Self);
            };
        }
    };
    struct TCase {
        const char* Name;
        bool Erasing;
        std::function<void(TScene&)> Arrange;
        int Hooks = 1;
    };
    const std::vector<TCase> cases = {
        {"frees itself", false, [](TScene& s) { s.Hook(s.A, [](auto* c) { delete c; }); }},
        {"an inner one frees its parent", false,
         [](TScene& s) { s.Hook(s.Inner, [&s](auto*) { delete s.A; }); }},
        {"frees the sibling painted next", false,
         [](TScene& s) { s.Hook(s.A, [&s](auto*) { delete s.Sibling; }); }},
        {"frees the form", false,
         [](TScene& s) {
             s.Hook(s.Inner, [&s](auto*) { delete std::exchange(s.Shown.Form, nullptr); });
         }},
        {"frees itself erasing", true, [](TScene& s) { s.Hook(s.A, [](auto* c) { delete c; }); }},
        {"frees its parent erasing", true,
         [](TScene& s) { s.Hook(s.Inner, [&s](auto*) { delete s.A; }); }},
        {"makes itself again", false,
         [](TScene& s) { s.Hook(s.A, [](auto* c) { c->RecreateWnd(); }); }},
        {"makes its parent again", false,
         [](TScene& s) { s.Hook(s.Inner, [&s](auto*) { s.A->RecreateWnd(); }); }},
        {"moves to another parent", false,
         [](TScene& s) { s.Hook(s.Inner, [&s](auto* c) { c->SetParent(s.Sibling); }); }},
        {"has the sibling that frees it painted at once", false,
         [](TScene& s) {
             s.Hook(s.Sibling, [&s](auto*) { delete s.A; });
             s.Hook(s.A, [&s](auto*) { s.Sibling->Repaint(); });
         },
         2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TScene s;
        for (THookedCustom* each : {s.A, s.Inner, s.Sibling})
            each->Erasing = c.Erasing;
        c.Arrange(s);
        RedrawWindow(s.Shown.Form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        test::PumpUntilIdle();
        EXPECT_EQ(s.Ran, c.Hooks);
    }
}

// A plain control that a windowed one takes while painting itself is painted once, where it now
// lies.
TEST(CustomControls, PaintAPlainChildTheyTakeWhilePainting) {
    TShownForm shown;
    auto* panel = shown.Add<THookedCustom>(shown.Form, Rect(0, 0, 8, 4));
    auto* other = shown.Add<TPlainPanel>(shown.Form, Rect(20, 0, 30, 10));
    auto* plain = shown.Add<TPaintedBy>(other, Rect(0, 0, 3, 2),
                                        [](TCanvas& C) { Fill(C, clLime, C.ClipRect()); });
    test::PumpUntilIdle();
    const int paints = plain->Paints;
    panel->Hook = [plain](THookedCustom* Self) {
        plain->SetParent(Self);
        plain->SetBounds(4, 1, 3, 2);
    };
    panel->Invalidate();
    EXPECT_EQ(test::ShownRows(*panel), (TPictureRows{
                                           "bbbbbbbb",
                                           "bbbbgggb",
                                           "bbbbgggb",
                                           "bbbbbbbb",
                                       }));
    EXPECT_EQ(plain->Paints, paints + 1);
}

// A see-through control moved over a sibling below it: what it uncovers shows the sibling again,
// not the parent's background.
TEST(GraphicControl, MovingOffASiblingShowsTheSiblingAgain) {
    test::TShownForm shown;
    auto* panel = shown.Add<test::TPlainPanel>(shown.Form, Rect(0, 0, 150, 60));
    panel->SetColor(clBtnFace);
    shown.Add<test::TPaintedBy>(panel, Rect(10, 10, 110, 40), [](TCanvas& C) {
        C.Brush().SetColor(clWhite);
        C.FillRect(Rect(0, 0, 100, 30));
    });
    auto* over = shown.Add<test::TPaintedBy>(panel, Rect(20, 20, 30, 30), [](TCanvas& C) {
        C.Brush().SetColor(clBlack);
        C.FillRect(Rect(2, 2, 8, 8));
    });
    test::PumpUntilIdle();
    over->SetLeft(60);
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(*panel, picture);
    EXPECT_EQ(picture.Canvas().Pixels(25, 25), clWhite);
    EXPECT_EQ(picture.Canvas().Pixels(65, 25), clBlack);
}

}  // namespace
}  // namespace vex
