#include "net/httpresponse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/componentexceptions.h"
#include "net/msheaders.h"
#include "platform/core/stream.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;
using TStep = THttpResponseReader::TStep;

// A reader with its own header list and body.
struct Response {
    explicit Response(int64_t MaxBodySize = DefaultMaxMessageSize)
        : Reader(Headers, Body, MaxBodySize) {}

    Lines HeaderLines() const {
        Lines lines;
        for (int32_t i = 0; i < Headers.Count(); ++i)
            lines.push_back(Headers[i]);
        return lines;
    }

    TmsHeaders Headers;
    TStringStream Body;
    THttpResponseReader Reader;
};

// The message of the ESocketError that Action raises; empty when it raises none.
template <typename F>
std::string FailureOf(F Action) {
    try {
        Action();
    } catch (const ESocketError& e) {
        return e.Message();
    }
    return "";
}

TEST(HttpResponseReader, KeepsTheStatusLineHeadersAndACountedBodyAndLeavesTheRest) {
    Response r;
    const std::string text = "HTTP/1.0 200 OK\r\nContent-Length: 5\r\nServer: x\r\n\r\nhello";
    EXPECT_EQ(r.Reader.Feed(text + "EXTRA"), text.size());
    EXPECT_TRUE(r.Reader.Complete());
    EXPECT_EQ(r.Reader.StatusCode(), 200);
    EXPECT_EQ(r.HeaderLines(), (Lines{"HTTP/1.0 200 OK", "Content-Length: 5", "Server: x", ""}));
    EXPECT_EQ(r.Body.DataString(), "hello");

    Response empty;  // a count of zero completes with the headers
    empty.Reader.Feed("HTTP/1.0 OK\r\nContent-Length: 0\r\n\r\n");
    EXPECT_TRUE(empty.Reader.Complete());
    EXPECT_EQ(empty.Reader.StatusCode(), -1);  // no number in the status line
    EXPECT_EQ(empty.Body.DataString(), "");
}

TEST(HttpResponseReader, GivesTheSameResultFedOneByteAtATime) {
    Response r;
    for (char c : std::string("HTTP/1.1 404 Not Found\nContent-Length: 3\n\nab"))
        r.Reader.Feed(std::string(1, c));
    EXPECT_EQ(r.Reader.Step(), TStep::Data);
    EXPECT_EQ(r.Reader.DataWanted(), 1);
    r.Reader.Feed("c");
    EXPECT_TRUE(r.Reader.Complete());
    EXPECT_EQ(r.Reader.StatusCode(), 404);
    EXPECT_EQ(r.Body.DataString(), "abc");
}

TEST(HttpResponseReader, ABodyWithoutAUsableCountRunsUntilTheClose) {
    for (const std::string length : {"", "Content-Length: abc\r\n", "Content-Length: -4\r\n"}) {
        SCOPED_TRACE(length);
        Response r;
        r.Reader.Feed("HTTP/1.0 200 OK\r\n" + length + "\r\nsome ");
        EXPECT_EQ(r.Reader.Step(), TStep::UntilClose);
        r.Reader.Feed("text");
        r.Reader.FeedEnd();
        EXPECT_TRUE(r.Reader.Complete());
        EXPECT_EQ(r.Body.DataString(), "some text");
    }
}

TEST(HttpResponseReader, JoinsChunksSkippingExtensionsAndTheTrailer) {
    Response r;
    r.Reader.Feed(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n"
        "5\r\nhello\r\n 3 ;name=value\r\nabc\r\n0\r\nExpires: never\r\n\r\n");
    EXPECT_TRUE(r.Reader.Complete());
    EXPECT_EQ(r.Body.DataString(), "helloabc");
}

TEST(HttpResponseReader, ChunkSizesAreStrictHexadecimalAndBoundTheirData) {
    struct Case {
        std::string Size;
        std::string Failure;
    };
    const std::vector<Case> cases = {
        {"a", ""},
        {"A", ""},
        {"\t00a  ", ""},
        {"a;x", ""},
        {"", "Invalid chunk size \"\""},
        {"0x0a", "Invalid chunk size \"0x0a\""},
        {"1 0", "Invalid chunk size \"1 0\""},
        {"-1", "Invalid chunk size \"-1\""},
        {"g", "Invalid chunk size \"g\""},
        {";x", "Invalid chunk size \";x\""},
        {"3", "Chunk data longer than its size"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Size);
        Response r;
        r.Reader.Feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        EXPECT_EQ(FailureOf([&] { r.Reader.Feed(c.Size + "\r\n0123456789\r\n0\r\n\r\n"); }),
                  c.Failure);
        if (c.Failure.empty()) {
            EXPECT_EQ(r.Body.DataString(), "0123456789");
        }
    }
}

TEST(HttpResponseReader, BodiesAreCappedWhateverTheirFraming) {
    const std::vector<std::string> responses = {
        "HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\n",
        "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999999999\r\n\r\n",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\nabcdef\r\n5\r\n",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffffffffff\r\n",
        "HTTP/1.0 200 OK\r\n\r\n0123456789a",
    };
    for (const std::string& response : responses) {
        SCOPED_TRACE(response);
        Response r(10);
        EXPECT_EQ(FailureOf([&] { r.Reader.Feed(response); }),
                  "Response body longer than 10 bytes");
        EXPECT_LE(r.Body.DataString().size(), 10u);
    }
}

TEST(HttpResponseReader, HeaderLinesAreBoundedInLengthAndNumber) {
    Response longLine;
    EXPECT_EQ(FailureOf([&] {
                  longLine.Reader.Feed("HTTP/1.0 200 OK\r\nX: " +
                                       std::string(THttpResponseReader::MaxLineLength, 'a'));
              }),
              "Reply line longer than 65536 bytes");

    Response longest;
    longest.Reader.Feed("HTTP/1.0 200 OK\r\n" +
                        std::string(THttpResponseReader::MaxLineLength, 'a') + "\r\n");
    EXPECT_EQ(longest.Reader.Step(), TStep::Line);

    Response many;
    std::string response = "HTTP/1.0 200 OK\r\n";
    for (int i = 1; i < THttpResponseReader::MaxHeaderLines; ++i)
        response += "X: 1\r\n";
    many.Reader.Feed(response);
    EXPECT_EQ(FailureOf([&] { many.Reader.Feed("\r\n"); }), "More than 1000 header lines");
    EXPECT_EQ(many.Headers.Count(), THttpResponseReader::MaxHeaderLines);
}

TEST(HttpResponseReader, AResponseCutShortByTheCloseIsAnError) {
    struct Case {
        std::string Received;
        std::string Failure;
    };
    const std::vector<Case> cases = {
        {"", "Connection closed in the response headers"},
        {"HTTP/1.0 200 OK\r\nContent-Len", "Connection closed in the response headers"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc",
         "Connection closed after 3 of 10 bytes"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel",
         "Connection closed after 3 of 5 bytes"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n",
         "Connection closed in the chunked body"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\nX: 1\r\n",
         "Connection closed in the chunked body"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Received);
        Response r;
        r.Reader.Feed(c.Received);
        EXPECT_EQ(FailureOf([&] { r.Reader.FeedEnd(); }), c.Failure);
        EXPECT_FALSE(r.Reader.Complete());
    }
}

}  // namespace
}  // namespace vex
