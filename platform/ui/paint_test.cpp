#include "platform/ui/paint.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/dcstate.h"
#include "platform/ui/controlcanvas.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/win_testsupport.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::TPlainPanel;
using test::TShownForm;

// A panel with a border that lets the test handle its frame and background painting.
class THookedPanel : public TPlainPanel {
public:
    using TPlainPanel::TPlainPanel;
    std::function<void(TMessage&)> OnFrame;
    std::function<void(TMessage&)> OnErase;

protected:
    void CreateParams(TCreateParams& Params) override {
        TPlainPanel::CreateParams(Params);
        Params.Style |= WS_BORDER;
    }
    void WndProc(TMessage& Message) override {
        // A copy: the handler may free the panel.
        std::function<void(TMessage&)> handler;
        if (Message.Msg == WM_NCPAINT) handler = OnFrame;
        if (Message.Msg == WM_ERASEBKGND) handler = OnErase;
        if (handler)
            handler(Message);
        else
            TPlainPanel::WndProc(Message);
    }
};

void Scribble(HDC DC) {
    DC->Brush().SetColor(clBlack);
    DC->FillRect(Rect(-5000, -5000, 5000, 5000));
}

// What a painter may leave on a context, for comparing a reused one with a new one.
std::string StateOf(HDC DC) {
    const TRect clip = DC->ClipRect();
    return std::to_string(DC->Pen().Color()) + " " + std::to_string(DC->Brush().Color()) + " " +
           DC->Font().Name() + " " + std::to_string(DC->TextColor()) + " " +
           std::to_string(DC->Origin().X) + "," + std::to_string(DC->Origin().Y) + " " +
           std::to_string(clip.Left) + "," + std::to_string(clip.Top) + "," +
           std::to_string(clip.Right) + "," + std::to_string(clip.Bottom);
}

TEST(DeviceContexts, AContextGivenBackComesAgainAsNew) {
    TShownForm shown;
    test::PumpUntilIdle();
    const HWND form = shown.Form->Handle();
    HDC first = GetDC(form);
    const std::string fresh = StateOf(first);
    first->Pen().SetColor(clRed);
    first->Brush().SetColor(clLime);
    first->Font().SetName("Courier New");
    first->SetTextColor(clNavy);
    first->SetOrigin(Point(40, 50));
    first->IntersectClipRect(Rect(0, 0, 3, 3));
    SaveDC(first);
    EXPECT_EQ(ReleaseDC(form, first), 1);
    EXPECT_EQ(ReleaseDC(form, first), 0) << "released twice";
    for (int i = 0; i < 3; ++i) {
        HDC again = GetDC(form);
        EXPECT_EQ(StateOf(again), fresh);
        EXPECT_FALSE(RestoreDC(again, -1));
        EXPECT_FALSE(EndPaint(form, PAINTSTRUCT{again, false, Rect(0, 0, 0, 0)}))
            << "a context of GetDC is not ended";
        EXPECT_EQ(ReleaseDC(form, again), 1) << "and stays the caller's to release";
    }
}

// A loop that takes only some messages (the mouse's, while something is dragged) lets no
// painting run, yet what it draws through a context of its own shows once the context is
// released, each time.
TEST(DeviceContexts, WhatAContextDrewShowsOnceItIsReleased) {
    std::vector<std::string> calls;
    test::PresenterOverride presenter(std::make_unique<test::RecordingPresenter>(calls));
    TShownForm shown;
    test::PumpUntilIdle();
    const HWND form = shown.Form->Handle();
    for (int drag = 0; drag < 2; ++drag) {
        calls.clear();
        HDC dc = GetDC(form);
        dc->Brush().SetColor(clBlack);
        dc->FillRect(Rect(0, 0, 5, 5));
        ReleaseDC(form, dc);
        MSG msg;
        EXPECT_FALSE(PeekMessage(msg, 0, WM_MOUSEMOVE, WM_RBUTTONUP, PM_REMOVE));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].rfind("Present ", 0), 0u) << calls[0];
    }
}

// A frame or background handler that fails leaves no context open behind it.
TEST(DeviceContexts, AFailingFrameOrBackgroundHandlerLeavesNoContextOpen) {
    for (const bool frame : {false, true}) {
        SCOPED_TRACE(frame ? "frame" : "background");
        TShownForm shown;
        auto* panel = shown.Add<THookedPanel>(shown.Form, Rect(0, 0, 20, 20));
        test::PumpUntilIdle();
        HDC painted = nullptr;
        const auto fail = [&](TMessage& M) {
            if (M.Msg == WM_ERASEBKGND) painted = reinterpret_cast<HDC>(M.WParam);
            throw std::runtime_error("handler failed");
        };
        (frame ? panel->OnFrame : panel->OnErase) = fail;
        RedrawWindow(panel->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | (frame ? RDW_FRAME : 0));
        EXPECT_THROW(UpdateWindow(panel->Handle()), std::runtime_error);
        // The background handler's context is known; the frame handler's is the same code.
        if (!frame) {
            ASSERT_NE(painted, nullptr);
            EXPECT_EQ(ReleaseDC(0, painted), 0) << "the context was left open";
        }
    }
}

