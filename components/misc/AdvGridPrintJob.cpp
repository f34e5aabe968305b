// Printing a grid: what the cells measure, and the job around the pages.

#include "components/misc/AdvGridPrintJob.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/mapmode.h"

namespace vex {

namespace {

// One pixel of the screen prints as one point.
constexpr double kUnitsPerPoint = 254.0 / 72.0;

}  // namespace

void ToPrintUnits(const TFont& Source, double Scale, TFont& Dest) {
    Dest.Assign(&Source);
    const double units = std::abs(Source.Size()) * kUnitsPerPoint * Scale;
    // Never 0, which would be the device's default size rather than a small one.
    Dest.SetHeight(-static_cast<int32_t>(
        std::clamp<double>(std::round(units), 1, static_cast<double>(MaxFontHeight))));
}

void UsePrintFont(TCanvas& Canvas, TFont& Converted) {
    Converted.SetPixelsPerInch(Canvas.Font().PixelsPerInch());
    Canvas.Font().Assign(&Converted);
}

TAdvGridPrintJob::TAdvGridPrintJob(TAdvStringGrid& Grid, TPrinter& Printer)
    : FGrid(Grid), FPrinter(Printer), FWatch(Grid) {
    FSettings.Assign(&Grid.PrintSettings());
}

void TAdvGridPrintJob::CheckGrid() const {
    if (FWatch.Expired()) throw EAbort("The grid was freed while it printed");
    // A handler that aborts the printer cancels the job, which is no failure to report.
    if (FCanvas && !FPrinter.Printing()) throw EAbort("The printing was aborted");
}

void TAdvGridPrintJob::TakeCellLook(TCanvas& Canvas, int32_t Row, int32_t Column, double Scale) {
    FCellBrush.SetColor(clWhite);
    FCellBrush.SetStyle(bsClear);
    FCellFont.Assign(&FSettings.Font());
    if (FGrid.OnGetCellPrintColor) {
        const bool fixed = Row < FFixedRows || Column < FFixedCols;
        FGrid.OnGetCellPrintColor(&FGrid, Row, FRealCols[static_cast<size_t>(Column)],
                                  fixed ? TGridDrawState{gdFixed} : TGridDrawState{}, FCellBrush,
                                  FCellFont);
        CheckGrid();
    }
    // Most cells print in one font: converted once, it reaches the canvas unchanged.
    if (FCellFont.Version() != FConvertedVersion || Scale != FConvertedScale) {
        ToPrintUnits(FCellFont, Scale, FCellPrintFont);
        FConvertedVersion = FCellFont.Version();
        FConvertedScale = Scale;
    }
    UsePrintFont(Canvas, FCellPrintFont);
}

TPrintMeasures TAdvGridPrintJob::MeasureLines(TCanvas& Canvas) {
    TPrintMeasures measures;
    measures.ColumnWidths.assign(FRealCols.size(), 0);
    measures.FixedCols = FFixedCols;
    ToPrintUnits(FSettings.HeaderFont(), 1, Canvas.Font());
    measures.HeaderLineHeight = Canvas.TextHeight("Wg");
    ToPrintUnits(FSettings.FooterFont(), 1, Canvas.Font());
    measures.FooterLineHeight = Canvas.TextHeight("Wg");
    ToPrintUnits(FSettings.Font(), 1, Canvas.Font());
    measures.CellLineHeight = Canvas.TextHeight("Wg");
    measures.LetterWidth = Canvas.TextWidth("a");
    return measures;
}

void TAdvGridPrintJob::MeasureCells(TCanvas& Canvas, double Scale, TPrintMeasures* Measures) {
    const bool widths = Measures && !FSettings.UseFixedWidth;
    const bool heights = !FSettings.UseFixedHeight;
    FRowHeights.assign(static_cast<size_t>(FRowCount), FSettings.FixedHeight);
    if (!Measures && !heights) return;
    for (int32_t r = 0; r < FRowCount; ++r) {
        int64_t tallest = 0;
        for (size_t c = 0; c < FRealCols.size(); ++c) {
            // The colour event may change the cell: its text is read after the event.
            if (widths || heights) TakeCellLook(Canvas, r, static_cast<int32_t>(c), Scale);
            const std::vector<std::string_view> lines = CellLines(FGrid.Cells(FRealCols[c], r));
            if (Measures) Measures->MaxLines = std::max(Measures->MaxLines, std::ssize(lines));
            if (!widths && !heights) continue;
            if (widths) {
                int64_t widest = 0;
                for (const std::string_view line : lines)
                    widest = std::max<int64_t>(widest, Canvas.TextExtent(line).cx);
                int64_t& width = Measures->ColumnWidths[c];
                width = std::max(width, widest + Canvas.TextWidth("a"));
            }
            tallest = std::max(tallest, Canvas.TextHeight("Wg") * std::ssize(lines));
        }
        if (heights) FRowHeights[static_cast<size_t>(r)] = tallest + FSettings.RowSpacing;
    }
}

void TAdvGridPrintJob::Run() {
    if (!FPrinter.HasPrinter()) throw EPrinter("There is no printer to print the grid on");
    FPrinter.SetOrientation(FSettings.Orientation);
    const TPageFormat format = FPrinter.PageFormat();
    const int32_t ppi = format.PixelsPerInch;

    for (int32_t c = 0; c < FGrid.ColCount(); ++c)
        FRealCols.push_back(FGrid.RealColIndex(c));
    FFixedCols = std::min(FGrid.FixedCols(), FGrid.ColCount());
    FFixedRows = std::min(FGrid.FixedRows(), FGrid.RowCount());
    FRowCount = FGrid.RowCount();

    // Measured where the printer's canvas would measure: its resolution, in print units.
    TBitmap noPixels;
    TCanvas measuring(noPixels);
    measuring.SetPixelsPerInch(ppi, ppi);
    measuring.SetMapMode(MM_LOMETRIC);
    TPrintMeasures measures = MeasureLines(measuring);
    MeasureCells(measuring, 1, &measures);
    const TFitToPageAsk ask = [&](double& Scale, bool& Allow) {
        if (!FGrid.OnFitToPage) return;
        FGrid.OnFitToPage(&FGrid, Scale, Allow);
        CheckGrid();
    };
    FLayout = LayoutPrint(FSettings, measures, int64_t{format.Printable.cx} * 254 / ppi,
                          int64_t{format.Printable.cy} * 254 / ppi, ask);
    // Scaled fonts make rows of other heights.
    if (FLayout.Scale != 1) MeasureCells(measuring, FLayout.Scale, nullptr);
    ToPrintUnits(FSettings.HeaderFont(), 1, FHeaderFont);
    ToPrintUnits(FSettings.FooterFont(), 1, FFooterFont);
    FWhen = Now();

    FPrinter.BeginDoc();
    try {
        PrintBands();
    } catch (...) {
        if (FPrinter.Printing()) FPrinter.Abort();
        throw;
    }
    FPrinter.EndDoc();
}

}  // namespace vex
