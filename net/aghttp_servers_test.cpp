#include <gtest/gtest.h>

#include <string>

#include "net/aghttp.h"
#include "tests/support/httpservers.h"

namespace vex {
namespace {

using namespace vex::test;

// A client whose time-out is the watchdog of every wait.
std::unique_ptr<TagHTTP> Client(const std::string& URL, const std::string& Proxy = "") {
    auto http = std::make_unique<TagHTTP>(nullptr);
    http->SetWinsockLoaded(true);
    http->SetTimeOut(10);
    http->SetProxy(Proxy);
    http->SetURL(URL);
    return http;
}

std::string BodyOf(TagHTTP& Http) {
    return std::string(Http.Body().Memory(), static_cast<size_t>(Http.Body().Size()));
}

// Bytes of every value, longer than one read, so the body is put together from many.
std::string VersionFile() {
    std::string contents = "2.17\r\n2003-05-01\r\n";
    for (int i = 0; i < 40000; ++i)
        contents += static_cast<char>(i * 7 % 256);
    return contents;
}

TEST(HttpWithPythonServer, AFileComesBackWholeAndAMissingOneGives404) {
    PythonHttpServer server;
    server.AddFile("version.txt", VersionFile());
    auto http = Client(server.Url("version.txt"));
    EXPECT_EQ(http->Get(), 200);
    EXPECT_EQ(BodyOf(*http), VersionFile());
    http->SetURL(server.Url("missing.txt"));
    EXPECT_EQ(http->Get(), 404);
    EXPECT_NE(BodyOf(*http).find("File not found"), std::string::npos);
}

// Tinyproxy's configuration can't hold a password with a blank, so the proxy's password is
// "open-sesame"; the exact bytes of "open sesame" are checked against a scripted proxy.
TEST(HttpThroughTinyproxy, TheRightCredentialsReachTheServerAndOthersAreRefused) {
    PythonHttpServer server;
    server.AddFile("version.txt", VersionFile());
    TinyProxyServer proxy("Aladdin", "open-sesame");
    auto http = Client(server.Url("version.txt"), proxy.Address());
    http->SetProxyUserName("Aladdin");
    http->SetProxyPassword("open-sesame");
    EXPECT_EQ(http->Get(), 200);
    EXPECT_EQ(BodyOf(*http), VersionFile());

    http->SetProxyUserName("");
    EXPECT_EQ(http->Get(), 407);
    // Tinyproxy answers wrong credentials with 401 rather than 407.
    http->SetProxyUserName("Aladdin");
    http->SetProxyPassword("open sesame");
    const int32_t refused = http->Get();
    EXPECT_TRUE(refused == 401 || refused == 407) << refused;
}

}  // namespace
}  // namespace vex
