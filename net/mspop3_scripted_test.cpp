#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/mspop3.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "tests/support/casefile.h"
#include "tests/support/latencyproxy.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/socketwait.h"
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

// Cancels the client's operation once, a second after it is armed.
class CancelTimer {
public:
    CancelTimer(TmsRemotePOP& Pop, bool Armed) {
        FTimer.SetEnabled(Armed);
        FTimer.SetInterval(1000);
        FTimer.OnTimer = [this, &Pop](TObject*) {
            FTimer.SetEnabled(false);
            Pop.Cancel();
        };
    }
    void Arm(bool Armed = true) { FTimer.SetEnabled(Armed); }

private:
    TTimer FTimer{nullptr};
};

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
    CancelTimer timer(*pop, true);
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
    CancelTimer timer(*pop, true);
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
    CancelTimer timer(*pop, false);
    pop->OnRetrieving = [&](TObject*, int32_t) { timer.Arm(); };
    EXPECT_THROW(pop->ProcessMarked(), ECanceledError);
    EXPECT_EQ(log.Events, (Lines{"open", "connected", "transferring", "cancel", "closing", "closed",
                                 "error:Operation has been canceled"}));
}

// A handler of OnProgress that fails in the middle of a retrieval leaves the session without a
// QUIT, which would read a line of the message as its answer: the deletion before it is not
// committed, and the failure is the handler's.
TEST(POP3Retrieval, AProgressHandlerThatFailsMidMessageDropsTheSession) {
    Script script = Answering({"+OK", "+OK", "+OK 2 100", "+OK 1 uid-1", "+OK 1 50",
                               "+OK\r\nSubject: one\r\n\r\nbody\r\n.", "+OK deleted", "+OK 2 uid-2",
                               "+OK 2 50", "+OK\r\nSubject: two\r\n\r\nbody\r\n.", "+OK 2 50",
                               "+OK\r\nSubject: two\r\n\r\nbody\r\n.", "+OK bye"});
    ScriptedServer server(script);
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    AddListed(*pop, 50, "two");
    pop->MarkForDelete(0);
    pop->MarkForRetrieve(1);
    bool retrieving = false;
    pop->OnRetrieving = [&](TObject*, int32_t) { retrieving = true; };
    pop->OnProgress = [&](TObject*, int32_t, int32_t) {
        if (retrieving) throw EServerError("stop");
    };
    EXPECT_EQ(ErrorMessageOf<Exception>([&] { pop->ProcessMarked(); }), "stop");
    EXPECT_FALSE(pop->Connected());
    EXPECT_TRUE(server.WaitUntilEnded(1));
    const Lines commands = server.ReceivedLines();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "QUIT"), 0);
}

// What a server answers to CAPA.
const std::string Refused = "-ERR unknown command\r\n";
const std::string WithoutPipelining = "+OK\r\nTOP\r\nUIDL\r\nX-PIPELINING-SOON\r\n.\r\n";
const std::string Pipelining = "+OK Capability list follows\r\nTOP\r\npipelining\r\nUIDL\r\n.\r\n";

std::string ListReply(int N) {
    return "+OK " + std::to_string(N) + " " + std::to_string(100 + N) + "\r\n";
}
// Message 2 has a stuffed header line, so that unstuffing is seen across replies.
std::string TopReply(int N) {
    return "+OK\r\nSubject: message " + std::to_string(N) + "\r\n" +
           (N == 2 ? "..X: dot\r\n" : "") + "\r\nbody\r\n.\r\n";
}

// The login of alice to a mailbox of Count messages, and the answer to CAPA where one is asked.
Script LoggedIn(int Count, const std::string& Capabilities) {
    Script script = {SendLine("+OK ready"),
                     ReadLine(),
                     SendLine("+OK"),
                     ReadLine(),
                     SendLine("+OK"),
                     ReadLine(),
                     SendLine("+OK " + std::to_string(Count) + " 999")};
    if (Count > 1) script.insert(script.end(), {ReadLine(), Send(Capabilities)});
    return script;
}

// Each command of messages From to To read and answered in turn: a server that is happy either
// way, whether the commands come ahead or one at a time.
void AnswerInTurn(Script& S, int From, int To) {
    for (int n = From; n <= To; ++n)
        S.insert(S.end(), {ReadLine(), Send(ListReply(n)), ReadLine(), Send(TopReply(n))});
}

