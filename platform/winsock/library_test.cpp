#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"
#include "tests/support/casefile.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

// The last error when Failed, else 0; the last error is cleared for the next call.
int ErrorIf(bool Failed) {
    const int error = Failed ? WSAGetLastError() : 0;
    WSASetLastError(0);
    return error;
}

TEST(Startup, SocketsNeedAStartupLiveUntilTheLastCleanupAndAreOnlyWhatSocketMade) {
    WSADATA data;
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 1), nullptr), WSAEFAULT);
    test::RecordingWindow window;
    char buffer[MAXGETHOSTSTRUCT];
    EXPECT_EQ(ErrorIf(socket(AF_INET, SOCK_STREAM, 0) == INVALID_SOCKET), WSANOTINITIALISED);
    EXPECT_EQ(ErrorIf(gethostbyname("localhost") == nullptr), WSANOTINITIALISED);
    EXPECT_EQ(ErrorIf(WSAAsyncGetHostByName(window.Handle(), WM_USER, "localhost", buffer,
                                            sizeof buffer) == 0),
              WSANOTINITIALISED);
    EXPECT_EQ(ErrorIf(closesocket(3) == SOCKET_ERROR), WSANOTINITIALISED);
    EXPECT_EQ(ErrorIf(WSACleanup() == SOCKET_ERROR), WSANOTINITIALISED);

    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(1, 1)) << "a later version asked for gets 1.1";
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_EQ(WSACleanup(), 0);
    EXPECT_EQ(send(s, "", 0, 0), SOCKET_ERROR) << "still open after the first cleanup";
    EXPECT_NE(WSAGetLastError(), WSAENOTSOCK);
    ASSERT_EQ(WSACleanup(), 0);
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(ErrorIf(closesocket(s) == SOCKET_ERROR), WSAENOTSOCK);

    // Only handles made by socket are sockets; closing anything else leaves it alone.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    EXPECT_EQ(ErrorIf(closesocket(static_cast<SOCKET>(pipeFds[0])) == SOCKET_ERROR), WSAENOTSOCK);
    EXPECT_EQ(::write(pipeFds[1], "x", 1), 1);
    char c;
    EXPECT_EQ(::read(pipeFds[0], &c, 1), 1);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    EXPECT_EQ(ErrorIf(send(INVALID_SOCKET, "x", 1, 0) == SOCKET_ERROR), WSAENOTSOCK);
    EXPECT_EQ(ErrorIf(socket(AF_INET6, SOCK_STREAM, 0) == INVALID_SOCKET), WSAEAFNOSUPPORT);
    const SOCKET stream = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(ErrorIf(recv(stream, &c, -1, 0) == SOCKET_ERROR), WSAEINVAL);
    EXPECT_EQ(ErrorIf(recv(stream, &c, 1, 0) == SOCKET_ERROR), WSAENOTCONN);
    EXPECT_EQ(WSACleanup(), 0);
}

TEST(WinsockModules, ExportEveryFunctionTheComponentsLookUp) {
    RegisterWinsockModule();  // once more: a second registration must keep it loadable
    const HMODULE library = LoadLibrary("WSOCK32.DLL");
    ASSERT_GE(library, 32u);
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/wsock32-exports.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_NE(GetProcAddress(library, c[0]), nullptr);
    }
    FreeLibrary(library);
}

TEST(WinsockErrors, EverySystemErrorMapsToACodeWithAText) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/errno-codes.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(WinsockErrorFromErrno(static_cast<int>(c.Int(0))), c.Int(1));
    }
    for (int e = 1; e < 134; ++e) {
        SCOPED_TRACE(e);
        EXPECT_FALSE(WinsockErrorText(WinsockErrorFromErrno(e)).empty());
    }
    EXPECT_EQ(WinsockErrorText(10000), "") << "a code that is none has no text";
}

}  // namespace
}  // namespace vex
