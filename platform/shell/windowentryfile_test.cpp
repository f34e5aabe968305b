#include "platform/shell/windowentryfile.h"

#include <gtest/gtest.h>

#include "tests/support/casefile.h"

namespace vex {
namespace {

std::vector<std::string> SplitBars(const std::string& Text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = Text.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(Text.substr(start, bar - start));
    parts.push_back(Text.substr(start));
    return parts;
}

TWindowEntry EntryOf(const std::string& Fields) {
    const std::vector<std::string> parts = SplitBars(Fields);
    EXPECT_EQ(parts.size(), 5u);
    TWindowEntry entry{parts.at(0), parts.at(1)};
    entry.ProcessId = std::stoi(parts.at(2));
    entry.ProcessStart = std::stoull(parts.at(3));
    entry.Window = std::stoull(parts.at(4));
    return entry;
}

TEST(WindowEntryFile, TakesExactlyTheTextsItWrites) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/windowentries.txt")) {
        SCOPED_TRACE(c.Where + " " + c[0]);
        const std::optional<TWindowEntry> entry = ParseWindowEntry(c[1]);
        if (c[2] == "-") {
            EXPECT_FALSE(entry.has_value());
            continue;
        }
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(*entry, EntryOf(c[2]));
        EXPECT_EQ(FormatWindowEntry(*entry), c[1]);
    }
}

TEST(WindowEntryFile, RefusesTextsLongerThanTheDirectoryLists) {
    TWindowEntry entry{"C", std::string(TWindowDirectory::MaxTextLength, 'x'), 42, 7, 256};
    EXPECT_TRUE(ParseWindowEntry(FormatWindowEntry(entry)).has_value());
    entry.Title += 'x';
    EXPECT_FALSE(ParseWindowEntry(FormatWindowEntry(entry)).has_value());
    // Escapes count as the bytes they stand for, not as the four characters written.
    entry.Title = std::string(TWindowDirectory::MaxTextLength, '\n');
    EXPECT_EQ(ParseWindowEntry(FormatWindowEntry(entry)), entry);
}

TEST(WindowEntryFile, NamesCarryProcessStartAndWindow) {
    const TWindowEntry entry{"C", "T", 42, 7, 256};
    EXPECT_EQ(WindowEntryFileName(entry), "42-7-256.window");
    EXPECT_EQ(WindowSocketFileName(entry), "42-7-256.socket");
    struct Case {
        const char* Name;
        bool IsEntry;
    };
    for (const Case& c : {Case{"42-7-256.window", true}, Case{"42-7-256.socket", false},
                          Case{"lock", false}, Case{".window", false}, Case{"42-7.window", false},
                          Case{"42-7-256-1.window", false}, Case{"42-x-256.window", false},
                          Case{"42-7-256.window.tmp", false}, Case{"../42-7-256.window", false},
                          Case{"--.window", false}, Case{"42--256.window", false},
                          Case{"-42-7-256.window", false}, Case{"42-7-256-.window", false}}) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(IsWindowEntryFileName(c.Name), c.IsEntry);
    }
}

}  // namespace
}  // namespace vex
