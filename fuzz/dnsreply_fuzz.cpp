// Feeds arbitrary bytes to the DNS reply parser: it must either return or raise EResolverError,
// never read past the bytes or run without end.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/dnsreply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    try {
        const vex::TDnsReply reply =
            vex::ParseDnsReply(std::string_view(reinterpret_cast<const char*>(Data), Size));
        for (const vex::TDnsAnswer& answer : reply.Answers)
            if (answer.Exchange.size() >= vex::MaxDnsNameLength) __builtin_trap();
    } catch (const vex::EResolverError&) {
    }
    return 0;
}
