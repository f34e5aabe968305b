#include "net/httpresponse.h"

#include <algorithm>
#include <limits>

#include "net/componentexceptions.h"
#include "net/headerwords.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::string_view Blanks = " \t";

std::string_view TrimBlanks(std::string_view S) {
    const size_t first = S.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return S.substr(first, S.find_last_not_of(Blanks) - first + 1);
}

// A field line with white space between its name and the colon, which RFC 9112 section 5.1
// forbids: a reader that took the name without it and one that did not would frame the body
// differently. A continuation line is no field line.
bool HasBlankBeforeColon(std::string_view Line) {
    const size_t colon = Line.find(':');
    return !IsContinuationLine(Line) && colon != std::string_view::npos && colon > 0 &&
           Blanks.find(Line[colon - 1]) != std::string_view::npos;
}

// Value * Base + Digit, or false when that does not fit.
bool AppendDigit(int64_t& Value, int Base, int Digit) {
    if (Value > (std::numeric_limits<int64_t>::max() - Digit) / Base) return false;
    Value = Value * Base + Digit;
    return true;
}

}  // namespace

THttpResponseReader::THttpResponseReader(TmsHeaders& Headers, TStream& Body, int64_t MaxBodySize)
    : FHeaders(Headers), FBody(Body), FMaxBodySize(MaxBodySize) {}

THttpResponseReader::TStep THttpResponseReader::Step() const {
    switch (FState) {
        case TState::Data:
            return TStep::Data;
        case TState::UntilClose:
            return TStep::UntilClose;
        case TState::Complete:
            return TStep::Complete;
        default:
            return TStep::Line;
    }
}

size_t THttpResponseReader::Feed(std::string_view Bytes) {
    size_t used = 0;
    while (used < Bytes.size() && FState != TState::Complete) {
        const std::string_view rest = Bytes.substr(used);
        if (FState == TState::Data) {
            const size_t take = static_cast<size_t>(
                std::min<int64_t>(FDataLeft, static_cast<int64_t>(rest.size())));
            WriteBody(rest.substr(0, take));
            used += take;
            FDataLeft -= static_cast<int64_t>(take);
            if (FDataLeft == 0) FState = FChunked ? TState::ChunkEnd : TState::Complete;
        } else if (FState == TState::UntilClose) {
            CountBody(static_cast<int64_t>(rest.size()));
            WriteBody(rest);
            used = Bytes.size();
        } else {
            const size_t lineFeed = rest.find('\n');
            const size_t take = lineFeed == std::string_view::npos ? rest.size() : lineFeed + 1;
            FLine.append(rest.substr(0, take));
            used += take;
            // Room for the text and its CR; a line feed would not fit a line already this long.
            if (FLine.size() > MaxLineLength + 1 + (lineFeed != std::string_view::npos))
                Fail("Reply line longer than " + IntToStr(MaxLineLength) + " bytes");
            if (lineFeed == std::string_view::npos) continue;
            std::string line = std::move(FLine);
            FLine.clear();
            line.erase(line.find_last_not_of("\r\n") + 1);
            if (line.size() > MaxLineLength)
                Fail("Reply line longer than " + IntToStr(MaxLineLength) + " bytes");
            TakeLine(std::move(line));
        }
    }
    return used;
}

void THttpResponseReader::FeedEnd() {
    switch (FState) {
        case TState::Headers:
            Fail("Connection closed in the response headers");
        case TState::ChunkSize:
        case TState::ChunkEnd:
        case TState::Trailer:
            Fail("Connection closed in the chunked body");
        case TState::Data:
            Fail("Connection closed after " + IntToStr(FDataSize - FDataLeft) + " of " +
                 IntToStr(FDataSize) + " bytes");
        case TState::UntilClose:
        case TState::Complete:
            FState = TState::Complete;
            return;
    }
}

void THttpResponseReader::TakeLine(std::string Line) {
    switch (FState) {
        case TState::Headers:
            TakeHeaderLine(std::move(Line));
            return;
        case TState::ChunkSize:
            TakeChunkSize(Line);
            return;
        case TState::ChunkEnd:
            // The data of a chunk ends with an empty line; anything else means the sizes and
            // the data disagree, and what follows can't be trusted.
            if (!Line.empty()) Fail("Chunk data longer than its size");
            FState = TState::ChunkSize;
            return;
        case TState::Trailer:
            TakeTrailerLine(Line);
            return;
        default:
            return;
    }
}

