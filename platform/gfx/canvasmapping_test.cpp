#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/rasterops.h"

namespace vex {
namespace {

using Rows = std::vector<std::string>;

// A line of mapmode.txt: a change of the mapping, or any drawing of canvas.txt.
void DrawMappedLine(TCanvas& C, const test::TestCase& Line) {
    const auto n = [&](size_t I) { return static_cast<int32_t>(Line.Int(I)); };
    if (Line[0] == "MapMode")
        C.SetMapMode(n(1));
    else if (Line[0] == "PixelsPerInch")
        C.SetPixelsPerInch(n(1), n(2));
    else if (Line[0] == "WindowOrg")
        C.SetWindowOrg(Point(n(1), n(2)));
    else if (Line[0] == "ViewportOrg")
        C.SetViewportOrg(Point(n(1), n(2)));
    else
        DrawCaseLine(C, Line);
}

// Sizes the bitmap to the picture, with a red pen and a blue brush.
void PrepareFor(TBitmap& Bitmap, const Rows& Expected) {
    Bitmap.SetSize(static_cast<int32_t>(Expected[0].size()), static_cast<int32_t>(Expected.size()));
    Bitmap.Canvas().Pen().SetColor(clRed);
    Bitmap.Canvas().Brush().SetColor(clBlue);
}

TEST(CanvasMapping, MappedShapesPaintTheirPictures) {
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/mapmode.txt")) {
        SCOPED_TRACE(b.Name);
        TBitmap bitmap;
        PrepareFor(bitmap, b.Parts.at(0));
        for (const std::string& line : b.Parts.at(1))
            DrawMappedLine(bitmap.Canvas(), test::CaseOf(line, b.Where));
        EXPECT_EQ(PictureOf(bitmap), b.Parts.at(0));
    }
}

// At 254 dpi a tenth of a millimetre is a pixel, so every picture of the text mode comes out the
// same in the metric mode with its y turned over: rectangles normalised, lines leaving out the
// same end pixel, pens and brushes alike.
TEST(CanvasMapping, TheMetricModeAt254DpiIsTheTextModeUpsideDown) {
    const auto yFields = [](const std::string& Op) -> std::vector<size_t> {
        if (Op == "MoveTo" || Op == "LineTo") return {2};
        if (Op == "FillRectWith") return {3, 5};
        if (Op == "Rectangle" || Op == "FillRect" || Op == "FrameRect" || Op == "Ellipse" ||
            Op == "RoundRect")
            return {2, 4};
        return {};
    };
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/canvas.txt")) {
        SCOPED_TRACE(b.Name);
        TBitmap bitmap;
        PrepareFor(bitmap, b.Parts.at(0));
        bitmap.Canvas().SetMapMode(MM_LOMETRIC);
        bitmap.Canvas().SetPixelsPerInch(254, 254);
        for (const std::string& text : b.Parts.at(1)) {
            test::TestCase line = test::CaseOf(text, b.Where);
            std::vector<size_t> ys = yFields(line[0]);
            for (size_t i = 2; line[0] == "Polygon" && i < line.size(); i += 2)
                ys.push_back(i);
            for (size_t i : ys)
                line.Fields[i] = std::to_string(-line.Int(i));
            DrawCaseLine(bitmap.Canvas(), line);
        }
        EXPECT_EQ(PictureOf(bitmap), b.Parts.at(0));
    }
}

TEST(CanvasMapping, LogicalPointsLandWhereTheMappingSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/mapping.txt")) {
        SCOPED_TRACE(c.Where);
        const auto n = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        TBitmap bitmap;
        TCanvas& canvas = bitmap.Canvas();
        ASSERT_EQ(SetMapMode(canvas.Handle(), n(0)), MM_TEXT);
        canvas.SetPixelsPerInch(n(1), n(2));
        SetWindowOrgEx(canvas.Handle(), n(3), n(4), nullptr);
        SetViewportOrgEx(canvas.Handle(), n(5), n(6), nullptr);
        TPoint p = Point(n(7), n(8));
        ASSERT_TRUE(LPtoDP(canvas.Handle(), &p, 1));
        EXPECT_EQ(p, Point(n(9), n(10)));
        EXPECT_EQ(GetDeviceCaps(canvas.Handle(), LOGPIXELSX), n(1));
        EXPECT_EQ(GetDeviceCaps(canvas.Handle(), LOGPIXELSY), n(2));
    }
}

