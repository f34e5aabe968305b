#pragma once

// The lines of the grid's text file, apart from any grid: how a cell text is kept on one line,
// how numbers are read as the file's old readers read them, and how each kind of line splits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vex::advgridfile {

// The most rows a file may give a grid; beyond it a header is taken for a corrupt one.
inline constexpr int32_t MaxRows = 10'000'000;
// No line of a grid file is longer; a longer one marks the file corrupt.
inline constexpr size_t MaxLineLength = 16u << 20;
// Widths from a file or from the registry are kept within these.
inline constexpr int32_t MaxColumnWidth = 32767;

// A cell text on one line: CR becomes TAB and LF becomes backspace, and back. A TAB or a
// backspace of the text itself therefore comes back as CR or LF.
std::string EscapeCellText(std::string_view Text);
std::string UnescapeCellText(std::string_view Text);

// A whole number that never fails: leading blanks, then one '+' or '-', then a '$' for
// hexadecimal digits; reading stops at the first character that is no digit, and the value read
// so far counts (0 when there is none). Values beyond 32 bits stay at the nearest end.
int32_t LenientStrToInt(std::string_view Text);

int32_t ClampColumnWidth(int32_t Width);

// EAdvGridError "File contains no data or corrupt file <name>".
[[noreturn]] void RaiseCorruptFile(const std::string& FileName);

// The counts the grid takes from a header line (cols,rows) whose counts do not include fixed
// columns and rows; nothing when the line is no grid at all: a count of 0 or below, more columns
// than the grid has slots for beside its hidden ones, or more than MaxRows rows.
struct TGridCounts {
    int32_t Cols;
    int32_t Rows;
};
std::optional<TGridCounts> GridCountsOfHeader(std::string_view Line, int32_t FixedCols,
                                              int32_t FixedRows, int32_t HiddenCols);

// "cw col,width": a width line is any line starting with the two letters.
bool IsWidthLine(std::string_view Line);
struct TWidthLine {
    int32_t Col;
    int32_t Width;  // clamped
};
// Nothing for a width line without a comma.
std::optional<TWidthLine> ParseWidthLine(std::string_view Line);

// "col,row,text": the text runs to the end of the line, commas and all, still escaped. Nothing
// for a line with fewer than two commas.
struct TCellLine {
    int32_t Col;
    int32_t Row;
    std::string_view Text;
};
std::optional<TCellLine> ParseCellLine(std::string_view Line);

// Each appends one line ending in CR LF.
void AppendHeaderLine(std::string& Out, int32_t Cols, int32_t Rows);
void AppendWidthLine(std::string& Out, int32_t Col, int32_t Width);
void AppendCellLine(std::string& Out, int32_t Col, int32_t Row, std::string_view Text);

}  // namespace vex::advgridfile
