#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/msmx.h"
#include "net/msmx_testsupport.h"
#include "platform/core/clock.h"
#include "platform/win/virtualclock.h"
#include "tests/support/socketwait.h"
#include "tests/support/tempdir.h"
#include "tests/support/udpserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

std::vector<std::pair<uint16_t, std::string>> Exchangers(const TmsMXResolver& Resolver) {
    std::vector<std::pair<uint16_t, std::string>> list;
    for (int32_t i = 0; i < Resolver.MXList().Count(); ++i)
        list.emplace_back(Resolver.MXList().Items(i).Preference,
                          Resolver.MXList().Items(i).Exchange);
    return list;
}

std::string TwoExchangers(const std::string& Request) {
    return DnsReplyBuilder::For(Request)
        .Mx(WireName::Pointer(12), 20, "mx20.example.test")
        .Mx(WireName::Pointer(12), 10, "mx10.example.test");
}

// Every wait runs on a virtual clock, so the resolver's own time-out is the watchdog and a
// silent server costs well under a second. The grace period leaves the loopback server time to
// answer before the clock jumps.
class MXResolver : public ::testing::Test {
protected:
    std::unique_ptr<TmsMXResolver> ResolverFor(uint16_t Port,
                                               const std::string& Domain = "example.test") {
        auto resolver = std::make_unique<TmsMXResolver>(nullptr);
        resolver->SetDNSAddress("127.0.0.1");
        resolver->SetPort(Port);
        resolver->SetDomain(Domain);
        resolver->OnSendingQuery = [this](TObject*) { Events.push_back("sending"); };
        resolver->OnWaitingForResponse = [this](TObject*) { Events.push_back("waiting"); };
        resolver->OnClosingConnection = [this](TObject*) { Events.push_back("closing"); };
        return resolver;
    }

    static std::string ErrorOf(TmsMXResolver& Resolver) {
        return ErrorMessageOf<EResolverError>([&] { Resolver.Resolve(); });
    }

    TVirtualClock clock{20};
    TClockOverride useClock{clock};
    Lines Events;
};

TEST_F(MXResolver, SendsOneRecursiveMXQuestionAndReturnsTheExchangersSortedByPreference) {
    UdpServer server(TwoExchangers);
    auto resolver = ResolverFor(server.Port(), "Example.Test.");
    resolver->Resolve();
    EXPECT_EQ(Exchangers(*resolver), (std::vector<std::pair<uint16_t, std::string>>{
                                         {10, "mx10.example.test."}, {20, "mx20.example.test."}}));
    EXPECT_EQ(resolver->Domain(), "Example.Test.");
    EXPECT_EQ(Events, (Lines{"sending", "waiting", "closing"}));
    ASSERT_EQ(server.Received().size(), 1u);
    EXPECT_EQ(server.Received()[0].substr(2), std::string("\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00"
                                                          "\x07"
                                                          "Example\x04Test\x00\x00\x0f\x00\x01",
                                                          28));
}

TEST_F(MXResolver, EachQueryHasAFreshRandomIDAndStartsFromAnEmptyList) {
    int calls = 0;
    UdpServer server([&](const std::string& Request) -> std::optional<std::string> {
        if (++calls == 1) return TwoExchangers(Request);
        return DnsReplyBuilder::For(Request).Mx(WireName::Pointer(12), 5, "only.example.test");
    });
    auto resolver = ResolverFor(server.Port());
    for (int i = 0; i < 4; ++i)
        resolver->Resolve();
    EXPECT_EQ(Exchangers(*resolver),
              (std::vector<std::pair<uint16_t, std::string>>{{5, "only.example.test."}}));
    std::set<uint16_t> ids;
    for (const std::string& query : server.Received())
        ids.insert(DnsReplyBuilder::QueryId(query));
    EXPECT_GT(ids.size(), 1u);
}

