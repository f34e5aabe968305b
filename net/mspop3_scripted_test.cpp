#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/mspop3.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

// The socket's events and the client's own, with the message's number where there is one.
struct Pop3Log : EventLog {
    explicit Pop3Log(TmsRemotePOP& Pop) : EventLog(Pop) {
        auto add = [this](const char* Name) { return [this, Name](TObject*) { Add(Name); }; };
        auto num = [this](const char* Name) {
            return [this, Name](TObject*, int32_t Num) { Add(Name + (":" + std::to_string(Num))); };
        };
        Pop.OnUpdatingInfo = add("updating");
        Pop.OnInfoUpdated = add("updated");
        Pop.OnTransferringData = add("transferring");
        Pop.OnDataTransfered = add("transfered");
        Pop.OnNextInfoUpdated = num("next");
        Pop.OnRetrieving = num("retrieving");
        Pop.OnRetrieved = num("retrieved");
        Pop.OnDeleting = num("deleting");
        Pop.OnError = [this](TObject*, std::string& Msg) { Add("error:" + Msg); };
        Pop.OnUserMessageSave = [this](TObject*, int32_t Num, TMemoryStream& Contents) {
            Add("save:" + std::to_string(Num));
            Saved.emplace_back(Contents.Memory(), static_cast<size_t>(Contents.Size()));
        };
    }
    Lines Saved;
};

std::unique_ptr<TmsRemotePOP> ClientFor(const std::string& Address) {
    auto pop = SocketFor<TmsRemotePOP>(Address);
    pop->SetUserName("alice");
    pop->SetPassword("s3cret");
    return pop;
}

// A server that greets, then answers each command with the next of Replies.
Script Answering(std::initializer_list<const char*> Replies) {
    Script script{SendLine("+OK ready")};
    for (const char* reply : Replies) {
        script.push_back(ReadLine());
        script.push_back(SendLine(reply));
    }
    return script;
}

// An item as a listing left it.
void AddListed(TmsRemotePOP& Pop, int32_t Size, const std::string& Subject) {
    auto item = std::make_unique<TmsRemoteInfoItem>();
    item->Size = Size;
    item->Headers.Add("Subject: " + Subject);
    Pop.RemoteInfo().Add(std::move(item));
}

// A connection's part of a dialogue: "S: <line>" is sent, "C: <line>" read and kept in Commands,
// "S closes" and "S resets" end the connection, "S waits" until the client is idle.
Script DialogueOf(const Lines& Dialogue, Lines& Commands) {
    Script script;
    for (const std::string& line : Dialogue) {
        if (line == "S closes" || line == "S resets" || line == "S waits") {
            script.push_back(line == "S closes" ? Close() : line == "S resets" ? Reset() : Hold());
            continue;
        }
        const std::string text = line.substr(std::min<size_t>(3, line.size()));
        if (line.starts_with("C:")) Commands.push_back(text);
        script.push_back(line.starts_with("C:") ? ReadLine() : SendLine(Unescape(text)));
    }
    return script;
}

