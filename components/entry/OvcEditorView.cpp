// How the editor measures, scrolls and paints its text, and where its caret goes.
#include <algorithm>

#include "components/entry/OvcEditor.h"
#include "components/entry/OvcErrors.h"
#include "components/entry/OvcParasText.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fontengine.h"
#include "platform/win/scrollbars.h"
#include "platform/win/scrollwindow.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Positions of the vertical scroll bar hold at most this many lines each before it is scaled.
constexpr int32_t MaxScrollPos = 32767;
constexpr int32_t MaxHorzRange = 512;

}  // namespace

TRect TOvcCustomEditor::TextRect() const {
    return Rect(FLeftMargin, 0, FLeftMargin + FVisibleCols * FCharWidth,
                FVisibleLines * FLineHeight);
}

int32_t TOvcCustomEditor::VisibleColumns() {
    HandleNeeded();
    return FVisibleCols;
}

bool TOvcCustomEditor::UpdateVisibleColumns() {
    const int32_t cols =
        std::max(1, (ClientWidth() - FLeftMargin - FRightMargin) / std::max(FCharWidth, 1));
    if (cols == FVisibleCols) return false;
    FVisibleCols = cols;
    if (HorzRange() == 0) FLeftCol = 0;
    UpdateHorzScrollBar();
    return true;
}

bool TOvcCustomEditor::UpdateVisibleLines() {
    const int32_t lines = std::max(1, ClientHeight() / std::max(FLineHeight, 1));
    if (lines == FVisibleLines) return false;
    FVisibleLines = lines;
    UpdateVertScrollBar();
    return true;
}

void TOvcCustomEditor::UpdateMetrics() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&FFixedFont->Font());
    const std::shared_ptr<const TRealizedFont> face = canvas.RealizedFont();
    const TTextMetric& metrics = face->Metrics();
    FCharWidth = std::max(metrics.tmAveCharWidth, 1);
    FLineHeight = metrics.tmHeight + metrics.tmExternalLeading + 1;
    // Scroll bars coming or going change the client area, and so the counts again.
    for (int pass = 0; pass < 4; ++pass) {
        const bool cols = UpdateVisibleColumns();
        const bool lines = UpdateVisibleLines();
        if (!cols && !lines) break;
    }
    FCaret->SetCellWidth(FCharWidth);
    FCaret->SetCellHeight(FLineHeight);
    FFullRepaint = true;
    Invalidate();
    if (FWrapToWindow && WordWrap()) SetWrapColumn(std::max(1, FVisibleCols - 2));
}

int32_t TOvcCustomEditor::HorzRange() const {
    const int32_t range = std::min(WordWrap() ? WrapColumn() : ParaLengthLimit(), MaxHorzRange);
    return std::max(range, FScrollBarsAlways ? 1 : 0);
}

void TOvcCustomEditor::UpdateHorzScrollBar() {
    if (!HandleAllocated()) return;
    const int32_t range = HorzRange();
    FLeftCol = std::clamp(FLeftCol, 0, std::max(0, range));
    if (FScrollBars != ssHorizontal && FScrollBars != ssBoth) return;
    if (range <= FVisibleCols && !FScrollBarsAlways) {
        SetScrollRange(Handle(), SB_HORZ, 0, 0, true);
        return;
    }
    SetScrollRange(Handle(), SB_HORZ, 0, range, false);
    SetScrollPos(Handle(), SB_HORZ, FLeftCol, true);
}

void TOvcCustomEditor::UpdateVertScrollBar() {
    const int32_t n = std::max(0, GetLineCount() - (FVisibleLines - 1));
    FScale = n <= MaxScrollPos ? 1 : 2 * (n / (MaxScrollPos + 1));
    if (!HandleAllocated() || (FScrollBars != ssVertical && FScrollBars != ssBoth)) return;
    if (GetLineCount() <= FVisibleLines && !FScrollBarsAlways) {
        SetScrollRange(Handle(), SB_VERT, 1, 1, true);
        return;
    }
    const int32_t top = std::max(n / FScale, FScrollBarsAlways ? 2 : 1);
    SetScrollRange(Handle(), SB_VERT, 1, top, false);
    SetScrollPos(Handle(), SB_VERT, FTopLine / FScale, true);
}

void TOvcCustomEditor::RefreshView(bool Full) {
    if (!HandleAllocated()) return;
    UpdateVertScrollBar();
    UpdateHorzScrollBar();
    UpdateMetrics();
    FFullRepaint = true;
    Invalidate();
    if (Full) Update();
    PlaceCaret();
}

void TOvcCustomEditor::SetTopLine(int32_t Line) {
    if (Line < 1 || Line > GetLineCount()) throw EInvalidLineOrPara();
    Scroll(0, Line - FTopLine);
}

