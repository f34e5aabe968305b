#include "platform/ui/edittext.h"

#include <algorithm>
#include <cstring>

#include "platform/core/codepage.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

bool IsBreak(char Ch) {
    return Ch == '\r' || Ch == '\n';
}

// The bytes of a line break at Text[I]: CR LF is one break of two.
size_t BreakLength(std::string_view Text, size_t I) {
    return Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n' ? 2 : 1;
}

// Text cut at its line breaks, each of CR LF, LF and a lone CR.
std::vector<std::string_view> SplitLines(std::string_view Text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < Text.size();) {
        if (!IsBreak(Text[i])) {
            ++i;
            continue;
        }
        lines.push_back(Text.substr(start, i - start));
        i += BreakLength(Text, i);
        start = i;
    }
    lines.push_back(Text.substr(start));
    return lines;
}

enum class TCharKind { Blank, Word, Other };

TCharKind KindOf(char Ch) {
    if (Ch == ' ' || Ch == '\t') return TCharKind::Blank;
    return IsEditWordChar(Ch) ? TCharKind::Word : TCharKind::Other;
}

}  // namespace

bool IsEditWordChar(char Ch) {
    return IsAnsiAlpha(Ch) || (Ch >= '0' && Ch <= '9') || Ch == '_';
}

void TEditText::SetMultiLine(bool Value) {
    if (FMultiLine == Value) return;
    const std::string text = Text();
    FMultiLine = Value;
    SetText(text);
}

