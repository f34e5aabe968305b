#include "dataaware/richedit/wwTrackIcon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/ui_testsupport.h"
#include "platform/win/capture.h"
#include "platform/win/modaldriver.h"
#include "platform/win/window.h"

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

}  // namespace
}  // namespace vex
