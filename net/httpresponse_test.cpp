#include "net/httpresponse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/componentexceptions.h"
#include "net/msheaders.h"
#include "platform/core/stream.h"

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

TEST(HttpResponseReader, ChunkSizesAreStrictHexadecimalAndBoundTheirData) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a", ""},
        {"\t00A;x  ", ""},
        {"", "Invalid chunk size \"\""},
        {"0x0a", "Invalid chunk size \"0x0a\""},
        {"1 0", "Invalid chunk size \"1 0\""},
        {"-1", "Invalid chunk size \"-1\""},
        {"3", "Chunk data longer than its size"},
    };
    for (const auto& [size, failure] : cases) {
        SCOPED_TRACE(size);
        Response r;
        r.Reader.Feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        EXPECT_EQ(r.FailureOf(size + "\r\n0123456789\r\n0\r\n\r\n"), failure);
        if (failure.empty()) {
            EXPECT_EQ(r.Body.DataString(), "0123456789");
        }
    }
}

TEST(HttpResponseReader, BodiesAreCappedWhateverTheirFraming) {
    for (const std::string response : {
             "HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\n",
             "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999999999\r\n\r\n",
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\nabcdef\r\n5\r\n",
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffffff\r\n",
             "HTTP/1.0 200 OK\r\n\r\n0123456789a",
         }) {
        SCOPED_TRACE(response);
        Response r(10);
        EXPECT_EQ(r.FailureOf(response), "Response body longer than 10 bytes");
        EXPECT_LE(r.Body.DataString().size(), 10u);
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

TEST(HttpResponseReader, AChunkedBodyCutShortByTheCloseIsAnError) {
    const std::string head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (const std::string rest : {"5\r\nhel", "5\r\nhello\r\n", "0\r\nX: 1\r\n"}) {
        SCOPED_TRACE(rest);
        Response r;
        EXPECT_NE(r.FailureOf(head + rest, true), "");
        EXPECT_FALSE(r.Reader.Complete());
    }
}

}  // namespace
}  // namespace vex