const std::string& TEditText::Line(int32_t Index) const {
    if (Index < 0 || Index >= LineCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FLines[static_cast<size_t>(Index)];
}

std::string TEditText::Text() const {
    std::string text;
    text.reserve(static_cast<size_t>(FLength));
    for (size_t i = 0; i < FLines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += FLines[i];
    }
    return text;
}

size_t TEditText::CopyText(char* Buffer, size_t Count) const {
    size_t copied = 0;
    const auto put = [&](std::string_view Part) {
        const size_t n = std::min(Part.size(), Count - copied);
        std::memcpy(Buffer + copied, Part.data(), n);
        copied += n;
    };
    for (size_t i = 0; i < FLines.size() && copied < Count; ++i) {
        if (i > 0) put("\r\n");
        put(FLines[i]);
    }
    return copied;
}

void TEditText::SetText(std::string_view Value) {
    const auto removed = static_cast<int32_t>(FLines.size());
    FLines.clear();
    if (FMultiLine) {
        for (std::string_view line : SplitLines(Value))
            FLines.emplace_back(line);
    } else {
        FLines.emplace_back(Value);
    }
    FLength = 0;
    for (const std::string& line : FLines)
        FLength += static_cast<int32_t>(line.size());
    FLength += 2 * (LineCount() - 1);
    FAnchor = FCaret = TEditPos{};
    FUndo = TUndo{};
    LinesChanged(0, removed, LineCount());
}

int32_t TEditText::LineStart(int32_t Line) const {
    if (Line >= FStartsValid) {
        FStarts.resize(FLines.size());
        for (int32_t i = FStartsValid; i <= Line; ++i)
            FStarts[static_cast<size_t>(i)] =
                FStarts[static_cast<size_t>(i - 1)] +
                static_cast<int32_t>(FLines[static_cast<size_t>(i - 1)].size()) + 2;
        FStartsValid = Line + 1;
    }
    return FStarts[static_cast<size_t>(Line)];
}

void TEditText::LinesChanged(int32_t First, int32_t Removed, int32_t Inserted) {
    FStartsValid = std::min(FStartsValid, First + 1);
    if (OnLinesChanged) OnLinesChanged(First, Removed, Inserted);
}

TEditPos TEditText::Clamp(TEditPos Pos) const {
    Pos.Line = std::clamp(Pos.Line, 0, LineCount() - 1);
    Pos.Col = std::clamp(Pos.Col, 0, static_cast<int32_t>(FLines[Pos.Line].size()));
    return Pos;
}

TEditPos TEditText::End() const {
    return TEditPos{LineCount() - 1, static_cast<int32_t>(FLines.back().size())};
}

int32_t TEditText::OffsetOf(TEditPos Pos) const {
    Pos = Clamp(Pos);
    return LineStart(Pos.Line) + Pos.Col;
}

TEditPos TEditText::PosOf(int32_t Offset) const {
    Offset = std::clamp(Offset, 0, FLength);
    LineStart(LineCount() - 1);
    const auto after = std::upper_bound(FStarts.begin(), FStarts.begin() + LineCount(), Offset);
    const auto line = static_cast<int32_t>(after - FStarts.begin()) - 1;
    return Clamp(TEditPos{line, Offset - FStarts[static_cast<size_t>(line)]});
}

void TEditText::Select(TEditPos Anchor, TEditPos Caret) {
    FAnchor = Clamp(Anchor);
    FCaret = Clamp(Caret);
}

std::string TEditText::TextBetween(TEditPos From, TEditPos To) const {
    From = Clamp(From);
    To = Clamp(To);
    if (To < From) std::swap(From, To);
    const std::string& first = FLines[From.Line];
    if (From.Line == To.Line) return first.substr(From.Col, To.Col - From.Col);
    std::string text = first.substr(From.Col);
    for (int32_t i = From.Line + 1; i < To.Line; ++i)
        text += "\r\n" + FLines[i];
    text += "\r\n";
    text.append(FLines[To.Line], 0, To.Col);
    return text;
}

std::string_view TEditText::Admissible(std::string_view Value, int32_t Removing) const {
    if (!FMultiLine) Value = Value.substr(0, std::min(Value.find_first_of("\r\n"), Value.size()));
    if (FMaxLength == 0) return Value;
    const int32_t room = std::max(FMaxLength - (FLength - Removing), 0);
    // Count as the text will: every break two characters, and none cut in half.
    int32_t taken = 0;
    size_t i = 0;
    while (i < Value.size()) {
        const bool isBreak = IsBreak(Value[i]);
        const int32_t count = isBreak ? 2 : 1;
        if (taken + count > room) break;
        taken += count;
        i += isBreak ? BreakLength(Value, i) : 1;
    }
    return Value.substr(0, i);
}

TEditPos TEditText::Splice(TEditPos From, TEditPos To, std::string_view Value) {
    int32_t removed = 0;
    if (From.Line == To.Line) {
        removed = To.Col - From.Col;
    } else {
        removed = static_cast<int32_t>(FLines[From.Line].size()) - From.Col + To.Col +
                  2 * (To.Line - From.Line);
        for (int32_t i = From.Line + 1; i < To.Line; ++i)
            removed += static_cast<int32_t>(FLines[i].size());
    }
    const std::vector<std::string_view> pieces =
        FMultiLine ? SplitLines(Value) : std::vector<std::string_view>{Value};
    int32_t inserted = 2 * static_cast<int32_t>(pieces.size() - 1);
    for (std::string_view piece : pieces)
        inserted += static_cast<int32_t>(piece.size());
    FLength += inserted - removed;

    const auto lastCol = static_cast<int32_t>(pieces.back().size());
    if (From.Line == To.Line && pieces.size() == 1) {
        FLines[From.Line].replace(From.Col, To.Col - From.Col, Value);
        LinesChanged(From.Line, 1, 1);
        return TEditPos{From.Line, From.Col + lastCol};
    }
    std::vector<std::string> lines;
    lines.reserve(pieces.size());
    for (std::string_view piece : pieces)
        lines.emplace_back(piece);
    lines.front().insert(0, FLines[From.Line], 0, From.Col);
    lines.back().append(FLines[To.Line], To.Col);
    const auto first = FLines.begin() + From.Line;
    FLines.erase(first + 1, FLines.begin() + To.Line + 1);
    *first = std::move(lines.front());
    FLines.insert(first + 1, std::make_move_iterator(lines.begin() + 1),
                  std::make_move_iterator(lines.end()));
    LinesChanged(From.Line, To.Line - From.Line + 1, static_cast<int32_t>(pieces.size()));
    const auto lastLine = From.Line + static_cast<int32_t>(pieces.size()) - 1;
    return TEditPos{lastLine, pieces.size() == 1 ? From.Col + lastCol : lastCol};
}

bool TEditText::ReplaceSelection(std::string_view Value, bool CanUndo, bool Typed) {
    const TEditPos from = SelFirst();
    const TEditPos to = SelLast();
    const int32_t start = OffsetOf(from);
    const int32_t removing = OffsetOf(to) - start;
    const std::string_view admitted = Admissible(Value, removing);
    if (admitted.empty() && removing == 0) return false;

    std::string removedText = TextBetween(from, to);
    const TEditPos end = Splice(from, to, admitted);
    // What went in, as the text now holds it (breaks as CR LF), for the undo to take out.
    std::string insertedText = TextBetween(from, end);
    if (!CanUndo) {
        FUndo = TUndo{};
    } else if (Typed && FUndo.Valid && FUndo.Typing && removedText.empty() &&
               start == FUndo.Start + static_cast<int32_t>(FUndo.Inserted.size())) {
        FUndo.Inserted += insertedText;
    } else {
        FUndo = TUndo{true, start, std::move(removedText), std::move(insertedText), Typed};
    }
    FAnchor = FCaret = end;
    return true;
}

bool TEditText::Undo() {
    if (!FUndo.Valid) return false;
    const TEditPos from = PosOf(FUndo.Start);
    const TEditPos to = PosOf(FUndo.Start + static_cast<int32_t>(FUndo.Inserted.size()));
    const TEditPos end = Splice(from, to, FUndo.Removed);
    std::swap(FUndo.Removed, FUndo.Inserted);
    FUndo.Typing = false;
    FAnchor = from;
    FCaret = end;
    return true;
}

TEditPos TEditText::WordLeft(TEditPos Pos) const {
    Pos = Clamp(Pos);
    if (Pos.Col == 0)
        return Pos.Line == 0
                   ? Pos
                   : TEditPos{Pos.Line - 1, static_cast<int32_t>(FLines[Pos.Line - 1].size())};
    const std::string& line = FLines[Pos.Line];
    int32_t col = Pos.Col;
    while (col > 0 && KindOf(line[col - 1]) == TCharKind::Blank)
        --col;
    if (col == 0) return TEditPos{Pos.Line, 0};
    const TCharKind kind = KindOf(line[col - 1]);
    while (col > 0 && KindOf(line[col - 1]) == kind)
        --col;
    return TEditPos{Pos.Line, col};
}

TEditPos TEditText::WordRight(TEditPos Pos) const {
    Pos = Clamp(Pos);
    const std::string& line = FLines[Pos.Line];
    const auto length = static_cast<int32_t>(line.size());
    if (Pos.Col == length) return Pos.Line + 1 < LineCount() ? TEditPos{Pos.Line + 1, 0} : Pos;
    int32_t col = Pos.Col;
    const TCharKind kind = KindOf(line[col]);
    if (kind != TCharKind::Blank)
        while (col < length && KindOf(line[col]) == kind)
            ++col;
    while (col < length && KindOf(line[col]) == TCharKind::Blank)
        ++col;
    return TEditPos{Pos.Line, col};
}

void TEditText::WordAt(TEditPos Pos, TEditPos& First, TEditPos& Last) const {
    Pos = Clamp(Pos);
    const std::string& line = FLines[Pos.Line];
    const auto length = static_cast<int32_t>(line.size());
    First = Last = Pos;
    if (length == 0) return;
    const int32_t at = Pos.Col < length ? Pos.Col : length - 1;
    const TCharKind kind = KindOf(line[at]);
    int32_t first = at;
    int32_t last = at + 1;
    while (first > 0 && KindOf(line[first - 1]) == kind)
        --first;
    while (last < length && KindOf(line[last]) == kind)
        ++last;
    First = TEditPos{Pos.Line, first};
    Last = TEditPos{Pos.Line, last};
}

}  // namespace vex
