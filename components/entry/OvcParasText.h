#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vex {

// Text routines of the paragraph editor: where words start, how tabs widen a line, where a
// wrapped line breaks and where a pasted line ends. Offsets and counts start at 0; no routine
// reads past the text it is given, whatever the numbers.

// Pos moved By, kept within 0 to 2147483647: positions a caller gives may be anything.
inline int32_t ShiftedPos(int32_t Pos, int64_t By) {
    const int64_t moved = Pos + By;
    return static_cast<int32_t>(moved < 0 ? 0 : moved > INT32_MAX ? INT32_MAX : moved);
}

// Space or tab.
inline bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

// The offset just past the last blank before N, or N itself when no blank precedes it: where
// text that has to be cut at N is cut without splitting a word.
size_t WordStart(std::string_view S, size_t N);

// The display width of the first N characters, a tab reaching the next multiple of TabSize.
size_t ColumnOfPos(std::string_view S, size_t N, uint8_t TabSize);
// How many characters it takes for the display width to reach Col; all of S when it never does.
size_t PosOfColumn(std::string_view S, size_t Col, uint8_t TabSize);

// Where the display line after a break near P begins. The search goes back from P itself to the
// start of S for a hyphen, which stays on the line it ends, or a blank, which ends the line
// together with the blanks that follow it. Without either the line breaks at P.
size_t BreakSearch(std::string_view S, size_t P);

// The offset at which the display line starting at Start is followed by the next one, when S is
// wrapped at WrapColumn (at least 1) columns; S.size() when the line runs to the end.
size_t NextLineStart(std::string_view S, size_t Start, int32_t WrapColumn, uint8_t TabSize);

// The first line end of S: CR LF, a lone CR or a lone LF. Length 0 when there is none, and At
// is then S.size().
struct TLineEnd {
    size_t At;
    size_t Length;
};
TLineEnd LineEndSearch(std::string_view S);

}  // namespace vex
