// What our printer layer costs over its back end: 100 pages of a 10-column table (rule lines,
// shaded rows, a text in every cell) printed on the PDF printer, whose canvas's calls are
// recorded a page at a time and replayed onto cairo's PDF surface, against cairo drawing the
// same texts, lines and fills straight onto its own PDF surface, in the same face and pixel
// size. Both write their file to the same folder. Printed at the end: the ratio of our time to
// cairo's.

#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/fontengine.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/printer.h"
#include "platform/win/x11/x11text.h"

namespace {

// A4 at 600 pixels per inch, laid out in its pixels: 15 mm margins, 6 mm rows.
constexpr int32_t kPixelsPerInch = 600;
constexpr int32_t kPaperWidth = 4961, kPaperHeight = 7016;
constexpr int32_t kPages = 100, kColumns = 10, kRowsPerPage = 45;
constexpr int32_t kMargin = 354, kRowHeight = 142, kHeader = 190;
constexpr int32_t kColumnWidth = (kPaperWidth - 2 * kMargin) / kColumns;
constexpr int32_t kFontHeight = -83;  // 3.5 mm
constexpr vex::TColor kShade = 0xEEEEEE;

std::string Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/printpdf-bench-XXXXXX";
        return std::string(::mkdtemp(pattern) ? pattern : "/tmp");
    }();
    return folder;
}

std::string CellText(int32_t Row, int32_t Column) {
    return "R" + std::to_string(Row) + "C" + std::to_string(Column);
}

int32_t RowTop(int32_t Row) {
    return kMargin + kHeader + Row * kRowHeight;
}

// What both painters draw on page Page, given how each draws a fill, a line and a text.
template <typename TFill, typename TLine, typename TText>
void DrawPage(int32_t Page, TFill&& Fill, TLine&& Line, TText&& Text) {
    Text(kPaperWidth - kMargin - 600, kMargin, "page " + std::to_string(Page + 1));
    const int32_t right = kMargin + kColumns * kColumnWidth;
    for (int32_t r = 0; r < kRowsPerPage; r += 2)
        Fill(kMargin, RowTop(r), right, RowTop(r + 1));
    for (int32_t r = 0; r <= kRowsPerPage; ++r)
        Line(kMargin, RowTop(r), right, RowTop(r));
    for (int32_t c = 0; c <= kColumns; ++c)
        Line(kMargin + c * kColumnWidth, RowTop(0), kMargin + c * kColumnWidth,
             RowTop(kRowsPerPage));
    for (int32_t r = 0; r < kRowsPerPage; ++r)
        for (int32_t c = 0; c < kColumns; ++c)
            Text(kMargin + c * kColumnWidth + 40, RowTop(r) + 25,
                 CellText(Page * kRowsPerPage + r + 1, c + 1));
}

std::map<std::string, double> gBest;

template <typename TPass>
void Measure(benchmark::State& State, const std::string& Name, TPass Pass) {
    double& best = gBest[Name];
    best = 1e9;
    for (auto _ : State) {
        const auto start = std::chrono::steady_clock::now();
        Pass();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void BM_PrintTableToPdf(benchmark::State& State) {
    vex::TPrinter printer;
    auto device = std::make_unique<vex::TPdfPrinter>();
    device->SetFileName(Folder() + "/ours.pdf");
    std::vector<std::unique_ptr<vex::TPrinterDevice>> devices;
    devices.push_back(std::move(device));
    printer.SetDevices(std::move(devices));
    vex::TCanvas& canvas = printer.Canvas();
    Measure(State, "printer to PDF", [&] {
        printer.BeginDoc();
        canvas.Font().SetName("Arial");
        canvas.Font().SetHeight(kFontHeight);
        for (int32_t page = 0; page < kPages; ++page) {
            if (page > 0) printer.NewPage();
            DrawPage(
                page,
                [&](int32_t L, int32_t T, int32_t R, int32_t B) {
                    canvas.Brush().SetStyle(vex::bsSolid);
                    canvas.Brush().SetColor(kShade);
                    canvas.FillRect(vex::Rect(L, T, R, B));
                },
                [&](int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
                    canvas.MoveTo(X1, Y1);
                    canvas.LineTo(X2, Y2);
                },
                [&](int32_t X, int32_t Y, const std::string& S) {
                    canvas.Brush().SetStyle(vex::bsClear);
                    canvas.TextOut(X, Y, S);
                });
        }
        printer.EndDoc();
    });
    const vex::TPageFormat format = printer.PageFormat();
    if (format.PixelsPerInch != kPixelsPerInch || format.Paper.cx != kPaperWidth ||
        format.Paper.cy != kPaperHeight)
        State.SkipWithError("the PDF printer's sheet is not the A4 the peer draws on");
}

void BM_CairoTableToPdf(benchmark::State& State) {
    vex::TLogFont wanted;
    wanted.lfFaceName = "Arial";
    wanted.lfHeight = kFontHeight;
    const auto realized = vex::RealizeFont(wanted);
    Measure(State, "cairo to PDF", [&] {
        cairo_surface_t* surface = cairo_pdf_surface_create((Folder() + "/cairo.pdf").c_str(),
                                                            kPaperWidth * 72.0 / kPixelsPerInch,
                                                            kPaperHeight * 72.0 / kPixelsPerInch);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, 72.0 / kPixelsPerInch, 72.0 / kPixelsPerInch);
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FILE,
                           reinterpret_cast<const FcChar8*>(realized->FileName().c_str()));
        FcPatternAddInteger(pattern, FC_INDEX, realized->FaceIndex());
        cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
        FcPatternDestroy(pattern);
        cairo_set_font_face(cr, face);
        cairo_set_font_size(cr, realized->PixelSize());
        const double ascent = realized->Metrics().tmAscent;
        for (int32_t page = 0; page < kPages; ++page) {
            DrawPage(
                page,
                [&](int32_t L, int32_t T, int32_t R, int32_t B) {
                    cairo_set_source_rgb(cr, 0xEE / 255.0, 0xEE / 255.0, 0xEE / 255.0);
                    cairo_rectangle(cr, L, T, R - L, B - T);
                    cairo_fill(cr);
                },
                [&](int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
                    cairo_set_source_rgb(cr, 0, 0, 0);
                    cairo_set_line_width(cr, 1);
                    cairo_move_to(cr, X1 + 0.5, Y1 + 0.5);
                    cairo_line_to(cr, X2 + 0.5, Y2 + 0.5);
                    cairo_stroke(cr);
                },
                [&](int32_t X, int32_t Y, const std::string& S) {
                    cairo_set_source_rgb(cr, 0, 0, 0);
                    cairo_move_to(cr, X, Y + ascent);
                    cairo_show_text(cr, vex::Win1252ToUtf8(S).c_str());
                });
            cairo_show_page(cr);
        }
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) std::abort();
        cairo_surface_destroy(surface);
        cairo_font_face_destroy(face);
    });
}

BENCHMARK(BM_PrintTableToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CairoTableToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double ours = gBest["printer to PDF"], peer = gBest["cairo to PDF"];
    std::printf("printer to PDF %.1f ms, cairo to PDF %.1f ms: ratio %.2f (target at most 1.3)\n",
                ours * 1e3, peer * 1e3, ours / peer);
    std::remove((Folder() + "/ours.pdf").c_str());
    std::remove((Folder() + "/cairo.pdf").c_str());
    ::rmdir(Folder().c_str());
    benchmark::Shutdown();
    return 0;
}
