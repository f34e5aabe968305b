#include "platform/ui/editmask.h"

#include <algorithm>

#include "platform/core/codepage.h"
#include "platform/core/formatsettings.h"

namespace vex {

namespace {

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

bool IsDataCode(char C) {
    switch (C) {
        case 'L':
        case 'l':
        case 'A':
        case 'a':
        case 'C':
        case 'c':
        case '0':
        case '9':
        case '#':
            return true;
        default:
            return false;
    }
}

// A space at a data position of mask character Code stands for a blank: a stored text keeps
// its blanks as spaces. Only a required character takes a space as one.
bool SpaceIsBlank(char Code) {
    return Code != 'C';
}

}  // namespace

TEditMask::TEditMask(std::string_view Mask) {
    TCase shift = TCase::None;
    size_t i = 0;
    for (; i < Mask.size() && Mask[i] != MaskFieldSeparator; ++i) {
        const char c = Mask[i];
        switch (c) {
            case '\\':
                // A lone backslash at the end escapes nothing and takes no position.
                if (i + 1 < Mask.size()) FPositions.push_back({0, Mask[++i], TCase::None});
                break;
            case '!':
                FReverse = true;
                break;
            case '>':
                shift = TCase::Upper;
                break;
            case '<':
                if (i + 1 < Mask.size() && Mask[i + 1] == '>') {
                    shift = TCase::None;
                    ++i;
                } else {
                    shift = TCase::Lower;
                }
                break;
            case ':':
                FPositions.push_back({0, FormatSettings().TimeSeparator, TCase::None});
                break;
            case '/':
                FPositions.push_back({0, FormatSettings().DateSeparator, TCase::None});
                break;
            case '_':
                FPositions.push_back({0, ' ', TCase::None});
                break;
            default:
                if (IsDataCode(c))
                    FPositions.push_back({c, 0, shift});
                else
                    FPositions.push_back({0, c, TCase::None});
                break;
        }
    }
    if (i >= Mask.size()) return;
    const std::string_view rest = Mask.substr(i + 1);
    const size_t second = rest.find(MaskFieldSeparator);
    const std::string_view save = rest.substr(0, second);
    FSaveLiterals = save.empty() || save[0] != MaskNoSave;
    if (second != std::string_view::npos && second + 1 < rest.size()) FBlank = rest[second + 1];
}

bool TEditMask::IsLiteral(int32_t Pos) const {
    return Pos >= 0 && Pos < Length() && FPositions[Pos].Code == 0;
}

bool TEditMask::IsRequired(int32_t Pos) const {
    if (Pos < 0 || Pos >= Length()) return false;
    const char code = FPositions[Pos].Code;
    return code == 'L' || code == 'A' || code == 'C' || code == '0';
}

bool TEditMask::Fits(const TPosition& P, char C) const {
    const auto byte = static_cast<unsigned char>(C);
    switch (P.Code) {
        case '0':
        case '9':
            return IsDigit(C);
        case '#':
            return IsDigit(C) || C == ' ' || C == '+' || C == '-';
        case 'L':
        case 'l':
            return IsAnsiAlpha(C);
        case 'A':
        case 'a':
            return IsAnsiAlpha(C) || IsDigit(C);
        case 'C':
        case 'c':
            return byte >= 0x20 && byte != 0x7F;
        default:
            return false;
    }
}

namespace {

// Lays Data on the data positions of a mask whose positions are Literals (0 for a data
// position): from the first one on, or under Reverse ending at the last one. What does not fit
// is dropped: the end of Data, or under Reverse its start.
std::string LayOut(const std::vector<char>& Literals, std::string_view Data, bool Reverse,
                   char Blank) {
    std::string out;
    std::vector<size_t> data;
    for (size_t p = 0; p < Literals.size(); ++p) {
        out += Literals[p] != 0 ? Literals[p] : Blank;
        if (Literals[p] == 0) data.push_back(p);
    }
    const size_t used = std::min(Data.size(), data.size());
    const size_t from = Reverse ? Data.size() - used : 0;
    const size_t to = Reverse ? data.size() - used : 0;
    for (size_t k = 0; k < used; ++k)
        out[data[to + k]] = Data[from + k];
    return out;
}

}  // namespace

std::string TEditMask::FormatText(std::string_view Text, bool WithLiterals) const {
    if (!IsMasked()) return std::string(Text);
    // The stored text's blanks show as the blank character again.
    const auto blanked = [this](std::string Edit) {
        for (size_t p = 0; p < Edit.size(); ++p) {
            const char code = FPositions[p].Code;
            if (Edit[p] == ' ' && code != 0 && SpaceIsBlank(code)) Edit[p] = FBlank;
        }
        return Edit;
    };
    std::vector<char> literals;
    for (const TPosition& p : FPositions)
        literals.push_back(p.Code == 0 ? p.Literal : 0);
    if (!WithLiterals) return blanked(LayOut(literals, Text, FReverse, FBlank));

    // Each run of data positions takes the text up to the literal that follows it, so a text
    // with a short field keeps its other fields in place; a text without the literals flows
    // from one run into the next.
    std::string out;
    const int32_t n = Length();
    size_t v = 0;
    for (int32_t p = 0; p < n;) {
        if (IsLiteral(p)) {
            if (v < Text.size() && Text[v] == literals[p]) ++v;
            out += literals[p++];
            continue;
        }
        int32_t q = p;
        while (q < n && !IsLiteral(q))
            ++q;
        const size_t width = static_cast<size_t>(q - p);
        size_t end = Text.size();
        if (q < n) end = std::min(end, Text.find(literals[q], v));
        std::string_view field = Text.substr(std::min(v, Text.size()), end - std::min(v, end));
        field = field.substr(0, width);
        v += field.size();
        const std::string padding(width - field.size(), FBlank);
        out += FReverse ? padding + std::string(field) : std::string(field) + padding;
        p = q;
    }
    return blanked(out);
}

std::string TEditMask::ExtractText(std::string_view EditText, bool WithLiterals) const {
    if (!IsMasked()) return std::string(EditText);
    std::string data;
    std::vector<char> literals;
    for (int32_t p = 0; p < Length(); ++p) {
        const TPosition& position = FPositions[p];
        literals.push_back(position.Code == 0 ? position.Literal : 0);
        if (position.Code != 0)
            data += static_cast<size_t>(p) < EditText.size() ? EditText[p] : FBlank;
    }
    if (FReverse)
        data.erase(0, std::min(data.find_first_not_of(FBlank), data.size()));
    else
        data.erase(data.find_last_not_of(FBlank) + 1);
    std::replace(data.begin(), data.end(), FBlank, ' ');
    return WithLiterals ? LayOut(literals, data, FReverse, ' ') : data;
}

std::optional<char> TEditMask::AcceptChar(int32_t Pos, char C) const {
    if (Pos < 0 || Pos >= Length() || IsLiteral(Pos)) return std::nullopt;
    const TPosition& p = FPositions[Pos];
    if (!Fits(p, C)) return std::nullopt;
    if (p.Case == TCase::Upper) return AnsiUpperChar(C);
    if (p.Case == TCase::Lower) return AnsiLowerChar(C);
    return C;
}

int32_t TEditMask::NextInputPos(int32_t Pos) const {
    Pos = std::max(Pos, 0);
    while (Pos < Length() && IsLiteral(Pos))
        ++Pos;
    return std::min(Pos, Length());
}

int32_t TEditMask::PriorInputPos(int32_t Pos) const {
    Pos = std::min(Pos, Length() - 1);
    while (Pos >= 0 && IsLiteral(Pos))
        --Pos;
    return std::max(Pos, -1);
}

int32_t TEditMask::SkipToLiteral(int32_t Pos, char C) const {
    int32_t q = Pos;
    while (q < Length() && !IsLiteral(q))
        ++q;
    return q < Length() && FPositions[q].Literal == C ? q + 1 : -1;
}

TEditMask::TInputResult TEditMask::Input(std::string& EditText, int32_t Pos,
                                         std::string_view Text) const {
    const int32_t n = Length();
    if (EditText.size() != static_cast<size_t>(n)) EditText = FormatText(EditText);
    int32_t p = std::clamp(Pos, 0, n);
    for (const char c : Text) {
        bool steppedOn = false;
        while (p < n && IsLiteral(p)) {
            steppedOn = FPositions[p++].Literal == c;
            if (steppedOn) break;
        }
        if (steppedOn) continue;
        if (const std::optional<char> stored = AcceptChar(p, c)) {
            EditText[p++] = *stored;
            continue;
        }
        const int32_t after = p < n ? SkipToLiteral(p, c) : -1;
        if (after < 0) return {p, true};
        p = after;
    }
    return {p, false};
}

void TEditMask::Clear(std::string& EditText, int32_t Start, int32_t End) const {
    const int32_t to = std::min({End, Length(), static_cast<int32_t>(EditText.size())});
    for (int32_t p = std::max(Start, 0); p < to; ++p)
        if (!IsLiteral(p)) EditText[p] = FBlank;
}

int32_t TEditMask::FirstError(std::string_view EditText) const {
    for (int32_t p = 0; p < Length(); ++p) {
        const TPosition& position = FPositions[p];
        if (position.Code == 0) continue;
        const char c = static_cast<size_t>(p) < EditText.size() ? EditText[p] : FBlank;
        const bool empty = c == FBlank || (c == ' ' && SpaceIsBlank(position.Code));
        if (empty ? IsRequired(p) : !Fits(position, c)) return p;
    }
    return -1;
}

}  // namespace vex
