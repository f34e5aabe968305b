#include "platform/ui/editlayout.h"

#include <algorithm>

namespace vex {

void TEditLayout::SetMetrics(const std::array<int32_t, 256>& Advances, int32_t RowHeight,
                             int32_t TabWidth) {
    FAdvances = Advances;
    FRowHeight = std::max(RowHeight, 1);
    FTabWidth = std::max(TabWidth, 1);
    Relayout();
}

void TEditLayout::SetWrapWidth(int32_t Value) {
    Value = std::max(Value, 0);
    if (FWrapWidth == Value) return;
    FWrapWidth = Value;
    Relayout();
}

void TEditLayout::SetPasswordChar(char Value) {
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    Relayout();
}

int32_t TEditLayout::Advance(char Ch, int32_t X) const {
    if (Ch == '\t' && FPasswordChar == 0) return FTabWidth - X % FTabWidth;
    return FAdvances[static_cast<uint8_t>(Shown(Ch))];
}

int32_t TEditLayout::Width(int32_t Line, int32_t From, int32_t To) const {
    const std::string& text = FText.Line(Line);
    To = std::min(To, static_cast<int32_t>(text.size()));
    int32_t x = 0;
    for (int32_t i = std::max(From, 0); i < To; ++i)
        x += Advance(text[static_cast<size_t>(i)], x);
    return x;
}

std::vector<int32_t> TEditLayout::Wrap(int32_t Line) const {
    std::vector<int32_t> breaks;
    if (FWrapWidth <= 0 || FPasswordChar != 0) return breaks;
    const std::string& text = FText.Line(Line);
    const auto length = static_cast<int32_t>(text.size());
    int32_t rowStart = 0;
    int32_t blankEnd = -1;  // just after the last blank of the row: where a word may go down
    int32_t x = 0;
    for (int32_t i = 0; i < length; ++i) {
        const char ch = text[static_cast<size_t>(i)];
        const bool blank = ch == ' ' || ch == '\t';
        // Blanks may hang past the edge; a word goes down whole unless it fills the row alone.
        if (!blank && i > rowStart && x + Advance(ch, x) > FWrapWidth) {
            rowStart = blankEnd > rowStart ? blankEnd : i;
            breaks.push_back(rowStart);
            blankEnd = -1;
            x = Width(Line, rowStart, i);
        }
        x += Advance(ch, x);
        if (blank) blankEnd = i + 1;
    }
    return breaks;
}

void TEditLayout::Relayout() {
    FBreaks.clear();
    FTotalRows = 0;
    Changed(0, 0, FText.LineCount());
}

void TEditLayout::Changed(int32_t First, int32_t Removed, int32_t Inserted) {
    Removed = std::min(Removed, static_cast<int32_t>(FBreaks.size()) - First);
    for (int32_t i = First; i < First + Removed; ++i)
        FTotalRows -= RowCount(i);
    // Lines replaced one for one stay where they are: only a change in the count moves the
    // lines after them.
    const auto kept = FBreaks.begin() + First + std::min(Removed, Inserted);
    if (Removed > Inserted) FBreaks.erase(kept, kept + (Removed - Inserted));
    if (Inserted > Removed) FBreaks.insert(kept, static_cast<size_t>(Inserted - Removed), {});
    for (int32_t i = First; i < First + Inserted; ++i) {
        FBreaks[static_cast<size_t>(i)] = Wrap(i);
        FTotalRows += RowCount(i);
    }
    FRowStartsValid = std::min(FRowStartsValid, First + 1);
}

int32_t TEditLayout::RowsBefore(int32_t Line) const {
    if (FWrapWidth <= 0) return Line;
    if (Line >= FRowStartsValid) {
        FRowStarts.resize(FBreaks.size() + 1);
        for (int32_t i = FRowStartsValid; i <= Line; ++i)
            FRowStarts[static_cast<size_t>(i)] =
                FRowStarts[static_cast<size_t>(i - 1)] + RowCount(i - 1);
        FRowStartsValid = Line + 1;
    }
    return FRowStarts[static_cast<size_t>(Line)];
}

void TEditLayout::RowAt(int32_t Row, int32_t& Line, int32_t& RowInLine) const {
    Row = std::clamp(Row, 0, std::max(FTotalRows - 1, 0));
    const auto lines = static_cast<int32_t>(FBreaks.size());
    if (FWrapWidth <= 0) {
        Line = std::min(Row, lines - 1);
        RowInLine = 0;
        return;
    }
    RowsBefore(lines);
    const auto after = std::upper_bound(FRowStarts.begin(), FRowStarts.begin() + lines, Row);
    Line = static_cast<int32_t>(after - FRowStarts.begin()) - 1;
    RowInLine = Row - FRowStarts[static_cast<size_t>(Line)];
}

int32_t TEditLayout::RowStart(int32_t Line, int32_t Row) const {
    return Row == 0 ? 0 : FBreaks[static_cast<size_t>(Line)][static_cast<size_t>(Row - 1)];
}

int32_t TEditLayout::RowEnd(int32_t Line, int32_t Row) const {
    const std::vector<int32_t>& breaks = FBreaks[static_cast<size_t>(Line)];
    return Row < static_cast<int32_t>(breaks.size())
               ? breaks[static_cast<size_t>(Row)]
               : static_cast<int32_t>(FText.Line(Line).size());
}

int32_t TEditLayout::RowOf(TEditPos Pos) const {
    const std::vector<int32_t>& breaks = FBreaks[static_cast<size_t>(Pos.Line)];
    return static_cast<int32_t>(std::upper_bound(breaks.begin(), breaks.end(), Pos.Col) -
                                breaks.begin());
}

int32_t TEditLayout::XOf(TEditPos Pos) const {
    return Width(Pos.Line, RowStart(Pos.Line, RowOf(Pos)), Pos.Col);
}

TEditPos TEditLayout::PosAt(int32_t Line, int32_t Row, int32_t X) const {
    const std::string& text = FText.Line(Line);
    const int32_t start = RowStart(Line, Row);
    const int32_t end = RowEnd(Line, Row);
    int32_t x = 0;
    for (int32_t i = start; i < end; ++i) {
        const int32_t advance = Advance(text[static_cast<size_t>(i)], x);
        if (X < x + (advance + 1) / 2) return TEditPos{Line, i};
        x += advance;
    }
    // A wrapped row's end is the next row's start, so its last place is before it.
    const bool wraps = Row + 1 < RowCount(Line);
    return TEditPos{Line, wraps && end > start ? end - 1 : end};
}

}  // namespace vex
