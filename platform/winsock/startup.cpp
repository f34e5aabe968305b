#include "platform/winsock/startup.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/winsock/asynclookup.h"
#include "platform/winsock/sockettable.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

constexpr WORD kVersion = MAKEWORD(1, 1);
std::atomic<int> StartupCount{0};

void CopyText(char* Target, size_t Size, const char* Text) {
    const size_t n = std::min(std::strlen(Text), Size - 1);
    std::memcpy(Target, Text, n);
    Target[n] = '\0';
}

}  // namespace

bool WinsockStarted() {
    if (StartupCount.load() > 0) return true;
    WSASetLastError(WSANOTINITIALISED);
    return false;
}

int WSAStartup(WORD wVersionRequested, WSADATA* lpWSAData) {
    const int major = wVersionRequested & 0xFF;
    const int minor = wVersionRequested >> 8;
    if (major < 1 || (major == 1 && minor < 1)) return WSAVERNOTSUPPORTED;
    if (lpWSAData == nullptr) return WSAEFAULT;
    std::memset(lpWSAData, 0, sizeof *lpWSAData);
    lpWSAData->wVersion = kVersion;
    lpWSAData->wHighVersion = kVersion;
    CopyText(lpWSAData->szDescription, sizeof lpWSAData->szDescription,
             "Vexbane Sockets 1.1 over POSIX");
    CopyText(lpWSAData->szSystemStatus, sizeof lpWSAData->szSystemStatus, "Running");
    lpWSAData->iMaxSockets = 32767;
    lpWSAData->iMaxUdpDg = 65467;
    ++StartupCount;
    return 0;
}

int WSACleanup() {
    int count = StartupCount.load();
    do {
        if (count == 0) return FailWith(WSANOTINITIALISED);
    } while (!StartupCount.compare_exchange_weak(count, count - 1));
    if (count == 1) {
        CancelAllAsyncRequests();
        CloseAllSockets();
    }
    return 0;
}

}  // namespace vex
