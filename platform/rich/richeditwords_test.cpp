#include "platform/rich/richeditwords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rich/richengine.h"

namespace vex {
namespace {

TEST(RichEditWords, WordsStopAtBlanksMarksAndParagraphEnds) {
    struct TCase {
        int32_t From, Left, Right, First, Last;
    };
    // "one, two" then "  x_1" in the next paragraph (it starts at 9).
    TRichEditEngine engine;
    engine.SetText("one, two\r\n  x_1");
    const std::vector<TCase> cases = {
        {0, 0, 3, 0, 3},      // the text's start
        {2, 0, 3, 0, 3},      // inside a word
        {3, 0, 5, 3, 4},      // before the comma, a word of its own
        {5, 3, 8, 5, 8},      // after the blank
        {8, 5, 9, 5, 8},      // at the paragraph end
        {9, 8, 11, 9, 11},    // the next paragraph's start
        {11, 9, 14, 11, 14},  // "x_1" is one word
        {14, 11, 14, 11, 14},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.From);
        EXPECT_EQ(RichWordLeft(engine.Document(), c.From), c.Left);
        EXPECT_EQ(RichWordRight(engine.Document(), c.From), c.Right);
        int32_t first = -1, last = -1;
        RichWordAt(engine.Document(), c.From, first, last);
        EXPECT_EQ(first, c.First);
        EXPECT_EQ(last, c.Last);
    }
}

}  // namespace
}  // namespace vex
