#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vex {

// One choice of a file dialog's filter: what the combo shows, and the name patterns it lists.
struct TFileFilterEntry {
    std::string Description;
    std::vector<std::string> Patterns;  // never empty
};

// Splits a filter ("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT") into its choices.
// A pattern part may hold several patterns ("*.txt;*.log"). A choice keeps its place however
// it is written, so that a FilterIndex counted by the caller still names it: a description
// without patterns (an empty part, or a last description with no part after it) lists every
// file, and an empty description shows the patterns instead. Empty parts at the end (filters
// written as "...|*.TXT||") make no choice.
std::vector<TFileFilterEntry> ParseFileFilter(std::string_view Filter);

// Whether Name matches Pattern ("*" any run, "?" one character), letters of either case alike.
// As on the original platform a name without a "." matches as if it ended in one, so "*.*"
// lists every file and "*." those without an extension.
bool MatchesFilePattern(std::string_view Pattern, std::string_view Name);

// Whether Name matches one of Patterns. A hidden name (starting with ".") matches only a
// pattern that starts with "." itself: a plain "*" does not list hidden files.
bool MatchesFilePatterns(const std::vector<std::string>& Patterns, std::string_view Name);

// Whether Text holds a wildcard, and so is a pattern rather than a name.
bool IsFilePattern(std::string_view Text);

}  // namespace vex
