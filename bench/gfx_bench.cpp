// How fast the canvas paints what controls paint most: solid rectangles and short lines of text.
// The same rectangles go through TCanvas::FillRect, a plain fill of the pixel rows (the most any
// rectangle fill can do) and Cairo on an image surface without antialiasing; the same text
// through TCanvas::TextOut and Cairo's text, both in DejaVu Sans at 11 pixels. Printed at the end:
// each ratio of our time to the peer's. A polygon of many vertices goes through TCanvas::Polygon
// and Cairo's even-odd fill.

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/randomboxes.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

using benchsupport::TBox;

const std::vector<TBox>& Boxes() {
    static const std::vector<TBox> boxes = benchsupport::RandomBoxes(kWidth, kHeight);
    return boxes;
}

// The best time of one pass over the workload, per painter.
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

void BM_FillRectCanvas(benchmark::State& State) {
    vex::TBitmap bitmap;
    bitmap.SetSize(kWidth, kHeight);
    vex::TCanvas& canvas = bitmap.Canvas();
    Measure(State, "FillRect canvas", [&] {
        for (const TBox& b : Boxes()) {
            canvas.Brush().SetColor(b.Color());
            canvas.FillRect(vex::Rect(b.X, b.Y, b.X + b.W, b.Y + b.H));
        }
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    });
}

void BM_FillRectMemoryFill(benchmark::State& State) {
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    Measure(State, "FillRect memory fill", [&] {
        for (const TBox& b : Boxes())
            for (int y = b.Y; y < b.Y + b.H; ++y) {
                uint32_t* row = pixels.data() + static_cast<size_t>(y) * kWidth + b.X;
                std::fill(row, row + b.W, b.Pixel);
            }
        benchmark::DoNotOptimize(pixels.data());
    });
}

void BM_FillRectCairo(benchmark::State& State) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    Measure(State, "FillRect cairo", [&] {
        for (const TBox& b : Boxes()) {
            cairo_set_source_rgb(cr, ((b.Pixel >> 16) & 0xFF) / 255.0,
                                 ((b.Pixel >> 8) & 0xFF) / 255.0, (b.Pixel & 0xFF) / 255.0);
            cairo_rectangle(cr, b.X, b.Y, b.W, b.H);
            cairo_fill(cr);
        }
        cairo_surface_flush(surface);
    });
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

constexpr const char* kLine = "The quick brown fox jumps over the lazy dog 0123456789";
constexpr int kLines = 200;

int LineX(int I) {
    return 5 + (I * 37) % 300;
}
int LineY(int I) {
    return 12 + (I * 3) % (kHeight - 20);
}

void BM_TextOutCanvas(benchmark::State& State) {
    vex::TBitmap bitmap;
    bitmap.SetSize(kWidth, kHeight);
    vex::TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-11);
    canvas.Brush().SetStyle(vex::bsClear);
    // The baseline is the reference point, as for Cairo.
    canvas.SetTextAlign(vex::TA_BASELINE);
    Measure(State, "TextOut canvas", [&] {
        for (int i = 0; i < kLines; ++i)
            canvas.TextOut(LineX(i), LineY(i), kLine);
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    });
}

void BM_TextOutCairo(benchmark::State& State) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    cairo_set_source_rgb(cr, 0, 0, 0);
    Measure(State, "TextOut cairo", [&] {
        for (int i = 0; i < kLines; ++i) {
            cairo_move_to(cr, LineX(i), LineY(i));
            cairo_show_text(cr, kLine);
        }
        cairo_surface_flush(surface);
    });
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

// A circle of 200,000 vertices 200 rows tall: a fill testing every edge on every row makes 40
// million tests (about 150 ms) where an active edge table crosses two edges a row (under 1 ms).
const std::vector<vex::TPoint>& Circle() {
    static const std::vector<vex::TPoint> circle = [] {
        std::vector<vex::TPoint> points;
        for (int i = 0; i < 200000; ++i) {
            const double angle = 2 * M_PI * i / 200000, radius = 99;
            points.push_back(vex::Point(static_cast<int32_t>(100 + radius * std::cos(angle)),
                                        static_cast<int32_t>(100 + radius * std::sin(angle))));
        }
        return points;
    }();
    return circle;
}

void BM_PolygonCanvas(benchmark::State& State) {
    vex::TBitmap bitmap;
    bitmap.SetSize(kWidth, kHeight);
    vex::TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetStyle(vex::psClear);
    Measure(State, "Polygon canvas", [&] {
        canvas.Polygon(Circle());
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    });
}

void BM_PolygonCairo(benchmark::State& State) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Measure(State, "Polygon cairo", [&] {
        for (const vex::TPoint& p : Circle())
            cairo_line_to(cr, p.X, p.Y);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_surface_flush(surface);
    });
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

BENCHMARK(BM_FillRectCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillRectMemoryFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillRectCairo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextOutCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextOutCairo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PolygonCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PolygonCairo)->Unit(benchmark::kMicrosecond);

void Ratio(const std::string& Ours, const std::string& Peer) {
    const double ours = gBest[Ours], peer = gBest[Peer];
    std::printf("%s %.1f us, %s %.1f us: ratio %.2f\n", Ours.c_str(), ours * 1e6, Peer.c_str(),
                peer * 1e6, peer > 0 ? ours / peer : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Ratio("FillRect canvas", "FillRect memory fill");
    Ratio("FillRect canvas", "FillRect cairo");
    Ratio("TextOut canvas", "TextOut cairo");
    Ratio("Polygon canvas", "Polygon cairo");
    return 0;
}
