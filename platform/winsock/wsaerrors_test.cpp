#include "platform/winsock/wsaerrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "platform/winsock/winsock.h"

namespace vex {
namespace {

TEST(WinsockErrors, SystemErrorsMapToTheOriginalCodes) {
    const struct {
        int Errno;
        int Code;
    } cases[] = {
        {EWOULDBLOCK, WSAEWOULDBLOCK},
        {EAGAIN, WSAEWOULDBLOCK},
        {EINPROGRESS, WSAEWOULDBLOCK},
        {ECONNREFUSED, 10061},
        {ECONNRESET, 10054},
        {EPIPE, 10054},
        {ETIMEDOUT, 10060},
        {ENETUNREACH, 10051},
        {EHOSTUNREACH, 10065},
        {EBADF, 10038},
        {ENOTSOCK, 10038},
        {EINVAL, 10022},
        {EADDRINUSE, 10048},
        {EMSGSIZE, 10040},
        {ENOTCONN, 10057},
        {EISCONN, 10056},
        {EALREADY, 10037},
        {EMFILE, 10024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Errno);
        EXPECT_EQ(WinsockErrorFromErrno(c.Errno), c.Code);
    }
}

TEST(WinsockErrors, TheLastErrorBelongsToEachThread) {
    WSASetLastError(WSAECONNRESET);
    int other = -1;
    std::thread([&] {
        WSASetLastError(WSAETIMEDOUT);
        other = WSAGetLastError();
    }).join();
    EXPECT_EQ(other, WSAETIMEDOUT);
    EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
}

TEST(WinsockErrors, EveryCodeTheMappingGivesHasAText) {
    for (int e = 1; e < 134; ++e) {
        SCOPED_TRACE(e);
        EXPECT_FALSE(WinsockErrorText(WinsockErrorFromErrno(e)).empty());
    }
}

}  // namespace
}  // namespace vex
