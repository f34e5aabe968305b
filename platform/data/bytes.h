#pragma once

#include <cstdint>
#include <cstring>

namespace vex {

// Little-endian slots at any alignment: filter blocks and record buffers are packed, so a slot is
// copied in and out, never read through a cast pointer.
template <typename T>
inline T GetBytes(const uint8_t* P) {
    T Value;
    std::memcpy(&Value, P, sizeof Value);
    return Value;
}

template <typename T>
inline void PutBytes(uint8_t* P, T Value) {
    std::memcpy(P, &Value, sizeof Value);
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "slots are stored as the host orders them");

}  // namespace vex
