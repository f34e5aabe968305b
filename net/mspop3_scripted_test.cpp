#include <gtest/gtest.h>

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

Lines operator+(Lines A, const Lines& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

// A POP3 server's side: the greeting, then one reply to each command line.
Script Pop3(const Lines& Replies) {
    Script steps{SendLine(Replies.at(0))};
    for (size_t i = 1; i < Replies.size(); ++i) {
        steps.push_back(ReadLine());
        steps.push_back(SendLine(Replies[i]));
    }
    return steps;
}

const std::string Stamp = "<1896.697170952@example.org>";
const Lines Login3 = {"+OK ready", "+OK", "+OK", "+OK 3 999"};
const Lines LoginLines = {"USER alice", "PASS s3cret", "STAT"};
const std::string Stuffed = "Subject: dots\r\n\r\n..hidden\r\n..\r\nend\r\n.";
const std::string Unstuffed = "Subject: dots\r\n\r\n.hidden\r\n.\r\nend\r\n.\r\n";

// The replies to UIDL, LIST and TOP for message Number as it is on the server now.
Lines Current(int Number, int Size, const std::string& Subject) {
    const std::string n = std::to_string(Number);
    return {"+OK " + n + " uid-" + n, "+OK " + n + " " + std::to_string(Size),
            "+OK\r\nSubject: " + Subject + "\r\n\r\nbody\r\n."};
}

// An item as the listing left it.
void AddListed(TmsRemotePOP& Pop, int32_t Size, const std::string& Subject) {
    auto item = std::make_unique<TmsRemoteInfoItem>();
    item->Size = Size;
    item->Headers.Add("Subject: " + Subject);
    Pop.RemoteInfo().Add(std::move(item));
}

TEST(POP3Login, UsesAPOPWhenStampedAndFallsBackToUserAndPassOnTheSameConnection) {
    const std::string apop = "APOP alice " + APOPDigest(Stamp, "s3cret");
    for (const bool refused : {false, true}) {
        ScriptedServer server(Pop3(refused ? Lines{"+OK " + Stamp, "-ERR", "+OK", "+OK", "+OK 0 0"}
                                           : Lines{"+OK " + Stamp, "+OK", "+OK 0 0"}));
        auto pop = ClientFor(server.Address());
        pop->Open();
        EXPECT_EQ(pop->MessageCount(), 0);
        EXPECT_EQ(server.ReceivedLines(),
                  (refused ? Lines{apop} + LoginLines : Lines{apop, "STAT"}));
    }
}

// A failed login must leave the component closed, so that the next Open logs in again.
TEST(POP3Login, ARefusalOrAMalformedSTATClosesAndTheNextOpenLogsInAgain) {
    const std::vector<std::pair<Lines, std::string>> cases = {
        {{"-ERR go away"}, "-ERR go away"},
        {{"+OK", "-ERR unknown user"}, "-ERR unknown user"},
        {{"+OK", "+OK", "-ERR wrong password"}, "-ERR wrong password"},
        {{"+OK " + Stamp, "-ERR no", "+OK", "-ERR no"}, "-ERR no"},
        {{"+OK", "+OK", "+OK", "+OK two 320"}, "Malformed reply to STAT: +OK two 320"},
        {{"+OK", "+OK", "+OK", "+OK 2"}, "Malformed reply to STAT: +OK 2"},
        {{"+OK", "+OK", "+OK", "+OK 2 99999999999"}, "Malformed reply to STAT: +OK 2 99999999999"},
    };
    for (const auto& [failing, error] : cases) {
        SCOPED_TRACE(error);
        ScriptedServer server(std::vector<Script>{Pop3(failing), Pop3(Login3)});
        auto pop = ClientFor(server.Address());
        EventLog log(*pop);
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->Open(); }), error);
        EXPECT_FALSE(pop->Connected());
        EXPECT_EQ(log.Events, (Lines{"open", "connected", "closing", "closed"}));
        pop->Open();
        EXPECT_EQ(pop->MessageCount(), 3);
    }
}

