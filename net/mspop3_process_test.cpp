#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/mspop3.h"
#include "net/mspop3_testsupport.h"
#include "platform/core/files.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

const std::string StuffedOnTheWire = "Subject: dots\r\n\r\n..hidden\r\n..\r\nend\r\n.\r\n";
const std::string StuffedAsStored = "Subject: dots\r\n\r\n.hidden\r\n.\r\nend\r\n.\r\n";

// What the server says of message Number when it is read again before a retrieval or deletion.
Script Current(int Number, int Size, const std::string& Subject) {
    const std::string n = std::to_string(Number);
    return Steps({Answer("+OK " + n + " uid-" + n),
                  Answer("+OK " + n + " " + std::to_string(Size)),
                  {ReadLine(), Send("+OK\r\nSubject: " + Subject + "\r\n\r\nbody\r\n.\r\n")}});
}

Script Retrieved(int Number, int Size, const std::string& Wire) {
    const std::string n = std::to_string(Number);
    return Steps(
        {Answer("+OK " + n + " " + std::to_string(Size)), {ReadLine(), Send("+OK\r\n" + Wire)}});
}

// An item as the listing left it.
void AddListed(TmsRemotePOP& Pop, int32_t Size, const std::string& Subject) {
    auto item = std::make_unique<TmsRemoteInfoItem>();
    item->Size = Size;
    item->Headers.Add("Subject: " + Subject);
    Pop.RemoteInfo().Add(std::move(item));
}

TEST(POP3ProcessMarked, AnEmptyListingDoesNotConnect) {
    ScriptedServer server({SendLine("+OK")});
    auto pop = ClientFor(server.Address());
    Recorder log(*pop);
    pop->ProcessMarked();
    EXPECT_TRUE(log.Events.empty());
    EXPECT_EQ(server.Accepted(), 0);
}

TEST(POP3ProcessMarked, ChecksEachMarkedMessageThenRetrievesOrDeletesItInOrder) {
    ScriptedServer server(
        Steps({Login(3), Current(1, 50, "one"), Retrieved(1, 50, StuffedOnTheWire),
               Current(2, 60, "two"), Answer("+OK deleted"), Answer("+OK bye")}));
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    AddListed(*pop, 60, "two");
    AddListed(*pop, 70, "three");
    pop->MarkForRetrieve(0);
    pop->MarkForDelete(1);
    Recorder log(*pop);
    pop->ProcessMarked();

    EXPECT_EQ(log.Events, (Lines{"open", "transferring", "retrieving 0", "save 0", "retrieved 0",
                                 "deleting 1", "transfered", "closing", "closed"}));
    EXPECT_EQ(server.ReceivedLines(),
              (Lines{"USER alice", "PASS s3cret", "STAT", "UIDL 1", "LIST 1", "TOP 1 1", "LIST 1",
                     "RETR 1", "UIDL 2", "LIST 2", "TOP 2 1", "DELE 2", "QUIT"}));
    EXPECT_EQ(log.Saved, Lines{StuffedAsStored});
    EXPECT_EQ(pop->RemoteInfo().Items(0)->UIDL, "uid-1");
    EXPECT_EQ(pop->RemoteInfo().Items(1)->UIDL, "uid-2");
    EXPECT_EQ(pop->RemoteInfo().Items(2)->UIDL, "");
}

TEST(POP3ProcessMarked, AMessageMarkedTwiceIsCheckedBeforeEachStep) {
    ScriptedServer server(Steps({Login(1), Current(1, 50, "one"), Retrieved(1, 50, ".\r\n"),
                                 Current(1, 50, "one"), Answer("+OK deleted"), Answer("+OK")}));
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    pop->MarkForRetrieve(0);
    pop->MarkForDelete(0);
    Recorder log(*pop);
    pop->ProcessMarked();
    EXPECT_EQ(log.Events, (Lines{"open", "transferring", "retrieving 0", "save 0", "retrieved 0",
                                 "deleting 0", "transfered", "closing", "closed"}));
    EXPECT_EQ(log.Saved, Lines{".\r\n"});
}

// The file is written only where no handler takes the message.
TEST(POP3ProcessMarked, TheMessageGoesToTheHandlerOrElseToItsFileInTheDirectory) {
    for (const bool handler : {false, true}) {
        SCOPED_TRACE(handler);
        TempDir dir;
        ScriptedServer server(Steps(
            {Login(1), Current(1, 50, "one"), Retrieved(1, 50, StuffedOnTheWire), Answer("+OK")}));
        auto pop = ClientFor(server.Address());
        pop->SetMessageDirectory(dir.Path());
        AddListed(*pop, 50, "one");
        pop->MarkForRetrieve(0);
        std::unique_ptr<Recorder> log;
        if (handler) log = std::make_unique<Recorder>(*pop);
        pop->ProcessMarked();
        if (handler) {
            EXPECT_EQ(log->Saved, Lines{StuffedAsStored});
            EXPECT_FALSE(FileExists(dir.File("msg_0.eml")));
        } else {
            EXPECT_EQ(ReadWholeFile(dir.File("msg_0.eml")), StuffedAsStored);
        }
    }
}

