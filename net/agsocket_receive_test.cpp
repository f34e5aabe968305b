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
            if (read == "max-message-size") {
                socket->SetMaxMessageSize(expected.Int(1));
                continue;
            }
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

// A line that never ends and data that stall time out after TimeOut seconds without progress; a
// cancel from a timer ends the wait at once. Either closes the socket after OnError.
TEST(SocketSilence, ATimeOutOrACancelEndsTheWaitAndClosesTheSocket) {
    TVirtualClock clock;  // a time-out of a minute passes at once
    TClockOverride useClock(clock);
    ScriptedServer server({Send("12345"), Silent()}, 3);
    for (const std::string read : {"line", "data", "cancel"}) {
        SCOPED_TRACE(read);
        auto socket = ConnectedSocket(server.Address());
        socket->SetTimeOut(60);
        TStringStream data("");
        const int64_t start = clock.TickMilliseconds();
        socket->ReceiveData(0, data);  // returns at once
        EXPECT_EQ(clock.TickMilliseconds(), start);
        EventLog log(*socket);
        TTimer timer(nullptr);
        timer.SetInterval(500);
        timer.SetEnabled(read == "cancel");
        timer.OnTimer = [&](TObject*) { socket->Cancel(); };
        std::string line;
        try {
            read == "data" ? socket->ReceiveData(10, data) : (void)socket->ReceiveLine(line);
            ADD_FAILURE() << "the wait did not end with an error";
        } catch (const ECanceledError&) {
            EXPECT_EQ(read, "cancel");
            EXPECT_EQ(log.Names(), "cancel closing closed error");
            EXPECT_EQ(log.Errors, Lines{"Operation has been canceled"});
            EXPECT_TRUE(socket->Canceled);
        } catch (const ETimedOutError&) {
            EXPECT_NE(read, "cancel");
            EXPECT_NEAR(clock.TickMilliseconds() - start, 60000, 2000);
            EXPECT_EQ(log.Names(), "error closing closed");
            EXPECT_EQ(log.Errors, Lines{"Operation timed out"});
            EXPECT_EQ(data.DataString(), read == "data" ? "12345" : "");
        }
    }
}

}  // namespace
}  // namespace vex
