#include "platform/rich/richfind.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vex