// Each case names what it checks; see the data file for its steps.
TEST(POP3Dialogue, EachCaseOfTheFileShowsWhatItsDialogueMeans) {
    for (const TestBlock& block : ReadBlocks(VEX_TEST_DIR "/testdata/pop3_dialogues.txt")) {
        SCOPED_TRACE(block.Where + " " + block.Name);
        Lines commands;
        std::vector<Script> scripts;
        for (size_t i = 1; i < block.Parts.size(); ++i)
            scripts.push_back(DialogueOf(block.Parts[i], commands));
        ScriptedServer server(scripts);
        TempDir dir;
        auto pop = ClientFor(server.Address());
        pop->SetTranscriptFile(dir.File("pop3.log"));
        Pop3Log log(*pop);
        for (const std::string& line : block.Parts[0]) {
            const TestCase step = CaseOf(line);
            const std::string& what = step[0];
            const auto n = [&] { return static_cast<int32_t>(step.Int(1)); };
            if (what == "user") pop->SetUserName(step[1]);
            if (what == "password") pop->SetPassword(step[1]);
            if (what == "keep") pop->KeepConnected = true;
            if (what == "idle") {
                server.Release();
                EXPECT_TRUE(server.WaitUntilEnded(server.Accepted()));
            }
            if (what == "listed") AddListed(*pop, n(), step[2]);
            if (what == "retrieve") pop->MarkForRetrieve(n());
            if (what == "delete") pop->MarkForDelete(n());
            if (what == "unmark") pop->Unmark(n());
            if (what == "directory") {
                pop->OnUserMessageSave = nullptr;
                pop->SetMessageDirectory(dir.Path());  // without a trailing slash
            }
            if (what == "open" || what == "update" || what == "process" || what == "close") {
                const std::string error = step.size() > 1 ? step[1] : "";
                try {
                    what == "open"     ? pop->Open()
                    : what == "update" ? pop->UpdateInfo()
                    : what == "close"  ? pop->Close()
                                       : pop->ProcessMarked();
                    EXPECT_EQ(error, "") << line;
                } catch (const Exception& e) {
                    EXPECT_EQ(e.Message(), error) << line;
                    EXPECT_FALSE(pop->Connected()) << line;
                }
            }
            std::optional<Lines> seen;
            if (what == "events") seen = log.Events;
            if (what == "saved") seen = log.Saved;
            if (what == "messages") seen = {std::to_string(pop->MessageCount())};
            if (what == "mailbox") seen = {std::to_string(pop->MailboxSize())};
            if (what == "items") seen = {std::to_string(pop->RemoteInfo().Count())};
            if (what == "item") {
                const TmsRemoteInfoItem& item = *pop->RemoteInfo().Items(n());
                seen = {step[1], std::to_string(item.Size), item.UIDL, item.Headers.Text()};
            }
            if (what == "file") seen = {step[1], ReadWholeFile(dir.File(step[1]))};
            if (seen) {
                EXPECT_EQ(*seen, Lines(step.Fields.begin() + 1, step.Fields.end())) << line;
            }
        }
        EXPECT_TRUE(server.WaitUntilDone());
        EXPECT_EQ(server.ReceivedLines(), commands);
        EXPECT_EQ(server.Accepted(), static_cast<int>(scripts.size()));
        pop.reset();
        // The password never reaches the transcript, whether APOP or PASS carried it.
        if (server.Accepted() > 0) {
            EXPECT_EQ(ReadWholeFile(dir.File("pop3.log")).find("s3cret"), std::string::npos);
        }
    }
}

// A session its server dropped is left with OnClosing and OnClosed; a cancel from either is the
// caller's, and the listing stops before it connects again.
TEST(POP3KeptSession, ACancelWhileADroppedSessionIsLeftStopsTheListing) {
    Script script = Answering({"+OK", "+OK", "+OK 0 0"});
    script.insert(script.end(), {Hold(), Close()});
    ScriptedServer server(script);
    auto pop = ClientFor(server.Address());
    pop->KeepConnected = true;
    pop->UpdateInfo();
    server.Release();
    ASSERT_TRUE(server.WaitUntilDone());
    Pop3Log log(*pop);
    pop->OnClosed = [&](TObject*) {
        log.Add("closed");
        pop->Cancel();
    };
    EXPECT_THROW(pop->UpdateInfo(), ECanceledError);
    EXPECT_EQ(log.Events,
              (Lines{"closing", "closed", "cancel", "error:Operation has been canceled"}));
    EXPECT_EQ(server.Accepted(), 1);
    EXPECT_FALSE(pop->Connected());
}

// A change the application makes to its error handler while the old session closes (from
// OnClosed, say) is the one it wants from then on; the failure of that QUIT, dropped on purpose,
// reaches no handler, the new one included.
TEST(POP3KeptSession, AnErrorHandlerChangedWhileTheSessionIsLeftStaysAndHearsNothingOfIt) {
    for (const bool assign : {true, false}) {
        SCOPED_TRACE(assign ? "assigned" : "cleared");
        Script first = Answering({"+OK", "+OK", "+OK 0 0"});
        first.insert(first.end(),
                     {ReadLine(), SendLine("+OK " + std::string(MaxReplyLineLength, 'x'))});
        ScriptedServer server(std::vector<Script>{first, Answering({"+OK", "+OK", "+OK 0 0"})});
        auto pop = ClientFor(server.Address());
        pop->KeepConnected = true;
        pop->UpdateInfo();
        Lines seen;
        pop->OnError = [&](TObject*, std::string& Msg) { seen.push_back("old:" + Msg); };
        pop->OnClosed = [&](TObject*) {
            pop->OnError = nullptr;
            if (assign)
                pop->OnError = [&](TObject*, std::string& Msg) { seen.push_back("new:" + Msg); };
        };
        pop->SetUserName("bob");
        EXPECT_NO_THROW(pop->UpdateInfo());
        EXPECT_EQ(seen, Lines{});
        EXPECT_EQ(static_cast<bool>(pop->OnError), assign);
        EXPECT_EQ(server.Accepted(), 2);
    }
}

