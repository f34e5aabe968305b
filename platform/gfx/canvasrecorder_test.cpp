#include "platform/gfx/canvasrecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/gfx/rasterops.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

std::vector<std::string> GeometryOf(const std::vector<TCanvasCall>& Calls) {
    std::vector<std::string> lines;
    for (const TCanvasCall& call : Calls)
        lines.push_back(GeometryOf(call));
    return lines;
}

std::vector<std::string> GeometryOf(const TCanvasRecorder& Recorder) {
    return GeometryOf(Recorder.Calls());
}

class CanvasRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bitmap.SetSize(40, 30);
        Other.SetSize(8, 8);
        Canvas().SetOrigin(Point(5, 3));
    }
    TCanvas& Canvas() { return Bitmap.Canvas(); }
    TBitmap Bitmap, Other;
};

// One of every kind of drawing call, outer calls and the calls they are made of.
void DrawOneOfEach(TCanvas& c, TBitmap& Other) {
    c.MoveTo(1, 2);
    c.LineTo(10, 2);
    c.Polyline({{0, 0}, {3, 4}, {-2, 9}});
    c.Polygon({{1, 1}, {6, 1}, {3, 7}});
    c.Rectangle(0, 0, 4, 5);
    c.Ellipse(2, 3, 12, 9);
    c.RoundRect(1, 1, 20, 12, 6, 4);
    c.FillRect(Rect(-5, -3, 35, 27));
    c.FrameRect(Rect(2, 2, 8, 8));
    c.SetPixels(7, 7, clRed);
    c.TextOut(3, 4, "Hello");
    c.TextRect(Rect(0, 0, 20, 10), 1, 2, "Clipped");
    c.ExtTextOut(4, 5, ETO_OPAQUE, nullptr, "Raw");
    TextOut(c.Handle(), 6, 7, "Function");
    c.Draw(9, 8, Other);
    c.StretchDraw(Rect(0, 0, 16, 16), Other);
    c.BrushCopy(Rect(1, 1, 5, 5), Other, Rect(0, 0, 4, 4), clBlack);
    c.CopyRect(Rect(0, 0, 4, 4), Other.Canvas(), Rect(2, 2, 6, 6));
    BitBlt(c.Handle(), 1, 2, 3, 4, Other.Canvas().Handle(), 0, 1, SRCINVERT);
    StretchBlt(c.Handle(), 10, 0, -10, 5, nullptr, 0, 0, 0, 0, DSTINVERT);
    PatBlt(c.Handle(), 0, 0, 6, 6, PATCOPY);
    TRect box = Rect(0, 0, 30, 20);
    DrawText(c.Handle(), "Two &words\non two lines", box, DT_CENTER);
    DrawFocusRect(c.Handle(), Rect(1, 1, 9, 9));
}

Rows Expected(size_t Block) {
    return test::ReadBlocks(VEX_TEST_DIR "/testdata/recordedcalls.txt").at(Block).Parts.at(0);
}

// Each call once, under its own name, where it lands on the bitmap; the calls a call is made
// of are not recorded again.
TEST_F(CanvasRecorderTest, EveryDrawingCallIsRecordedOnceWithItsDeviceGeometry) {
    TCanvasRecorder recorder;
    DrawOneOfEach(Canvas(), Other);
    EXPECT_EQ(GeometryOf(recorder), Expected(0));
}

// What a device replays: the innermost calls only, each once, however deep the calls nest, and
// only this canvas's, whatever recorders of the thread come and go meanwhile.
TEST_F(CanvasRecorderTest, AnAttachedRecorderKeepsThePrimitivesOfItsCanvasOnly) {
    TCanvasRecorder primitives(Canvas(), TRecordLevel::Primitives);
    {
        TCanvasRecorder thread;
        DrawOneOfEach(Canvas(), Other);
        Other.Canvas().FillRect(Rect(0, 0, 1, 1));
        EXPECT_EQ(GeometryOf(thread), (Rows{"FillRect 0,0,1,1"}));
    }
    EXPECT_EQ(GeometryOf(primitives), Expected(1));
    EXPECT_EQ(GeometryOf(primitives.TakeCalls()), Expected(1));
    EXPECT_TRUE(primitives.Calls().empty());
}

