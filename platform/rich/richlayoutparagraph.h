#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rich/richdocument.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayoutfonts.h"

namespace vex {

// The box of an object run in pixels: the object's extent, or a small fixed box when the
// document holds no object under the number.
TSize RichObjectBox(const TRichDocument& Document, uint32_t Object, int32_t PixelsPerInch);

// Where each run of Paragraph starts, as offsets in it.
std::shared_ptr<const std::vector<int32_t>> RichRunStarts(const TRichParagraph& Paragraph);

// A line of a laid-out paragraph; offsets within the paragraph, measures in pixels.
struct TRichLaidLine {
    int32_t Start = 0;
    int32_t Length = 0;
    int32_t Top = 0;  // from the paragraph's top
    int32_t Height = 0;
    int32_t Baseline = 0;
    int32_t Indent = 0;  // where the text starts before alignment moves it
    int32_t Shift = 0;   // what alignment moves the whole line by
    int32_t Width = 0;   // of all its characters, trailing blanks included
    int32_t Cell = -1;   // of a table row's cell line, its cell; Top then counts from the row's
};

struct TRichLaidParagraph {
    std::vector<TRichLaidLine> Lines;
    // A table row's one line holds the lines of its cells: cell by cell, each cell's lines in
    // order, so in the order of the text. A cell is there once its text begins (the first
    // always); the cell mark that ends a cell ends its last line.
    std::vector<TRichLaidLine> CellLines;
    int32_t Height = 0;
    int32_t Widest = 0;  // the furthest right any line reaches
};

// Lays out one paragraph of a document at one resolution and wrap width (0: no wrapping), and
// walks its lines piece by piece. Breaking and walking share one measure of every character,
// so that what is painted and hit-tested stands where the breaks were worked out.
class TRichParagraphLayout {
public:
    // RunStarts, when given, are RichRunStarts of the paragraph as it stands.
    TRichParagraphLayout(const TRichDocument& Document, TRichFontCache& Fonts, int32_t Index,
                         int32_t WrapWidth,
                         std::shared_ptr<const std::vector<int32_t>> RunStarts = nullptr);

    // A table row taller than FlatRowsOver pixels (when above 0) is laid out flat instead: its
    // cells' texts one after another, each cell and each break inside one starting a line, so
    // that a page too short for the row can still end between its lines.
    TRichLaidParagraph LayOut(int32_t FlatRowsOver = 0) const;
    // The pieces of Line (one of LayOut's, or of its cell lines) with X from the layout's left
    // edge; Start is a document position when ParagraphStart is the paragraph's.
    void ForEachPiece(const TRichLaidLine& Line, int32_t ParagraphStart,
                      const std::function<void(const TRichPiece&)>& Visit) const;
    // The pieces of a table row laid out by LayOut: its cells' boxes, then its cell lines'.
    void ForEachRowPiece(const TRichLaidParagraph& Row, int32_t ParagraphStart,
                         const std::function<void(const TRichPiece&)>& Visit) const;
    // The box of a row's cell in pixels from the layout's left edge, [Left, Right).
    void CellBox(int32_t Cell, int64_t& Left, int64_t& Right) const;
    // The row's cell whose box holds X; the first left of them all, the last right of them.
    int32_t CellAt(int64_t X) const;
    // The furthest right a caret place of Line stands: short of the next cell's box for a line
    // of a cell but the last, so that blanks hanging past a cell's edge, or a character wider
    // than the cell, are still found in their cell; unbounded otherwise.
    int64_t Reach(const TRichLaidLine& Line) const;

private:
    int32_t PixelsPerInch() const { return FFonts.PixelsPerInch(); }
    int32_t RunAt(int32_t Offset) const;
    // A cell mark of a table row, or a line break: no width, nothing drawn, and the line ends
    // after it. A break stands outside a row too where a cell's text was never ended by its
    // row, or was pasted on its own; its lines must not run together.
    bool IsMarkOrBreak(char Ch) const {
        return Ch == RichCellBreak || (FFormat.IsRow() && Ch == RichCellMark);
    }
    // How wide the character at Offset is when it starts at X: a tab reaches the next stop.
    int64_t Advance(int32_t Run, int32_t Offset, int64_t X) const;
    int64_t NextTabStop(int64_t X) const;
    void Measure(const TRichLaidLine& Line, int32_t& Ascent, int32_t& Descent) const;
    // Where a line's text starts: the first one's after the bullet.
    int32_t IndentOf(bool First) const;
    // Where the characters of a line that starts at Indent must end; a line always has room
    // for one, however narrow the width.
    int64_t RightEdge(int32_t Indent) const;
    int32_t BulletFormat() const;
    // Puts into Line, which starts at Start and Indent, the characters up to End that fit
    // before Limit; answers where the next line starts, and where its last visible character
    // ends.
    int32_t BreakLine(TRichLaidLine& Line, int32_t End, int64_t Limit, int64_t& VisibleEnd) const;
    // The line's height and baseline by the spacing rules, with the paragraph's spacing before
    // and after where asked, and its shift by the alignment within Right.
    void FinishLine(TRichLaidLine& Line, bool Before, bool After, int64_t VisibleEnd,
                    int64_t Right) const;
    TRichLaidParagraph LayOutRow() const;
    // Where a cell's text may stand: its box less the gap on either side, at least a pixel.
    void CellTextBounds(int32_t Cell, int64_t& Left, int64_t& Right) const;

    const TRichDocument& FDocument;
    TRichFontCache& FFonts;
    const TRichParagraph& FParagraph;
    const TRichParaFormat& FFormat;
    int32_t FWrapWidth;
    std::shared_ptr<const std::vector<int32_t>> FRunStartsHeld;
    const std::vector<int32_t>& FRunStarts;
};

}  // namespace vex