void TOvcCustomEditor::Scroll(int32_t ColDelta, int32_t LineDelta) {
    const int32_t oldCol = FLeftCol;
    const int32_t oldTop = FTopLine;
    FLeftCol = std::max(0, FLeftCol + ColDelta);
    const int64_t top = int64_t{FTopLine} + LineDelta;
    FTopLine = static_cast<int32_t>(
        std::max<int64_t>(1, std::min<int64_t>(top, GetLineCount() - (FVisibleLines - 1))));
    if (FLeftCol == oldCol && FTopLine == oldTop) {
        PlaceCaret();
        return;
    }
    if (FTopLine != oldTop) {
        FTopPos = PosOfLine(FTopLine, 1);
        UpdateVertScrollBar();
    }
    if (FLeftCol != oldCol) UpdateHorzScrollBar();
    if (HandleAllocated()) {
        const TRect text = TextRect();
        const int64_t width = text.Right - text.Left;
        const int64_t height = text.Bottom - text.Top;
        int64_t dx = int64_t{oldCol - FLeftCol} * FCharWidth;
        int64_t dy = int64_t{oldTop - FTopLine} * FLineHeight;
        if (std::abs(dx) > width) dx = width + 1;
        if (std::abs(dy) > height) dy = height + 1;
        if (!FFullRepaint && std::abs(dx) < width && std::abs(dy) < height &&
            (dx == 0 || dy == 0)) {
            const TRect clip = ClientRect();
            ScrollWindow(Handle(), static_cast<int32_t>(dx), static_cast<int32_t>(dy), &text,
                         &clip);
            if (FShowBookmarks && dy != 0) {
                const TRect margin = Rect(0, 0, FLeftMargin, text.Bottom);
                ScrollWindow(Handle(), 0, static_cast<int32_t>(dy), &margin, &margin);
            }
            Update();
        } else if (FFullRepaint) {
            Update();
        } else {
            FFullRepaint = true;
            Invalidate();
        }
    }
    PlaceCaret();
    if (FTopLine != oldTop) DoOnTopLineChanged(FTopLine);
}

void TOvcCustomEditor::ScrollCaretIntoView() {
    int32_t lines = 0;
    if (FCaretLine < FTopLine)
        lines = FCaretLine - FTopLine;
    else if (FCaretLine >= FTopLine + FVisibleLines)
        lines = FCaretLine - (FTopLine + FVisibleLines - 1);
    const int32_t col =
        static_cast<int32_t>(ColumnOfPos(FParas->LineText(FCaretLine),
                                         static_cast<size_t>(FCaretCol - 1), TabSize())) +
        std::max(0, FCaretCol - 1 - LineLength(FCaretLine));
    int32_t cols = 0;
    if (col < FLeftCol)
        cols = col - FLeftCol;
    else if (col >= FLeftCol + FVisibleCols)
        cols = col - (FLeftCol + FVisibleCols - 1);
    Scroll(cols, lines);
}

void TOvcCustomEditor::PlaceCaret() {
    if (!HandleAllocated()) return;
    const int32_t col =
        static_cast<int32_t>(ColumnOfPos(FParas->LineText(FCaretLine),
                                         static_cast<size_t>(FCaretCol - 1), TabSize())) +
        std::max(0, FCaretCol - 1 - LineLength(FCaretLine));
    TPoint at = Point(32767, 32767);
    if (FCaretLine >= FTopLine && FCaretLine < FTopLine + FVisibleLines && col >= FLeftCol &&
        col < FLeftCol + FVisibleCols)
        at = Point((col - FLeftCol) * FCharWidth + FLeftMargin,
                   (FCaretLine - FTopLine) * FLineHeight);
    if (Focused()) FCaret->SetPosition(at);
    // Identical posts wait as one, so a burst of moves reports only where the caret ends.
    PostCoalescedMessage(Handle(), OVCM_CARETPOSITION, 0, 0);
}

void TOvcCustomEditor::InvalidateLines(int32_t FromLine, int32_t ToLine) {
    if (!HandleAllocated() || FFullRepaint) return;
    const int32_t first = std::max(FromLine, FTopLine);
    const int32_t last = std::min<int64_t>(ToLine, int64_t{FTopLine} + FVisibleLines);
    if (first > last) return;
    const TRect r = Rect(0, (first - FTopLine) * FLineHeight, ClientWidth(),
                         (last - FTopLine + 1) * FLineHeight);
    InvalidateRect(Handle(), &r, false);
}

void TOvcCustomEditor::InvalidateChange() {
    if (FParas->ChangedFromLine() == 0) return;
    InvalidateLines(FParas->ChangedFromLine(), FParas->ChangedToLine());
}

void TOvcCustomEditor::LoadMarkers() {
    if (FMarkers) return;
    auto markers = std::make_unique<TBitmap>();
    markers->LoadFromResourceName("MARKERS");
    FMarkers = std::move(markers);
}

