#include "platform/core/stream.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"

namespace vex {
namespace {

// Notes where each piece it is given starts and how long it is, without touching its bytes, and
// moves one byte short from the piece ShortAt on.
class TPieceLog : public TStream {
public:
    struct Piece {
        int64_t Offset;
        int32_t Count;
        bool operator==(const Piece&) const = default;
        friend void PrintTo(const Piece& P, std::ostream* Os) {
            *Os << P.Count << " bytes at " << P.Offset;
        }
    };
    TPieceLog(const char* Base, size_t ShortAt) : FBase(Base), FShortAt(ShortAt) {}

    int32_t Read(void* Buffer, int32_t Count) override { return Note(Buffer, Count); }
    int32_t Write(const void* Buffer, int32_t Count) override { return Note(Buffer, Count); }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
    void SetSize(int64_t) override {}

    std::vector<Piece> Pieces;

private:
    int32_t Note(const void* Buffer, int32_t Count) {
        Pieces.push_back({static_cast<const char*>(Buffer) - FBase, Count});
        return Pieces.size() > FShortAt ? Count - 1 : Count;
    }
    const char* FBase;
    size_t FShortAt;
};

TEST(StreamBuffers, CountsPastAnIntegerMoveInPiecesAnIntegerHoldsAndAShortPieceRaises) {
    // Address space that is never touched: the counts below cost no memory.
    constexpr int64_t Reserved = int64_t{5} << 30;
    void* block =
        mmap(nullptr, Reserved, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(block, MAP_FAILED);
    char* base = static_cast<char*>(block);
    constexpr int64_t Largest = INT32_MAX;
    using Pieces = std::vector<TPieceLog::Piece>;
    const struct {
        int64_t Count;
        Pieces Expected;
    } cases[] = {
        {0, {}},
        {1, {{0, 1}}},
        {Largest, {{0, INT32_MAX}}},
        {Largest + 1, {{0, INT32_MAX}, {Largest, 1}}},
        {Reserved, {{0, INT32_MAX}, {Largest, INT32_MAX}, {2 * Largest, 1073741826}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Count);
        TPieceLog written(base, SIZE_MAX), read(base, SIZE_MAX);
        written.WriteBuffer(base, c.Count);
        read.ReadBuffer(base, c.Count);
        EXPECT_EQ(written.Pieces, c.Expected);
        EXPECT_EQ(read.Pieces, c.Expected);
    }
    // A piece moved short, past the first, or a count below zero, is the whole one failing.
    for (const int64_t count : {Reserved, int64_t{-1}}) {
        SCOPED_TRACE(count);
        TPieceLog written(base, 1), read(base, 1);
        EXPECT_THROW(written.WriteBuffer(base, count), EWriteError);
        EXPECT_THROW(read.ReadBuffer(base, count), EReadError);
        EXPECT_EQ(written.Pieces.size(), count > 0 ? 2u : 0u);
    }
    munmap(block, Reserved);
}

// Memory is not cleared when it is taken, so every byte the stream grows by must be written or
// zeroed, also where a cut left old bytes behind in the room it holds.
TEST(MemoryStream, GrowsWithZerosInGapsAndKeepsItsBytesWhateverRoomItHolds) {
    TMemoryStream stream;
    stream.SetCapacity(16);
    EXPECT_EQ(stream.Capacity(), 16);
    EXPECT_EQ(stream.Size(), 0);
    stream.WriteBuffer("abcdefgh", 8);
    stream.SetSize(2);
    stream.SetSize(4);
    EXPECT_EQ(std::string(stream.Memory(), 4), std::string("ab\0\0", 4));
    stream.SetPosition(6);
    stream.WriteBuffer("z", 1);
    const std::string expected("ab\0\0\0\0z", 7);
    EXPECT_EQ(std::string(stream.Memory(), 7), expected);
    stream.SetCapacity(0);  // never below the size
    EXPECT_EQ(stream.Capacity(), 7);
    EXPECT_EQ(std::string(stream.Memory(), 7), expected);
    stream.WriteBuffer(std::string(100000, 'x').data(), 100000);
    EXPECT_EQ(stream.Size(), 100007);
    EXPECT_EQ(std::string(stream.Memory(), 7), expected);
    stream.Clear();
    EXPECT_EQ(stream.Capacity(), 0);
    EXPECT_EQ(stream.Size(), 0);
}

// A stream moved from keeps nothing that speaks of the memory it gave away: it reads as empty and
// takes new data, and one moved onto lets go of its own.
TEST(MemoryStream, MovedFromIsEmptyAndStillUsable) {
    TMemoryStream from;
    from.WriteBuffer("hello", 5);
    TMemoryStream to(std::move(from));
    EXPECT_EQ(std::string(to.Memory(), static_cast<size_t>(to.Size())), "hello");
    EXPECT_EQ(to.Position(), 5);
    EXPECT_EQ(from.Size(), 0);
    EXPECT_EQ(from.Capacity(), 0);
    EXPECT_EQ(from.Position(), 0);
    char byte;
    EXPECT_EQ(from.Read(&byte, 1), 0);
    from.WriteBuffer("ab", 2);
    to = std::move(from);
    EXPECT_EQ(std::string(to.Memory(), static_cast<size_t>(to.Size())), "ab");
    EXPECT_EQ(from.Size(), 0);
    from.WriteBuffer("c", 1);
    EXPECT_EQ(std::string(from.Memory(), 1), "c");
}

}  // namespace
}  // namespace vex