TEST(POP3Login, AMissingUserNameOrPasswordFailsThroughOnErrorBeforeAnyTraffic) {
    ScriptedServer server(Pop3({"+OK"}));
    for (const auto& [user, password, error] :
         {std::tuple{"", "pw", "UserName property is required"},
          std::tuple{"bob", "", "Password property is required"}}) {
        auto pop = ClientFor(server.Address(), user, password);
        EventLog log(*pop);
        EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { pop->Open(); }), error);
        EXPECT_EQ(log.Errors, Lines{error});
    }
    EXPECT_EQ(server.Accepted(), 0);
}

TEST(POP3Login, TheTranscriptHidesThePasswordAndARefusedQUITStillCloses) {
    TempDir dir;
    ScriptedServer server(Pop3(Login3 + Lines{"-ERR some deleted messages not removed"}));
    auto pop = ClientFor(server.Address());
    pop->SetTranscriptFile(dir.File("pop3.log"));
    pop->Open();
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->Close(); }),
              "-ERR some deleted messages not removed");
    EXPECT_FALSE(pop->Connected());
    EXPECT_EQ(pop->Transcript()[3], "PASS ********");
    pop.reset();
    EXPECT_EQ(ReadWholeFile(dir.File("pop3.log")).find("s3cret"), std::string::npos);
}

TEST(POP3Listing, ReadsSizeAndHeadersOfEveryMessageInOrder) {
    ScriptedServer server(
        Pop3({"+OK ready", "+OK", "+OK", "+OK 2 999", "+OK 1 120",
              "+OK\r\nSubject: first\r\n\tcontinued\r\n\r\nbody\r\n.", "+OK 2 4500",
              "+OK\r\nSubject: bare\r\n..X-Dot: yes\r\n.", "+OK bye"}));
    auto pop = ClientFor(server.Address());
    Recorder log(*pop);
    pop->UpdateInfo();
    EXPECT_EQ(log.Events,
              (Lines{"open", "updating", "next 0", "next 1", "closing", "closed", "updated"}));
    EXPECT_EQ(server.ReceivedLines(),
              (LoginLines + Lines{"LIST 1", "TOP 1 1", "LIST 2", "TOP 2 1", "QUIT"}));
    TmsRemoteInfo& info = pop->RemoteInfo();
    ASSERT_EQ(info.Count(), 2);
    EXPECT_EQ(info.Items(0)->Size, 120);
    std::string subject;
    info.Items(0)->Headers.GetFieldValue("subject", subject);
    EXPECT_EQ(subject, "first continued");
    // Headers without a body keep no end mark, and their stuffing is undone.
    EXPECT_EQ(info.Items(1)->Headers.Text(), "Subject: bare\r\n.X-Dot: yes\r\n");
}

TEST(POP3Listing, AnEmptyMailboxListsNothingAndAnEmptyListingCommitsWithoutConnecting) {
    ScriptedServer server(Pop3({"+OK ready", "+OK", "+OK", "+OK 0 0", "+OK bye"}));
    auto pop = ClientFor(server.Address());
    Recorder log(*pop);
    pop->UpdateInfo();
    pop->ProcessMarked();
    EXPECT_EQ(log.Events, (Lines{"open", "updating", "closing", "closed", "updated"}));
    EXPECT_EQ(server.Accepted(), 1);
}

