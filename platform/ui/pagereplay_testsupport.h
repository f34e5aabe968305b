#pragma once

// A document printed the way applications print: through a TPrinter's canvas, a page at a time.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/mapmode.h"
#include "platform/ui/printer.h"
#include "platform/ui/recordingprinter.h"

namespace vex::test {

// The cell texts of a table in row order: "R<row>C<column>", both from 1.
inline std::string CellText(int32_t Row, int32_t Column) {
    return "R" + std::to_string(Row) + "C" + std::to_string(Column);
}

// Prints a table of Rows x Columns cells with rule lines round every cell, laid out in
// MM_LOMETRIC with 15 mm margins and "page N" at each page's top right, breaking to a new page
// when the next row would not fit. Answers the number of pages.
inline int32_t PrintTable(TPrinter& Printer, int32_t Rows, int32_t Columns) {
    Printer.BeginDoc();
    TCanvas& canvas = Printer.Canvas();
    canvas.SetMapMode(MM_LOMETRIC);
    const TPageFormat format = Printer.PageFormat();
    const auto tenthsMm = [&](int32_t Pixels) {
        return static_cast<int32_t>(std::lround(Pixels * 254.0 / format.PixelsPerInch));
    };
    const int32_t width = tenthsMm(Printer.PageWidth()), height = tenthsMm(Printer.PageHeight());
    const int32_t margin = 150, rowHeight = 60, headerHeight = 80;
    const int32_t columnWidth = (width - 2 * margin) / Columns;
    const int32_t rowsPerPage = (height - 2 * margin - headerHeight) / rowHeight;
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-35);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetWidth(2);
    int32_t page = 0;
    for (int32_t first = 1; first <= Rows; first += rowsPerPage) {
        if (++page > 1) Printer.NewPage();
        const int32_t last = std::min(Rows, first + rowsPerPage - 1);
        canvas.TextOut(width - margin - 300, -margin, "page " + std::to_string(page));
        const int32_t top = -(margin + headerHeight);
        const int32_t bottom = top - (last - first + 1) * rowHeight;
        const int32_t right = margin + Columns * columnWidth;
        for (int32_t r = 0; r <= last - first + 1; ++r) {
            canvas.MoveTo(margin, top - r * rowHeight);
            canvas.LineTo(right, top - r * rowHeight);
        }
        for (int32_t c = 0; c <= Columns; ++c) {
            canvas.MoveTo(margin + c * columnWidth, top);
            canvas.LineTo(margin + c * columnWidth, bottom);
        }
        for (int32_t row = first; row <= last; ++row)
            for (int32_t c = 0; c < Columns; ++c)
                canvas.TextOut(margin + c * columnWidth + 20, top - (row - first) * rowHeight - 12,
                               CellText(row, c + 1));
    }
    Printer.EndDoc();
    return page;
}

// A printer with Device alone.
inline void UseDevice(TPrinter& Printer, std::unique_ptr<TPrinterDevice> Device) {
    std::vector<std::unique_ptr<TPrinterDevice>> devices;
    devices.push_back(std::move(Device));
    Printer.SetDevices(std::move(devices));
}

// The table as the recording device received it.
inline TRecordedJob RecordedTable(int32_t Rows, int32_t Columns, int32_t PixelsPerInch = 600) {
    TPrinter printer;
    auto device = std::make_unique<TRecordingPrinter>("Recorder", PixelsPerInch);
    TRecordingPrinter& recorder = *device;
    UseDevice(printer, std::move(device));
    printer.SetTitle("Table");
    PrintTable(printer, Rows, Columns);
    return recorder.Jobs().at(0);
}

}  // namespace vex::test
