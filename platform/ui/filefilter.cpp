#include "platform/ui/filefilter.h"

#include "platform/core/codepage.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

std::vector<std::string_view> Split(std::string_view Text, char Separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = Text.find(Separator, start);
        parts.push_back(Text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::vector<std::string> PatternsOf(std::string_view Part) {
    std::vector<std::string> patterns;
    for (std::string_view piece : Split(Part, ';')) {
        std::string pattern = Trim(piece);
        if (!pattern.empty()) patterns.push_back(std::move(pattern));
    }
    if (patterns.empty()) patterns.emplace_back("*");
    return patterns;
}

bool SameLetter(char A, char B) {
    return A == B || AnsiLowerChar(A) == AnsiLowerChar(B);
}

// Greedy with one point to come back to: each "*" only ever moves forward, so a hostile
// pattern costs at most the product of the two lengths, never an exponential search.
bool Matches(std::string_view Pattern, std::string_view Name) {
    size_t p = 0, n = 0;
    size_t starAt = std::string_view::npos, starName = 0;
    while (n < Name.size()) {
        if (p < Pattern.size() && Pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (p < Pattern.size() && (Pattern[p] == '?' || SameLetter(Pattern[p], Name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < Pattern.size() && Pattern[p] == '*')
        ++p;
    return p == Pattern.size();
}

}  // namespace

std::vector<TFileFilterEntry> ParseFileFilter(std::string_view Filter) {
    std::vector<TFileFilterEntry> entries;
    std::vector<std::string_view> parts = Split(Filter, '|');
    // Filters written for the original often end in "|" or "||".
    while (!parts.empty() && Trim(parts.back()).empty())
        parts.pop_back();
    for (size_t i = 0; i < parts.size(); i += 2) {
        TFileFilterEntry entry;
        entry.Patterns = PatternsOf(i + 1 < parts.size() ? parts[i + 1] : std::string_view());
        entry.Description = Trim(parts[i]);
        if (entry.Description.empty()) {
            for (const std::string& pattern : entry.Patterns)
                entry.Description += (entry.Description.empty() ? "" : ";") + pattern;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool MatchesFilePattern(std::string_view Pattern, std::string_view Name) {
    if (Matches(Pattern, Name)) return true;
    return Name.find('.') == std::string_view::npos && Matches(Pattern, std::string(Name) + ".");
}

bool MatchesFilePatterns(const std::vector<std::string>& Patterns, std::string_view Name) {
    const bool hidden = !Name.empty() && Name[0] == '.';
    for (const std::string& pattern : Patterns) {
        if (hidden && (pattern.empty() || pattern[0] != '.')) continue;
        if (MatchesFilePattern(pattern, Name)) return true;
    }
    return false;
}

bool IsFilePattern(std::string_view Text) {
    return Text.find_first_of("*?") != std::string_view::npos;
}

}  // namespace vex
