#include "platform/rich/richfind.h"

#include <algorithm>
#include <string>

#include "platform/core/codepage.h"
#include "platform/rich/richdocument.h"

namespace vex {

namespace {

bool IsWordChar(char C) {
    return IsAnsiAlpha(C) || (C >= '0' && C <= '9') || C == '_';
}

std::string Folded(std::string Text) {
    for (char& c : Text)
        c = AnsiUpperChar(c);
    return Text;
}

}  // namespace

int32_t FindText(const TRichDocument& Document, std::string_view Text, int32_t Start, int32_t End,
                 uint32_t Options) {
    std::string pattern;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') continue;
        pattern.push_back(Text[i] == '\n' ? '\r' : Text[i]);
    }
    const int32_t length = Document.Length();
    if (End < 0 || End > length) End = length;
    Start = std::clamp(Start, 0, End);
    if (pattern.empty() || static_cast<size_t>(End - Start) < pattern.size()) return -1;

    // One character either side of the range tells whether a match there stands as a word.
    const int32_t from = std::max(Start - 1, 0);
    std::string haystack = Document.Text(from, std::min(End + 1, length) - from);
    if (!(Options & FR_MATCHCASE)) {
        haystack = Folded(std::move(haystack));
        pattern = Folded(std::move(pattern));
    }
    const size_t first = static_cast<size_t>(Start - from);
    const size_t last = static_cast<size_t>(End - from) - pattern.size();  // latest start
    auto standsAlone = [&](size_t At) {
        if (!(Options & FR_WHOLEWORD)) return true;
        const size_t after = At + pattern.size();
        return (At == 0 || !IsWordChar(haystack[At - 1])) &&
               (after >= haystack.size() || !IsWordChar(haystack[after]));
    };
    if (Options & FR_DOWN) {
        for (size_t at = haystack.find(pattern, first); at != std::string::npos && at <= last;
             at = haystack.find(pattern, at + 1))
            if (standsAlone(at)) return from + static_cast<int32_t>(at);
    } else {
        for (size_t at = haystack.rfind(pattern, last); at != std::string::npos && at >= first;
             at = at == 0 ? std::string::npos : haystack.rfind(pattern, at - 1))
            if (standsAlone(at)) return from + static_cast<int32_t>(at);
    }
    return -1;
}

}  // namespace vex
