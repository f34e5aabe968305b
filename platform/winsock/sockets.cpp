#include <sys/socket.h>

#include <cerrno>

#include "platform/winsock/asyncselect.h"
#include "platform/winsock/sockettable.h"
#include "platform/winsock/startup.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

using TState = TSocketEntry::TState;

// The flags the original knew for send and recv have the system's values.
constexpr int kSendFlags = MSG_OOB | MSG_DONTROUTE;
constexpr int kRecvFlags = MSG_OOB | MSG_PEEK;

// The socket behind a handle for a data transfer, after the checks every transfer shares.
std::shared_ptr<TSocketEntry> TransferSocket(SOCKET S, const void* Buf, int Len, int Flags,
                                             int Allowed) {
    if (!WinsockStarted()) return nullptr;
    std::shared_ptr<TSocketEntry> entry = FindSocket(S);
    if (!entry) return nullptr;
    if (Len < 0 || (Flags & ~Allowed) != 0) {
        FailWith(WSAEINVAL);
        return nullptr;
    }
    if (Buf == nullptr && Len > 0) {
        FailWith(WSAEFAULT);
        return nullptr;
    }
    return entry;
}

bool AddressFits(const sockaddr* Address, int Length) {
    return Address != nullptr && Length >= static_cast<int>(sizeof(sockaddr_in));
}

int SendResult(TSocketEntry& Entry, ssize_t Sent) {
    if (Sent >= 0) return static_cast<int>(Sent);
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK) SendBlocked(Entry);
    errno = error;
    return FailWithErrno();
}

int ReceiveResult(TSocketEntry& Entry, ssize_t Received) {
    const int error = errno;
    ReadAttempted(Entry);
    if (Received >= 0) return static_cast<int>(Received);
    errno = error;
    return FailWithErrno();
}

}  // namespace

SOCKET socket(int af, int type, int protocol) {
    if (!WinsockStarted()) return INVALID_SOCKET;
    if (af != AF_INET) {
        FailWith(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    if (type != SOCK_STREAM && type != SOCK_DGRAM) {
        FailWith(WSAESOCKTNOSUPPORT);
        return INVALID_SOCKET;
    }
    const int fd = ::socket(af, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        FailWithErrno();
        return INVALID_SOCKET;
    }
    return AddSocket(fd, type == SOCK_STREAM);
}

int connect(SOCKET s, const sockaddr* name, int namelen) {
    if (!WinsockStarted()) return SOCKET_ERROR;
    std::shared_ptr<TSocketEntry> entry = FindSocket(s);
    if (!entry) return SOCKET_ERROR;
    if (!AddressFits(name, namelen)) return FailWith(WSAEFAULT);
    const int result = ::connect(entry->Fd, name, static_cast<socklen_t>(namelen));
    const int error = errno;
    if (!entry->Stream) {
        if (result != 0) return FailWithErrno();
        entry->State = TState::Open;
        UpdateSelectWatch(*entry);
        return 0;
    }
    if (result != 0 && error != EINPROGRESS) return FailWithErrno();
    // Even a connection made at once is reported by FD_CONNECT, which the watch sees at once.
    entry->State = TState::Connecting;
    entry->PeerClosed = false;
    UpdateSelectWatch(*entry);
    if (result == 0) return 0;
    return FailWith(WSAEWOULDBLOCK);
}

int send(SOCKET s, const char* buf, int len, int flags) {
    std::shared_ptr<TSocketEntry> entry = TransferSocket(s, buf, len, flags, kSendFlags);
    if (!entry) return SOCKET_ERROR;
    return SendResult(*entry,
                      ::send(entry->Fd, buf, static_cast<size_t>(len), flags | MSG_NOSIGNAL));
}

int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen) {
    std::shared_ptr<TSocketEntry> entry = TransferSocket(s, buf, len, flags, kSendFlags);
    if (!entry) return SOCKET_ERROR;
    if (to == nullptr)
        return SendResult(*entry,
                          ::send(entry->Fd, buf, static_cast<size_t>(len), flags | MSG_NOSIGNAL));
    if (!AddressFits(to, tolen)) return FailWith(WSAEFAULT);
    return SendResult(*entry, ::sendto(entry->Fd, buf, static_cast<size_t>(len),
                                       flags | MSG_NOSIGNAL, to, static_cast<socklen_t>(tolen)));
}

int recv(SOCKET s, char* buf, int len, int flags) {
    std::shared_ptr<TSocketEntry> entry = TransferSocket(s, buf, len, flags, kRecvFlags);
    if (!entry) return SOCKET_ERROR;
    return ReceiveResult(*entry, ::recv(entry->Fd, buf, static_cast<size_t>(len), flags));
}

int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen) {
    std::shared_ptr<TSocketEntry> entry = TransferSocket(s, buf, len, flags, kRecvFlags);
    if (!entry) return SOCKET_ERROR;
    if (from == nullptr)
        return ReceiveResult(*entry, ::recv(entry->Fd, buf, static_cast<size_t>(len), flags));
    if (fromlen == nullptr || *fromlen < static_cast<int>(sizeof(sockaddr_in)))
        return FailWith(WSAEFAULT);
    socklen_t size = static_cast<socklen_t>(*fromlen);
    const ssize_t received =
        ::recvfrom(entry->Fd, buf, static_cast<size_t>(len), flags, from, &size);
    if (received >= 0) *fromlen = static_cast<int>(size);
    return ReceiveResult(*entry, received);
}

int closesocket(SOCKET s) {
    if (!WinsockStarted()) return SOCKET_ERROR;
    if (!CloseSocket(s)) return FailWith(WSAENOTSOCK);
    return 0;
}

}  // namespace vex
