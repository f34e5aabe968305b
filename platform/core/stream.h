#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"

namespace vex {

enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

// A sequence of bytes with a position. Read and Write move what they can and say how much;
// ReadBuffer and WriteBuffer insist on the whole count, which may pass what an Integer holds:
// they move it in pieces that Read and Write can take. An operating-system failure is never
// reported as a short count: it raises EReadError or EWriteError with the system's text.
class TStream : public TObject {
    VEX_CLASS(TStream, TObject)

public:
    virtual int32_t Read(void* Buffer, int32_t Count) = 0;
    virtual int32_t Write(const void* Buffer, int32_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t Value) { Seek(Value, soFromBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize) = 0;

    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);

    // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its
    // start. Returns the number of bytes copied.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// Bytes held in memory. The position may lie past the end: a write there fills the gap with
// zeros, a read there returns nothing.
class TMemoryStream : public TStream {
    VEX_CLASS(TMemoryStream, TStream)

public:
    TMemoryStream() = default;
    // The stream moved from is left empty: its size must not outlive the memory it gave away.
    TMemoryStream(TMemoryStream&& Other) noexcept;
    TMemoryStream& operator=(TMemoryStream&& Other) noexcept;

    int32_t Read(void* Buffer, int32_t Count) override;
    int32_t Write(const void* Buffer, int32_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return DataSize(); }
    void SetSize(int64_t NewSize) override;

    // The room held for the data, which writes fill before it grows again. A writer that knows
    // about how much is coming sets it first and gives back what is left over after; it never
    // goes below the size.
    int64_t Capacity() const { return FCapacity; }
    void SetCapacity(int64_t NewCapacity);

    char* Memory() { return FData.get(); }
    const char* Memory() const { return FData.get(); }
    void Clear();

    // Replaces the contents with the whole of Stream; on a failure the old contents stay.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

private:
    // The size as held, whatever a descendant's Size reports.
    int64_t DataSize() const { return FSize; }
    // Room for at least NewSize bytes; what lies past the data is left as it is.
    void Reserve(int64_t NewSize);

    struct TFreeMemory {
        void operator()(char* Memory) const { std::free(Memory); }
    };
    // Grown in place where the allocator can, and never zero-filled first: a large attachment
    // is written once, not cleared and then written.
    std::unique_ptr<char, TFreeMemory> FData;
    int64_t FSize = 0;
    int64_t FCapacity = 0;
    int64_t FPosition = 0;
};

// A stream over a string; the position stays between 0 and the string's length. Writing in
// the middle overwrites and keeps what follows.
class TStringStream : public TStream {
    VEX_CLASS(TStringStream, TStream)

public:
    explicit TStringStream(std::string AString = std::string());

    int32_t Read(void* Buffer, int32_t Count) override;
    int32_t Write(const void* Buffer, int32_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return DataSize(); }
    void SetSize(int64_t NewSize) override;

    const std::string& DataString() const { return FDataString; }
    // Up to Count bytes from the position.
    std::string ReadString(int32_t Count);
    void WriteString(const std::string& AString);

private:
    int64_t DataSize() const { return static_cast<int64_t>(FDataString.size()); }

    std::string FDataString;
    int64_t FPosition = 0;
};

// File open modes: one access mode, optionally combined with one sharing mode. fmCreate makes
// a new file (or empties an existing one) open for reading and writing.
inline constexpr uint16_t fmCreate = 0xFF00;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
// Sharing modes are accepted so that callers keep their modes, but Linux has no mandatory
// file sharing: they have no effect.
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

// A stream over an open file; the file is closed when the stream goes. A file that cannot be
// opened raises EFOpenError, one that cannot be created EFCreateError.
class TFileStream : public TStream {
    VEX_CLASS(TFileStream, TStream)

public:
    TFileStream(const std::string& FileName, uint16_t Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int32_t Read(void* Buffer, int32_t Count) override;
    int32_t Write(const void* Buffer, int32_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    // Cuts or extends the file and moves the position to the new end.
    void SetSize(int64_t NewSize) override;

    const std::string& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    std::string FFileName;
    int FHandle = -1;
};

}  // namespace vex
