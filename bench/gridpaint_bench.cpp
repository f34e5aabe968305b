// What painting a grid of 100 x 100 visible cells of short texts, with every grid line, costs
// against drawing the same texts and lines straight onto a bitmap of the same size with the
// same font, in the same run. A second pass measures a scroll by one row, which moves the
// pixels and repaints one row's strip, against painting the whole grid again. Each side is the
// best of its passes; the ratios are counters and printed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/grid.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"

namespace {

using namespace vex;

constexpr int32_t kCells = 100;
constexpr int32_t kWidth = 24;
constexpr int32_t kHeight = 12;
constexpr int32_t kLine = 1;

std::string TextOf(int32_t Col, int32_t Row) {
    return std::to_string((Col * 31 + Row * 17) % 1000);
}

// A grid whose cells show short texts, as a draw grid's handler would write them.
class TTextGrid : public TCustomGrid {
public:
    explicit TTextGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
        Texts.resize(static_cast<size_t>(kCells) * kCells);
        for (int32_t r = 0; r < kCells; ++r)
            for (int32_t c = 0; c < kCells; ++c)
                Texts[static_cast<size_t>(r) * kCells + c] = TextOf(c, r);
    }
    std::vector<std::string> Texts;

protected:
    void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState) override {
        // Cells scrolled in past the first hundred repeat the texts.
        const size_t at = static_cast<size_t>(ARow % kCells) * kCells + ACol % kCells;
        Canvas().TextRect(ARect, ARect.Left + 2, ARect.Top, Texts[at]);
    }
};

struct TGridForm {
    TGridForm() {
        const int32_t side = kCells * (kWidth + kLine);
        Form->SetBounds(0, 0, side + 40, kCells * (kHeight + kLine) + 60);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetDefaultColWidth(kWidth);
        Grid->SetDefaultRowHeight(kHeight);
        Grid->SetColCount(kCells + 50);  // more than fit, so a scroll has somewhere to go
        Grid->SetRowCount(kCells + 50);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
        Grid->SetBounds(0, 0, side, kCells * (kHeight + kLine));
        Grid->SetParent(Form);
        Form->Show();
        Pump();
    }
    ~TGridForm() { delete Form; }
    static void Pump() {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }

    TForm* Form = new TForm(nullptr);
    TTextGrid* Grid = new TTextGrid(Form);
};

// The grid's texts and lines drawn bare on Canvas, cell by cell and line by line.
void DrawBare(TCanvas& Canvas, const std::vector<std::string>& Texts) {
    const int32_t stepX = kWidth + kLine, stepY = kHeight + kLine;
    Canvas.Brush().SetColor(clWindow);
    for (int32_t r = 0; r < kCells; ++r)
        for (int32_t c = 0; c < kCells; ++c) {
            const TRect cell = Rect(c * stepX, r * stepY, c * stepX + kWidth, r * stepY + kHeight);
            Canvas.TextRect(cell, cell.Left + 2, cell.Top,
                            Texts[static_cast<size_t>(r) * kCells + c]);
        }
    Canvas.Brush().SetColor(clSilver);
    for (int32_t c = 0; c < kCells; ++c)
        Canvas.FillRect(Rect(c * stepX + kWidth, 0, c * stepX + stepX, kCells * stepY));
    for (int32_t r = 0; r < kCells; ++r)
        Canvas.FillRect(Rect(0, r * stepY + kHeight, kCells * stepX, r * stepY + stepY));
}

bench::TAgainstBare gPainting;
double gScrollShare = 0;

void BM_PaintingAllCells(benchmark::State& State) {
    TGridForm form;
    TBitmap bitmap;
    bitmap.SetSize(form.Grid->ClientWidth(), form.Grid->ClientHeight());
    bitmap.Canvas().Font().Assign(&form.Grid->Font());
    const HWND wnd = form.Grid->Handle();
    for (auto _ : State) {
        gPainting.Framework.Time([&] {
            form.Grid->Invalidate();
            UpdateWindow(wnd);
        });
        gPainting.Bare.Time([&] { DrawBare(bitmap.Canvas(), form.Grid->Texts); });
    }
    if (form.Grid->VisibleColCount() != kCells || form.Grid->VisibleRowCount() != kCells)
        State.SkipWithError("the grid does not show 100 x 100 cells");
    gPainting.Count(State);
}
BENCHMARK(BM_PaintingAllCells)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ScrollingByOneRow(benchmark::State& State) {
    TGridForm form;
    const HWND wnd = form.Grid->Handle();
    bench::TBestTime scrolling, repainting;
    for (auto _ : State) {
        form.Grid->SetTopRow(0);
        UpdateWindow(wnd);
        scrolling.Time([&] {
            form.Grid->SetTopRow(1);
            UpdateWindow(wnd);
        });
        repainting.Time([&] {
            form.Grid->Invalidate();
            UpdateWindow(wnd);
        });
    }
    gScrollShare = scrolling.Seconds() / repainting.Seconds();
    State.counters["scroll_us"] = scrolling.Seconds() * 1e6;
    State.counters["repaint_us"] = repainting.Seconds() * 1e6;
    State.counters["share"] = gScrollShare;
}
BENCHMARK(BM_ScrollingByOneRow)->Unit(benchmark::kMicrosecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "100 x 100 cells of short texts with all lines, against the same drawn bare: "
        "painting %.2fx; a one-row scroll costs %.2f of painting the grid again\n",
        gPainting.Ratio(), gScrollShare);
    return 0;
}
