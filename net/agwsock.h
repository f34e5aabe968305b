#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/object.h"
#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"

namespace vex {

// The socket library is missing, not loaded, or lacks a function.
VEX_EXCEPTION(EWinsockDLLError, Exception);

inline constexpr int32_t sFunctionNotFound = 57010;
inline constexpr int32_t sWinsockNotLoaded = 57011;
inline constexpr int32_t sWinsockNotFound = 57012;

// The socket library, loaded by name and called through functions looked up by name at each
// call, so a program without it still runs and reports the missing piece as EWinsockDLLError.
// Main thread only.
//
// Components that hold sockets register as users; while any is registered the library stays
// loaded, whoever asks for it to be unloaded, as unloading it would strand their sockets.
class TagWinsock : public TObject {
    VEX_CLASS(TagWinsock, TObject)

public:
    TagWinsock() = default;
    ~TagWinsock() override;
    TagWinsock(const TagWinsock&) = delete;
    TagWinsock& operator=(const TagWinsock&) = delete;

    HMODULE LibHandle() const { return FLibHandle; }
    bool IsLoaded() const { return FLibHandle > 0; }
    void Load();
    // Does nothing while a user is registered.
    void Unload();
    FARPROC GetProc(const std::string& Name) const;

    void AddUser() { ++FUsers; }
    void RemoveUser();
    int32_t Users() const { return FUsers; }

    int closesocket(SOCKET s) const;
    int connect(SOCKET s, const sockaddr* name, int namelen) const;
    u_short htons(u_short hostshort) const;
    // Looked up without the loaded check, so without the library it fails as a missing function.
    u_long inet_addr(const char* cp) const;
    u_long ntohl(u_long netlong) const;
    u_short ntohs(u_short netshort) const;
    int recv(SOCKET s, char* buf, int len, int flags) const;
    int send(SOCKET s, const char* buf, int len, int flags) const;
    SOCKET socket(int af, int type, int protocol) const;
    hostent* gethostbyname(const char* name) const;
    int gethostname(char* name, int namelen) const;
    servent* getservbyname(const char* name, const char* proto) const;
    int WSAStartup(WORD wVersionRequested, WSADATA* lpWSAData) const;
    int WSACleanup() const;
    int WSAGetLastError() const;
    BOOL WSAIsBlocking() const;
    int WSACancelBlockingCall() const;
    HANDLE WSAAsyncGetServByName(HWND hWnd, u_int wMsg, const char* name, const char* proto,
                                 char* buf, int buflen) const;
    HANDLE WSAAsyncGetHostByName(HWND hWnd, u_int wMsg, const char* name, char* buf,
                                 int buflen) const;
    int WSACancelAsyncRequest(HANDLE hAsyncTaskHandle) const;
    int WSAAsyncSelect(SOCKET s, HWND hWnd, u_int wMsg, int32_t lEvent) const;

private:
    template <class F>
    F Proc(const char* Name) const {
        return ProcAs<F>(GetProc(Name));
    }

    HMODULE FLibHandle = 0;
    int32_t FUsers = 0;
};

// The process-wide binding every socket component shares.
TagWinsock& agWinsock();

// The halves of a lookup's or a socket event's lParam.
inline uint16_t LParamError(LPARAM LParam) {
    return WSAGETSELECTERROR(LParam);
}
inline uint16_t LParamEvent(LPARAM LParam) {
    return WSAGETSELECTEVENT(LParam);
}

// The text of a socket error code from the optional error-text library, loaded for this one
// lookup; "" when the library or the text is missing.
std::string WinsockErrorMessage(int32_t Code);

}  // namespace vex
