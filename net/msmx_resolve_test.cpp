#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/msmx.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"
#include "tests/support/socketwait.h"
#include "tests/support/tempdir.h"
#include "tests/support/udpserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

std::vector<TestCase> Table(const std::string& Name) {
    return ReadCases(VEX_TEST_DIR "/testdata/dns_replies.txt", Name);
}

// Reply as sent to Request: the file's first two bytes are XORed with the query's ID.
std::string Answering(std::string Reply, const std::string& Request) {
    for (size_t i = 0; i < 2 && i < Reply.size(); ++i)
        Reply[i] = static_cast<char>(Reply[i] ^ Request.at(i));
    return Reply;
}

Lines Exchangers(const TmsMXResolver& Resolver) {
    Lines list;
    for (int32_t i = 0; i < Resolver.MXList().Count(); ++i)
        list.push_back(std::to_string(Resolver.MXList().Items(i).Preference) + " " +
                       Resolver.MXList().Items(i).Exchange);
    return list;
}

const Lines BothExchangers = {"10 mx10.example.test.", "20 mx20.example.test."};

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
    const std::string Answer = Table("answer").at(0)[0];
};

// Each query has a fresh random ID and starts from an empty list.
TEST_F(MXResolver, SendsOneRecursiveMXQuestionAndReturnsTheExchangersSortedByPreference) {
    const std::string none = Table("answer").at(1)[0];
    int calls = 0;
    UdpServer server([&](const std::string& Request) -> std::optional<std::string> {
        return Answering(++calls == 1 ? Answer : none, Request);
    });
    const TestCase query = Table("query").at(0);
    auto resolver = ResolverFor(server.Port(), query[0]);
    resolver->Resolve();
    EXPECT_EQ(Exchangers(*resolver), BothExchangers);
    EXPECT_THROW(resolver->MXList().Items(2), EListError);
    EXPECT_THROW(resolver->MXList().Items(-1), EListError);
    EXPECT_EQ(resolver->Domain(), query[0]);
    EXPECT_EQ(Events, (Lines{"sending", "waiting", "closing"}));
    EXPECT_EQ(server.Received().at(0).substr(2), query[1]);
    for (int i = 0; i < 3; ++i)
        resolver->Resolve();
    EXPECT_EQ(resolver->MXList().Count(), 0);
    std::set<std::string> ids;
    for (const std::string& sent : server.Received())
        ids.insert(sent.substr(0, 2));
    EXPECT_GT(ids.size(), 1u);
}

TEST_F(MXResolver, ReportsAnErrorCodeOrAnUnusableReplyWithItsTextAndCloses) {
    for (const TestCase& c : Table("resolve")) {
        SCOPED_TRACE(c.Where);
        UdpServer server([&](const std::string& Request) -> std::optional<std::string> {
            return Answering(c[0], Request);
        });
        auto resolver = ResolverFor(server.Port());
        Events.clear();
        EXPECT_EQ(ErrorOf(*resolver), c[1]);
        EXPECT_EQ(Events, (Lines{"sending", "waiting", "closing"}));
    }
}

TEST_F(MXResolver, FailsCleanlyOnAReplyCutAtAnyByte) {
    size_t length = 0;
    UdpServer server([&](const std::string& Request) -> std::optional<std::string> {
        return Answering(Answer.substr(0, length), Request);
    });
    auto resolver = ResolverFor(server.Port());
    resolver->SetTimeOut(2);
    for (length = 0; length < Answer.size(); ++length) {
        SCOPED_TRACE(length);
        // Too short to carry the ID, it is noise, and the wait runs out.
        const std::string error = length < 2 ? "ETimedOutError" : "EResolverError";
        try {
            resolver->Resolve();
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.ClassName(), error);
        }
    }
    resolver->Resolve();
    EXPECT_EQ(Exchangers(*resolver), BothExchangers);
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
    for (const TestCase& stray : Table("stray")) {
        SCOPED_TRACE(stray.Where);
        UdpServer server(UdpServer::Datagrams([&](const std::string& Request) {
            return Lines{Answering(stray[0], Request), Answering(Answer, Request)};
        }));
        TempDir folder;
        auto resolver = ResolverFor(server.Port());
        resolver->SetLogFile(folder.File("mx.log"));
        resolver->Resolve();
        EXPECT_EQ(Exchangers(*resolver), BothExchangers);
        EXPECT_GE(resolver->Log().IndexOf("Ignored a datagram that does not answer the query"), 0);
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
    // The query itself, marked as a response, is an answer without exchangers.
    UdpServer server([](const std::string& Request) -> std::optional<std::string> {
        return Request.substr(0, 2) + static_cast<char>(Request[2] | 0x80) + Request.substr(3);
    });
    for (const auto& [domain, text] : cases) {
        SCOPED_TRACE(domain);
        auto resolver = ResolverFor(server.Port(), domain);
        Events.clear();
        EXPECT_EQ(ErrorOf(*resolver), text);
        EXPECT_TRUE(Events.empty());
    }
    EXPECT_TRUE(server.Received().empty());
    // 4 * 63 + 3 dots - 2 = 253 characters, with the trailing dot allowed on top.
    auto resolver = ResolverFor(
        server.Port(), label63 + "." + label63 + "." + label63 + "." + label63.substr(2) + ".");
    resolver->Resolve();
    EXPECT_EQ(server.Received().size(), 1u);
}

TEST_F(MXResolver, RefusesADNSAddressThatIsNotDottedAndAPortNobodyListensOnIsASocketError) {
    auto resolver = ResolverFor(53);
    resolver->SetDNSAddress("dns.example.test");
    EXPECT_EQ(ErrorOf(*resolver),
              "The DNS server address \"dns.example.test\" is not a dotted IPv4 address");
    EXPECT_EQ(Events, Lines{"sending"});
    uint16_t port = 0;
    ::close(BindLoopback(SOCK_DGRAM, port));
    resolver = ResolverFor(port);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { resolver->Resolve(); }), "Error #10061");
    EXPECT_EQ(Events, (Lines{"sending", "sending", "waiting", "closing"}));
}

}  // namespace
}  // namespace vex
