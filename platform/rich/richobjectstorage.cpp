#include "platform/rich/richobjectstorage.h"

#include <algorithm>
#include <array>

#include "platform/rich/littleendian32.h"
#include "platform/rich/richobject.h"

namespace vex {
namespace {

constexpr std::string_view Magic = "VXOS";
constexpr int64_t CountBytes = 4;

// Reads the buffer's parts in turn; every read is checked against what remains.
class TStorageReader {
public:
    explicit TStorageReader(std::string_view Bytes) : FBytes(Bytes) {}

    uint32_t Number() { return Number32At(Take(4), 0); }
    std::string_view Take(uint64_t Count) {
        if (Count > FBytes.size() - FAt) throw ERichObjectError("The object storage is cut short");
        const std::string_view part = FBytes.substr(FAt, Count);
        FAt += Count;
        return part;
    }
    bool AtEnd() const { return FAt == FBytes.size(); }

private:
    std::string_view FBytes;
    size_t FAt = 0;
};

struct TStreamSpan {
    std::string_view Name;
    std::string_view Data;
};

}  // namespace

TRichObjectStorage::TRichObjectStorage(TRichObjectStorageLimits Limits) : FLimits(Limits) {}

int64_t TRichObjectStorage::SizeWith(std::string_view Name, std::string_view Bytes) const {
    int64_t size = static_cast<int64_t>(Magic.size()) + CountBytes;
    for (const TStream& stream : FStreams)
        if (stream.Name != Name)
            size += 8 + static_cast<int64_t>(stream.Name.size() + stream.Data.size());
    return size + 8 + static_cast<int64_t>(Name.size() + Bytes.size());
}

void TRichObjectStorage::Write(std::string_view Name, std::string_view Bytes) {
    if (Name.empty()) throw ERichObjectError("A stream of an object storage needs a name");
    if (static_cast<int64_t>(Name.size()) > FLimits.MaxNameLength)
        throw ERichObjectError("The name of a stream of an object storage is too long");
    const auto existing = std::find_if(FStreams.begin(), FStreams.end(),
                                       [Name](const TStream& S) { return S.Name == Name; });
    if (existing == FStreams.end() &&
        static_cast<int64_t>(FStreams.size()) >= std::min(FLimits.MaxStreams, MaxStorageStreams))
        throw ERichObjectError("The object storage holds too many streams");
    // Lengths are written in 32 bits, whatever the limit says.
    if (SizeWith(Name, Bytes) > std::min<int64_t>(FLimits.MaxBytes, UINT32_MAX))
        throw ERichObjectError("The object storage is too large");
    if (existing != FStreams.end())
        existing->Data = std::string(Bytes);
    else
        FStreams.push_back({std::string(Name), std::string(Bytes)});
}

const std::string* TRichObjectStorage::Read(std::string_view Name) const {
    const auto stream = std::find_if(FStreams.begin(), FStreams.end(),
                                     [Name](const TStream& S) { return S.Name == Name; });
    return stream == FStreams.end() ? nullptr : &stream->Data;
}

std::vector<std::string> TRichObjectStorage::Names() const {
    std::vector<std::string> names;
    for (const TStream& stream : FStreams)
        names.push_back(stream.Name);
    return names;
}

std::string TRichObjectStorage::Bytes() const {
    std::string out(Magic);
    AppendNumber32(out, static_cast<uint32_t>(FStreams.size()));
    for (const TStream& stream : FStreams) {
        AppendNumber32(out, static_cast<uint32_t>(stream.Name.size()));
        out += stream.Name;
        AppendNumber32(out, static_cast<uint32_t>(stream.Data.size()));
        out += stream.Data;
    }
    return out;
}

TRichObjectStorage TRichObjectStorage::FromBytes(std::string_view Bytes,
                                                 TRichObjectStorageLimits Limits) {
    if (static_cast<int64_t>(Bytes.size()) > Limits.MaxBytes)
        throw ERichObjectError("The object storage is too large");
    TStorageReader reader(Bytes);
    if (reader.Take(Magic.size()) != Magic) throw ERichObjectError("This is no object storage");
    const uint32_t count = reader.Number();
    if (count > static_cast<uint32_t>(std::clamp(Limits.MaxStreams, 0, MaxStorageStreams)))
        throw ERichObjectError("The object storage holds too many streams");
    // The whole buffer is checked first, with views into it on the stack, so that a bad one
    // costs no allocation however large it claims to be.
    std::array<TStreamSpan, MaxStorageStreams> spans;
    for (uint32_t i = 0; i < count; ++i) {
        spans[i].Name = reader.Take(reader.Number());
        if (spans[i].Name.empty() ||
            static_cast<int64_t>(spans[i].Name.size()) > Limits.MaxNameLength)
            throw ERichObjectError("A stream of the object storage has a bad name");
        for (uint32_t j = 0; j < i; ++j)
            if (spans[j].Name == spans[i].Name)
                throw ERichObjectError("The object storage repeats a stream name");
        spans[i].Data = reader.Take(reader.Number());
    }
    if (!reader.AtEnd()) throw ERichObjectError("The object storage runs on past its streams");
    TRichObjectStorage storage(Limits);
    storage.FStreams.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        storage.FStreams.push_back({std::string(spans[i].Name), std::string(spans[i].Data)});
    return storage;
}

}  // namespace vex
