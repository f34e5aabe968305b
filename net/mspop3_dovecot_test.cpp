#include <gtest/gtest.h>

#include <exception>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "net/mspop3.h"
#include "net/mspop3_testsupport.h"
#include "tests/support/dovecotserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

const std::string Plain =
    "From: Ann <ann@example.org>\r\nTo: alice@example.org\r\nSubject: plain\r\n"
    "Date: Mon, 6 Nov 2023 10:00:00 +0000\r\n\r\nHello.\r\n";
const std::string Encoded =
    "From: ben@example.org\r\nSubject: =?ISO-8859-1?Q?Caf=E9_au_lait?=\r\n\r\nBody.\r\n";
const std::string Dotted =
    "From: cy@example.org\r\nSubject: dots\r\n\r\n.leading dot\r\n.\r\n..\r\nlast\r\n";

std::string HeadersOf(const std::string& Message) {
    return Message.substr(0, Message.find("\r\n\r\n") + 2);
}

std::unique_ptr<TmsRemotePOP> ClientFor(const DovecotServer& Server, const std::string& User,
                                        const std::string& Password) {
    auto pop = test::ClientFor(Server.Address());
    pop->SetUserName(User);
    pop->SetPassword(Password);
    pop->SetTimeOut(20);
    return pop;
}

// One Dovecot for the whole suite; each test has mailboxes of its own where it changes them.
class POP3Dovecot : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            Server = std::make_unique<DovecotServer>(std::vector<DovecotServer::Mailbox>{
                {"alice", "apple", {Plain, Encoded, Dotted}},
                {"dave", "damson", {Plain, Encoded}},
                {"empty", "nothing", {}},
            });
        } catch (const std::exception& e) {
            StartError = e.what();
        }
    }
    static void TearDownTestSuite() { Server.reset(); }

    // A server that failed to start fails every test of the suite.
    void SetUp() override { ASSERT_NE(Server, nullptr) << StartError; }

    static std::unique_ptr<DovecotServer> Server;
    static std::string StartError;
};

std::unique_ptr<DovecotServer> POP3Dovecot::Server;
std::string POP3Dovecot::StartError;

TEST_F(POP3Dovecot, LogsInByAPOPWhenTheGreetingCarriesAStamp) {
    auto pop = ClientFor(*Server, "alice", "apple");
    Lines sent;
    pop->OnLineSent = [&](TObject*, const std::string& Line) { sent.push_back(Line); };
    pop->Open();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].substr(0, 11), "APOP alice ");
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(pop->MessageCount(), 3);
    EXPECT_EQ(pop->MailboxSize(),
              static_cast<int32_t>(Plain.size() + Encoded.size() + Dotted.size()));
    pop->Close();
    EXPECT_FALSE(pop->Connected());
}

TEST_F(POP3Dovecot, ListsSizesAndHeadersOfTheStoredMessages) {
    auto pop = ClientFor(*Server, "alice", "apple");
    pop->UpdateInfo();
    TmsRemoteInfo& info = pop->RemoteInfo();
    ASSERT_EQ(info.Count(), 3);
    const std::vector<std::string> stored = {Plain, Encoded, Dotted};
    for (int32_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(info.Items(i)->Size, static_cast<int32_t>(stored[i].size()));
        EXPECT_EQ(info.Items(i)->Headers.Text(), HeadersOf(stored[i]));
    }
    std::string subject;
    info.Items(1)->Headers.GetFieldValue("Subject", subject);
    EXPECT_EQ(subject, "Caf\xE9 au lait");
    EXPECT_FALSE(pop->Connected());
}

TEST_F(POP3Dovecot, RetrievesAMessageWithDotsAsItWasStored) {
    auto pop = ClientFor(*Server, "alice", "apple");
    pop->UpdateInfo();
    pop->MarkForRetrieve(2);
    std::string received;
    pop->OnUserMessageSave = [&](TObject*, int32_t Num, TMemoryStream& Contents) {
        EXPECT_EQ(Num, 2);
        received.assign(Contents.Memory(), static_cast<size_t>(Contents.Size()));
    };
    pop->ProcessMarked();
    EXPECT_EQ(received, Dotted + ".\r\n");
    EXPECT_FALSE(pop->RemoteInfo().Items(2)->UIDL.empty());
}

TEST_F(POP3Dovecot, DeletesAMarkedMessageWhenTheSessionEnds) {
    auto pop = ClientFor(*Server, "dave", "damson");
    pop->UpdateInfo();
    ASSERT_EQ(Server->MessageCount("dave"), 2);
    pop->MarkForDelete(0);
    std::vector<int32_t> deleting;
    pop->OnDeleting = [&](TObject*, int32_t Num) { deleting.push_back(Num); };
    pop->ProcessMarked();
    EXPECT_EQ(deleting, std::vector<int32_t>{0});
    EXPECT_EQ(Server->MessageCount("dave"), 1);

    pop->UpdateInfo();
    ASSERT_EQ(pop->RemoteInfo().Count(), 1);
    EXPECT_EQ(pop->RemoteInfo().Items(0)->Headers.Text(), HeadersOf(Encoded));
}

TEST_F(POP3Dovecot, AnEmptyMailboxListsNothing) {
    auto pop = ClientFor(*Server, "empty", "nothing");
    int next = 0;
    pop->OnNextInfoUpdated = [&](TObject*, int32_t) { ++next; };
    pop->UpdateInfo();
    EXPECT_EQ(pop->MessageCount(), 0);
    EXPECT_EQ(pop->RemoteInfo().Count(), 0);
    EXPECT_EQ(next, 0);
}

TEST(POP3DovecotWithoutAPOP, LogsInByUserAndPassword) {
    DovecotServer server({{"bob", "banana", {Plain}}}, false);
    auto pop = ClientFor(server, "bob", "banana");
    Lines sent;
    pop->OnLineSent = [&](TObject*, const std::string& Line) { sent.push_back(Line); };
    pop->UpdateInfo();
    EXPECT_EQ(sent, (Lines{"USER bob", "PASS ********", "STAT", "LIST 1", "TOP 1 1", "QUIT"}));
    ASSERT_EQ(pop->RemoteInfo().Count(), 1);
    EXPECT_EQ(pop->RemoteInfo().Items(0)->Size, static_cast<int32_t>(Plain.size()));
}

}  // namespace
}  // namespace vex
