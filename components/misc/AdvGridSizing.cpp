// Column widths made to fit the texts, the last column stretched to the grid's width, and zoom.

#include <algorithm>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridCellText.h"
#include "platform/gfx/bitmap.h"

namespace vex {

namespace {

constexpr int32_t kMaxZoom = 10;

}  // namespace

void TColumnSize::SetStretch(bool Value) {
    FStretch = Value;
    FGrid.StretchLastColumn();
}

void TAdvStringGrid::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (FAutoSize) AutoSizeColumns(false, 10);
}

void TAdvStringGrid::CellColors(int32_t ARow, int32_t ARealCol, TGridDrawState AState,
                                TBrush& ABrush, TFont& AFont) {
    const TControlWatch watch(*this);
    if (OnGetCellColor) OnGetCellColor(this, ARow, ARealCol, AState, ABrush, AFont);
    // A size of 0 is the font's default and a negative one a cell height: either would draw
    // text larger than a step before.
    if (!watch.Expired() && FZoomFactor != 0)
        AFont.SetSize(std::max(1, AFont.Size() + FZoomFactor));
}

int32_t TAdvStringGrid::WidestLine(TCanvas& Canvas, const std::string& Text) {
    int32_t widest = 0;
    for (const std::string_view line : CellLines(Text))
        widest = std::max(widest, Canvas.TextWidth(std::string(line)));
    return widest;
}

void TAdvStringGrid::AutoSizeColumns(bool DoFixedCols, int32_t Extra) {
    TBitmap scratch;
    TCanvas canvas(scratch);
    // The owner's colour event may free the grid.
    const TControlWatch watch(*this);
    for (int32_t c = DoFixedCols ? 0 : FixedCols(); c < ColCount(); ++c) {
        const int32_t realCol = RealColIndex(c);
        int32_t widest = 0;
        for (int32_t r = 0; r < RowCount(); ++r) {
            const std::string& text = Cells(realCol, r);
            if (text.empty()) continue;
            TGridDrawState state;
            if (c < FixedCols() || r < FixedRows() || IsFooterOrRightFixed(c, r))
                state.Include(gdFixed);
            canvas.Font().Assign(&Font());
            canvas.Brush().SetColor(state.Contains(gdFixed) ? FixedColor() : Color());
            CellColors(r, realCol, state, canvas.Brush(), canvas.Font());
            if (watch.Expired()) return;
            widest = std::max(widest, WidestLine(canvas, text));
        }
        SetColWidths(
            c, static_cast<int32_t>(std::clamp<int64_t>(int64_t{widest} + Extra, 0, INT32_MAX)));
    }
}

void TAdvStringGrid::StretchLastColumn() {
    // Setting the last width lands here again through ColWidthsChanged.
    if (!FColumnSize.Stretch() || ColCount() == 0 || FStretching) return;
    FStretching = true;
    const int32_t client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(0, std::max(0, client));
    } else {
        int64_t used = 0;
        for (int32_t c = 0; c < ColCount() - 1; ++c)
            used += ColWidths(c) + GridLineWidth();
        if (used < client) SetColWidths(ColCount() - 1, static_cast<int32_t>(client - used));
    }
    FStretching = false;
}

void TAdvStringGrid::Resize() {
    const TControlWatch watch(*this);
    TStringGrid::Resize();
    if (!watch.Expired()) StretchLastColumn();
}

void TAdvStringGrid::Zoom(int32_t Delta) {
    if (Delta > kMaxZoom - FZoomFactor || Delta < -kMaxZoom - FZoomFactor) return;
    FZoomFactor += Delta;
    // A size that would leave the positive integers stays as it is, as one reaching 0 does.
    auto zoomed = [Delta](int32_t Size) {
        const int64_t size = int64_t{Size} + Delta;
        return size > 0 && size <= INT32_MAX ? static_cast<int32_t>(size) : Size;
    };
    for (int32_t c = 0; c < ColCount(); ++c)
        SetColWidths(c, zoomed(ColWidths(c)));
    for (int32_t r = 0; r < RowCount(); ++r)
        SetRowHeights(r, zoomed(RowHeights(r)));
    Invalidate();
}

}  // namespace vex
