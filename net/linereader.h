#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace vex {

class TStream;

// The lines of a stream, from its start, handed out as views into a buffer that holds a piece
// of it at a time: a message is read without a copy of the whole of it. A line ends at CR LF,
// LF or a lone CR; a final line without a break still counts, and a final break adds no empty
// line. Lines may be of any length (the buffer grows to hold the longest) and may hold NUL
// bytes. The stream is not owned and must outlive the reader.
class TLineReader {
public:
    // Reads no further than Limit bytes from the start of Stream; -1 reads all of it.
    explicit TLineReader(TStream& Stream, int64_t Limit = -1);
    TLineReader(const TLineReader&) = delete;
    TLineReader& operator=(const TLineReader&) = delete;

    // The next line without its break, valid until the next call or Reset; false, with Line
    // empty, when none is left.
    bool ReadLine(std::string_view& Line);
    // Every byte up to the limit has been handed out, the last line's break included.
    bool AtEnd() const { return FStart == FEnd && FRead == FLimit; }
    // The bytes up to the limit not yet handed out.
    int64_t Remaining() const { return FLimit - FRead + static_cast<int64_t>(FEnd - FStart); }
    // Back to the first line.
    void Reset();

    // Bytes read from the stream at a time.
    static constexpr size_t ChunkSize = 64 * 1024;

private:
    // Reads more of the stream behind what is held, moving that to the front of the buffer
    // and growing the buffer when it is full. Only called while some of the limit is unread; a
    // stream that gives nothing more ends the data there.
    void Fill();
    // The first C from FStart up to Before, Before when there is none. Next holds where the
    // last search stopped: no C lies between FStart and it, so no byte is searched twice.
    size_t Find(char C, size_t& Next, size_t Before) const;

    TStream& FStream;
    int64_t FLimit;
    int64_t FRead = 0;  // bytes of the stream read into the buffer so far
    std::unique_ptr<char[]> FBuffer;
    size_t FCapacity = 0;
    size_t FStart = 0;  // the first byte not yet handed out
    size_t FEnd = 0;    // the end of what the buffer holds
    size_t FNextCR = 0;
    size_t FNextLF = 0;
};

}  // namespace vex