// A recorder attached over another (a test's over a printer's) has the canvas while it lives;
// whichever goes first, the other records again, and none is left that has gone.
TEST_F(CanvasRecorderTest, RecordersAttachedOverOneAnotherHandTheCanvasBack) {
    for (const bool newestGoesFirst : {true, false}) {
        SCOPED_TRACE(newestGoesFirst ? "newest first" : "oldest first");
        auto oldest = std::make_unique<TCanvasRecorder>(Canvas(), TRecordLevel::Primitives);
        auto newest = std::make_unique<TCanvasRecorder>(Canvas(), TRecordLevel::Primitives);
        Canvas().FillRect(Rect(0, 0, 1, 1));
        EXPECT_EQ(newest->Calls().size(), 1u);
        EXPECT_TRUE(oldest->Calls().empty());
        std::unique_ptr<TCanvasRecorder>& survivor = newestGoesFirst ? oldest : newest;
        (newestGoesFirst ? newest : oldest).reset();
        Canvas().FillRect(Rect(0, 0, 2, 2));
        EXPECT_EQ(survivor->Calls().size(), newestGoesFirst ? 1u : 2u);
        survivor.reset();
        TCanvasRecorder thread;
        Canvas().FillRect(Rect(0, 0, 3, 3));
        EXPECT_EQ(thread.Calls().size(), 1u) << "no recorder is left attached";
    }
}

// Text calls carry what a replay needs to place the text as the canvas did.
// A copy whose source reaches beyond its bitmap is recorded as the part on the bitmap and the
// part of the destination it lands on, however far the source reaches.
TEST_F(CanvasRecorderTest, ACopiedPictureHoldsNoMoreThanItsBitmap) {
    struct TCase {
        TRect Dest, Source;
        std::string Geometry;  // "" when nothing of the source is on the bitmap
        int32_t Width, Height;
    };
    const TCase cases[] = {
        {Rect(0, 0, 16000, 16000), Rect(0, 0, 16000, 16000), "StretchBlt 5,3,13,11;0,0,8,8", 8, 8},
        {Rect(0, 0, 8, 6), Rect(-4, 0, 4, 6), "StretchBlt 9,3,13,9;0,0,4,6", 4, 6},
        // Backwards: from the first edge's pixel back, pixel 0 included.
        {Rect(0, 0, 8, 4), Rect(4, 0, -4, 4), "StretchBlt 5,3,10,7;4,0,-1,4", 5, 4},
        {Rect(0, 0, 6, 4), Rect(0, 0, -3, 4), "StretchBlt 5,3,7,7;0,0,-1,4", 1, 4},
        {Rect(0, 0, 8, 4), Rect(10, 0, 6, 4), "StretchBlt 11,3,13,7;7,0,6,4", 1, 4},
        {Rect(0, 0, 2, 2), Rect(2, 2, 4, 4), "StretchBlt 5,3,7,5;2,2,4,4", 2, 2},
        {Rect(0, 0, 5, 5), Rect(100, 100, 90000, 90000), "", 0, 0},
    };
    for (const TCase& c : cases) {
        TCanvasRecorder primitives(Canvas(), TRecordLevel::Primitives);
        StretchBlt(Canvas().Handle(), c.Dest.Left, c.Dest.Top, c.Dest.Right - c.Dest.Left,
                   c.Dest.Bottom - c.Dest.Top, Other.Canvas().Handle(), c.Source.Left, c.Source.Top,
                   c.Source.Right - c.Source.Left, c.Source.Bottom - c.Source.Top, SRCCOPY);
        const std::vector<TCanvasCall> calls = primitives.TakeCalls();
        ASSERT_EQ(calls.size(), 1u);
        ASSERT_NE(calls[0].Picture, nullptr);
        if (!c.Geometry.empty()) {
            EXPECT_EQ(GeometryOf(calls[0]), c.Geometry + " 13369376");
        }
        EXPECT_EQ(calls[0].Picture->Width, c.Width) << c.Geometry;
        EXPECT_EQ(calls[0].Picture->Height, c.Height) << c.Geometry;
    }
}

