#include <gtest/gtest.h>

#include <string>

#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"

namespace vex {
namespace {

// Loads a module for the length of a test.
class Loaded {
public:
    explicit Loaded(const std::string& Name) : Handle(LoadLibrary(Name)) {}
    ~Loaded() {
        if (Handle >= 32) FreeLibrary(Handle);
    }
    HMODULE Handle;
};

TEST(WinsockModule, EveryFunctionIsFoundByItsExportedName) {
    Loaded library("WSOCK32.DLL");
    ASSERT_GE(library.Handle, 32u);
    for (const char* name : {"closesocket",
                             "connect",
                             "htons",
                             "inet_addr",
                             "ntohl",
                             "ntohs",
                             "recv",
                             "send",
                             "socket",
                             "gethostbyname",
                             "gethostname",
                             "getservbyname",
                             "WSAStartup",
                             "WSACleanup",
                             "WSAGetLastError",
                             "WSAIsBlocking",
                             "WSACancelBlockingCall",
                             "WSAAsyncGetServByName",
                             "WSAAsyncGetHostByName",
                             "WSACancelAsyncRequest",
                             "WSAAsyncSelect",
                             "sendto",
                             "recvfrom",
                             "inet_ntoa",
                             "htonl",
                             "WSASetLastError"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(GetProcAddress(library.Handle, name), nullptr);
    }
    EXPECT_EQ(GetProcAddress(library.Handle, "WSAIoctl"), nullptr);
    EXPECT_EQ(GetProcAddress(library.Handle, "Socket"), nullptr) << "names are exact";

    auto startup = ProcAs<int (*)(WORD, WSADATA*)>(GetProcAddress(library.Handle, "WSAStartup"));
    auto cleanup = ProcAs<int (*)()>(GetProcAddress(library.Handle, "WSACleanup"));
    WSADATA data;
    EXPECT_EQ(startup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(cleanup(), 0);
}

TEST(WinsockModule, RegisteringAgainKeepsItLoadable) {
    RegisterWinsockModule();
    RegisterWinsockModule();
    Loaded library("wsock32.dll");
    EXPECT_GE(library.Handle, 32u);
}

TEST(ErrorTextModule, IsThereOnlyWhenRegistered) {
    {
        Loaded missing("wserr32.dll");
        EXPECT_EQ(missing.Handle, 2u);
    }
    RegisterWinsockErrorTextModule();
    {
        Loaded library("wserr32.dll");
        ASSERT_GE(library.Handle, 32u);
        char text[255];
        EXPECT_GT(LoadString(library.Handle, WSAECONNREFUSED, text, sizeof text), 0);
        EXPECT_STREQ(text, "Connection refused");
        EXPECT_GT(LoadString(library.Handle, WSAHOST_NOT_FOUND, text, sizeof text), 0);
        EXPECT_EQ(LoadString(library.Handle, 10000, text, sizeof text), 0);
        EXPECT_EQ(LoadString(library.Handle, 57000, text, sizeof text), 0);
    }
    UnregisterModule("wserr32.dll");
}

}  // namespace
}  // namespace vex
