#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/exceptions.h"

namespace vex {

// A DNS reply that can't be read, or one that reports a failure.
VEX_EXCEPTION(EResolverError, Exception);

inline constexpr uint16_t DnsTypeMX = 15;
inline constexpr uint16_t DnsClassIN = 1;
inline constexpr size_t DnsHeaderSize = 12;
// Encoded length, with the length bytes and the final zero.
inline constexpr size_t MaxDnsNameLength = 255;
// Pointers must run strictly backwards, which already ends every chain; the cap bounds the work.
inline constexpr int MaxDnsPointerJumps = 32;

struct TDnsHeader {
    uint16_t ID = 0;
    uint16_t Flags = 0;
    uint16_t QDCount = 0;
    uint16_t ANCount = 0;
    uint16_t NSCount = 0;
    uint16_t ARCount = 0;
};

struct TDnsQuestion {
    std::string Name;  // labels each followed by "."; the root is ""
    uint16_t Type = 0;
    uint16_t Class = 0;
};

// One record of the answer section. Only an MX record fills Preference and Exchange.
struct TDnsAnswer {
    std::string Name;
    uint16_t Type = 0;
    uint16_t Class = 0;
    uint32_t TTL = 0;
    uint16_t Preference = 0;
    std::string Exchange;
};

struct TDnsReply {
    TDnsHeader Header;
    std::vector<TDnsQuestion> Questions;
    std::vector<TDnsAnswer> Answers;
};

// The header alone; EResolverError when fewer than 12 bytes came.
TDnsHeader ParseDnsHeader(std::string_view Data);

// The header, the questions and the answers of a reply, read strictly within Data. Anything that
// would read past the end, loop, or exceed a name's length raises EResolverError. The authority
// and additional sections are not read.
TDnsReply ParseDnsReply(std::string_view Data);

}  // namespace vex