// Every command of messages From to To read before any is answered: only a client that sends
// ahead gets its replies.
void AnswerAfterAll(Script& S, int From, int To) {
    for (int n = From; n <= To; ++n)
        S.insert(S.end(), {ReadLine(), ReadLine()});
    for (int n = From; n <= To; ++n)
        S.insert(S.end(), {Send(ListReply(n)), Send(TopReply(n))});
}

void AnswerQuit(Script& S) {
    S.insert(S.end(), {ReadLine(), SendLine("+OK bye")});
}

Lines ListingCommands(int From, int To) {
    Lines lines;
    for (int n = From; n <= To; ++n) {
        lines.push_back("LIST " + std::to_string(n));
        lines.push_back("TOP " + std::to_string(n) + " 1");
    }
    return lines;
}

// What a listing shows of each message, from its first command on: its events in order, and
// how many commands went out before the first reply came.
struct ListingLog {
    explicit ListingLog(TmsRemotePOP& Pop) {
        Pop.OnLineSent = [this](TObject*, const std::string& Line) {
            Started = Started || Line == "LIST 1";
            if (Started && !Replied) ++SentBeforeReply;
        };
        Pop.OnReplyLine = [this](TObject*, const std::string& Line) {
            Replied = Started;
            Add("reply " + Line);
        };
        Pop.OnProgress = [this](TObject*, int32_t Perc, int32_t Transferred) {
            Add("progress " + std::to_string(Perc) + " " + std::to_string(Transferred));
        };
        Pop.OnNextInfoUpdated = [this, &Pop](TObject*, int32_t Num) {
            const TmsRemoteInfoItem& item = *Pop.RemoteInfo().Items(Num);
            Add("next " + std::to_string(Num) + " " + std::to_string(item.Size) + " " +
                item.Headers.Text());
        };
        for (auto [event, name] : {std::pair{&Pop.OnClosing, "closing"},
                                   {&Pop.OnClosed, "closed"},
                                   {&Pop.OnCancel, "cancel"}})
            *event = [this, name](TObject*) { Add(name); };
        Pop.OnError = [this](TObject*, std::string& Msg) { Add("error " + Msg); };
    }
    void Add(const std::string& Event) {
        if (!Started) return;
        Events.push_back(Event);
        if (Then) Then(Event);
    }
    // Called after each event is logged: how a test acts from inside a handler.
    std::function<void(const std::string& Event)> Then;
    bool Started = false;
    bool Replied = false;
    int SentBeforeReply = 0;
    Lines Events;
};

// Whatever the server says of its capabilities, the listing's events are the same, message by
// message; only a server that names pipelining is sent commands ahead.
TEST(POP3Pipelining, AListingShowsTheSameEventsWhetherOrNotCommandsGoAhead) {
    constexpr int Count = 5;
    struct Case {
        const char* Name;
        std::string Capabilities;
        bool Ahead;
    };
    std::vector<Lines> seen;
    for (const Case& c :
         {Case{"refused", Refused, false}, Case{"without pipelining", WithoutPipelining, false},
          Case{"pipelining", Pipelining, true}}) {
        SCOPED_TRACE(c.Name);
        Script script = LoggedIn(Count, c.Capabilities);
        if (c.Ahead)
            AnswerAfterAll(script, 1, Count);
        else
            AnswerInTurn(script, 1, Count);
        AnswerQuit(script);
        ScriptedServer server(script);
        auto pop = ClientFor(server.Address());
        ListingLog log(*pop);
        pop->UpdateInfo();
        EXPECT_TRUE(server.WaitUntilDone());
        Lines commands = {"USER alice", "PASS s3cret", "STAT", "CAPA"};
        for (const std::string& line : ListingCommands(1, Count))
            commands.push_back(line);
        commands.push_back("QUIT");
        EXPECT_EQ(server.ReceivedLines(), commands);
        // One at a time, the reply to LIST 1 is read before anything else goes out.
        EXPECT_EQ(log.SentBeforeReply, c.Ahead ? 2 * Count : 1);
        seen.push_back(log.Events);
    }
    EXPECT_EQ(seen[1], seen[0]);
    EXPECT_EQ(seen[2], seen[0]);
}

// A server that then keeps its socket open and its mouth shut.
Script ThenSilent(Script S) {
    S.push_back(Silent());
    return S;
}

// The second connection after a failure: a mailbox of one message, listed as ever.
Script OneMessage() {
    Script script = LoggedIn(1, Refused);
    AnswerInTurn(script, 1, 1);
    AnswerQuit(script);
    return script;
}

