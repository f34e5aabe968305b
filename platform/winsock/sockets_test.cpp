#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/winsock/winsock.h"
#include "tests/support/messagepump.h"
#include "tests/support/udpserver.h"

namespace vex {
namespace {

using namespace vex::test;

constexpr UINT kSocketMessage = WM_USER + 150;

sockaddr_in Loopback(uint16_t Port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Port);
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    return address;
}

class Datagrams : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        Socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        ASSERT_NE(Socket, INVALID_SOCKET);
    }
    void TearDown() override {
        closesocket(Socket);
        WSACleanup();
    }

    RecordingWindow Window;
    SOCKET Socket = INVALID_SOCKET;
};

TEST_F(Datagrams, AConnectedSocketExchangesDatagramsOnFdRead) {
    UdpServer server([](const std::string& Request) { return "re: " + Request; });
    ASSERT_EQ(WSAAsyncSelect(Socket, Window.Handle(), kSocketMessage, FD_READ), 0);
    const sockaddr_in address = Loopback(server.Port());
    ASSERT_EQ(connect(Socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(send(Socket, "query", 5, 0), 5);
    ASSERT_TRUE(PumpUntil([&] { return !Window.Received.empty(); }));
    EXPECT_EQ(WSAGETSELECTEVENT(Window.Received[0].LParam), FD_READ);
    EXPECT_EQ(Window.Received[0].WParam, Socket);
    char buffer[64];
    const int n = recv(Socket, buffer, sizeof buffer, 0);
    ASSERT_EQ(n, 9);
    EXPECT_EQ(std::string(buffer, 9), "re: query");
    EXPECT_EQ(server.Received(), std::vector<std::string>{"query"});
}

TEST_F(Datagrams, AnUnconnectedSocketLearnsWhereTheReplyCameFrom) {
    UdpServer server(std::vector<std::string>{"one"});
    ASSERT_EQ(WSAAsyncSelect(Socket, Window.Handle(), kSocketMessage, FD_READ), 0);
    const sockaddr_in to = Loopback(server.Port());
    ASSERT_EQ(sendto(Socket, "a", 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to), 1);
    ASSERT_TRUE(PumpUntil([&] { return !Window.Received.empty(); }));
    char buffer[8];
    sockaddr_in from{};
    int size = sizeof from;
    ASSERT_EQ(recvfrom(Socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size),
              3);
    EXPECT_EQ(ntohs(from.sin_port), server.Port());
    EXPECT_EQ(from.sin_addr.s_addr, inet_addr("127.0.0.1"));
}

TEST(SocketHandles, OnlyHandlesMadeBySocketAreSockets) {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    // Closing what is no socket must leave the descriptor alone.
    EXPECT_EQ(closesocket(static_cast<SOCKET>(pipeFds[0])), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(::write(pipeFds[1], "x", 1), 1);
    char c;
    EXPECT_EQ(::read(pipeFds[0], &c, 1), 1);
    EXPECT_EQ(send(INVALID_SOCKET, "x", 1, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);

    EXPECT_EQ(socket(AF_INET6, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    char buffer[4];
    EXPECT_EQ(recv(s, buffer, -1, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTCONN);
    EXPECT_EQ(closesocket(s), 0);
    EXPECT_EQ(WSACleanup(), 0);
}

}  // namespace
}  // namespace vex
