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

TEST(SocketReceive, ReadsLinesRepliesMessagesAndDataAsTheServerSendsThem) {
    for (const TestBlock& c : ReadBlocks(VEX_TEST_DIR "/testdata/socket_receive.txt")) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(ScriptOf(c.Parts.at(0)));
        auto socket = ConnectedSocket(server.Address());
        EventLog log(*socket);
        for (const std::string& line : c.Parts.at(1)) {
            SCOPED_TRACE(line);
            const TestCase expected = CaseOf(line);
            const std::string& read = expected[0];
            std::string text;
            const auto receive = [&] {
                if (read.ends_with("line")) return socket->ReceiveLine(text);
                const int32_t code = read.ends_with("reply") ? socket->ReceiveReply() : 0;
                TStringStream data("");
                if (read.ends_with("message")) socket->ReceiveMessage(-1, data);
                if (read.ends_with("data")) socket->ReceiveData(expected.Int(1), data);
                text = read.ends_with("reply") ? socket->LastReply : data.DataString();
                return code;
            };
            if (read.starts_with("fails")) {
                EXPECT_EQ(ErrorMessageOf<ESocketError>(receive), expected.Fields.back());
                continue;
            }
            Lines seen{read};
            if (read == "events") {
                seen.push_back(log.Names());
            } else if (read == "connected" || read == "peer-closed") {
                const bool state = read == "connected" ? socket->Connected() : socket->PeerClosed;
                seen.push_back(state ? "yes" : "no");
            } else {
                const int32_t code = receive();
                if (read != "message")
                    seen.push_back(read == "data" ? expected[1] : std::to_string(code));
                if (expected.size() > 2 || read == "message") seen.push_back(text);
            }
            EXPECT_EQ(seen, expected.Fields);
        }
    }
}

TEST(SocketReceive, CutsOffOverlongLinesRepliesAndMessagesAndClosesTheConnection) {
    const std::string longest(MaxReplyLineLength, 'a');
    std::string endless;
    for (int32_t i = 0; i < MaxReplyLines + 5; ++i)
        endless += "220-more\r\n";
    ScriptedServer server(std::vector<Script>{{Send(longest + "\r\n" + longest + "b\r\n")},
                                              {Send(endless), Silent()},
                                              {Send(std::string(200, 'x') + "\r\n.\r\n")}});
    auto socket = ConnectedSocket(server.Address());
    EventLog log(*socket);
    std::string line;
    socket->ReceiveLine(line);
    EXPECT_EQ(line, longest);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveLine(line); }),
              "Reply line longer than 65536 bytes");
    EXPECT_EQ(log.Names(), "closing closed error");
    socket = ConnectedSocket(server.Address());
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveReply(); }),
              "Reply longer than 100 lines");
    EXPECT_FALSE(socket->Connected());
    socket = ConnectedSocket(server.Address());
    socket->SetMaxMessageSize(100);
    TStringStream message("");
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveMessage(-1, message); }),
              "Message longer than 100 bytes");
    EXPECT_FALSE(socket->Connected());
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ReceiveLine(line); }),
              "You have to connect to the server first");
}

TEST(SocketReceive, ANotificationThatCameWhileLinesWereBufferedIsNotLost) {
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

TEST(SocketReceive, ReportsMessageProgressAndReadsDataOfManyBuffersUntilTheClose) {
    const std::string body = std::string(98, 'x') + "\r\n.\r\n";
    const std::string rest = std::string(40000, 'y') + "end";
    ScriptedServer server({Send(body.substr(0, 50)), Delay(200), Send(body.substr(50)), Delay(100),
                           Send(rest), Close()});
    auto socket = ConnectedSocket(server.Address());
    Progress progress;
    RecordProgress(*socket, progress);
    TStringStream message("");
    socket->ReceiveMessage(100, message);
    EXPECT_EQ(progress, (Progress{{0, 0}, {50, 50}}));
    TStringStream all("");
    socket->ReceiveData(-1, all);
    EXPECT_EQ(all.DataString(), rest);
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
    EXPECT_GE(clock.TickMilliseconds() - start, 59000);
    EXPECT_LE(clock.TickMilliseconds() - start, 62000);
    EXPECT_EQ(log.Names(), "error closing closed");
    EXPECT_EQ(log.Errors, Lines{"Operation timed out"});
}

TEST_F(SocketSilence, ReceiveDataOfNothingReturnsAtOnceAndAStalledOneTimesOutKeepingWhatCame) {
    ScriptedServer server({Send("12345"), Silent()});
    auto socket = ConnectedSocket(server.Address());
    TStringStream data("");
    const int64_t start = clock.TickMilliseconds();
    socket->ReceiveData(0, data);
    EXPECT_EQ(clock.TickMilliseconds(), start);
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
    EXPECT_EQ(log.Names(), "cancel closing closed error");
    EXPECT_EQ(log.Errors, Lines{"Operation has been canceled"});
    EXPECT_TRUE(socket->Canceled);
}

}  // namespace
}  // namespace vex