// Each failure ends the listing with the exception it has without pipelining. Replies still owed
// are never read as answers to later commands: the session is dropped without a QUIT, and the
// next listing logs in afresh.
TEST(POP3Pipelining, AFailureInTheMiddleOfAWindowEndsTheListingAndTheNextLogsInAfresh) {
    struct Case {
        const char* Name;
        Script Steps;
        std::string Error;
        int32_t Listed;
        bool Quit;  // whether the failed session is left with a QUIT
    };
    std::vector<Case> cases;
    {
        Script s = LoggedIn(120, Pipelining);
        AnswerInTurn(s, 1, 99);
        s.insert(s.end(),
                 {ReadLine(), Send(ListReply(100)), ReadLine(), SendLine("-ERR no such message")});
        cases.push_back(
            {"the 100th TOP refused", ThenSilent(s), "-ERR no such message", 99, false});
    }
    {
        Script s = LoggedIn(2, Pipelining);
        s.insert(s.end(), {ReadLine(), ReadLine(), ReadLine(), ReadLine(), Send(ListReply(1)),
                           Send(TopReply(1)), Send(ListReply(2)), SendLine("-ERR no TOP")});
        AnswerQuit(s);
        cases.push_back({"the last TOP refused, with nothing owed", s, "-ERR no TOP", 1, true});
    }
    {
        Script s = LoggedIn(70, Pipelining);
        AnswerInTurn(s, 1, 9);
        s.insert(s.end(), {ReadLine(), SendLine("+OK 10")});
        cases.push_back(
            {"a LIST without a size", ThenSilent(s), "Malformed reply to LIST: +OK 10", 9, false});
    }
    for (const std::string& capabilities : {Pipelining, Refused}) {
        const bool ahead = capabilities == Pipelining;
        Script s = LoggedIn(64, capabilities);
        if (ahead) {
            for (int i = 0; i < 2 * 64; ++i)
                s.push_back(ReadLine());
            for (int n = 1; n <= 32; ++n)
                s.insert(s.end(), {Send(ListReply(n)), Send(TopReply(n))});
        } else {
            AnswerInTurn(s, 1, 32);
        }
        s.push_back(Close());
        cases.push_back({ahead ? "a close after half the window's replies"
                               : "a close after half as many replies, one at a time",
                         s, "Connection closed by the server", 32, !ahead});
    }
    {
        Script s = LoggedIn(40, Pipelining);
        AnswerInTurn(s, 1, 10);
        s.insert(s.end(), {ReadLine(), Send(ListReply(11)), ReadLine(), Send("+OK\r\nSubject: cut"),
                           Close()});
        cases.push_back({"a close in the middle of a TOP reply", s,
                         "Connection closed before the end of the message", 10, false});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(std::vector<Script>{c.Steps, OneMessage()});
        auto pop = ClientFor(server.Address());
        Lines errors;
        pop->OnError = [&](TObject*, std::string& Msg) { errors.push_back(Msg); };
        // Seen as sent: the server may read a QUIT to a closed session only after the test looks.
        bool quit = false;
        pop->OnLineSent = [&](TObject*, const std::string& Line) { quit = quit || Line == "QUIT"; };
        EXPECT_EQ(ErrorMessageOf<Exception>([&] { pop->UpdateInfo(); }), c.Error);
        EXPECT_FALSE(pop->Connected());
        EXPECT_EQ(pop->RemoteInfo().Count(), c.Listed);
        // A refusal is no network failure; a close in the middle of a reply is.
        EXPECT_EQ(errors.size(), c.Error.starts_with("Connection closed before") ? 1u : 0u);
        EXPECT_TRUE(server.WaitUntilEnded(1));
        EXPECT_EQ(quit, c.Quit);

        pop->UpdateInfo();
        EXPECT_EQ(pop->RemoteInfo().Count(), 1);
        EXPECT_EQ(server.Accepted(), 2);
    }
}

