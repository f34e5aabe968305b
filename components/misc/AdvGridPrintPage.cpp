// Drawing a grid's pages: the bands one after the other, each down all its rows, with the page
// header and footer, the fixed rows again where asked, the cells and their borders. The layout
// runs y down the page; the canvas's metric mapping runs it up, so every y is negated here.

#include <algorithm>
#include <cmath>

#include "components/misc/AdvGridPrintJob.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/mapmode.h"

namespace vex {

namespace {

// The outer line of a double border lies this far outside the inner one.
constexpr int64_t kDoubleBorderGap = 8;

// Far beyond any page, and safe to add a page to.
constexpr int64_t kBeyondAnyPage = int64_t{1} << 29;

int32_t Fit(int64_t Units) {
    return static_cast<int32_t>(std::clamp(Units, -kBeyondAnyPage, kBeyondAnyPage));
}

// Image pixels print as points. Whatever scale the fit event chose, the length stays in range
// for the sums that place the image.
int64_t ImageUnits(int32_t Pixels, double Scale) {
    return std::llround(
        std::min(Pixels * 254.0 / 72.0 * Scale, static_cast<double>(kBeyondAnyPage)));
}

TRect PageRect(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom) {
    return Rect(Fit(Left), Fit(-Top), Fit(Right), Fit(-Bottom));
}

void Line(TCanvas& Canvas, int64_t X1, int64_t Y1, int64_t X2, int64_t Y2) {
    Canvas.MoveTo(Fit(X1), Fit(-Y1));
    Canvas.LineTo(Fit(X2), Fit(-Y2));
}

void Frame(TCanvas& Canvas, int64_t Left, int64_t Top, int64_t Right, int64_t Bottom) {
    Canvas.Polyline({Point(Fit(Left), Fit(-Top)), Point(Fit(Right), Fit(-Top)),
                     Point(Fit(Right), Fit(-Bottom)), Point(Fit(Left), Fit(-Bottom)),
                     Point(Fit(Left), Fit(-Top))});
}

}  // namespace

void TAdvGridPrintJob::PrintBands() {
    FCanvas = &FPrinter.Canvas();
    // Without a column there is still a page, with its header and footer.
    if (FLayout.Bands.empty()) StartPage(false);
    int64_t repeated = 0;
    if (FSettings.RepeatFixedRows)
        for (int32_t r = 0; r < FFixedRows; ++r)
            repeated += FRowHeights[static_cast<size_t>(r)];
    for (const TPrintBand& band : FLayout.Bands) {
        if (FBand) FinishPage();
        FBand = &band;
        StartPage(true);
        TPrintPaginator pages(FLayout.RowRoom(), FFixedRows, repeated);
        for (int32_t r = 0; r < FRowCount; ++r) {
            bool asked = false;
            if (FGrid.OnPrintNewPage) {
                FGrid.OnPrintNewPage(&FGrid, r, asked);
                CheckGrid();
            }
            const TPrintPaginator::TPlace place =
                pages.Place(r, FRowHeights[static_cast<size_t>(r)], asked);
            if (place.NewPage) {
                FinishPage();
                StartPage(false);
                int64_t top = FLayout.RowsTop();
                for (int32_t f = 0; place.RepeatFixedRows && f < FFixedRows; ++f) {
                    DrawRow(f, top);
                    top += FRowHeights[static_cast<size_t>(f)];
                }
            }
            DrawRow(r, FLayout.RowsTop() + place.Top);
        }
    }
    FinishPage();
}

void TAdvGridPrintJob::StartPage(bool BandStart) {
    if (FPageNr > 0) FPrinter.NewPage();
    ++FPageNr;
    FPageRows.clear();
    FCanvas->SetMapMode(MM_LOMETRIC);
    if (BandStart && FGrid.OnPrintPage) {
        // The handler may leave the canvas in any state (mapping, origins, clipping, alignment,
        // saved states): the cells must not inherit it.
        const int32_t saved = FCanvas->SaveDC();
        FGrid.OnPrintPage(&FGrid, *FCanvas, FPageNr, Fit(FLayout.PageWidth),
                          Fit(FLayout.PageHeight));
        FCanvas->RestoreDC(saved);
        CheckGrid();
    }
    DrawHeaderAndFooter();
}

void TAdvGridPrintJob::FinishPage() {
    if (FSettings.Borders != pbNoborder && !FPageRows.empty()) DrawBorders();
}

void TAdvGridPrintJob::DrawHeaderAndFooter() {
    TCanvas& canvas = *FCanvas;
    canvas.Brush().SetStyle(bsClear);
    static constexpr TPrintPosition positions[] = {ppTopLeft,    ppTopRight,    ppTopCenter,
                                                   ppBottomLeft, ppBottomRight, ppBottomCenter};
    for (const TPrintPosition at : positions) {
        const std::string text = PrintPositionText(FSettings, at, FPageNr, FWhen);
        if (text.empty()) continue;
        const bool top = at <= ppTopCenter;
        UsePrintFont(canvas, top ? FHeaderFont : FFooterFont);
        const int64_t width = canvas.TextWidth(text);
        const int64_t x = at == ppTopLeft || at == ppBottomLeft ? FLayout.TextLeft
                          : at == ppTopRight || at == ppBottomRight
                              ? FLayout.TextRight - width
                              : (FLayout.TextLeft + FLayout.TextRight - width) / 2;
        const int64_t y = top ? FLayout.HeaderTextTop : FLayout.FooterTextTop;
        canvas.TextOut(Fit(x), Fit(-y), text);
    }
}

void TAdvGridPrintJob::DrawRow(int32_t Row, int64_t Top) {
    // A row taller than the page's room is cut at the footer.
    const int64_t bottom =
        std::min(Top + FRowHeights[static_cast<size_t>(Row)], FLayout.RowsBottom());
    for (const TPrintBandColumn& column : *FBand)
        DrawCell(column, Row, Top, bottom);
    FPageRows.emplace_back(Top, bottom);
}

void TAdvGridPrintJob::DrawCell(const TPrintBandColumn& Column, int32_t Row, int64_t Top,
                                int64_t Bottom) {
    TCanvas& canvas = *FCanvas;
    TakeCellLook(canvas, Row, Column.Column, FLayout.Scale);
    const int32_t realCol = FRealCols[static_cast<size_t>(Column.Column)];
    TAlignment alignment = taLeftJustify;
    if (FGrid.OnGetAlignment) {
        FGrid.OnGetAlignment(&FGrid, Row, realCol, alignment);
        CheckGrid();
    }
    const int64_t left = Column.Left;
    const int64_t right = Column.Left + Column.Width;
    const TRect cell = PageRect(left, Top, right, Bottom);
    if (FCellBrush.Style() != bsClear) canvas.FillRect(cell, FCellBrush);

    const int32_t saved = canvas.SaveDC();
    canvas.IntersectClipRect(cell);
    canvas.Brush().SetStyle(bsClear);
    const std::string& text = FGrid.Cells(realCol, Row);
    const std::vector<std::string_view> lines = CellLines(text);
    const int64_t lineHeight = canvas.TextHeight("Wg");
    const auto* graphic = dynamic_cast<const TCellGraphic*>(FGrid.Objects(realCol, Row));
    const bool image = graphic && graphic->Kind == TCellGraphic::ctImageList &&
                       FGrid.GridImages() && graphic->ImageIndex >= 0 &&
                       graphic->ImageIndex < FGrid.GridImages()->Count();
    int64_t textLeft = left + FLayout.TextInset;
    int64_t textRight = right - FLayout.TextInset;
    // An image before left-aligned text, or after right-aligned text, takes room from it.
    const int64_t imageRoom =
        image ? ImageUnits(FGrid.GridImages()->Width(), FLayout.Scale) + FLayout.TextInset : 0;
    if (image && graphic->HAlign == 3 && alignment != taRightJustify) textLeft += imageRoom;
    if (image && graphic->HAlign == 4 && alignment == taRightJustify) textRight -= imageRoom;

    // The text as a block in the middle of the row, as the grid shows it.
    int64_t y = Top + std::max<int64_t>(0, (Bottom - Top - lineHeight * std::ssize(lines)) / 2);
    int64_t firstLeft = textLeft;
    int64_t firstWidth = 0;
    for (size_t i = 0; i < lines.size() && y < Bottom; ++i, y += lineHeight) {
        const int64_t width = canvas.TextExtent(lines[i]).cx;
        const int64_t x = alignment == taRightJustify ? textRight - width
                          : alignment == taCenter     ? (textLeft + textRight - width) / 2
                                                      : textLeft;
        if (i == 0) {
            firstLeft = x;
            firstWidth = width;
        }
        canvas.TextOut(Fit(x), Fit(-y), std::string(lines[i]));
    }
    if (image) DrawCellImage(*graphic, left, right, Top, Bottom, alignment, firstLeft, firstWidth);
    canvas.RestoreDC(saved);
}

void TAdvGridPrintJob::DrawCellImage(const TCellGraphic& Graphic, int64_t Left, int64_t Right,
                                     int64_t Top, int64_t Bottom, TAlignment Alignment,
                                     int64_t TextLeft, int64_t TextWidth) {
    TImageList& images = *FGrid.GridImages();
    const int64_t width = ImageUnits(images.Width(), FLayout.Scale);
    const int64_t height = ImageUnits(images.Height(), FLayout.Scale);
    const int64_t inset = FLayout.TextInset;
    const bool rightText = Alignment == taRightJustify;
    int64_t x = Left + inset;
    switch (Graphic.HAlign) {
        case 1:
            x = Right - inset - width;
            break;
        case 2:
            x = Left + std::max<int64_t>(0, (Right - Left - width) / 2);
            break;
        case 3:
            x = rightText ? TextLeft - inset - width : Left + inset;
            break;
        case 4:
            x = rightText ? Right - inset - width : TextLeft + TextWidth + inset;
            break;
        default:
            break;
    }
    int64_t y = Top;
    switch (Graphic.VAlign) {
        case 1:
            y = Bottom - height;
            break;
        case 2:
            y = Top + std::max<int64_t>(0, (Bottom - Top - height) / 2);
            break;
        case 3:
            y = Top + FCanvas->TextHeight("Wg");
            break;
        default:
            break;
    }
    // Drawn on the cell's own colour, so that its masked pixels show the cell.
    TBitmap picture;
    picture.SetSize(images.Width(), images.Height());
    TBrush paper;
    if (FCellBrush.Style() != bsClear) paper.Assign(&FCellBrush);
    picture.Canvas().FillRect(Rect(0, 0, images.Width(), images.Height()), paper);
    images.Draw(picture.Canvas(), 0, 0, Graphic.ImageIndex);
    FCanvas->StretchDraw(PageRect(x, y, x + width, y + height), picture);
}

void TAdvGridPrintJob::DrawBorders() {
    TCanvas& canvas = *FCanvas;
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    const int64_t left = FBand->front().Left;
    const int64_t right = FBand->back().Left + FBand->back().Width;
    const int64_t top = FPageRows.front().first;
    const int64_t bottom = FPageRows.back().second;
    Frame(canvas, left, top, right, bottom);
    for (auto row = FPageRows.begin(); row + 1 < FPageRows.end(); ++row)
        Line(canvas, left, row->second, right, row->second);
    for (auto column = FBand->begin() + 1; column < FBand->end(); ++column)
        Line(canvas, column->Left, top, column->Left, bottom);
    if (FSettings.Borders == pbDouble)
        Frame(canvas, left - kDoubleBorderGap, top - kDoubleBorderGap, right + kDoubleBorderGap,
              bottom + kDoubleBorderGap);
}

}  // namespace vex
