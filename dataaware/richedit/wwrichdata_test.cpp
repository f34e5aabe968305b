#include "dataaware/richedit/wwrichdata.h"

#include <gtest/gtest.h>

#include <string>

#include "dataaware/richedit/wwrichversion.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richstreams.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/data.txt";
const std::string VersionCheckBlock = VEX_TEST_DIR "/testdata/versioncheck-data.bin";

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

TEST(WwRichData, TheVersionCheckBlockLoadsAsAnEmptyDocument) {
    const std::string block = test::ReadWholeFile(VersionCheckBlock);
    ASSERT_EQ(block.size(), 104u);
    const std::string document = wwDecodeRichData(block);
    ASSERT_EQ(document.size(), 100u);
    EXPECT_EQ(document.back(), '\0');
    TRichEditEngine engine;
    engine.SetText("left over");
    LoadRtf(engine, document, false);
    EXPECT_EQ(engine.TextLength(), 0);
    EXPECT_EQ(wwEncodeRichData(document), block);
}

TEST(WwRichEditClassName, FollowsVersionLibraryAndSwitch) {
    struct TCase {
        int32_t Version;
        bool Available, Version1Class;
        const char* ClassName;
    };
    for (const TCase& c :
         {TCase{2, true, false, "RICHEDIT20A"}, TCase{2, true, true, "RICHEDIT"},
          TCase{2, false, false, "RICHEDIT"}, TCase{1, true, false, "RICHEDIT"},
          TCase{0, true, false, "RICHEDIT"}, TCase{3, true, false, "RICHEDIT20A"}}) {
        SCOPED_TRACE(c.ClassName);
        EXPECT_EQ(wwRichEditClassName(c.Version, c.Available, c.Version1Class), c.ClassName);
    }
}

}  // namespace
}  // namespace vex
