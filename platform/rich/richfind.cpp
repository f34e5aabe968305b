#include "platform/rich/richfind.h"

#include <algorithm>
#include <string>

#include "platform/core/codepage.h"
#include "platform/core/stringutils.h"
#include "platform/rich/richdocument.h"
#include "platform/rich/richplaintext.h"

namespace vex {

namespace {

bool IsWordChar(char C) {
    return IsAnsiAlpha(C) || (C >= '0' && C <= '9') || C == '_';
}

// The first (down) or last (up) match that starts within [First, Last], reading only the text
// such matches and the characters either side of them take.
int32_t FindIn(const TFindSource& Source, const std::string& Pattern, int32_t First, int32_t Last,
               uint32_t Options) {
    // One character either side tells whether a match there stands as a word.
    const int32_t from = std::max(First - 1, 0);
    const int64_t to =
        std::min<int64_t>(int64_t{Last} + static_cast<int64_t>(Pattern.size()) + 1, Source.Length);
    std::string haystack = Source.Text(from, static_cast<int32_t>(to - from));
    if (!(Options & FR_MATCHCASE)) haystack = AnsiUpperCase(haystack);
    const size_t first = static_cast<size_t>(First - from);
    const size_t last = static_cast<size_t>(Last - from);
    auto standsAlone = [&](size_t At) {
        if (!(Options & FR_WHOLEWORD)) return true;
        const size_t after = At + Pattern.size();
        return (At == 0 || !IsWordChar(haystack[At - 1])) &&
               (after >= haystack.size() || !IsWordChar(haystack[after]));
    };
    if (Options & FR_DOWN) {
        for (size_t at = haystack.find(Pattern, first); at != std::string::npos && at <= last;
             at = haystack.find(Pattern, at + 1))
            if (standsAlone(at)) return from + static_cast<int32_t>(at);
    } else {
        for (size_t at = haystack.rfind(Pattern, last); at != std::string::npos && at >= first;
             at = at == 0 ? std::string::npos : haystack.rfind(Pattern, at - 1))
            if (standsAlone(at)) return from + static_cast<int32_t>(at);
    }
    return -1;
}

}  // namespace

int32_t FindText(const TRichDocument& Document, std::string_view Text, int32_t Start, int32_t End,
                 uint32_t Options) {
    const TFindSource source{
        Document.Length(), [&](int32_t From, int32_t Count) { return Document.Text(From, Count); }};
    return FindText(source, Text, Start, End, Options);
}

int32_t FindText(const TFindSource& Source, std::string_view Text, int32_t Start, int32_t End,
                 uint32_t Options) {
    std::string pattern = DocumentTextOf(Text);
    const int32_t length = Source.Length;
    if (End < 0 || End > length) End = length;
    Start = std::clamp(Start, 0, End);
    if (pattern.empty() || static_cast<size_t>(End - Start) < pattern.size()) return -1;
    if (!(Options & FR_MATCHCASE)) pattern = AnsiUpperCase(pattern);

    // The range is read in windows that double as they go, so that finding the next match
    // again and again (a replace-all) reads about as much text as lies between the matches.
    const int32_t lastStart = End - static_cast<int32_t>(pattern.size());
    int64_t window = 64;
    if (Options & FR_DOWN) {
        for (int64_t first = Start; first <= lastStart; window *= 2) {
            const auto last =
                static_cast<int32_t>(std::min<int64_t>(lastStart, first + window - 1));
            const int32_t found =
                FindIn(Source, pattern, static_cast<int32_t>(first), last, Options);
            if (found >= 0) return found;
            first = int64_t{last} + 1;
        }
    } else {
        for (int64_t last = lastStart; last >= Start; window *= 2) {
            const auto first = static_cast<int32_t>(std::max<int64_t>(Start, last - window + 1));
            const int32_t found =
                FindIn(Source, pattern, first, static_cast<int32_t>(last), Options);
            if (found >= 0) return found;
            last = int64_t{first} - 1;
        }
    }
    return -1;
}

}  // namespace vex
