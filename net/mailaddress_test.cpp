#include "net/mailaddress.h"

#include <gtest/gtest.h>

#include <string>

namespace vex {
namespace {

struct AddressCase {
    std::string Text;
    std::string Address;
    std::string Name;
};

TEST(ParseMailAddress, SplitsTheFormsOfAddressAndName) {
    const AddressCase cases[] = {
        {"\"Joe Q. Public\" <john.q.public@example.com>", "john.q.public@example.com",
         "Joe Q. Public"},
        {"Mary Smith <mary@x.test>", "mary@x.test", "Mary Smith"},
        {"<boss@nil.test>", "boss@nil.test", ""},
        {"jdoe@example.org", "jdoe@example.org", ""},
        {"  jdoe@example.org  ", "jdoe@example.org", ""},
        {"jdoe@example.org (John Doe)", "jdoe@example.org", "John Doe"},
        {"jdoe@example.org (John Doe)  ", "jdoe@example.org", "John Doe"},
        {"jdoe@example.org (John", "jdoe@example.org", "John"},
        {"\"Giant; \\\"Big\\\" Box\" <sysservices@example.net>", "sysservices@example.net",
         "Giant; \\\"Big\\\" Box"},
        {"\"a<b\" <x@y.test>", "x@y.test", "a<b"},
        {"Pete(A nice \\) chap) <pete(his account)@silly.test(his host)>", "pete@silly.test",
         "Pete(A nice \\) chap)"},
        {"Chris Jones <c@(Chris's host.)public.example>", "c@public.example", "Chris Jones"},
        {"", "", ""},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.Text);
        std::string address, name;
        ParseMailAddress(c.Text, address, name);
        EXPECT_EQ(address, c.Address);
        EXPECT_EQ(name, c.Name);
    }
}

TEST(ParseMailAddress, AnOpenBracketWithoutItsCloseRaisesAndChangesNothing) {
    std::string address = "old address", name = "old name";
    try {
        ParseMailAddress("\"Joe\" <joe@example.test", address, name);
        FAIL() << "no exception";
    } catch (const EMailAddressError& e) {
        EXPECT_EQ(e.Message(), "Unable to parse email address");
    }
    EXPECT_EQ(address, "old address");
    EXPECT_EQ(name, "old name");

    TmsMailAddress parsed;
    parsed.Address = "kept";
    EXPECT_THROW(ParseAddress("x > y <z", parsed), EMailAddressError);
    EXPECT_EQ(parsed.Address, "kept");
    EXPECT_EQ(parsed.Name, "");
}

TEST(ParseMailAddress, CutsNameAndAddressTo255Characters) {
    const std::string longName(300, 'n');
    const std::string longAddress(300, 'a');
    std::string address, name;
    ParseMailAddress("\"" + longName + "\" <" + longAddress + ">", address, name);
    EXPECT_EQ(address, std::string(255, 'a'));
    EXPECT_EQ(name, std::string(255, 'n'));
}

}  // namespace
}  // namespace vex