// Handlers that move, hide or free the window's pixels before painting is done: what is drawn
// through the context after that goes nowhere.
TEST(DeviceContexts, HandlersThatTakeThePixelsAwayLeaveTheContextDrawingNowhere) {
    const std::vector<std::pair<std::string, std::function<void(TShownForm&)>>> changes = {
        {"resize", [](TShownForm& S) { S.Form->SetBounds(10, 10, 900, 700); }},
        {"shrink", [](TShownForm& S) { S.Form->SetBounds(10, 10, 30, 30); }},
        {"hide", [](TShownForm& S) { S.Form->Hide(); }},
        {"free the form", [](TShownForm& S) { delete std::exchange(S.Form, nullptr); }},
    };
    for (const auto& [name, change] : changes) {
        for (const bool frame : {false, true}) {
            SCOPED_TRACE(name + (frame ? " in the frame handler" : " in the background handler"));
            TShownForm shown;
            auto* panel = shown.Add<THookedPanel>(shown.Form, Rect(0, 0, 20, 20));
            test::PumpUntilIdle();
            bool changed = false;
            const auto once = [&] {
                if (!changed) change(shown);
                changed = true;
            };
            panel->OnFrame = [&](TMessage&) { once(); };
            panel->OnErase = [&](TMessage& M) {
                if (!frame) once();
                Scribble(reinterpret_cast<HDC>(M.WParam));
                M.Result = 1;
            };
            RedrawWindow(panel->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | (frame ? RDW_FRAME : 0));
            test::PumpUntilIdle();
            EXPECT_TRUE(changed);
        }
    }
}

// A context taken on a window that is no control's lets go of the window's pixels as soon as
// the window tree moves them, as a control's does: drawing with it afterwards reaches nothing.
// A context and a control canvas over another window, whose pixels stayed, go on drawing, as
// they do over a window that only moved.
TEST(DeviceContexts, AContextOfAPlainWindowDrawsNowhereOnceItsPixelsMove) {
    struct TChange {
        std::string Name;
        std::function<void(HWND W, HWND Other)> Make;
        bool PixelsGo;
    };
    const std::vector<TChange> changes = {
        {"hide", [](HWND W, HWND) { ShowWindow(W, SW_HIDE); }, true},
        {"minimize", [](HWND W, HWND) { ShowWindow(W, SW_MINIMIZE); }, true},
        {"shrink", [](HWND W, HWND) { SetWindowPos(W, 0, 0, 0, 8, 8, SWP_NOMOVE | SWP_NOZORDER); },
         true},
        {"grow",
         [](HWND W, HWND) { SetWindowPos(W, 0, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER); }, true},
        {"become a child of another", [](HWND W, HWND Other) { SetParent(W, Other); }, true},
        {"destroy", [](HWND W, HWND) { DestroyWindow(W); }, true},
        {"move", [](HWND W, HWND) { SetWindowPos(W, 0, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         false},
        {"keep its size",
         [](HWND W, HWND) { SetWindowPos(W, 0, 0, 0, 300, 200, SWP_NOMOVE | SWP_FRAMECHANGED); },
         false},
    };
    for (const TChange& change : changes) {
        SCOPED_TRACE(change.Name);
        test::MessageLog log;
        const HWND plain = log.Create("plain", WS_POPUP | WS_VISIBLE, Rect(0, 0, 300, 200));
        const HWND other = log.Create("other", WS_POPUP | WS_VISIBLE, Rect(0, 0, 30, 20));
        HDC dc = GetDC(plain);
        HDC otherDC = GetDC(other);
        TControlCanvas canvas;
        canvas.SetHandle(GetDC(other));
        ASSERT_FALSE(IsRectEmpty(dc->ClipRect()));
        change.Make(plain, other);
        EXPECT_EQ(IsRectEmpty(dc->ClipRect()), change.PixelsGo);
        Scribble(dc);
        EXPECT_EQ(otherDC->ClipRect(), Rect(0, 0, 30, 20));
        ASSERT_NE(canvas.DrawingContext(), nullptr);
        EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 30, 20));
        otherDC->Brush().SetColor(clWhite);
        otherDC->FillRect(Rect(0, 0, 1, 1));
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(Rect(1, 0, 2, 1));
        const TPixelRows pixels = WindowPixels(other);
        ASSERT_GE(pixels.Width, 2);
        EXPECT_EQ(pixels.Pixels[0], 0xFFFFFFu);
        EXPECT_EQ(pixels.Pixels[1], 0xFF0000u);
        const HDC lent = canvas.DrawingContext();
        canvas.SetHandle(nullptr);
        ReleaseDC(other, lent);
        ReleaseDC(other, otherDC);
        ReleaseDC(plain, dc);
    }
}

