#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// Numbers in bytes that travel between programs or are stored (object storages and
// descriptors, a control's stored document) are 32 bits, little-endian, whatever the machine.
inline void AppendNumber32(std::string& Out, uint32_t Value) {
    for (int shift = 0; shift < 32; shift += 8)
        Out.push_back(static_cast<char>(Value >> shift & 0xFF));
}

// The number at Offset; the caller has checked that four bytes are there.
inline uint32_t Number32At(std::string_view Bytes, size_t Offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(Bytes[Offset + i]);
    return value;
}

}  // namespace vex