// A session that failed half-way could serve the wrong mailbox next, so it is closed.
TEST(POP3Listing, ABadReplyToLISTOrTOPFailsWithItsTextAndClosesTheSession) {
    const std::vector<std::pair<Lines, std::string>> cases = {
        {{"-ERR no such message"}, "-ERR no such message"},
        {{"+OK 2"}, "Malformed reply to LIST: +OK 2"},
        {{"+OK 2 big"}, "Malformed reply to LIST: +OK 2 big"},
        {{"+OK 3 100"}, "Malformed reply to LIST: +OK 3 100"},
        {{"+OK 2 100", "-ERR TOP not supported"}, "-ERR TOP not supported"},
    };
    for (const auto& [failing, error] : cases) {
        SCOPED_TRACE(error);
        const Lines first = {"+OK 1 10", "+OK\r\nSubject: one\r\n\r\nbody\r\n."};
        ScriptedServer server(Pop3(Login3 + first + failing + Lines{"+OK bye"}));
        auto pop = ClientFor(server.Address());
        Recorder log(*pop);
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->UpdateInfo(); }), error);
        EXPECT_EQ(log.Events, (Lines{"open", "updating", "next 0", "closing", "closed"}));
        EXPECT_EQ(pop->RemoteInfo().Count(), 1);
        EXPECT_EQ(server.ReceivedLines().back(), "QUIT");
    }
}

// Kept open for the commit that follows, a session still serves only the user it was opened for.
TEST(POP3Listing, AKeptSessionServesOnlyTheMailboxItWasOpenedFor) {
    const std::string top = "+OK\r\nSubject: one\r\n\r\nbody\r\n.";
    ScriptedServer server(std::vector<Script>{
        Pop3({"+OK ready", "+OK", "+OK", "+OK 1 10", "+OK 1 10", top, "+OK bye"}),
        Pop3({"+OK ready", "+OK", "+OK", "+OK 1 10", "+OK 1 10", top, "+OK 1 uid-b", "+OK 1 10",
              top, "+OK deleted", "+OK bye"})});
    auto pop = ClientFor(server.Address());
    pop->KeepConnected = true;
    pop->UpdateInfo();
    pop->SetUserName("bob");
    pop->UpdateInfo();
    pop->MarkForDelete(0);
    pop->ProcessMarked();
    EXPECT_EQ(server.Accepted(), 2);
    const Lines listing = {"LIST 1", "TOP 1 1"};
    EXPECT_EQ(server.ReceivedLines(),
              (LoginLines + listing + Lines{"QUIT", "USER bob", "PASS s3cret", "STAT"} + listing +
               Lines{"UIDL 1", "LIST 1", "TOP 1 1", "DELE 1", "QUIT"}));
}

TEST(POP3ProcessMarked, ChecksEachMarkedMessageThenRetrievesOrDeletesItInOrder) {
    ScriptedServer server(Pop3(Login3 + Current(1, 50, "one") +
                               Lines{"+OK 1 50", "+OK\r\n" + Stuffed} + Current(1, 50, "one") +
                               Lines{"+OK deleted"} + Current(2, 60, "two") +
                               Lines{"+OK deleted", "+OK bye"}));
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    AddListed(*pop, 60, "two");
    AddListed(*pop, 70, "three");
    pop->MarkForRetrieve(0);
    pop->MarkForDelete(0);
    pop->MarkForDelete(1);
    pop->MarkForDelete(2);
    pop->Unmark(2);
    Recorder log(*pop);
    pop->ProcessMarked();
    EXPECT_EQ(log.Events, (Lines{"open", "transferring", "retrieving 0", "save 0", "retrieved 0",
                                 "deleting 0", "deleting 1", "transfered", "closing", "closed"}));
    const Lines check1 = {"UIDL 1", "LIST 1", "TOP 1 1"};
    EXPECT_EQ(server.ReceivedLines(),
              (LoginLines + check1 + Lines{"LIST 1", "RETR 1"} + check1 +
               Lines{"DELE 1", "UIDL 2", "LIST 2", "TOP 2 1", "DELE 2", "QUIT"}));
    EXPECT_EQ(log.Saved, Lines{Unstuffed});
    EXPECT_EQ(pop->RemoteInfo().Items(1)->UIDL, "uid-2");
    EXPECT_EQ(pop->RemoteInfo().Items(2)->UIDL, "");
}

