// What printing costs over its back end: a 10-column string grid of 100 pages (a text in every
// cell, single borders, page numbers) printed to PDF through the process's printer (the grid's
// layout, the printer's recorded canvas and the replay onto cairo's PDF surface), against cairo
// drawing the same texts, lines and fills straight onto its own PDF surface, in the same faces
// and pixel sizes. The peer draws from the grid's pages as a recording printer received them,
// recorded before timing starts. Both write their file to the same folder. Printed at the end:
// the ratio of our time to cairo's, and the same without the grid's own share.

#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "components/misc/AdvGrid.h"
#include "platform/gfx/fontengine.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/printer.h"
#include "platform/ui/recordingprinter.h"
#include "platform/win/x11/x11text.h"

namespace {

constexpr int32_t kPages = 100, kColumns = 10;

std::string Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/printpdf-bench-XXXXXX";
        return std::string(::mkdtemp(pattern) ? pattern : "/tmp");
    }();
    return folder;
}

// The grid printed on a recording printer, which holds the job until the printer's next device.
const vex::TRecordedJob& Recorded(vex::TAdvStringGrid& Grid) {
    auto device = std::make_unique<vex::TRecordingPrinter>();
    vex::TRecordingPrinter& recorder = *device;
    vex::test::UseDevice(vex::Printer(), std::move(device));
    Grid.Print();
    return recorder.Jobs().at(0);
}

// A grid of kColumns columns with as many rows as kPages pages hold.
class TBenchGrid {
public:
    TBenchGrid() : FGrid(nullptr) {
        FGrid.SetColCount(kColumns);
        FGrid.SetFixedRows(0);
        FGrid.SetFixedCols(0);
        vex::TPrintsettings& settings = FGrid.PrintSettings();
        settings.Font().SetName("Arial");
        settings.Font().SetSize(9);
        settings.PageNr = vex::ppTopRight;
        settings.HeaderSize = 100;
        settings.FooterSize = 100;
        settings.LeftSize = 100;
        settings.ColumnSpacing = 20;
        settings.Borders = vex::pbSingle;
        // As many rows as fill kPages pages, found from how many the first pages hold.
        int32_t rows = 1000;
        for (int attempt = 0; attempt < 4; ++attempt) {
            Fill(rows);
            const auto pages = static_cast<int32_t>(Recorded(FGrid).Pages.size());
            if (pages == kPages) break;
            rows = static_cast<int32_t>(static_cast<int64_t>(rows) * kPages / pages) -
                   (pages > kPages ? 0 : 1);
        }
        Job = Recorded(FGrid);
    }
    vex::TAdvStringGrid& Grid() { return FGrid; }
    vex::TRecordedJob Job;

private:
    void Fill(int32_t Rows) {
        FGrid.SetRowCount(Rows);
        for (int32_t r = 0; r < Rows; ++r)
            for (int32_t c = 0; c < kColumns; ++c)
                FGrid.SetCells(c, r, "R" + std::to_string(r + 1) + "C" + std::to_string(c + 1));
    }
    vex::TAdvStringGrid FGrid;
};

TBenchGrid& BenchGrid() {
    static TBenchGrid grid;
    return grid;
}

// Each the best of its passes.
vex::bench::TBestTime gPrinted, gCairo, gRecorded;

void BM_PrintGridToPdf(benchmark::State& State) {
    TBenchGrid& grid = BenchGrid();
    auto device = std::make_unique<vex::TPdfPrinter>();
    device->SetFileName(Folder() + "/ours.pdf");
    vex::test::UseDevice(vex::Printer(), std::move(device));
    for (auto _ : State)
        gPrinted.Time([&] { grid.Grid().Print(); });
    State.counters["pages"] = static_cast<double>(grid.Job.Pages.size());
}

void SetColor(cairo_t* Cr, vex::TColor Color) {
    const uint32_t p = vex::ColorToPixel(Color);
    cairo_set_source_rgb(Cr, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0,
                         (p & 0xFF) / 255.0);
}

