#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vex {

// Lookups as plain values, and the original's way of handing them over: a hostent or servent
// with everything it points to packed into one caller's buffer.

struct THostResult {
    std::string Name;
    std::vector<std::string> Aliases;
    std::vector<uint32_t> Addresses;  // IPv4, network order
};

struct TServiceResult {
    std::string Name;
    std::vector<std::string> Aliases;
    uint16_t Port = 0;  // network order
    std::string Protocol;
};

// "a.b.c.d" with four decimal numbers from 0 to 255 and nothing else, in network order.
std::optional<uint32_t> ParseDottedQuad(const char* Text);

// 0 or the Winsock error code (WSAHOST_NOT_FOUND, WSATRY_AGAIN, WSANO_RECOVERY, WSANO_DATA).
// A dotted address is answered without asking the resolver.
int ResolveHost(const std::string& Name, THostResult& Result);
int ResolveService(const std::string& Name, const char* Protocol, TServiceResult& Result);

// The bytes the packed structure needs; it is written only when Buffer holds that many. Buffer
// must be aligned for the structure.
size_t PackHostent(const THostResult& Result, char* Buffer, size_t Size);
size_t PackServent(const TServiceResult& Result, char* Buffer, size_t Size);

}  // namespace vex
