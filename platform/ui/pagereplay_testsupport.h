#pragma once

// Printed pages made the way the printer makes them: drawing on a canvas of no pixels, at the
// device's resolution, through an attached recorder of primitives, a page at a time.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/mapmode.h"
#include "platform/ui/printerdevice.h"

namespace vex::test {

// An A4 sheet at PixelsPerInch, printable to its edges as the PDF printer is.
inline TPageFormat A4Format(int32_t PixelsPerInch = 600) {
    const auto pixels = [&](int32_t TenthsMm) {
        return static_cast<int32_t>(std::lround(TenthsMm * PixelsPerInch / 254.0));
    };
    TPageFormat format;
    format.PixelsPerInch = PixelsPerInch;
    format.Paper = TSize{pixels(2100), pixels(2970)};
    format.Printable = format.Paper;
    return format;
}

class TPageDrawer {
public:
    explicit TPageDrawer(const TPageFormat& Format) : Format(Format) {
        FCanvas.SetPixelsPerInch(Format.PixelsPerInch, Format.PixelsPerInch);
    }
    TCanvas& Canvas() { return FCanvas; }
    void EndPage() { Pages.push_back({FRecorder.TakeCalls()}); }

    TPageFormat Format;
    std::vector<TPrintedPage> Pages;

private:
    TBitmap FNoPixels;
    TCanvas FCanvas{FNoPixels};
    TCanvasRecorder FRecorder{FCanvas, TRecordLevel::Primitives};
};

// The cell texts of a table in row order: "R<row>C<column>", both from 1.
inline std::string CellText(int32_t Row, int32_t Column) {
    return "R" + std::to_string(Row) + "C" + std::to_string(Column);
}

// A table of Rows x Columns cells with rule lines round every cell, laid out in MM_LOMETRIC
// with 15 mm margins and "page N" at each page's top right, breaking to a new page when the
// next row would not fit. Answers the number of pages.
inline int32_t DrawTable(TPageDrawer& Drawer, int32_t Rows, int32_t Columns) {
    TCanvas& canvas = Drawer.Canvas();
    canvas.SetMapMode(MM_LOMETRIC);
    const int32_t width = static_cast<int32_t>(
        std::lround(Drawer.Format.Printable.cx * 254.0 / Drawer.Format.PixelsPerInch));
    const int32_t height = static_cast<int32_t>(
        std::lround(Drawer.Format.Printable.cy * 254.0 / Drawer.Format.PixelsPerInch));
    const int32_t margin = 150, rowHeight = 60, headerHeight = 80;
    const int32_t columnWidth = (width - 2 * margin) / Columns;
    const int32_t rowsPerPage = (height - 2 * margin - headerHeight) / rowHeight;
    int32_t page = 0;
    for (int32_t first = 1; first <= Rows; first += rowsPerPage) {
        ++page;
        const int32_t last = std::min(Rows, first + rowsPerPage - 1);
        canvas.Font().SetName("Arial");
        canvas.Font().SetHeight(-35);
        canvas.Brush().SetStyle(bsClear);
        canvas.SetTextAlign(0);
        canvas.TextOut(width - margin - 300, -margin, "page " + std::to_string(page));
        const int32_t top = -(margin + headerHeight);
        const int32_t bottom = top - (last - first + 1) * rowHeight;
        const int32_t right = margin + Columns * columnWidth;
        canvas.Pen().SetWidth(2);
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
        Drawer.EndPage();
    }
    return page;
}

}  // namespace vex::test
