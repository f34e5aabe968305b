// How the grid paints: only the cells that meet the area being painted, each through DrawCell
// in the colours of its state, then the grid lines, then the background past the last cells.

#include <algorithm>

#include "platform/gfx/edges.h"
#include "platform/ui/grid.h"

namespace vex {

namespace {

bool Meets(int32_t Start, int32_t End, int32_t Low, int32_t High) {
    return Start < High && End > Low;
}

}  // namespace

TGridDrawState TCustomGrid::CellState(int32_t ACol, int32_t ARow) const {
    TGridDrawState state;
    if (ACol < FFixedCols || ARow < FFixedRows) {
        state.Include(gdFixed);
        return state;
    }
    const bool rowSelect = FOptions.Contains(goRowSelect);
    const bool current = ARow == FCurrent.Y && (ACol == FCurrent.X || rowSelect);
    // const_cast: Focused asks the window, which changes nothing of the grid.
    const bool focused = const_cast<TCustomGrid*>(this)->Focused();
    if (current && focused) state.Include(gdFocused);
    // The current cell shows as the place being typed into, not as part of the selection,
    // unless the options ask for it highlighted.
    if (IsSelected(ACol, ARow) &&
        (!current || rowSelect || FOptions.Contains(goDrawFocusSelected) || !focused))
        state.Include(gdSelected);
    return state;
}

void TCustomGrid::Paint() {
    const TRect update = Canvas().ClipRect();
    const TControlWatch watch(*this);
    DrawCells(update);
    if (watch.Expired()) return;
    DrawLines(update);
    // A live line or move mark over what was painted again shows as before.
    if (FSizingLineShown) InvertSizingLine(Canvas());
    if (FMoveMarkShown) InvertMoveMark(Canvas());
}

void TCustomGrid::DrawCells(const TRect& Update) {
    TCanvas& canvas = Canvas();
    const TAxisDraw horz = AxisDraw(true);
    const TAxisDraw vert = AxisDraw(false);
    const TControlWatch watch(*this);

    // The rows and columns on screen, in screen order, with where each starts.
    auto walk = [](const TAxisDraw& d, const TGridAxis& axis, int32_t Low, int32_t High,
                   auto&& Visit) {
        int64_t pos = 0;
        auto step = [&](int32_t I) {
            const int32_t start = static_cast<int32_t>(pos);
            pos += int64_t{axis.Size(I)} + d.LineWidth;
            const int32_t end = static_cast<int32_t>(std::min<int64_t>(pos, INT32_MAX));
            // A cell of size 0 is hidden, and thousands of them may lie at one place.
            if (axis.Size(I) > 0 && Meets(start, end, Low, High))
                return Visit(I, start, end - d.LineWidth);
            return true;
        };
        for (int32_t i = 0; i < d.FixedCount && pos < d.GridExtent; ++i)
            if (!step(i)) return;
        for (int32_t i = d.FirstCell; i < d.Count && pos < d.GridExtent && pos < High; ++i)
            if (!step(i)) return;
    };

    walk(vert, FRows, Update.Top, Update.Bottom, [&](int32_t row, int32_t top, int32_t bottom) {
        walk(horz, FCols, Update.Left, Update.Right, [&](int32_t col, int32_t left, int32_t right) {
            const TRect cell = Rect(left, top, right, bottom);
            const TGridDrawState state = CellState(col, row);
            canvas.Font().Assign(&Font());
            if (state.Contains(gdFixed)) {
                canvas.Brush().SetColor(FFixedColor);
            } else if (state.Contains(gdSelected)) {
                canvas.Brush().SetColor(clHighlight);
                canvas.Font().SetColor(clHighlightText);
            } else {
                canvas.Brush().SetColor(Color());
            }
            if (FDefaultDrawing) canvas.FillRect(cell);
            DrawCell(col, row, cell, state);
            if (watch.Expired()) return false;
            if (FDefaultDrawing && state.Contains(gdFixed) && Ctl3D() &&
                FOptions.Contains(goFixedVertLine) && FOptions.Contains(goFixedHorzLine)) {
                TRect edge = cell;
                DrawEdge(canvas.Handle(), edge, BDR_RAISEDINNER, BF_RECT);
            }
            if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
                !FEditorMode)
                DrawFocusRect(canvas.Handle(), cell);
            return true;
        });
        return !watch.Expired();
    });
    if (watch.Expired()) return;

    if (FDefaultDrawing && FOptions.Contains(goRowSelect) && Focused()) {
        const TRect row = BoxRect(FFixedCols, FCurrent.Y, ColCount() - 1, FCurrent.Y);
        if (!IsRectEmpty(row)) DrawFocusRect(canvas.Handle(), row);
    }

    // What lies past the last column and below the last row.
    canvas.Brush().SetColor(Color());
    const TRect client = GridClient();
    if (horz.GridBoundary < client.Right)
        canvas.FillRect(Rect(horz.GridBoundary, client.Top, client.Right, client.Bottom));
    if (vert.GridBoundary < client.Bottom)
        canvas.FillRect(Rect(client.Left, vert.GridBoundary, horz.GridBoundary, client.Bottom));
}

void TCustomGrid::DrawLines(const TRect& Update) {
    TCanvas& canvas = Canvas();
    const TColor fixedLine = clBlack;
    const TColor cellLine = Color() == clSilver ? clGray : clSilver;

    // One direction's lines: each after its cell, across the fixed cells of the other
    // direction in the fixed style and across its scrolling cells in the style of the cell the
    // line follows.
    auto lines = [&](bool Horizontal) {
        const TAxisDraw d = AxisDraw(Horizontal);
        const TAxisDraw other = AxisDraw(!Horizontal);
        if (d.LineWidth == 0) return;
        const bool fixedOn = FOptions.Contains(Horizontal ? goFixedVertLine : goFixedHorzLine);
        const bool cellOn = FOptions.Contains(Horizontal ? goVertLine : goHorzLine);
        const TGridAxis& axis = Axis(Horizontal);
        auto draw = [&](int32_t Pos, int32_t From, int32_t To, TColor Color) {
            if (From >= To) return;
            const TRect r = Horizontal ? Rect(Pos, From, Pos + d.LineWidth, To)
                                       : Rect(From, Pos, To, Pos + d.LineWidth);
            if (r.Right <= Update.Left || r.Left >= Update.Right || r.Bottom <= Update.Top ||
                r.Top >= Update.Bottom)
                return;
            canvas.Brush().SetColor(Color);
            canvas.FillRect(r);
        };
        auto line = [&](int32_t Index, int32_t Pos) {
            const bool fixedCell = Index < d.FixedCount;
            if (fixedOn) draw(Pos, 0, other.FixedBoundary, fixedLine);
            if (fixedCell ? fixedOn : cellOn)
                draw(Pos, other.FixedBoundary, other.GridBoundary,
                     fixedCell ? fixedLine : cellLine);
        };
        int64_t pos = 0;
        for (int32_t i = 0; i < d.FixedCount && pos < d.GridExtent; ++i) {
            pos += axis.Size(i);
            // Past the client area the position may not even fit in 32 bits.
            if (pos >= d.GridExtent) break;
            line(i, static_cast<int32_t>(pos));
            pos += d.LineWidth;
        }
        for (int32_t i = d.FirstCell; i < d.Count && pos < d.GridExtent; ++i) {
            pos += axis.Size(i);
            if (pos >= d.GridExtent) break;
            line(i, static_cast<int32_t>(pos));
            pos += d.LineWidth;
        }
    };
    lines(true);
    lines(false);
}

}  // namespace vex
