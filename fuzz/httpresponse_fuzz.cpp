// Feeds bytes to the HTTP response reader in pieces whose sizes come from the input, then ends
// the connection, as a server that sends anything and closes at any point would. The body cap
// comes from the input too, so that small caps, counts past 32 bits, the 64-bit limit and the
// negative caps a caller may set are all reached; whatever the cap allows, the body holds only
// bytes of the input.
//
// The input: byte 0 sets the piece size, byte 1 how far the cap is shifted right, bytes 2 to 9
// are the cap as a signed little-endian 64-bit number, and the rest is what the server sends.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/componentexceptions.h"
#include "net/httpresponse.h"
#include "net/msheaders.h"
#include "platform/core/stream.h"

namespace {

constexpr size_t CapBytes = 8;
constexpr size_t HeaderSize = 2 + CapBytes;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < HeaderSize) return 0;
    const size_t piece = Data[0] % 64 + 1;
    uint64_t bits = 0;
    for (size_t i = 0; i < CapBytes; ++i)
        bits |= uint64_t{Data[2 + i]} << (8 * i);
    const int64_t cap = static_cast<int64_t>(bits) >> (Data[1] % 64);
    std::string_view bytes(reinterpret_cast<const char*>(Data) + HeaderSize, Size - HeaderSize);
    const int64_t sent = static_cast<int64_t>(bytes.size());

    vex::TmsHeaders headers;
    vex::TMemoryStream body;
    vex::THttpResponseReader reader(headers, body, cap);
    try {
        while (!bytes.empty() && !reader.Complete()) {
            const std::string_view part = bytes.substr(0, piece);
            if (reader.Feed(part) < part.size() && !reader.Complete()) __builtin_trap();
            bytes.remove_prefix(part.size());
        }
        reader.FeedEnd();
    } catch (const vex::ESocketError&) {
    }
    if (body.Size() > std::min(std::max<int64_t>(cap, 0), sent)) __builtin_trap();
    return 0;
}
