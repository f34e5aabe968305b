#include <algorithm>

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/customedit.h"

namespace vex {

void TCustomEdit::Paint() {
    TCanvas& canvas = Canvas();
    const HDC dc = canvas.Handle();
    const TRect client = ClientRect();
    TRect box;
    GetClipBox(dc, box);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
    canvas.Font().Assign(&Font());
    SetBkMode(dc, TRANSPARENT);
    const TSavedDC saved(dc);
    IntersectClipRect(dc, FFormatRect.Left, FFormatRect.Top, FFormatRect.Right, FFormatRect.Bottom);
    const bool showSelection =
        FText.HasSelection() && (!FHideSelection || (HandleAllocated() && Focused()));
    int32_t line = FTopLine;
    int32_t row = FTopRow;
    // Only the rows that meet what is being painted are drawn: a keystroke paints one row.
    for (int32_t y = FFormatRect.Top; y < FFormatRect.Bottom; y += FRowHeight) {
        if (y + FRowHeight > box.Top && y < box.Bottom)
            PaintRow(canvas, line, row, y, showSelection);
        if (StepRows(line, row, 1) == 0) break;
    }
}

void TCustomEdit::PaintRow(TCanvas& Canvas, int32_t Line, int32_t Row, int32_t Y,
                           bool ShowSelection) {
    const HDC dc = Canvas.Handle();
    const std::string& text = FText.Line(Line);
    const int32_t start = FLayout.RowStart(Line, Row);
    const int32_t end = FLayout.RowEnd(Line, Row);
    // The selected columns of this row, none when it is empty or hidden.
    int32_t selFrom = end;
    int32_t selTo = end;
    if (ShowSelection) {
        const TEditPos first = FText.SelFirst();
        const TEditPos last = FText.SelLast();
        if (first.Line <= Line && Line <= last.Line) {
            selFrom = std::clamp(first.Line < Line ? start : first.Col, start, end);
            selTo = std::clamp(last.Line > Line ? end : last.Col, start, end);
        }
    }
    const int32_t left = FFormatRect.Left - FScrollX;
    const auto xOf = [&](int32_t Col) { return left + FLayout.Width(Line, start, Col); };
    if (selTo > selFrom) {
        Canvas.Brush().SetColor(clHighlight);
        Canvas.FillRect(Rect(xOf(selFrom), Y, xOf(selTo), Y + FRowHeight));
    }
    const TColor normal = Enabled() ? clWindowText : clGrayText;
    std::string run;
    // Runs of one colour without tabs, each drawn where its first character lies.
    for (int32_t i = start; i < end;) {
        const bool selected = i >= selFrom && i < selTo;
        int32_t stop = i;
        run.clear();
        while (stop < end && (stop >= selFrom && stop < selTo) == selected &&
               (text[static_cast<size_t>(stop)] != '\t' || FPasswordChar != 0)) {
            run += FLayout.Shown(text[static_cast<size_t>(stop)]);
            ++stop;
        }
        if (stop == i) {  // a tab: blank
            ++i;
            continue;
        }
        SetTextColor(dc, selected ? clHighlightText : normal);
        ExtTextOut(dc, xOf(i), Y, 0, nullptr, run);
        i = stop;
    }
}

}  // namespace vex
