#include "components/misc/AdvGridFileFormat.h"

#include <algorithm>
#include <limits>

#include "components/misc/AdvGrid.h"
#include "platform/core/stringutils.h"

namespace vex::advgridfile {

namespace {

constexpr char CR = '\r', LF = '\n', TAB = '\t', BS = '\b';

std::string Replaced(std::string_view Text, char From1, char To1, char From2, char To2) {
    std::string out(Text);
    for (char& c : out) {
        if (c == From1)
            c = To1;
        else if (c == From2)
            c = To2;
    }
    return out;
}

void AppendLine(std::string& Out, std::string_view Line) {
    Out.append(Line);
    Out += "\r\n";
}

}  // namespace

std::string EscapeCellText(std::string_view Text) {
    return Replaced(Text, CR, TAB, LF, BS);
}

std::string UnescapeCellText(std::string_view Text) {
    return Replaced(Text, TAB, CR, BS, LF);
}

int32_t LenientStrToInt(std::string_view Text) {
    size_t i = 0;
    while (i < Text.size() && Text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) negative = Text[i++] == '-';
    int base = 10;
    if (i < Text.size() && Text[i] == '$') {
        base = 16;
        ++i;
    }
    // One past the largest magnitude either sign can hold, so the loop stops growing there.
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < Text.size(); ++i) {
        const int digit = base == 16 ? HexDigit(Text[i])
                                     : (Text[i] >= '0' && Text[i] <= '9' ? Text[i] - '0' : -1);
        if (digit < 0) break;
        magnitude = std::min(magnitude * base + digit, limit);
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min<int64_t>(magnitude, limit - 1));
}

int32_t ClampColumnWidth(int32_t Width) {
    return std::clamp(Width, 0, MaxColumnWidth);
}

void RaiseCorruptFile(const std::string& FileName) {
    throw EAdvGridError("File contains no data or corrupt file " + FileName);
}

std::optional<TGridCounts> GridCountsOfHeader(std::string_view Line, int32_t FixedCols,
                                              int32_t FixedRows, int32_t HiddenCols) {
    const size_t comma = Line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const int64_t cols = LenientStrToInt(Line.substr(0, comma));
    const int64_t rows = LenientStrToInt(Line.substr(comma + 1));
    if (cols <= 0 || rows <= 0 || rows > MaxRows) return std::nullopt;
    if (cols + FixedCols + HiddenCols > MaxAdvGridColumns) return std::nullopt;
    return TGridCounts{static_cast<int32_t>(cols + FixedCols),
                       static_cast<int32_t>(rows + FixedRows)};
}

bool IsWidthLine(std::string_view Line) {
    return Line.substr(0, 2) == "cw";
}

std::optional<TWidthLine> ParseWidthLine(std::string_view Line) {
    const size_t comma = Line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    // The column starts at the fourth character, behind "cw "; the old readers took at most
    // 255 characters of the width.
    const std::string_view col = comma > 3 ? Line.substr(3, comma - 3) : std::string_view();
    return TWidthLine{LenientStrToInt(col),
                      ClampColumnWidth(LenientStrToInt(Line.substr(comma + 1, 255)))};
}

std::optional<TCellLine> ParseCellLine(std::string_view Line) {
    const size_t first = Line.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    const size_t second = Line.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    return TCellLine{LenientStrToInt(Line.substr(0, first)),
                     LenientStrToInt(Line.substr(first + 1, second - first - 1)),
                     Line.substr(second + 1)};
}

void AppendHeaderLine(std::string& Out, int32_t Cols, int32_t Rows) {
    AppendLine(Out, std::to_string(Cols) + "," + std::to_string(Rows));
}

void AppendWidthLine(std::string& Out, int32_t Col, int32_t Width) {
    AppendLine(Out, "cw " + std::to_string(Col) + "," + std::to_string(Width));
}

void AppendCellLine(std::string& Out, int32_t Col, int32_t Row, std::string_view Text) {
    Out += std::to_string(Col);
    Out += ',';
    Out += std::to_string(Row);
    Out += ',';
    AppendLine(Out, EscapeCellText(Text));
}

}  // namespace vex::advgridfile
