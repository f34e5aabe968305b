#include "net/mailaddress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/msheaders.h"
#include "platform/core/stringlist.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

Lines Split(const std::string& Text) {
    Lines parts(2);
    ParseMailAddress(Text, parts[0], parts[1]);
    return parts;
}

// A From field's value as the message model reads it.
std::string FromValue(const std::string& Value) {
    TmsHeaders headers;
    headers.Add("From: " + Value);
    std::string value;
    headers.GetFieldValue("From", value);
    return value;
}

// The value a loaded message reads its sender from, which must load whatever it holds.
Lines SplitLeniently(const std::string& Text) {
    TmsMailAddress parsed;
    ParseAddressLeniently(Text, parsed);
    return {parsed.Address, parsed.Name};
}

TEST(ParseMailAddress, SplitsTheFormsOfAddressAndName) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/mailaddresses.txt")) {
        SCOPED_TRACE(c.Where);
        if (c[0] == "from") {
            EXPECT_EQ(Split(FromValue(c[1])), (Lines{c[2], c[3]}));
        } else if (c[0] == "unclosed") {
            std::string address = "kept", name = "kept";
            EXPECT_THROW(ParseMailAddress(c[1], address, name), EMailAddressError);
            EXPECT_EQ(address + name, "keptkept");
            EXPECT_EQ(SplitLeniently(c[1]), (Lines{c[2], c[3]}));
        } else {
            EXPECT_EQ(Split(c[0]), (Lines{c[1], c[2]}));
            EXPECT_EQ(SplitLeniently(c[0]), (Lines{c[1], c[2]}));
        }
    }
}

// Decoded before it was parsed, an encoded display name could forge the address a user's
// always-accept rules look at. The name comes back as the bytes its encoded words hold, the JIS
// bytes of a backslash too.
TEST(ParseMailAddress, EncodedWordsOfAHeaderNeverBecomeTheAddressAndKeepTheirBytes) {
    TmsHeaders headers;
    headers.SetText(
        "From: =?utf-8?Q?Support_=3Cservice=40bank.test=3E?= <spam@bad.test>\r\n"
        "To: \"=?utf-8?Q?a=22b?=\" <one@x.test>, =?utf-8?Q?x=40y?=@z.test "
        "(=?utf-8?Q?M=C3=BCller?=)\r\n"
        "Cc: =?utf-8?Q?Caf=C3=A9?= <two@x.test>\r\n"
        "Reply-To: =?iso-2022-jp?B?GyRCRnxLXDhsGyhC?= <j@x.test>, k@x.test "
        "(=?utf-8?Q?a=5Cb?=)\r\n");
    std::string from, cc;
    headers.GetFieldValue("From", from);
    headers.GetFieldValue("Cc", cc);
    TStringList to, replyTo;
    headers.GetFieldValues("To", to);
    headers.GetFieldValues("Reply-To", replyTo);
    ASSERT_EQ(to.Count(), 2);
    ASSERT_EQ(replyTo.Count(), 2);
    EXPECT_EQ(Split(from), (Lines{"spam@bad.test", "Support <service@bank.test>"}));
    EXPECT_EQ(Split(to[0]), (Lines{"one@x.test", "a\"b"}));
    EXPECT_EQ(Split(replyTo[0]), (Lines{"j@x.test", "\x1b$BF|K\\8l\x1b(B"}));
    EXPECT_EQ(Split(replyTo[1]), (Lines{"k@x.test", "a\\b"}));
    EXPECT_EQ(Split(to[1]), (Lines{"=?utf-8?Q?x=40y?=@z.test", "M\xC3\xBCller"}));
    EXPECT_EQ(cc, "Caf\xC3\xA9 <two@x.test>");
}

}  // namespace
}  // namespace vex
