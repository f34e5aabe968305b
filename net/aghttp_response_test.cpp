#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "net/aghttp.h"
#include "net/componentexceptions.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

// Reads the four request lines and the empty line, then sends Response and closes.
Script Answer(const std::string& Response) {
    return {ReadLine(), ReadLine(), ReadLine(), ReadLine(), ReadLine(), Send(Response), Close()};
}

// A client of the server's root; its time-out is the watchdog of every wait.
std::unique_ptr<TagHTTP> ClientOf(const ScriptedServer& Server) {
    auto http = std::make_unique<TagHTTP>(nullptr);
    http->SetWinsockLoaded(true);
    http->SetTimeOut(10);
    http->SetURL("http://" + Server.Address() + "/");
    return http;
}

std::string BodyOf(TagHTTP& Http) {
    return std::string(Http.Body().Memory(), static_cast<size_t>(Http.Body().Size()));
}

Lines HeadersOf(TagHTTP& Http) {
    Lines lines;
    for (int32_t i = 0; i < Http.ResponseHeaders().Count(); ++i)
        lines.push_back(Http.ResponseHeaders()[i]);
    return lines;
}

TEST(HttpGet, JoinsAChunkedBodySkippingExtensionsAndTheTrailer) {
    ScriptedServer server(
        Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
               "5;ext=1\r\nhello\r\n3\r\nabc\r\n0\r\nX-Checksum: 1\r\n\r\n"));
    auto http = ClientOf(server);
    EXPECT_EQ(http->Get(), 200);
    EXPECT_EQ(BodyOf(*http), "helloabc");
    EXPECT_EQ(http->Body().Position(), 0);
    EXPECT_EQ(HeadersOf(*http), (Lines{"HTTP/1.1 200 OK", "Transfer-Encoding: chunked", ""}));
    EXPECT_FALSE(http->Connected());
}

TEST(HttpGet, ReadsABodyWithoutACountUntilTheServerCloses) {
    ScriptedServer server({ReadLine(), ReadLine(), ReadLine(), ReadLine(), ReadLine(),
                           Send("HTTP/1.0 404 Not Found\r\n\r\nno such "), Delay(50), Send("file"),
                           Close()});
    auto http = ClientOf(server);
    EXPECT_EQ(http->Get(), 404);
    EXPECT_EQ(BodyOf(*http), "no such file");
}

TEST(HttpGet, ACountOfZeroReturnsWithoutWaitingForTheClose) {
    ScriptedServer server({ReadLine(), ReadLine(), ReadLine(), ReadLine(), ReadLine(),
                           Send("HTTP/1.0 204 No Content\r\nContent-Length: 0\r\n\r\n"), Silent()});
    auto http = ClientOf(server);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(http->Get(), 204);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(BodyOf(*http), "");
}

TEST(HttpGet, ReportsProgressOfACountedBody) {
    ScriptedServer server(Answer("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n1.2\n"));
    auto http = ClientOf(server);
    std::vector<int32_t> percents;
    http->OnProgress = [&](TObject*, int32_t Perc, int32_t) { percents.push_back(Perc); };
    http->Get();
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
}

TEST(HttpGet, AResponseCutShortOrMalformedFailsAfterOnErrorAndKeepsWhatArrived) {
    struct Case {
        std::string Response;
        std::string Failure;
        Lines Headers;
        std::string Body;
    };
    const std::vector<Case> cases = {
        {"", "Connection closed in the response headers", {}, ""},
        {"HTTP/1.0 200 OK\r\nContent-Le",
         "Connection closed in the response headers",
         {"HTTP/1.0 200 OK"},
         ""},
        {"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc",
         "Connection closed after 3 of 10 bytes",
         {"HTTP/1.0 200 OK", "Content-Length: 10", ""},
         "abc"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n3\r\nab",
         "Connection closed after 2 of 3 bytes",
         {"HTTP/1.1 200 OK", "Transfer-Encoding: chunked", ""},
         "helloab"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\nzz\r\n",
         "Invalid chunk size \"zz\"",
         {"HTTP/1.1 200 OK", "Transfer-Encoding: chunked", ""},
         "hello"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 67108865\r\n\r\n",
         "Response body longer than 67108864 bytes",
         {"HTTP/1.0 200 OK", "Content-Length: 67108865", ""},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Response);
        ScriptedServer server(Answer(c.Response));
        auto http = ClientOf(server);
        Lines errors;
        http->OnError = [&](TObject*, std::string& Msg) { errors.push_back(Msg); };
        try {
            http->Get();
            ADD_FAILURE() << "no exception";
        } catch (const ESocketError& e) {
            EXPECT_EQ(e.Message(), c.Failure);
        }
        EXPECT_EQ(errors, Lines{c.Failure});
        EXPECT_EQ(HeadersOf(*http), c.Headers);
        EXPECT_EQ(BodyOf(*http), c.Body);
        EXPECT_FALSE(http->Connected());
    }
}

TEST(HttpGet, AnUnsetServerFailsBeforeAnyNetworkCall) {
    TagHTTP http(nullptr);
    http.SetWinsockLoaded(true);
    std::string seen;
    http.OnError = [&](TObject*, std::string& Msg) { seen = Msg; };
    EXPECT_THROW(http.Get(), ESocketError);
    EXPECT_EQ(seen, "Server property is required");
}

}  // namespace
}  // namespace vex
