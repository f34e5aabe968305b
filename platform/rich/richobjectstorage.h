#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// What a storage may hold. Storages come from outside (clipboards, documents), so reading one
// checks it against these before anything is made of it.
inline constexpr int32_t MaxStorageStreams = 256;

struct TRichObjectStorageLimits {
    int32_t MaxStreams = 64;  // at most MaxStorageStreams
    int32_t MaxNameLength = 255;
    int64_t MaxBytes = 64 << 20;  // the whole buffer
};

// Named streams of bytes kept in one byte buffer: where an object's data goes when it leaves
// the document for the clipboard. The buffer is the magic "VXOS", a 32-bit stream count, then
// per stream a 32-bit name length, the name, a 32-bit data length and the data, numbers in
// little-endian order.
class TRichObjectStorage {
public:
    explicit TRichObjectStorage(TRichObjectStorageLimits Limits = {});

    // Puts Bytes under Name, in place of what was there. Raises ERichObjectError for an empty
    // or too long name, or when the storage would outgrow its limits; it then stays as it was.
    void Write(std::string_view Name, std::string_view Bytes);
    // The stream under Name; null when there is none.
    const std::string* Read(std::string_view Name) const;
    // The streams' names in the order first written.
    std::vector<std::string> Names() const;

    // The storage as one buffer.
    std::string Bytes() const;
    // Reads a buffer Bytes made. Raises ERichObjectError for one that is cut short, runs on,
    // repeats a name or passes a limit, before it allocates anything.
    static TRichObjectStorage FromBytes(std::string_view Bytes,
                                        TRichObjectStorageLimits Limits = {});

private:
    struct TStream {
        std::string Name;
        std::string Data;
    };
    int64_t SizeWith(std::string_view Name, std::string_view Bytes) const;

    TRichObjectStorageLimits FLimits;
    std::vector<TStream> FStreams;
};

}  // namespace vex
