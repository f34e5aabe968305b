// Feeds bytes to the HTTP response reader in pieces whose sizes come from the input, then ends
// the connection, as a server that sends anything and closes at any point would.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/componentexceptions.h"
#include "net/httpresponse.h"
#include "net/msheaders.h"
#include "platform/core/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    // The first byte sets the piece size; a small body cap lets the limits be reached.
    const size_t piece = Data[0] % 64 + 1;
    std::string_view bytes(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    vex::TmsHeaders headers;
    vex::TMemoryStream body;
    vex::THttpResponseReader reader(headers, body, 4096);
    try {
        while (!bytes.empty() && !reader.Complete()) {
            const std::string_view part = bytes.substr(0, piece);
            if (reader.Feed(part) < part.size() && !reader.Complete()) __builtin_trap();
            bytes.remove_prefix(part.size());
        }
        reader.FeedEnd();
    } catch (const vex::ESocketError&) {
    }
    if (body.Size() > 4096) __builtin_trap();
    return 0;
}
