#include "platform/ui/pagereplay.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/gfx/rasterops.h"
#include "platform/ui/pngpages.h"

namespace vex {
namespace {

// Writes down what reaches the target, one word a call.
class TLoggingTarget : public TPageTarget {
public:
    void Clip(const std::optional<TRegion>& Region) override {
        Log.push_back(Region ? "Clip" : "Unclip");
    }
    void Lines(const TCanvasCall& Call, bool Closed) override {
        Log.push_back(std::string(Closed ? "Closed" : "Open") +
                      (Call.PenStyle == psClear ? "NoPen" : ""));
    }
    void Shape(const TCanvasCall& Call) override {
        Log.push_back(Call.Name + (Call.PenStyle == psClear ? "NoPen" : ""));
    }
    void Fill(const TRect&, TColor Color) override {
        Log.push_back("Fill" + std::to_string(Color));
    }
    void Text(const TCanvasCall& Call) override { Log.push_back("Text " + Call.Text); }
    void Picture(const TRect&, const TPixelImage& Picture) override {
        Log.push_back("Picture" + std::to_string(Picture.Width) + "x" +
                      std::to_string(Picture.Height));
    }
    std::vector<std::string> Log;
};

TPrintedPage Recorded(TBitmap& Bitmap, const std::function<void(TCanvas&)>& Draw) {
    TCanvas canvas(Bitmap);
    TCanvasRecorder recorder(canvas, TRecordLevel::Primitives);
    Draw(canvas);
    return {recorder.TakeCalls()};
}

TEST(PageReplay, PrintsWhatHasAMeaningOnPaperAndLeavesOutWhatOnlyInvertsTheScreen) {
    TBitmap source;
    source.SetSize(3, 2);
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"a line", [](TCanvas& C) { C.MoveTo(0, 0), C.LineTo(9, 0); }, {"Unclip", "Open"}},
        {"a line in an inverting pen",
         [](TCanvas& C) {
             C.Pen().SetMode(pmXor);
             C.MoveTo(0, 0), C.LineTo(9, 0);
         },
         {"Unclip"}},
        {"a polygon in an inverting pen keeps its fill",
         [](TCanvas& C) {
             C.Pen().SetMode(pmNot);
             C.Polygon({Point(0, 0), Point(5, 0), Point(0, 5)});
         },
         {"Unclip", "ClosedNoPen"}},
        {"a rectangle without a pen",
         [](TCanvas& C) {
             C.Pen().SetStyle(psClear);
             C.Rectangle(0, 0, 5, 5);
         },
         {"Unclip", "RectangleNoPen"}},
        {"a clear fill",
         [](TCanvas& C) {
             C.Brush().SetStyle(bsClear);
             C.FillRect(Rect(0, 0, 5, 5));
         },
         {"Unclip"}},
        {"a focus rectangle",
         [](TCanvas& C) { DrawFocusRect(C.Handle(), Rect(0, 0, 9, 9)); },
         {"Unclip"}},
        {"copies that paint a known colour",
         [](TCanvas& C) {
             C.Brush().SetColor(clRed);
             PatBlt(C.Handle(), 0, 0, 4, 4, PATCOPY);
             PatBlt(C.Handle(), 0, 0, 4, 4, BLACKNESS);
             PatBlt(C.Handle(), 0, 0, 4, 4, WHITENESS);
         },
         {"Unclip", "Fill" + std::to_string(clRed), "Fill" + std::to_string(clBlack),
          "Fill" + std::to_string(clWhite)}},
        {"copies that invert or combine",
         [&](TCanvas& C) {
             PatBlt(C.Handle(), 0, 0, 4, 4, DSTINVERT);
             PatBlt(C.Handle(), 0, 0, 4, 4, PATINVERT);
             BitBlt(C.Handle(), 0, 0, 3, 2, source.Canvas().Handle(), 0, 0, SRCINVERT);
             BitBlt(C.Handle(), 0, 0, 3, 2, source.Canvas().Handle(), 0, 0, SRCAND);
         },
         {"Unclip"}},
        {"plain copies of pictures",
         [&](TCanvas& C) {
             BitBlt(C.Handle(), 0, 0, 3, 2, source.Canvas().Handle(), 0, 0, SRCCOPY);
             C.Draw(1, 1, source);
             C.StretchDraw(Rect(0, 0, 9, 9), source);
         },
         {"Unclip", "Picture3x2", "Picture3x2", "Picture3x2"}},
        {"a picture drawn through another copy mode",
         [&](TCanvas& C) {
             C.SetCopyMode(SRCAND);
             C.Draw(1, 1, source);
         },
         {"Unclip"}},
        {"text and its clip",
         [](TCanvas& C) {
             C.TextOut(0, 0, "one");
             C.IntersectClipRect(Rect(0, 0, 9, 9));
             C.TextOut(0, 0, "two");
             C.TextOut(0, 9, "three");
             C.SelectClipRgn(nullptr);
             C.TextOut(0, 0, "four");
         },
         {"Unclip", "Text one", "Clip", "Text two", "Text three", "Unclip", "Text four"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap bitmap;
        bitmap.SetSize(20, 20);
        TLoggingTarget target;
        ReplayPage(Recorded(bitmap, c.Draw), target);
        EXPECT_EQ(target.Log, c.Expected);
    }
}

TEST(PageReplay, APictureCarriesItsPixelsOnlyToAnAttachedRecorderOfPrimitives) {
    TBitmap picture;
    picture.SetSize(2, 2);
    picture.Canvas().SetPixels(0, 0, clRed);
    picture.Canvas().SetPixels(1, 0, clLime);
    picture.Canvas().SetPixels(0, 1, clWhite);  // the bottom-left pixel: transparent
    picture.Canvas().SetPixels(1, 1, clBlue);
    picture.SetTransparent(true);
    TBitmap bitmap;
    bitmap.SetSize(8, 8);
    TCanvas canvas(bitmap);
    {
        TCanvasRecorder outermost(canvas);
        canvas.Draw(0, 0, picture);
        ASSERT_EQ(outermost.Calls().size(), 1u);
        EXPECT_EQ(outermost.Calls()[0].Picture, nullptr);
    }
    TCanvasRecorder primitives(canvas, TRecordLevel::Primitives);
    canvas.Draw(0, 0, picture);
    const auto& drawn = primitives.Calls().at(0).Picture;
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->Pixels,
              (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0x00000000, 0xFF0000FF}));
}