// What a program drawing with cairo itself draws for the page's calls: texts from the top of
// their line, lines, fills and frames.
void DrawStraight(cairo_t* Cr, const vex::TPrintedPage& Page,
                  std::map<std::string, cairo_font_face_t*>& Faces) {
    for (const vex::TCanvasCall& call : Page.Calls) {
        if (call.Name == "ExtTextOut" && call.Face) {
            const vex::TRealizedFont& font = *call.Face;
            cairo_font_face_t*& face = Faces[font.FileName()];
            if (!face) {
                FcPattern* pattern = FcPatternCreate();
                FcPatternAddString(pattern, FC_FILE,
                                   reinterpret_cast<const FcChar8*>(font.FileName().c_str()));
                FcPatternAddInteger(pattern, FC_INDEX, font.FaceIndex());
                face = cairo_ft_font_face_create_for_pattern(pattern);
                FcPatternDestroy(pattern);
            }
            cairo_set_font_face(Cr, face);
            cairo_set_font_size(Cr, font.PixelSize());
            SetColor(Cr, call.TextColor);
            cairo_move_to(Cr, call.Points[0].X, call.Points[0].Y + font.Metrics().tmAscent);
            cairo_show_text(Cr, vex::Win1252ToUtf8(call.Text).c_str());
        } else if ((call.Name == "LineTo" || call.Name == "Polyline") && !call.Points.empty()) {
            SetColor(Cr, call.PenColor);
            cairo_set_line_width(Cr, std::max(1, call.PenWidth));
            cairo_move_to(Cr, call.Points[0].X + 0.5, call.Points[0].Y + 0.5);
            for (size_t i = 1; i < call.Points.size(); ++i)
                cairo_line_to(Cr, call.Points[i].X + 0.5, call.Points[i].Y + 0.5);
            cairo_stroke(Cr);
        } else if ((call.Name == "FillRect" || call.Name == "Rectangle" ||
                    call.Name == "FrameRect") &&
                   !call.Rects.empty() && call.BrushStyle != vex::bsClear) {
            const vex::TRect& r = call.Rects[0];
            SetColor(Cr, call.BrushColor);
            cairo_rectangle(Cr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
            if (call.Name == "FrameRect") {
                cairo_set_line_width(Cr, 1);
                cairo_stroke(Cr);
            } else {
                cairo_fill(Cr);
            }
        }
    }
}

// The peer's pass: the recorded pages drawn straight onto cairo's own PDF surface.
void DrawStraightToPdf(const vex::TRecordedJob& Job) {
    const vex::TPageFormat& format = Job.Job.Format;
    const double points = 72.0 / format.PixelsPerInch;
    cairo_surface_t* surface = cairo_pdf_surface_create(
        (Folder() + "/cairo.pdf").c_str(), format.Paper.cx * points, format.Paper.cy * points);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, points, points);
    cairo_translate(cr, format.PrintableOffset.X, format.PrintableOffset.Y);
    std::map<std::string, cairo_font_face_t*> faces;
    for (const vex::TPrintedPage& page : Job.Pages) {
        DrawStraight(cr, page, faces);
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) std::abort();
    cairo_surface_destroy(surface);
    for (auto& [file, face] : faces)
        cairo_font_face_destroy(face);
}

void BM_CairoGridToPdf(benchmark::State& State) {
    const vex::TRecordedJob& job = BenchGrid().Job;
    for (auto _ : State)
        gCairo.Time([&] { DrawStraightToPdf(job); });
}

// The grid's own share: laying out and drawing its pages onto the recorded canvas, with no
// output at all.
void BM_GridRecorded(benchmark::State& State) {
    TBenchGrid& grid = BenchGrid();
    for (auto _ : State) {
        // The pass before's recording goes before the timing starts.
        vex::test::UseDevice(vex::Printer(), std::make_unique<vex::TRecordingPrinter>());
        gRecorded.Time([&] { grid.Grid().Print(); });
    }
}
BENCHMARK(BM_GridRecorded)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PrintGridToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CairoGridToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double ours = gPrinted.Seconds(), peer = gCairo.Seconds();
    std::printf(
        "grid printed to PDF %.1f ms, cairo to PDF %.1f ms (%zu pages): ratio %.2f "
        "(target at most 1.3)\n",
        ours * 1e3, peer * 1e3, BenchGrid().Job.Pages.size(), ours / peer);
    const double grid = gRecorded.Seconds();
    std::printf(
        "of which the grid's layout and recording %.1f ms; the printer's replay and "
        "output alone against cairo: ratio %.2f\n",
        grid * 1e3, (ours - grid) / peer);
    std::remove((Folder() + "/ours.pdf").c_str());
    std::remove((Folder() + "/cairo.pdf").c_str());
    ::rmdir(Folder().c_str());
    benchmark::Shutdown();
    return 0;
}
