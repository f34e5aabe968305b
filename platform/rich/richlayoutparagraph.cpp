#include "platform/rich/richlayoutparagraph.h"

#include <algorithm>
#include <limits>

namespace vex {

namespace {

constexpr int32_t DefaultTabTwips = 720;
// An object run whose object the document does not hold still takes the room of a small
// picture: 32 pixels each way on the screen, as large on other devices.
constexpr int32_t MissingObjectPixels = 32;

int32_t Saturate(int64_t Value) {
    return SaturateToInt32(Value);
}

}  // namespace

TSize RichObjectBox(const TRichDocument& Document, uint32_t Object, int32_t PixelsPerInch) {
    if (const IRichObject* object = Document.Object(Object)) {
        const TSize extent = object->Extent();
        return TSize{std::max(1, TwipsToPixels(extent.cx, PixelsPerInch)),
                     std::max(1, TwipsToPixels(extent.cy, PixelsPerInch))};
    }
    const int32_t side = std::max(1, MissingObjectPixels * PixelsPerInch / ScreenPixelsPerInch);
    return TSize{side, side};
}

std::shared_ptr<const std::vector<int32_t>> RichRunStarts(const TRichParagraph& Paragraph) {
    auto starts = std::make_shared<std::vector<int32_t>>();
    starts->reserve(Paragraph.Runs.size());
    int32_t at = 0;
    for (const TRichRun& run : Paragraph.Runs) {
        starts->push_back(at);
        at += run.Length;
    }
    return starts;
}

TRichParagraphLayout::TRichParagraphLayout(const TRichDocument& Document, TRichFontCache& Fonts,
                                           int32_t Index, int32_t WrapWidth,
                                           std::shared_ptr<const std::vector<int32_t>> RunStarts)
    : FDocument(Document),
      FFonts(Fonts),
      FParagraph(Document.Paragraph(Index)),
      FFormat(Document.ParaFormats()[FParagraph.Format]),
      FWrapWidth(std::max(0, WrapWidth)),
      FRunStartsHeld(RunStarts ? std::move(RunStarts) : RichRunStarts(FParagraph)),
      FRunStarts(*FRunStartsHeld) {}

int32_t TRichParagraphLayout::RunAt(int32_t Offset) const {
    const auto after = std::upper_bound(FRunStarts.begin(), FRunStarts.end(), Offset);
    return static_cast<int32_t>(after - FRunStarts.begin()) - 1;
}

int64_t TRichParagraphLayout::NextTabStop(int64_t X) const {
    // Custom stops first, counted from the layout's left edge; past them the default ones.
    int64_t best = std::numeric_limits<int64_t>::max();
    for (int32_t tab : FFormat.Tabs) {
        const int64_t stop = TwipsToPixels(tab, PixelsPerInch());
        if (stop > X) best = std::min(best, stop);
    }
    if (best != std::numeric_limits<int64_t>::max()) return best;
    const int64_t step = std::max(1, TwipsToPixels(DefaultTabTwips, PixelsPerInch()));
    return (X >= 0 ? X / step + 1 : 0) * step;
}

int64_t TRichParagraphLayout::Advance(int32_t Run, int32_t Offset, int64_t X) const {
    const TRichRun& run = FParagraph.Runs[Run];
    if (run.Object != 0) return RichObjectBox(FDocument, run.Object, PixelsPerInch()).cx;
    const auto ch = static_cast<uint8_t>(FParagraph.Text[Offset]);
    if (IsMarkOrBreak(static_cast<char>(ch))) return 0;
    if (ch == '\t') return NextTabStop(X) - X;
    return FFonts.Advance(run.Format, ch);
}

int64_t TRichParagraphLayout::RightEdge(int32_t Indent) const {
    if (FWrapWidth <= 0) return std::numeric_limits<int64_t>::max();
    const int64_t right = std::max(0, TwipsToPixels(FFormat.RightIndent, PixelsPerInch()));
    return std::max<int64_t>(FWrapWidth - right, int64_t{Indent} + 1);
}

int32_t TRichParagraphLayout::BulletFormat() const {
    return FParagraph.FormatAt(0, FDocument.DefaultCharFormat());
}

int32_t TRichParagraphLayout::IndentOf(bool First) const {
    const int64_t start = std::max(0, TwipsToPixels(FFormat.StartIndent, PixelsPerInch()));
    const int64_t offset = TwipsToPixels(FFormat.Offset, PixelsPerInch());
    if (!First) return Saturate(std::max<int64_t>(0, start + offset));
    if (FFormat.Numbering != PFN_BULLET) return Saturate(start);
    // The text after a bullet lines up with the lines below when the offset leaves room for
    // the bullet, and follows it at a blank's distance when it does not.
    const int32_t bullet = BulletFormat();
    return Saturate(start +
                    std::max<int64_t>(offset, int64_t{FFonts.Advance(bullet, RichBulletChar)} +
                                                  FFonts.Advance(bullet, ' ')));
}

void TRichParagraphLayout::Measure(const TRichLaidLine& Line, int32_t& Ascent,
                                   int32_t& Descent) const {
    const auto take = [&](int32_t Ascend, int32_t Descend) {
        Ascent = std::max(Ascent, Ascend);
        Descent = std::max(Descent, Descend);
    };
    const auto takeFont = [&](int32_t Format) {
        const TRichFontMeasures& measures = FFonts.Measures(Format);
        take(measures.Ascent, measures.Descent);
    };
    Ascent = Descent = 0;
    if (Line.Start == 0 && FFormat.Numbering == PFN_BULLET) takeFont(BulletFormat());
    if (Line.Length == 0) {
        takeFont(FParagraph.FormatAt(Line.Start, FDocument.DefaultCharFormat()));
        return;
    }
    const int32_t end = Line.Start + Line.Length;
    for (int32_t run = RunAt(Line.Start);
         run < static_cast<int32_t>(FParagraph.Runs.size()) && FRunStarts[run] < end; ++run) {
        const TRichRun& r = FParagraph.Runs[run];
        if (r.Object == 0) {
            takeFont(r.Format);
            continue;
        }
        take(RichObjectBox(FDocument, r.Object, PixelsPerInch()).cy, 0);
    }
}

void TRichParagraphLayout::FinishLine(TRichLaidLine& Line, bool Before, bool After,
                                      int64_t VisibleEnd, int64_t Right) const {
    int32_t ascent = 0, descent = 0;
    Measure(Line, ascent, descent);
    const int64_t natural = std::max(1, ascent + descent);
    int64_t height = natural;
    const int64_t spacing = TwipsToPixels(FFormat.LineSpacing, PixelsPerInch());
    switch (FFormat.LineSpacingRule) {
        case 1:
            height = natural * 3 / 2;
            break;
        case 2:
            height = natural * 2;
            break;
        case 3:
            height = std::max(natural, spacing);
            break;
        case 4:
            height = spacing;
            break;
        case 5:
            height = natural * FFormat.LineSpacing / 20;
            break;
        default:
            break;
    }
    height = std::clamp<int64_t>(height, 1, 1 << 20);
    // Room a spacing rule adds goes above the text, and an exact spacing smaller than the text
    // takes it from there too, so the baselines keep the rule's distance.
    int64_t baseline = std::clamp<int64_t>(ascent + height - natural, 0, height);
    if (Before) {
        const int64_t before =
            std::clamp(TwipsToPixels(FFormat.SpaceBefore, PixelsPerInch()), 0, 1 << 20);
        height += before;
        baseline += before;
    }
    if (After) height += std::clamp(TwipsToPixels(FFormat.SpaceAfter, PixelsPerInch()), 0, 1 << 20);
    Line.Height = Saturate(height);
    Line.Baseline = Saturate(baseline);

    if (Right == std::numeric_limits<int64_t>::max()) return;
    const int64_t room = Right - VisibleEnd;
    if (room <= 0) return;
    if (FFormat.Alignment == PFA_RIGHT) Line.Shift = Saturate(room);
    if (FFormat.Alignment == PFA_CENTER) Line.Shift = Saturate(room / 2);
}

int32_t TRichParagraphLayout::BreakLine(TRichLaidLine& Line, int32_t End, int64_t Limit,
                                        int64_t& VisibleEnd) const {
    const std::string& text = FParagraph.Text;
    const int32_t start = Line.Start;
    // Blanks may pass the limit: a line breaks after them, at the last blank before the
    // character that does not fit, or inside a word that fills a line alone.
    int64_t x = Line.Indent, visibleEnd = x, breakX = x, breakVisible = x;
    int32_t end = End, breakAt = -1;
    int32_t run = start < static_cast<int32_t>(text.size()) ? RunAt(start) : 0;
    for (int32_t i = start; i < End; ++i) {
        while (run + 1 < static_cast<int32_t>(FRunStarts.size()) && FRunStarts[run + 1] <= i)
            ++run;
        const char ch = text[i];
        const int64_t width = Advance(run, i, x);
        // A row's marks hang as a blank does: they end a cell, or its line, where its text ends.
        const bool hangs = ch == ' ' || IsMarkOrBreak(ch);
        if (!hangs && x + width > Limit && i > start) {
            if (breakAt > start) {
                end = breakAt;
                x = breakX;
                visibleEnd = breakVisible;
            } else {
                end = i;
            }
            break;
        }
        x += width;
        if (!hangs) visibleEnd = x;
        if (IsMarkOrBreak(ch)) {
            end = i + 1;
            break;
        }
        if (ch == ' ' || ch == '\t') {
            breakAt = i + 1;
            breakX = x;
            breakVisible = visibleEnd;
        }
    }
    Line.Length = end - start;
    Line.Width = Saturate(x - Line.Indent);
    VisibleEnd = visibleEnd;
    return end;
}

TRichLaidParagraph TRichParagraphLayout::LayOut(int32_t FlatRowsOver) const {
    if (FFormat.IsRow()) {
        TRichLaidParagraph row = LayOutRow();
        if (FlatRowsOver <= 0 || row.Height <= FlatRowsOver) return row;
    }
    TRichLaidParagraph laid;
    const auto length = static_cast<int32_t>(FParagraph.Text.size());
    int64_t top = 0;
    int32_t start = 0;
    for (bool more = true; more;) {
        const bool first = start == 0;
        TRichLaidLine line;
        line.Start = start;
        line.Indent = IndentOf(first);
        const int64_t limit = RightEdge(line.Indent);
        int64_t visibleEnd = 0;
        const int32_t end = BreakLine(line, length, limit, visibleEnd);
        // A break that ends the text still starts a line, an empty one for the caret after it.
        more = end < length || (end > start && FParagraph.Text[end - 1] == RichCellBreak);
        FinishLine(line, first, !more, visibleEnd,
                   FWrapWidth > 0 ? limit : std::numeric_limits<int64_t>::max());
        line.Top = Saturate(top);
        top += line.Height;
        laid.Widest =
            std::max(laid.Widest, Saturate(int64_t{line.Indent} + line.Shift + line.Width));
        laid.Lines.push_back(line);
        start = end;
    }
    laid.Height = Saturate(top);
    return laid;
}

// A cell starts where the one before it ends and is at least a pixel wide, so that the cells
// stand in order, each with a place of its own, whatever edges a document gives them.
void TRichParagraphLayout::CellBox(int32_t Cell, int64_t& Left, int64_t& Right) const {
    const int32_t ppi = PixelsPerInch();
    Left = Right = TwipsToPixels(FFormat.RowLeft, ppi);
    for (int32_t cell = 0; cell <= Cell; ++cell) {
        Left = Right;
        Right = std::max<int64_t>(Left + 1, TwipsToPixels(FFormat.Cells[cell].Right, ppi));
    }
}

void TRichParagraphLayout::CellTextBounds(int32_t Cell, int64_t& Left, int64_t& Right) const {
    int64_t boxLeft = 0, boxRight = 0;
    CellBox(Cell, boxLeft, boxRight);
    const int64_t gap = std::max(0, TwipsToPixels(FFormat.CellGap, PixelsPerInch()));
    Left = boxLeft + gap;
    Right = std::max(Left + 1, boxRight - gap);
}

int32_t TRichParagraphLayout::CellAt(int64_t X) const {
    const auto cells = static_cast<int32_t>(FFormat.Cells.size());
    for (int32_t cell = 0; cell + 1 < cells; ++cell) {
        int64_t left = 0, right = 0;
        CellBox(cell, left, right);
        if (X < right) return cell;
    }
    return cells - 1;
}

int64_t TRichParagraphLayout::Reach(const TRichLaidLine& Line) const {
    if (Line.Cell < 0 || Line.Cell + 1 >= static_cast<int32_t>(FFormat.Cells.size()))
        return std::numeric_limits<int64_t>::max();
    int64_t left = 0, right = 0;
    CellBox(Line.Cell, left, right);
    return right - 1;
}

// Each cell wraps its text between its own edges, whatever the page's width: a table keeps the
// widths its document gave it. The paragraph's spacing goes above and below the whole row.
TRichLaidParagraph TRichParagraphLayout::LayOutRow() const {
    TRichLaidParagraph laid;
    const std::string& text = FParagraph.Text;
    const auto length = static_cast<int32_t>(text.size());
    const auto cells = static_cast<int32_t>(FFormat.Cells.size());
    const int64_t before =
        std::clamp(TwipsToPixels(FFormat.SpaceBefore, PixelsPerInch()), 0, 1 << 20);
    int64_t tallest = 0, rowRight = 0;
    int32_t from = 0;
    for (int32_t cell = 0; cell < cells; ++cell) {
        int32_t to = length;
        const size_t mark = cell + 1 < cells ? text.find('\t', from) : std::string::npos;
        if (mark != std::string::npos) to = static_cast<int32_t>(mark) + 1;
        int64_t left = 0, right = 0;
        CellTextBounds(cell, left, right);
        int64_t top = before;
        int32_t start = from;
        do {
            TRichLaidLine line;
            line.Start = start;
            line.Indent = Saturate(left);
            line.Cell = cell;
            int64_t visibleEnd = 0;
            start = BreakLine(line, to, right, visibleEnd);
            FinishLine(line, false, false, visibleEnd, right);
            line.Top = Saturate(top);
            top += line.Height;
            laid.CellLines.push_back(line);
        } while (start < to);
        tallest = std::max(tallest, top - before);
        if (mark == std::string::npos) break;
        from = to;
    }
    int64_t rowLeft = 0, ignored = 0;
    CellBox(0, rowLeft, ignored);
    CellBox(cells - 1, ignored, rowRight);
    TRichLaidLine row;
    row.Length = length;
    row.Indent = Saturate(rowLeft);
    row.Width = Saturate(rowRight - rowLeft);
    row.Height =
        Saturate(before + std::max<int64_t>(tallest, 1) +
                 std::clamp(TwipsToPixels(FFormat.SpaceAfter, PixelsPerInch()), 0, 1 << 20));
    row.Baseline = laid.CellLines.front().Top + laid.CellLines.front().Baseline;
    laid.Lines.push_back(row);
    laid.Height = row.Height;
    laid.Widest = Saturate(std::max<int64_t>(rowRight, 0));
    return laid;
}

void TRichParagraphLayout::ForEachPiece(const TRichLaidLine& Line, int32_t ParagraphStart,
                                        const std::function<void(const TRichPiece&)>& Visit) const {
    const auto emit = [&](TRichPiece::TKind Kind, int32_t Offset, int32_t Length, int32_t Format,
                          int64_t X, int64_t Width, uint32_t Object) {
        TRichPiece piece;
        piece.Kind = Kind;
        piece.Start = Saturate(int64_t{ParagraphStart} + Offset);
        piece.Length = Length;
        piece.Format = Format;
        piece.X = Saturate(X + Line.Shift);
        piece.Width = Saturate(Width);
        piece.ObjectNumber = Object;
        piece.Top = Line.Cell >= 0 ? Line.Top : 0;
        piece.Height = Line.Height;
        piece.Baseline = Saturate(int64_t{piece.Top} + Line.Baseline);
        Visit(piece);
    };
    if (Line.Start == 0 && FFormat.Numbering == PFN_BULLET && !FFormat.IsRow()) {
        const int32_t format = BulletFormat();
        emit(TRichPiece::Bullet, 0, 0, format,
             std::max(0, TwipsToPixels(FFormat.StartIndent, PixelsPerInch())),
             FFonts.Advance(format, RichBulletChar), 0);
    }
    const std::string& text = FParagraph.Text;
    const int32_t end = Line.Start + Line.Length;
    int64_t x = Line.Indent;
    int32_t i = Line.Start;
    while (i < end) {
        const int32_t run = RunAt(i);
        const TRichRun& r = FParagraph.Runs[run];
        const int32_t runEnd = std::min(end, FRunStarts[run] + r.Length);
        if (r.Object != 0 || text[i] == '\t' || IsMarkOrBreak(text[i])) {
            const int64_t width = Advance(run, i, x);
            emit(r.Object != 0 ? TRichPiece::Object : TRichPiece::Tab, i, 1, r.Format, x, width,
                 r.Object);
            x += width;
            ++i;
            continue;
        }
        const int32_t from = i;
        const int64_t left = x;
        for (; i < runEnd && text[i] != '\t' && !IsMarkOrBreak(text[i]); ++i)
            x += Advance(run, i, x);
        emit(TRichPiece::Text, from, i - from, r.Format, left, x - left, 0);
    }
}

void TRichParagraphLayout::ForEachRowPiece(
    const TRichLaidParagraph& Row, int32_t ParagraphStart,
    const std::function<void(const TRichPiece&)>& Visit) const {
    // The boxes first, so that their borders lie under the text.
    for (int32_t cell = 0; cell < static_cast<int32_t>(FFormat.Cells.size()); ++cell) {
        int64_t left = 0, right = 0;
        CellBox(cell, left, right);
        TRichPiece box;
        box.Kind = TRichPiece::Cell;
        box.Start = ParagraphStart;
        box.X = Saturate(left);
        box.Width = Saturate(right - left);
        box.Height = Row.Height;
        box.Borders = FFormat.Cells[cell].Borders;
        Visit(box);
    }
    for (const TRichLaidLine& line : Row.CellLines)
        ForEachPiece(line, ParagraphStart, Visit);
}

}  // namespace vex
