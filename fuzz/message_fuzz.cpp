// Messages from strangers: whatever the bytes, loading ends and throws nothing, and the loaded
// message answers for its parts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/msmsg.h"
#include "platform/core/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    TStringStream stream(std::string(reinterpret_cast<const char*>(Data), Size));
    TmsMessage message(nullptr);
    TmsMessageDecoder decoder(stream);
    decoder.Message = &message;
    decoder.Decode();
    message.ContentType();
    return 0;
}
