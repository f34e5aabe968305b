#pragma once

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>

#include "platform/win/messages.h"

// The byte-order helpers are macros in the C library when optimising; the original's names are
// functions here.
#undef htons
#undef ntohs
#undef htonl
#undef ntohl
// The system's socket types and protocols are enumerators of the global namespace, which would
// draw the system's socket() into every call through argument-dependent lookup; here they are
// plain numbers of the same values.
#undef SOCK_STREAM
#undef SOCK_DGRAM
#undef IPPROTO_TCP
#undef IPPROTO_UDP

namespace vex {

// The socket library of the original platform over POSIX sockets. AF_INET, INADDR_ANY and
// INADDR_NONE are the system's, which have the original's values; so are sockaddr, sockaddr_in,
// in_addr, hostent and servent.
//
// Every call but the byte-order and address helpers needs a WSAStartup first. Calls that touch
// asynchronous notification (WSAAsyncSelect, and recv, send and closesocket of a selected socket)
// belong to the main thread, as the hidden windows they notify do.

using u_char = uint8_t;
using u_short = uint16_t;
using u_int = uint32_t;
using u_long = uint32_t;  // 32 bits, as on the original
using WORD = uint16_t;
using BOOL = int32_t;
using HANDLE = uintptr_t;  // an asynchronous request; 0 is none
using SOCKET = uintptr_t;

inline constexpr int SOCK_STREAM = 1;
inline constexpr int SOCK_DGRAM = 2;
inline constexpr int IPPROTO_TCP = 6;
inline constexpr int IPPROTO_UDP = 17;

inline constexpr SOCKET INVALID_SOCKET = ~SOCKET{0};
inline constexpr int SOCKET_ERROR = -1;

inline constexpr int WSADESCRIPTION_LEN = 256;
inline constexpr int WSASYS_STATUS_LEN = 128;

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    u_short iMaxSockets;
    u_short iMaxUdpDg;
    char* lpVendorInfo;
};

inline constexpr WORD MAKEWORD(uint8_t Low, uint8_t High) {
    return static_cast<WORD>(Low | (High << 8));
}

// WSAAsyncSelect events.
inline constexpr int32_t FD_READ = 1;
inline constexpr int32_t FD_WRITE = 2;
inline constexpr int32_t FD_OOB = 4;
inline constexpr int32_t FD_ACCEPT = 8;
inline constexpr int32_t FD_CONNECT = 16;
inline constexpr int32_t FD_CLOSE = 32;

// The smallest buffer that always holds a lookup result.
inline constexpr int MAXGETHOSTSTRUCT = 1024;

inline constexpr uint16_t WSAGETSELECTEVENT(LPARAM LParam) {
    return LOWORD(static_cast<uintptr_t>(LParam));
}
inline constexpr uint16_t WSAGETSELECTERROR(LPARAM LParam) {
    return HIWORD(static_cast<uintptr_t>(LParam));
}
inline constexpr uint16_t WSAGETASYNCBUFLEN(LPARAM LParam) {
    return LOWORD(static_cast<uintptr_t>(LParam));
}
inline constexpr uint16_t WSAGETASYNCERROR(LPARAM LParam) {
    return HIWORD(static_cast<uintptr_t>(LParam));
}
inline constexpr LPARAM WSAMAKESELECTREPLY(uint16_t Event, uint16_t Error) {
    return MAKELONG(Event, Error);
}
inline constexpr LPARAM WSAMAKEASYNCREPLY(uint16_t BufLen, uint16_t Error) {
    return MAKELONG(BufLen, Error);
}