// A control canvas drawing through a context reaches the pixels the context reaches, no more
// and no fewer: with a user clip of one or several rectangles, with a base clip or none, with
// an origin, and over a bitmap of no pixels.
TEST(DeviceContexts, AControlCanvasReachesWhatItsContextReaches) {
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Prepare;
    };
    TRegion ring(Rect(0, 0, 10, 6));
    ring.Subtract(Rect(3, 2, 6, 4));
    const TCase cases[] = {
        {"no clip", [](TCanvas&) {}},
        {"user clip", [](TCanvas& C) { C.IntersectClipRect(Rect(2, 1, 7, 5)); }},
        {"user clip of several rectangles",
         [](TCanvas& C) { C.ExcludeClipRect(Rect(1, 1, 4, 3)); }},
        {"base clip", [&](TCanvas& C) { C.SetBaseClip(ring); }},
        {"base clip past the bitmap",
         [](TCanvas& C) { C.SetBaseClip(TRegion(Rect(-5, 2, 50, 9))); }},
        {"base clip, user clip and origin",
         [&](TCanvas& C) {
             C.SetBaseClip(ring);
             C.SetOrigin(Point(2, 1));
             C.ExcludeClipRect(Rect(0, 0, 2, 2));
         }},
        {"user clip off the bitmap", [](TCanvas& C) { C.IntersectClipRect(Rect(20, 20, 30, 30)); }},
    };
    for (const TCase& c : cases)
        for (const int32_t width : {10, 0}) {
            SCOPED_TRACE(std::string(c.Name) + (width == 0 ? ", no pixels" : ""));
            TBitmap direct, through;
            direct.SetSize(width, 6);
            through.SetSize(width, 6);
            TCanvas directDC(direct), throughDC(through);
            c.Prepare(directDC);
            c.Prepare(throughDC);
            directDC.Brush().SetColor(clRed);
            directDC.FillRect(Rect(-100, -100, 100, 100));
            // Bound first to a context of another clip and bitmap, whose clip it replaces.
            TBitmap other;
            other.SetSize(12, 9);
            TCanvas otherDC(other);
            otherDC.SetBaseClip(TRegion::OfRects(std::vector<TRect>{{0, 0, 12, 1}, {4, 3, 5, 9}}));
            otherDC.SetOrigin(Point(-3, 4));
            TControlCanvas canvas;
            canvas.SetHandle(&otherDC);
            canvas.SetHandle(&throughDC);
            canvas.Brush().SetColor(clRed);
            canvas.FillRect(Rect(-100, -100, 100, 100));
            canvas.SetHandle(nullptr);
            EXPECT_EQ(PictureOf(through), PictureOf(direct));
            TBitmap untouched;
            untouched.SetSize(12, 9);
            EXPECT_EQ(PictureOf(other), PictureOf(untouched));
        }
}

// A window erases its client area with its own brush, plain, patterned or clear, and leaves
// the context's brush as it was.
TEST(DeviceContexts, AWindowErasesWithItsOwnBrushAndLeavesTheContextsBrush) {
    TShownForm shown;
    auto* panel = shown.Add<TPlainPanel>(shown.Form, Rect(0, 0, 6, 2));
    test::PumpUntilIdle();
    TBitmap tile;
    PaintPicture(tile, {"rb"});
    struct TCase {
        const char* Name;
        std::function<void(TBrush&)> Choose;
        TPictureRows Expected;
    };
    const TCase cases[] = {
        {"plain", [](TBrush& B) { B.SetColor(clLime); }, {"gggggg..", "gggggg.."}},
        {"patterned", [&](TBrush& B) { B.SetBitmap(&tile); }, {"rbrbrb..", "rbrbrb.."}},
        {"clear", [](TBrush& B) { B.SetStyle(bsClear); }, {"........", "........"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        panel->Brush().SetStyle(bsSolid);
        panel->Brush().SetBitmap(nullptr);
        c.Choose(panel->Brush());
        TBitmap pixels;
        PaintPicture(pixels, {"........", "........"});
        TCanvas dc(pixels);
        dc.Brush().SetColor(clNavy);
        EXPECT_EQ(SendMessage(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0), 1);
        EXPECT_EQ(PictureOf(pixels), c.Expected);
        EXPECT_EQ(dc.Brush().Color(), clNavy);
        EXPECT_EQ(dc.Brush().Style(), bsSolid);
        EXPECT_TRUE(dc.Brush().Pattern().Empty());
    }
    panel->Brush().SetBitmap(nullptr);
}

}  // namespace
}  // namespace vex
