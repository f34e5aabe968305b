// What the control framework costs over plain drawing. A shown form holds a grid of 1,000
// controls, labels and framed windowed panels in turn; invalidating the form with its children
// and painting it is compared with drawing the same primitives (the form's background, each
// label's fill and text, each panel's fill and edge, at the same places) straight onto a bare
// canvas of the same size. Both run interleaved in one benchmark, best pass of each; the ratio
// is a counter and printed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/besttime.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/form.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/label.h"
#include "platform/win/application.h"
#include "platform/win/updateregion.h"

namespace {

using namespace vex;

constexpr int kColumns = 40;
constexpr int kRows = 25;
constexpr int kCellWidth = 25;
constexpr int kCellHeight = 30;
constexpr int kClientWidth = kColumns * kCellWidth;
constexpr int kClientHeight = kRows * kCellHeight;
constexpr TColor kPanelColor = clBtnFace;
constexpr TColor kLabelColor = clWindow;

// Labels and panels take turns along each row, shifted by one on the next row.
bool IsPanel(int Column, int Row) {
    return (Column + Row) % 2 == 1;
}

TRect CellBounds(int Column, int Row) {
    const int left = Column * kCellWidth;
    const int top = Row * kCellHeight;
    return Rect(left + 1, top + 1, left + kCellWidth - 1, top + kCellHeight - 1);
}

std::string CellText(int Column, int Row) {
    return std::to_string(Row * kColumns + Column);
}

// A windowed control erased in its colour, with a raised edge drawn over it.
class TFramedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        TRect r = ClientRect();
        DrawEdge(Canvas().Handle(), r, EDGE_RAISED, BF_RECT);
    }
};

struct TGridForm {
    TForm* Form = new TForm(nullptr);

    TGridForm() {
        Form->SetColor(clBtnFace);
        Form->SetBounds(0, 0, kClientWidth, kClientHeight);
        Form->SetClientWidth(kClientWidth);
        Form->SetClientHeight(kClientHeight);
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                TControl* control;
                if (IsPanel(column, row)) {
                    auto* panel = new TFramedPanel(Form);
                    panel->SetColor(kPanelColor);
                    control = panel;
                } else {
                    auto* label = new TLabel(Form);
                    label->SetAutoSize(false);
                    label->SetColor(kLabelColor);
                    label->SetCaption(CellText(column, row));
                    control = label;
                }
                control->SetBoundsRect(CellBounds(column, row));
                control->SetParent(Form);
            }
        Form->Show();
        Application().ProcessMessages();
    }
    ~TGridForm() { delete Form; }
    TGridForm(const TGridForm&) = delete;
    TGridForm& operator=(const TGridForm&) = delete;

    void Repaint() const {
        RedrawWindow(Form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Application().ProcessMessages();
    }
};

// The same drawing, call for call, on a canvas that no framework stands behind.
void DrawBare(TCanvas& Canvas, const TFont& LabelFont) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clBtnFace);
    Canvas.FillRect(Rect(0, 0, kClientWidth, kClientHeight));
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            TRect r = CellBounds(column, row);
            Canvas.Brush().SetStyle(bsSolid);
            if (IsPanel(column, row)) {
                Canvas.Brush().SetColor(kPanelColor);
                Canvas.FillRect(r);
                DrawEdge(&Canvas, r, EDGE_RAISED, BF_RECT);
                continue;
            }
            Canvas.Brush().SetColor(kLabelColor);
            Canvas.FillRect(r);
            Canvas.Brush().SetStyle(bsClear);
            Canvas.Font().Assign(&LabelFont);
            SetBkMode(&Canvas, TRANSPARENT);
            DrawText(&Canvas, CellText(column, row), r, DT_EXPANDTABS | DT_LEFT);
        }
}

bench::TAgainstBare gTimes;

void BM_FormRepaintAgainstBareCanvas(benchmark::State& State) {
    const TGridForm grid;
    TBitmap bitmap;
    bitmap.SetSize(kClientWidth, kClientHeight);
    TFont labelFont;
    labelFont.Assign(&grid.Form->Font());
    gTimes = bench::TAgainstBare();
    for (auto _ : State) {
        gTimes.Framework.Time([&] { grid.Repaint(); });
        gTimes.Bare.Time([&] {
            DrawBare(bitmap.Canvas(), labelFont);
            benchmark::DoNotOptimize(bitmap.ScanLine(0));
        });
    }
    gTimes.Count(State);
}
BENCHMARK(BM_FormRepaintAgainstBareCanvas)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf("1,000 labels and panels: framework %.0f us, bare canvas %.0f us; ratio %.2f\n",
                gTimes.Framework.Seconds() * 1e6, gTimes.Bare.Seconds() * 1e6, gTimes.Ratio());
    return 0;
}
