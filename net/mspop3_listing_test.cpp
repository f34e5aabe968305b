#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "net/componentexceptions.h"
#include "net/mspop3.h"
#include "net/mspop3_testsupport.h"
#include "platform/core/exceptions.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

// LIST and TOP of one message whose headers are Headers (CR LF line ends).
Script Listed(int Number, int Size, const std::string& Headers) {
    const std::string n = std::to_string(Number);
    return Steps({Answer("+OK " + n + " " + std::to_string(Size)),
                  {ReadLine(), Send("+OK\r\n" + Headers + "\r\n\r\nfirst body line\r\n.\r\n")}});
}

TEST(POP3Listing, ReadsSizeAndHeadersOfEveryMessageInOrder) {
    ScriptedServer server(
        Steps({Login(2), Listed(1, 120, "Subject: first\r\nFrom: a@example.org"),
               Listed(2, 4500, "Subject: second\r\n\tcontinued"), Answer("+OK bye")}));
    auto pop = ClientFor(server.Address());
    Recorder log(*pop);
    pop->UpdateInfo();

    EXPECT_EQ(log.Events,
              (Lines{"open", "updating", "next 0", "next 1", "closing", "closed", "updated"}));
    EXPECT_EQ(server.ReceivedLines(), (Lines{"USER alice", "PASS s3cret", "STAT", "LIST 1",
                                             "TOP 1 1", "LIST 2", "TOP 2 1", "QUIT"}));
    TmsRemoteInfo& info = pop->RemoteInfo();
    ASSERT_EQ(info.Count(), 2);
    EXPECT_EQ(info.Items(0)->Size, 120);
    EXPECT_EQ(info.Items(0)->Headers.Text(), "Subject: first\r\nFrom: a@example.org\r\n");
    EXPECT_EQ(info.Items(1)->Size, 4500);
    std::string subject;
    info.Items(1)->Headers.GetFieldValue("subject", subject);
    EXPECT_EQ(subject, "second continued");
    EXPECT_TRUE(info.Items(1)->UIDL.empty());
    EXPECT_FALSE(pop->Connected());
}

TEST(POP3Listing, AnEmptyMailboxListsNothing) {
    ScriptedServer server(Steps({Login(0), Answer("+OK bye")}));
    auto pop = ClientFor(server.Address());
    Recorder log(*pop);
    pop->UpdateInfo();
    EXPECT_EQ(log.Events, (Lines{"open", "updating", "closing", "closed", "updated"}));
    EXPECT_EQ(pop->RemoteInfo().Count(), 0);
    EXPECT_EQ(server.ReceivedLines().back(), "QUIT");
}

TEST(POP3Listing, HeadersWithoutABodyKeepNoEndMarkAndAreUnstuffed) {
    ScriptedServer server(
        Steps({Login(1),
               Answer("+OK 1 30"),
               {ReadLine(), Send("+OK\r\nSubject: bare\r\n..X-Dot: yes\r\n.\r\n")},
               Answer("+OK")}));
    auto pop = ClientFor(server.Address());
    pop->UpdateInfo();
    EXPECT_EQ(pop->RemoteInfo().Items(0)->Headers.Text(), "Subject: bare\r\n.X-Dot: yes\r\n");
}

// A failed listing keeps what it has read and leaves the connection for the caller to close.
TEST(POP3Listing, ABadReplyToLISTOrTOPFailsWithItsTextAndKeepsTheConnection) {
    struct Case {
        const char* Name;
        Script Failing;
        std::string Error;
    };
    const std::vector<Case> cases = {
        {"negative LIST", Answer("-ERR no such message"), "-ERR no such message"},
        {"LIST without a size", Answer("+OK 2"), "Malformed reply to LIST: +OK 2"},
        {"LIST with a word for a size", Answer("+OK 2 big"), "Malformed reply to LIST: +OK 2 big"},
        {"LIST of another message", Answer("+OK 3 100"), "Malformed reply to LIST: +OK 3 100"},
        {"negative TOP", Steps({Answer("+OK 2 100"), Answer("-ERR TOP not supported")}),
         "-ERR TOP not supported"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(Steps({Login(3), Listed(1, 10, "Subject: one"), c.Failing}));
        auto pop = ClientFor(server.Address());
        Recorder log(*pop);
        try {
            pop->UpdateInfo();
            ADD_FAILURE() << "no exception";
        } catch (const EServerError& e) {
            EXPECT_EQ(e.Message(), c.Error);
        }
        EXPECT_EQ(log.Events, (Lines{"open", "updating", "next 0"}));
        EXPECT_EQ(pop->RemoteInfo().Count(), 1);
        EXPECT_TRUE(pop->Connected());
    }
}

TEST(POP3Listing, KeepConnectedLeavesTheConnectionForTheCommitThatFollows) {
    ScriptedServer server(
        Steps({Login(1), Listed(1, 10, "Subject: one"), Answer("+OK 1 uid-1"),
               Listed(1, 10, "Subject: one"), Answer("+OK deleted"), Answer("+OK bye")}));
    auto pop = ClientFor(server.Address());
    pop->KeepConnected = true;
    Recorder log(*pop);
    pop->UpdateInfo();
    EXPECT_EQ(log.Events, (Lines{"open", "updating", "next 0", "updated"}));
    EXPECT_TRUE(pop->Connected());

    pop->MarkForDelete(0);
    pop->ProcessMarked();
    EXPECT_EQ(server.Accepted(), 1);
    EXPECT_EQ(pop->RemoteInfo().Items(0)->UIDL, "uid-1");
    EXPECT_EQ(log.Events, (Lines{"open", "updating", "next 0", "updated", "transferring",
                                 "deleting 0", "transfered", "closing", "closed"}));
    EXPECT_EQ(server.ReceivedLines().back(), "QUIT");
}

TEST(POP3Marks, SetAndClearTheFlagsOfTheListedItem) {
    TmsRemotePOP pop(nullptr);
    pop.RemoteInfo().Add(std::make_unique<TmsRemoteInfoItem>());
    TmsRemoteInfoItem& item = *pop.RemoteInfo().Items(0);
    pop.MarkForDelete(0);
    EXPECT_TRUE(item.ToDelete());
    EXPECT_FALSE(item.ToRetrieve());
    pop.MarkForRetrieve(0);
    EXPECT_TRUE(item.ToDelete());
    EXPECT_TRUE(item.ToRetrieve());
    pop.Unmark(0);
    EXPECT_FALSE(item.ToDelete());
    EXPECT_FALSE(item.ToRetrieve());
    EXPECT_THROW(pop.MarkForDelete(1), EListError);
    EXPECT_THROW(pop.MarkForRetrieve(-1), EListError);
}

}  // namespace
}  // namespace vex
