#include "net/agwsock.h"

#include <gtest/gtest.h>

#include "net/agsocket_testsupport.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {
namespace {

using test::ErrorMessageOf;

// The binding is shared by the whole program; the test starts and leaves it unloaded.
TEST(WinsockBinding, AMissingLibraryFunctionOrErrorTextIsReported) {
    TagWinsock& winsock = agWinsock();
    winsock.Unload();
    EXPECT_EQ(ErrorMessageOf<EWinsockDLLError>([&] { winsock.WSACleanup(); }),
              "Winsock is not loaded");
    // This one is looked up without the loaded check, so it reports a missing function.
    EXPECT_EQ(ErrorMessageOf<EWinsockDLLError>([&] { winsock.inet_addr("127.0.0.1"); }),
              "Function inet_addr not found");
    winsock.Load();
    EXPECT_EQ(ErrorMessageOf<EWinsockDLLError>([&] { winsock.GetProc("WSAAsyncGetProtoByName"); }),
              "Function WSAAsyncGetProtoByName not found");
    winsock.Unload();  // and is left unloaded
    UnregisterModule("wsock32.dll");
    EXPECT_EQ(ErrorMessageOf<EWinsockDLLError>([&] { winsock.Load(); }), "Winsock not found");
    EXPECT_FALSE(winsock.IsLoaded());
    RegisterWinsockModule();

    RegisterWinsockErrorTextModule();  // the socket's tests use its texts of Winsock's codes
    EXPECT_EQ(WinsockErrorMessage(57000), "");
    UnregisterModule("wserr32.dll");
}

}  // namespace
}  // namespace vex