// Replies that come in pieces, late, are put together as they come; the commands of the
// following messages go out meanwhile.
TEST(POP3Pipelining, ASlowServerIsListedInFull) {
    constexpr int Count = 30;
    Script script = LoggedIn(Count, Pipelining);
    for (int n = 1; n <= Count; ++n) {
        const std::string top = TopReply(n);
        script.insert(script.end(), {ReadLine(), Delay(2), Send(ListReply(n)), ReadLine(),
                                     Send(top.substr(0, 9)), Delay(2), Send(top.substr(9))});
    }
    AnswerQuit(script);
    ScriptedServer server(script);
    auto pop = ClientFor(server.Address());
    ListingLog log(*pop);
    pop->UpdateInfo();
    ASSERT_EQ(pop->RemoteInfo().Count(), Count);
    for (int32_t i = 0; i < Count; ++i) {
        const TmsRemoteInfoItem& item = *pop->RemoteInfo().Items(i);
        EXPECT_EQ(item.Size, 101 + i);
        EXPECT_EQ(item.Headers.Text(), "Subject: message " + std::to_string(i + 1) + "\r\n" +
                                           (i == 1 ? ".X: dot\r\n" : ""));
    }
    EXPECT_EQ(log.SentBeforeReply, 2 * Count);
    EXPECT_TRUE(server.WaitUntilDone());
}

// A cancel or a time-out while commands are outstanding closes the connection at once, with the
// events and the exception a listing has without pipelining; the next listing logs in afresh.
TEST_F(POP3Silence, ACancelOrATimeOutWithCommandsOutstandingClosesTheSession) {
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancel" : "time-out");
        Script script = LoggedIn(20, Pipelining);
        for (int i = 0; i < 2 * 20; ++i)
            script.push_back(ReadLine());
        for (int n = 1; n <= 5; ++n)
            script.insert(script.end(), {Send(ListReply(n)), Send(TopReply(n))});
        ScriptedServer server(std::vector<Script>{ThenSilent(script), OneMessage()});
        auto pop = ClientFor(server.Address());
        pop->SetTimeOut(120);
        ListingLog log(*pop);
        // Armed once the fifth message is in: the wait for the sixth is the one canceled.
        CancelTimer timer(*pop, false);
        auto next = pop->OnNextInfoUpdated;
        pop->OnNextInfoUpdated = [&](TObject* Sender, int32_t Num) {
            next(Sender, Num);
            if (Num == 4) timer.Arm(cancel);
        };
        if (cancel)
            EXPECT_THROW(pop->UpdateInfo(), ECanceledError);
        else
            EXPECT_THROW(pop->UpdateInfo(), ETimedOutError);
        const Lines end =
            cancel ? Lines{"cancel", "closing", "closed", "error Operation has been canceled"}
                   : Lines{"error Operation timed out", "closing", "closed"};
        ASSERT_GE(log.Events.size(), end.size());
        EXPECT_EQ(Lines(log.Events.end() - static_cast<ptrdiff_t>(end.size()), log.Events.end()),
                  end);
        EXPECT_TRUE(log.Events[log.Events.size() - end.size() - 1].starts_with("next 4 "));
        EXPECT_FALSE(pop->Connected());
        EXPECT_EQ(pop->RemoteInfo().Count(), 5);
        EXPECT_EQ(server.Received().find("QUIT"), std::string::npos);

        pop->UpdateInfo();
        EXPECT_EQ(pop->RemoteInfo().Count(), 1);
    }
}

// The events of a listing but the reply lines, which differ where a failed session is left
// with a QUIT one at a time and dropped with replies owed.
Lines WithoutReplies(const Lines& Events) {
    Lines kept;
    for (const std::string& event : Events)
        if (!event.starts_with("reply ")) kept.push_back(event);
    return kept;
}

// A listing of Count messages, one at a time or ahead, whose server answers each command in
// turn; what Failing names, when set, refuses that command.
struct ListingRun {
    std::string Error;
    Lines Events;
    int32_t Listed = 0;
    std::string QuitReply;  // the line read as the reply to QUIT, where one was sent
};

