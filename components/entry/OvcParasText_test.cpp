#include "components/entry/OvcParasText.h"

#include <gtest/gtest.h>

#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(ParaText, RoutinesFollowTheirTables) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/paras_text.txt")) {
        SCOPED_TRACE(c.Where);
        const std::string& routine = c[0];
        const std::string& text = c[1];
        const auto n = static_cast<size_t>(c.Int(2));
        const auto tab = static_cast<uint8_t>(c.Int(3));
        size_t got = 0;
        if (routine == "wordstart") got = WordStart(text, n);
        if (routine == "column") got = ColumnOfPos(text, n, tab);
        if (routine == "poscol") got = PosOfColumn(text, n, tab);
        if (routine == "break") got = BreakSearch(text, n);
        if (routine == "nextline") got = NextLineStart(text, n, 6, tab);
        if (routine == "lineend") {
            const TLineEnd end = LineEndSearch(text);
            got = end.At * 10 + end.Length;
        }
        EXPECT_EQ(got, c.Int(4)) << routine;
    }
}

}  // namespace
}  // namespace vex
