#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/winsock/winsock.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

TEST(Startup, VersionOnePointOneIsServedAndOlderOnesAreRefused) {
    WSADATA data;
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 1), nullptr), WSAEFAULT);
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
    EXPECT_EQ(data.wHighVersion, MAKEWORD(1, 1));
    EXPECT_FALSE(std::string(data.szDescription).empty());
    EXPECT_EQ(WSACleanup(), 0);
}

TEST(Startup, EveryCallNeedsAStartupFirst) {
    test::RecordingWindow window;
    char buffer[MAXGETHOSTSTRUCT];
    EXPECT_EQ(socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    WSASetLastError(0);
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    WSASetLastError(0);
    EXPECT_EQ(WSAAsyncGetHostByName(window.Handle(), WM_USER, "localhost", buffer, sizeof buffer),
              0u);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(closesocket(3), SOCKET_ERROR);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    // The helpers that need no library still work.
    EXPECT_EQ(inet_addr("1.2.3.4"), htonl(0x01020304));
}

TEST(Startup, TheLastCleanupClosesTheSocketsLeftOpen) {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_EQ(WSACleanup(), 0);
    EXPECT_EQ(send(s, "", 0, 0), SOCKET_ERROR) << "still open after the first cleanup";
    EXPECT_NE(WSAGetLastError(), WSAENOTSOCK);
    ASSERT_EQ(WSACleanup(), 0);
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(closesocket(s), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    WSACleanup();
}

TEST(Startup, OnlyHandlesMadeBySocketAreSockets) {
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
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    EXPECT_EQ(send(INVALID_SOCKET, "x", 1, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);

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