TEST(POP3ProcessMarked, MessagesThatChangedAreLeftAloneAndNamedAfterThePass) {
    ScriptedServer server(Steps({Login(3), Current(1, 51, "one"), Current(2, 60, "other"),
                                 Current(3, 70, "three"), Answer("+OK deleted"), Answer("+OK")}));
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    AddListed(*pop, 60, "two");
    AddListed(*pop, 70, "three");
    pop->MarkForDelete(0);
    pop->MarkForRetrieve(1);
    pop->MarkForDelete(1);
    pop->MarkForDelete(2);
    Recorder log(*pop);
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->ProcessMarked(); }),
              "Messages changed on the server and were left alone: 1, 2");
    EXPECT_EQ(log.Events,
              (Lines{"open", "transferring", "deleting 2", "transfered", "closing", "closed"}));
    const Lines lines = server.ReceivedLines();
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"DELE 3", "QUIT"}));
    EXPECT_EQ(pop->RemoteInfo().Items(0)->UIDL, "");
    EXPECT_EQ(pop->RemoteInfo().Items(1)->UIDL, "");
    EXPECT_EQ(pop->RemoteInfo().Items(2)->UIDL, "uid-3");
}

TEST(POP3ProcessMarked, ARefusedUIDLIsNoError) {
    ScriptedServer server(Steps({Login(1),
                                 Answer("-ERR no UIDL"),
                                 Answer("+OK 1 50"),
                                 {ReadLine(), Send("+OK\r\nSubject: one\r\n\r\nbody\r\n.\r\n")},
                                 Answer("+OK deleted"),
                                 Answer("+OK")}));
    auto pop = ClientFor(server.Address());
    AddListed(*pop, 50, "one");
    pop->MarkForDelete(0);
    pop->ProcessMarked();
    EXPECT_EQ(pop->RemoteInfo().Items(0)->UIDL, "");
    EXPECT_EQ(server.ReceivedLines().back(), "QUIT");
}

// A refused step ends the pass at once and leaves the connection for the caller to close.
TEST(POP3ProcessMarked, ARefusedRETROrDELEFailsWithTheReplyAndNothingIsReportedDone) {
    struct Case {
        const char* Name;
        bool Retrieve;
        Script Failing;
        Lines Events;
    };
    const std::vector<Case> cases = {
        {"RETR",
         true,
         Steps({Answer("+OK 1 50"), Answer("-ERR message locked")}),
         {"open", "transferring", "retrieving 0"}},
        {"DELE", false, Answer("-ERR message locked"), {"open", "transferring", "deleting 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(Steps({Login(1), Current(1, 50, "one"), c.Failing}));
        auto pop = ClientFor(server.Address());
        AddListed(*pop, 50, "one");
        if (c.Retrieve)
            pop->MarkForRetrieve(0);
        else
            pop->MarkForDelete(0);
        Recorder log(*pop);
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { pop->ProcessMarked(); }),
                  "-ERR message locked");
        EXPECT_EQ(log.Events, c.Events);
        EXPECT_TRUE(log.Saved.empty());
        EXPECT_TRUE(pop->Connected());
    }
}

TEST(POP3ProcessMarked, ACancelFromATimerDuringARetrievalClosesAtOnce) {
    TVirtualClock clock;
    TClockOverride useClock(clock);
    ScriptedServer server(Steps({Login(1),
                                 Current(1, 50, "one"),
                                 Answer("+OK 1 50"),
                                 {ReadLine(), Send("+OK\r\npart"), Silent()}}));
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
    pop->OnRetrieving = [&, record = pop->OnRetrieving](TObject* Sender, int32_t Num) {
        record(Sender, Num);
        timer.SetEnabled(true);
    };
    EXPECT_THROW(pop->ProcessMarked(), ECanceledError);
    EXPECT_EQ(log.Events, (Lines{"open", "transferring", "retrieving 0", "cancel", "closing",
                                 "closed", "error Operation has been canceled"}));
    EXPECT_FALSE(pop->Connected());
}

TEST(POP3Unstuffing, StripsTheFirstDotOfStuffedLinesOnly) {
    EXPECT_EQ(UnstuffMessage(".\r\n"), ".\r\n");
    EXPECT_EQ(UnstuffMessage("a\r\n...\r\n.b\r\n.\r\n"), "a\r\n..\r\nb\r\n.\r\n");
    EXPECT_EQ(UnstuffMessage("a.b\r\n.\r\n"), "a.b\r\n.\r\n");
    EXPECT_EQ(UnstuffMessage(""), "");
    EXPECT_EQ(UnstuffMessage(".."), ".");
}

}  // namespace
}  // namespace vex