TEST_F(MXResolver, ReportsAnErrorCodeOrAnUnusableReplyWithItsTextAndCloses) {
    using Respond = std::function<std::string(const std::string&)>;
    const auto code = [](uint8_t Code) -> Respond {
        return [Code](const std::string& Request) {
            return DnsReplyBuilder::For(Request).RCode(Code);
        };
    };
    const std::vector<std::tuple<std::string, Respond, std::string>> cases = {
        {"code 1", code(1), "Domain server was unable to interpret a query"},
        {"code 2", code(2), "Domain server failure"},
        {"code 3", code(3), "Domain name does not exist"},
        {"code 4", code(4), "Not implemented"},
        {"code 5", code(5), "Domain server refused to return the information"},
        {"code 9", code(9), "Domain server Error #9"},
        // Some servers drop the question from a failure; the wait must not run out for it.
        {"code 2 without a question",
         [](const std::string& Request) -> std::string {
             return DnsReplyBuilder(DnsReplyBuilder::QueryId(Request)).RCode(2);
         },
         "Domain server failure"},
        {"no response bit", [](const std::string& Request) { return Request; },
         "This is not a response"},
        {"a compression loop",
         [](const std::string& Request) {
             DnsReplyBuilder reply = DnsReplyBuilder::For(Request);
             // The exchange is a pointer to itself.
             const uint16_t self = static_cast<uint16_t>(reply.Size() + 2 + 10 + 2);
             return reply.Mx(WireName::Pointer(12), 10, WireName::Pointer(self)).Bytes();
         },
         "Malformed DNS reply: a compression pointer does not point backwards"},
    };
    for (const auto& [what, respond, text] : cases) {
        SCOPED_TRACE(what);
        UdpServer server(
            [&respond = respond](const std::string& Request) -> std::optional<std::string> {
                return respond(Request);
            });
        auto resolver = ResolverFor(server.Port());
        Events.clear();
        EXPECT_EQ(ErrorOf(*resolver), text);
        EXPECT_EQ(Events, (Lines{"sending", "waiting", "closing"}));
    }
}

TEST_F(MXResolver, FailsCleanlyOnAReplyCutAtAnyByte) {
    size_t length = 0;
    std::string whole;
    UdpServer server([&](const std::string& Request) -> std::optional<std::string> {
        whole = DnsReplyBuilder::For(Request)
                    .Cname(WireName::Pointer(12), "alias.example.test")
                    .Mx(WireName::Pointer(12), 10, WireName::Pointer(12, "mx"));
        return whole.substr(0, length);
    });
    auto resolver = ResolverFor(server.Port());
    resolver->SetTimeOut(2);
    for (length = 0;; ++length) {
        SCOPED_TRACE(length);
        if (length < 2) {
            // Too short to carry the ID: it is noise, and the wait runs out.
            EXPECT_THROW(resolver->Resolve(), ETimedOutError);
            continue;
        }
        EXPECT_THROW(resolver->Resolve(), EResolverError);
        if (length + 1 == whole.size()) break;
    }
    length = whole.size();
    resolver->Resolve();
    EXPECT_EQ(resolver->MXList().Count(), 1);
}

TEST_F(MXResolver, TimesOutWhenTheServerStaysSilent) {
    UdpServer server(std::vector<std::string>{});
    auto resolver = ResolverFor(server.Port());
    const int64_t start = clock.TickMilliseconds();
    EXPECT_THROW(resolver->Resolve(), ETimedOutError);
    const int64_t waited = clock.TickMilliseconds() - start;
    EXPECT_GE(waited, 59000);
    EXPECT_LE(waited, 61000);
    EXPECT_EQ(Events, (Lines{"sending", "waiting", "closing"}));
}

