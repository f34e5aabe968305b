#include "net/md5.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/md5.txt";

TEST(MD5, GivesTheDefinitionsValuesWhereverTheUpdatesSplitTheData) {
    for (const test::TestCase& c : test::ReadCases(Cases, "digest")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(DigestToHex(MD5String(c[0])), c[1]);
    }
    std::mt19937 random(7);
    std::string data(1000, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    for (uint32_t first : {0, 1, 55, 56, 63, 64, 65, 127, 128, 500, 999, 1000}) {
        SCOPED_TRACE(first);
        TMD5Context context;
        MD5Init(context);
        MD5Update(context, data.data(), first);
        MD5Update(context, data.data() + first, 1000 - first);
        EXPECT_EQ(MD5Final(context), MD5String(data));
    }
}

TEST(APOP, DigestOfTheExampleStampIsTheOneOfTheProtocolAndOnlyWholeStampsCount) {
    for (const test::TestCase& c : test::ReadCases(Cases, "stamp"))
        EXPECT_EQ(APOPTimeStamp(c[0]), c[1]) << c.Where;
    EXPECT_EQ(APOPDigest("<1896.697170952@dbc.mtview.ca.us>", "tanstaaf"),
              "c4c9334bac560ecc979e58001b3e22fb");
}

TEST(TextBeforeAndAfter, TrimAndFallBackToTheWholeText) {
    EXPECT_EQ(TextBefore(" key : value ", ":") + TextAfter(" key : value ", ":"), "keyvalue");
    EXPECT_EQ(TextBefore(" none ", ":") + TextAfter(" none ", ":"), "nonenone");
    EXPECT_EQ(TextAfter("a::b", "::"), "b");
}

}  // namespace
}  // namespace vex
