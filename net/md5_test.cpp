#include "net/md5.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vex {
namespace {

TEST(MD5, GivesTheTestSuiteValuesOfItsDefinition) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890"
         "1234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, hex] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DigestToHex(MD5String(text)), hex);
    }
}

TEST(MD5, UpdatesSplitAnywhereGiveTheSameDigest) {
    std::mt19937 random(7);
    std::string data(1000, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    const std::string whole = MD5String(data);
    for (size_t first : {0, 1, 55, 56, 63, 64, 65, 127, 128, 500, 999}) {
        for (size_t second : {0, 1, 8, 64, 100}) {
            if (first + second > data.size()) continue;
            SCOPED_TRACE(std::to_string(first) + "+" + std::to_string(second));
            TMD5Context context;
            MD5Init(context);
            MD5Update(context, data.data(), static_cast<uint32_t>(first));
            MD5Update(context, data.data() + first, static_cast<uint32_t>(second));
            MD5Update(context, data.data() + first + second,
                      static_cast<uint32_t>(data.size() - first - second));
            EXPECT_EQ(MD5Final(context), whole);
        }
    }
}

TEST(APOP, DigestOfTheExampleStampIsTheOneOfTheProtocolAndOnlyWholeStampsCount) {
    const std::string greeting = "+OK POP3 server ready <1896.697170952@dbc.mtview.ca.us>";
    const std::string stamp = APOPTimeStamp(greeting);
    EXPECT_EQ(stamp, "<1896.697170952@dbc.mtview.ca.us>");
    EXPECT_EQ(APOPDigest(stamp, "tanstaaf"), "c4c9334bac560ecc979e58001b3e22fb");
    // a greeting without a complete stamp gives none
    EXPECT_EQ(APOPTimeStamp("+OK ready"), "");
    EXPECT_EQ(APOPTimeStamp("+OK ready <1896.697170952@dbc"), "");
    EXPECT_EQ(APOPTimeStamp("+OK a>b "), "");
    EXPECT_EQ(APOPTimeStamp("+OK x> <a@b>"), "<a@b>");
}

TEST(TextBeforeAndAfter, TrimAndFallBackToTheWholeText) {
    EXPECT_EQ(TextBefore(" key : value ", ":"), "key");
    EXPECT_EQ(TextAfter(" key : value ", ":"), "value");
    EXPECT_EQ(TextBefore(" no delimiter ", ":"), "no delimiter");
    EXPECT_EQ(TextAfter(" no delimiter ", ":"), "no delimiter");
    EXPECT_EQ(TextAfter("a::b", "::"), "b");
}

}  // namespace
}  // namespace vex
