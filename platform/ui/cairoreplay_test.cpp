#include "platform/ui/cairoreplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"

namespace vex {
namespace {

constexpr int32_t Width = 160, Height = 120;

struct TBox {
    int32_t Left = Width, Top = Height, Right = 0, Bottom = 0;
};

// Where anything darker than the paper lies.
template <typename TPixel>
TBox InkBox(TPixel&& Pixel) {
    TBox box;
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x) {
            const uint32_t p = Pixel(x, y);
            if (std::min({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF}) >= 160) continue;
            box.Left = std::min(box.Left, x);
            box.Top = std::min(box.Top, y);
            box.Right = std::max(box.Right, x + 1);
            box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
}

// What Draw puts on Drawn, a bitmap of the test's size, as the printer's recorder keeps it.
TPrintedPage DrawnPage(const std::function<void(TCanvas&)>& Draw, TBitmap& Drawn) {
    Drawn.SetSize(Width, Height);
    TCanvas canvas(Drawn);
    TCanvasRecorder recorder(canvas, TRecordLevel::Primitives);
    Draw(canvas);
    return TPrintedPage{recorder.TakeCalls()};
}

// The same page drawn by the canvas and replayed onto cairo puts its ink in the same place: text
// placed, turned and clipped as the canvas placed it, shapes over the same pixels.
TEST(CairoReplay, PutsInkWhereTheCanvasDrewIt) {
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
    };
    const std::vector<TCase> cases = {
        {"text aligned right on its baseline",
         [](TCanvas& C) {
             C.Font().SetName("Arial");
             C.Font().SetHeight(-20);
             C.SetTextAlign(TA_RIGHT | TA_BASELINE);
             C.TextOut(150, 60, "Aligned");
         }},
        {"text turned a quarter",
         [](TCanvas& C) {
             C.Font().SetName("Times New Roman");
             C.Font().SetHeight(-18);
             C.Font().SetOrientation(900);
             C.TextOut(40, 110, "Upwards");
         }},
        {"text clipped to its box",
         [](TCanvas& C) {
             C.Font().SetHeight(-40);
             C.Brush().SetStyle(bsClear);
             C.TextRect(Rect(20, 20, 70, 50), 10, 10, "WWWWWW");
         }},
        {"underlined text of the built-in font",
         [](TCanvas& C) {
             C.Font().SetName(FixedFontName);
             C.Font().SetHeight(16);
             C.Font().SetStyle(TFontStyles{fsUnderline});
             C.TextOut(30, 40, "Blocks");
         }},
        {"shapes and a wide line",
         [](TCanvas& C) {
             C.Brush().SetColor(clNavy);
             C.Ellipse(10, 10, 70, 50);
             C.Pen().SetWidth(4);
             C.RoundRect(80, 60, 150, 110, 20, 20);
             C.MoveTo(5, 100);
             C.LineTo(60, 115);
         }},
        {"a clip region",
         [](TCanvas& C) {
             C.IntersectClipRect(Rect(30, 30, 90, 70));
             C.Brush().SetColor(clBlack);
             C.FillRect(Rect(0, 0, Width, Height));
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap drawn;
        const TPrintedPage page = DrawnPage(c.Draw, drawn);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        TCairoFonts fonts;
        {
            TCairoPageTarget target(cr, fonts);
            ReplayPage(page, target);
        }
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const TBox replayed = InkBox([&](int32_t X, int32_t Y) {
            return reinterpret_cast<const uint32_t*>(data + Y * stride)[X];
        });
        const TBox canvas = InkBox([&](int32_t X, int32_t Y) { return drawn.ScanLine(Y)[X]; });
        cairo_surface_destroy(surface);
        EXPECT_NEAR(replayed.Left, canvas.Left, 1);
        EXPECT_NEAR(replayed.Top, canvas.Top, 1);
        EXPECT_NEAR(replayed.Right, canvas.Right, 1);
        EXPECT_NEAR(replayed.Bottom, canvas.Bottom, 1);
    }
}

// A call the canvas takes in its stride must not put the cairo context into an error state:
// every later call of the page, and the page itself, would be lost with it.
TEST(CairoReplay, AwkwardCallsLeaveTheContextDrawing) {
    struct TCase {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
    };
    TBitmap red;
    red.SetSize(4, 4);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect(Rect(0, 0, 4, 4));
    const std::vector<TCase> cases = {
        {"a picture stretched to no width",
         [&](TCanvas& C) { C.StretchDraw(Rect(10, 10, 10, 40), red); }},
        {"a picture stretched to no height",
         [&](TCanvas& C) { C.StretchDraw(Rect(10, 10, 40, 10), red); }},
        {"text with control characters",
         [](TCanvas& C) {
             C.Font().SetName("Arial");
             C.TextOut(10, 10, std::string("a\0b\tc\x81\x7f\r\n", 10));
         }},
        {"an empty opaque text box",
         [](TCanvas& C) {
             const TRect r = Rect(5, 5, 50, 30);
             C.ExtTextOut(5, 5, ETO_OPAQUE | ETO_CLIPPED, &r, "");
         }},
        {"a shape turned inside out", [](TCanvas& C) { C.RoundRect(60, 60, 10, 10, -30, -30); }},
        {"a dotted outline",
         [](TCanvas& C) {
             C.Pen().SetStyle(psDot);
             C.Rectangle(10, 10, 50, 50);
         }},
        {"a huge pen",
         [](TCanvas& C) {
             C.Pen().SetWidth(1 << 30);
             C.MoveTo(0, 0);
             C.LineTo(10, 10);
         }},
        {"far away lines",
         [](TCanvas& C) {
             C.MoveTo(-2000000000, 0);
             C.LineTo(2000000000, 10);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap drawn;
        const TPrintedPage page = DrawnPage(c.Draw, drawn);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
        cairo_t* cr = cairo_create(surface);
        TCairoFonts fonts;
        {
            TCairoPageTarget target(cr, fonts);
            ReplayPage(page, target);
        }
        EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS)
            << cairo_status_to_string(cairo_status(cr));
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
}

TEST(CairoReplay, FacesAreMadeOncePerFileAndNoneForTheBuiltInFont) {
    TLogFont regular;
    regular.lfFaceName = "Arial";
    regular.lfHeight = -12;
    TLogFont larger = regular;
    larger.lfHeight = -30;
    TLogFont builtIn = regular;
    builtIn.lfFaceName = FixedFontName;
    TCairoFonts fonts;
    const auto* small = fonts.Face(RealizeFont(regular));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(fonts.Face(RealizeFont(larger)), small);
    EXPECT_EQ(fonts.Face(RealizeFont(builtIn)), nullptr);
    // The glyph of each character is the face's own, not a missing glyph.
    EXPECT_NE(small->Glyphs['A'], 0u);
    EXPECT_NE(small->Glyphs[0xE9], 0u);  // e acute
}

}  // namespace
}  // namespace vex
