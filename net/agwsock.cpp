#include "net/agwsock.h"

#include "platform/core/format.h"
#include "platform/core/resources.h"

namespace vex {

namespace {

constexpr const char* WinsockLibrary = "wsock32.dll";
constexpr const char* ErrorTextLibrary = "wserr32.dll";
// LoadLibrary's answers below this are error codes, not modules.
constexpr HMODULE FirstModuleHandle = 32;
constexpr int ErrorTextLength = 255;

}  // namespace

TagWinsock::~TagWinsock() {
    if (IsLoaded()) FreeLibrary(FLibHandle);
}

void TagWinsock::Load() {
    const uint32_t previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    const HMODULE handle = LoadLibrary(WinsockLibrary);
    SetErrorMode(previousMode);
    if (handle < FirstModuleHandle) {
        FLibHandle = 0;
        throw EWinsockDLLError(LoadStr(sWinsockNotFound));
    }
    // A second load would leave the first handle behind unreleased.
    if (IsLoaded()) FreeLibrary(FLibHandle);
    FLibHandle = handle;
}

void TagWinsock::Unload() {
    if (!IsLoaded() || FUsers > 0) return;
    FreeLibrary(FLibHandle);
    FLibHandle = 0;
}

void TagWinsock::RemoveUser() {
    if (FUsers > 0) --FUsers;
}

FARPROC TagWinsock::GetProc(const std::string& Name) const {
    if (!IsLoaded()) throw EWinsockDLLError(LoadStr(sWinsockNotLoaded));
    FARPROC proc = GetProcAddress(FLibHandle, Name);
    if (proc == nullptr) throw EWinsockDLLError(Format(LoadStr(sFunctionNotFound), {Name}));
    return proc;
}

int TagWinsock::closesocket(SOCKET s) const {
    return Proc<decltype(&::vex::closesocket)>("closesocket")(s);
}

int TagWinsock::connect(SOCKET s, const sockaddr* name, int namelen) const {
    return Proc<decltype(&::vex::connect)>("connect")(s, name, namelen);
}

u_short TagWinsock::htons(u_short hostshort) const {
    return Proc<decltype(&::vex::htons)>("htons")(hostshort);
}

u_long TagWinsock::inet_addr(const char* cp) const {
    FARPROC proc = GetProcAddress(FLibHandle, "inet_addr");
    if (proc == nullptr)
        throw EWinsockDLLError(Format(LoadStr(sFunctionNotFound), {std::string("inet_addr")}));
    return ProcAs<decltype(&::vex::inet_addr)>(proc)(cp);
}

u_long TagWinsock::ntohl(u_long netlong) const {
    return Proc<decltype(&::vex::ntohl)>("ntohl")(netlong);
}

u_short TagWinsock::ntohs(u_short netshort) const {
    return Proc<decltype(&::vex::ntohs)>("ntohs")(netshort);
}

int TagWinsock::recv(SOCKET s, char* buf, int len, int flags) const {
    return Proc<decltype(&::vex::recv)>("recv")(s, buf, len, flags);
}

int TagWinsock::send(SOCKET s, const char* buf, int len, int flags) const {
    return Proc<decltype(&::vex::send)>("send")(s, buf, len, flags);
}

SOCKET TagWinsock::socket(int af, int type, int protocol) const {
    return Proc<decltype(&::vex::socket)>("socket")(af, type, protocol);
}

hostent* TagWinsock::gethostbyname(const char* name) const {
    return Proc<decltype(&::vex::gethostbyname)>("gethostbyname")(name);
}

int TagWinsock::gethostname(char* name, int namelen) const {
    return Proc<decltype(&::vex::gethostname)>("gethostname")(name, namelen);
}

servent* TagWinsock::getservbyname(const char* name, const char* proto) const {
    return Proc<decltype(&::vex::getservbyname)>("getservbyname")(name, proto);
}

int TagWinsock::WSAStartup(WORD wVersionRequested, WSADATA* lpWSAData) const {
    return Proc<decltype(&::vex::WSAStartup)>("WSAStartup")(wVersionRequested, lpWSAData);
}

int TagWinsock::WSACleanup() const {
    return Proc<decltype(&::vex::WSACleanup)>("WSACleanup")();
}

int TagWinsock::WSAGetLastError() const {
    return Proc<decltype(&::vex::WSAGetLastError)>("WSAGetLastError")();
}

BOOL TagWinsock::WSAIsBlocking() const {
    return Proc<decltype(&::vex::WSAIsBlocking)>("WSAIsBlocking")();
}

int TagWinsock::WSACancelBlockingCall() const {
    return Proc<decltype(&::vex::WSACancelBlockingCall)>("WSACancelBlockingCall")();
}

HANDLE TagWinsock::WSAAsyncGetServByName(HWND hWnd, u_int wMsg, const char* name, const char* proto,
                                         char* buf, int buflen) const {
    return Proc<decltype(&::vex::WSAAsyncGetServByName)>("WSAAsyncGetServByName")(
        hWnd, wMsg, name, proto, buf, buflen);
}

HANDLE TagWinsock::WSAAsyncGetHostByName(HWND hWnd, u_int wMsg, const char* name, char* buf,
                                         int buflen) const {
    return Proc<decltype(&::vex::WSAAsyncGetHostByName)>("WSAAsyncGetHostByName")(hWnd, wMsg, name,
                                                                                  buf, buflen);
}

int TagWinsock::WSACancelAsyncRequest(HANDLE hAsyncTaskHandle) const {
    return Proc<decltype(&::vex::WSACancelAsyncRequest)>("WSACancelAsyncRequest")(hAsyncTaskHandle);
}

int TagWinsock::WSAAsyncSelect(SOCKET s, HWND hWnd, u_int wMsg, int32_t lEvent) const {
    return Proc<decltype(&::vex::WSAAsyncSelect)>("WSAAsyncSelect")(s, hWnd, wMsg, lEvent);
}

TagWinsock& agWinsock() {
    static TagWinsock instance;
    return instance;
}

std::string WinsockErrorMessage(int32_t Code) {
    const HMODULE module = LoadLibrary(ErrorTextLibrary);
    if (module < FirstModuleHandle) return {};
    char buffer[ErrorTextLength + 1] = {};
    const int length = LoadString(module, static_cast<uint32_t>(Code), buffer, ErrorTextLength);
    FreeLibrary(module);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

}  // namespace vex
