#pragma once

#include <cstdint>

namespace vex {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive: Rect(0, 0, 4, 3) covers x 0..3 and y 0..2.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

inline constexpr TPoint Point(int32_t X, int32_t Y) {
    return TPoint{X, Y};
}
inline constexpr TRect Rect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    return TRect{Left, Top, Right, Bottom};
}

}  // namespace vex
