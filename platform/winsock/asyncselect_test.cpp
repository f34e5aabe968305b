#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/winsock/winsock.h"
#include "tests/support/messagepump.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

using namespace vex::test;
using namespace std::chrono_literals;

constexpr UINT kSocketMessage = WM_USER + 150;
constexpr int32_t kAllEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;

// A started library, a window for the notifications and one TCP socket connecting to a port.
class AsyncSelect : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override {
        if (FSocket != INVALID_SOCKET) closesocket(FSocket);
        WSACleanup();
    }

    // Connects with every notification selected; true when the connect is under way.
    void StartConnect(uint16_t Port, int32_t Events = kAllEvents) {
        FSocket = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_NE(FSocket, INVALID_SOCKET);
        ASSERT_EQ(WSAAsyncSelect(FSocket, Window.Handle(), kSocketMessage, Events), 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(Port);
        address.sin_addr.s_addr = inet_addr("127.0.0.1");
        const int result =
            connect(FSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        if (result == SOCKET_ERROR) Connect.push_back(WSAGetLastError());
    }

    int Count(int32_t Event) const {
        int n = 0;
        for (const TMessage& m : Window.Received)
            if (WSAGETSELECTEVENT(m.LParam) == Event) ++n;
        return n;
    }
    bool WaitFor(int32_t Event, int Times = 1) {
        return PumpUntil([&] { return Count(Event) >= Times; });
    }
    // The error of the last notification of that event.
    int ErrorOf(int32_t Event) const {
        for (auto it = Window.Received.rbegin(); it != Window.Received.rend(); ++it)
            if (WSAGETSELECTEVENT(it->LParam) == Event) return WSAGETSELECTERROR(it->LParam);
        return -1;
    }
    std::vector<int> Events() const {
        std::vector<int> events;
        for (const TMessage& m : Window.Received)
            events.push_back(WSAGETSELECTEVENT(m.LParam));
        return events;
    }
    std::string ReceiveAll() {
        std::string text;
        char buffer[256];
        int n;
        while ((n = recv(FSocket, buffer, sizeof buffer, 0)) > 0)
            text.append(buffer, static_cast<size_t>(n));
        return text;
    }

    RecordingWindow Window;
    SOCKET FSocket = INVALID_SOCKET;
    std::vector<int> Connect;  // the error of a connect that did not succeed at once
};

TEST_F(AsyncSelect, AnExchangeRunsOnNotificationsAlone) {
    ScriptedServer server({ReadLine(), SendLine("hello back"), Close()});
    StartConnect(server.Port());
    EXPECT_EQ(Connect, std::vector<int>{WSAEWOULDBLOCK});
    ASSERT_TRUE(WaitFor(FD_CONNECT));
    EXPECT_EQ(ErrorOf(FD_CONNECT), 0);
    ASSERT_TRUE(WaitFor(FD_WRITE));
    const std::string line = "hello\r\n";
    ASSERT_EQ(send(FSocket, line.data(), static_cast<int>(line.size()), 0),
              static_cast<int>(line.size()));

    std::string reply;
    ASSERT_TRUE(PumpUntil([&] {
        if (Count(FD_READ) > 0) reply += ReceiveAll();
        return Count(FD_CLOSE) > 0;
    }));
    reply += ReceiveAll();
    EXPECT_EQ(reply, "hello back\r\n");
    EXPECT_EQ(ErrorOf(FD_CLOSE), 0);
    EXPECT_EQ(server.ReceivedLines(), std::vector<std::string>{"hello"});
    const std::vector<int> events = Events();
    EXPECT_EQ(events.front(), FD_CONNECT);
    EXPECT_EQ(events.back(), FD_CLOSE);
    EXPECT_EQ(Count(FD_CLOSE), 1);
}

TEST_F(AsyncSelect, FdReadComesAgainOnlyAfterARecvThatLeftDataBehind) {
    ScriptedServer server({Send("0123456789"), Silent()});
    StartConnect(server.Port(), FD_READ | FD_CONNECT);
    ASSERT_TRUE(WaitFor(FD_READ));
    PumpFor(100ms);
    EXPECT_EQ(Count(FD_READ), 1) << "no second FD_READ before a recv";

    char buffer[16];
    ASSERT_EQ(recv(FSocket, buffer, 4, 0), 4);
    ASSERT_TRUE(WaitFor(FD_READ, 2));
    ASSERT_EQ(recv(FSocket, buffer, sizeof buffer, 0), 6);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    PumpFor(100ms);
    EXPECT_EQ(Count(FD_READ), 2) << "nothing left to report";
    EXPECT_EQ(recv(FSocket, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
}

TEST_F(AsyncSelect, ARefusedConnectionIsReportedByFdConnectAlone) {
    StartConnect(RefusingPort());
    if (Connect == std::vector<int>{WSAECONNREFUSED}) GTEST_SKIP() << "refused at once";
    ASSERT_TRUE(WaitFor(FD_CONNECT));
    EXPECT_EQ(ErrorOf(FD_CONNECT), WSAECONNREFUSED);
    PumpFor(50ms);
    EXPECT_EQ(Events(), std::vector<int>{FD_CONNECT});
}

TEST_F(AsyncSelect, FdCloseWaitsUntilTheBufferedDataHasBeenRead) {
    ScriptedServer server({Send("abc"), Close()});
    StartConnect(server.Port(), FD_READ | FD_CONNECT | FD_CLOSE);
    ASSERT_TRUE(WaitFor(FD_READ));
    ASSERT_TRUE(server.WaitUntilDone());
    PumpFor(50ms);
    EXPECT_EQ(Count(FD_CLOSE), 0);

    char buffer[8];
    ASSERT_EQ(recv(FSocket, buffer, sizeof buffer, 0), 3);
    ASSERT_TRUE(WaitFor(FD_CLOSE));
    EXPECT_EQ(ErrorOf(FD_CLOSE), 0);
    EXPECT_EQ(recv(FSocket, buffer, sizeof buffer, 0), 0);
    PumpFor(50ms);
    EXPECT_EQ(Count(FD_CLOSE), 1);
}

TEST_F(AsyncSelect, AResetIsReportedByFdCloseWithConnectionReset) {
    ScriptedServer server({Reset()});
    StartConnect(server.Port());
    ASSERT_TRUE(WaitFor(FD_CLOSE));
    EXPECT_EQ(ErrorOf(FD_CLOSE), WSAECONNRESET);
}

TEST_F(AsyncSelect, SendingToAPeerThatHasGoneFailsWithoutASignal) {
    ScriptedServer server({Reset()});
    StartConnect(server.Port());
    ASSERT_TRUE(WaitFor(FD_CLOSE));
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
    FSocket = INVALID_SOCKET;
    // What was posted before the close may still arrive, as on the original; nothing after it.
    MSG queued;
    while (PeekMessage(queued, 0, 0, 0, PM_REMOVE))
        DispatchMessage(queued);
    const size_t seen = Window.Received.size();
    ASSERT_TRUE(server.WaitUntilDone());
    PumpFor(100ms);
    EXPECT_EQ(Window.Received.size(), seen);
}

TEST_F(AsyncSelect, SelectingNoEventsStopsTheNotifications) {
    ScriptedServer server({Delay(100), SendLine("late"), Close()});
    StartConnect(server.Port(), FD_CONNECT | FD_READ | FD_CLOSE);
    ASSERT_TRUE(WaitFor(FD_CONNECT));
    ASSERT_EQ(WSAAsyncSelect(FSocket, Window.Handle(), 0, 0), 0);
    ASSERT_TRUE(server.WaitUntilDone());
    PumpFor(100ms);
    EXPECT_EQ(Events(), std::vector<int>{FD_CONNECT});
    char buffer[16];
    EXPECT_EQ(recv(FSocket, buffer, sizeof buffer, 0), 6);
}

}  // namespace
}  // namespace vex
