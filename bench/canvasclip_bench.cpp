// What a clip costs the canvas. The same work (1,000 solid rectangles, 200 lines of text, 1,000
// lines) is drawn on an 800 x 600 bitmap without a clip, which is the peer, through a clip of
// one rectangle, and through regions of N rectangles: vertical strips one pixel apart that leave
// the same area to draw on. Printed at the end: each time against the unclipped one, and for the
// regions the time per rectangle, which stays flat when the cost is proportional.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/randomboxes.h"
#include "platform/core/region.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kStripCounts[] = {4, 16, 64, 256};

using benchsupport::TBox;

const std::vector<TBox>& Boxes() {
    static const std::vector<TBox> boxes = benchsupport::RandomBoxes(kWidth, kHeight);
    return boxes;
}

// The clip of a run: 0 none, 1 one rectangle, more a region of that many strips.
void SetClip(vex::TCanvas& Canvas, int Rects) {
    if (Rects == 0) return;
    if (Rects == 1) {
        Canvas.IntersectClipRect(vex::Rect(1, 1, kWidth - 1, kHeight - 1));
        return;
    }
    vex::TRegion strips;
    const int step = kWidth / Rects;
    for (int i = 0; i < Rects; ++i)
        strips.Union(vex::Rect(i * step, 1, (i + 1) * step - 1, kHeight - 1));
    Canvas.SelectClipRgn(&strips);
}

void FillBoxes(vex::TCanvas& Canvas) {
    for (const TBox& b : Boxes()) {
        Canvas.Brush().SetColor(b.Color());
        Canvas.FillRect(vex::Rect(b.X, b.Y, b.X + b.W, b.Y + b.H));
    }
}

void WriteLines(vex::TCanvas& Canvas) {
    Canvas.Brush().SetStyle(vex::bsClear);
    for (int i = 0; i < 200; ++i)
        Canvas.TextOut(5 + (i * 37) % 300, 12 + (i * 3) % (kHeight - 20),
                       "The quick brown fox jumps over the lazy dog 0123456789");
}

void DrawLines(vex::TCanvas& Canvas) {
    for (int i = 0; i < 1000; ++i) {
        Canvas.MoveTo((i * 7) % kWidth, (i * 13) % kHeight);
        Canvas.LineTo((i * 29) % kWidth, (i * 31) % kHeight);
    }
}

using TWork = void (*)(vex::TCanvas&);
const std::map<std::string, TWork>& Works() {
    static const std::map<std::string, TWork> works = {
        {"FillRect", FillBoxes}, {"TextOut", WriteLines}, {"LineTo", DrawLines}};
    return works;
}

// The best time of one pass, by work and clip.
std::map<std::pair<std::string, int>, double> gBest;

void BM_Clipped(benchmark::State& State, const std::string& Work, int Rects) {
    vex::TBitmap bitmap;
    bitmap.SetSize(kWidth, kHeight);
    vex::TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-11);
    SetClip(canvas, Rects);
    const TWork work = Works().at(Work);
    double& best = gBest[{Work, Rects}];
    best = 1e9;
    for (auto _ : State) {
        const auto start = std::chrono::steady_clock::now();
        work(canvas);
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void RegisterAll() {
    for (const auto& [work, _] : Works()) {
        std::vector<int> clips = {0, 1};
        clips.insert(clips.end(), std::begin(kStripCounts), std::end(kStripCounts));
        for (int rects : clips)
            benchmark::RegisterBenchmark((work + "/clip rects:" + std::to_string(rects)).c_str(),
                                         BM_Clipped, work, rects)
                ->Unit(benchmark::kMicrosecond);
    }
}

void Report() {
    for (const auto& [work, _] : Works()) {
        const double none = gBest[{work, 0}];
        const double one = gBest[{work, 1}];
        std::printf("%s unclipped %.1f us, one rectangle %.1f us: ratio %.2f\n", work.c_str(),
                    none * 1e6, one * 1e6, one / none);
        for (int rects : kStripCounts) {
            const double t = gBest[{work, rects}];
            std::printf("%s %d rectangles %.1f us: ratio %.2f to unclipped, %.3f us a rectangle\n",
                        work.c_str(), rects, t * 1e6, t / none, t * 1e6 / rects);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Report();
    return 0;
}
