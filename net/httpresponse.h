#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "net/agsocket.h"
#include "net/msheaders.h"
#include "platform/core/stream.h"

namespace vex {

// Reads one HTTP/1.0 response from the bytes it is fed: the status line and the header lines
// up to the empty line, then a body that is chunked, counted by Content-Length or ended by the
// server's close. Everything it reads comes from an untrusted server, so lines, the number of
// header lines and the body are bounded, and any framing it can't follow raises ESocketError
// instead of guessing; so does a header line with white space before its colon, which the body's
// framing and a later lookup of the field could read apart. Header lines go to Headers and body
// bytes to Body as they arrive, so whatever came before a failure stays there.
class THttpResponseReader {
public:
    static constexpr size_t MaxLineLength = MaxReplyLineLength;
    static constexpr int32_t MaxHeaderLines = 1000;
    // "100 Continue" and its kind, skipped before the final response.
    static constexpr int32_t MaxInterimResponses = 10;

    // What the reader waits for: a line, DataWanted() bytes of a body or a chunk, everything up
    // to the server's close, or nothing more.
    enum class TStep { Line, Data, UntilClose, Complete };

    THttpResponseReader(TmsHeaders& Headers, TStream& Body,
                        int64_t MaxBodySize = DefaultMaxMessageSize);

    // Takes bytes as they come and returns how many belong to the response; bytes after its end
    // are not taken.
    size_t Feed(std::string_view Bytes);
    // The server closed the connection: completes a body read until the close, and raises when
    // the response was cut short anywhere else.
    void FeedEnd();

    TStep Step() const;
    int64_t DataWanted() const { return FState == TState::Data ? FDataLeft : 0; }
    bool Complete() const { return FState == TState::Complete; }
    // The second word of the status line as a number; -1 before it or when it holds none.
    int32_t StatusCode() const { return FStatusCode; }

private:
    enum class TState { Headers, ChunkSize, Data, ChunkEnd, Trailer, UntilClose, Complete };

    void TakeLine(std::string Line);
    void TakeHeaderLine(std::string Line);
    void StartBody();
    // The decimal digits of the Content-Length headers, without leading zeros; false when there
    // is none. A value that is no number, or values that differ, raise ESocketError.
    bool ReadContentLength(std::string& Digits) const;
    void TakeChunkSize(const std::string& Line);
    void TakeTrailerLine(const std::string& Line);
    void WriteBody(std::string_view Bytes);
    void CountBody(int64_t Size);
    [[noreturn]] static void Fail(const std::string& Text);

    TmsHeaders& FHeaders;
    TStream& FBody;
    int64_t FMaxBodySize;
    TState FState = TState::Headers;
    bool FChunked = false;
    std::string FLine;      // the part of a line read so far
    int64_t FDataLeft = 0;  // of the chunk or the counted body
    int64_t FDataSize = 0;  // the whole count of the chunk or the counted body
    int64_t FBodySize = 0;  // announced or read so far
    int32_t FHeaderLines = 0;
    int32_t FTrailerLines = 0;
    int32_t FInterimResponses = 0;
    int32_t FStatusCode = -1;
};

}  // namespace vex
