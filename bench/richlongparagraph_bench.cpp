// Painting one screen of a long paragraph must cost what it costs in a short one: a screen's
// lines are drawn and hit-tested one at a time, and each must not cost the whole paragraph. Two
// word-wrapped paragraphs of alternating bold and plain words, one of 2,000 runs (the peer) and
// one of 200,000, each have the pieces of 40 lines walked and 40 caret places found; then two
// paragraphs of 1,000 and of 100,000 detected links each have 40 lines painted. The ratios of
// the times are printed, and they should stay near 1.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/besttime.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/rich/richdocument.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlinks.h"
#include "platform/rich/richpaint.h"

namespace {

using namespace vex;

constexpr int32_t kLines = 40;

struct TLongParagraph {
    TRichDocument Document;
    TRichLayout Layout{Document};

    // Runs of Words alternately plain and bold.
    TLongParagraph(int Runs, const char* Words) {
        TRichCharFormat bold = Document.CharFormats()[Document.DefaultCharFormat()];
        bold.Bold = true;
        const int32_t formats[] = {Document.DefaultCharFormat(),
                                   Document.CharFormats().Intern(bold)};
        TRichFragment piece;
        for (int i = 0; i < Runs; ++i)
            piece.Paragraphs.back().Append(Words, formats[i % 2]);
        Document.Replace(0, 0, piece);
        Layout.SetWrapWidth(600);
        Layout.Update();
    }

    int64_t PaintAScreen() const {
        int64_t pieces = 0;
        for (int32_t line = 0; line < kLines; ++line) {
            Layout.ForEachPiece(line, [&](const TRichPiece&) { ++pieces; });
            pieces += Layout.CharFromPos(Layout.PosFromChar(Layout.LineIndex(line) + 2));
        }
        return pieces;
    }
};

struct TLinkedParagraph : TLongParagraph {
    TRichLinks Links{Document};
    TBitmap Bitmap;
    TCanvas Canvas{Bitmap};

    explicit TLinkedParagraph(int Count) : TLongParagraph(Count, "www.example.com ") {
        Links.SetEnabled(true);
        Bitmap.SetSize(600, 600);
    }

    void PaintAScreen() {
        TRichPaintOptions options;
        options.Links = &Links;
        PaintRichLines(Canvas, Layout, Point(0, 0), 0, kLines - 1, options);
    }
};

bench::TAgainstBare gTimes;
bench::TAgainstBare gLinkTimes;

void BM_PaintALongParagraphAgainstAShortOne(benchmark::State& State) {
    const TLongParagraph longer(200000, "word ");
    const TLongParagraph shorter(2000, "word ");
    for (auto _ : State) {
        gTimes.Framework.Time([&] { benchmark::DoNotOptimize(longer.PaintAScreen()); });
        gTimes.Bare.Time([&] { benchmark::DoNotOptimize(shorter.PaintAScreen()); });
    }
    gTimes.Count(State);
}
BENCHMARK(BM_PaintALongParagraphAgainstAShortOne)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PaintManyLinksAgainstFew(benchmark::State& State) {
    TLinkedParagraph many(100000);
    TLinkedParagraph few(1000);
    for (auto _ : State) {
        gLinkTimes.Framework.Time([&] { many.PaintAScreen(); });
        gLinkTimes.Bare.Time([&] { few.PaintAScreen(); });
    }
    gLinkTimes.Count(State);
}
BENCHMARK(BM_PaintManyLinksAgainstFew)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "a screen of a paragraph of 200,000 runs %.1f us, of 2,000 runs %.1f us; ratio %.2f\n",
        gTimes.Framework.Seconds() * 1e6, gTimes.Bare.Seconds() * 1e6, gTimes.Ratio());
    return 0;
}
