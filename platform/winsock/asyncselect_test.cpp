#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/winsock/winsock.h"
#include "tests/support/messagepump.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/udpserver.h"

namespace vex {
namespace {

using namespace vex::test;
using namespace std::chrono_literals;

constexpr UINT kSocketMessage = WM_USER + 150;
using Note = std::pair<int, int>;  // event, error

sockaddr_in Loopback(uint16_t Port) {
    return {AF_INET, htons(Port), {inet_addr("127.0.0.1")}, {}};
}

// A started library, a window for the notifications and one socket that selects them.
class AsyncSelect : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override { WSACleanup(); }  // closes the socket too

    void Open(int32_t Events, int Type = SOCK_STREAM) {
        FSocket = socket(AF_INET, Type, 0);
        ASSERT_NE(FSocket, INVALID_SOCKET);
        ASSERT_EQ(WSAAsyncSelect(FSocket, Window.Handle(), kSocketMessage, Events), 0);
    }
    // Returns the error of a connect that did not succeed at once, or 0.
    int StartConnect(uint16_t Port, int32_t Events = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE) {
        Open(Events);
        const sockaddr_in address = Loopback(Port);
        return connect(FSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
                   ? 0
                   : WSAGetLastError();
    }

    // The notifications so far: the event and the error of each.
    std::vector<Note> Notes() const {
        std::vector<Note> notes;
        for (const TMessage& m : Window.Received)
            notes.emplace_back(WSAGETSELECTEVENT(m.LParam), WSAGETSELECTERROR(m.LParam));
        return notes;
    }
    long Count(int Event) const { return std::ranges::count(Notes(), Event, &Note::first); }
    bool WaitFor(int Event, int Times = 1) {
        return PumpUntil([&] { return Count(Event) >= Times; });
    }
    std::string Receive(int Size = 256) {
        std::string text(static_cast<size_t>(Size), '\0');
        const int n = recv(FSocket, text.data(), Size, 0);
        text.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return text;
    }

    RecordingWindow Window;
    SOCKET FSocket = INVALID_SOCKET;
};

TEST_F(AsyncSelect, ARefusedConnectionIsReportedByFdConnectAlone) {
    if (StartConnect(RefusingPort()) == WSAECONNREFUSED) GTEST_SKIP() << "refused at once";
    ASSERT_TRUE(WaitFor(FD_CONNECT));
    PumpFor(50ms);
    EXPECT_EQ(Notes(), std::vector<Note>(1, {FD_CONNECT, WSAECONNREFUSED}));
}

// FD_READ comes again only after a recv that left data behind, FD_CLOSE only once all is read.
TEST_F(AsyncSelect, AnExchangeRunsOnNotificationsAlone) {
    ScriptedServer server({ReadLine(), Send("0123456789"), Close()});
    EXPECT_EQ(StartConnect(server.Port()), WSAEWOULDBLOCK);
    ASSERT_TRUE(WaitFor(FD_WRITE));
    EXPECT_EQ(Notes().front(), Note(FD_CONNECT, 0));
    ASSERT_EQ(send(FSocket, "hello\r\n", 7, 0), 7);
    ASSERT_TRUE(WaitFor(FD_READ));
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.ReceivedLines(), std::vector<std::string>{"hello"});
    PumpFor(100ms);
    EXPECT_EQ(Count(FD_READ), 1);
    EXPECT_EQ(Count(FD_CLOSE), 0);
    ASSERT_EQ(Receive(4), "0123");
    ASSERT_TRUE(WaitFor(FD_READ, 2));
    ASSERT_EQ(Receive(), "456789");
    ASSERT_TRUE(WaitFor(FD_CLOSE));
    EXPECT_EQ(Notes().back(), Note(FD_CLOSE, 0));
    char buffer[4];
    EXPECT_EQ(recv(FSocket, buffer, sizeof buffer, 0), 0);
    PumpFor(100ms);
    EXPECT_EQ(Count(FD_READ), 2);
    EXPECT_EQ(Count(FD_CLOSE), 1);
}

TEST_F(AsyncSelect, AResetIsReportedByFdCloseAndLaterSendsFailWithoutASignal) {
    ScriptedServer server({Reset()});
    StartConnect(server.Port());
    ASSERT_TRUE(WaitFor(FD_CLOSE));
    EXPECT_EQ(Notes().back(), Note(FD_CLOSE, WSAECONNRESET));
    // The first failure reports the reset; later ones are where a broken pipe would signal.
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(send(FSocket, "x", 1, 0), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    }
}

TEST_F(AsyncSelect, ClosingTheSocketEndsItsNotificationsAtOnce) {
    ScriptedServer server({SendLine("x"), Delay(100), SendLine("y"), Close()});
    StartConnect(server.Port());
    ASSERT_TRUE(WaitFor(FD_READ));
    ASSERT_EQ(closesocket(FSocket), 0);
    // What was posted before the close may still arrive, as on the original; nothing after it.
    MSG queued;
    while (PeekMessage(queued, 0, 0, 0, PM_REMOVE))
        DispatchMessage(queued);
    const size_t seen = Window.Received.size();
    ASSERT_TRUE(server.WaitUntilDone());
    PumpFor(100ms);
    EXPECT_EQ(Window.Received.size(), seen);
}

TEST_F(AsyncSelect, DatagramsComeOnFdReadWithTheirSender) {
    UdpServer server([](const std::string& Request) { return "re: " + Request; });
    Open(FD_READ, SOCK_DGRAM);
    const sockaddr_in to = Loopback(server.Port());
    ASSERT_EQ(sendto(FSocket, "a", 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to), 1);
    ASSERT_TRUE(WaitFor(FD_READ));
    EXPECT_EQ(Window.Received[0].WParam, FSocket);
    char buffer[8];
    sockaddr_in from{};
    int size = sizeof from;
    ASSERT_EQ(
        recvfrom(FSocket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size), 5);
    EXPECT_EQ(ntohs(from.sin_port), server.Port());

    ASSERT_EQ(connect(FSocket, reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
    ASSERT_EQ(send(FSocket, "query", 5, 0), 5);
    ASSERT_TRUE(WaitFor(FD_READ, 2));
    EXPECT_EQ(Receive(), "re: query");
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"a", "query"}));
}

}  // namespace
}  // namespace vex
