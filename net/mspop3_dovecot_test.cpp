#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/mspop3.h"
#include "tests/support/dovecotserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

const Lines Stored = {
    "From: Ann <ann@example.org>\r\nTo: alice@example.org\r\nSubject: plain\r\n"
    "Date: Mon, 6 Nov 2023 10:00:00 +0000\r\n\r\nHello.\r\n",
    "From: ben@example.org\r\nSubject: =?ISO-8859-1?Q?Caf=E9_au_lait?=\r\n\r\nBody.\r\n",
    "From: cy@example.org\r\nSubject: dots\r\n\r\n.leading dot\r\n.\r\n..\r\nlast\r\n"};

// A client whose time-out is the watchdog of every wait; it records the lines it sends.
std::unique_ptr<TmsRemotePOP> Client(const DovecotServer& Server, const std::string& User,
                                     const std::string& Password, Lines& Sent) {
    auto pop = SocketFor<TmsRemotePOP>(Server.Address());
    pop->SetUserName(User);
    pop->SetPassword(Password);
    pop->SetTimeOut(20);
    pop->OnLineSent = [&Sent](TObject*, const std::string& Line) { Sent.push_back(Line); };
    return pop;
}

// Lists by APOP and retrieves a message with dots as it was stored; then another client deletes
// the first message, so the second stands at number 1 and the third at 2, and number 3 is gone:
// neither marked message may be touched.
TEST(POP3Dovecot, ListsRetrievesAndLeavesAloneWhatAnotherClientChanged) {
    DovecotServer server({{"alice", "apple", Stored}, {"empty", "nothing", {}}});
    Lines sent;
    auto pop = Client(server, "alice", "apple", sent);
    pop->UpdateInfo();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].substr(0, 11), "APOP alice ");
    TmsRemoteInfo& info = pop->RemoteInfo();
    ASSERT_EQ(info.Count(), 3);
    for (int32_t i = 0; i < 3; ++i) {
        const std::string& stored = Stored[static_cast<size_t>(i)];
        EXPECT_EQ(info.Items(i)->Size, static_cast<int32_t>(stored.size()));
        EXPECT_EQ(info.Items(i)->Headers.Text(), stored.substr(0, stored.find("\r\n\r\n") + 2));
    }
    pop->MarkForRetrieve(2);
    std::string received;
    pop->OnUserMessageSave = [&](TObject*, int32_t, TMemoryStream& Contents) {
        received.assign(Contents.Memory(), static_cast<size_t>(Contents.Size()));
    };
    pop->ProcessMarked();
    EXPECT_EQ(received, Stored[2] + ".\r\n");
    EXPECT_FALSE(pop->Connected());

    auto other = Client(server, "alice", "apple", sent);
    other->UpdateInfo();
    other->MarkForDelete(0);
    other->ProcessMarked();
    ASSERT_EQ(server.MessageCount("alice"), 2);
    pop->Unmark(2);
    pop->MarkForDelete(1);
    pop->MarkForDelete(2);
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->ProcessMarked(); }),
              "Messages changed on the server and were left alone: 2, 3");
    EXPECT_FALSE(pop->Connected());
    EXPECT_EQ(server.MessageCount("alice"), 2);

    auto empty = Client(server, "empty", "nothing", sent);
    empty->UpdateInfo();
    EXPECT_EQ(empty->RemoteInfo().Count(), 0);
}

TEST(POP3Dovecot, LogsInByUserAndPasswordWithoutAPOP) {
    DovecotServer server({{"bob", "banana", {Stored[0]}}}, false);
    Lines sent;
    Client(server, "bob", "banana", sent)->UpdateInfo();
    EXPECT_EQ(sent, (Lines{"USER bob", "PASS ********", "STAT", "LIST 1", "TOP 1 1", "QUIT"}));
}

// The server ends a kept session as it ends one idle for too long: the next listing logs in again
// without an error, and a session still standing is listed again without a login.
TEST(POP3Dovecot, AKeptSessionTheServerEndedIsLoggedIntoAgain) {
    DovecotServer server({{"bob", "banana", {Stored[0]}}}, false);
    Lines sent;
    auto pop = Client(server, "bob", "banana", sent);
    Lines errors;
    pop->OnError = [&errors](TObject*, std::string& Msg) { errors.push_back(Msg); };
    pop->KeepConnected = true;
    const Lines login = {"USER bob", "PASS ********", "STAT"};
    const Lines listing = {"LIST 1", "TOP 1 1"};
    Lines expected;
    for (const Lines* part : {&login, &listing, &login, &listing, &listing})
        expected.insert(expected.end(), part->begin(), part->end());

    pop->UpdateInfo();
    server.Kick("bob");
    pop->UpdateInfo();
    pop->UpdateInfo();
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(errors, Lines{});
    EXPECT_EQ(pop->RemoteInfo().Count(), 1);
    EXPECT_TRUE(pop->Connected());
}

}  // namespace
}  // namespace vex
