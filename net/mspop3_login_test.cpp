#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/md5.h"
#include "net/mspop3.h"
#include "net/mspop3_testsupport.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

const std::string StampedGreeting = "+OK ready <1896.697170952@example.org>";

Script PlainLogin(const std::string& Stat = "+OK 2 320") {
    return Steps({{SendLine("+OK ready")}, Answer("+OK"), Answer("+OK"), Answer(Stat)});
}

TEST(POP3Properties, AMissingUserNameOrPasswordFailsThroughOnErrorBeforeAnyTraffic) {
    struct Case {
        const char* User;
        const char* Password;
        const char* Error;
    };
    for (const Case& c : {Case{"", "pw", "UserName property is required"},
                          Case{"bob", "", "Password property is required"}}) {
        SCOPED_TRACE(c.Error);
        ScriptedServer server({SendLine("+OK")});
        auto pop = ClientFor(server.Address());
        pop->SetUserName(c.User);
        pop->SetPassword(c.Password);
        EventLog log(*pop);
        EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { pop->Open(); }), c.Error);
        EXPECT_EQ(log.Events, Lines{"error"});
        EXPECT_EQ(log.Errors, Lines{c.Error});
        EXPECT_EQ(server.Accepted(), 0);
    }
}

TEST(POP3Properties, ADirectoryReadsBackWithATrailingSlash) {
    TmsRemotePOP pop(nullptr);
    pop.SetMessageDirectory("/var/mail/in");
    EXPECT_EQ(pop.MessageDirectory(), "/var/mail/in/");
    pop.SetMessageDirectory("/var/mail/out/");
    EXPECT_EQ(pop.MessageDirectory(), "/var/mail/out/");
    pop.SetMessageDirectory("");
    EXPECT_EQ(pop.MessageDirectory(), "");
}

TEST(POP3Login, AStampedGreetingLeadsToAPOPAndThenSTAT) {
    ScriptedServer server(
        Steps({{SendLine(StampedGreeting)}, Answer("+OK maildrop locked"), Answer("+OK 3 1200")}));
    auto pop = ClientFor(server.Address());
    pop->Open();
    EXPECT_TRUE(pop->Connected());
    EXPECT_EQ(pop->MessageCount(), 3);
    EXPECT_EQ(pop->MailboxSize(), 1200);
    const std::string digest = APOPDigest("<1896.697170952@example.org>", "s3cret");
    EXPECT_EQ(server.ReceivedLines(), (Lines{"APOP alice " + digest, "STAT"}));
}

TEST(POP3Login, ARefusedAPOPFallsBackToUserAndPassOnTheSameConnection) {
    ScriptedServer server(Steps({{SendLine(StampedGreeting)},
                                 Answer("-ERR no APOP here"),
                                 Answer("+OK"),
                                 Answer("+OK"),
                                 Answer("+OK 0 0")}));
    auto pop = ClientFor(server.Address());
    pop->Open();
    EXPECT_EQ(pop->MessageCount(), 0);
    const Lines lines = server.ReceivedLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 11), "APOP alice ");
    EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), (Lines{"USER alice", "PASS s3cret", "STAT"}));
    EXPECT_EQ(server.Accepted(), 1);
}

// Each failed login must leave the component closed, so that the next Open logs in again.
TEST(POP3Login, ARefusalClosesTheConnectionAndTheNextOpenLogsInAgain) {
    struct Case {
        const char* Name;
        Script Failing;
        std::string Error;
    };
    const std::vector<Case> cases = {
        {"greeting", {SendLine("-ERR go away")}, "-ERR go away"},
        {"user", Steps({{SendLine("+OK ready")}, Answer("-ERR unknown user")}),
         "-ERR unknown user"},
        {"password", Steps({{SendLine("+OK ready")}, Answer("+OK"), Answer("-ERR wrong password")}),
         "-ERR wrong password"},
        {"APOP then password",
         Steps({{SendLine(StampedGreeting)}, Answer("-ERR no"), Answer("+OK"), Answer("-ERR no")}),
         "-ERR no"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(std::vector<Script>{c.Failing, PlainLogin()});
        auto pop = ClientFor(server.Address());
        EventLog log(*pop);
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->Open(); }), c.Error);
        EXPECT_FALSE(pop->Connected());
        EXPECT_TRUE(log.Errors.empty());
        EXPECT_EQ(log.Events, (Lines{"open", "connected", "closing", "closed"}));

        pop->Open();
        EXPECT_TRUE(pop->Connected());
        EXPECT_EQ(pop->MessageCount(), 2);
        EXPECT_EQ(server.Accepted(), 2);
    }
}

