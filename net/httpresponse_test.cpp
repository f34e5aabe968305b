#include "net/httpresponse.h"

#include <gtest/gtest.h>

#include <string>

#include "net/componentexceptions.h"
#include "net/msheaders.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// A reader with its own header list and body.
struct Response {
    explicit Response(int64_t MaxBodySize = DefaultMaxMessageSize)
        : Reader(Headers, Body, MaxBodySize) {}

    // The message of the ESocketError that feeding Bytes (then the close, with Close) raises.
    std::string FailureOf(const std::string& Bytes, bool Close = false) {
        try {
            Reader.Feed(Bytes);
            if (Close) Reader.FeedEnd();
        } catch (const ESocketError& e) {
            return e.Message();
        }
        return "";
    }

    TmsHeaders Headers;
    TStringStream Body;
    THttpResponseReader Reader;
};

TEST(HttpResponseReader, FedOneByteAtATimeStopsAtTheEndOfTheResponse) {
    Response r;
    const std::string text = "HTTP/1.1 404 Not Found\nContent-Length: 3\n\nabc";
    size_t used = 0;
    for (char c : text + "EXTRA")
        used += r.Reader.Feed(std::string(1, c));
    EXPECT_EQ(used, text.size());
    EXPECT_EQ(r.Reader.StatusCode(), 404);
    EXPECT_EQ(r.Body.DataString(), "abc");
}

// Hostile framing: chunk sizes that are not strict hexadecimal or do not bound their data,
// bodies over the cap, chunked bodies cut short by the close.
TEST(HttpResponseReader, ReadsEachResponseOfTheFileOrFailsWithItsReason) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/http_responses.txt", "read")) {
        SCOPED_TRACE(c.Where);
        Response r(c.Int(0));
        EXPECT_EQ(r.FailureOf(c[2], c[1] == "close"), c[3]);
        EXPECT_EQ(r.Body.DataString(), c[4]);
        EXPECT_EQ(r.Reader.Complete(), c[3].empty());
    }
}

TEST(HttpResponseReader, HeaderLinesAreBoundedInLengthAndNumber) {
    const std::string longest(THttpResponseReader::MaxLineLength, 'a');
    EXPECT_EQ(Response().FailureOf("HTTP/1.0 200 OK\r\nX: " + longest),
              "Reply line longer than 65536 bytes");
    EXPECT_EQ(Response().FailureOf("HTTP/1.0 200 OK\r\n" + longest + "\r\n"), "");
    std::string many = "HTTP/1.0 200 OK\r\n";
    for (int i = 1; i <= THttpResponseReader::MaxHeaderLines; ++i)
        many += "X: 1\r\n";
    EXPECT_EQ(Response().FailureOf(many), "More than 1000 header lines");
}

}  // namespace
}  // namespace vex