// Another client may have changed or deleted a message since the listing: the pass leaves it
// alone, goes on and names it afterwards. A refused UIDL is no error.
TEST(POP3ProcessMarked, MessagesChangedOrGoneAreLeftAloneAndNamedAfterThePass) {
    ScriptedServer server(Pop3(
        Login3 + Current(1, 51, "one") + Lines{"-ERR no such message", "-ERR no such message"} +
        Lines{"-ERR no UIDL", "+OK 3 70", "+OK\r\nSubject: three\r\n\r\nbody\r\n.", "+OK deleted",
              "+OK bye"}));
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    AddListed(*pop, 60, "two");
    AddListed(*pop, 70, "three");
    for (int32_t i = 0; i < 3; ++i)
        pop->MarkForDelete(i);
    Recorder log(*pop);
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->ProcessMarked(); }),
              "Messages changed on the server and were left alone: 1, 2");
    EXPECT_EQ(log.Events,
              (Lines{"open", "transferring", "deleting 2", "transfered", "closing", "closed"}));
    const Lines lines = server.ReceivedLines();
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"DELE 3", "QUIT"}));
    EXPECT_EQ(pop->RemoteInfo().Items(0)->UIDL, "");
}

// What was reported deleted before the refusal is committed by the QUIT that ends the session.
TEST(POP3ProcessMarked, ARefusedRETROrDELEFailsWithTheReplyAndClosesTheSession) {
    for (const bool retrieve : {true, false}) {
        SCOPED_TRACE(retrieve);
        const Lines refusal = retrieve ? Lines{"+OK 1 50", "-ERR locked"} : Lines{"-ERR locked"};
        ScriptedServer server(Pop3(Login3 + Current(1, 50, "one") + refusal + Lines{"+OK bye"}));
        auto pop = ClientFor(server.Address());
        AddListed(*pop, 50, "one");
        retrieve ? pop->MarkForRetrieve(0) : pop->MarkForDelete(0);
        Recorder log(*pop);
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->ProcessMarked(); }), "-ERR locked");
        EXPECT_EQ(log.Events,
                  (Lines{"open", "transferring", retrieve ? "retrieving 0" : "deleting 0",
                         "closing", "closed"}));
        EXPECT_EQ(server.ReceivedLines().back(), "QUIT");
        EXPECT_FALSE(pop->Connected());
    }
}

TEST(POP3ProcessMarked, WithoutAHandlerTheMessageGoesToItsFileInTheDirectory) {
    TempDir dir;
    ScriptedServer server(
        Pop3(Login3 + Current(1, 50, "one") + Lines{"+OK 1 50", "+OK\r\n" + Stuffed, "+OK"}));
    auto pop = ClientFor(server.Address());
    pop->SetMessageDirectory(dir.Path());  // without a trailing slash
    AddListed(*pop, 50, "one");
    pop->MarkForRetrieve(0);
    pop->ProcessMarked();
    EXPECT_EQ(ReadWholeFile(dir.File("msg_0.eml")), Unstuffed);
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
    const int64_t start = clock.TickMilliseconds();
    EXPECT_THROW(pop->Open(), ETimedOutError);
    EXPECT_GE(clock.TickMilliseconds() - start, 119000);
    EXPECT_FALSE(pop->Connected());
}

TEST_F(POP3Silence, ACancelFromATimerDuringARetrievalClosesAtOnce) {
    Script script = Pop3(Login3 + Current(1, 50, "one") + Lines{"+OK 1 50"});
    script.insert(script.end(), {ReadLine(), Send("+OK\r\npart"), Silent()});
    ScriptedServer server(script);
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    pop->MarkForRetrieve(0);
    Recorder log(*pop);
    // Armed only once the retrieval starts: a loaded machine may let the virtual clock reach
    // the timer during any earlier wait.
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.SetInterval(1000);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        pop->Cancel();
    };
    pop->OnRetrieving = [&](TObject*, int32_t) { timer.SetEnabled(true); };
    EXPECT_THROW(pop->ProcessMarked(), ECanceledError);
    EXPECT_EQ(log.Events, (Lines{"open", "transferring", "cancel", "closing", "closed",
                                 "error Operation has been canceled"}));
}

}  // namespace
}  // namespace vex
