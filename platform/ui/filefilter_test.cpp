#include "platform/ui/filefilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

// The choices as "description=pattern;pattern" joined by " | ".
std::string Choices(const std::string& Filter) {
    std::string text;
    for (const TFileFilterEntry& entry : ParseFileFilter(Filter)) {
        text += (text.empty() ? "" : " | ") + entry.Description + "=";
        for (size_t i = 0; i < entry.Patterns.size(); ++i)
            text += (i == 0 ? "" : ";") + entry.Patterns[i];
    }
    return text;
}

TEST(FileFilter, EveryChoiceKeepsItsPlaceHoweverTheFilterIsWritten) {
    const struct {
        const char* Filter;
        const char* Choices;
    } cases[] = {
        {"Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT",
         "Rich Text Files (*.RTF)=*.RTF | Text Files (*.TXT)=*.TXT"},
        {"", ""},
        {"Logs|*.txt; *.log ;;", "Logs=*.txt;*.log"},
        {"Odd|*.a|Last alone", "Odd=*.a | Last alone=*"},
        {"Empty pattern||Text|*.txt", "Empty pattern=* | Text=*.txt"},
        {"|*.c;*.h", "*.c;*.h=*.c;*.h"},
        {"Text|*.txt||", "Text=*.txt"},
        {"|", ""},
        {"Just a description", "Just a description=*"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Choices(c.Filter), c.Choices) << c.Filter;
}

TEST(FileFilter, NamesMatchPatternsInAnyCaseAndHiddenOnesOnlyWhenAskedFor) {
    const struct {
        std::vector<std::string> Patterns;
        std::string Name;
        bool Matches;
    } cases[] = {
        {{"*.RTF"}, "notes.rtf", true},
        {{"*.rtf"}, "NOTES.RTF", true},
        {{"*.rtf"}, "notes.rtf.bak", false},
        {{"*.txt", "*.log"}, "mail.log", true},
        {{"*.txt", "*.log"}, "mail.logs", false},
        {{"a?c"}, "abc", true},
        {{"a?c"}, "ac", false},
        {{"*.*"}, "README", true},
        {{"*."}, "README", true},
        {{"*."}, "README.md", false},
        {{"*"}, "", true},
        {{"*\xC9*"}, "caf\xE9.txt", true},  // É and é are one letter in either case
        {{"*"}, ".profile", false},
        {{".*"}, ".profile", true},
        {{"*.txt", ".*"}, ".hidden.txt", true},
        {{"*a*a*a*a*a*a*a*a*a*a*b"}, std::string(100000, 'a'), false},  // ends at once
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesFilePatterns(c.Patterns, c.Name), c.Matches)
            << c.Patterns.front() << " " << c.Name;
}

}  // namespace
}  // namespace vex