// Waits on a virtual clock, so the two-minute time-out passes at once.
class POP3Silence : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};

    // Alice's mailbox is listed and its session kept; her server then reads the QUIT and keeps
    // silent. The client is switched to bob, so its next listing leaves that session.
    static Script ListedThenSilentAtQuit() {
        Script script = Answering({"+OK", "+OK", "+OK 0 0"});
        script.insert(script.end(), {ReadLine(), Silent()});
        return script;
    }
    static void KeepAndSwitchToBob(TmsRemotePOP& Pop) {
        Pop.SetTimeOut(120);
        Pop.KeepConnected = true;
        Pop.UpdateInfo();
        Pop.SetUserName("bob");
    }
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

// What the left session's server says is no failure of the next mailbox, but a cancel while it
// keeps silent about the QUIT is the caller's and stops the listing before the next server.
TEST_F(POP3Silence, ACancelWhileLeavingAKeptSessionStopsTheListingOfTheNextMailbox) {
    ScriptedServer server(ListedThenSilentAtQuit(), 2);
    auto pop = ClientFor(server.Address());
    KeepAndSwitchToBob(*pop);
    Pop3Log log(*pop);
    TTimer timer(nullptr);
    timer.SetInterval(1000);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        pop->Cancel();
    };
    // The QUIT is given the whole time-out, as it may commit that session's deletions, but the
    // wait for it goes on dispatching, so the cancel ends it at once.
    const int64_t start = clock.TickMilliseconds();
    EXPECT_THROW(pop->UpdateInfo(), ECanceledError);
    EXPECT_LT(clock.TickMilliseconds() - start, 60000);
    EXPECT_EQ(log.Events,
              (Lines{"cancel", "closing", "closed", "error:Operation has been canceled"}));
    EXPECT_EQ(server.Accepted(), 1);
    EXPECT_EQ(server.ReceivedLines(), (Lines{"USER alice", "PASS s3cret", "STAT", "QUIT"}));
}

// The cancel that ends the wait for the QUIT of a left session is the caller's and is reported
// once, also to a handler assigned while that session closed.
TEST_F(POP3Silence, ACancelWhileLeavingAKeptSessionIsReportedOnceToAHandlerAssignedMeanwhile) {
    ScriptedServer server(ListedThenSilentAtQuit(), 2);
    auto pop = ClientFor(server.Address());
    KeepAndSwitchToBob(*pop);
    Lines seen;
    pop->OnError = [&](TObject*, std::string& Msg) { seen.push_back("old:" + Msg); };
    pop->OnClosed = [&](TObject*) {
        pop->OnError = [&](TObject*, std::string& Msg) { seen.push_back("new:" + Msg); };
    };
    TTimer timer(nullptr);
    timer.SetInterval(1000);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        pop->Cancel();
    };
    EXPECT_THROW(pop->UpdateInfo(), ECanceledError);
    EXPECT_EQ(seen, Lines{"new:Operation has been canceled"});
}

TEST_F(POP3Silence, ACancelFromATimerDuringARetrievalClosesAtOnce) {
    Script script = Answering({"+OK", "+OK", "+OK 1 50", "+OK 1 uid-1", "+OK 1 50",
                               "+OK\r\nSubject: one\r\n\r\nbody\r\n.", "+OK 1 50"});
    script.insert(script.end(), {ReadLine(), Send("+OK\r\npart"), Silent()});
    ScriptedServer server(script);
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    pop->MarkForRetrieve(0);
    Pop3Log log(*pop);
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
    EXPECT_EQ(log.Events, (Lines{"open", "connected", "transferring", "cancel", "closing", "closed",
                                 "error:Operation has been canceled"}));
}

}  // namespace
}  // namespace vex
