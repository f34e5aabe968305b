#include <arpa/inet.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/winsock/resolver.h"
#include "platform/winsock/startup.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

// The per-thread result of the blocking lookups. A vector's storage is aligned for any
// structure it holds.
template <class Result>
char* PackForThread(const Result& R, size_t (*PackInto)(const Result&, char*, size_t)) {
    thread_local std::vector<std::max_align_t> storage;
    const size_t needed = PackInto(R, nullptr, 0);
    storage.resize((needed + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
    char* buffer = reinterpret_cast<char*>(storage.data());
    PackInto(R, buffer, needed);
    return buffer;
}

}  // namespace

int gethostname(char* name, int namelen) {
    if (!WinsockStarted()) return SOCKET_ERROR;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0) return FailWithErrno();
    const size_t length = std::strlen(host);
    if (name == nullptr || namelen < 0 || length + 1 > static_cast<size_t>(namelen))
        return FailWith(WSAEFAULT);
    std::memcpy(name, host, length + 1);
    return 0;
}

hostent* gethostbyname(const char* name) {
    if (!WinsockStarted()) return nullptr;
    if (name == nullptr) {
        FailWith(WSAEFAULT);
        return nullptr;
    }
    THostResult result;
    if (const int error = ResolveHost(name, result); error != 0) {
        FailWith(error);
        return nullptr;
    }
    return reinterpret_cast<hostent*>(PackForThread(result, &PackHostent));
}

servent* getservbyname(const char* name, const char* proto) {
    if (!WinsockStarted()) return nullptr;
    if (name == nullptr) {
        FailWith(WSAEFAULT);
        return nullptr;
    }
    TServiceResult result;
    if (const int error = ResolveService(name, proto, result); error != 0) {
        FailWith(error);
        return nullptr;
    }
    return reinterpret_cast<servent*>(PackForThread(result, &PackServent));
}

u_long inet_addr(const char* cp) {
    return ParseDottedQuad(cp).value_or(INADDR_NONE);
}

char* inet_ntoa(in_addr in) {
    thread_local char text[INET_ADDRSTRLEN];
    const uint32_t a = ::ntohl(in.s_addr);
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", a >> 24, (a >> 16) & 0xFF, (a >> 8) & 0xFF,
                  a & 0xFF);
    return text;
}

u_short htons(u_short hostshort) {
    return ::htons(hostshort);
}
u_short ntohs(u_short netshort) {
    return ::ntohs(netshort);
}
u_long htonl(u_long hostlong) {
    return ::htonl(hostlong);
}
u_long ntohl(u_long netlong) {
    return ::ntohl(netlong);
}

BOOL WSAIsBlocking() {
    return 0;
}

int WSACancelBlockingCall() {
    if (!WinsockStarted()) return SOCKET_ERROR;
    return FailWith(WSAEINVAL);
}

}  // namespace vex
