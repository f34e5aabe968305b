#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <thread>

#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"

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

TEST(WinsockModule, EveryFunctionTheComponentsLookUpIsExportedByItsExactName) {
    RegisterWinsockModule();  // once more: a second registration must keep it loadable
    Loaded library("WSOCK32.DLL");
    ASSERT_GE(library.Handle, 32u);
    std::ifstream exports(VEX_SOURCE_DIR "/platform/winsock/testdata/wsock32-exports.txt");
    int count = 0;
    for (std::string name; std::getline(exports, name); ++count) {
        SCOPED_TRACE(name);
        EXPECT_NE(GetProcAddress(library.Handle, name), nullptr);
    }
    EXPECT_EQ(count, 26);
    EXPECT_EQ(GetProcAddress(library.Handle, "WSAIoctl"), nullptr);
    EXPECT_EQ(GetProcAddress(library.Handle, "Socket"), nullptr) << "names are exact";

    auto startup = ProcAs<int (*)(WORD, WSADATA*)>(GetProcAddress(library.Handle, "WSAStartup"));
    auto cleanup = ProcAs<int (*)()>(GetProcAddress(library.Handle, "WSACleanup"));
    WSADATA data;
    EXPECT_EQ(startup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(cleanup(), 0);
}

TEST(WinsockErrors, TheTextModuleIsThereOnlyWhenRegistered) {
    EXPECT_EQ(Loaded("wserr32.dll").Handle, 2u);
    RegisterWinsockErrorTextModule();
    {
        Loaded library("wserr32.dll");
        ASSERT_GE(library.Handle, 32u);
        char text[255];
        EXPECT_GT(LoadString(library.Handle, WSAECONNREFUSED, text, sizeof text), 0);
        EXPECT_STREQ(text, "Connection refused");
        EXPECT_EQ(LoadString(library.Handle, 10000, text, sizeof text), 0);
        EXPECT_EQ(LoadString(library.Handle, 57000, text, sizeof text), 0);
    }
    UnregisterModule("wserr32.dll");
}

TEST(WinsockErrors, EverySystemErrorMapsToACodeWithAText) {
    const struct {
        int Errno;
        int Code;
    } deliberate[] = {
        {EAGAIN, WSAEWOULDBLOCK}, {EINPROGRESS, WSAEWOULDBLOCK}, {EPIPE, WSAECONNRESET},
        {EBADF, WSAENOTSOCK},     {ECONNREFUSED, 10061},         {ENOENT, WSAENETDOWN},
    };
    for (const auto& c : deliberate) {
        SCOPED_TRACE(c.Errno);
        EXPECT_EQ(WinsockErrorFromErrno(c.Errno), c.Code);
    }
    for (int e = 1; e < 134; ++e) {
        SCOPED_TRACE(e);
        EXPECT_FALSE(WinsockErrorText(WinsockErrorFromErrno(e)).empty());
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

}  // namespace
}  // namespace vex
