#include "dataaware/richedit/wwTrackIcon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/ui_testsupport.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/capture.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {
namespace {

using test::PumpUntilIdle;

// The marker glyph, 9 x 8, at Left 50 on a white form; the drags press at its (4, 3).
class TrackIcon : public ::testing::Test {
protected:
    TrackIcon() {
        Form.Form->SetColor(clWhite);
        Icon = Form.Add<TwwTrackIcon>(Form.Form, Rect(50, 20, 50, 20));
        Icon->SetBitmapName("RulerMarker");
        Icon->OnEndDrag = [this](TObject* Sender) {
            EXPECT_EQ(Sender, Icon);
            ++EndDrags;
        };
        PumpUntilIdle();
    }

    HWND FormWnd() { return Form.Form->Handle(); }
    static LPARAM At(int32_t X, int32_t Y) {
        return MAKELONG(static_cast<uint16_t>(X), static_cast<uint16_t>(Y));
    }
    // Presses the left button over the icon and runs the drag the script goes on with.
    void PressAndRun(TModalScript& Script) {
        PostMessage(FormWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(kPressX, kPressY));
        PumpUntilIdle();
        EXPECT_EQ(Script.Pending(), 0u);
    }
    // A move of the pointer to Offset pixels right of where it was pressed, in the form.
    void MoveTo(TModalScript& Script, int32_t Offset) {
        Script.Post(FormWnd(), WM_MOUSEMOVE, MK_LBUTTON, At(kPressX + Offset, kPressY));
    }
    void Release(TModalScript& Script, int32_t Offset) {
        Script.Post(FormWnd(), WM_LBUTTONUP, 0, At(kPressX + Offset, kPressY));
    }

