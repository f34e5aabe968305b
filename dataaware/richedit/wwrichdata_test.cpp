#include "dataaware/richedit/wwrichdata.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/data.txt";

TEST(WwRichData, BlocksDecodeAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(Cases, "decode")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(wwDecodeRichData(c[0]), c[1]);
    }
}

TEST(WwRichData, CorruptBlocksAreReadErrors) {
    for (const test::TestCase& c : test::ReadCases(Cases, "corrupt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_THROW(wwDecodeRichData(c[0]), EReadError);
    }
}

TEST(WwRichData, DocumentsRoundTrip) {
    for (const std::string& document : {std::string(), std::string("{\\rtf1 x}"),
                                        std::string(300, '\0'), std::string(70000, 'r')}) {
        const std::string block = wwEncodeRichData(document);
        EXPECT_EQ(block.size(), document.size() + 4);
        EXPECT_EQ(wwDecodeRichData(block), document);
    }
}

}  // namespace
}  // namespace vex
