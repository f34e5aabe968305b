#include "platform/rich/richfind.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/rich/richdocument.h"
#include "platform/rich/richplaintext.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

uint32_t OptionsOf(const std::string& Names) {
    uint32_t options = 0;
    if (Names.find("down") != std::string::npos) options |= FR_DOWN;
    if (Names.find("wholeword") != std::string::npos) options |= FR_WHOLEWORD;
    if (Names.find("matchcase") != std::string::npos) options |= FR_MATCHCASE;
    return options;
}

TEST(FindText, FindsEachCaseOfTheTable) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/find.txt")) {
        SCOPED_TRACE(c.Where);
        TRichDocument document;
        document.Replace(0, 0, PlainTextFragment(c[0], 0, 0));
        EXPECT_EQ(FindText(document, c[1], static_cast<int32_t>(c.Int(2)),
                           static_cast<int32_t>(c.Int(3)), OptionsOf(c[4])),
                  c.Int(5));
    }
}

double SecondsToFindEveryMatch(int32_t Length) {
    TRichDocument document;
    std::string text;
    while (static_cast<int32_t>(text.size()) < Length)
        text += "abc xyz \r\n";
    document.Replace(0, 0, PlainTextFragment(text, 0, 0));
    const auto start = std::chrono::steady_clock::now();
    int32_t found = 0;
    for (int32_t at = 0; (at = FindText(document, "xyz", at, -1, FR_DOWN)) >= 0; ++at)
        ++found;
    for (int32_t end = -1; (end = FindText(document, "abc", 0, end, 0)) >= 0;)
        ++found;
    EXPECT_EQ(found, 2 * ((Length + 9) / 10));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Finding the next match again and again, as a replace-all does, reads the text about once.
TEST(FindText, FindsEveryMatchInTurnInTimeProportionalToTheText) {
    const double small = SecondsToFindEveryMatch(100000);
    const double large = SecondsToFindEveryMatch(400000);
    EXPECT_LT(large, 4 * small * 3 + 0.05);
}

}  // namespace
}  // namespace vex
