// Messages from strangers: whatever the bytes, loading ends and throws nothing, and the loaded
// message answers for its parts. The composer then writes what was loaded, in a size bounded by
// the input, or refuses it in the way it documents; what it wrote loads again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/msmsg.h"
#include "net/msmsgcls.h"
#include "net/msmsgenc.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"

namespace {

// A message of empty parts grows most: each costs a delimiter and part headers of its own.
constexpr int64_t MaxGrowth = 64;
constexpr int64_t MaxOverhead = 64 * 1024;

// The composer's refusal of a message it cannot write; any other exception is a fault.
bool DocumentedRefusal(const vex::Exception& E) {
    return std::string_view(E.ClassName()) == "Exception" &&
           E.Message() == "No boundary could be drawn that the message does not already hold";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    TStringStream stream(std::string(reinterpret_cast<const char*>(Data), Size));
    TmsMessage message(nullptr);
    TmsMessageDecoder decoder(stream);
    decoder.Message = &message;
    decoder.Decode();
    message.ContentType();

    // As SaveToStream writes it, with boundaries drawn from a fixed sequence so that a finding
    // replays the same way.
    TStringStream saved("");
    TmsMessageEncoder encoder(&message);
    encoder.Stream = &saved;
    uint32_t seed = 1;
    encoder.Random = [&seed](uint32_t Range) {
        seed = seed * 1664525u + 1013904223u;
        return Range == 0 ? 0 : (seed >> 8) % Range;
    };
    try {
        encoder.Encode();
    } catch (const Exception& e) {
        if (!DocumentedRefusal(e)) throw;
        return 0;
    }
    if (saved.Size() > MaxGrowth * static_cast<int64_t>(Size) + MaxOverhead) __builtin_trap();

    TmsMessage again(nullptr);
    TStringStream back(saved.DataString());
    again.LoadFromStream(back);
    again.ContentType();
    return 0;
}