TEST(POP3Login, AMalformedSTATReplyIsAClearServerError) {
    for (const std::string reply :
         {"+OK", "+OK two 320", "+OK 2", "+OK -2 320", "+OK 2 99999999999", "+OK 2,320"}) {
        SCOPED_TRACE(reply);
        ScriptedServer server(PlainLogin(reply));
        auto pop = ClientFor(server.Address());
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->Open(); }),
                  "Malformed reply to STAT: " + reply);
        EXPECT_EQ(pop->MessageCount(), -1);
        EXPECT_FALSE(pop->Connected());
    }
}

TEST(POP3Login, TheTranscriptShowsThePasswordOnlyAsAsterisks) {
    TempDir dir;
    ScriptedServer server(Steps({PlainLogin(), Answer("+OK bye")}));
    auto pop = ClientFor(server.Address());
    pop->SetTranscriptFile(dir.File("pop3.log"));
    Lines sent;
    pop->OnLineSent = [&](TObject*, const std::string& Line) { sent.push_back(Line); };
    pop->Open();
    pop->Close();
    EXPECT_EQ(sent, (Lines{"USER alice", "PASS ********", "STAT", "QUIT"}));
    EXPECT_EQ(pop->Transcript().Text(),
              "+OK ready\r\nUSER alice\r\n+OK\r\nPASS ********\r\n+OK\r\nSTAT\r\n+OK 2 "
              "320\r\nQUIT\r\n+OK bye\r\n");
    pop.reset();
    EXPECT_EQ(ReadWholeFile(dir.File("pop3.log")).find("s3cret"), std::string::npos);
}

TEST(POP3Close, ARefusedQUITStillClosesTheConnection) {
    ScriptedServer server(Steps({PlainLogin(), Answer("-ERR some deleted messages not removed")}));
    auto pop = ClientFor(server.Address());
    pop->Open();
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->Close(); }),
              "-ERR some deleted messages not removed");
    EXPECT_FALSE(pop->Connected());
}

// Waits on a virtual clock, so the two-minute time-out passes at once.
class POP3Silence : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};
};

TEST_F(POP3Silence, AServerThatStopsAnsweringTimesOutAndClosesTheConnection) {
    ScriptedServer server({SendLine("+OK ready"), ReadLine(), Silent()});
    auto pop = ClientFor(server.Address());
    pop->SetTimeOut(120);
    EventLog log(*pop);
    const int64_t start = clock.TickMilliseconds();
    EXPECT_THROW(pop->Open(), ETimedOutError);
    EXPECT_GE(clock.TickMilliseconds() - start, 119000);
    EXPECT_EQ(log.Errors, Lines{"Operation timed out"});
    EXPECT_FALSE(pop->Connected());
}

TEST_F(POP3Silence, ACancelFromATimerEndsTheLogin) {
    ScriptedServer server({SendLine("+OK ready"), ReadLine(), Silent()});
    auto pop = ClientFor(server.Address());
    EventLog log(*pop);
    // Armed once connected: a loaded machine may let the virtual clock reach the timer while
    // the connection is still being made.
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.SetInterval(500);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        pop->Cancel();
    };
    pop->OnConnected = [&, record = pop->OnConnected](TObject* Sender) {
        record(Sender);
        timer.SetEnabled(true);
    };
    EXPECT_THROW(pop->Open(), ECanceledError);
    EXPECT_EQ(log.Events, (Lines{"open", "connected", "cancel", "closing", "closed", "error"}));
    EXPECT_EQ(log.Errors, Lines{"Operation has been canceled"});
    EXPECT_FALSE(pop->Connected());
}

}  // namespace
}  // namespace vex