// Each drawing, replayed onto a page at the resolution it was drawn at, gives the pixels the
// canvas drew, to the pixel.
TEST(PageReplay, OntoACanvasAtTheSameResolutionGivesTheSamePixels) {
    TBitmap picture;
    picture.SetSize(4, 3);
    picture.Canvas().Brush().SetColor(clNavy);
    picture.Canvas().FillRect(Rect(1, 0, 4, 3));
    picture.SetTransparentColor(clWhite);
    picture.SetTransparent(true);
    TBitmap columns;
    columns.SetSize(4, 3);
    for (int32_t x = 0; x < 4; ++x) {
        columns.Canvas().Brush().SetColor(std::array{clRed, clLime, clBlue, clYellow}[x]);
        columns.Canvas().FillRect(Rect(x, 0, x + 1, 3));
    }
    // Its colours are the first a page looks at for the pixels a picture leaves out.
    TBitmap keyed;
    keyed.SetSize(4, 1);
    for (const auto& [x, color] :
         {std::pair{0, clWhite}, {1, clFuchsia}, {2, TColor{0x0001FF}}, {3, clWhite}})
        keyed.Canvas().SetPixels(x, 0, color);
    keyed.SetTransparentColor(clWhite);
    keyed.SetTransparent(true);
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
    };
    const std::vector<TCase> cases = {
        {"lines",
         [](TCanvas& C) {
             C.MoveTo(3, 4), C.LineTo(90, 40);
             C.Pen().SetStyle(psDashDot);
             C.MoveTo(3, 50), C.LineTo(110, 50);
             C.Pen().SetStyle(psSolid);
             C.Pen().SetWidth(5);
             C.Pen().SetColor(clMaroon);
             C.Polyline({Point(10, 60), Point(60, 90), Point(100, 62)});
         }},
        {"shapes",
         [](TCanvas& C) {
             C.Brush().SetColor(clYellow);
             C.Rectangle(2, 2, 40, 30);
             C.Pen().SetWidth(3);
             C.Ellipse(50, 5, 110, 45);
             C.RoundRect(5, 50, 70, 90, 16, 12);
             C.Polygon({Point(80, 50), Point(115, 95), Point(75, 95)});
         }},
        {"fills and pixels",
         [](TCanvas& C) {
             C.Brush().SetColor(clTeal);
             C.FillRect(Rect(5, 5, 50, 40));
             C.Brush().SetColor(clRed);
             C.FrameRect(Rect(60, 5, 100, 40));
             C.SetPixels(7, 80, clGreen);
             C.SetPixels(8, 81, clPurple);
         }},
        {"text",
         [](TCanvas& C) {
             C.Font().SetName("Arial");
             C.Font().SetSize(11);
             C.TextOut(4, 3, "Plain text \xE9t\xE9");
             C.Brush().SetColor(clAqua);
             C.TextRect(Rect(10, 30, 60, 42), 5, 28, "Clipped in a box");
             C.Font().SetStyle(TFontStyles{fsUnderline, fsStrikeOut, fsBold});
             C.Brush().SetStyle(bsClear);
             C.SetTextAlign(TA_RIGHT | TA_BASELINE);
             C.TextOut(115, 70, "Right");
             C.SetTextAlign(0);
             C.Font().SetOrientation(900);
             C.TextOut(100, 110, "Up");
         }},
        {"a picture and a clip",
         [&](TCanvas& C) {
             C.Draw(5, 5, picture);
             C.StretchDraw(Rect(20, 10, 60, 40), picture);
             C.IntersectClipRect(Rect(30, 50, 80, 80));
             C.Brush().SetColor(clOlive);
             C.Ellipse(10, 40, 110, 100);
         }},
        {"pictures mirrored by rectangles that run backwards",
         [&](TCanvas& C) {
             C.StretchDraw(Rect(60, 10, 20, 40), picture);
             C.StretchDraw(Rect(70, 90, 110, 50), picture);
             StretchBlt(&C, 5, 50, 40, 30, &picture.Canvas(), 4, 0, -4, 3, SRCCOPY);
             StretchBlt(&C, 110, 5, -40, 30, &picture.Canvas(), 0, 0, 4, 3, SRCCOPY);
         }},
        {"a picture that leaves pixels out and has the colours looked at for them",
         [&](TCanvas& C) {
             C.Brush().SetColor(clGreen);
             C.FillRect(Rect(0, 0, 60, 40));
             C.StretchDraw(Rect(10, 10, 50, 20), keyed);
             C.Draw(5, 30, keyed);
         }},
        // At whole scales, where the part on the bitmap lands on whole pixels.
        {"copies whose source reaches off its bitmap",
         [&](TCanvas& C) {
             StretchBlt(&C, 5, 5, 30, 30, &columns.Canvas(), 0, 0, -3, 3, SRCCOPY);
             StretchBlt(&C, 40, 5, 30, 30, &columns.Canvas(), 2, 0, -6, 3, SRCCOPY);
             StretchBlt(&C, 75, 5, 32, 30, &columns.Canvas(), 6, 0, -4, 3, SRCCOPY);
             StretchBlt(&C, 5, 50, 30, 30, &columns.Canvas(), -2, 0, 6, 3, SRCCOPY);
             StretchBlt(&C, 40, 50, 32, 30, &columns.Canvas(), 0, 1, 4, -3, SRCCOPY);
             StretchBlt(&C, 105, 50, -30, 30, &columns.Canvas(), 1, 0, -5, 3, SRCCOPY);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap drawn;
        drawn.SetSize(120, 100);
        const TPrintedPage page = Recorded(drawn, c.Draw);
        TPageFormat format;
        format.PixelsPerInch = 96;
        format.Paper = format.Printable = TSize{120, 100};
        TBitmap replayed;
        RenderPage(page, format, 96, replayed);
        int32_t differ = 0;
        for (int32_t y = 0; y < 100; ++y)
            for (int32_t x = 0; x < 120; ++x)
                differ += drawn.ScanLine(y)[x] != replayed.ScanLine(y)[x];
        EXPECT_EQ(differ, 0);
    }
}

TEST(PageReplay, ASheetHasItsDrawingFromThePrintableCornerOnAndNothingOutsideIt) {
    TBitmap scratch;
    scratch.SetSize(1, 1);
    const TPrintedPage page = Recorded(scratch, [](TCanvas& C) {
        C.Brush().SetColor(clBlack);
        C.FillRect(Rect(-50, -50, 500, 500));
    });
    TPageFormat format;
    format.PixelsPerInch = 200;
    format.Paper = TSize{400, 300};
    format.PrintableOffset = Point(40, 20);
    format.Printable = TSize{300, 240};
    TBitmap sheet;
    RenderPage(page, format, 100, sheet);
    ASSERT_EQ(sheet.Width(), 200);
    ASSERT_EQ(sheet.Height(), 150);
    for (const auto& [x, y, ink] :
         std::vector<std::tuple<int32_t, int32_t, bool>>{{19, 30, false},
                                                         {20, 10, true},
                                                         {20, 9, false},
                                                         {169, 129, true},
                                                         {170, 129, false},
                                                         {169, 130, false}})
        EXPECT_EQ(sheet.ScanLine(y)[x] == 0, ink) << x << "," << y;
}

}  // namespace
}  // namespace vex