// Going through the coarser of the two units loses at most half of one of its steps, and going
// through the finer one loses nothing.
TEST(CanvasMapping, PointsSurviveTheRoundTripWithinHalfAStepOfTheCoarserUnit) {
    for (const int32_t dpi : {96, 127, 254, 300, 600}) {
        SCOPED_TRACE(dpi);
        TBitmap bitmap;
        TCanvas& canvas = bitmap.Canvas();
        canvas.SetMapMode(MM_LOMETRIC);
        canvas.SetPixelsPerInch(dpi, dpi);
        canvas.SetWindowOrg(Point(37, -11));
        canvas.SetViewportOrg(Point(5, 900));
        const int32_t unitSlack = dpi < 254 ? (254 + dpi) / (2 * dpi) : 0;
        const int32_t pixelSlack = dpi > 254 ? (dpi + 254) / (2 * 254) : 0;
        for (int32_t v = -1000; v <= 1000; v += 7) {
            const TPoint logical = Point(v, -2 * v), device = Point(-v, v / 3);
            const TPoint back = canvas.DPtoLP(canvas.LPtoDP(logical));
            EXPECT_LE(std::abs(back.X - logical.X), unitSlack) << v;
            EXPECT_LE(std::abs(back.Y - logical.Y), unitSlack) << v;
            const TPoint again = canvas.LPtoDP(canvas.DPtoLP(device));
            EXPECT_LE(std::abs(again.X - device.X), pixelSlack) << v;
            EXPECT_LE(std::abs(again.Y - device.Y), pixelSlack) << v;
        }
    }
}