    static constexpr int32_t kPressX = 54;
    static constexpr int32_t kPressY = 23;
    test::TShownForm Form{Rect(10, 10, 210, 110)};
    TwwTrackIcon* Icon = nullptr;
    int EndDrags = 0;
};

TEST_F(TrackIcon, TakesItsSizeFromTheBitmapAndNoneFromAMissingOne) {
    EXPECT_EQ(Icon->Width(), 9);
    EXPECT_EQ(Icon->Height(), 8);
    Icon->SetBitmapName("");
    EXPECT_EQ(Icon->Width(), 9) << "an empty name keeps the bitmap";
    Icon->SetBitmapName("NoSuchMarker");
    EXPECT_TRUE(Icon->Bitmap().Empty());
    EXPECT_EQ(Icon->Width(), 0);
    EXPECT_EQ(Icon->Height(), 0);
}

TEST_F(TrackIcon, FollowsTheLeftButtonWithinItsLimits) {
    struct TCase {
        int32_t MinValue;
        int32_t MaxValue;
        std::vector<int32_t> Moves;  // pointer offsets from the press, in order
        int32_t Left;
        int EndDrags;
    };
    const std::vector<TCase> cases = {
        {0, 0, {30}, 80, 1},
        {0, 0, {-70}, -20, 1},  // no limits: free to leave the form's edge
        {0, 0, {10, 25, 5}, 55, 1},
        {0, 70, {40}, 70, 1},
        {0, 70, {40, 10}, 60, 1},  // stopped at the limit, it still follows back
        {40, 0, {-30}, 40, 1},
        {40, 70, {-30, 60}, 70, 1},
        {100, 70, {60, 30}, 70, 1},  // crossed limits: held at MaxValue
        {0, 0, {0}, 50, 0},          // a move onto the press point is no move
        {0, 0, {}, 50, 0},           // a plain click
        {0, 0, {0, 3, 0}, 50, 1},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const TCase& c = cases[i];
        Icon->SetLeft(50);
        Icon->SetMinValue(c.MinValue);
        Icon->SetMaxValue(c.MaxValue);
        EndDrags = 0;
        TModalScript script;
        for (int32_t offset : c.Moves)
            MoveTo(script, offset);
        Release(script, c.Moves.empty() ? 0 : c.Moves.back());
        PressAndRun(script);
        EXPECT_EQ(Icon->Left(), c.Left);
        EXPECT_EQ(EndDrags, c.EndDrags);
        EXPECT_EQ(vex::GetCapture(), HWND{0});
    }
}

TEST_F(TrackIcon, ADragIsNoClick) {
    int clicks = 0;
    Icon->OnClick = [&](TObject*) { ++clicks; };
    TModalScript script;
    MoveTo(script, 10);
    Release(script, 10);
    PressAndRun(script);
    EXPECT_EQ(Icon->Left(), 60);
    EXPECT_EQ(clicks, 0);
    Icon->SetLeft(50);
    TModalScript plain;
    Release(plain, 0);
    PressAndRun(plain);
    EXPECT_EQ(clicks, 1) << "a press without a move is a click";
}

TEST_F(TrackIcon, ARightButtonPressStartsNoDrag) {
    PostMessage(FormWnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(kPressX, kPressY));
    PostMessage(FormWnd(), WM_MOUSEMOVE, MK_RBUTTON, At(kPressX + 20, kPressY));
    PostMessage(FormWnd(), WM_RBUTTONUP, 0, At(kPressX + 20, kPressY));
    PumpUntilIdle();
    EXPECT_EQ(Icon->Left(), 50);
    EXPECT_EQ(EndDrags, 0);
}

TEST_F(TrackIcon, AQuitDuringADragEndsItAndIsPutBack) {
    TModalScript script;
    MoveTo(script, 10);
    script.Then([] { PostQuitMessage(7); });
    PressAndRun(script);
    EXPECT_EQ(Icon->Left(), 60);
    EXPECT_EQ(EndDrags, 0);
    EXPECT_EQ(vex::GetCapture(), HWND{0});
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(TrackIcon, ADragEndsWhenTheCaptureGoesElsewhere) {
    TModalScript script;
    MoveTo(script, 10);
    script.Then([] { vex::ReleaseCapture(); });
    MoveTo(script, 30);
    Release(script, 30);
    PostMessage(FormWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(kPressX, kPressY));
    PumpUntilIdle();
    EXPECT_EQ(Icon->Left(), 60) << "the moves after the loss are not followed";
    EXPECT_EQ(EndDrags, 0);
}

TEST_F(TrackIcon, ADragEndsWhenTheIconIsFreed) {
    TModalScript script;
    MoveTo(script, 10);
    script.Then([this] {
        delete Icon;
        Icon = nullptr;
    });
    MoveTo(script, 30);
    Release(script, 30);
    PostMessage(FormWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(kPressX, kPressY));
    PumpUntilIdle();
    EXPECT_EQ(vex::GetCapture(), HWND{0});
}

TEST_F(TrackIcon, ADragEndsWhenTheIconIsHidden) {
    TModalScript script;
    MoveTo(script, 10);
    script.Then([this] { Icon->SetVisible(false); });
    MoveTo(script, 30);
    Release(script, 30);
    PostMessage(FormWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(kPressX, kPressY));
    PumpUntilIdle();
    EXPECT_EQ(Icon->Left(), 60) << "the moves after it went are not followed";
    EXPECT_EQ(EndDrags, 0);
    EXPECT_EQ(vex::GetCapture(), HWND{0});
}

TEST_F(TrackIcon, AnEndDragHandlerMayFreeTheIcon) {
    Icon->OnEndDrag = [this](TObject*) {
        delete Icon;
        Icon = nullptr;
    };
    TModalScript script;
    MoveTo(script, 10);
    Release(script, 10);
    PressAndRun(script);
    EXPECT_EQ(Icon, nullptr);
    EXPECT_EQ(vex::GetCapture(), HWND{0});
}

TEST_F(TrackIcon, LeavesThePixelsOfItsBackgroundColourUnpainted) {
    const TPictureLegend legend = {
        {'.', 0xFFFFFF}, {'K', 0x000000}, {'F', 0xC0C0C0}, {'t', 0x008080}};
    const TPictureRows expected = {
        "KKKKKKKKK", "KFFFFFFFK", "KFFFFFFFK", ".KFFFFFK.",
        "..KFFFK..", "...KFK...", "....K....", ".........",
    };
    EXPECT_EQ(test::ShownRows(*Icon, legend), expected);
}

// What the icon uncovers while it is dragged over a ruler shows the ruler again. The ruler
// writes its numbers on a clear brush, which its canvas keeps until the next paint fills again.
TEST_F(TrackIcon, ADragLeavesNoTrailOnWhatLiesBelow) {
    Form.Form->SetColor(clBtnFace);
    auto* strip = Form.Add<test::TPaintedBy>(Form.Form, Rect(0, 0, 200, 40), [](TCanvas& C) {
        C.Brush().SetColor(clWhite);
        C.FillRect(Rect(0, 0, 200, 40));
        C.Brush().SetStyle(bsClear);
        C.TextOut(2, 1, "1");
    });
    strip->SendToBack();
    PumpUntilIdle();
    TModalScript script;
    MoveTo(script, 15);
    MoveTo(script, 40);
    Release(script, 40);
    PressAndRun(script);
    PumpUntilIdle();
    ASSERT_EQ(Icon->Left(), 90);
    TBitmap picture;
    PictureOfControl(*Form.Form, picture);
    TRect window;
    GetWindowRect(FormWnd(), window);
    const TPoint client = Form.Form->ClientToScreen(Point(0, 0));
    const auto at = [&](int32_t X, int32_t Y) {
        return picture.Canvas().Pixels(client.X - window.Left + X, client.Y - window.Top + Y);
    };
    for (int32_t x : {50, 54, 58, 65, 69, 73})
        EXPECT_EQ(at(x, 21), clWhite) << "a trail at " << x;
}

// The same on a windowed box that paints itself and holds both.
TEST(TrackIconOnABox, ADragLeavesNoTrailOnWhatLiesBelow) {
    class TBox : public TCustomControl {
    public:
        explicit TBox(TComponent* AOwner) : TCustomControl(AOwner) {
            FControlStyle.Include(csAcceptsControls);
        }

    protected:
        void Paint() override { Canvas().FrameRect(ClientRect()); }
    };
    test::TShownForm form{Rect(10, 10, 310, 160)};
    auto* box = form.Add<TBox>(form.Form, Rect(10, 10, 250, 100));
    box->SetColor(clBtnFace);
    form.Add<test::TPaintedBy>(box, Rect(8, 8, 208, 30), [](TCanvas& C) {
        C.Brush().SetColor(clWhite);
        C.FillRect(Rect(0, 0, 200, 22));
    });
    auto* icon = form.Add<TwwTrackIcon>(box, Rect(38, 20, 38, 20));
    icon->SetBitmapName("RulerMarker");
    PumpUntilIdle();
    // As a person's mouse would: through hit testing and the capture the drag takes.
    const auto screen = [box](int32_t X) { return box->ClientToScreen(Point(X, 23)); };
    // Each move once the drag has painted what the one before changed.
    TModalScript script;
    script.Then([&] { InjectMouseMove(screen(57)); });
    script.Then([&] { InjectMouseMove(screen(82)); });
    script.Then([] { InjectMouseButton(mbLeft, false); });
    InjectMouseMove(screen(42));
    InjectMouseButton(mbLeft, true);
    PumpUntilIdle();
    ASSERT_EQ(icon->Left(), 78);
    TBitmap picture;
    PictureOfControl(*box, picture);
    for (int32_t x : {38, 42, 46, 53, 57, 61})
        EXPECT_EQ(picture.Canvas().Pixels(x, 21), clWhite) << "a trail at " << x;
}

}  // namespace
}  // namespace vex
