#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/agRasCmp.h"
#include "net/agsocket_testsupport.h"
#include "net/agwhois.h"
#include "net/agwsock.h"
#include "net/componentexceptions.h"
#include "net/transcript.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/application.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "platform/winsock/wsaerrors.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

TEST(SocketConnect, ConnectsWithItsEventsInOrderKeepsTheLibraryWhileOpenAndCleansUpAfter) {
    ScriptedServer server({Silent()}, 2);
    auto socket = SocketFor(server.Address());
    EventLog log(*socket);
    for (int i = 0; i < 2; ++i) {
        socket->ResetState();
        socket->Connect();
        socket->ConnectSocket();
        TestSocket(nullptr).SetWinsockLoaded(false);  // as every component does when made
        EXPECT_TRUE(socket->WinsockLoaded());
        socket->Disconnect();
    }
    EXPECT_EQ(log.Names(), "open connected closing closed open connected closing closed");
    EXPECT_EQ(socket->StartupCount, 2);
    socket.reset();
    // With every startup undone, the library refuses calls that need one.
    agWinsock().Load();
    EXPECT_EQ(agWinsock().socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(agWinsock().WSAGetLastError(), WSANOTINITIALISED);
    agWinsock().Unload();
    EXPECT_FALSE(TestSocket(nullptr).WinsockLoaded());

    TestSocket empty(nullptr);  // without the library: any call into it would fail differently
    EventLog emptyLog(empty);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { empty.Connect(); }),
              "Server property is required");
    EXPECT_EQ(emptyLog.Names(), "open error");
}

TEST(SocketConnect, TakesThePortFromTheServerTheServiceOrTheDefaultAndNamesARefusal) {
    ScriptedServer server({Silent()}, 2);
    const std::string port = std::to_string(server.Port());
    const std::string refusing = std::to_string(RefusingPort());
    // The server, the service name, then the port found and the error of connecting to it.
    const std::vector<Lines> cases = {{"localhost:" + port, "", port, "no error"},
                                      {"127.0.0.1:abc", "no-such-service-here", port, "no error"},
                                      {"127.0.0.1", "pop3", "110", ""},  // not connected to
                                      {"127.0.0.1:" + refusing, "", refusing, "[Error #10061]"}};
    for (const Lines& c : cases) {
        auto socket = SocketFor(c[0]);
        socket->SetServiceName(c[1]);  // an empty one would fail any lookup
        socket->SetDefaultPort(server.Port());
        socket->OnError = [](TObject*, std::string& Msg) { Msg = "[" + Msg + "]"; };
        socket->Connect();
        EXPECT_EQ(socket->RemoteAddressText, "127.0.0.1");
        const auto connect = [&] { socket->ConnectSocket(); };
        const std::string error = c[3].empty() ? "" : ErrorMessageOf<ESocketError>(connect);
        EXPECT_EQ((Lines{c[0], c[1], std::to_string(socket->Port), error}), c);
    }
    EXPECT_THROW(SocketFor("127.0.0.1:0")->Connect(), ESocketError);  // no service name
    RegisterWinsockErrorTextModule();
    auto socket = SocketFor("127.0.0.1:" + refusing);
    socket->Connect();
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ConnectSocket(); }),
              WinsockErrorText(WSAECONNREFUSED));
    UnregisterModule("wserr32.dll");
}

TEST(SocketSend, SendsLinesAndWholeStreamsWithProgressAndALargeLineWithoutSpinning) {
    std::string body;
    for (int i = 0; body.size() < 5000; ++i)
        body += "line " + std::to_string(i) + "\r\n";
    const std::string large(4 * 1024 * 1024, 'z');
    ScriptedServer server({SendLine("+OK"), ReadLine(), ReadBytes(body.size()), Delay(100),
                           ReadBytes(large.size() + 2)});
    TempDir dir;
    const std::string transcript = dir.File("logs/session.txt");  // the folder is made
    auto socket = ConnectedSocket(server.Address());
    socket->SetTranscriptFile(transcript);
    Progress progress;
    RecordProgress(*socket, progress);
    std::string line;
    socket->ReceiveLine(line);
    socket->SendLine("");
    TStringStream stream(body);
    stream.SetPosition(stream.Size());
    socket->SendStream(stream);
    const int32_t size = static_cast<int32_t>(body.size());
    EXPECT_EQ(progress, (Progress{{41, 2047}, {82, 4094}, {100, size}, {0, 0}}));
    socket->SendLine(large);
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received(), "\r\n" + body + large + "\r\n");

    // An empty stream reports an unknown share instead of dividing by zero.
    progress.clear();
    TStringStream empty("");
    socket->SendStream(empty);
    EXPECT_EQ(progress, (Progress{{-1, 0}, {0, 0}}));
    socket.reset();
    EXPECT_EQ(ReadWholeFile(transcript), "+OK\r\n\r\nSuppressing the message body\r\n" + large +
                                             "\r\nSuppressing the message body\r\n");
    TStringList lines;
    lines.Add("QUIT");
    WriteTranscript(lines, transcript);
    EXPECT_EQ(ReadWholeFile(transcript), "QUIT\r\n");  // replaced, not appended to
    // A file standing where the folder should be.
    EXPECT_THROW(WriteTranscript(lines, transcript + "/x"), EInOutError);
}

TEST(SocketDialUp, DialsBeforeOpeningHangsUpAtDisconnectAndForgetsAFreedDialer) {
    // On a descendant, whose own state must be freed with it as well.
    TVirtualClock clock;
    TClockOverride useClock(clock);
    TScriptedDialup service;
    service.AddEntry({.Name = "Provider", .Script = ConnectingScript(100)});
    ScriptedServer server({Silent()});
    auto ras = std::make_unique<TagRas>(nullptr);
    ras->SetService("Provider");
    auto socket = SocketFor<TagWhoIs>(server.Address());
    socket->SetRAS(ras.get());
    EventLog log(*socket);
    socket->Connect();
    ASSERT_EQ(service.Dials().size(), 1u);
    EXPECT_EQ(log.Names(), "open");
    socket->ConnectSocket();
    socket->Disconnect();
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{service.Dials()[0].Handle});
    ras.reset();
    EXPECT_EQ(socket->RAS(), nullptr);
}

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

// A line that never ends and data that stall time out after TimeOut seconds without progress,
// keeping what came; a cancel from a timer ends the wait at once. Either closes the socket.
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
        EventLog log(*socket);
        TTimer timer(nullptr);
        timer.SetInterval(500);
        timer.SetEnabled(read == "cancel");
        timer.OnTimer = [&](TObject*) { socket->Cancel(); };
        std::string line;
        EXPECT_ANY_THROW(read == "data" ? socket->ReceiveData(10, data)
                                        : (void)socket->ReceiveLine(line));
        const bool canceled = read == "cancel";
        EXPECT_EQ(log.Names(), canceled ? "cancel closing closed error" : "error closing closed");
        EXPECT_EQ(log.Errors,
                  Lines{canceled ? "Operation has been canceled" : "Operation timed out"});
        // On a busy machine the five bytes may come after the clock has moved on a little, and
        // their coming starts the minute again.
        EXPECT_NEAR(clock.TickMilliseconds() - start, canceled ? 500 : 60000,
                    canceled ? 2000 : 10000);
        EXPECT_EQ(data.DataString(), read == "data" ? "12345" : "");
    }
}

}  // namespace
}  // namespace vex