TEST(CanvasMapping, RefusesWhatItCannotMap) {
    TBitmap bitmap;
    TCanvas& canvas = bitmap.Canvas();
    EXPECT_EQ(canvas.SetMapMode(3), 0);
    EXPECT_EQ(canvas.MapMode(), MM_TEXT);
    for (const int32_t dpi : {0, -1, MaxPixelsPerInch + 1}) {
        EXPECT_THROW(canvas.SetPixelsPerInch(dpi, 96), EInvalidGraphicOperation);
        EXPECT_THROW(canvas.SetPixelsPerInch(96, dpi), EInvalidGraphicOperation);
    }
    EXPECT_EQ(canvas.PixelsPerInchX(), ScreenPixelsPerInch);
    EXPECT_EQ(GetDeviceCaps(canvas.Handle(), 12345), 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}

// The mapping is drawing state: SaveDC keeps it and a reset drops it; the resolution belongs to
// the device and stays.
TEST(CanvasMapping, SavedStatesKeepTheMappingAndTheDeviceKeepsItsResolution) {
    TBitmap bitmap;
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetPixelsPerInch(300, 300);
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.SetWindowOrg(Point(5, 6));
    const int32_t saved = canvas.SaveDC();
    canvas.SetMapMode(MM_TEXT);
    canvas.SetWindowOrg(Point(0, 0));
    canvas.RestoreDC(saved);
    EXPECT_TRUE(canvas.Mapped());
    EXPECT_EQ(canvas.LPtoDP(Point(5, 6 - 254)), Point(0, 300));
    canvas.ResetState();
    EXPECT_FALSE(canvas.Mapped());
    EXPECT_EQ(canvas.PixelsPerInchY(), 300);
}

TEST(CanvasMapping, ClipsAreGivenAndAnsweredInLogicalUnits) {
    TBitmap bitmap;
    bitmap.SetSize(40, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.SetPixelsPerInch(127, 127);
    EXPECT_EQ(canvas.IntersectClipRect(Rect(20, -20, 60, -60)), SIMPLEREGION);
    TRect box;
    EXPECT_EQ(canvas.GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(20, -20, 60, -60));
    EXPECT_TRUE(canvas.PtVisible(20, -20));
    EXPECT_FALSE(canvas.PtVisible(18, -20));
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(Rect(-100, 100, 100, -100));
    EXPECT_EQ(InkBounds(bitmap, clBlue), Rect(10, 10, 30, 30));
    EXPECT_EQ(canvas.ExcludeClipRect(Rect(20, -20, 40, -40)), COMPLEXREGION);
    EXPECT_EQ(canvas.Pixels(20, -20), -1);
}

// Copies land upright whichever way the logical y runs: a rectangle is normalised, and a
// picture drawn at a point hangs down the page from it.
TEST(CanvasMapping, CopiesAreNeverTurnedOverByTheMapping) {
    TBitmap picture;
    PaintPicture(picture, {"rb", "gk"});
    TBitmap page;
    page.SetSize(7, 4);
    TCanvas& canvas = page.Canvas();
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.SetPixelsPerInch(254, 254);
    canvas.StretchDraw(Rect(0, 0, 2, -2), picture);
    canvas.Draw(0, -2, picture);
    BitBlt(canvas.Handle(), 3, -2, 2, 2, picture.Canvas().Handle(), 0, 0, SRCCOPY);
    canvas.CopyRect(Rect(5, -2, 7, -4), picture.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(PictureOf(page), (Rows{"rb.rb..", "gk.gk..", "rb...rb", "gk...gk"}));
}

// What a recorder sees is where the pixels go, so that a page of calls replays at its device's
// resolution.
TEST(CanvasMapping, RecordedCallsAreInTheBitmapsCoordinates) {
    TBitmap bitmap;
    bitmap.SetSize(20, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetOrigin(Point(3, 4));
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.SetPixelsPerInch(127, 127);
    TCanvasRecorder recorder(canvas);
    canvas.FillRect(Rect(0, 0, 10, -6));
    canvas.MoveTo(2, -2);
    canvas.Pen().SetWidth(6);
    canvas.LineTo(10, -2);
    DrawFocusRect(canvas.Handle(), Rect(0, 0, 10, -6));
    canvas.RoundRect(0, 0, 20, -20, 8, -6);
    ASSERT_EQ(recorder.Calls().size(), 4u);
    EXPECT_EQ(GeometryOf(recorder.Calls()[0]), "FillRect 3,4,8,7");
    EXPECT_EQ(GeometryOf(recorder.Calls()[1]), "LineTo 4,5;8,5");
    EXPECT_EQ(recorder.Calls()[1].PenWidth, 3);
    EXPECT_EQ(GeometryOf(recorder.Calls()[2]), "DrawFocusRect 3,4,8,7");
    // The corner is a size: in pixels too, without direction.
    EXPECT_EQ(GeometryOf(recorder.Calls()[3]), "RoundRect 3,4,13,14 4,3");
}

class MappedText : public ::testing::Test {
protected:
    // Mode, resolution and font height from the first three fields of Case.
    void Use(const test::TestCase& Case) {
        Use(static_cast<int32_t>(Case.Int(0)), static_cast<int32_t>(Case.Int(1)),
            static_cast<int32_t>(Case.Int(2)));
    }
    void Use(int32_t Mode, int32_t Dpi, int32_t Height) {
        Bitmap.SetSize(40, 40);
        Canvas().SetMapMode(Mode);
        Canvas().SetPixelsPerInch(Dpi, Dpi);
        Canvas().Font().SetName(FixedFontName);
        Canvas().Font().SetHeight(Height);
        Canvas().Font().SetColor(clBlack);
        Canvas().Brush().SetStyle(bsClear);
    }
    TCanvas& Canvas() { return Bitmap.Canvas(); }
    static std::vector<test::TestCase> Cases(const std::string& Table) {
        return test::ReadCases(VEX_TEST_DIR "/testdata/mappedtext.txt", Table);
    }

    TBitmap Bitmap;
};

TEST_F(MappedText, ExtentsAndMetricsAreInLogicalUnits) {
    for (const test::TestCase& c : Cases("extent")) {
        SCOPED_TRACE(c.Where);
        Use(c);
        const TSize extent{static_cast<int32_t>(c.Int(4)), static_cast<int32_t>(c.Int(5))};
        TSize size;
        GetTextExtentPoint(Canvas().Handle(), c[3], size);
        EXPECT_EQ(size, extent);
        TTextMetric tm;
        GetTextMetrics(Canvas().Handle(), tm);
        EXPECT_EQ(tm.tmHeight, extent.cy);
        EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    }
}

TEST_F(MappedText, TextHangsDownThePageFromItsLogicalTop) {
    for (const test::TestCase& c : Cases("place")) {
        SCOPED_TRACE(c.Where);
        Use(c);
        Canvas().SetTextAlign(static_cast<uint32_t>(c.Int(3)));
        Canvas().TextOut(static_cast<int32_t>(c.Int(4)), static_cast<int32_t>(c.Int(5)), "x");
        EXPECT_EQ(InkBounds(Bitmap, clBlack), Rect(2, 3, 6, 9));
    }
}

TEST_F(MappedText, UpdatingThePenPositionCarriesOnInLogicalUnits) {
    Use(MM_LOMETRIC, 127, -16);
    Canvas().SetTextAlign(TA_UPDATECP);
    Canvas().MoveTo(4, -6);
    Canvas().TextOut(0, 0, "ab");
    EXPECT_EQ(Canvas().PenPos(), Point(20, -6));
    Canvas().TextOut(0, 0, "c");
    EXPECT_EQ(InkBounds(Bitmap, clBlack), Rect(2, 3, 14, 9));
}

// Text that moves the pen nowhere (none at all, or centred on it) leaves it where it was, even
// between the pixels.
TEST_F(MappedText, ThePenStaysPutWhenTheTextDoesNotMoveIt) {
    const struct {
        uint32_t Align;
        const char* Text;
    } cases[] = {{TA_UPDATECP, ""}, {TA_UPDATECP | TA_CENTER, "ab"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        Use(MM_LOMETRIC, 96, -40);
        Canvas().SetTextAlign(c.Align);
        Canvas().MoveTo(1, -1);
        Canvas().TextOut(0, 0, c.Text);
        EXPECT_EQ(Canvas().PenPos(), Point(1, -1));
    }
}

TEST_F(MappedText, DrawTextLaysLinesDownThePage) {
    Use(MM_LOMETRIC, 127, -16);
    TRect r = Rect(0, 0, 80, -80);
    EXPECT_EQ(DrawText(Canvas().Handle(), "ab\ncd", r, DT_LEFT), 32);
    EXPECT_EQ(InkBounds(Bitmap, clBlack), Rect(0, 0, 8, 14));
    TRect calc = Rect(2, -4, 200, -200);
    EXPECT_EQ(DrawText(Canvas().Handle(), "abc\nd", calc, DT_CALCRECT), 32);
    EXPECT_EQ(calc, Rect(2, -4, 26, -36));
}

// Edges and frame controls are rows of single pixels: under the metric mode they land as in
// the text mode on the pixels the rectangle covers, and BF_ADJUST answers logical units.
TEST(CanvasMapping, EdgesAndFrameControlsAreDrawnInPixelsInsideTheirRectangle) {
    const auto draw = [](TCanvas& C, TRect R) {
        TRect edge = R;
        DrawEdge(C.Handle(), edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
        TRect box = R;
        OffsetRect(box, 0, R.Top < R.Bottom ? 12 : -24);
        DrawFrameControl(C.Handle(), box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        return edge;
    };
    TBitmap plain;
    plain.SetSize(12, 24);
    const TRect plainEdge = draw(plain.Canvas(), Rect(0, 0, 12, 12));
    EXPECT_EQ(plainEdge, Rect(2, 2, 10, 10));
    TBitmap mapped;
    mapped.SetSize(12, 24);
    mapped.Canvas().SetMapMode(MM_LOMETRIC);
    mapped.Canvas().SetPixelsPerInch(127, 127);
    EXPECT_EQ(draw(mapped.Canvas(), Rect(0, 0, 24, -24)), Rect(4, -4, 20, -20));
    EXPECT_EQ(PixelsOf(mapped), PixelsOf(plain));
}

// A ruled table on a page of A5 in tenths of a millimetre, with a title and a text in every
// cell; the same logical drawing at any resolution.
void DrawRuledPage(TCanvas& C) {
    C.SetMapMode(MM_LOMETRIC);
    C.Brush().SetColor(clWhite);
    C.FillRect(Rect(0, 0, 1480, -2100));
    C.Brush().SetStyle(bsClear);
    C.Font().SetName("Arial");
    C.Font().SetColor(clBlack);
    C.Font().SetHeight(-60);
    C.TextOut(150, -100, "Subject rules");
    C.Font().SetHeight(-35);
    C.Pen().SetWidth(3);
    for (int32_t row = 0; row <= 12; ++row) {
        C.MoveTo(150, -250 - row * 120);
        C.LineTo(1330, -250 - row * 120);
    }
    for (int32_t col = 0; col <= 5; ++col) {
        C.MoveTo(150 + col * 236, -250);
        C.LineTo(150 + col * 236, -1690);
    }
    for (int32_t row = 0; row < 12; ++row)
        for (int32_t col = 0; col < 5; ++col) {
            TRect cell = Rect(150 + col * 236, -250 - row * 120, 386 + col * 236, -370 - row * 120);
            DrawText(C.Handle(), "Cell " + std::to_string(row + 1) + "." + std::to_string(col + 1),
                     cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
}

TEST(CanvasMapping, ARuledPageLandsInPlaceAt96And300Dpi) {
    for (const int32_t dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        TBitmap page;
        page.SetSize(1480 * dpi / 254, 2100 * dpi / 254);
        TCanvas& canvas = page.Canvas();
        canvas.SetPixelsPerInch(dpi, dpi);
        DrawRuledPage(canvas);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            page.SaveToFile(std::string(dir) + "/ruledpage-" + std::to_string(dpi) + ".png");
        // Every rule is drawn along its whole length where the mapping puts it.
        const auto ruled = [&](TPoint From, TPoint To) {
            const TPoint a = canvas.LPtoDP(From), b = canvas.LPtoDP(To);
            for (TPoint p = a; p.X < b.X || p.Y < b.Y; p.X += a.Y == b.Y, p.Y += a.X == b.X)
                if (page.ScanLine(p.Y)[p.X] != 0) return false;
            return true;
        };
        for (int32_t i = 0; i <= 12; ++i)
            EXPECT_TRUE(ruled(Point(150, -250 - i * 120), Point(1330, -250 - i * 120))) << i;
        for (int32_t i = 0; i <= 5; ++i)
            EXPECT_TRUE(ruled(Point(150 + i * 236, -250), Point(150 + i * 236, -1690))) << i;
        // The ink spans the title's top to the table's last rule, the pen's half width beyond.
        const int32_t half = canvas.Mapping().PenWidthToDevice(3) / 2;
        const TRect ink = InkBounds(page, [](uint32_t P) { return P == 0; });
        const TRect table = canvas.LPtoDP(Rect(150, -250, 1330, -1690));
        EXPECT_NEAR(ink.Left, table.Left - half, 1);
        EXPECT_NEAR(ink.Right, table.Right + half, 2);
        EXPECT_NEAR(ink.Bottom, table.Bottom + half, 2);
        const TRect title = canvas.LPtoDP(Rect(150, -100, 150, -160));
        EXPECT_GE(ink.Top, title.Top);
        EXPECT_LT(ink.Top, title.Bottom);
    }
}

// Coordinates at the ends of the 32-bit range, scaled up 37 times, stay within bounds.
TEST(CanvasMapping, HugeCoordinatesAtTheHighestResolutionStayOnTheBitmap) {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas().SetMapMode(MM_LOMETRIC);
    bitmap.Canvas().SetPixelsPerInch(MaxPixelsPerInch, MaxPixelsPerInch);
    bitmap.Canvas().SetViewportOrg(Point(INT32_MAX, INT32_MIN));
    for (const test::TestCase& line : test::ReadCases(VEX_TEST_DIR "/testdata/hugedrawing.txt"))
        DrawCaseLine(bitmap.Canvas(), line);
    TRect r = Rect(INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN);
    DrawText(bitmap.Canvas().Handle(), "far", r, DT_WORDBREAK);
    SUCCEED();
}

}  // namespace
}  // namespace vex
