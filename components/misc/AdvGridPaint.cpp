// How a cell looks: its colours as the owner gives them, footer rows and right fixed columns as
// fixed cells, the text placed by alignment, an image of GridImages, the sort mark.

#include <algorithm>

#include "components/misc/AdvGrid.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"

namespace vex {

namespace {

// Text keeps this far from the cell's sides; an image beside it keeps it as far again.
constexpr int32_t kTextInset = 2;
// The sort mark is a small triangle this wide, its point half as high.
constexpr int32_t kMarkWidth = 8;
constexpr int32_t kMarkGap = 10;
constexpr int32_t kMarkRightEdge = 14;

uint32_t AlignmentFlags(TAlignment Alignment, TVAlignment VAlignment) {
    const uint32_t horizontal = Alignment == taRightJustify ? DT_RIGHT
                                : Alignment == taCenter     ? DT_CENTER
                                                            : DT_LEFT;
    const uint32_t vertical = VAlignment == vtaTop      ? DT_TOP
                              : VAlignment == vtaBottom ? DT_BOTTOM
                                                        : DT_VCENTER;
    return horizontal | vertical;
}

}  // namespace

void TAdvStringGrid::Paint() {
    const TControlWatch watch(*this);
    TStringGrid::Paint();
    if (!watch.Expired()) DrawFixedBorders();
}

void TAdvStringGrid::DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) {
    TCanvas& canvas = Canvas();
    const int32_t realCol = RealColIndex(ACol);
    const bool extraFixed = IsFooterOrRightFixed(ACol, ARow);
    if (extraFixed) {
        // Never selected or focused: the colours the grid gave for that are taken back.
        AState = TGridDrawState{gdFixed};
        canvas.Font().Assign(&Font());
        canvas.Brush().SetColor(FixedColor());
    }
    const TControlWatch watch(*this);
    CellColors(ARow, realCol, AState, canvas.Brush(), canvas.Font());
    if (watch.Expired()) return;
    if (!DefaultDrawing()) {
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    if (AState.Contains(gdSelected)) {
        if (FSelectionColor != clNone) canvas.Brush().SetColor(FSelectionColor);
        if (FSelectionTextColor != clNone) canvas.Font().SetColor(FSelectionTextColor);
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(ARect);
    DrawCellText(ACol, ARow, realCol, ARect);
    if (watch.Expired()) return;
    if (extraFixed && Ctl3D() && Options().Contains(goFixedVertLine) &&
        Options().Contains(goFixedHorzLine)) {
        TRect edge = ARect;
        DrawEdge(canvas.Handle(), edge, BDR_RAISEDINNER, BF_RECT);
    }
    // OnDrawCell, past the string grid's own text.
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TAdvStringGrid::DrawCellText(int32_t ACol, int32_t ARow, int32_t ARealCol,
                                  const TRect& ARect) {
    TCanvas& canvas = Canvas();
    TAlignment alignment = taLeftJustify;
    const TControlWatch watch(*this);
    if (OnGetAlignment) OnGetAlignment(this, ARow, ARealCol, alignment);
    if (watch.Expired()) return;
    const std::string& text = Cells(ARealCol, ARow);
    const int32_t textWidth = canvas.TextWidth(text);
    TRect area = Rect(ARect.Left + kTextInset, ARect.Top, ARect.Right - kTextInset, ARect.Bottom);

    const auto* graphic = dynamic_cast<const TCellGraphic*>(Objects(ARealCol, ARow));
    const bool image =
        graphic != nullptr && graphic->Kind == TCellGraphic::ctImageList && FGridImages != nullptr;
    if (image) {
        // An image before left-aligned text, or after right-aligned text, takes room from it.
        const int32_t room = FGridImages->Width() + kTextInset;
        if (graphic->HAlign == 3 && alignment != taRightJustify) area.Left += room;
        if (graphic->HAlign == 4 && alignment == taRightJustify) area.Right -= room;
    }

    const bool sortHeader = ARow == 0 && FSortShow && FixedRows() > 0 &&
                            (ACol >= FixedCols() || FSortFixedCols) && ARealCol == FSortColumn;
    // Centred text moves right by the gap the mark keeps from it.
    if (sortHeader && alignment == taCenter) area.Left += 2 * kMarkGap;

    const int32_t saved = canvas.SaveDC();
    canvas.IntersectClipRect(ARect);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    TRect drawn = area;
    DrawText(canvas.Handle(), text, drawn,
             DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | AlignmentFlags(alignment, FVAlignment));
    const int32_t textLeft = alignment == taRightJustify ? area.Right - textWidth
                             : alignment == taCenter     ? (area.Left + area.Right - textWidth) / 2
                                                         : area.Left;
    if (sortHeader) {
        const int32_t markLeft = alignment == taRightJustify
                                     ? ARect.Right - kMarkRightEdge - textWidth
                                     : textLeft + textWidth + kMarkGap;
        DrawSortMark(canvas, markLeft, ARect);
    }
    if (image) DrawCellImage(*graphic, ARect, alignment, textLeft, textWidth);
    canvas.RestoreDC(saved);
}

void TAdvStringGrid::DrawSortMark(TCanvas& Canvas, int32_t X, const TRect& ARect) const {
    const int32_t middle = (ARect.Top + ARect.Bottom) / 2;
    const int32_t half = kMarkWidth / 2;
    // Ascending points up: the narrow end of the order is at the top.
    const bool up = FSortDirection == sdAscending;
    const int32_t tip = up ? middle - half / 2 - 1 : middle + half / 2 + 1;
    const int32_t base = up ? middle + half / 2 : middle - half / 2;
    // Lit from the top left: the left side in shadow, the right side and the base lit.
    Canvas.Pen().SetColor(clBtnShadow);
    Canvas.MoveTo(X, base);
    Canvas.LineTo(X + half, tip);
    Canvas.Pen().SetColor(clBtnHighlight);
    Canvas.LineTo(X + kMarkWidth, base);
    Canvas.LineTo(X, base);
}

void TAdvStringGrid::DrawCellImage(const TCellGraphic& Graphic, const TRect& ARect,
                                   TAlignment Alignment, int32_t TextLeft, int32_t TextWidth) {
    TCanvas& canvas = Canvas();
    const int32_t width = FGridImages->Width();
    const int32_t height = FGridImages->Height();
    const int32_t cellWidth = ARect.Right - ARect.Left;
    const int32_t cellHeight = ARect.Bottom - ARect.Top;
    const bool rightText = Alignment == taRightJustify;
    int32_t x = ARect.Left + 1;
    switch (Graphic.HAlign) {
        case 1:
            x = ARect.Right - width - 1;
            break;
        case 2:
            x = ARect.Left + std::max(0, (cellWidth - width) / 2);
            break;
        case 3:
            x = rightText ? TextLeft - kTextInset - width : ARect.Left + kTextInset;
            break;
        case 4:
            x = rightText ? ARect.Right - kTextInset - width : TextLeft + TextWidth + kTextInset;
            break;
        default:
            break;
    }
    int32_t y = ARect.Top + 1;
    switch (Graphic.VAlign) {
        case 1:
            y = ARect.Bottom - height - 1;
            break;
        case 2:
            y = ARect.Top + std::max(0, (cellHeight - height) / 2);
            break;
        case 3:
            y = ARect.Top + canvas.TextHeight("hg");
            break;
        default:
            break;
    }
    FGridImages->Draw(canvas, x, y, Graphic.ImageIndex);
}

void TAdvStringGrid::DrawFixedBorders() {
    const bool footers = FFixedFooters > 0 && FFixedFooters < RowCount();
    const bool rightCols = FFixedRightCols > 0 && FFixedRightCols < ColCount();
    const int32_t line = GridLineWidth();
    if ((!footers && !rightCols) || line == 0) return;
    TCanvas& canvas = Canvas();
    const bool horizontal = Options().Contains(goFixedHorzLine);
    const bool vertical = Options().Contains(goFixedVertLine);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    auto frame = [&](int32_t ACol, int32_t ARow) {
        const TRect cell = CellRect(ACol, ARow);
        if (IsRectEmpty(cell)) return;
        if (horizontal) {
            canvas.FillRect(Rect(cell.Left - line, cell.Top - line, cell.Right + line, cell.Top));
            canvas.FillRect(
                Rect(cell.Left - line, cell.Bottom, cell.Right + line, cell.Bottom + line));
        }
        if (vertical) {
            canvas.FillRect(Rect(cell.Left - line, cell.Top - line, cell.Left, cell.Bottom + line));
            canvas.FillRect(
                Rect(cell.Right, cell.Top - line, cell.Right + line, cell.Bottom + line));
        }
    };
    // Only the cells on screen: the grid may hold a million rows.
    const int32_t lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
    const int32_t lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
    auto rowOnScreen = [&](int32_t ARow) {
        auto cell = [&](int32_t ACol) {
            if (IsFooterOrRightFixed(ACol, ARow)) frame(ACol, ARow);
        };
        for (int32_t c = 0; c < FixedCols(); ++c)
            cell(c);
        for (int32_t c = LeftCol(); c <= lastCol; ++c)
            cell(c);
    };
    for (int32_t r = 0; r < FixedRows(); ++r)
        rowOnScreen(r);
    for (int32_t r = TopRow(); r <= lastRow; ++r)
        rowOnScreen(r);
}

}  // namespace vex