void TOvcCustomEditor::PaintMarkers(TCanvas& C, int32_t /*Row*/, int32_t Line,
                                    const TRect& RowRect) {
    if (!FMarkers || FMarkers->Width() < 10) return;
    const int32_t glyphWidth = FMarkers->Width() / 10;
    const int32_t glyphHeight = FMarkers->Height();
    if (glyphWidth > FLeftMargin) return;
    for (int32_t i = 0; i < 10; ++i) {
        const TBookmark mark = FParas->Bookmark(i);
        if (mark.Para == 0 || mark.Para > GetParaCount()) continue;
        int32_t line = 0, col = 0;
        FParas->ParaToLine(mark.Para, std::max(mark.Pos, 1), line, col);
        if (line != Line) continue;
        int32_t y = RowRect.Top;
        if (FLineHeight >= glyphHeight + 2) y += (FLineHeight - glyphHeight) / 2;
        // The strip's key colour shows the margin through.
        C.Brush().SetColor(Color());
        C.BrushCopy(Rect(1, y, 1 + glyphWidth, y + glyphHeight), *FMarkers,
                    Rect(i * glyphWidth, 0, (i + 1) * glyphWidth, glyphHeight), clFuchsia);
        return;
    }
}

void TOvcCustomEditor::PaintRow(TCanvas& C, int32_t Line, const TRect& RowRect) {
    ++FPaintedLines;
    int32_t hbLine = 0, hbCol = 0, heLine = 0, heCol = 0;
    const bool showSelection = Enabled() && HasSelection() && (!FHideSelection || Focused());
    if (showSelection) GetSelection(hbLine, hbCol, heLine, heCol);

    std::string text;
    TTextPos at;
    if (Line <= GetLineCount()) {
        std::string expanded;
        GetLine(Line, expanded);
        if (static_cast<size_t>(FLeftCol) < expanded.size())
            text =
                expanded.substr(static_cast<size_t>(FLeftCol), static_cast<size_t>(FVisibleCols));
        at = PosOfLine(Line, 1);
    }
    const TRect textRect = Rect(FLeftMargin, RowRect.Top, RowRect.Right, RowRect.Bottom);
    if (DoOnDrawLine(C, textRect, text.c_str(), Length(text), Line, at.Pos, GetLineCount(), hbLine,
                     hbCol, heLine, heCol))
        return;
    C.Brush().SetColor(Color());
    C.FillRect(textRect);
    if (text.empty() && !(showSelection && Line >= hbLine && Line < heLine)) return;

    // The selection in display columns of this row.
    int32_t selFrom = 0, selTo = 0;
    if (showSelection && Line >= hbLine && Line <= heLine && Line <= GetLineCount()) {
        const std::string_view raw = FParas->LineText(Line);
        auto column = [&](int32_t Col) {
            return static_cast<int32_t>(ColumnOfPos(raw, static_cast<size_t>(Col - 1), TabSize())) +
                   std::max(0, Col - 1 - Length(raw));
        };
        selFrom = Line == hbLine ? column(hbCol) : 0;
        // A line end inside the selection shows as one selected cell.
        selTo = Line == heLine ? column(heCol) : column(Length(raw) + 1) + 1;
        selFrom = std::max(selFrom - FLeftCol, 0);
        selTo = std::max(selTo - FLeftCol, 0);
    }
    C.SetBkTransparent(true);
    C.SetTextColor(Enabled() ? FFixedFont->Color() : clGrayText);
    C.ExtTextOut(FLeftMargin, RowRect.Top, 0, nullptr, text);
    if (selTo > selFrom) {
        const TRect sel =
            Rect(FLeftMargin + selFrom * FCharWidth, RowRect.Top,
                 std::min(FLeftMargin + selTo * FCharWidth, textRect.Right), RowRect.Bottom);
        C.Brush().SetColor(FHighlightColors->BackColor());
        C.FillRect(sel);
        C.SetTextColor(FHighlightColors->TextColor());
        const auto from = static_cast<size_t>(selFrom);
        if (from < text.size())
            C.ExtTextOut(sel.Left, RowRect.Top, ETO_CLIPPED, &sel,
                         std::string_view(text).substr(from));
    }
}

void TOvcCustomEditor::Paint() {
    TCanvas& C = Canvas();
    C.Font().Assign(&FFixedFont->Font());
    C.Brush().SetColor(Color());
    TRect clip;
    C.GetClipBox(clip);
    const int32_t firstRow = std::max(0, clip.Top / FLineHeight);
    const int32_t lastRow = std::min(FVisibleLines, (clip.Bottom + FLineHeight - 1) / FLineHeight);
    if (clip.Left < FLeftMargin) C.FillRect(Rect(0, clip.Top, FLeftMargin, clip.Bottom));
    for (int32_t row = firstRow; row < lastRow; ++row) {
        const int32_t line = FTopLine + row;
        const TRect rowRect = Rect(0, row * FLineHeight, ClientWidth(), (row + 1) * FLineHeight);
        if (FShowBookmarks && line <= GetLineCount()) PaintMarkers(C, row, line, rowRect);
        PaintRow(C, line, rowRect);
    }
    // Below the last whole row.
    const int32_t bottom = FVisibleLines * FLineHeight;
    if (clip.Bottom > bottom) {
        C.Brush().SetColor(Color());
        C.FillRect(Rect(0, std::max(bottom, clip.Top), ClientWidth(), clip.Bottom));
    }
    FFullRepaint = false;
    PlaceCaret();
}

}  // namespace vex
