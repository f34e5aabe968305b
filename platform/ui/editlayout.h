#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/ui/edittext.h"

namespace vex {

// Where an edit's text lies on the screen: each line cut into rows (one, unless the lines wrap
// at WrapWidth), and each row's characters measured with the font's advances. Lines are laid
// out on their own, when they change, so a keystroke costs the length of its line and nothing
// more. The layout follows the text through Changed (TEditText::OnLinesChanged).
class TEditLayout {
public:
    explicit TEditLayout(const TEditText& Text) : FText(Text) { Changed(0, 0, Text.LineCount()); }

    // The font's advance of every byte, the height of a row and the distance of tab stops.
    void SetMetrics(const std::array<int32_t, 256>& Advances, int32_t RowHeight, int32_t TabWidth);
    int32_t RowHeight() const { return FRowHeight; }
    // 0: lines do not wrap.
    void SetWrapWidth(int32_t Value);
    int32_t WrapWidth() const { return FWrapWidth; }
    // Every character is shown as this one (0: as itself).
    void SetPasswordChar(char Value);

    void Changed(int32_t First, int32_t Removed, int32_t Inserted);

    int32_t RowCount(int32_t Line) const {
        return static_cast<int32_t>(FBreaks[static_cast<size_t>(Line)].size()) + 1;
    }
    int32_t TotalRows() const { return FTotalRows; }
    // The rows of every line before Line.
    int32_t RowsBefore(int32_t Line) const;
    // The line and its row at a row counted over the whole text (kept within it).
    void RowAt(int32_t Row, int32_t& Line, int32_t& RowInLine) const;
    // The first and the end column of a row of a line.
    int32_t RowStart(int32_t Line, int32_t Row) const;
    int32_t RowEnd(int32_t Line, int32_t Row) const;
    // The row of Line that Pos lies in; a place where a row wraps belongs to the next row.
    int32_t RowOf(TEditPos Pos) const;
    // Pixels from the start of Pos's row to Pos.
    int32_t XOf(TEditPos Pos) const;
    // The place of a row nearest to X pixels from its start.
    TEditPos PosAt(int32_t Line, int32_t Row, int32_t X) const;
    // The width of the row's characters from column From to To.
    int32_t Width(int32_t Line, int32_t From, int32_t To) const;
    // The character as it is shown.
    char Shown(char Ch) const { return FPasswordChar != 0 ? FPasswordChar : Ch; }

private:
    int32_t Advance(char Ch, int32_t X) const;
    std::vector<int32_t> Wrap(int32_t Line) const;
    void Relayout();

    const TEditText& FText;
    std::array<int32_t, 256> FAdvances{};
    int32_t FRowHeight = 1;
    int32_t FTabWidth = 8;
    int32_t FWrapWidth = 0;
    char FPasswordChar = 0;
    // The columns where each line's second, third... rows start.
    std::vector<std::vector<int32_t>> FBreaks;
    int32_t FTotalRows = 0;
    // Rows before each line, good up to FRowStartsValid lines (as TEditText keeps offsets).
    mutable std::vector<int32_t> FRowStarts{0};
    mutable int32_t FRowStartsValid = 1;
};

}  // namespace vex
