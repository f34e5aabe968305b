#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/mspop3.h"
#include "tests/support/dovecotserver.h"
#include "tests/support/latencyproxy.h"

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

Lines Numbered(int Count) {
    Lines messages;
    for (int i = 1; i <= Count; ++i)
        messages.push_back("From: n" + std::to_string(i) + "@example.org\r\nSubject: number " +
                           std::to_string(i) + "\r\n\r\nBody " + std::to_string(i) + ".\r\n");
    return messages;
}

// Dovecot names PIPELINING: the listing sends a window of commands before its first reply and
// reads every message as stored, in order; the checks before a deletion stay one at a time.
TEST(POP3Dovecot, AListingSendsCommandsAheadAndACommitChecksOneAtATime) {
    constexpr int Count = 150;
    const Lines stored = Numbered(Count);
    DovecotServer server({{"bob", "banana", stored}}, false);
    Lines sent;
    auto pop = Client(server, "bob", "banana", sent);
    Lines talk;  // sent and received lines, in order, from the first LIST on
    pop->OnLineSent = [&](TObject*, const std::string& Line) {
        sent.push_back(Line);
        if (!talk.empty() || Line == "LIST 1") talk.push_back("C: " + Line);
    };
    pop->OnReplyLine = [&](TObject*, const std::string& Line) {
        if (!talk.empty()) talk.push_back("S: " + Line);
    };
    Lines next;
    pop->OnNextInfoUpdated = [&](TObject*, int32_t Num) { next.push_back(std::to_string(Num)); };
    pop->KeepConnected = true;
    pop->UpdateInfo();

    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[3], "CAPA");
    const auto firstReply = std::find_if(
        talk.begin(), talk.end(), [](const std::string& Line) { return Line.starts_with("S: "); });
    EXPECT_EQ(firstReply - talk.begin(), 2 * TmsRemotePOP::PipelineDepth);
    TmsRemoteInfo& info = pop->RemoteInfo();
    ASSERT_EQ(info.Count(), Count);
    for (int32_t i = 0; i < Count; ++i) {
        const std::string& message = stored[static_cast<size_t>(i)];
        EXPECT_EQ(info.Items(i)->Size, static_cast<int32_t>(message.size()));
        EXPECT_EQ(info.Items(i)->Headers.Text(), message.substr(0, message.find("\r\n\r\n") + 2));
        EXPECT_EQ(next[static_cast<size_t>(i)], std::to_string(i));
    }
    // The kept session's capabilities are known: the next listing goes ahead at once.
    sent.clear();
    pop->UpdateInfo();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "LIST 1");
    EXPECT_EQ(info.Count(), Count);

    talk = {"C: "};
    pop->MarkForDelete(139);
    pop->ProcessMarked();
    EXPECT_EQ(server.MessageCount("bob"), Count - 1);
    Lines commands;
    for (size_t i = 1; i < talk.size(); ++i) {
        if (!talk[i].starts_with("C: ")) continue;
        commands.push_back(talk[i].substr(3));
        // Each command's reply has come before the next command goes out.
        EXPECT_TRUE(talk[i - 1].starts_with("S: ") || i == 1) << talk[i];
    }
    EXPECT_EQ(commands, (Lines{"UIDL 140", "LIST 140", "TOP 140 1", "DELE 140", "QUIT"}));
}

// Through a relay that holds every chunk 20 ms each way, the listing takes a few round trips,
// where one command at a time would wait two round trips for every message.
TEST(POP3Dovecot, ADistantServerIsListedInAFewRoundTrips) {
    constexpr int Count = 40;
    constexpr auto Delay = std::chrono::milliseconds(20);
    DovecotServer server({{"bob", "banana", Numbered(Count)}}, false);
    LatencyProxy proxy(server.Port(), Delay);
    Lines sent;
    auto pop = Client(server, "bob", "banana", sent);
    pop->SetServer(proxy.Address());
    const auto start = std::chrono::steady_clock::now();
    pop->UpdateInfo();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(pop->RemoteInfo().Count(), Count);
    // The greeting, USER, PASS, STAT, CAPA, the listing and QUIT: seven round trips at least.
    EXPECT_GE(elapsed, 7 * 2 * Delay);
    EXPECT_LT(elapsed, Count * 2 * 2 * Delay);
}

}  // namespace
}  // namespace vex
