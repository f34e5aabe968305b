#include <algorithm>

#include "platform/ui/customedit.h"
#include "platform/ui/steppedscroll.h"
#include "platform/win/caret.h"
#include "platform/win/scrollbars.h"
#include "platform/win/updateregion.h"

namespace vex {

namespace {

// Space between the edge of the client area and the text.
constexpr int32_t kMarginX = 2;
constexpr int32_t kMarginY = 1;

// A rectangle asked for by a message is kept within kFar of the origin, where its sizes and
// the positions reckoned from it cannot overflow, and never inside out.
constexpr int32_t kFar = 1 << 20;

TRect Sane(const TRect& R) {
    const auto clamp = [](int32_t V) { return std::clamp(V, -kFar, kFar); };
    const int32_t left = clamp(R.Left);
    const int32_t top = clamp(R.Top);
    return Rect(left, top, std::max(clamp(R.Right), left), std::max(clamp(R.Bottom), top));
}

}  // namespace

TRect TCustomEdit::DefaultFormattingRect() const {
    const TRect client = GetClientRect();
    return Rect(client.Left + kMarginX, client.Top + kMarginY,
                std::max(client.Right - kMarginX, client.Left + kMarginX),
                std::max(client.Bottom - kMarginY, client.Top + kMarginY));
}

void TCustomEdit::UpdateFormattingRect(const TRect* Rect, bool Repaint) {
    FFormatRectSet = Rect != nullptr;
    FFormatRect = Rect != nullptr ? Sane(*Rect) : DefaultFormattingRect();
    FLayout.SetWrapWidth(WordWrapping() ? std::max(FFormatRect.Right - FFormatRect.Left, 1) : 0);
    FTopRow = std::min(FTopRow, FLayout.RowCount(FTopLine) - 1);
    ScrollToCaret();
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
    UpdateScrollBar();
}

void TCustomEdit::UpdateScrollBar() {
    if (!HandleAllocated()) return;
    if ((FScrollStyle & WS_VSCROLL) != 0)
        UpdateBar(SB_VERT, std::max(FLayout.TotalRows() - 1, 0), VisibleRows(),
                  FLayout.RowsBefore(FTopLine) + FTopRow);
    if ((FScrollStyle & WS_HSCROLL) != 0)
        UpdateBar(SB_HORZ, std::max(FWidest, FScrollX + FFormatRect.Right - FFormatRect.Left),
                  FFormatRect.Right - FFormatRect.Left, FScrollX);
}

void TCustomEdit::UpdateBar(int Bar, int32_t Max, int32_t Page, int32_t Pos) {
    TScrollBarValues& last = FLastBars[Bar];
    if (Max == last.Max && Page == last.Page && Pos == last.Pos) return;
    last = TScrollBarValues{Max, Page, Pos};
    SetScrollInfo(Handle(), Bar, SteppedScrollInfo(Max, Page, Pos, true), true);
}

void TCustomEdit::ScrollTo(int32_t Line, int32_t Row) {
    // The last page stays full.
    const int32_t lastTop = std::max(FLayout.TotalRows() - VisibleRows(), 0);
    if (FLayout.RowsBefore(Line) + Row > lastTop) FLayout.RowAt(lastTop, Line, Row);
    SetTop(Line, Row);
    UpdateScrollBar();
    UpdateCaret();
}

void TCustomEdit::WheelNative(TMessage& Message) {
    if (!MultiLine()) {
        TCustomControl::DefaultHandler(Message);
        return;
    }
    const int32_t notches = GET_WHEEL_DELTA_WPARAM(Message.WParam) / WHEEL_DELTA;
    int32_t line = FTopLine;
    int32_t row = FTopRow;
    StepRows(line, row, -3 * notches);
    ScrollTo(line, row);
    Message.Result = 1;
}

void TCustomEdit::HScrollNative(TMessage& Message) {
    const int32_t page = FFormatRect.Right - FFormatRect.Left;
    const std::optional<int32_t> x =
        HorizontalScrollTarget(Message.WParam, FScrollX, std::max(FRowHeight / 2, 1), page, FWidest,
                               FLastBars[SB_HORZ].Max);
    if (!x) return;
    SetScrollX(*x);
    UpdateScrollBar();
    UpdateCaret();
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
            FLayout.RowAt(ThumbPlace(Message.WParam, FLastBars[SB_VERT].Max), line, row);
            break;
        default:
            return;
    }
    ScrollTo(line, row);
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
