#include "platform/core/stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

namespace vex {

namespace {

// Large enough to keep system calls few, small enough to stay off the heap's big-block path.
constexpr int32_t CopyBufferSize = 0xF000;

std::string WithSystemText(const std::string& Msg, int Error) {
    return Msg + ". " + std::strerror(Error);
}

// Far beyond any real memory; sizes above it come from wild positions, not from data, and are
// refused before an allocator is asked for them.
constexpr int64_t MaxMemorySize = int64_t{1} << 40;

// Resizes memory-held data, turning an impossible size into the library's own failure.
template <class Container>
void ResizeData(Container& Data, int64_t NewSize) {
    if (NewSize > MaxMemorySize) throw EOutOfMemory("Out of memory");
    try {
        Data.resize(static_cast<size_t>(NewSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Out of memory");
    }
}

// Positions far out of range saturate instead of wrapping, so a wild seek cannot turn into a
// write at a small offset.
int64_t SaturatedAdd(int64_t A, int64_t B) {
    int64_t r;
    if (!__builtin_add_overflow(A, B, &r)) return r;
    return B > 0 ? INT64_MAX : INT64_MIN;
}

// Moves Count bytes from Buffer on with MovePiece, which takes at most an Integer's worth at a
// time: false when a piece moves short, or the count is below zero.
template <class Byte, class Move>
bool MoveWhole(Byte* Buffer, int64_t Count, Move MovePiece) {
    if (Count < 0) return false;
    for (int64_t done = 0; done < Count;) {
        const auto piece = static_cast<int32_t>(std::min<int64_t>(Count - done, INT32_MAX));
        if (MovePiece(Buffer + done, piece) != piece) return false;
        done += piece;
    }
    return true;
}

int64_t SeekTarget(int64_t Offset, TSeekOrigin Origin, int64_t Current, int64_t Size) {
    switch (Origin) {
        case soFromBeginning:
            return Offset;
        case soFromCurrent:
            return SaturatedAdd(Current, Offset);
        case soFromEnd:
            return SaturatedAdd(Size, Offset);
    }
    return Current;
}

}  // namespace

int64_t TStream::Size() {
    const int64_t pos = Seek(0, soFromCurrent);
    const int64_t size = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
    const auto read = [this](char* Piece, int32_t Size) { return Read(Piece, Size); };
    if (!MoveWhole(static_cast<char*>(Buffer), Count, read)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
    const auto write = [this](const char* Piece, int32_t Size) { return Write(Piece, Size); };
    if (!MoveWhole(static_cast<const char*>(Buffer), Count, write))
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    const int64_t total = Count;
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(Count, CopyBufferSize)));
    while (Count > 0) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(Count, CopyBufferSize));
        Source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        Count -= n;
    }
    return total;
}

// TMemoryStream

TMemoryStream::TMemoryStream(TMemoryStream&& Other) noexcept
    : FData(std::move(Other.FData)),
      FSize(std::exchange(Other.FSize, 0)),
      FCapacity(std::exchange(Other.FCapacity, 0)),
      FPosition(std::exchange(Other.FPosition, 0)) {}

TMemoryStream& TMemoryStream::operator=(TMemoryStream&& Other) noexcept {
    if (this == &Other) return *this;
    FData = std::move(Other.FData);
    FSize = std::exchange(Other.FSize, 0);
    FCapacity = std::exchange(Other.FCapacity, 0);
    FPosition = std::exchange(Other.FPosition, 0);
    return *this;
}