// Datagrams that reach the socket ahead of the real reply, each of which must be passed over.
TEST_F(MXResolver, IgnoresDatagramsThatDoNotAnswerTheQuery) {
    // A reply with a question of its own, under the query's ID or another.
    const auto forged = [](uint16_t IdMask, const char* Name, uint16_t Type, uint16_t Class) {
        return [=](const std::string& Request) -> std::string {
            return DnsReplyBuilder(DnsReplyBuilder::QueryId(Request) ^ IdMask)
                .Question(Name, Type, Class)
                .Mx(WireName::Pointer(12), 1, "forged.example.test");
        };
    };
    const std::vector<std::pair<std::string, std::function<std::string(const std::string&)>>>
        strays = {
            {"a wrong ID", forged(0x5A5A, "example.test", 15, 1)},
            {"another name", forged(0, "other.test", 15, 1)},
            {"another type", forged(0, "example.test", 1, 1)},
            {"another class", forged(0, "example.test", 15, 3)},
            {"no question",
             [](const std::string& Request) -> std::string {
                 return DnsReplyBuilder(DnsReplyBuilder::QueryId(Request))
                     .Mx("example.test", 1, "forged.example.test");
             }},
            {"a single byte", [](const std::string& Request) { return Request.substr(0, 1); }},
        };
    for (const auto& [what, stray] : strays) {
        SCOPED_TRACE(what);
        MultiReplyServer server([&stray = stray](const std::string& Request) {
            return std::vector<std::string>{stray(Request), TwoExchangers(Request)};
        });
        TempDir folder;
        auto resolver = ResolverFor(server.Port());
        resolver->SetLogFile(folder.File("mx.log"));
        resolver->Resolve();
        EXPECT_EQ(resolver->MXList().Count(), 2);
        EXPECT_EQ(resolver->MXList().Items(0).Exchange, "mx10.example.test.");
        const TStringList& log = resolver->Log();
        EXPECT_GE(log.IndexOf("Ignored a datagram that does not answer the query"), 0);
    }
}

TEST_F(MXResolver, RefusesABadDomainBeforeSendingAnythingButTakesTheLongestValidOne) {
    const std::string label63(63, 'a');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "The domain name is empty"},
        {".", "The domain name is empty"},
        {"a..test", "The domain name \"a..test\" has an empty label"},
        {".test", "The domain name \".test\" has an empty label"},
        {"test..", "The domain name \"test..\" has an empty label"},
        {label63 + "a.test",
         "The domain name \"" + label63 + "a.test\" has a label longer than 63 characters"},
        {label63 + "." + label63 + "." + label63 + "." + label63 + ".ab",
         "The domain name is longer than 253 characters"},
    };
    UdpServer server(TwoExchangers);
    for (const auto& [domain, text] : cases) {
        SCOPED_TRACE(domain);
        auto resolver = ResolverFor(server.Port(), domain);
        Events.clear();
        EXPECT_EQ(ErrorOf(*resolver), text);
        EXPECT_TRUE(Events.empty());
    }
    EXPECT_TRUE(server.Received().empty());

    // 4 * 63 + 3 dots - 2 = 253 characters, with the trailing dot allowed on top.
    const std::string longest =
        label63 + "." + label63 + "." + label63 + "." + label63.substr(2) + ".";
    ASSERT_EQ(longest.size(), 254u);
    auto resolver = ResolverFor(server.Port(), longest);
    resolver->Resolve();
    EXPECT_EQ(resolver->MXList().Count(), 2);
}

TEST_F(MXResolver, RefusesADNSAddressThatIsNotDotted) {
    auto resolver = ResolverFor(53);
    resolver->SetDNSAddress("dns.example.test");
    EXPECT_EQ(ErrorOf(*resolver),
              "The DNS server address \"dns.example.test\" is not a dotted IPv4 address");
    EXPECT_EQ(Events, Lines{"sending"});
}

TEST_F(MXResolver, APortNobodyListensOnIsASocketError) {
    uint16_t port = 0;
    ::close(BindLoopback(SOCK_DGRAM, port));
    auto resolver = ResolverFor(port);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { resolver->Resolve(); }), "Error #10061");
    EXPECT_EQ(Events, (Lines{"sending", "waiting", "closing"}));
}

}  // namespace
}  // namespace vex
