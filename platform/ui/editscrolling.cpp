#include <algorithm>

#include "platform/ui/customedit.h"
#include "platform/win/caret.h"
#include "platform/win/scrollbars.h"
#include "platform/win/updateregion.h"

namespace vex {

namespace {

// Space between the edge of the client area and the text.
constexpr int32_t kMarginX = 2;
constexpr int32_t kMarginY = 1;

}  // namespace

TRect TCustomEdit::DefaultFormattingRect() const {
    const TRect client = GetClientRect();
    return Rect(client.Left + kMarginX, client.Top + kMarginY,
                std::max(client.Right - kMarginX, client.Left + kMarginX),
                std::max(client.Bottom - kMarginY, client.Top + kMarginY));
}

void TCustomEdit::UpdateFormattingRect(const TRect* Rect, bool Repaint) {
    FFormatRectSet = Rect != nullptr;
    FFormatRect = Rect != nullptr ? *Rect : DefaultFormattingRect();
    FLayout.SetWrapWidth(WordWrapping() ? std::max(FFormatRect.Right - FFormatRect.Left, 1) : 0);
    FTopRow = std::min(FTopRow, FLayout.RowCount(FTopLine) - 1);
    ScrollToCaret();
    UpdateScrollBar();
    if (Repaint) Invalidate();
}

int32_t TCustomEdit::VisibleRows() const {
    return std::max((FFormatRect.Bottom - FFormatRect.Top) / FRowHeight, 1);
}

int32_t TCustomEdit::StepRows(int32_t& Line, int32_t& Row, int32_t Delta) const {
    int32_t moved = 0;
    for (; Delta > 0; --Delta, ++moved) {
        if (Row + 1 < FLayout.RowCount(Line))
            ++Row;
        else if (Line + 1 < FText.LineCount())
            ++Line, Row = 0;
        else
            break;
    }
    for (; Delta < 0; ++Delta, --moved) {
        if (Row > 0)
            --Row;
        else if (Line > 0)
            --Line, Row = FLayout.RowCount(Line) - 1;
        else
            break;
    }
    return moved;
}

int32_t TCustomEdit::ViewRowOf(TEditPos Pos) const {
    return FLayout.RowsBefore(Pos.Line) + FLayout.RowOf(Pos) - FLayout.RowsBefore(FTopLine) -
           FTopRow;
}

TPoint TCustomEdit::PointOf(TEditPos Pos) const {
    return Point(FFormatRect.Left - FScrollX + FLayout.XOf(Pos),
                 FFormatRect.Top + ViewRowOf(Pos) * FRowHeight);
}

TEditPos TCustomEdit::PosAtPoint(TPoint P) const {
    const int32_t dy = P.Y - FFormatRect.Top;
    const int32_t viewRow = dy >= 0 ? dy / FRowHeight : (dy - FRowHeight + 1) / FRowHeight;
    int32_t line = FTopLine;
    int32_t row = FTopRow;
    StepRows(line, row, viewRow);
    return FLayout.PosAt(line, row, P.X - FFormatRect.Left + FScrollX);
}

void TCustomEdit::SetTop(int32_t Line, int32_t Row) {
    if (Line == FTopLine && Row == FTopRow) return;
    FTopLine = Line;
    FTopRow = Row;
    Invalidate();
}

void TCustomEdit::SetScrollX(int32_t Value) {
    Value = std::max(Value, 0);
    if (Value == FScrollX) return;
    FScrollX = Value;
    Invalidate();
}

void TCustomEdit::ScrollToCaret() {
    const TEditPos caret = FText.Caret();
    const int32_t width = FFormatRect.Right - FFormatRect.Left;
    if (!WordWrapping() && width > 0) {
        // The view jumps by a third of its width, so that typing on does not scroll every key.
        const int32_t x = FLayout.XOf(caret);
        if (x < FScrollX)
            SetScrollX(x - width / 3);
        else if (x >= FScrollX + width)
            SetScrollX(x - width + width / 3);
    }
    const int32_t row = MultiLine() ? ViewRowOf(caret) : 0;
    if (row < 0) {
        SetTop(caret.Line, FLayout.RowOf(caret));
    } else if (row >= VisibleRows()) {
        int32_t line = FTopLine;
        int32_t top = FTopRow;
        StepRows(line, top, row - VisibleRows() + 1);
        SetTop(line, top);
    }
    UpdateCaret();
}

void TCustomEdit::UpdateScrollBar() {
    if ((FScrollStyle & WS_VSCROLL) == 0 || !HandleAllocated()) return;
    const TScrollBarValues bar{std::max(FLayout.TotalRows() - 1, 0), VisibleRows(),
                               FLayout.RowsBefore(FTopLine) + FTopRow};
    if (bar.Max == FLastBar.Max && bar.Page == FLastBar.Page && bar.Pos == FLastBar.Pos) return;
    FLastBar = bar;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = bar.Max;
    info.nPage = static_cast<UINT>(bar.Page);
    info.nPos = bar.Pos;
    SetScrollInfo(Handle(), SB_VERT, info, true);
}

void TCustomEdit::VScrollNative(TMessage& Message) {
    int32_t line = FTopLine;
    int32_t row = FTopRow;
    const int32_t page = VisibleRows();
    switch (LOWORD(Message.WParam)) {
        case SB_LINEUP:
            StepRows(line, row, -1);
            break;
        case SB_LINEDOWN:
            StepRows(line, row, 1);
            break;
        case SB_PAGEUP:
            StepRows(line, row, -page);
            break;
        case SB_PAGEDOWN:
            StepRows(line, row, page);
            break;
        case SB_TOP:
            line = row = 0;
            break;
        case SB_BOTTOM:
            FLayout.RowAt(FLayout.TotalRows() - page, line, row);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            FLayout.RowAt(HIWORD(Message.WParam), line, row);
            break;
        default:
            return;
    }
    // The last page stays full.
    const int32_t lastTop = std::max(FLayout.TotalRows() - page, 0);
    if (FLayout.RowsBefore(line) + row > lastTop) FLayout.RowAt(lastTop, line, row);
    SetTop(line, row);
    UpdateScrollBar();
    UpdateCaret();
}

void TCustomEdit::UpdateCaret() {
    if (!HandleAllocated() || !Focused()) return;
    if (!FCaretMade) {
        CreateCaret(Handle(), nullptr, 1, FRowHeight);
        ShowCaret(Handle());
        FCaretMade = true;
    }
    const TPoint at = PointOf(FText.Caret());
    SetCaretPos(at.X, at.Y);
}

void TCustomEdit::InvalidateLines(int32_t First, int32_t Last) {
    if (!HandleAllocated()) return;
    const TRect client = GetClientRect();
    const int32_t top = FLayout.RowsBefore(FTopLine) + FTopRow;
    const int32_t firstRow = FLayout.RowsBefore(First) - top;
    if (Last >= 0 && Last < First) return;
    const int32_t endRow = Last < 0 ? INT32_MAX / 2 / FRowHeight
                                    : FLayout.RowsBefore(Last) + FLayout.RowCount(Last) - top;
    if (endRow <= 0 || firstRow >= VisibleRows() + 1) return;
    const TRect area =
        Rect(client.Left, std::max(FFormatRect.Top + firstRow * FRowHeight, client.Top),
             client.Right, std::min(FFormatRect.Top + endRow * FRowHeight, client.Bottom));
    if (area.Bottom > area.Top) InvalidateRect(Handle(), &area, false);
}

void TCustomEdit::InvalidateSelection(TEditPos A, TEditPos B) {
    if (A != B) InvalidateLines(std::min(A.Line, B.Line), std::max(A.Line, B.Line));
}

}  // namespace vex