// Error codes.
inline constexpr int WSABASEERR = 10000;
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEBADF = 10009;
inline constexpr int WSAEACCES = 10013;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAEDESTADDRREQ = 10039;
inline constexpr int WSAEMSGSIZE = 10040;
inline constexpr int WSAEPROTOTYPE = 10041;
inline constexpr int WSAENOPROTOOPT = 10042;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEPFNOSUPPORT = 10046;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRINUSE = 10048;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAENETRESET = 10052;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETOOMANYREFS = 10059;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAELOOP = 10062;
inline constexpr int WSAENAMETOOLONG = 10063;
inline constexpr int WSAEHOSTDOWN = 10064;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAENOTEMPTY = 10066;
inline constexpr int WSAEPROCLIM = 10067;
inline constexpr int WSAEUSERS = 10068;
inline constexpr int WSAEDQUOT = 10069;
inline constexpr int WSAESTALE = 10070;
inline constexpr int WSAEREMOTE = 10071;
inline constexpr int WSASYSNOTREADY = 10091;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;
inline constexpr int WSAEDISCON = 10101;
inline constexpr int WSAHOST_NOT_FOUND = 11001;
inline constexpr int WSATRY_AGAIN = 11002;
inline constexpr int WSANO_RECOVERY = 11003;
inline constexpr int WSANO_DATA = 11004;

// Startup: version 1.1 (MAKEWORD(1, 1)) or later is served as 1.1; returns the error code itself.
int WSAStartup(WORD wVersionRequested, WSADATA* lpWSAData);
// The last cleanup matching the startups closes every socket and drops every pending lookup.
int WSACleanup();

int WSAGetLastError();  // per thread
void WSASetLastError(int iError);
BOOL WSAIsBlocking();         // never: no call here blocks the loop
int WSACancelBlockingCall();  // SOCKET_ERROR with WSAEINVAL, as there is no blocking call

// Every socket is non-blocking: connect answers SOCKET_ERROR with WSAEWOULDBLOCK while the
// connection is made, send and recv with WSAEWOULDBLOCK when they would wait. send never raises
// SIGPIPE. Only the handles that socket returned are sockets; anything else is WSAENOTSOCK.
SOCKET socket(int af, int type, int protocol);
int connect(SOCKET s, const sockaddr* name, int namelen);
int send(SOCKET s, const char* buf, int len, int flags);
int recv(SOCKET s, char* buf, int len, int flags);
int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen);
int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen);
int closesocket(SOCKET s);

int gethostname(char* name, int namelen);
// Blocking lookups; the result belongs to the calling thread until its next call.
hostent* gethostbyname(const char* name);
servent* getservbyname(const char* name, const char* proto);

// Dotted quads only; INADDR_NONE for anything else (and for "255.255.255.255" itself).
u_long inet_addr(const char* cp);
// The text lives in a per-thread buffer until the thread's next call.
char* inet_ntoa(in_addr in);
u_short htons(u_short hostshort);
u_short ntohs(u_short netshort);
u_long htonl(u_long hostlong);
u_long ntohl(u_long netlong);

// Posts wMsg to hWnd with wParam = s and lParam = WSAMAKESELECTREPLY(event, error) for the events
// in lEvent, each re-enabled the way the original did: FD_READ by the next recv, FD_WRITE by a
// send that failed with WSAEWOULDBLOCK; FD_CONNECT and FD_CLOSE come once. FD_CLOSE follows the
// last FD_READ of data still buffered. lEvent 0 stops the notifications.
int WSAAsyncSelect(SOCKET s, HWND hWnd, u_int wMsg, int32_t lEvent);

// Lookups on a worker thread. When one ends, the result is written into buf (a hostent or a
// servent followed by everything it points to) and wMsg is posted with wParam = the handle and
// lParam = WSAMAKEASYNCREPLY(bytes needed, error). A buffer too small gets WSAENOBUFS and is not
// written. buf must be aligned for the structure and stay valid until the message arrives or the
// request is canceled. Returns 0 and sets the last error when the request cannot start.
HANDLE WSAAsyncGetHostByName(HWND hWnd, u_int wMsg, const char* name, char* buf, int buflen);
HANDLE WSAAsyncGetServByName(HWND hWnd, u_int wMsg, const char* name, const char* proto, char* buf,
                             int buflen);
// After it returns the request's buffer is never written and its message never posted.
int WSACancelAsyncRequest(HANDLE hAsyncTaskHandle);

// Makes "wsock32.dll" loadable with every function above under its exported name. It is also
// registered while the program starts; calling it again does no harm.
void RegisterWinsockModule();
// Makes "wserr32.dll" loadable: its strings are the texts of the error codes 10000 to 11004.
// Only on request, as the original usually ran without it and reported errors by number.
void RegisterWinsockErrorTextModule();

}  // namespace vex
