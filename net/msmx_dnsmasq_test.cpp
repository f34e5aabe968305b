#include <gtest/gtest.h>

#include <string>

#include "net/agsocket_testsupport.h"
#include "net/msmx.h"
#include "tests/support/dnsmasqserver.h"

namespace vex {
namespace {

using namespace vex::test;

// Against a real server on a loopback port; the resolver's time-out is the watchdog.
TEST(MXResolverAgainstDnsmasq, TwoExchangersComeBackSortedAndALocalOnlyDomainDoesNotExist) {
    DnsmasqServer server{{{"two.example.test", "mx-a.example.test", 20},
                          {"two.example.test", "mx-b.example.test", 10}}};
    TmsMXResolver resolver{nullptr};
    resolver.SetDNSAddress("127.0.0.1");
    resolver.SetPort(server.Port());
    resolver.SetTimeOut(10);
    resolver.SetDomain("two.example.test");
    resolver.Resolve();
    ASSERT_EQ(resolver.MXList().Count(), 2);
    EXPECT_EQ(resolver.MXList().Items(0).Preference, 10);
    EXPECT_EQ(resolver.MXList().Items(0).Exchange, "mx-b.example.test.");
    EXPECT_EQ(resolver.MXList().Items(1).Exchange, "mx-a.example.test.");
    resolver.SetDomain(std::string("nobody.") + DnsmasqServer::MissingDomain);
    EXPECT_EQ(ErrorMessageOf<EResolverError>([&] { resolver.Resolve(); }),
              "Domain name does not exist");
}

}  // namespace
}  // namespace vex
