#include <gtest/gtest.h>

#include <string>

#include "net/msmx.h"
#include "tests/support/dnsmasqserver.h"

namespace vex {
namespace {

using namespace vex::test;

// Against a real server on a loopback port; the resolver's time-out is the watchdog.
class MXResolverAgainstDnsmasq : public ::testing::Test {
protected:
    MXResolverAgainstDnsmasq() {
        resolver.SetDNSAddress("127.0.0.1");
        resolver.SetPort(server.Port());
        resolver.SetTimeOut(10);
    }

    DnsmasqServer server{{{"two.example.test", "mx-a.example.test", 20},
                          {"two.example.test", "mx-b.example.test", 10}}};
    TmsMXResolver resolver{nullptr};
};

TEST_F(MXResolverAgainstDnsmasq, ADomainWithTwoExchangersComesBackSorted) {
    resolver.SetDomain("two.example.test");
    resolver.Resolve();
    ASSERT_EQ(resolver.MXList().Count(), 2);
    EXPECT_EQ(resolver.MXList().Items(0).Preference, 10);
    EXPECT_EQ(resolver.MXList().Items(0).Exchange, "mx-b.example.test.");
    EXPECT_EQ(resolver.MXList().Items(1).Preference, 20);
    EXPECT_EQ(resolver.MXList().Items(1).Exchange, "mx-a.example.test.");
}

TEST_F(MXResolverAgainstDnsmasq, ANameUnderALocalOnlyDomainDoesNotExist) {
    resolver.SetDomain(std::string("nobody.") + DnsmasqServer::MissingDomain);
    try {
        resolver.Resolve();
        FAIL() << "no exception";
    } catch (const EResolverError& e) {
        EXPECT_EQ(e.Message(), "Domain name does not exist");
    }
}

}  // namespace
}  // namespace vex
