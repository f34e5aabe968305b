#include <string>

#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

template <class F>
FARPROC Export(F* Function) {
    return reinterpret_cast<FARPROC>(Function);
}

TModuleDefinition WinsockModule() {
    return TModuleDefinition{
        "wsock32.dll",
        {
            {"WSAStartup", Export(&WSAStartup)},
            {"WSACleanup", Export(&WSACleanup)},
            {"WSAGetLastError", Export(&WSAGetLastError)},
            {"WSASetLastError", Export(&WSASetLastError)},
            {"WSAIsBlocking", Export(&WSAIsBlocking)},
            {"WSACancelBlockingCall", Export(&WSACancelBlockingCall)},
            {"socket", Export(&socket)},
            {"connect", Export(&connect)},
            {"send", Export(&send)},
            {"recv", Export(&recv)},
            {"sendto", Export(&sendto)},
            {"recvfrom", Export(&recvfrom)},
            {"closesocket", Export(&closesocket)},
            {"gethostname", Export(&gethostname)},
            {"gethostbyname", Export(&gethostbyname)},
            {"getservbyname", Export(&getservbyname)},
            {"inet_addr", Export(&inet_addr)},
            {"inet_ntoa", Export(&inet_ntoa)},
            {"htons", Export(&htons)},
            {"ntohs", Export(&ntohs)},
            {"htonl", Export(&htonl)},
            {"ntohl", Export(&ntohl)},
            {"WSAAsyncSelect", Export(&WSAAsyncSelect)},
            {"WSAAsyncGetHostByName", Export(&WSAAsyncGetHostByName)},
            {"WSAAsyncGetServByName", Export(&WSAAsyncGetServByName)},
            {"WSACancelAsyncRequest", Export(&WSACancelAsyncRequest)},
        },
        nullptr,
    };
}

// Registered while the program starts, so a component that loads the library by name finds it
// without knowing who provides it. The registry it goes into is made on first use, so the order
// in which libraries start does not matter.
const bool kRegisteredAtStart = (RegisterWinsockModule(), true);

}  // namespace

void RegisterWinsockModule() {
    RegisterModule(WinsockModule());
}

void RegisterWinsockErrorTextModule() {
    RegisterModule(TModuleDefinition{"wserr32.dll", {}, [](uint32_t Id) {
                                         return Id >= 10000 && Id <= 11004
                                                    ? WinsockErrorText(static_cast<int>(Id))
                                                    : std::string();
                                     }});
}

}  // namespace vex

// Referenced by the link option of every program that uses the library; see CMakeLists.txt.
extern "C" const bool vex_winsock_module_anchor = vex::kRegisteredAtStart;