TEST_F(CanvasRecorderTest, TextCallsCarryTheirFaceAlignmentAndClip) {
    TCanvasRecorder primitives(Canvas(), TRecordLevel::Primitives);
    TCanvas& c = Canvas();
    c.SetTextAlign(TA_RIGHT | TA_BASELINE | TA_UPDATECP);
    c.MoveTo(20, 10);
    c.Font().SetOrientation(900);
    c.IntersectClipRect(Rect(0, 0, 30, 20));
    c.TextOut(1, 1, "Up");
    const std::vector<TCanvasCall> calls = primitives.TakeCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(GeometryOf(calls[0]), "ExtTextOut 25,13 \"Up\"");
    EXPECT_EQ(calls[0].TextAlign, TA_RIGHT | TA_BASELINE | TA_UPDATECP);
    EXPECT_EQ(calls[0].Escapement, 900);
    ASSERT_NE(calls[0].Face, nullptr);
    EXPECT_EQ(calls[0].Face, c.RealizedFont());
    ASSERT_TRUE(calls[0].UserClip.has_value());
    EXPECT_EQ(calls[0].UserClip->Bounds(), Rect(5, 3, 35, 23));
}

TEST_F(CanvasRecorderTest, CallsCarryThePenBrushFontAndColoursTheyWereMadeWith) {
    TCanvasRecorder recorder;
    TCanvas& c = Canvas();
    c.Pen().SetColor(clBtnShadow);
    c.Pen().SetWidth(3);
    c.Pen().SetStyle(psDash);
    c.Pen().SetMode(pmXor);
    c.Brush().SetColor(clInfoBk);
    c.Rectangle(0, 0, 5, 5);
    c.Font().SetName("Arial");
    c.Font().SetSize(12);
    c.Font().SetStyle({fsBold, fsItalic});
    c.Font().SetColor(clHighlightText);
    c.SetTextColor(clRed);  // TextOut takes the font's colour and the brush as background
    c.TextOut(0, 0, "Label");
    c.Brush().SetStyle(bsClear);
    c.TextOut(0, 0, "Clear");
    TRect r = Rect(0, 0, 10, 10);
    DrawEdge(c.Handle(), r, EDGE_SUNKEN, BF_TOPLEFT);

    const std::vector<TCanvasCall>& calls = recorder.Calls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].Canvas, &c);
    EXPECT_EQ(calls[0].PenColor, clBtnShadow);
    EXPECT_EQ(calls[0].PenWidth, 3);
    EXPECT_EQ(calls[0].PenStyle, psDash);
    EXPECT_EQ(calls[0].PenMode, pmXor);
    EXPECT_EQ(calls[0].BrushColor, clInfoBk);
    EXPECT_EQ(calls[0].BrushStyle, bsSolid);
    EXPECT_EQ(calls[1].FontName, "Arial");
    EXPECT_EQ(calls[1].FontSize, 12);
    EXPECT_EQ(calls[1].FontStyle, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(calls[1].TextColor, clHighlightText);
    EXPECT_EQ(calls[1].BkColor, clInfoBk);
    EXPECT_EQ(calls[2].BkColor, clNone);
    // An edge is the fills it is made of, in the system's colours by name.
    EXPECT_EQ(GeometryOf(calls[3]), "FillRect 5,3,15,4");
    EXPECT_EQ(calls[3].BrushColor, clBtnShadow);
    EXPECT_EQ(calls[5].BrushColor, cl3DDkShadow);
    EXPECT_EQ(recorder.Named("FillRect").size(), 4u);
}

TEST_F(CanvasRecorderTest, RecordersListenToOneCanvasOrAllAndNest) {
    TCanvasRecorder all;
    Other.Canvas().FillRect(Rect(0, 0, 1, 1));
    {
        TCanvasRecorder onlyMine(Canvas());
        Other.Canvas().FillRect(Rect(0, 0, 2, 2));
        Canvas().FillRect(Rect(0, 0, 3, 3));
        TRect r = Rect(0, 0, 10, 10);
        DrawText(Canvas().Handle(), "measured only", r, DT_CALCRECT);
        EXPECT_EQ(GeometryOf(onlyMine), (Rows{"FillRect 5,3,8,6"}));
    }
    Canvas().FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(GeometryOf(all), (Rows{"FillRect 0,0,1,1", "FillRect 5,3,9,7"}));
    all.Clear();
    EXPECT_TRUE(all.Calls().empty());
}

}  // namespace
}  // namespace vex