int32_t TMemoryStream::Read(void* Buffer, int32_t Count) {
    const int64_t size = DataSize();
    if (Count <= 0 || FPosition < 0 || FPosition >= size) return 0;
    const auto n = static_cast<int32_t>(std::min<int64_t>(Count, size - FPosition));
    std::memcpy(Buffer, FData.get() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int32_t TMemoryStream::Write(const void* Buffer, int32_t Count) {
    if (Count <= 0 || FPosition < 0) return 0;
    const int64_t end = SaturatedAdd(FPosition, Count);
    if (end > FSize) {
        Reserve(end);
        if (FPosition > FSize)
            std::memset(FData.get() + FSize, 0, static_cast<size_t>(FPosition - FSize));
        FSize = end;
    }
    std::memcpy(FData.get() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    FPosition = SeekTarget(Offset, Origin, FPosition, DataSize());
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) throw EStreamError("Invalid stream size");
    if (NewSize > FSize) {
        Reserve(NewSize);
        std::memset(FData.get() + FSize, 0, static_cast<size_t>(NewSize - FSize));
    }
    FSize = NewSize;
    if (FPosition > NewSize) FPosition = NewSize;
}

// Capacity at least doubles, so that data written in small pieces is moved a bounded number of
// times; a large block grows where it lies.
void TMemoryStream::Reserve(int64_t NewSize) {
    if (NewSize <= FCapacity) return;
    if (NewSize > MaxMemorySize) throw EOutOfMemory("Out of memory");
    SetCapacity(std::max(NewSize, std::min(FCapacity * 2, MaxMemorySize)));
}

void TMemoryStream::SetCapacity(int64_t NewCapacity) {
    NewCapacity = std::max(NewCapacity, FSize);
    if (NewCapacity > MaxMemorySize) throw EOutOfMemory("Out of memory");
    if (NewCapacity == FCapacity) return;
    if (NewCapacity == 0) {
        FData.reset();
    } else {
        char* memory =
            static_cast<char*>(std::realloc(FData.get(), static_cast<size_t>(NewCapacity)));
        if (!memory) throw EOutOfMemory("Out of memory");
        static_cast<void>(FData.release());
        FData.reset(memory);
    }
    FCapacity = NewCapacity;
}

void TMemoryStream::Clear() {
    FData.reset();
    FSize = FCapacity = 0;
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
    Stream.SetPosition(0);
    const int64_t count = Stream.Size();
    TMemoryStream data;
    data.SetCapacity(count);
    Stream.ReadBuffer(data.FData.get(), count);
    FData = std::move(data.FData);
    FSize = FCapacity = count;
    if (FPosition > count) FPosition = count;
}

void TMemoryStream::SaveToStream(TStream& Stream) const {
    Stream.WriteBuffer(FData.get(), DataSize());
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& FileName) const {
    WriteFileAtomic(FileName, std::string_view(FData.get(), static_cast<size_t>(FSize)));
}

// TStringStream

TStringStream::TStringStream(std::string AString) : FDataString(std::move(AString)) {}

int32_t TStringStream::Read(void* Buffer, int32_t Count) {
    const int64_t n = std::clamp<int64_t>(DataSize() - FPosition, 0, std::max(Count, 0));
    std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return static_cast<int32_t>(n);
}

int32_t TStringStream::Write(const void* Buffer, int32_t Count) {
    if (Count <= 0) return 0;
    const int64_t end = SaturatedAdd(FPosition, Count);
    if (end > DataSize()) ResizeData(FDataString, end);
    std::memcpy(FDataString.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

int64_t TStringStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    FPosition =
        std::clamp<int64_t>(SeekTarget(Offset, Origin, FPosition, DataSize()), 0, DataSize());
    return FPosition;
}

void TStringStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) throw EStreamError("Invalid stream size");
    ResizeData(FDataString, NewSize);
    if (FPosition > NewSize) FPosition = NewSize;
}

std::string TStringStream::ReadString(int32_t Count) {
    const int64_t n = std::clamp<int64_t>(DataSize() - FPosition, 0, std::max(Count, 0));
    std::string result = FDataString.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
    FPosition += n;
    return result;
}

void TStringStream::WriteString(const std::string& AString) {
    WriteBuffer(AString.data(), static_cast<int64_t>(AString.size()));
}

// TFileStream

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName) {
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError(WithSystemText("Cannot create file " + FileName, errno));
        return;
    }
    int flags;
    switch (Mode & 0x0F) {
        case fmOpenRead:
            flags = O_RDONLY;
            break;
        case fmOpenWrite:
            flags = O_WRONLY;
            break;
        case fmOpenReadWrite:
            flags = O_RDWR;
            break;
        default:
            throw EFOpenError(WithSystemText("Cannot open file " + FileName, EINVAL));
    }
    FHandle = ::open(FileName.c_str(), flags | O_CLOEXEC);
    if (FHandle < 0) throw EFOpenError(WithSystemText("Cannot open file " + FileName, errno));
}

TFileStream::~TFileStream() {
    ::close(FHandle);
}

int32_t TFileStream::Read(void* Buffer, int32_t Count) {
    auto* p = static_cast<char*>(Buffer);
    int32_t done = 0;
    while (done < Count) {
        const ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EReadError(WithSystemText("Stream read error", errno));
        if (n == 0) break;
        done += static_cast<int32_t>(n);
    }
    return done;
}

int32_t TFileStream::Write(const void* Buffer, int32_t Count) {
    const auto* p = static_cast<const char*>(Buffer);
    int32_t done = 0;
    while (done < Count) {
        const ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EWriteError(WithSystemText("Stream write error", errno));
        done += static_cast<int32_t>(n);
    }
    return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    int whence = SEEK_SET;
    if (Origin == soFromCurrent) whence = SEEK_CUR;
    if (Origin == soFromEnd) whence = SEEK_END;
    const off_t pos = ::lseek(FHandle, Offset, whence);
    if (pos < 0) throw EStreamError(WithSystemText("Stream seek error", errno));
    return pos;
}

void TFileStream::SetSize(int64_t NewSize) {
    if (::ftruncate(FHandle, NewSize) != 0)
        throw EWriteError(WithSystemText("Stream write error", errno));
    Seek(NewSize, soFromBeginning);
}

}  // namespace vex
