#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "net/agsocket.h"
#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "platform/core/stream.h"
#include "platform/win/application.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

TEST(SocketReceiveLine, ReadsLinesAndTheirCodesFromOneSegmentOrMany) {
    ScriptedServer server({Send("+OK ready\r\n250 done\r\n"), Delay(20), Send("3"), Delay(20),
                           Send("54 partial\r"), Delay(20), Send("\n")});
    auto socket = ConnectedSocket(server.Address());
    Lines seen;
    socket->OnReplyLine = [&](TObject*, const std::string& Line) { seen.push_back(Line); };
    std::string line;
    EXPECT_EQ(socket->ReceiveLine(line), -1);
    EXPECT_EQ(line, "+OK ready");
    EXPECT_EQ(socket->ReceiveLine(line), 250);
    EXPECT_EQ(line, "250 done");
    EXPECT_EQ(socket->ReceiveLine(line), 354);
    EXPECT_EQ(line, "354 partial");
    EXPECT_EQ(seen, (Lines{"+OK ready", "250 done", "354 partial"}));
}

TEST(SocketReceiveLine, APartialLineBeforeTheServerClosesGivesMinusOne) {
    ScriptedServer server({Send("+OK par"), Close()});
    std::string line;
    EXPECT_EQ(ConnectedSocket(server.Address())->ReceiveLine(line), -1);
    EXPECT_EQ(line, "+OK par");
}

TEST(SocketReceiveLine, LinesUpTo64KiBComeBackWholeAndLongerOnesFail) {
    const std::string longest(MaxReplyLineLength, 'a');
    ScriptedServer server({Send(longest + "\r\n" + longest + "b\r\n")});
    auto socket = ConnectedSocket(server.Address());
    EventLog log(*socket);
    std::string line;
    socket->ReceiveLine(line);
    EXPECT_EQ(line, longest);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveLine(line); }),
              "Reply line longer than 65536 bytes");
    EXPECT_EQ(log.Errors, Lines{"Reply line longer than 65536 bytes"});
    EXPECT_FALSE(socket->Connected());
}

TEST(SocketReceiveLine, AConnectionResetIsClosedBeforeTheErrorIsRaised) {
    ScriptedServer server({Delay(20), Reset()});
    auto socket = ConnectedSocket(server.Address());
    EventLog log(*socket);
    std::string line;
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveLine(line); }), "Error #10054");
    EXPECT_EQ(log.Events, (Lines{"error", "closing", "closed"}));
    EXPECT_FALSE(socket->Connected());

    TestSocket unconnected(nullptr);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { unconnected.ReceiveLine(line); }),
              "You have to connect to the server first");
}

TEST(SocketReceiveReply, ReadsEveryLineOfAMultiLineReplyAndEndsWhenTheServerCloses) {
    ScriptedServer server({Send("250-first\r\n250-second\r\n"), Delay(20),
                           Send("250 last\r\n220 next\r\n"), Send("250-cut\r\n"), Close()});
    auto socket = ConnectedSocket(server.Address());
    EXPECT_EQ(socket->ReceiveReply(), 250);
    EXPECT_EQ(socket->LastReply, "250 last");
    EXPECT_EQ(socket->ReceiveReply(), 220);
    EXPECT_EQ(socket->LastReply, "220 next");
    EXPECT_EQ(socket->ReceiveReply(), 250);
    EXPECT_TRUE(socket->PeerClosed);
}

TEST(SocketReceiveReply, ANotificationThatCameWhileLinesWereBufferedIsNotLost) {
    // The last line arrives while the first two still wait in the input, and a handler lets the
    // loop run, so its read notification is handled before the buffered lines are used up.
    ScriptedServer server({Send("250-a\r\n250-b\r\n"), Delay(10), SendLine("250")});
    auto socket = ConnectedSocket(server.Address());
    socket->SetTimeOut(2);
    socket->OnReplyLine = [](TObject*, const std::string& Line) {
        if (Line != "250-a") return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Application().ProcessMessages();
    };
    EXPECT_EQ(socket->ReceiveReply(), 250);
    EXPECT_EQ(socket->LastReply, "250");  // a bare code also ends the reply
}

TEST(SocketReceiveReply, AReplyThatNeverEndsIsCutOffAndClosesTheConnection) {
    std::string endless;
    for (int32_t i = 0; i < MaxReplyLines + 5; ++i)
        endless += "220-more\r\n";
    ScriptedServer server({Send(endless), Silent()});
    auto socket = ConnectedSocket(server.Address());
    std::string seen;
    socket->OnError = [&](TObject*, std::string& Msg) { seen = Msg; };
    EXPECT_THROW(socket->ReceiveReply(), ESocketError);
    EXPECT_EQ(seen, "Reply longer than 100 lines");
    EXPECT_FALSE(socket->Connected());
}

