// How a cell looks: its colours as the owner gives them, footer rows and right fixed columns as
// fixed cells, the text placed by alignment (in lines, as a link, cut with "..."), the cell's
// picture or check box, the sort mark.

#include <algorithm>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridCellText.h"
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
constexpr int32_t kCheckBoxSize = 15;

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
    if (watch.Expired()) return;
    DrawFixedBorders();
    DrawSelectionFrame();
    DrawPanAnchor();
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
    DrawCellText(ACol, ARow, realCol, ARect, AState);
    if (watch.Expired()) return;
    if (extraFixed && Ctl3D() && Options().Contains(goFixedVertLine) &&
        Options().Contains(goFixedHorzLine)) {
        TRect edge = ARect;
        DrawEdge(canvas.Handle(), edge, BDR_RAISEDINNER, BF_RECT);
    }
    // OnDrawCell, past the string grid's own text.
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TAdvStringGrid::DrawCellText(int32_t ACol, int32_t ARow, int32_t ARealCol, const TRect& ARect,
                                  TGridDrawState AState) {
    TCanvas& canvas = Canvas();
    TAlignment alignment = taLeftJustify;
    const TControlWatch watch(*this);
    if (OnGetAlignment) OnGetAlignment(this, ARow, ARealCol, alignment);
    if (watch.Expired()) return;
    const std::string& text = Cells(ARealCol, ARow);
    TRect area = Rect(ARect.Left + kTextInset, ARect.Top, ARect.Right - kTextInset, ARect.Bottom);

    const auto* graphic = dynamic_cast<const TCellGraphic*>(Objects(ARealCol, ARow));
    const TSize imageSize = graphic != nullptr ? GraphicSize(*graphic) : TSize{0, 0};
    const bool image = imageSize.cx > 0 && imageSize.cy > 0;
    if (image) {
        // An image before left-aligned text, or after right-aligned text, takes room from it.
        const int32_t room = imageSize.cx + kTextInset;
        if (graphic->HAlign == 3 && alignment != taRightJustify) area.Left += room;
        if (graphic->HAlign == 4 && alignment == taRightJustify) area.Right -= room;
    }

    const bool sortHeader = ARow == 0 && FSortShow && FixedRows() > 0 &&
                            (ACol >= FixedCols() || FSortFixedCols) && ARealCol == FSortColumn;
    // Centred text moves right by the gap the mark keeps from it.
    if (sortHeader && alignment == taCenter) area.Left += 2 * kMarkGap;

    if (FURLShow && IsLinkText(text)) {
        // A selected link keeps the selection's text colour, readable on the selection's fill.
        if (!AState.Contains(gdSelected) || FSelectionTextColor == clNone)
            canvas.Font().SetColor(FURLColor);
        TFontStyles style = canvas.Font().Style();
        style.Include(fsUnderline);
        canvas.Font().SetStyle(style);
    }

    const int32_t saved = canvas.SaveDC();
    canvas.IntersectClipRect(ARect);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    const std::string_view linkShown =
        FURLShow ? LinkShownText(text, FURLFull) : std::string_view(text);
    const uint32_t flags = DT_NOPREFIX | DT_EXPANDTABS | AlignmentFlags(alignment, FVAlignment);
    int32_t textWidth = 0;
    if (FMultilinecells) {
        std::vector<std::string> lines;
        for (const std::string_view line : CellLines(linkShown)) {
            lines.push_back(ShownText(canvas, line, area.Right - area.Left));
            textWidth = std::max(textWidth, canvas.TextWidth(lines.back()));
        }
        DrawTextLines(canvas, lines, area, flags);
    } else {
        const std::string shown = ShownText(canvas, linkShown, area.Right - area.Left);
        textWidth = canvas.TextWidth(shown);
        TRect drawn = area;
        DrawText(canvas.Handle(), shown, drawn, flags | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    }
    const int32_t textLeft = alignment == taRightJustify ? area.Right - textWidth
                             : alignment == taCenter     ? (area.Left + area.Right - textWidth) / 2
                                                         : area.Left;
    if (sortHeader) {
        const int32_t markLeft = alignment == taRightJustify
                                     ? ARect.Right - kMarkRightEdge - textWidth
                                     : textLeft + textWidth + kMarkGap;
        DrawSortMark(canvas, markLeft, ARect);
    }
    if (image)
        DrawCellImage(*graphic,
                      ImagePlace(*graphic, imageSize, ARect, alignment, textLeft, textWidth));
    canvas.RestoreDC(saved);
}

std::string TAdvStringGrid::ShownText(TCanvas& Canvas, std::string_view Text,
                                      int32_t AreaWidth) const {
    if (!FEnhTextSize || FWordWrap) return std::string(Text);
    return EllipsisText(Text, AreaWidth, [&Canvas](std::string_view Piece) {
        return Canvas.TextWidth(std::string(Piece));
    });
}

void TAdvStringGrid::DrawTextLines(TCanvas& Canvas, const std::vector<std::string>& Lines,
                                   const TRect& Area, uint32_t Flags) {
    const int32_t lineHeight = Canvas.TextHeight("hg");
    const int32_t block = lineHeight * static_cast<int32_t>(Lines.size());
    int32_t top = FVAlignment == vtaTop      ? Area.Top
                  : FVAlignment == vtaBottom ? Area.Bottom - block
                                             : Area.Top + (Area.Bottom - Area.Top - block) / 2;
    // Each line keeps its horizontal place; the block as a whole takes the vertical one.
    const uint32_t horizontal = Flags & ~(DT_VCENTER | DT_BOTTOM);
    for (const std::string& line : Lines) {
        TRect box = Rect(Area.Left, top, Area.Right, top + lineHeight);
        DrawText(Canvas.Handle(), line, box, horizontal | DT_SINGLELINE | DT_TOP);
        top += lineHeight;
    }
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

TSize TAdvStringGrid::GraphicSize(const TCellGraphic& Graphic) const {
    switch (Graphic.Kind) {
        case TCellGraphic::ctBitmap:
            if (Graphic.Bitmap != nullptr)
                return {Graphic.Bitmap->Width(), Graphic.Bitmap->Height()};
            break;
        case TCellGraphic::ctIcon:
            if (Graphic.Icon != nullptr) return {Graphic.Icon->Width(), Graphic.Icon->Height()};
            break;
        case TCellGraphic::ctImageList:
            if (FGridImages != nullptr) return {FGridImages->Width(), FGridImages->Height()};
            break;
        case TCellGraphic::ctCheckBox:
            return {kCheckBoxSize, kCheckBoxSize};
    }
    return {0, 0};
}

TPoint TAdvStringGrid::ImagePlace(const TCellGraphic& Graphic, TSize Size, const TRect& ARect,
                                  TAlignment Alignment, int32_t TextLeft, int32_t TextWidth) {
    const int32_t cellWidth = ARect.Right - ARect.Left;
    const int32_t cellHeight = ARect.Bottom - ARect.Top;
    const bool rightText = Alignment == taRightJustify;
    int32_t x = ARect.Left + 1;
    switch (Graphic.HAlign) {
        case 1:
            x = ARect.Right - Size.cx - 1;
            break;
        case 2:
            x = ARect.Left + std::max(0, (cellWidth - Size.cx) / 2);
            break;
        case 3:
            x = rightText ? TextLeft - kTextInset - Size.cx : ARect.Left + kTextInset;
            break;
        case 4:
            x = rightText ? ARect.Right - kTextInset - Size.cx : TextLeft + TextWidth + kTextInset;
            break;
        default:
            break;
    }
    int32_t y = ARect.Top + 1;
    switch (Graphic.VAlign) {
        case 1:
            y = ARect.Bottom - Size.cy - 1;
            break;
        case 2:
            y = ARect.Top + std::max(0, (cellHeight - Size.cy) / 2);
            break;
        case 3:
            y = ARect.Top + Canvas().TextHeight("hg");
            break;
        default:
            break;
    }
    return {x, y};
}

void TAdvStringGrid::DrawCellImage(const TCellGraphic& Graphic, TPoint At) {
    TCanvas& canvas = Canvas();
    switch (Graphic.Kind) {
        case TCellGraphic::ctBitmap: {
            if (!Graphic.Transparent) {
                canvas.Draw(At.X, At.Y, *Graphic.Bitmap);
                break;
            }
            // The top-left pixel's colour is left out, so the cell's fill (the selection
            // colour in a selected cell) shows through.
            TBitmap picture;
            picture.Assign(Graphic.Bitmap);
            picture.SetTransparentColor(PixelToColor(Graphic.Bitmap->ScanLine(0)[0]));
            picture.SetTransparent(true);
            canvas.Draw(At.X, At.Y, picture);
            break;
        }
        case TCellGraphic::ctIcon:
            canvas.Draw(At.X, At.Y, *Graphic.Icon);
            break;
        case TCellGraphic::ctImageList:
            FGridImages->Draw(canvas, At.X, At.Y, Graphic.ImageIndex);
            break;
        case TCellGraphic::ctCheckBox: {
            TRect box = Rect(At.X, At.Y, At.X + kCheckBoxSize, At.Y + kCheckBoxSize);
            DrawFrameControl(canvas.Handle(), box, DFC_BUTTON,
                             DFCS_BUTTONCHECK | (Graphic.CheckState ? DFCS_CHECKED : 0));
            break;
        }
    }
}

void TAdvStringGrid::DrawSelectionFrame() {
    if (!FSelectionRectangle || ColCount() == 0 || RowCount() == 0) return;
    const TGridRect selection = Selection();
    const TRect box = BoxRect(selection.Left, selection.Top, selection.Right, selection.Bottom);
    if (IsRectEmpty(box)) return;
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clWindowText);
    canvas.FrameRect(box);
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
