#include "net/linereader.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/core/stream.h"

namespace vex {

TLineReader::TLineReader(TStream& Stream, int64_t Limit) : FStream(Stream) {
    const int64_t size = Stream.Size();
    FLimit = Limit < 0 ? size : std::min(Limit, size);
}

void TLineReader::Reset() {
    FRead = 0;
    FStart = FEnd = FNextCR = FNextLF = 0;
}

size_t TLineReader::Find(char C, size_t& Next, size_t Before) const {
    Next = std::max(Next, FStart);
    if (Next >= Before) return Before;
    const void* found = std::memchr(FBuffer.get() + Next, C, Before - Next);
    Next = found ? static_cast<size_t>(static_cast<const char*>(found) - FBuffer.get()) : Before;
    return Next;
}

void TLineReader::Fill() {
    const int64_t unread = FLimit - FRead;
    const size_t held = FEnd - FStart;
    if (FStart > 0) {
        std::memmove(FBuffer.get(), FBuffer.get() + FStart, held);
        FNextCR -= std::min(FNextCR, FStart);
        FNextLF -= std::min(FNextLF, FStart);
        FStart = 0;
        FEnd = held;
    }
    if (FEnd == FCapacity) {
        const size_t capacity = static_cast<size_t>(std::min<int64_t>(
            std::max(FCapacity * 2, ChunkSize), static_cast<int64_t>(held) + unread));
        auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
        if (held > 0) std::memcpy(buffer.get(), FBuffer.get(), held);
        FBuffer = std::move(buffer);
        FCapacity = capacity;
    }
    // Read where this reader left off, whatever else has moved the stream's position since.
    FStream.SetPosition(FRead);
    const auto count = static_cast<int32_t>(
        std::min<int64_t>({static_cast<int64_t>(FCapacity - FEnd), unread, INT32_MAX}));
    const int32_t read = FStream.Read(FBuffer.get() + FEnd, count);
    if (read <= 0) {
        // The stream is shorter than it said: what it gave is all there is.
        FLimit = FRead;
        return;
    }
    FEnd += static_cast<size_t>(read);
    FRead += read;
}

bool TLineReader::ReadLine(std::string_view& Line) {
    for (;;) {
        const size_t cr = Find('\r', FNextCR, FEnd);
        const size_t end = Find('\n', FNextLF, cr);
        // Without a break, or with a CR last, what follows may still change where the line
        // ends. Filling may move what is held, even when the stream then gives nothing, so the
        // search is made again after it.
        if ((end == FEnd || (end == cr && end + 1 == FEnd)) && FRead < FLimit) {
            Fill();
            continue;
        }
        if (end == FEnd && FStart == FEnd) {
            Line = {};
            return false;
        }
        Line = std::string_view(FBuffer.get() + FStart, end - FStart);
        size_t next = end;
        if (next < FEnd)
            next += (FBuffer[next] == '\r' && next + 1 < FEnd && FBuffer[next + 1] == '\n') ? 2 : 1;
        FStart = next;
        return true;
    }
}

}  // namespace vex