ListingRun RunListing(
    int Count, bool Ahead, const std::string& Failing,
    const std::function<void(TmsRemotePOP&, const std::string&)>& OnEvent = nullptr) {
    Script script = LoggedIn(Count, Ahead ? Pipelining : Refused);
    for (int n = 1; n <= Count; ++n) {
        const std::string list = "LIST " + std::to_string(n);
        const std::string top = "TOP " + std::to_string(n) + " 1";
        script.insert(script.end(), {ReadLine(), Send(list == Failing ? Refused : ListReply(n)),
                                     ReadLine(), Send(top == Failing ? Refused : TopReply(n))});
    }
    AnswerQuit(script);
    ScriptedServer server(std::vector<Script>{script, OneMessage()});
    auto pop = ClientFor(server.Address());
    ListingLog log(*pop);
    if (OnEvent) log.Then = [&](const std::string& Event) { OnEvent(*pop, Event); };
    ListingRun run;
    bool quitSent = false;
    pop->OnLineSent = [&, sent = pop->OnLineSent](TObject* Sender, const std::string& Line) {
        sent(Sender, Line);
        quitSent = quitSent || Line == "QUIT";
    };
    pop->OnReplyLine = [&, read = pop->OnReplyLine](TObject* Sender, const std::string& Line) {
        read(Sender, Line);
        if (quitSent && run.QuitReply.empty()) run.QuitReply = Line;
    };
    run.Error = ErrorMessageOf<Exception>([&] { pop->UpdateInfo(); });
    run.Events = WithoutReplies(log.Events);
    run.Listed = pop->RemoteInfo().Count();
    EXPECT_FALSE(pop->Connected());
    EXPECT_TRUE(server.WaitUntilEnded(1));
    log.Then = nullptr;
    pop->UpdateInfo();
    EXPECT_EQ(pop->RemoteInfo().Count(), 1);
    return run;
}

// Mailboxes around the window's bounds, and refusals anywhere in one, show the same events,
// values and failures whether the commands go ahead or not.
TEST(POP3Pipelining, EveryMailboxSizeAndRefusalShowsTheSameEventsEitherWay) {
    for (const int count : {2, 63, 64, 65, 80, 129}) {
        for (const std::string& failing :
             Lines{"", "LIST 1", "TOP 1 1", "LIST " + std::to_string(count / 2 + 1),
                   "TOP " + std::to_string(count) + " 1", "LIST " + std::to_string(count)}) {
            SCOPED_TRACE(std::to_string(count) + " messages, refused: " + failing);
            const ListingRun inTurn = RunListing(count, false, failing);
            const ListingRun ahead = RunListing(count, true, failing);
            EXPECT_EQ(ahead.Error, inTurn.Error);
            EXPECT_EQ(ahead.Events, inTurn.Events);
            EXPECT_EQ(ahead.Listed, inTurn.Listed);
        }
    }
}

// A handler of OnNextInfoUpdated or OnProgress that ends the session, throws or empties the
// listing does to a listing sending ahead what it does to one asking in turn, and a QUIT is never
// answered by a reply owed to a command sent ahead.
TEST(POP3Pipelining, AHandlerThatEndsTheSessionDoesTheSameEitherWay) {
    struct Case {
        const char* Name;
        std::function<void(TmsRemotePOP&)> Act;
    };
    const std::vector<Case> cases = {
        {"cancel", [](TmsRemotePOP& Pop) { Pop.Cancel(); }},
        {"close", [](TmsRemotePOP& Pop) { Pop.Close(); }},
        {"disconnect", [](TmsRemotePOP& Pop) { Pop.Disconnect(); }},
        {"throw", [](TmsRemotePOP&) { throw EServerError("stop"); }},
        {"clear", [](TmsRemotePOP& Pop) { Pop.RemoteInfo().Clear(); }},
    };
    for (const Case& c : cases) {
        for (const std::string handler : {"next ", "progress "}) {
            for (const int at : {0, 3, 4}) {
                SCOPED_TRACE(std::string(c.Name) + " from " + handler + std::to_string(at));
                int seen = 0;
                const auto act = [&](TmsRemotePOP& Pop, const std::string& Event) {
                    if (Event.starts_with(handler) && seen++ == at) c.Act(Pop);
                };
                const ListingRun inTurn = RunListing(5, false, "", act);
                seen = 0;
                const ListingRun ahead = RunListing(5, true, "", act);
                EXPECT_EQ(ahead.Error, inTurn.Error);
                EXPECT_EQ(ahead.Events, inTurn.Events);
                EXPECT_EQ(ahead.Listed, inTurn.Listed);
                // Between replies, one at a time, the server is free to take the QUIT.
                for (const ListingRun* run : {&inTurn, &ahead}) {
                    if (run == &inTurn && handler == "next ") continue;
                    EXPECT_TRUE(run->QuitReply == "" || run->QuitReply == "+OK bye")
                        << run->QuitReply;
                }
            }
        }
    }
}

