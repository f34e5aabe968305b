#include "net/mailaddress.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "net/msheaders.h"
#include "platform/core/stringlist.h"

namespace vex {
namespace {

// Rows of a From or To value, the address and the name it splits into.
void ExpectSplits(const std::vector<std::array<std::string, 3>>& Cases) {
    for (const auto& [text, address, name] : Cases) {
        SCOPED_TRACE(text);
        std::string parsedAddress, parsedName;
        ParseMailAddress(text, parsedAddress, parsedName);
        EXPECT_EQ(parsedAddress, address);
        EXPECT_EQ(parsedName, name);
    }
}

TEST(ParseMailAddress, SplitsTheFormsOfAddressAndName) {
    ExpectSplits({
        {"\"Joe Q. Public\" <john.q.public@example.com>", "john.q.public@example.com",
         "Joe Q. Public"},
        {"<boss@nil.test>", "boss@nil.test", ""},
        {"  jdoe@example.org  ", "jdoe@example.org", ""},
        {"jdoe@example.org (John Doe)  ", "jdoe@example.org", "John Doe"},
        {"jdoe@example.org (John", "jdoe@example.org", "John"},
        {"\"a<b\" <x@y.test>", "x@y.test", "a<b"},
        {"Pete(A nice \\) chap) <pete(his account)@silly.test(his host)>", "pete@silly.test",
         "Pete(A nice \\) chap)"},
        {"\"" + std::string(300, 'n') + "\" <" + std::string(300, 'a') + ">", std::string(255, 'a'),
         std::string(255, 'n')},
    });
    std::string address = "kept", name = "kept";
    EXPECT_THROW(ParseMailAddress("\"Joe\" <joe@example.test", address, name), EMailAddressError);
    EXPECT_EQ(address + name, "keptkept");
}

// Decoded before it was parsed, an encoded display name could forge the address a user's
// always-accept rules look at.
TEST(ParseMailAddress, EncodedWordsOfAHeaderNeverBecomeTheAddress) {
    TmsHeaders headers;
    headers.SetText(
        "From: =?utf-8?Q?Support_=3Cservice=40bank.test=3E?= <spam@bad.test>\r\n"
        "To: \"=?utf-8?Q?a=22b?=\" <one@x.test>, =?utf-8?Q?x=40y?=@z.test "
        "(=?utf-8?Q?M=C3=BCller?=)\r\n"
        "Cc: =?utf-8?Q?Caf=C3=A9?= <two@x.test>\r\n");
    std::string from;
    headers.GetFieldValue("From", from);
    TStringList to;
    headers.GetFieldValues("To", to);
    ASSERT_EQ(to.Count(), 2);
    ExpectSplits({
        {from, "spam@bad.test", "Support <service@bank.test>"},
        {to[0], "one@x.test", "a\\\"b"},
        {to[1], "=?utf-8?Q?x=40y?=@z.test", "M\xC3\xBCller"},
    });
    std::string cc;
    headers.GetFieldValue("Cc", cc);
    EXPECT_EQ(cc, "Caf\xC3\xA9 <two@x.test>");
}

}  // namespace
}  // namespace vex
