#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
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

// One Dovecot for the whole suite; each test has mailboxes of its own where it changes them.
class POP3Dovecot : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            Server = std::make_unique<DovecotServer>(std::vector<DovecotServer::Mailbox>{
                {"alice", "apple", {Plain, Encoded, Dotted}},
                {"dave", "damson", {Plain, Encoded, Dotted}},
                {"empty", "nothing", {}},
            });
        } catch (const std::exception& e) {
            StartError = e.what();
        }
    }
    static void TearDownTestSuite() { Server.reset(); }

    // A server that failed to start fails every test of the suite.
    void SetUp() override { ASSERT_NE(Server, nullptr) << StartError; }

    static std::unique_ptr<TmsRemotePOP> Client(const std::string& User,
                                                const std::string& Password) {
        auto pop = ClientFor(Server->Address(), User, Password);
        pop->SetTimeOut(20);
        return pop;
    }

    static std::unique_ptr<DovecotServer> Server;
    static std::string StartError;
};

std::unique_ptr<DovecotServer> POP3Dovecot::Server;
std::string POP3Dovecot::StartError;

TEST_F(POP3Dovecot, ListsByAPOPAndRetrievesAMessageWithDotsAsItWasStored) {
    auto pop = Client("alice", "apple");
    Lines sent;
    pop->OnLineSent = [&](TObject*, const std::string& Line) { sent.push_back(Line); };
    pop->UpdateInfo();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].substr(0, 11), "APOP alice ");
    TmsRemoteInfo& info = pop->RemoteInfo();
    ASSERT_EQ(info.Count(), 3);
    const Lines stored = {Plain, Encoded, Dotted};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(info.Items(i)->Size, static_cast<int32_t>(stored[i].size()));
        EXPECT_EQ(info.Items(i)->Headers.Text(), HeadersOf(stored[i]));
    }
    std::string subject;
    info.Items(1)->Headers.GetFieldValue("Subject", subject);
    EXPECT_EQ(subject, "Caf\xE9 au lait");

    pop->MarkForRetrieve(2);
    std::string received;
    pop->OnUserMessageSave = [&](TObject*, int32_t, TMemoryStream& Contents) {
        received.assign(Contents.Memory(), static_cast<size_t>(Contents.Size()));
    };
    pop->ProcessMarked();
    EXPECT_EQ(received, Dotted + ".\r\n");
    EXPECT_FALSE(pop->Connected());

    auto empty = Client("empty", "nothing");
    empty->UpdateInfo();
    EXPECT_EQ(empty->RemoteInfo().Count(), 0);
}

// Another client deletes the first message after the listing: the second now stands at number
// 1 and the third at 2, and number 3 is gone. Neither marked message may be touched.
TEST_F(POP3Dovecot, MarkedMessagesThatAnotherClientChangedOrDeletedAreLeftAlone) {
    auto pop = Client("dave", "damson");
    pop->UpdateInfo();
    auto other = Client("dave", "damson");
    other->UpdateInfo();
    other->MarkForDelete(0);
    other->ProcessMarked();
    ASSERT_EQ(Server->MessageCount("dave"), 2);

    pop->MarkForDelete(1);
    pop->MarkForDelete(2);
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->ProcessMarked(); }),
              "Messages changed on the server and were left alone: 2, 3");
    EXPECT_FALSE(pop->Connected());
    EXPECT_EQ(Server->MessageCount("dave"), 2);
}

TEST(POP3DovecotWithoutAPOP, LogsInByUserAndPassword) {
    DovecotServer server({{"bob", "banana", {Plain}}}, false);
    auto pop = ClientFor(server.Address(), "bob", "banana");
    Lines sent;
    pop->OnLineSent = [&](TObject*, const std::string& Line) { sent.push_back(Line); };
    pop->UpdateInfo();
    EXPECT_EQ(sent, (Lines{"USER bob", "PASS ********", "STAT", "LIST 1", "TOP 1 1", "QUIT"}));
}

}  // namespace
}  // namespace vex
