#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/core/geometry.h"
#include "platform/gfx/fontengine.h"
#include "platform/rich/richdocument.h"

namespace vex {

// One display line: a paragraph's text from Start on, wrapped at a blank (or cut inside a word
// longer than the width), never ending inside a character. A table row is one display line as
// tall as its tallest cell, so that lines still follow the text in order and down the page;
// its cells' own wrapped lines show in its pieces. Measures are device pixels of the
// layout's resolution; Top counts from the top of the document.
struct TRichLineInfo {
    int32_t Paragraph = 0;
    int32_t Start = 0;   // document position of its first character
    int32_t Length = 0;  // its characters, without the paragraph end
    bool EndsParagraph = false;
    int32_t Top = 0;
    int32_t Height = 0;    // with the paragraph's spacing before (first line) and after (last)
    int32_t Baseline = 0;  // from Top
    int32_t Left = 0;      // where its first character starts: indent, bullet and alignment
    int32_t Width = 0;     // from Left to the end of its last character
};

// What a line is drawn from, left to right: characters of one format, a tab's gap, the
// paragraph's bullet, or an object's box; in a table row first each cell's box, then the
// pieces of the cells' lines, cell by cell. X and Width in pixels from the layout's left edge;
// Top, Height and Baseline from the display line's top, for the line of text the piece is in
// (a cell's box: the whole row).
struct TRichPiece {
    enum TKind { Text, Tab, Bullet, Object, Cell };
    TKind Kind = Text;
    int32_t Start = 0;  // document position (the bullet: its line's start)
    int32_t Length = 0;
    int32_t Format = 0;  // the character format number
    int32_t X = 0;
    int32_t Width = 0;
    uint32_t ObjectNumber = 0;
    int32_t Top = 0;
    int32_t Height = 0;
    int32_t Baseline = 0;
    uint8_t Borders = 0;  // of a cell's box
};

// The lines a document is shown or printed in, at one device resolution and one width. Fonts
// are realised at that resolution (the original face names drawn with the installed families;
// a Symbol-set bullet is drawn as a bullet). Line breaks are kept per paragraph and worked out
// again only for paragraphs the document says changed (or all of them when the width or the
// resolution changes), and only when something is next asked: a burst of edits costs one
// layout. Running totals of lines, characters and heights answer every look-up in logarithmic
// time, so a query costs the same in a large document as in a small one. The layout listens to
// the document from its making on, so it must go before the document does.
class TRichLayout {
public:
    explicit TRichLayout(const TRichDocument& Document,
                         int32_t PixelsPerInch = ScreenPixelsPerInch);
    ~TRichLayout();
    TRichLayout(const TRichLayout&) = delete;
    TRichLayout& operator=(const TRichLayout&) = delete;

    const TRichDocument& Document() const;

    int32_t PixelsPerInch() const;
    // Outside 1 to MaxPixelsPerInch nothing changes.
    void SetPixelsPerInch(int32_t Value);
    // Lines wrap at this many pixels, the formatting rectangle's width; 0 or less lays out each
    // paragraph as one line (no wrapping, or no width known yet). Setting the value it has
    // changes nothing.
    int32_t WrapWidth() const;
    void SetWrapWidth(int32_t Value);
    // A table row taller than this many pixels is laid out flat, its cells' lines one after
    // another, so that printing can end a page inside it; 0 or less (the default) keeps every
    // row in its columns.
    void SetFlatRowsOver(int32_t Value);

    // Never below 1: an empty document has one empty line.
    int32_t LineCount() const;
    // Line 0 to LineCount() - 1; others raise ERangeError.
    TRichLineInfo Line(int32_t Index) const;
    // The position of the line's first character; -1 beyond the last line.
    int32_t LineIndex(int32_t Index) const;
    // The line holding Position (clamped to the text); a position at a wrap belongs to the line
    // it starts.
    int32_t LineFromChar(int32_t Position) const;
    // The line at Y: the first above the document, the last below it.
    int32_t LineAtY(int32_t Y) const;
    int32_t Height() const;
    // The widest line, for the horizontal scroll range without wrapping.
    int32_t Widest() const;

    // Where the caret stands before the character at Position: x from the left edge, y the top
    // of its line (in a table row, of its cell's line).
    TPoint PosFromChar(int32_t Position) const;
    // The first and last caret places of the line the caret stands in at Position (in a table
    // row, of its cell's line), where Home and End take it.
    void CaretLine(int32_t Position, int32_t& First, int32_t& Last) const;
    // How tall the caret stands at Position: its line's height, or its cell line's in a row.
    int32_t CaretHeight(int32_t Position) const;
    // The caret place nearest to Point: the line at its y, then the character boundary nearest
    // to its x on that line (before the paragraph end, never after it). In a table row the
    // cell at its x, and in it the cell's line at its y, stand for the line.
    int32_t CharFromPos(TPoint Point) const;
    // The pieces of line Index in order, for painting and hit tests.
    void ForEachPiece(int32_t Index, const std::function<void(const TRichPiece&)>& Visit) const;

    // The document laid out (tests and tools); queries do this by themselves.
    void Update() const;
    // How many times a paragraph was laid out since the layout was made: what an edit cost.
    int64_t ParagraphsLaidOut() const;

private:
    class TImpl;
    std::unique_ptr<TImpl> FImpl;
};

}  // namespace vex