TEST(SocketReceiveMessage, ReadsUpToTheDotLineAndLeavesWhatFollows) {
    struct Case {
        const char* Name;
        Script Steps;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {"one segment", {Send("a\r\n..b\r\n.\r\n+OK next\r\n")}, "a\r\n..b\r\n.\r\n"},
        {"end mark split",
         {Send("a\r"), Delay(20), Send("\n."), Delay(20), Send("\r\n+OK next\r\n")},
         "a\r\n.\r\n"},
        {"lone dot line", {Send(".\r\n+OK next\r\n")}, ".\r\n"},
        {"lone dot line split", {Send("."), Delay(20), Send("\r\n+OK next\r\n")}, ".\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(c.Steps);
        auto socket = ConnectedSocket(server.Address());
        TStringStream message("");
        socket->ReceiveMessage(-1, message);
        EXPECT_EQ(message.DataString(), c.Message);
        std::string line;
        socket->ReceiveLine(line);
        EXPECT_EQ(line, "+OK next");
    }
}

TEST(SocketReceiveMessage, ReportsProgressAgainstTheExpectedSize) {
    const std::string body = std::string(98, 'x') + "\r\n.\r\n";
    ScriptedServer server({Send(body.substr(0, 50)), Delay(200), Send(body.substr(50))});
    auto socket = ConnectedSocket(server.Address());
    std::vector<std::pair<int32_t, int32_t>> progress;
    socket->OnProgress = [&](TObject*, int32_t Perc, int32_t Transferred) {
        progress.emplace_back(Perc, Transferred);
    };
    TStringStream message("");
    socket->ReceiveMessage(100, message);
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0], std::make_pair(0, 0));
    EXPECT_EQ(progress[1], std::make_pair(50, 50));
}

TEST(SocketReceiveMessage, FailsAtOnceWhenTheServerClosesOrResetsMidMessage) {
    for (const ScriptStep& end : {Close(), Reset()}) {
        ScriptedServer server({Send("half a message\r\n"), Delay(20), end});
        auto socket = ConnectedSocket(server.Address());
        EventLog log(*socket);
        TStringStream message("");
        EXPECT_THROW(socket->ReceiveMessage(-1, message), ESocketError);
        EXPECT_EQ(log.Errors.size(), 1u);
    }
}

TEST(SocketReceiveMessage, RefusesAMessageLargerThanTheCap) {
    ScriptedServer server({Send(std::string(200, 'x') + "\r\n.\r\n")});
    auto socket = ConnectedSocket(server.Address());
    socket->SetMaxMessageSize(100);
    TStringStream message("");
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveMessage(-1, message); }),
              "Message longer than 100 bytes");
    EXPECT_FALSE(socket->Connected());
}

TEST(SocketReceiveData, ReadsACountOfBytesLeavingTheRestOrWithoutACountAllUntilTheClose) {
    const std::string rest = std::string(40000, 'y') + "end";
    ScriptedServer server({Send("0123456789+OK\r\n"), Delay(20), Send(rest), Close()});
    auto socket = ConnectedSocket(server.Address());
    EventLog log(*socket);
    TStringStream data("");
    socket->ReceiveData(10, data);
    EXPECT_EQ(data.DataString(), "0123456789");
    EXPECT_EQ(log.Events, Lines{"closed"});
    std::string line;
    socket->ReceiveLine(line);
    EXPECT_EQ(line, "+OK");
    TStringStream all("");
    socket->ReceiveData(-1, all);
    EXPECT_EQ(all.DataString(), rest);
}

TEST(SocketReceiveData, ACountOfZeroReturnsWithoutWaiting) {
    TVirtualClock clock;
    TClockOverride useClock(clock);
    ScriptedServer server({Silent()});
    auto socket = ConnectedSocket(server.Address());
    const int64_t before = clock.TickMilliseconds();
    TStringStream data("");
    socket->ReceiveData(0, data);
    EXPECT_EQ(clock.TickMilliseconds(), before);
    EXPECT_EQ(data.DataString(), "");
}

TEST(SocketReceiveData, AConnectionClosedEarlyIsAnError) {
    ScriptedServer server({Send("12345"), Close()});
    auto socket = ConnectedSocket(server.Address());
    EventLog log(*socket);
    TStringStream data("");
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveData(10, data); }),
              "Connection closed after 5 of 10 bytes");
    EXPECT_EQ(data.DataString(), "12345");
}

// Waits on a virtual clock, so time-outs of a minute pass at once.
class SocketSilence : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};
};

TEST_F(SocketSilence, ReceiveLineTimesOutAfterTimeOutSecondsWithoutProgress) {
    ScriptedServer server({Send("+OK no line feed"), Silent()});
    auto socket = ConnectedSocket(server.Address());
    socket->SetTimeOut(60);
    EventLog log(*socket);
    std::string line;
    const int64_t start = clock.TickMilliseconds();
    EXPECT_THROW(socket->ReceiveLine(line), ETimedOutError);
    const int64_t waited = clock.TickMilliseconds() - start;
    EXPECT_GE(waited, 59000);
    EXPECT_LE(waited, 62000);
    EXPECT_EQ(log.Events, (Lines{"error", "closing", "closed"}));
    EXPECT_EQ(log.Errors, Lines{"Operation timed out"});
    EXPECT_FALSE(socket->Connected());
}

TEST_F(SocketSilence, ReceiveDataTimesOutWhenTheServerStalls) {
    ScriptedServer server({Send("12345"), Silent()});
    auto socket = ConnectedSocket(server.Address());
    TStringStream data("");
    EXPECT_THROW(socket->ReceiveData(10, data), ETimedOutError);
    EXPECT_EQ(data.DataString(), "12345");
}

TEST_F(SocketSilence, ACancelFromATimerEndsTheWait) {
    ScriptedServer server({Silent()});
    auto socket = ConnectedSocket(server.Address());
    EventLog log(*socket);
    TTimer timer(nullptr);
    timer.SetInterval(500);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        socket->Cancel();
    };
    std::string line;
    EXPECT_THROW(socket->ReceiveLine(line), ECanceledError);
    EXPECT_EQ(log.Events, (Lines{"cancel", "closing", "closed", "error"}));
    EXPECT_EQ(log.Errors, Lines{"Operation has been canceled"});
    EXPECT_FALSE(socket->Connected());
    EXPECT_TRUE(socket->Canceled);
}

}  // namespace
}  // namespace vex
