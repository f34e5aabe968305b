#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridCellText.h"
#include "components/misc/AdvGridPrintLayout.h"
#include "platform/ui/printer.h"

namespace vex {

// One printout of a grid: measures its cells on a canvas of the printer's resolution, lays the
// pages out before the job starts (so that settings leaving no room fail with nothing printed),
// then draws the bands page by page. The grid's events may free the grid: the job then stops,
// drops what it printed and raises EAbort.
class TAdvGridPrintJob {
public:
    TAdvGridPrintJob(TAdvStringGrid& Grid, TPrinter& Printer);
    void Run();

private:
    // Measuring (before the job).
    // The fonts' lines at scale 1.
    TPrintMeasures MeasureLines(TCanvas& Canvas);
    // The rows' heights at Scale and, given Measures, the columns' widths and the most lines.
    void MeasureCells(TCanvas& Canvas, double Scale, TPrintMeasures* Measures);
    // OnGetCellPrintColor's brush and font for a cell, the font put on Canvas in print units.
    void TakeCellLook(TCanvas& Canvas, int32_t Row, int32_t Column, double Scale);
    void CheckGrid() const;

    // Drawing (AdvGridPrintPage.cpp).
    void PrintBands();
    // The next page, its header and footer drawn; at a band's start OnPrintPage first.
    void StartPage(bool BandStart);
    // The borders of the page's cells.
    void FinishPage();
    void DrawHeaderAndFooter();
    void DrawRow(int32_t Row, int64_t Top);
    void DrawCell(const TPrintBandColumn& Column, int32_t Row, int64_t Top, int64_t Bottom);
    // Placed as the grid shows it, beside the cell's first line of text.
    void DrawCellImage(const TCellGraphic& Graphic, int64_t Left, int64_t Right, int64_t Top,
                       int64_t Bottom, TAlignment Alignment, int64_t TextLeft, int64_t TextWidth);
    void DrawBorders();

    TAdvStringGrid& FGrid;
    TPrinter& FPrinter;
    TControlWatch FWatch;
    // A copy: a handler changing the grid's settings does not change a job under way.
    TPrintsettings FSettings;
    // The printed columns' real indexes, in display order.
    std::vector<int32_t> FRealCols;
    int32_t FFixedCols = 0;
    int32_t FFixedRows = 0;
    int32_t FRowCount = 0;
    TPrintLayout FLayout;
    std::vector<int64_t> FRowHeights;
    TDateTime FWhen = 0;
    TBrush FCellBrush;
    TFont FCellFont;
    // FCellFont in print units, as last converted.
    TFont FCellPrintFont;
    uint64_t FConvertedVersion = 0;
    double FConvertedScale = 0;
    TFont FHeaderFont;
    TFont FFooterFont;

    // The page being drawn: its number, band, and the rows on it (top and bottom).
    TCanvas* FCanvas = nullptr;
    int32_t FPageNr = 0;
    const TPrintBand* FBand = nullptr;
    std::vector<std::pair<int64_t, int64_t>> FPageRows;
};

// A font of screen points sized for a canvas in print units, at Scale.
void ToPrintUnits(const TFont& Source, double Scale, TFont& Dest);
// Puts a font converted to print units on Canvas: its height goes over as it is, whatever
// resolution the canvas's font measures points at.
void UsePrintFont(TCanvas& Canvas, TFont& Converted);

}  // namespace vex