void THttpResponseReader::TakeHeaderLine(std::string Line) {
    if (FHeaderLines >= MaxHeaderLines)
        Fail("More than " + IntToStr(MaxHeaderLines) + " header lines");
    const bool last = Line.empty();
    if (FHeaderLines == 0)
        FStatusCode = GetIntWord(Line, 1);
    else if (HasBlankBeforeColon(Line))
        Fail("Invalid header line \"" + Line.substr(0, 64) + "\"");
    FHeaders.Add(Line);
    ++FHeaderLines;
    if (!last) return;
    if (FStatusCode < 100 || FStatusCode > 199) {
        StartBody();
        return;
    }
    // An interim response ("100 Continue") has no body; the final one follows it.
    if (++FInterimResponses > MaxInterimResponses)
        Fail("More than " + IntToStr(MaxInterimResponses) + " interim responses");
    FHeaders.Clear();
    FHeaderLines = 0;
    FStatusCode = -1;
}

bool THttpResponseReader::ReadContentLength(std::string& Digits) const {
    bool present = false;
    for (int32_t i = 1; i < FHeaders.Count(); ++i) {
        std::string line = FHeaders[i];
        if (!SameText(FieldNameOf(line), "Content-Length")) continue;
        // A folded value is read unfolded, as every other lookup reads it: framing the body by
        // its first line alone would disagree with them.
        for (int32_t k = i + 1; k < FHeaders.Count() && IsContinuationLine(FHeaders[k]); ++k)
            line += ' ' + FHeaders[k];
        // A list of values ("5, 5") is what a proxy makes of repeated headers.
        const std::string_view values =
            TrimBlanks(std::string_view(line).substr(line.find(':') + 1));
        std::string_view rest = values;
        for (;;) {
            const size_t comma = std::min(rest.find(','), rest.size());
            const std::string_view value = TrimBlanks(rest.substr(0, comma));
            if (value.empty() || !std::all_of(value.begin(), value.end(),
                                              [](char C) { return C >= '0' && C <= '9'; }))
                Fail("Invalid Content-Length \"" + std::string(values.substr(0, 64)) + "\"");
            const std::string_view digits =
                value.substr(std::min(value.find_first_not_of('0'), value.size() - 1));
            if (present && digits != Digits) Fail("Conflicting Content-Length values");
            Digits = digits;
            present = true;
            if (comma == rest.size()) break;
            rest.remove_prefix(comma + 1);
        }
    }
    return present;
}

void THttpResponseReader::StartBody() {
    std::string value;
    FHeaders.GetFieldValue("Transfer-Encoding", value);
    if (UpperCase(value).find("CHUNKED") != std::string::npos) {
        FChunked = true;
        FState = TState::ChunkSize;
        return;
    }

    // Without a count the body runs until the server closes the connection; a count that is
    // there but can't be read, or two that differ, leave no way to tell where the body ends.
    std::string length;
    if (!ReadContentLength(length)) {
        FState = TState::UntilClose;
        return;
    }
    int64_t size = 0;
    for (char c : length) {
        if (!AppendDigit(size, 10, c - '0'))
            Fail("Invalid Content-Length \"" + length.substr(0, 64) + "\"");
        if (size > FMaxBodySize) CountBody(size);
    }
    CountBody(size);
    FDataSize = FDataLeft = size;
    FState = size == 0 ? TState::Complete : TState::Data;
}

void THttpResponseReader::TakeChunkSize(const std::string& Line) {
    const std::string_view size = TrimBlanks(std::string_view(Line).substr(0, Line.find(';')));
    const auto invalid = [&] { Fail("Invalid chunk size \"" + Line.substr(0, 64) + "\""); };
    if (size.empty()) invalid();
    int64_t value = 0;
    for (char c : size) {
        const int digit = HexDigit(c);
        if (digit < 0 || !AppendDigit(value, 16, digit)) invalid();
        if (value > FMaxBodySize) CountBody(value);
    }
    if (value == 0) {
        FState = TState::Trailer;
        return;
    }
    CountBody(value);
    FDataSize = FDataLeft = value;
    FState = TState::Data;
}

void THttpResponseReader::TakeTrailerLine(const std::string& Line) {
    if (Line.empty()) {
        FState = TState::Complete;
        return;
    }
    if (++FTrailerLines > MaxHeaderLines)
        Fail("More than " + IntToStr(MaxHeaderLines) + " trailer lines");
}

void THttpResponseReader::CountBody(int64_t Size) {
    if (Size > FMaxBodySize - FBodySize)
        Fail("Response body longer than " + IntToStr(FMaxBodySize) + " bytes");
    FBodySize += Size;
}

void THttpResponseReader::WriteBody(std::string_view Bytes) {
    FBody.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

void THttpResponseReader::Fail(const std::string& Text) {
    throw ESocketError(Text);
}

}  // namespace vex