// Only a capability named PIPELINING, in any case, sends commands ahead; a server whose list of
// capabilities never ends times the listing out, and the next logs in afresh.
TEST_F(POP3Silence, OnlyACapabilityNamedPipeliningSendsCommandsAhead) {
    struct Case {
        const char* Name;
        std::string Capabilities;
        bool Ahead;
    };
    for (const Case& c :
         {Case{"in capitals", "+OK\r\nPIPELINING\r\n.\r\n", true},
          Case{"with a blank before it", "+OK\r\nTOP\r\n PIPELINING \r\n.\r\n", true},
          Case{"inside another word", "+OK\r\nXPIPELINING\r\nPIPELININGX\r\n.\r\n", false},
          Case{"as another's argument", "+OK\r\nSASL PLAIN PIPELINING\r\n.\r\n", false},
          Case{"on the status line only", "+OK PIPELINING\r\n.\r\n", false},
          Case{"stuffed", "+OK\r\n..PIPELINING\r\n.\r\n", false}}) {
        SCOPED_TRACE(c.Name);
        Script script = LoggedIn(3, c.Capabilities);
        AnswerInTurn(script, 1, 3);
        AnswerQuit(script);
        ScriptedServer server(script);
        auto pop = ClientFor(server.Address());
        ListingLog log(*pop);
        pop->UpdateInfo();
        EXPECT_EQ(pop->RemoteInfo().Count(), 3);
        EXPECT_EQ(log.SentBeforeReply, c.Ahead ? 6 : 1);
    }
    Script endless = LoggedIn(3, "+OK\r\nTOP\r\n");
    endless.push_back(Silent());
    ScriptedServer server(std::vector<Script>{endless, OneMessage()});
    auto pop = ClientFor(server.Address());
    pop->SetTimeOut(120);
    EXPECT_THROW(pop->UpdateInfo(), ETimedOutError);
    EXPECT_FALSE(pop->Connected());
    pop->UpdateInfo();
    EXPECT_EQ(pop->RemoteInfo().Count(), 1);
}

// A listing started again from a handler while replies are owed can't take the session over:
// it logs in afresh, and the listing it interrupted fails at once rather than wait for its
// replies on the new session or send the rest of its commands there.
TEST(POP3Pipelining, AListingStartedFromAHandlerLeavesASessionThatOwesReplies) {
    struct Case {
        int Count, At;  // At: the message listed when the handler starts the listing again
    };
    // The first as the listing begins; the last before its commands would go out again.
    for (const Case c : {Case{5, 1}, Case{70, 16}}) {
        SCOPED_TRACE(std::to_string(c.Count) + " messages, again at " + std::to_string(c.At));
        Script first = LoggedIn(c.Count, Pipelining);
        AnswerInTurn(first, 1, c.Count);
        ScriptedServer server(std::vector<Script>{first, OneMessage()});
        auto pop = ClientFor(server.Address());
        pop->KeepConnected = true;
        bool nested = false;
        pop->OnNextInfoUpdated = [&](TObject*, int32_t Num) {
            if (Num + 1 != c.At || std::exchange(nested, true)) return;
            pop->UpdateInfo();
        };
        EXPECT_EQ(ErrorMessageOf<Exception>([&] { pop->UpdateInfo(); }),
                  "You have to connect to the server first");
        EXPECT_FALSE(pop->Connected());
        EXPECT_TRUE(server.WaitUntilDone());
        // The failure closes the new session; the one that owed replies was dropped.
        const Lines commands = server.ReceivedLines();
        EXPECT_EQ(std::count(commands.begin(), commands.end(), "QUIT"), 1);
        EXPECT_EQ(commands.back(), "QUIT");
    }
}

// What a relay passes on to a plain client until the connection ends, and how it ends.
std::string ReceivedThrough(const LatencyProxy& Proxy, bool& Reset) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(Proxy.Port());
    EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    std::string received;
    char buffer[256];
    ssize_t n = 0;
    while (WaitForSocket(fd, POLLIN, -1, ScriptedServer::StepTimeout) == WaitOutcome::Ready &&
           (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
        received.append(buffer, static_cast<size_t>(n));
    Reset = n < 0 && errno == ECONNRESET;
    ::close(fd);
    return received;
}

// A relay holds the end of a connection as it holds the data: what a server says before it
// closes or resets the connection still arrives first.
TEST(POP3Relay, WhatComesBeforeTheEndOfAConnectionArrivesBeforeIt) {
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "close");
        ScriptedServer server({SendLine("-ERR go away"), Delay(5), reset ? Reset() : Close()});
        LatencyProxy proxy(server.Port(), std::chrono::milliseconds(20));
        bool wasReset = false;
        EXPECT_EQ(ReceivedThrough(proxy, wasReset), "-ERR go away\r\n");
        EXPECT_EQ(wasReset, reset);
    }
}

}  // namespace
}  // namespace vex
