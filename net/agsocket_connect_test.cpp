#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/agRasCmp.h"
#include "net/agsocket.h"
#include "net/agsocket_testsupport.h"
#include "net/agwsock.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/virtualclock.h"
#include "platform/winsock/wsaerrors.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace vex::test;
using Events = std::vector<std::string>;

TEST(SocketConnect, OpensConnectsAndClosesWithItsEventsInOrder) {
    ScriptedServer server({Silent()});
    auto socket = SocketFor(server.Address());
    EventLog log(*socket);
    socket->Connect();
    socket->ConnectSocket();
    EXPECT_TRUE(socket->Connected());
    EXPECT_EQ(socket->RemoteAddressText, "127.0.0.1");
    EXPECT_FALSE(socket->LocalHost.empty());
    socket->Disconnect();
    EXPECT_FALSE(socket->Connected());
    EXPECT_EQ(log.Events, (Events{"open", "connected", "closing", "closed"}));
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Accepted(), 1);
}

TEST(SocketConnect, AnEmptyServerFailsBeforeAnyNetworkCall) {
    TestSocket socket(nullptr);
    ASSERT_FALSE(socket.WinsockLoaded());  // any call into the library would fail differently
    EventLog log(socket);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket.Connect(); }),
              "Server property is required");
    EXPECT_EQ(log.Events, (Events{"open", "error"}));
    EXPECT_EQ(socket.StartupCount, 0);
}

TEST(SocketConnect, FindsThePortFromTheServerTheServiceOrTheDefaultAndResolvesHostNames) {
    ScriptedServer server({Silent()}, 2);
    {
        auto socket = SocketFor("localhost:" + std::to_string(server.Port()));
        socket->SetServiceName("");  // a lookup would fail with "Service name is required"
        socket->Connect();
        EXPECT_EQ(socket->Port, server.Port());
        EXPECT_EQ(socket->RemoteAddressText, "127.0.0.1");
        socket->ConnectSocket();
        EXPECT_TRUE(socket->Connected());
    }
    {
        auto socket = SocketFor("127.0.0.1:abc");
        socket->SetServiceName("no-such-service-here");
        socket->SetDefaultPort(server.Port());
        socket->Connect();
        EXPECT_EQ(socket->Port, server.Port());
        // The failed lookup leaves nothing behind that would fail the connection.
        socket->ConnectSocket();
        EXPECT_TRUE(socket->Connected());
    }
    {
        auto socket = SocketFor("127.0.0.1");
        socket->SetServiceName("pop3");
        socket->Connect();
        EXPECT_EQ(socket->Port, 110);
    }
    EXPECT_THROW(SocketFor("127.0.0.1:0")->Connect(), ESocketError);  // no service name
}

TEST(SocketConnect, ARefusedConnectionFailsAtOnceNamedByNumberOrByTheErrorTextLibrary) {
    const std::string address = "127.0.0.1:" + std::to_string(RefusingPort());
    {
        auto socket = SocketFor(address);
        EventLog log(*socket);
        socket->Connect();
        EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ConnectSocket(); }), "Error #10061");
        EXPECT_EQ(log.Errors, (Events{"Error #10061"}));
    }
    ErrorTextLibrary library;
    auto socket = SocketFor(address);
    socket->OnError = [](TObject*, std::string& Msg) { Msg = "[" + Msg + "]"; };
    socket->Connect();
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { socket->ConnectSocket(); }),
              "[" + WinsockErrorText(WSAECONNREFUSED) + "]");
}

TEST(SocketConnect, EveryStartupIsMatchedByACleanup) {
    ScriptedServer server({Silent()}, 2);
    auto socket = SocketFor(server.Address());
    socket->Connect();
    socket->ConnectSocket();
    socket->Disconnect();
    socket->ResetState();
    socket->Connect();
    socket->ConnectSocket();
    EXPECT_EQ(socket->StartupCount, 2);
    socket.reset();
    // With every startup undone, the library refuses calls that need one.
    agWinsock().Load();
    EXPECT_EQ(agWinsock().socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(agWinsock().WSAGetLastError(), WSANOTINITIALISED);
    agWinsock().Unload();
}

TEST(SocketConnect, TheLibraryStaysLoadedUnderAnOpenSocket) {
    ScriptedServer server({ReadLine()});
    auto open = ConnectedSocket(server.Address());
    {
        TestSocket other(nullptr);  // writes WinsockLoaded False as it is made
        EXPECT_TRUE(other.WinsockLoaded());
        other.SetWinsockLoaded(false);
        EXPECT_TRUE(open->WinsockLoaded());
    }
    open->SendLine("still here");
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.ReceivedLines(), Events{"still here"});
    open.reset();
    TestSocket last(nullptr);
    EXPECT_FALSE(last.WinsockLoaded());
}

TEST(SocketConnect, TheTranscriptIsWrittenWhenTheComponentIsFreed) {
    TempDir dir;
    const std::string file = dir.File("logs/session.txt");
    ScriptedServer server({SendLine("+OK ready"), ReadLine()});
    {
        auto socket = ConnectedSocket(server.Address());
        socket->SetTranscriptFile(file);
        std::string line;
        socket->ReceiveLine(line);
        socket->SendLine("QUIT");
        EXPECT_EQ(socket->Transcript().Count(), 2);
    }
    const std::string written = ReadWholeFile(file);
    EXPECT_NE(written.find("+OK ready"), std::string::npos);
    EXPECT_LT(written.find("+OK ready"), written.find("QUIT"));
}

class SocketDialUp : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};
    TScriptedDialup service;
};

TEST_F(SocketDialUp, DialsBeforeConnectingAndHangsUpAtDisconnect) {
    service.AddEntry({.Name = "Provider", .Script = ConnectingScript(100)});
    ScriptedServer server({Silent()});
    TagRas ras(nullptr);
    ras.SetService("Provider");
    auto socket = SocketFor(server.Address());
    socket->SetRAS(&ras);
    EventLog log(*socket);
    socket->Connect();
    ASSERT_EQ(service.Dials().size(), 1u);
    EXPECT_EQ(log.Events, Events{"open"});
    socket->ConnectSocket();
    socket->Disconnect();
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{service.Dials()[0].Handle});
    socket->SetRAS(nullptr);
}

TEST_F(SocketDialUp, TheDialUpReferenceIsClearedWhenThatComponentIsFreed) {
    auto ras = std::make_unique<TagRas>(nullptr);
    TestSocket socket(nullptr);
    socket.SetRAS(ras.get());
    ras.reset();
    EXPECT_EQ(socket.RAS(), nullptr);
}

}  // namespace
}  // namespace vex
