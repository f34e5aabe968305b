#include "net/md5.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "net/casefile_testsupport.h"

namespace vex {
namespace {

TEST(MD5, GivesTheDefinitionsValuesWhereverTheUpdatesSplitTheData) {
    const std::vector<test::FileCase> cases = test::CasesOf("md5.txt");
    for (const std::string& row : cases.at(0).Parts.at(0)) {
        SCOPED_TRACE(row);
        EXPECT_EQ(DigestToHex(MD5String(test::FieldsOf(row)[0])), test::FieldsOf(row)[1]);
    }
    std::mt19937 random(7);
    std::string data(1000, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    for (uint32_t first : {0, 1, 55, 56, 63, 64, 65, 127, 128, 500, 999}) {
        for (uint32_t second : {0, 1, 8, 64}) {
            if (first + second > data.size()) continue;
            SCOPED_TRACE(std::to_string(first) + "+" + std::to_string(second));
            TMD5Context context;
            MD5Init(context);
            MD5Update(context, data.data(), first);
            MD5Update(context, data.data() + first, second);
            MD5Update(context, data.data() + first + second, 1000 - first - second);
            EXPECT_EQ(MD5Final(context), MD5String(data));
        }
    }
}

TEST(APOP, DigestOfTheExampleStampIsTheOneOfTheProtocolAndOnlyWholeStampsCount) {
    const std::string stamp = APOPTimeStamp("+OK POP3 ready <1896.697170952@dbc.mtview.ca.us>");
    EXPECT_EQ(stamp, "<1896.697170952@dbc.mtview.ca.us>");
    EXPECT_EQ(APOPDigest(stamp, "tanstaaf"), "c4c9334bac560ecc979e58001b3e22fb");
    for (const char* greeting : {"+OK ready", "+OK ready <1896.697170952@dbc", "+OK a>b "})
        EXPECT_EQ(APOPTimeStamp(greeting), "") << greeting;
    EXPECT_EQ(APOPTimeStamp("+OK x> <a@b>"), "<a@b>");
}

TEST(TextBeforeAndAfter, TrimAndFallBackToTheWholeText) {
    EXPECT_EQ(TextBefore(" key : value ", ":"), "key");
    EXPECT_EQ(TextAfter(" key : value ", ":"), "value");
    EXPECT_EQ(TextBefore(" none ", ":") + TextAfter(" none ", ":"), "nonenone");
    EXPECT_EQ(TextAfter("a::b", "::"), "b");
}

}  // namespace
}  // namespace vex
