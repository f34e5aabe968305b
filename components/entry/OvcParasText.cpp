#include "components/entry/OvcParasText.h"

#include <algorithm>

namespace vex {

namespace {

// The column a character leaves the line at when it starts at Col.
size_t Advance(size_t Col, char C, uint8_t TabSize) {
    const size_t tab = std::max<size_t>(TabSize, 1);
    return C == '\t' ? (Col / tab + 1) * tab : Col + 1;
}

}  // namespace

size_t WordStart(std::string_view S, size_t N) {
    for (size_t i = std::min(N, S.size()); i > 0; --i)
        if (IsBlank(S[i - 1])) return i;
    return N;
}

size_t ColumnOfPos(std::string_view S, size_t N, uint8_t TabSize) {
    size_t col = 0;
    for (const char c : S.substr(0, N))
        col = Advance(col, c, TabSize);
    return col;
}

size_t PosOfColumn(std::string_view S, size_t Col, uint8_t TabSize) {
    size_t col = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        if (col >= Col) return i;
        col = Advance(col, S[i], TabSize);
    }
    return S.size();
}

size_t BreakSearch(std::string_view S, size_t P) {
    if (P >= S.size()) return P;
    for (size_t i = P + 1; i-- > 0;) {
        if (S[i] == '-') return i + 1;
        if (IsBlank(S[i])) {
            while (i < S.size() && IsBlank(S[i]))
                ++i;
            return i;
        }
    }
    return P;
}

size_t NextLineStart(std::string_view S, size_t Start, int32_t WrapColumn, uint8_t TabSize) {
    const std::string_view rest = S.substr(std::min(Start, S.size()));
    const size_t candidate = PosOfColumn(rest, static_cast<size_t>(WrapColumn), TabSize);
    if (candidate >= rest.size()) return S.size();
    return Start + BreakSearch(rest, candidate);
}

TLineEnd LineEndSearch(std::string_view S) {
    const size_t at = S.find_first_of("\r\n");
    if (at == std::string_view::npos) return {S.size(), 0};
    return {at, S.compare(at, 2, "\r\n") == 0 ? size_t{2} : size_t{1}};
}

}  // namespace vex
